#pragma once
// The production editor's own files in the data directory: the clients "clientes.dat" (one name
// a line, the items of the client box) and the column widths "anchosprod.dat" of its two period
// grids (32-bit little-endian integers, the by-order grid's columns first).
#include <string>
#include <vector>

std::string RutaClientes();   // DirDatos + "clientes.dat"
std::string RutaAnchosProd(); // DirDatos + "anchosprod.dat"

// A missing file is an empty list; false with a Spanish message when it exists but cannot be read.
bool LeeClientes(const std::string &ruta, std::vector<std::string> &clientes, std::string &error);

// The widths of both grids, n2 and n3 columns. False (the arrays untouched) when the file is
// missing or short, or holds a width of zero or less: the designed widths then stay.
bool LeeAnchos(const std::string &ruta, size_t n2, size_t n3, std::vector<int> &a2, std::vector<int> &a3);
bool GuardaAnchos(const std::string &ruta, const std::vector<int> &a2, const std::vector<int> &a3);
