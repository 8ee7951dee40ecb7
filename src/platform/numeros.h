#pragma once
// Number parsing and printing that never depend on the locale.
#include <string>

// Leading integer: blanks skipped, optional sign, digits; no digits gives 0 (as atoi).
int LeeEntero(const std::string &texto);
// Leading hexadecimal digits (no prefix); none gives 0.
unsigned long LeeHex(const std::string &texto);
// Value of one hexadecimal digit; -1 when it is not one.
int ValorHex(char c);
// Leading decimal number with '.' as the separator; none gives 0.0 (as atof in the C locale).
double LeeDecimal(const std::string &texto);
// The whole text (blanks around allowed) is a decimal integer that fits an int.
bool EnteroValido(const std::string &texto, int &valor);
// The whole text (blanks around allowed) is a decimal number: optional sign, digits with at most
// one '.' between or around them, no exponent.
bool DecimalValido(const std::string &texto, double &valor);
// Fixed notation with the given decimals and '.' as the separator.
std::string FormatoDecimal(double valor, int decimales);
// printf-style formatting into a std::string (use only with the C numeric locale in force).
std::string Formato(const char *patron, ...) __attribute__((format(printf, 1, 2)));
