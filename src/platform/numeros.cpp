#include "platform/numeros.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <limits>

namespace {
size_t saltaBlancos(std::string_view t, size_t i = 0) {
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t' || t[i] == '\r' || t[i] == '\n'))
        ++i;
    return i;
}
// End of the text without its trailing blanks, not before i.
size_t finSinBlancos(const std::string &t, size_t i) {
    size_t fin = t.size();
    while (fin > i && (t[fin - 1] == ' ' || t[fin - 1] == '\t'))
        --fin;
    return fin;
}
} // namespace

int ValorHex(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

unsigned long LeeHex(const std::string &texto) {
    size_t i = saltaBlancos(texto);
    unsigned long v = 0;
    for (; i < texto.size(); ++i) {
        int d = ValorHex(texto[i]);
        if (d < 0)
            break;
        v = (v << 4) | static_cast<unsigned long>(d);
    }
    return v;
}

double LeeDecimal(const std::string &texto) {
    size_t i = saltaBlancos(texto);
    if (i < texto.size() && texto[i] == '+')
        ++i;
    double v = 0.0;
    auto r = std::from_chars(texto.data() + i, texto.data() + texto.size(), v, std::chars_format::fixed);
    if (r.ec != std::errc())
        return 0.0;
    return v;
}

bool EnteroValido(const std::string &texto, int &valor) {
    size_t i = saltaBlancos(texto);
    const size_t fin = finSinBlancos(texto, i);
    if (i < fin && texto[i] == '+')
        ++i;
    if (i >= fin)
        return false;
    int v = 0;
    auto r = std::from_chars(texto.data() + i, texto.data() + fin, v, 10);
    if (r.ec != std::errc() || r.ptr != texto.data() + fin)
        return false;
    valor = v;
    return true;
}

bool DecimalValido(const std::string &texto, double &valor) {
    size_t i = saltaBlancos(texto);
    const size_t fin = finSinBlancos(texto, i);
    const size_t inicio = i;
    if (i < fin && (texto[i] == '+' || texto[i] == '-'))
        ++i;
    int cifras = 0, puntos = 0;
    for (size_t k = i; k < fin; ++k) {
        if (texto[k] >= '0' && texto[k] <= '9')
            ++cifras;
        else if (texto[k] == '.')
            ++puntos;
        else
            return false;
    }
    if (cifras == 0 || puntos > 1)
        return false;
    const bool negativo = texto[inicio] == '-';
    double v = 0.0;
    std::from_chars(texto.data() + i, texto.data() + fin, v, std::chars_format::fixed);
    valor = negativo ? -v : v;
    return true;
}

std::string FormatoDecimal(double valor, int decimales) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, valor, std::chars_format::fixed, decimales);
    if (r.ec != std::errc())
        return "0";
    return std::string(buf, r.ptr);
}

std::string Formato(const char *patron, ...) {
    va_list a;
    va_start(a, patron);
    va_list b;
    va_copy(b, a);
    char corto[256]; // most texts fit: formatted once
    const int n = std::vsnprintf(corto, sizeof corto, patron, a);
    va_end(a);
    std::string r;
    if (n > 0 && static_cast<size_t>(n) < sizeof corto) {
        r.assign(corto, static_cast<size_t>(n));
    } else if (n > 0) {
        r.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(r.data(), r.size(), patron, b);
        r.resize(static_cast<size_t>(n));
    }
    va_end(b);
    return r;
}
