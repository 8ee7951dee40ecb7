#pragma once
// The entry and exit pair reader: walks the clockings grid of one employee, sorted by date and
// time, one pair of a given day per call.
#include "common/presencia.h"
#include "terminal/fichaje.h"

#include <QDate>
#include <cstdint>
#include <functional>

class StringGrid;

struct TPeticionLectura {
    QDate Fecha;      // the day wanted
    int32_t Fila = 1; // the grid row to start at
    uint8_t Modo = 0; // 1: the employee was in when the day began (the start row is an exit); 0, 2: not
};

// One pair of the day from the rows of a listing's grid, whose fields lie in the columns the listing
// gave. A returned SiguienteFila equal to the Fila asked for means that no further pair of that day
// starts there. Only rows of the day asked for count their incidences: each code 1..255 is handed
// to cuenta; codes above 255 are not counted.
TRegistroPresencia BuscaEntradaSalida(const StringGrid &grid, const TColumnasFichajes &columnas,
                                      TPeticionLectura peticion,
                                      const std::function<void(int codigo)> &cuenta = {});
