#pragma once
// The printer shared by the whole program (the printer set-up dialog changes it), and one print on
// a printer.
#include <functional>
#include <string>

class QPainter;
class QPrinter;

QPrinter &Impresora();

// One print on impresora: pinta draws the pages and returns false when the printer refuses a new
// page. The painter is always ended. A print to a file is read back, and a file not written whole
// is removed; a device, which cannot be read back, gets the print through a temporary file. After
// every print the printer gets a new engine with the same settings, so nothing that went wrong in
// one print reaches the next. False, with a Spanish message (Windows-1252) that names the cause,
// when the print did not complete.
bool Imprime(QPrinter &impresora, const std::function<bool(QPainter &)> &pinta, std::string &error);
