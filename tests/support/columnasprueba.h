#pragma once
// Columns of the clockings grids that tests fill by hand.
#include "terminal/listadofichajes.h"

// Terminal, day, month, year, hour, minute, incidence code.
inline TColumnasFichajes ColumnasPrueba() {
    TColumnasFichajes c;
    c.Dia = 1;
    c.Mes = 2;
    c.Anio = 3;
    c.Hora = 4;
    c.Minuto = 5;
    c.Incidencia = 6;
    return c;
}
