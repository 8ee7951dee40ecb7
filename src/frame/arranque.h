#pragma once
// Start-up work of the main window that needs no widgets: directory checks, the users file,
// the backup of the data directory.
#include <QDate>
#include <string>

// The question "¿ Quiere crear el directorio ..." for a missing directory (Yes = true).
bool PreguntaCrearDirectorio(const std::string &dir, const char *proposito);
// Creates a directory and its parents; says so when it cannot.
bool CreaDirectorioAvisando(const std::string &dir);

// Checks the data, clocking and report output directories, offering to create each missing
// one. False when the program must end.
bool CompruebaDirectorios();

// Loads "rondal.usr" into LineasUsuarios (copying it from the working directory into the data
// directory when only the working directory has it). False when there is none anywhere.
bool CargaArchivoUsuarios();

// Copies every plain file of the data directory into DirBackup + "dd-mm-yyyy/". The target
// folder is returned in destino. False when a folder or a copy failed.
bool CopiaSeguridad(const QDate &fecha, std::string &destino, int &copiados);
