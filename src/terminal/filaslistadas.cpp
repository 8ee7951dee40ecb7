#include "terminal/filaslistadas.h"

#include "platform/numeros.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace {

// Text order without regard to letter case or accents (the platform's text comparison).
struct Plegado {
    unsigned char t[256];
    Plegado() {
        for (int i = 0; i < 256; ++i)
            t[i] = static_cast<unsigned char>(i);
        for (int i = 'a'; i <= 'z'; ++i)
            t[i] = static_cast<unsigned char>(i - 32);
        const char *desde = "\xC0\xC1\xC2\xC3\xC4\xC5\xE0\xE1\xE2\xE3\xE4\xE5\xC8\xC9\xCA\xCB\xE8\xE9\xEA\xEB"
                            "\xCC\xCD\xCE\xCF\xEC\xED\xEE\xEF\xD2\xD3\xD4\xD5\xD6\xF2\xF3\xF4\xF5\xF6"
                            "\xD9\xDA\xDB\xDC\xF9\xFA\xFB\xFC\xC7\xE7\xF1";
        const char *hacia = "AAAAAAAAAAAAEEEEEEEEIIIIIIIIOOOOOOOOOOUUUUUUUUCC\xD1";
        for (size_t i = 0; desde[i]; ++i)
            t[static_cast<unsigned char>(desde[i])] = static_cast<unsigned char>(hacia[i]);
    }
};
const Plegado kPlegado;
constexpr uint64_t kAnulada = uint64_t{1} << 63;

// Control characters (below 32) made blanks, eight bytes at a time.
void blanquea(unsigned char *c, size_t n) {
    constexpr uint64_t k7F = 0x7F7F7F7F7F7F7F7F, k80 = 0x8080808080808080, kE0 = 0xE0E0E0E0E0E0E0E0;
    size_t k = 0;
    for (; k + 8 <= n; k += 8) {
        uint64_t x;
        std::memcpy(&x, c + k, 8);
        const uint64_t alto = (((x & kE0) >> 5) + k7F) & k80; // 0x80 where the byte is 32 or more
        const uint64_t control = ((~alto & k80) >> 7) * 0xFF;
        x = (x & ~control) | (0x2020202020202020 & control);
        std::memcpy(c + k, &x, 8);
    }
    for (; k < n; ++k)
        c[k] = c[k] < 32 ? ' ' : c[k];
}

} // namespace

FilasListadas::FilasListadas(size_t longitud, std::vector<Trozo> campos)
    : longitud_(longitud), campos_(std::move(campos)) {}

size_t FilasListadas::Anade(const TLineaParcial &l, int archivo) {
    const size_t fila = filas_, n = longitud_;
    const size_t i = fila % kFilasBloque;
    if (i == 0) // a block's pages are touched only as its rows are written
        bloques_.push_back({std::unique_ptr<char[]>(new char[kFilasBloque * n]),
                            std::unique_ptr<uint64_t[]>(new uint64_t[kFilasBloque]),
                            std::unique_ptr<uint32_t[]>(new uint32_t[kFilasBloque])});
    Bloque &b = bloques_.back();
    unsigned char *c = reinterpret_cast<unsigned char *>(b.texto.get() + i * n);
    const size_t copiados = std::min(n, l.Texto.size());
    std::memcpy(c, l.Texto.data(), copiados);
    std::memset(c + copiados, ' ', n - copiados);
    if (l.Anulada)
        c[0] &= 0x7F;
    blanquea(c, n);
    b.offsets[i] = static_cast<uint64_t>(l.Offset) | (l.Anulada ? kAnulada : 0);
    b.archivos[i] = static_cast<uint32_t>(archivo);
    return filas_++;
}

std::string_view FilasListadas::Marca(size_t fila, std::string &buffer) const {
    const uint64_t o = bloques_[fila / kFilasBloque].offsets[fila % kFilasBloque];
    buffer.resize(24);
    char *fin = std::to_chars(buffer.data(), buffer.data() + 21, o & ~kAnulada).ptr;
    if (o & kAnulada)
        fin = std::copy_n("-A", 2, fin);
    return std::string_view(buffer.data(), static_cast<size_t>(fin - buffer.data()));
}

FilasListadas::Trozo FilasListadas::Campo(int col) const {
    if (col <= 0 || static_cast<size_t>(col) > campos_.size())
        return {0, 0};
    return campos_[static_cast<size_t>(col - 1)];
}

int FilasListadas::Entero(size_t fila, int col) const {
    return LeeEntero(Campo(fila, col));
}

// Where the key's bytes lie in the line, in key order, leaving out those that are the same in
// every row (blanks among them): only the others order rows.
std::vector<size_t> FilasListadas::variables(const Trozos &trozos) const {
    std::vector<uint64_t> difiere((longitud_ + 7) / 8, 0);
    if (filas_ > 1) {
        const char *primera = linea(0);
        std::vector<uint64_t> base(difiere.size(), 0), w(difiere.size(), 0);
        std::memcpy(base.data(), primera, longitud_);
        for (size_t f = 1; f < filas_; ++f) {
            std::memcpy(w.data(), linea(f), longitud_);
            for (size_t k = 0; k < w.size(); ++k)
                difiere[k] |= w[k] ^ base[k];
        }
    }
    auto varia = [&](size_t pos) { return (difiere[pos / 8] >> (pos % 8 * 8) & 0xFF) != 0; };
    std::vector<size_t> v;
    for (const auto &[desde, cuantos] : trozos)
        for (size_t b = 0; desde != std::string::npos && b < cuantos; ++b)
            if (varia(desde + b))
                v.push_back(desde + b);
    return v;
}

std::vector<FilasListadas::Orden> FilasListadas::prefijos(const std::vector<size_t> &variables) const {
    const size_t n = std::min(kPrefijo, variables.size());
    std::vector<Orden> orden(filas_);
    for (size_t i = 0; i < orden.size(); ++i) {
        const unsigned char *l = reinterpret_cast<const unsigned char *>(linea(i));
        uint64_t v[3] = {};
        for (size_t b = 0; b < kPrefijo; ++b)
            v[b / 8] = v[b / 8] << 8 | (b < n ? kPlegado.t[l[variables[b]]] : 0);
        orden[i] = {{v[0], v[1]}, static_cast<uint32_t>(v[2]), static_cast<uint32_t>(i)};
    }
    return orden;
}

// The rest of the keys, folded, when their prefixes are equal.
int FilasListadas::compara(const std::vector<size_t> &variables, size_t a, size_t b) const {
    const unsigned char *la = reinterpret_cast<const unsigned char *>(linea(a));
    const unsigned char *lb = reinterpret_cast<const unsigned char *>(linea(b));
    for (size_t k = kPrefijo; k < variables.size(); ++k) {
        const unsigned char x = kPlegado.t[la[variables[k]]], y = kPlegado.t[lb[variables[k]]];
        if (x != y)
            return x < y ? -1 : 1;
    }
    return 0;
}

// Equal clockings: the same bytes in every part of the key.
bool FilasListadas::iguales(const Trozos &trozos, const Orden &a, const Orden &b) const {
    if (a.clave[0] != b.clave[0] || a.clave[1] != b.clave[1] || a.resto != b.resto)
        return false;
    for (const auto &[desde, cuantos] : trozos)
        if (desde != std::string::npos && std::memcmp(linea(a.fila) + desde, linea(b.fila) + desde, cuantos))
            return false;
    return true;
}

std::vector<uint32_t> FilasListadas::Ordena(const std::vector<int> &partes) const {
    Trozos trozos;
    for (int col : partes)
        trozos.push_back(col < 0 ? Trozo(std::string::npos, 1) : Campo(col));
    const std::vector<size_t> claves = variables(trozos);
    std::vector<Orden> orden = prefijos(claves);
    std::sort(orden.begin(), orden.end(), [&](const Orden &a, const Orden &b) {
        if (a.clave[0] != b.clave[0])
            return a.clave[0] < b.clave[0];
        if (a.clave[1] != b.clave[1])
            return a.clave[1] < b.clave[1];
        if (a.resto != b.resto)
            return a.resto < b.resto;
        const int c = compara(claves, a.fila, b.fila);
        return c != 0 ? c < 0 : a.fila < b.fila;
    });
    // Of equal clockings the one listed later stays.
    std::vector<uint32_t> unicas;
    unicas.reserve(orden.size());
    const Orden *ultima = nullptr;
    for (const Orden &o : orden) {
        if (ultima && iguales(trozos, *ultima, o))
            unicas.back() = o.fila;
        else
            unicas.push_back(o.fila);
        ultima = &o;
    }
    return unicas;
}

std::string_view CeldasListadas::Texto(int c, int r, std::string &aux) const {
    if (r == 0)
        return titulos_[static_cast<size_t>(c)];
    const size_t i = static_cast<size_t>(r - 1);
    if (i >= listadas_.size())
        return {};
    return c == 0 ? filas_.Marca(listadas_[i], aux) : filas_.Campo(listadas_[i], c);
}
