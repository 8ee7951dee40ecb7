#pragma once
// The presence table: built at start-up from the day's clockings, kept up to date by each stored
// clocking.
#include "terminal/listadofichajes.h"

#include <QDate>
#include <string>
#include <vector>

class StringGrid;

// The start-up build of the master station: today's clockings of each employee of rows 1..30 of
// empleados, listed by the listing service from the terminals given, fill those rows of
// TablaPresencia and TablaPresenciaLeida: in with the entry time when the day ends with an entry,
// else out with the last exit (exit hour 100 when there was none).
void PresenciaInicio(const std::vector<TTerminalListado> &terminales, const StringGrid &empleados,
                     const QDate &hoy);

// After the clocking writer stored registro (a raw record in Windows-1252): a presence clocking
// (no digit at OffsetPresencia) toggles its employee's rows 1..30 of empleados in
// TablaPresenciaLeida and writes "presentes" over in place. Returns the warning when "presentes"
// cannot be written, else "" (also with no employees grid, or a record too short to read).
std::string AnotaPresencia(const std::string &registro, const StringGrid *empleados);
