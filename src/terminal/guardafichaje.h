#pragma once
// Stores one clocking: the day file of its terminal, the history file and the presence table.
#include <functional>
#include <string>

class StringGrid;

// registro: a writable 103-byte raw clocking record in the OEM code page; it is converted in
// place to Windows-1252. True when stored (or already stored); false when it could not be written.
// The presence table is kept for the employees grid that the installed source gives. The day file
// and the history file are on the disk when it returns true. aviso: set when the clocking was
// stored but the presence table "presentes" could not be written.
bool GuardaFichaje(char *registro, std::string *aviso = nullptr);
// Where GuardaFichaje finds the employees grid whose rows are the presence table's slots (nullptr:
// none). The presence subsystem answers it; the application installs it.
void FijaEmpleadosPresencia(std::function<const StringGrid *()> empleados);

// The same with the employees grid given (nullptr: the presence table is not touched). When
// either file cannot be written or synced both are cut back to their old size and the result is
// false, so a resend is not taken for a duplicate.
bool GuardaFichajeEn(char *registro, const StringGrid *empleados, std::string *aviso = nullptr);

// Path of the day file of a raw record (Windows-1252) under the clocking directory.
std::string RutaParcial(const std::string &registro);

// Forgets what the writer knows of the day files (after they were changed behind its back).
void OlvidaParciales();

// "Nuevo formato": rewrites every day file named by the history file with the current line
// format, keeping annulled marks; then records "formato_anterior". False, with the reason in
// error, when the history file cannot be read, when a day file cannot be rewritten (nothing is
// recorded then, so the rebuild can run again) or when the setting cannot be saved.
bool ReconstruyeFichajes(std::string *error = nullptr);
