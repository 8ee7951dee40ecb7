#pragma once
// The entry and exit pair reader: walks the clockings grid of one employee, sorted by date and
// time, one pair of a given day per call.
#include "common/presencia.h"

#include <QDate>
#include <cstdint>
#include <functional>

class StringGrid;

struct TPeticionLectura {
    QDate Fecha;      // the day wanted
    int32_t Fila = 1; // the grid row to start at
    uint8_t Modo = 0; // 1: the employee was in when the day began (the start row is an exit)
};

// Reader mode of the callers' next call.
extern uint8_t ModoLecturaFichajes;
// Clockings counted per incidence code 1..255 (element c - 1 for code c).
extern int32_t ContadorIncidencias[255];

// One pair of the day from the grid rows (columns from the column-index globals). A returned
// SiguienteFila equal to the Fila asked for means that no further pair of that day starts there.
// Only rows of the day asked for count their incidences; codes above 255 are not counted.
TRegistroPresencia BuscaEntradaSalida(const StringGrid &grid, TPeticionLectura peticion);
// The same, handing each counted incidence code (1..255) to cuenta instead of ContadorIncidencias.
TRegistroPresencia BuscaEntradaSalida(const StringGrid &grid, TPeticionLectura peticion,
                                      const std::function<void(int codigo)> &cuenta);
