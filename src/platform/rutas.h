#pragma once
// Configured directories end with a separator; the stored form uses '\', Linux uses '/'.
#include <QString>
#include <string>

// The configured text with a trailing '\' appended when it ends with neither separator.
std::string ConSeparador(const std::string &directorio);
// A path in the stored form mapped to the Linux separator.
std::string RutaLocal(const std::string &ruta);
// A stored path (Windows-1252 bytes) as the file system's name, and back.
QString RutaQ(const std::string &ruta);
std::string RutaDeQ(const QString &ruta);
// The configured directory as the program uses it: local separators, ending with '/'.
std::string DirectorioLocal(const std::string &configurado);
