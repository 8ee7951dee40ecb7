#pragma once
// Printing what a window shows on one page of the program's printer.
#include <QPointF>
#include <functional>
#include <vector>

class QPainter;
class QWidget;

// The printer set-up before a print: the dialogs seam's answer when a responder is installed, the
// print dialog otherwise. False when cancelled.
bool PreparaImpresora(QWidget *padre);
// One page: dibujo paints from origen (printer pixels), each of its pixels as escala printer pixels.
// False, with a message, when the print did not complete.
bool ImprimeDibujo(const std::function<void(QPainter &)> &dibujo, const QPointF &origen, double escala);
// The panels one below the other as one picture on a white ground, stretched from the page's
// top-left corner by the configured "factorx" (4.5 when it is 0 or less).
bool ImprimePaneles(const std::vector<QWidget *> &paneles);
