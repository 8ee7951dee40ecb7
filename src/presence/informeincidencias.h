#pragma once
// Incidence listing: one employee's incidences over a date range, optionally of one type only,
// with the time each justifies. Built as lines with their text attributes; the document window
// is written by EscribeListadoIncidencias.
#include <QColor>
#include <QDate>
#include <string>
#include <vector>

// Every line is bold, size 16; only the colour changes.
struct LineaListado {
    std::string Texto; // Windows-1252
    QColor Color;
};

// empleado and incidencia are the editor's box texts (their leading numbers select); an
// incidence box without a number lists every type. Empty when the employee has no number.
std::vector<LineaListado> ListadoIncidencias(const std::string &empleado, const std::string &incidencia,
                                             const QDate &desde, const QDate &hasta);

class TEscritorInforme;
// Writes the lines into a report; false (nothing written) when the employee has no number.
bool EscribeListadoIncidencias(TEscritorInforme &inf, const std::string &empleado,
                               const std::string &incidencia, const QDate &desde, const QDate &hasta);
// Runs the listing into a new document window (no file name, "Guardar" left disabled).
void ImprimeIncidenciasExecute(const std::string &empleado, const std::string &incidencia, const QDate &desde,
                               const QDate &hasta);
