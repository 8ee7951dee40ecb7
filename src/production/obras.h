#pragma once
// The saved orders as the by-order page lists and shows them: the order list, the order identity
// of the task grid SG2 (column 5, "type number year"), the task rows of an order, and the block of
// rows that a selected cell delimits (the work-order print and the reports read it).
#include "platform/stringgrid.h"
#include "production/ordentrabajo.h"

#include <string>
#include <vector>

// Every plain file of the production directory as "name\tdd/mm/yyyy hh:mm:ss", newest first
// (dates compared to the hundredth of a day, then names).
std::vector<std::string> ListaOrdenes(const std::string &directorio);
// The entry of one order file: its name, a TAB and its date.
std::string EntradaOrden(const std::string &directorio, const std::string &nombre);
// The file name of an entry (before its TAB).
std::string NombreEntrada(const std::string &entrada);

// The searches of the order list, from entry desde to the end; -1 when nothing is found. texto:
// leading non-digits and a number. By order: the type begins with those characters and the
// order number is that number. By folder: the order file has a task row of that folder number.
std::pair<std::string, int> PrefijoYNumero(const std::string &texto);
int BuscaObra(const std::vector<std::string> &entradas, int desde, const std::string &texto);
int BuscaCarpeta(const std::vector<std::string> &entradas, int desde, const std::string &texto,
                 const std::string &directorio);

// "type number year" ("%s %4.4s %4.4s") of an order file name "yyyy_nnnn.type", and the file name
// back from it ("" when it is too short to hold one).
std::string IdentidadOrden(const std::string &nombre);
std::string NombreDeIdentidad(const std::string &identidad);
// The type of an order file name: the text after its first ".".
std::string TipoDeNombre(const std::string &nombre);

// The by-order grid's 11 titles (also those of the by-employee grid).
void TitulosPorObra(StringGrid &g);
// One row per task of an order (columns 0 to 4 from the file, 5 its identity, the rest empty),
// appended after the last row.
void AnadeTareas(StringGrid &g, const std::string &nombre, const TOrdenTrabajo &orden);
// ST1 and ST2: the configured nouns, " : " and the order's description and client.
std::string TextoDescripcion(const TOrdenTrabajo &orden);
std::string TextoCliente(const TOrdenTrabajo &orden);
// STFObra: "Fecha       : " and the date of the order file.
std::string TextoFechaObra(const std::string &ruta);

// The block of a selected cell: the rows just above and just below it. Columns 1 and 2 delimit a
// folder (of one order), column 5 an order, 8 and 9 the row alone, any other a task's code.
struct TBloqueObra {
    int Primera = 0;      // PrimeraFilaObra
    int Ultima = 0;       // UltimaFilaObra
    bool Carpeta = false; // ObraSeleccionada: a folder block
};
TBloqueObra BloqueObra(const StringGrid &g, int col, int fila);
// The rows around fila whose column comparada holds fila's text (a folder, column 1, of one
// order only).
TBloqueObra BloqueIgual(const StringGrid &g, int comparada, int fila);
