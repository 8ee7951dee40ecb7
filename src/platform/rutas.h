#pragma once
// Configured directories end with a separator; the stored form uses '\', Linux uses '/'.
#include <string>

// The configured text with a trailing '\' appended when it ends with neither separator.
std::string ConSeparador(const std::string &directorio);
// A path in the stored form mapped to the Linux separator.
std::string RutaLocal(const std::string &ruta);
// The configured directory as the program uses it: local separators, ending with '/'.
std::string DirectorioLocal(const std::string &configurado);
