#pragma once
// The users editor's data: the grid of users (name, password, level text; row 0 the titles)
// built from ListaUsuarios and turned back into it on save.
#include "platform/stringgrid.h"

#include <string>
#include <vector>

// Minimum length of a user name and of a password.
inline constexpr size_t MinCampoUsuario = 4;

// Titles and one row per user record after the company record (one empty row when none).
void LlenaRejillaUsuarios(StringGrid &g, const std::vector<std::string> &lista);

// A row the operator may not select, edit or delete: its level is more privileged.
bool FilaProtegida(const StringGrid &g, int fila, int nivelOperador);

// Text shown in a cell: the password of a protected row as one '*' per character.
std::string TextoCeldaUsuarios(const StringGrid &g, int col, int fila, int nivelOperador);

struct ListaGuardada {
    std::vector<std::string> Lista; // the company entries of the old list, then every kept row
    std::vector<int> Descartadas;   // grid rows dropped (name or password too short)
};
// Rows whose name or password is shorter than MinCampoUsuario are dropped, except protected
// rows, which are kept as they are.
ListaGuardada ListaDeRejilla(const StringGrid &g, const std::vector<std::string> &lista, int nivelOperador);

// Text telling the operator which rows were dropped ("" when none worth telling: rows left
// wholly empty are not named).
std::string AvisoDescartadas(const StringGrid &g, const std::vector<int> &filas);
