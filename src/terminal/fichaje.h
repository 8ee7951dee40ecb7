#pragma once
// The raw clocking record (TFichajeBruto, 103 bytes) and the line format language
// (TFormatoFichaje) that renders it into stored lines and day-file names.
#include <string>
#include <string_view>
#include <vector>

constexpr int LongitudFichaje = 103;
// Offsets inside a raw record.
constexpr int OffsetTerminal = 2;
constexpr int OffsetHora = 21;
constexpr int OffsetMinuto = 24;
constexpr int OffsetEmpleado = 34;
constexpr int OffsetPresencia = 78; // not a digit: a presence clocking
constexpr int OffsetProduccion = 88;

// The fixed format that describes a raw record as text (used to list the history file).
extern const std::string PlantillaBruta;

// Where a clockings listing put each field: the grid column of each field letter (0: the format
// has no such field), and the length of one stored line of the listing's format.
struct TColumnasFichajes {
    int Terminal = 0, Dia = 0, Mes = 0, Anio = 0, Hora = 0, Minuto = 0, Segundo = 0, Incidencia = 0,
        Codigo = 0, Nombre = 0, Produccion = 0, Acceso = 0;
    int LongitudLinea = 0;
};

// One field letter of the format language: where it lies in the raw record, how a width cuts it,
// its listing column's title and where a listing notes that column. The one table of letters: a
// new letter is a row of it (and a member of TColumnasFichajes when readers look its column up).
struct TCampoFichaje {
    char Letra;
    int Offset;
    int Longitud; // -1 for "c": the run of digits at the offset
    char Relleno;
    bool Izquierda;                  // a narrower width keeps the leftmost characters (else the rightmost)
    const char *Titulo;              // Windows-1252
    int TColumnasFichajes::*Columna; // nullptr: no reader looks the column up
};
// nullptr when letra is not one of the fourteen letters.
const TCampoFichaje *CampoFichaje(char letra);

// One item of a format: a field ("$" width letter; Letra may be unknown) or literal text with
// its escapes resolved (Letra 0).
struct TElementoFormato {
    char Letra = 0;
    int Ancho = 0;
    std::string Literal;
};
using TFormatoAnalizado = std::vector<TElementoFormato>;

// Never reads past the end of the format: "$" not followed by a digit is a literal "$", a
// trailing "$" width with no letter and a trailing "\" yield nothing; widths above 255 are 255.
TFormatoAnalizado AnalizaFormato(const std::string &formato);
// Length of every expansion of the format (fields give exactly their width).
int LongitudFormato(const TFormatoAnalizado &formato);

// Expands the format over a raw record; bytes beyond the record's end read as blanks. An
// unknown letter reuses the previous field of the expansion; as the first field it gives blanks.
std::string FormateaFichaje(const TFormatoAnalizado &formato, std::string_view registro);
std::string FormateaFichaje(const std::string &formato, std::string_view registro);

// The 103-byte stand-by record that names a day file for a terminal and a date.
std::string FichajeEnEspera(int terminal, int dia, int mes, int anio);
// Day-file name (without directory): the pattern expanded over the record, with '/', '\',
// NUL and control characters turned into '_' so the name cannot leave its directory.
std::string NombreParcial(const std::string &patron, std::string_view registro);
std::string NombreParcial(const TFormatoAnalizado &patron, std::string_view registro);

// Scramble key of a day file, taken from its name.
unsigned char ClaveFichajes(const std::string &nombre);
// Scrambles a stored line in place; a line whose second byte would reach 0x80 stays plain.
void CodificaLinea(std::string &linea, unsigned char clave);
// Unscrambles a line that carries the marker; plain lines are left alone. True when it had it.
bool DescodificaLinea(std::string &linea, unsigned char clave);
