#pragma once
// The terminals list "terminales.dat": six lines per terminal (connection type, address,
// description, permitted list, denied list, mode); record 0 holds the column titles.
#include "platform/stringgrid.h"

#include <string>
#include <vector>

constexpr int ColumnasTerminal = 6;

enum ColumnaListaTerminales {
    ColConexion = 0,
    ColDireccion = 1,
    ColDescripcion = 2,
    ColPermitidos = 3,
    ColDenegados = 4,
    ColModo = 5
};

const std::vector<std::string> &TitulosTerminales();
const std::vector<std::string> &TiposConexion(); // "Serie", "Ethernet", "OndaRelay"
const std::vector<std::string> &ModosTerminal(); // "Entrada" ... "Todo"

// DirDatos as the terminals window reads it from the INI file (with its trailing separator).
std::string DirDatosDeIni(const std::string &rutaIni);
std::string RutaTerminales(); // DirDatos + "terminales.dat"

// Lines of a file of the earlier five-line layout turned into the six-line one (mode "Todo").
// Lines already in the six-line layout come back unchanged.
std::vector<std::string> ConvierteCincoLineas(std::vector<std::string> lineas);

// Fills the grid from the lines of the file (the titles when the file was missing or holds less
// than one record). Only whole records are loaded; with no terminal one empty row is kept.
void LlenaTerminales(StringGrid &sg, std::vector<std::string> lineas);
// Loads the file into the grid; false when the file does not exist (titles only).
bool LeeTerminales(const std::string &ruta, StringGrid &sg);

// The lines to save; an Ethernet address without ':' gets ':' and its row number, in the grid too.
std::vector<std::string> LineasTerminales(StringGrid &sg);
bool GuardaTerminales(const std::string &ruta, StringGrid &sg);
