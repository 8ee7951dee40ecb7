#pragma once
// The raw clocking record of a manual clocking: terminal "000", 103 characters with the
// leading CR LF, stored through the same writer as a terminal's clocking.
#include <QDate>
#include <QTime>
#include <string>

constexpr int AnchoEmpleadoFichaje = 54;

// Three-letter Spanish weekday name, as the terminals write it ("Jue").
std::string DiaSemanaFichaje(const QDate &d);
// Incidence code of the typed text: its leading integer (0 when none); false outside 0..999.
bool CodigoIncidenciaFichaje(const std::string &texto, int &codigo);
// The line shown in the window (positions 2 to 102 of the record): "" without an employee or
// with an invalid incidence code. The employee is cut or padded to 54 characters and the
// production code to 8, so the record stays 103 characters.
std::string LineaFichaje(const QDate &fecha, const QTime &hora, const std::string &incidencia,
                         const std::string &empleado, const std::string &codigo);

enum class ResultadoFichaje { Guardado, SinLinea, NoGuardado };
// Converts "\r\n" + line to the OEM code page and hands it to the clocking writer. aviso: set when
// the clocking was stored but the presence table could not be written.
ResultadoFichaje GuardaFichajeManual(const std::string &linea, std::string *aviso = nullptr);
