#pragma once
// The production keys of the INI file: [Produccion] "NumeroDeCarpeta", the next folder number,
// and one counter per part name, the number of that part's first instance in the next order; and
// [Prov], the part counters of the order being composed, which its save moves into [Produccion].
#include "platform/archivoini.h"

#include <string>

// [Produccion] "NumeroDeCarpeta" ("1" when missing).
std::string LeeNumeroDeCarpeta(const TIniFile &ini);
// [Produccion] <pieza> (1 when missing or not a number).
int ContadorPieza(const TIniFile &ini, const std::string &pieza);
// [Prov] <pieza> = n; n 0 removes the key (the order holds no instance of the part).
bool FijaProvisional(TIniFile &ini, const std::string &pieza, int n);
// The save of an order: every key of [Prov] moves into [Produccion], then "NumeroDeCarpeta" takes
// carpeta. False when the file could not be written.
bool ConfirmaContadores(TIniFile &ini, const std::string &carpeta);
// A discarded composition leaves no provisional counter behind.
bool DescartaProvisionales(TIniFile &ini);
