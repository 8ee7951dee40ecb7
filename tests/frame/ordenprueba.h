#pragma once
// Shared by the document tests: a work-order sheet of two tasks and the closing code, whose codes
// are runs in the bar-code font ("*00010001*", "*00010002*", "*00010000*").
#include "platform/informe.h"
#include "platform/stringgrid.h"
#include "production/obras.h"
#include "production/ordenimpresa.h"

inline void HojaDeOrden(TInformeRTF &inf) {
    StringGrid g;
    TitulosPorObra(g);
    g.SetRowCount(1);
    AnadeTareas(
        g, "2024_0001.Mesa",
        {"",
         "",
         {{"00010001", "7", "Pata-1", "1", "Cortar"}, {"00010002", "8", "Tablero-1", "1", "Pintar"}}});
    EscribeOrdenImpresa({&g, 0, 3, "2024_0001.Mesa\t01/02/2024 10:00:00", "", "", true}, inf);
}
