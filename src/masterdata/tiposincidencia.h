#pragma once
// Incidence types "incidencias.dat": three lines per type (code, name, "Empresa" or
// "Trabajador"); record 0 holds the column titles; saved in ascending code order.
#include "platform/stringgrid.h"

#include <string>
#include <vector>

constexpr int ColumnasIncidencia = 3;

const std::vector<std::string> &TitulosIncidencias();
const std::vector<std::string> &CargosIncidencia(); // "Empresa", "Trabajador"

// The file in the data directory whatever the letter case of its name; "incidencias.dat" when
// there is none yet. Every reader and writer of the file goes through here.
std::string RutaIncidencias();

// An incidence code as typed: a whole number from 0 to 999 (the clockings carry three digits).
bool CodigoIncidenciaValido(const std::string &texto, int &codigo);
// First type row whose code is not valid, -1 when all are; rows with no cell filled are left out.
int PrimerTipoInvalido(const StringGrid &sg);

// Fills the grid from the file's lines (the titles when missing or shorter than one record);
// a last record with missing lines gets empty cells. With no type one empty row is kept.
void LlenaTiposIncidencia(StringGrid &sg, std::vector<std::string> lineas);
bool LeeTiposIncidencia(const std::string &ruta, StringGrid &sg);

// Sorts rows 1.. by the integer value of the code (equal codes keep their order).
void OrdenaTiposIncidencia(StringGrid &sg);
std::vector<std::string> LineasTiposIncidencia(const StringGrid &sg);
// Sorts the grid and writes it.
bool GuardaTiposIncidencia(const std::string &ruta, StringGrid &sg);
