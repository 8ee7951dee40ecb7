#include "platform/fechatexto.h"

#include "platform/codepage.h"
#include "platform/numeros.h"

namespace {

const char *const kDias[] = {"lunes", "martes", "miércoles", "jueves", "viernes", "sábado", "domingo"};
const char *const kDiasCortos[] = {"lun", "mar", "mié", "jue", "vie", "sáb", "dom"};
const char *const kMeses[] = {"enero", "febrero", "marzo",      "abril",   "mayo",      "junio",
                              "julio", "agosto",  "septiembre", "octubre", "noviembre", "diciembre"};

std::string nombre(const char *const *tabla, int n, int i) {
    return i >= 1 && i <= n ? Ansi(tabla[i - 1]) : std::string();
}

// Length of the run of the pattern letter at pos (either case).
size_t repeticiones(const std::string &s, size_t pos, char letra) {
    size_t n = 0;
    while (pos + n < s.size() && (s[pos + n] | 0x20) == letra)
        ++n;
    return n;
}

std::string campo(const QDate &f, char letra, size_t n) {
    switch (letra) {
    case 'd':
        return n == 1   ? std::to_string(f.day())
               : n == 2 ? Formato("%02d", f.day())
               : n == 3 ? NombreDiaCorto(f.dayOfWeek())
                        : NombreDia(f.dayOfWeek());
    case 'm':
        return n == 1   ? std::to_string(f.month())
               : n == 2 ? Formato("%02d", f.month())
               : n == 3 ? NombreMes(f.month()).substr(0, 3)
                        : NombreMes(f.month());
    default:
        return n <= 2 ? Formato("%02d", f.year() % 100) : Formato("%04d", f.year());
    }
}

} // namespace

std::string NombreDia(int diaSemana) {
    return nombre(kDias, 7, diaSemana);
}
std::string NombreDiaCorto(int diaSemana) {
    return nombre(kDiasCortos, 7, diaSemana);
}
std::string NombreMes(int mes) {
    return nombre(kMeses, 12, mes);
}

std::string FormatoFecha(const QDate &fecha, const std::string &patron) {
    std::string r;
    size_t i = 0;
    while (i < patron.size()) {
        const char c = patron[i];
        if (c == '\'' || c == '"') {
            const size_t fin = patron.find(c, i + 1);
            r += patron.substr(i + 1, fin == std::string::npos ? std::string::npos : fin - i - 1);
            i = fin == std::string::npos ? patron.size() : fin + 1;
            continue;
        }
        const char letra = static_cast<char>(c | 0x20);
        if (letra != 'd' && letra != 'm' && letra != 'y') {
            r += c;
            ++i;
            continue;
        }
        const size_t n = repeticiones(patron, i, letra);
        r += campo(fecha, letra, n);
        i += n;
    }
    return r;
}
