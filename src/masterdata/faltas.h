#pragma once
// The absence sheet of an employee's month: every working day up to today without a clocking is an
// absence (" FALTA"), every other day without one a holiday (" Festivo").
#include "masterdata/horarios.h"
#include "platform/stringgrid.h"

#include <QDate>
#include <set>
#include <vector>

// Date of a row of a clockings grid from its day, month and year columns; a month or year column
// missing from the listing (0) is taken from defecto, a two-digit year counts from 2000. Invalid
// when the row holds no valid date or the listing has no day column.
QDate FechaFilaFichajes(const StringGrid &fichajes, int fila, int colDia, int colMes, int colAnio,
                        const QDate &defecto);
// Dates of the rows of a clockings grid (from row 1) that hold a valid one.
std::set<QDate> DiasConFichajes(const StringGrid &fichajes, int colDia, int colMes, int colAnio,
                                const QDate &mes);

// The holiday schedule codes of the configuration (TablaFestivos).
std::vector<int> CodigosFestivos();

// SGFaltas: 7 columns, row 0 "Lunes" ... "Domingo", rows 1..6 the weeks.
void TitulosFaltas(StringGrid &sg);
// Fills the weeks with the days of the month of mes up to and including hoy, each the day number
// (and a blank below 10) followed by " FALTA", " Festivo" or nothing; returns the absences. A day
// is a holiday when its byte of the day map is one of the holiday codes.
int RellenaHojaFaltas(StringGrid &sg, const QDate &mes, const QDate &hoy, const TDiasCalendario &dias,
                      const std::vector<int> &festivos, const std::set<QDate> &conFichajes);

// The first of the month paso months away from mes; a forward move to a month after hoy's is
// refused (mes's first is returned). A backward move is always made.
QDate MesFaltas(const QDate &mes, int paso, const QDate &hoy);
