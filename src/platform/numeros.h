#pragma once
// Number parsing and printing that never depend on the locale.
#include <limits>
#include <string>
#include <string_view>

// Leading integer: blanks skipped, optional sign, digits; no digits gives 0 (as atoi). Inline:
// listings read it from every field of every line.
inline int LeeEntero(std::string_view texto) {
    size_t i = 0;
    while (i < texto.size() && (texto[i] == ' ' || texto[i] == '\t' || texto[i] == '\r' || texto[i] == '\n'))
        ++i;
    bool negativo = false;
    if (i < texto.size() && (texto[i] == '-' || texto[i] == '+'))
        negativo = texto[i++] == '-';
    long long v = 0;
    while (i < texto.size() && texto[i] >= '0' && texto[i] <= '9') {
        v = v * 10 + (texto[i++] - '0');
        if (v > std::numeric_limits<int>::max())
            v = std::numeric_limits<int>::max();
    }
    return static_cast<int>(negativo ? -v : v);
}
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
