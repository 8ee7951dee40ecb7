#include "terminal/fichaje.h"

#include "platform/numeros.h"
#include "platform/rutas.h"

#include <algorithm>
#include <charconv>
#include <string_view>

const std::string PlantillaBruta = "\r\n$3t $3s $2d/$2m/$4a $2H:$2M:$2S $3i $54n$8p $1u-$4o";

namespace {
using C = TColumnasFichajes;
const TCampoFichaje kCampos[] = {
    {'t', 2, 3, '0', false, "Terminal", &C::Terminal},
    {'s', 6, 3, ' ', false, "Dia Semana", nullptr},
    {'d', 10, 2, '0', false, "Dia", &C::Dia},
    {'m', 13, 2, '0', false, "Mes", &C::Mes},
    {'a', 16, 4, ' ', false, "A\xF1o", &C::Anio},
    {'H', 21, 2, ' ', false, "Hora", &C::Hora},
    {'M', 24, 2, ' ', false, "Minuto", &C::Minuto},
    {'S', 27, 2, ' ', false, "Segundo", &C::Segundo},
    {'i', 30, 3, '0', false, "Incidencia", &C::Incidencia},
    {'c', 34, -1, '0', false, "C\xF3\x64igo", &C::Codigo},
    {'n', 34, 54, ' ', true, "Nombre", &C::Nombre},
    {'p', 88, 8, '0', false, "Producci\xF3n", &C::Produccion},
    {'u', 97, 1, ' ', true, "Acceso", &C::Acceso},
    {'o', 99, 4, '0', false, "Orden", nullptr},
};

bool esDigito(char c) {
    return c >= '0' && c <= '9';
}

char byteEn(std::string_view r, int i) {
    return i >= 0 && static_cast<size_t>(i) < r.size() ? r[i] : ' ';
}

void anadeLiteral(TFormatoAnalizado &f, const std::string &s) {
    if (s.empty())
        return;
    if (f.empty() || f.back().Letra != 0)
        f.push_back({});
    f.back().Literal += s;
}
} // namespace

const TCampoFichaje *CampoFichaje(char letra) {
    for (const TCampoFichaje &c : kCampos)
        if (c.Letra == letra)
            return &c;
    return nullptr;
}

TFormatoAnalizado AnalizaFormato(const std::string &formato) {
    TFormatoAnalizado f;
    const size_t n = formato.size();
    size_t i = 0;
    while (i < n) {
        char c = formato[i];
        if (c == '$' && i + 1 < n && esDigito(formato[i + 1])) {
            size_t j = i + 1;
            int ancho = 0;
            while (j < n && esDigito(formato[j])) {
                ancho = std::min(ancho * 10 + (formato[j] - '0'), 1000);
                ++j;
            }
            if (j < n) {
                TElementoFormato e;
                e.Letra = formato[j];
                e.Ancho = std::min(ancho, 255);
                f.push_back(e);
                ++j;
            }
            i = j;
        } else if (c == '\\') {
            if (i + 1 < n) {
                switch (formato[i + 1]) {
                case '\\':
                    anadeLiteral(f, "\\");
                    break;
                case 'n':
                    anadeLiteral(f, "\n");
                    break;
                case 'r':
                    anadeLiteral(f, "\r");
                    break;
                case 't':
                    anadeLiteral(f, "\t");
                    break;
                default:
                    break;
                }
            }
            i += 2;
        } else {
            anadeLiteral(f, std::string(1, c));
            ++i;
        }
    }
    return f;
}

int LongitudFormato(const TFormatoAnalizado &formato) {
    int l = 0;
    for (const TElementoFormato &e : formato)
        l += e.Letra ? e.Ancho : static_cast<int>(e.Literal.size());
    return l;
}

std::string FormateaFichaje(const TFormatoAnalizado &formato, std::string_view registro) {
    std::string out;
    out.reserve(static_cast<size_t>(LongitudFormato(formato)));
    // Offset, length and pad of the previous field, reused by an unknown letter.
    int offset = 0, longitud = 0;
    char relleno = ' ';
    for (const TElementoFormato &e : formato) {
        if (!e.Letra) {
            out += e.Literal;
            continue;
        }
        const TCampoFichaje *c = CampoFichaje(e.Letra);
        if (c) {
            offset = c->Offset;
            relleno = c->Relleno;
            longitud = c->Longitud;
            if (longitud < 0) {
                longitud = 0;
                while (longitud < 54 && esDigito(byteEn(registro, offset + longitud)))
                    ++longitud;
            }
        }
        const int ancho = e.Ancho;
        if (ancho > longitud) {
            out.append(static_cast<size_t>(ancho - longitud), relleno);
            for (int k = 0; k < longitud; ++k)
                out += byteEn(registro, offset + k);
        } else {
            const int desde = c && c->Izquierda ? offset : offset + longitud - ancho;
            for (int k = 0; k < ancho; ++k)
                out += byteEn(registro, desde + k);
        }
    }
    return out;
}

std::string FormateaFichaje(const std::string &formato, std::string_view registro) {
    return FormateaFichaje(AnalizaFormato(formato), registro);
}

namespace {
// printf's "%0*d" (the sign counts in the width), written without printf: a listing names a day
// file with it for every day and terminal.
void enteroRelleno(std::string &s, int v, int ancho) {
    char b[16];
    std::string_view d(b, static_cast<size_t>(std::to_chars(b, b + sizeof b, v).ptr - b));
    if (v < 0) {
        s += '-';
        d.remove_prefix(1);
        --ancho;
    }
    if (static_cast<int>(d.size()) < ancho)
        s.append(static_cast<size_t>(ancho) - d.size(), '0');
    s += d;
}
} // namespace

std::string FichajeEnEspera(int terminal, int dia, int mes, int anio) {
    std::string r = "\r\n";
    enteroRelleno(r, terminal, 3);
    r += " ??? ";
    enteroRelleno(r, dia, 2);
    r += '/';
    enteroRelleno(r, mes, 2);
    r += '/';
    enteroRelleno(r, anio, 0);
    r += " ??:??:?? ";
    r.append(64, '?');
    r += " ???";
    r.resize(LongitudFichaje, '?');
    return r;
}

std::string NombreParcial(const TFormatoAnalizado &patron, std::string_view registro) {
    return ParteNombreArchivo(FormateaFichaje(patron, registro));
}

std::string NombreParcial(const std::string &patron, std::string_view registro) {
    return NombreParcial(AnalizaFormato(patron), registro);
}

unsigned char ClaveFichajes(const std::string &nombre) {
    // The second character of the name (the day's units digit with the default pattern).
    return nombre.size() > 1 ? static_cast<unsigned char>(nombre[1]) : 0;
}

void CodificaLinea(std::string &linea, unsigned char clave) {
    if (linea.size() < 4)
        return;
    if (((static_cast<unsigned char>(linea[1]) + clave) & 0x80) != 0)
        return; // the marker would hide the byte: keep the line plain
    for (size_t i = 0; i + 2 < linea.size(); ++i)
        linea[i] = static_cast<char>(static_cast<unsigned char>(linea[i]) + clave);
    linea[1] = static_cast<char>(static_cast<unsigned char>(linea[1]) | 0x80);
}

bool DescodificaLinea(std::string &linea, unsigned char clave) {
    if (linea.size() < 2 || (static_cast<unsigned char>(linea[1]) & 0x80) == 0)
        return false;
    linea[1] = static_cast<char>(static_cast<unsigned char>(linea[1]) & 0x7F);
    for (size_t i = 0; i + 2 < linea.size(); ++i)
        linea[i] = static_cast<char>(static_cast<unsigned char>(linea[i]) - clave);
    return true;
}
