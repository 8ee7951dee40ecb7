#pragma once
// The printer shared by the whole program (the printer set-up dialog changes it), and one print on
// a printer.
#include <functional>

class QPainter;
class QPrinter;

QPrinter &Impresora();

enum class TResultadoImpresion { Hecha, SinImpresora, Interrumpida };

// One print on impresora: pinta draws the pages and returns false to stop. The painter is always
// ended and the printer left ready for the next print with its settings, also after a begin that
// failed or a print stopped midway. SinImpresora when painting could not begin; Interrumpida when
// pinta stopped or the printer did not finish.
TResultadoImpresion Imprime(QPrinter &impresora, const std::function<bool(QPainter &)> &pinta);
