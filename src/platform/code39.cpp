#include "platform/code39.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace Code39 {
namespace {

// The characters and, for each, its nine elements (bar, space, bar, ...): 1 is wide.
constexpr const char *Caracteres = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. *$/+%";
constexpr const char *Patrones[] = {
    "000110100", "100100001", "001100001", "101100000", "000110001", "100110000", "001110000", "000100101",
    "100100100", "001100100", "100001001", "001001001", "101001000", "000011001", "100011000", "001011000",
    "000001101", "100001100", "001001100", "000011100", "100000011", "001000011", "101000010", "000010011",
    "100010010", "001010010", "000000111", "100000110", "001000110", "000010110", "110000001", "011000001",
    "111000000", "010010001", "110010000", "011010000", "010000101", "110000100", "011000100", "010010100",
    "010101000", "010100010", "010001010", "000101010"};

} // namespace

bool Barras(const std::string &texto, std::vector<int> &anchos) {
    anchos.clear();
    for (size_t i = 0; i < texto.size(); ++i) {
        const char c = texto[i];
        const char *pos = c ? std::strchr(Caracteres, c) : nullptr;
        if (!pos) {
            anchos.clear();
            return false;
        }
        if (i > 0)
            anchos.push_back(1); // gap between characters
        for (const char *e = Patrones[pos - Caracteres]; *e; ++e)
            anchos.push_back(*e == '1' ? Ancho : 1);
    }
    return !anchos.empty();
}

std::string ConInicioYFin(const std::string &texto) {
    return "*" + texto + "*";
}

int Modulos(const std::string &texto) {
    std::vector<int> anchos;
    if (!Barras(texto, anchos))
        return 0;
    int total = 2 * ZonaQuieta;
    for (int a : anchos)
        total += a;
    return total;
}

bool Pinta(QPainter &p, const QRectF &area, const std::string &texto) {
    std::vector<int> anchos;
    if (!Barras(texto, anchos))
        return false;
    const int modulos = Modulos(texto);
    const int modulo = std::max(1, static_cast<int>(std::floor(area.width() / modulos)));
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    const int izquierda = static_cast<int>(std::round(area.left() + (area.width() - modulo * modulos) / 2));
    const int arriba = static_cast<int>(std::round(area.top()));
    const int alto = std::max(1, static_cast<int>(std::round(area.height())));
    p.fillRect(QRect(izquierda, arriba, modulo * modulos, alto), Qt::white);
    int x = izquierda + ZonaQuieta * modulo;
    for (size_t i = 0; i < anchos.size(); ++i) {
        const int w = anchos[i] * modulo;
        if (i % 2 == 0)
            p.fillRect(QRect(x, arriba, w, alto), Qt::black);
        x += w;
    }
    p.restore();
    return true;
}

} // namespace Code39
