#pragma once
// Employees: the records of "empleados.dat" (the 13 cells of an employees-grid row plus an
// empty line), the per-hour-type increments and the dated hourly-cost history.
#include "platform/stringgrid.h"

#include <QDate>
#include <string>
#include <vector>

constexpr int ColumnasEmpleado = 13;
// Lines per record in "empleados.dat"; set when the employees window is created.
extern int LineasPorEmpleado;
// Calendar code of the selected employee.
extern int CalendarioEmpleado;

// Employee grid columns.
enum ColumnaEmpleado {
    ColIdentificador = 0,
    ColNacimiento = 7,
    ColAntiguedad = 8,
    ColFoto = 9,
    ColCalendario = 10,
    ColIncrementos = 11,
    ColCostes = 12
};

// Employee number of an identifier (its leading integer).
int NumeroEmpleado(const std::string &identificador);
// Employee node texts of a company tree (nodes with a non-zero leading number), in tree order.
std::vector<std::string> NodosEmpleado(const std::vector<std::string> &lineasArbol);

// Rebuilds the employees grid from the employee nodes and the file's lines: a record stands
// once, on the row of its node; a record whose node was renamed follows the node of its
// employee number when that node has no record of its own; nodes without a record get a row
// with the identifier only.
void LlenaEmpleados(StringGrid &sg1, const std::vector<std::string> &nodos,
                    const std::vector<std::string> &lineasArchivo);
// Sorts rows 1..n by employee number (ties keep their order); returns the new index of fila.
int OrdenaEmpleados(StringGrid &sg1, int fila);
std::vector<std::string> LineasEmpleados(const StringGrid &sg1);
// Row whose identifier equals the text exactly, -1 when none.
int FilaEmpleado(const StringGrid &sg1, const std::string &identificador);

// Increments grid: row 0 titles, rows 1..n the hour types from index 1 (name, increment, Modo, Color).
void LlenaIncrementos(StringGrid &sg3, const std::vector<std::string> &lineasTiposHora);
// Column 11 into the increments column (pieces before each blank, "0" for the rest) and back.
void RepartirIncrementos(const std::string &incrementos, StringGrid &sg3);
std::string UneIncrementos(const StringGrid &sg3);

// THistorialCoste: entries "dd/mm/yyyy coste", each closed by ",".
std::vector<std::string> EntradasCoste(const std::string &historial);
std::string UneEntradasCoste(const std::vector<std::string> &entradas);
// A cost as typed, with a decimal comma turned into a point (the comma closes the entries).
std::string NormalizaCoste(const std::string &texto);
// A cost as the operator may type it: empty, or a number not below zero (comma or point).
bool CosteValido(const std::string &texto);
// The message for a price that is not one (Windows-1252).
std::string AvisoPrecio(const std::string &texto);
// The history entry for a cost from a date, "" when the cost is zero or not a number.
std::string EntradaCoste(const QDate &desde, const std::string &coste);
// Hourly cost of a day: the last entry, in list order, dated on or before the day; 0 when none.
double CosteHora(const std::string &historial, const QDate &dia);

// Short dates of the employee record.
std::string FechaCorta(const QDate &fecha);
QDate LeeFechaCorta(const std::string &texto);
