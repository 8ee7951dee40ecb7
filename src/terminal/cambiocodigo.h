#pragma once
// Change of a user's code in a user list and in the history file of raw clockings.
#include <string>

// A code typed by the operator: digits only (blanks around allowed), at most 16 of them and not
// all zeros. valor gets it without leading zeros.
bool CodigoValido(const std::string &texto, std::string &valor);

// A history line (a raw record without its leading CR LF, 101 characters) whose employee code is
// viejo gets nuevo, the rest of its employee field moved with it, cut or padded with blanks; the
// production code and everything after stay in place. False, line untouched, for other lines.
bool CambiaCodigoLinea(std::string &linea, const std::string &viejo, const std::string &nuevo);

// The list at lista (when it exists) and the history file at historico (when it exists) get the
// new code in every record and line of the old one; both files are written or neither is. A list
// record keeps its text from the first blank after the new code (a lone blank when it has none).
// Codes as CodigoValido gives them. False with the reason in error when a file cannot be read or
// written.
bool CambiaCodigo(const std::string &lista, const std::string &historico, const std::string &viejo,
                  const std::string &nuevo, std::string &error);
