#pragma once
// Production by order: the task rows of the marked orders with every clocked period (who, from
// when to when, how long, at what cost), the counters of the tasks' states and the totals.
//
// A task's first period starts at the first clocking of its code and ends at the employee's next
// clocking: "S" a plain one, "C" an order's closing code, "P" any other code. After a plain exit
// the employee's next clocking restarts the task when it is a plain one on the period's day ("E")
// or the task's own code ("P"); otherwise the next clocking of the code by anybody does ("P").
// Each restart is a copy of the task row below it. Rows of quantity 0 are not counted as tasks.
#include "production/fichajesproduccion.h"
#include "production/ordentrabajo.h"

#include <QDateTime>
#include <string>
#include <vector>

struct TContadoresObra {
    int Trabajos = 0, Finalizados = 0, Pendientes = 0, SinIniciar = 0, EnProceso = 0, Obras = 0;
    int Minutos = 0;
    double Coste = 0;
};

// The periods of the task rows of tareas (rows 1 on, columns 0 to 5 filled) into rows 1 on of sg2
// (which may be the same grid): each task's periods in columns 6 to 10; an open period runs up to
// ahora.
TContadoresObra PeriodosPorObra(const StringGrid &tareas, StringGrid &sg2,
                                const std::vector<TFichajeProduccion> &fichajes,
                                const TCostesEmpleados &costes, long long ahora, bool horas);

// "Mostrar selección": the orders named, read from directorio, their task rows and periods.
struct TPeticionPorObra {
    std::vector<std::string> Nombres; // order file names, in list order
    std::string Directorio;
    TPeticionProduccion Listado; // period and terminals
    const StringGrid *Empleados = nullptr;
    QDateTime Ahora;
    bool Horas = false;
};
struct TResultadoPorObra {
    TContadoresObra Contadores;
    std::vector<std::string> Errores; // one per order skipped
    std::string UltimoNombre;         // the order read last, and its fields
    TOrdenTrabajo UltimaOrden;
};
// An order that is missing, truncated or no order at all is skipped with its message.
TResultadoPorObra ProduccionPorObra(const TPeticionPorObra &p, StringGrid &sg2);

// The counters' texts ("%5d") and the totals' ("%5d:%02d" or "%8d", "%10.2f €").
std::string TextoContador(int n);

// Titles of the listings: of a period (the date filter by order, the listing by employee, with
// the noun given), and after "Mostrar selección" of n orders (the filter's title, when there was
// one, gets the count appended).
std::string TituloPeriodo(const std::string &rotulo, const QDate &desde, const QDate &hasta);
std::string TituloSeleccion(int n, const std::string &tituloFiltro);
