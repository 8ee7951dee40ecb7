#pragma once
// Numbering of a new work order. The roots of "produccion.org" are order types: "Mesa$4" is the
// type "Mesa" numbered with 4 digits in its file names; a root without "$" is an un-numbered type
// whose orders all carry number 0. Numbers run per year across all types.
#include <string>
#include <vector>

struct TTipoOrden {
    std::string Nombre; // the extension of its order files
    int Digitos = 4;    // width of the number in the file name (1 to 9)
    bool Numerado = true;
};

// False with a Spanish message when the type's name cannot be the extension of a file name (empty,
// a character a file name may not hold, or a final dot or blank).
bool LeeTipoOrden(const std::string &nodo, TTipoOrden &tipo, std::string &error);

struct TNumeracion {
    std::string Archivo;        // file name, "2024_0001.Mesa"
    std::string Numero;         // NumeroOrdenActual: the order number in 4 digits
    bool SinNumeracion = false; // an order of an un-numbered type
};

// Numbers a new order of the type node in a year: from the start number typed (its leading
// integer; below 1 starts at 1) up to the first number that no file of that year carries,
// whatever its type. An un-numbered type gets 0 with digitosSinNumero digits and no search. False
// with a Spanish message when the type is refused or the numbers would pass MaxNumeroOrden.
bool NumeraOrden(const std::string &nodo, int anio, const std::string &inicio, const std::string &directorio,
                 int digitosSinNumero, TNumeracion &numeracion, std::string &error);
// The width of an un-numbered order's 0: that of the first root when it is a numbered type, else 4.
int DigitosSinNumero(const std::vector<std::string> &raices);
