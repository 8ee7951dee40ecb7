#pragma once
// Printing what a window shows: its panels painted onto one page of the program's printer.
#include <QPointF>
#include <vector>

class QWidget;

// The printer set-up before a print: the dialogs seam's answer when a responder is installed, the
// print dialog otherwise. False when cancelled.
bool PreparaImpresora(QWidget *padre);
// Paints the widgets one below the other, each on a white ground, onto one page: from origen (printer
// pixels), each screen pixel as escala printer pixels. False, with a message, when the printer
// cannot be used.
bool ImprimeEnPagina(const std::vector<QWidget *> &paneles, const QPointF &origen, double escala);
// The scale of the panels' prints: the configured "factorx", 4.5 when it is 0 or less.
double FactorPaneles();
