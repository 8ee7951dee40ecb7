#pragma once
// Line-record files and whole-file byte I/O. Reads accept CR LF and LF line ends and a missing
// final line end; CRs doubled before an LF belong to its line end, and a CR without an LF ends a
// line too. Writes use CR LF and go through a temporary file renamed over the old one.
#include <string>
#include <vector>

// False when the file cannot be opened (lineas is then left empty).
bool LeeLineas(const std::string &ruta, std::vector<std::string> &lineas);
// A missing file reads as no lines; false only when the file exists but cannot be read, so that
// it is never rewritten as if it were empty.
bool LeeLineasSiExiste(const std::string &ruta, std::vector<std::string> &lineas);
// Splits text as a file read would.
std::vector<std::string> PartirLineas(const std::string &texto);
// The lines, each ended by CR LF.
std::string UneLineas(const std::vector<std::string> &lineas);
// Writes every line followed by CR LF, atomically: the data goes to a temporary file in the same
// directory, is flushed and checked, and only then renamed over the old file. False when it could
// not be written; the old file is then left as it was.
bool GuardaLineas(const std::string &ruta, const std::vector<std::string> &lineas);

bool LeeBytes(const std::string &ruta, std::string &bytes);
bool GuardaBytes(const std::string &ruta, const std::string &bytes);
// Appends bytes at the end of a file, creating it when missing.
bool AnadeBytes(const std::string &ruta, const std::string &bytes);

bool ExisteArchivo(const std::string &ruta);
bool ExisteDirectorio(const std::string &ruta);
// Creates the directory and its missing parents.
bool CreaDirectorio(const std::string &ruta);
// Copies a file, atomically as GuardaBytes: an old target is replaced only by a complete copy.
// With sobrescribir false an existing target is left alone and false returned.
bool CopiaArchivo(const std::string &origen, const std::string &destino, bool sobrescribir);
