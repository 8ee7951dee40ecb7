#pragma once
// Choosing employees for the listings and the manual clocking: the identifiers of the
// employees file, moving items between the two lists, and the items a tree node selects.
#include <string>
#include <vector>

// Line 0 (the identifier) of every record of DirDatos + "empleados.dat", in file order; false
// when the file is missing. A short last record still gives its identifier.
bool IdentificadoresEmpleados(std::vector<std::string> &ids);

// Moves the chosen items of origen (elegidos[i] for item i) to the top of destino, keeping
// their relative order.
void MueveElegidos(std::vector<std::string> &origen, const std::vector<bool> &elegidos,
                   std::vector<std::string> &destino);
void MueveTodos(std::vector<std::string> &origen, std::vector<std::string> &destino);

// Items selected by a tree node: an employee node (non-zero leading number) selects the items
// equal to its text; a group node those equal to its direct employee children.
std::vector<bool> ElegidosPorNodo(const std::vector<std::string> &items, const std::string &nodo,
                                  const std::vector<std::string> &hijos);

// Items sorted as a sorted combo box lists them (case-insensitive, ties by bytes).
void OrdenaComoCombo(std::vector<std::string> &items);
