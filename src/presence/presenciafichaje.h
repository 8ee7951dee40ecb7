#pragma once
// The presence table kept up to date by each stored clocking.
#include <string>

class StringGrid;

// After the clocking writer stored registro (a raw record in Windows-1252): a presence clocking
// (no digit at OffsetPresencia) toggles its employee's rows 1..30 of empleados in
// TablaPresenciaLeida and writes "presentes" over in place. Returns the warning when "presentes"
// cannot be written, else "" (also with no employees grid, or a record too short to read).
std::string AnotaPresencia(const std::string &registro, const StringGrid *empleados);
