#include "common/registromin.h"

#include "platform/codepage.h"
#include "platform/lineas.h"
#include "platform/numeros.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

// Offset of band k (1 to 4); k out of range gives -1.
int PosFranja(int k) {
    return k >= 1 && k <= 4 ? TRegistroMin::PosFranjas + 4 * (k - 1) : -1;
}

} // namespace

TRegistroMin TRegistroMin::DeBytes(const std::string &datos, size_t pos) {
    TRegistroMin r;
    if (pos < datos.size()) {
        size_t n = std::min<size_t>(Tamano, datos.size() - pos);
        std::memcpy(r.Bytes.data(), datos.data() + pos, n);
    }
    return r;
}

std::string TRegistroMin::ABytes() const {
    return std::string(reinterpret_cast<const char *>(Bytes.data()), Tamano);
}

std::string TRegistroMin::Texto() const {
    const char *p = reinterpret_cast<const char *>(Bytes.data()) + PosTexto;
    return std::string(p, strnlen(p, TamTexto));
}

std::string TRegistroMin::Codigo() const {
    std::string t = Texto();
    size_t n = 0;
    while (n < t.size() && n < static_cast<size_t>(MaxDigitosCodigo) && t[n] >= '0' && t[n] <= '9')
        ++n;
    return t.substr(0, n);
}

std::string TRegistroMin::Nombre() const {
    std::string t = Texto();
    size_t desde = Codigo().size() + 1;
    return desde < t.size() ? t.substr(desde) : std::string();
}

void TRegistroMin::FijaTexto(const std::string &codigo, const std::string &nombre) {
    std::string t = codigo + " " + nombre;
    t = t.substr(0, strnlen(t.c_str(), TamTexto - 1));
    std::fill(Bytes.begin() + PosTexto, Bytes.begin() + PosTexto + TamTexto, 0xFF);
    std::memcpy(Bytes.data() + PosTexto, t.data(), t.size());
    Bytes[PosTexto + t.size()] = 0;
}

int TRegistroMin::Minucias() const {
    int n = static_cast<signed char>(Bytes[PosMinucias]);
    return std::clamp(n, 0, MaxMinucias);
}

std::string TRegistroMin::TextoMinucias() const {
    if (Porcentaje() == 255)
        return Formato("%d", Minucias());
    return Formato("%d-%d%%", Minucias(), Porcentaje());
}

std::string TRegistroMin::Franja(int k) const {
    int p = PosFranja(k);
    if (p < 0 || Bytes[p] == 0xFF)
        return FranjaLibreTexto;
    std::string t = FranjaLibreTexto;
    const int pos[4] = {0, 3, 6, 9};
    for (int i = 0; i < 4; ++i) {
        unsigned char b = Bytes[p + i];
        t[pos[i]] = static_cast<char>('0' + (b >> 4));
        t[pos[i] + 1] = static_cast<char>('0' + (b & 0x0F));
    }
    return t;
}

void TRegistroMin::FijaFranja(int k, const std::string &texto) {
    int p = PosFranja(k);
    if (p < 0)
        return;
    const size_t pos[4] = {0, 3, 6, 9};
    unsigned char b[4];
    for (int i = 0; i < 4; ++i) {
        int v = 0;
        for (size_t j = pos[i]; j < pos[i] + 2 && j < texto.size(); ++j) {
            int d = ValorHex(texto[j]);
            if (d < 0)
                break;
            v = v * 16 + d;
        }
        b[i] = static_cast<unsigned char>(v);
    }
    if (b[0] == 0x00 && b[1] == 0x00 && b[2] == 0x23 && b[3] == 0x59)
        std::fill(b, b + 4, 0xFF);
    std::memcpy(Bytes.data() + p, b, 4);
}

bool TRegistroMin::FranjaLibre(int k) const {
    int p = PosFranja(k);
    return p < 0 || Bytes[p] == 0xFF;
}

void TRegistroMin::LiberaFranja(int k) {
    int p = PosFranja(k);
    if (p >= 0)
        std::fill(Bytes.begin() + p, Bytes.begin() + p + 4, 0xFF);
}

TRegistroMin::ModoAcceso TRegistroMin::Modo() const {
    bool restoLibre = FranjaLibre(2) && FranjaLibre(3) && FranjaLibre(4);
    if (restoLibre && FranjaLibre(1))
        return ModoAcceso::Siempre;
    const unsigned char *f = Bytes.data() + PosFranjas;
    if (restoLibre && f[0] == 0 && f[1] == 0 && f[2] == 0 && f[3] == 0)
        return ModoAcceso::Nunca;
    return ModoAcceso::Franjas;
}

void TRegistroMin::FijaModo(ModoAcceso modo) {
    if (modo == ModoAcceso::Franjas)
        return;
    for (int k = 1; k <= 4; ++k)
        LiberaFranja(k);
    if (modo == ModoAcceso::Nunca)
        std::fill(Bytes.begin() + PosFranjas, Bytes.begin() + PosFranjas + 4, 0x00);
}

bool TRegistroMin::MismoUsuario(const TRegistroMin &otro) const {
    if (!std::equal(Bytes.begin(), Bytes.begin() + PosPlantilla, otro.Bytes.begin()))
        return false;
    int n = 4 * Minucias();
    return std::equal(Bytes.begin() + PosPlantilla, Bytes.begin() + PosPlantilla + n,
                      otro.Bytes.begin() + PosPlantilla);
}

void TRegistroMin::RellenaPlantilla() {
    std::fill(Bytes.begin() + PosPlantilla + 4 * Minucias(), Bytes.begin() + FinPlantilla, 0xFF);
}

void TRegistroMin::TextoAOem() {
    char *p = reinterpret_cast<char *>(Bytes.data()) + PosTexto;
    CharToOemBuf(p, strnlen(p, TamTexto));
}

void TRegistroMin::TextoDeOem() {
    char *p = reinterpret_cast<char *>(Bytes.data()) + PosTexto;
    OemToCharBuf(p, strnlen(p, TamTexto));
}

void TRegistroMin::PreparaEnvio() {
    RellenaPlantilla();
    TextoAOem();
}

std::string TRegistroMin::FormaHex() const {
    std::string r;
    r.reserve(LongitudHex);
    unsigned char x = 0;
    for (unsigned char b : Bytes) {
        r.push_back(kHex[b >> 4]);
        r.push_back(kHex[b & 0x0F]);
        x ^= b;
    }
    r.push_back(kHex[x >> 4]);
    r.push_back(kHex[x & 0x0F]);
    return r;
}

bool TRegistroMin::DeFormaHex(const std::string &hex, TRegistroMin &registro) {
    if (hex.size() < static_cast<size_t>(LongitudHex))
        return false;
    TRegistroMin r;
    unsigned char x = 0;
    for (int i = 0; i <= Tamano; ++i) {
        int alto = ValorHex(hex[2 * i]), bajo = ValorHex(hex[2 * i + 1]);
        if (alto < 0 || bajo < 0)
            return false;
        unsigned char b = static_cast<unsigned char>(alto * 16 + bajo);
        if (i < Tamano)
            r.Bytes[i] = b;
        x ^= b;
    }
    if (x != 0)
        return false;
    registro = r;
    return true;
}

std::string TextoEnmascarado(const std::string &texto) {
    std::string r = texto;
    size_t m = r.find(static_cast<char>(TRegistroMin::Marca));
    if (m != std::string::npos) {
        r[m] = ' ';
        std::fill(r.begin() + m + 1, r.end(), '*');
    }
    return r;
}

std::string TextoConRol(const std::string &texto, bool distingueCodigo) {
    size_t m = texto.find(static_cast<char>(TRegistroMin::Marca));
    if (m == std::string::npos)
        return texto;
    bool codigo = distingueCodigo && m + 1 < texto.size() && texto[m + 1] == '0';
    return texto.substr(0, m) + (codigo ? Ansi(" (CÓDIGO)") : std::string(" (SUPERVISOR)"));
}

bool LeeListaMin(const std::string &ruta, std::vector<TRegistroMin> &registros) {
    registros.clear();
    std::string datos;
    if (!LeeBytes(ruta, datos))
        return false;
    for (size_t pos = 0; pos + TRegistroMin::Tamano <= datos.size(); pos += TRegistroMin::Tamano)
        registros.push_back(TRegistroMin::DeBytes(datos, pos));
    return true;
}

bool EscribeListaMin(const std::string &ruta, const std::vector<TRegistroMin> &registros) {
    std::string datos;
    datos.reserve(registros.size() * TRegistroMin::Tamano);
    for (const auto &r : registros)
        datos += r.ABytes();
    return GuardaBytes(ruta, datos);
}

bool AnadeRegistroMin(const std::string &ruta, const TRegistroMin &registro) {
    return AnadeBytes(ruta, registro.ABytes());
}

std::vector<std::string> TextosListaMin(const std::string &ruta) {
    std::vector<std::string> textos;
    std::vector<TRegistroMin> registros;
    if (LeeListaMin(ruta, registros))
        for (const auto &r : registros)
            textos.push_back(TextoEnmascarado(r.Texto()));
    return textos;
}
