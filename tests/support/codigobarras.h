#pragma once
// Reads the bar codes of an image file with zbarimg.
#include <string>
#include <vector>

// True when zbarimg is installed.
bool HayZbar();
// The decoded texts in the order zbarimg gives them, each as "TYPE:data" (empty when none).
std::vector<std::string> LeeCodigosBarras(const std::string &imagen);
// The decoded texts from the top of the image down: the image is read band by band, a band being
// a run of rows that hold a dark pixel.
std::vector<std::string> LeeCodigosBarrasEnOrden(const std::string &imagen);
// True when pdftoppm is installed.
bool HayPdfToPpm();
// The bar codes of every page of a PDF rendered by pdftoppm at ppp pixels per inch: page by page,
// each from the top down.
std::vector<std::string> LeeCodigosBarrasPdf(const std::string &pdf, int ppp = 300);
