#pragma once
// User lists of the lists page: where a named list lies, its records as rows of a users grid, the
// working list's add, remove, save and sorts, and which band of a row is edited.
#include "common/registromin.h"

#include <string>

class StringGrid;

// The working list and its scratch copy, in the working directory.
constexpr const char *ListaTrabajo = "tmp.min";
constexpr const char *ListaTrabajo2 = "tmp2.min";

// Case-insensitive order of texts (Windows-1252), accented letters beside their plain letter.
bool MenorTexto(const std::string &a, const std::string &b);

// A list-name text that names a path (it holds a separator).
bool EsRutaLista(const std::string &texto);
// The list's file: the text as a path, or in the lists directory; ".min" appended unless present.
std::string RutaListaHuellas(const std::string &texto);

// Leading digits of a code text without its leading zeros ("0" when none): the code's value
// however long, as "%d" would print it.
std::string ValorCodigo(const std::string &texto);

// Row fila of a users grid shows record r: number, code, name, minutiae and the four bands.
void FilaDeRegistro(StringGrid &g, int fila, const TRegistroMin &r);
// The grid keeps its title row and gets one row per record of the list at ruta. False when the
// file cannot be read; a missing, unreadable or empty list leaves no record row.
bool CargaListaEnGrid(const std::string &ruta, StringGrid &g);

// Appends records primera - 1 to ultima - 1 of the list fuente to the list trabajo, each only when
// trabajo holds no duplicate of it. False when a list cannot be read or trabajo written.
bool AnadeRegistros(const std::string &fuente, int primera, int ultima, const std::string &trabajo);
// Rewrites trabajo without its record at posicion (from 1).
bool QuitaRegistro(const std::string &trabajo, int posicion);
// Writes the records of trabajo to destino with the code, name and bands of the matching rows of
// g (row r: record r - 1; code, blank and name cut to 127 bytes, the code to 16 digits), then
// makes trabajo a copy of destino.
bool GuardaListaMin(const StringGrid &g, const std::string &trabajo, const std::string &destino);

enum class OrdenLista { Nombre, Minucias, Codigo };
// Rewrites trabajo in the ascending order of g's rows by name, minutiae count or code; equal
// keys keep their order.
bool OrdenaLista(const StringGrid &g, const std::string &trabajo, OrdenLista orden);

// The band edited when column col (4 to 7) of row fila is chosen, the row's access mode, and the
// column of that band.
struct TFranjaElegida {
    int Franja = 1;
    TRegistroMin::ModoAcceso Modo = TRegistroMin::ModoAcceso::Franjas;
    int Columna = 4;
};
TFranjaElegida FranjaAEditar(const StringGrid &g, int fila, int col);
// The band cells of a row for an access mode ("Sólo en franja horaria" changes nothing).
void AplicaModo(StringGrid &g, int fila, TRegistroMin::ModoAcceso modo);
// Band text "hh:mm/hh:mm" of a start and an end in minutes of the day.
std::string TextoFranja(int inicio, int fin);
