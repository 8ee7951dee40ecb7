#include "terminal/listasusuarios.h"

#include "common/configuracion.h"
#include "platform/lineas.h"
#include "platform/numeros.h"
#include "platform/stringgrid.h"

#include <algorithm>
#include <numeric>

namespace {

using Modo = TRegistroMin::ModoAcceso;
constexpr const char *kSinAcceso = "00:00/00:00";

// The primary weight of a Windows-1252 text: letters folded to lower case, accented vowels and c
// to their plain letter, ñ right after n.
std::string claveOrden(const std::string &t) {
    static const char *const plano[64] = {
        "a",    "a",     "a", "a", "a", "a", "\xE6", "c",    "e",    "e", "e", "e", "i", "i", "i",
        "i", // C0
        "\xF0", "n\x7F", "o", "o", "o", "o", "o",    "\xD7", "\xF8", "u", "u", "u", "u", "y", "\xFE",
        "\xDF", // D0
        "a",    "a",     "a", "a", "a", "a", "\xE6", "c",    "e",    "e", "e", "e", "i", "i", "i",
        "i", // E0
        "\xF0", "n\x7F", "o", "o", "o", "o", "o",    "\xF7", "\xF8", "u", "u", "u", "u", "y", "\xFE",
        "y", // F0
    };
    std::string r;
    r.reserve(t.size());
    for (char c : t) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 'A' && b <= 'Z')
            r.push_back(static_cast<char>(b + 32));
        else if (b >= 0xC0)
            r += plano[b - 0xC0];
        else
            r.push_back(c);
    }
    return r;
}

bool menorBytes(const std::string &a, const std::string &b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

// Code cell as stored: its leading digits, at most 16.
std::string codigoDeCelda(const std::string &celda) {
    size_t n = 0;
    while (n < celda.size() && n < static_cast<size_t>(TRegistroMin::MaxDigitosCodigo) && celda[n] >= '0' &&
           celda[n] <= '9')
        ++n;
    return celda.substr(0, n);
}

// The value of a digit string as a fixed-width key: numbers compare as texts.
std::string claveNumero(const std::string &celda) {
    const std::string v = ValorCodigo(celda);
    return std::string(v.size() < 20 ? 20 - v.size() : 0, '0') + v;
}

} // namespace

bool MenorTexto(const std::string &a, const std::string &b) {
    const std::string ka = claveOrden(a), kb = claveOrden(b);
    if (ka != kb)
        return menorBytes(ka, kb);
    return menorBytes(a, b);
}

bool EsRutaLista(const std::string &texto) {
    return texto.find('\\') != std::string::npos || texto.find('/') != std::string::npos;
}

std::string RutaListaHuellas(const std::string &texto) {
    std::string ruta = EsRutaLista(texto) ? texto : Configuracion().DirHuellas + texto;
    std::string fin = ruta.size() >= 4 ? ruta.substr(ruta.size() - 4) : ruta;
    std::transform(fin.begin(), fin.end(), fin.begin(),
                   [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return fin == ".min" ? ruta : ruta + ".min";
}

std::string ValorCodigo(const std::string &texto) {
    size_t i = 0;
    while (i < texto.size() && (texto[i] == ' ' || texto[i] == '\t'))
        ++i;
    size_t fin = i;
    while (fin < texto.size() && texto[fin] >= '0' && texto[fin] <= '9')
        ++fin;
    while (i + 1 < fin && texto[i] == '0')
        ++i;
    return i < fin ? texto.substr(i, fin - i) : "0";
}

void FilaDeRegistro(StringGrid &g, int fila, const TRegistroMin &r) {
    g.Cells[0][fila] = std::to_string(fila);
    g.Cells[1][fila] = r.Codigo();
    g.Cells[2][fila] = r.Nombre();
    g.Cells[3][fila] = r.TextoMinucias();
    for (int k = 1; k <= 4; ++k)
        g.Cells[3 + k][fila] = r.Franja(k);
}

bool CargaListaEnGrid(const std::string &ruta, StringGrid &g) {
    std::vector<TRegistroMin> registros;
    const bool ok = LeeListaMin(ruta, registros);
    g.SetRowCount(static_cast<int>(registros.size()) + 1);
    for (size_t i = 0; i < registros.size(); ++i)
        FilaDeRegistro(g, static_cast<int>(i) + 1, registros[i]);
    return ok;
}

bool AnadeRegistros(const std::string &fuente, int primera, int ultima, const std::string &trabajo) {
    std::vector<TRegistroMin> origen, destino;
    if (!LeeListaMin(fuente, origen))
        return false;
    if (ExisteArchivo(trabajo) && !LeeListaMin(trabajo, destino))
        return false;
    for (int r = std::max(primera, 1); r <= ultima && r <= static_cast<int>(origen.size()); ++r) {
        const TRegistroMin &nuevo = origen[static_cast<size_t>(r - 1)];
        const bool repetido = std::any_of(destino.begin(), destino.end(),
                                          [&](const TRegistroMin &d) { return d.MismoUsuario(nuevo); });
        if (!repetido)
            destino.push_back(nuevo);
    }
    return EscribeListaMin(trabajo, destino);
}

bool QuitaRegistro(const std::string &trabajo, int posicion) {
    std::vector<TRegistroMin> registros;
    if (!LeeListaMin(trabajo, registros))
        return false;
    if (posicion >= 1 && posicion <= static_cast<int>(registros.size()))
        registros.erase(registros.begin() + (posicion - 1));
    return EscribeListaMin(trabajo, registros);
}

bool GuardaListaMin(const StringGrid &g, const std::string &trabajo, const std::string &destino) {
    std::vector<TRegistroMin> registros;
    if (!LeeListaMin(trabajo, registros))
        return false;
    for (size_t i = 0; i < registros.size(); ++i) {
        const int fila = static_cast<int>(i) + 1;
        if (fila >= g.RowCount())
            break;
        TRegistroMin &r = registros[i];
        r.FijaTexto(codigoDeCelda(g.Celda(1, fila)), g.Celda(2, fila));
        for (int k = 1; k <= 4; ++k)
            r.FijaFranja(k, g.Celda(3 + k, fila));
    }
    return EscribeListaMin(destino, registros) && (destino == trabajo || EscribeListaMin(trabajo, registros));
}

bool OrdenaLista(const StringGrid &g, const std::string &trabajo, OrdenLista orden) {
    std::vector<TRegistroMin> registros;
    if (!LeeListaMin(trabajo, registros))
        return false;
    const int filas = std::min(g.RowCount() - 1, static_cast<int>(registros.size()));
    if (filas <= 0)
        return true;
    std::vector<std::string> claves;
    for (int i = 0; i < filas; ++i) {
        const int fila = i + 1;
        if (orden == OrdenLista::Nombre)
            claves.push_back(claveOrden(Formato("%-64s", g.Celda(2, fila).c_str())));
        else if (orden == OrdenLista::Minucias)
            claves.push_back(Formato("%016d", LeeEntero(g.Celda(3, fila))));
        else
            claves.push_back(claveNumero(g.Celda(1, fila)));
    }
    // Keys equal but for letter case keep their order, as the record index after them decides.
    std::vector<size_t> indices(static_cast<size_t>(filas));
    std::iota(indices.begin(), indices.end(), size_t{0});
    std::stable_sort(indices.begin(), indices.end(),
                     [&](size_t a, size_t b) { return menorBytes(claves[a], claves[b]); });
    std::vector<TRegistroMin> ordenados;
    for (size_t i : indices)
        ordenados.push_back(registros[i]);
    for (size_t i = static_cast<size_t>(filas); i < registros.size(); ++i)
        ordenados.push_back(registros[i]);
    return EscribeListaMin(trabajo, ordenados);
}

TFranjaElegida FranjaAEditar(const StringGrid &g, int fila, int col) {
    TFranjaElegida e;
    int c = std::clamp(col, 4, 7);
    const std::string &primera = g.Celda(4, fila);
    for (;;) {
        e.Franja = c - 3;
        e.Columna = c;
        e.Modo = Modo::Franjas;
        if (primera == kSinAcceso)
            e.Modo = Modo::Nunca;
        else if (primera == TRegistroMin::FranjaLibreTexto)
            e.Modo = Modo::Siempre;
        else if (g.Celda(c - 1, fila) == TRegistroMin::FranjaLibreTexto)
            e.Modo = Modo::Siempre;
        if (e.Franja == 1 || e.Modo == Modo::Franjas)
            return e;
        --c;
    }
}

void AplicaModo(StringGrid &g, int fila, TRegistroMin::ModoAcceso modo) {
    if (modo == Modo::Franjas)
        return;
    for (int c = 4; c <= 7; ++c)
        g.Cells[c][fila] = TRegistroMin::FranjaLibreTexto;
    if (modo == Modo::Nunca)
        g.Cells[4][fila] = kSinAcceso;
}

std::string TextoFranja(int inicio, int fin) {
    return Formato("%02d:%02d/%02d:%02d", inicio / 60, inicio % 60, fin / 60, fin % 60);
}
