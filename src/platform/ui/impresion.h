#pragma once
// The printer shared by the whole program (the printer set-up dialog changes it).
class QPrinter;
QPrinter &Impresora();
