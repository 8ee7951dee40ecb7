#pragma once
// Stores one clocking: the day file of its terminal and the history file; then tells whoever
// keeps state per clocking (the presence table).
#include <functional>
#include <string>

// registro: a writable 103-byte raw clocking record in the OEM code page; it is converted in
// place to Windows-1252. True when stored (or already stored); false when it could not be
// written. The day file and the history file are on the disk when it returns true. When either
// file cannot be written or synced both are cut back to their old size and the result is false,
// so a resend is not taken for a duplicate. aviso: set to what the installed "a clocking was
// stored" callback answered, when it answered a warning.
bool GuardaFichaje(char *registro, std::string *aviso = nullptr);

// Told after a clocking was added to its files (not for one already stored), with the raw record
// in Windows-1252; answers a warning for the console or the operator, or "". The presence
// subsystem keeps its table there; the application installs it.
using TFichajeGuardado = std::function<std::string(const std::string &registro)>;
void FijaFichajeGuardado(TFichajeGuardado aviso);

// Path of the day file of a raw record (Windows-1252) under the clocking directory.
std::string RutaParcial(const std::string &registro);

// Forgets what the writer knows of the day files (after they were changed behind its back).
void OlvidaParciales();

// "Nuevo formato": rewrites every day file named by the history file with the current line
// format, keeping annulled marks; then records "formato_anterior". False, with the reason in
// error, when the history file cannot be read, when a day file cannot be rewritten (nothing is
// recorded then, so the rebuild can run again) or when the setting cannot be saved.
bool ReconstruyeFichajes(std::string *error = nullptr);
