#pragma once
// Production by employee: for each employee marked, every period spent on a task in a date range
// with its order, time and cost, and the totals; the rows sorted by any column.
//
// An employee's clockings (the alias partner's included) are walked in time order. A code opens a
// period of its task; the next clocking ends it: "S" a plain one, "C" a closing code, "P" another
// code, which opens that task's period. A plain clocking with no task open resumes the last task
// ("E") on the day of the last period's start; on another day it resumes nothing and leaves a
// period still open as it is (running up to now).
#include "production/fichajesproduccion.h"
#include "production/obras.h"

#include <QDateTime>
#include <map>
#include <string>
#include <vector>

struct TPeticionPorEmpleado {
    std::vector<std::string> Empleados; // the entries marked, in list order
    TPeticionProduccion Listado;        // period and terminals (Busca is set per employee)
    std::string Directorio;             // the order files
    const StringGrid *GridEmpleados = nullptr;
    QDateTime Ahora;
    bool Horas = false;
};
struct TTotalesEmpleados {
    int Empleados = 0;
    int Minutos = 0;
    double Coste = 0;
};

// Rewrites sg3 with the periods of every employee of the request.
TTotalesEmpleados ProduccionPorEmpleado(const TPeticionPorEmpleado &p, StringGrid &sg3);

// The order files by number, each found (from a year down to 2000) and read once.
class TOrdenesPorNumero {
public:
    explicit TOrdenesPorNumero(const std::string &directorio) : directorio_(directorio) {}
    // The order of a number as found from a year back; nullptr when there is none. nombre: its
    // file name.
    const TOrdenTrabajo *Busca(int numero, int anio, std::string &nombre);

private:
    struct TEncontrada {
        std::string nombre;
        TOrdenTrabajo orden;
        bool hay = false;
    };
    std::string directorio_;
    std::map<std::pair<int, int>, TEncontrada> ordenes_;
};

// The block of a selected cell of the by-employee grid: columns 1 and 2 the rows of one part
// label, 6 one employee, 9 the row alone, any other one code.
TBloqueObra BloqueEmpleado(const StringGrid &g, int col, int fila);

// "Ordenar por": rows 1 on sorted by a column, equal cells keeping their order; numbers (columns
// 1, 3 and 6) by value, dates (7 and 8) by year, month and day, other columns as text, without
// regard to letter case.
void OrdenaPorColumna(StringGrid &g, int col);
