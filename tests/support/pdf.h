#pragma once
// Reading back the PDF files that printing tests write.
#include <QRegularExpression>
#include <QStringList>
#include <string>
#include <utility>
#include <vector>

// True when poppler's pdftotext is installed.
bool HayPdfToText();
// Text of each page (pdftotext -layout); empty when pdftotext is missing or fails.
QStringList PaginasPdf(const std::string &ruta);
// Renders the first page to a PNG file (pdftoppm, 150 pixels per inch); false when it could not.
bool PaginaPdfAImagen(const std::string &pdf, const std::string &png);
// Page sizes (width, height in points) of a PDF written by Qt, one per page.
std::vector<std::pair<int, int>> TamanosPdf(const std::string &ruta);
// The page header as pdftotext gives it back (a run of blanks becomes one), on a line of its own.
QRegularExpression CabeceraPdf(const QString &empresa, int pagina, int total);
