#pragma once
// Configured directories end with a separator; the stored form uses '\', Linux uses '/'.
#include <QDate>
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

// texto as part of a file name: '/', '\\', control characters and any character of otros become '_'.
std::string ParteNombreArchivo(const std::string &texto, const char *otros = "");
// A date as file names carry it: "dd_mm_yyyy".
std::string FechaNombreArchivo(const QDate &fecha);
