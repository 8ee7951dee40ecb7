#pragma once
// Code 39 bar codes drawn by our own painter: start and stop "*" are part of the text as a bar-code
// font would take it, no check digit, wide elements three times the narrow, a narrow gap between
// characters and a quiet zone of ten narrow modules on each side.
#include <QRectF>
#include <string>
#include <vector>

class QPainter;

namespace Code39 {

constexpr int Ancho = 3;       // modules of a wide element
constexpr int ZonaQuieta = 10; // modules of blank before and after
// The bar-code font of the documents: a run in it is drawn as bars (platform/ui/barrasdocumento.h).
constexpr const char *Fuente = "IDAutomationHC39M";

// Widths in modules of the elements of texto, bar first, alternating bar and space, the quiet
// zones not included. False (and anchos empty) when a character has no Code 39 pattern.
bool Barras(const std::string &texto, std::vector<int> &anchos);
// "*" + texto + "*".
std::string ConInicioYFin(const std::string &texto);
// Modules of the whole symbol with its quiet zones (0 when texto cannot be coded).
int Modulos(const std::string &texto);

// Paints the bars of texto into area, black on white, quiet zones included: whole pixels per
// module (at least one), no antialiasing, centred across the area. False when texto cannot be
// coded (nothing painted).
bool Pinta(QPainter &p, const QRectF &area, const std::string &texto);

} // namespace Code39
