#pragma once
// Stores one clocking: the day file of its terminal, the history file and the presence table.

// registro: a writable 103-byte raw clocking record in the OEM code page; it is converted in
// place to Windows-1252. True when stored; false when it could not be written.
bool GuardaFichaje(char *registro);
