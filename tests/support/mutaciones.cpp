#include "support/mutaciones.h"

#include "support/dirtemporal.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::string reemplaza(std::string s, const std::string &de, const std::string &a) {
    for (size_t p = s.find(de); p != std::string::npos; p = s.find(de, p + a.size()))
        s.replace(p, de.size(), a);
    return s;
}

// Every run of digits through f.
std::string numeros(const std::string &s, const std::function<std::string(const std::string &)> &f) {
    std::string r;
    for (size_t i = 0; i < s.size();) {
        size_t j = i;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9')
            ++j;
        if (j == i) {
            r += s[i++];
            continue;
        }
        r += f(s.substr(i, j - i));
        i = j;
    }
    return r;
}

} // namespace

std::vector<Mutacion> Mutaciones(const std::string &valido, unsigned semilla) {
    std::vector<Mutacion> m;
    m.push_back({"vacio", ""});
    const size_t paso = std::max<size_t>(1, valido.size() / 48);
    for (size_t n = 1; n < valido.size(); n += paso)
        m.push_back({"cortado en " + std::to_string(n), valido.substr(0, n)});
    std::mt19937 azar(semilla);
    for (int k = 0; k < 24 && !valido.empty(); ++k) {
        std::string b = valido;
        const size_t p = azar() % b.size();
        b[p] = static_cast<char>(azar() & 0xFF);
        m.push_back({"byte " + std::to_string(p) + " cambiado", b});
    }
    m.push_back({"sin CR", reemplaza(valido, "\r\n", "\n")});
    m.push_back({"sin LF", reemplaza(valido, "\r\n", "\r")});
    m.push_back({"lineas dobladas", reemplaza(valido, "\r\n", "\r\n\r\n")});
    m.push_back({"CR dobles", reemplaza(valido, "\r\n", "\r\r\n")});
    m.push_back({"sin fin de linea final", valido.substr(0, valido.find_last_not_of("\r\n") + 1)});
    m.push_back(
        {"NUL en medio", valido.substr(0, valido.size() / 2) + '\0' + valido.substr(valido.size() / 2)});
    m.push_back(
        {"numeros enormes", numeros(valido, [](const std::string &) { return "99999999999999999999"; })});
    m.push_back({"numeros negativos", numeros(valido, [](const std::string &d) { return "-" + d; })});
    m.push_back({"numeros no numericos",
                 numeros(valido, [](const std::string &d) { return std::string(d.size(), 'x'); })});
    m.push_back({"linea larguisima", valido.substr(0, valido.size() / 3) + std::string(100000, 'A') +
                                         valido.substr(valido.size() / 3)});
    m.push_back({"bytes altos", std::string(valido.size(), '\xFF')});
    m.push_back({"doble", valido + valido});
    return m;
}

void PruebaArchivos(const std::vector<CasoArchivo> &casos, unsigned semilla) {
    for (const CasoArchivo &c : casos) {
        for (const Mutacion &m : Mutaciones(c.Valido, semilla)) {
            SCOPED_TRACE(std::string(c.Ruta) + ": " + m.Nombre);
            Escribe(c.Ruta, m.Bytes);
            c.Lee(c.Ruta, m);
            EXPECT_EQ(Contenido(c.Ruta), m.Bytes) << "the reader changed the file";
        }
    }
}
