#include "masterdata/empleados.h"

#include "platform/codepage.h"
#include "platform/numeros.h"

#include <algorithm>
#include <cctype>
#include <set>

int LineasPorEmpleado = ColumnasEmpleado + 1;
int CalendarioEmpleado = 0;

int NumeroEmpleado(const std::string &identificador) {
    return LeeEntero(identificador);
}

std::vector<std::string> NodosEmpleado(const std::vector<std::string> &lineasArbol) {
    std::vector<std::string> nodos;
    for (const auto &l : lineasArbol) {
        if (l.find_first_not_of(" \t") == std::string::npos)
            continue;
        std::string texto = l.substr(l.find_first_not_of('\t'));
        if (NumeroEmpleado(texto) != 0)
            nodos.push_back(texto);
    }
    return nodos;
}

void LlenaEmpleados(StringGrid &sg1, const std::vector<std::string> &nodos,
                    const std::vector<std::string> &lineasArchivo) {
    const size_t n = ColumnasEmpleado + 1;
    std::vector<std::vector<std::string>> registros;
    for (size_t i = 0; i < lineasArchivo.size(); i += n) {
        // A short last record keeps what it has.
        size_t fin = std::min(lineasArchivo.size(), i + n);
        registros.emplace_back(lineasArchivo.begin() + static_cast<long>(i),
                               lineasArchivo.begin() + static_cast<long>(fin));
        registros.back().resize(ColumnasEmpleado);
    }
    const std::set<std::string> textosNodo(nodos.begin(), nodos.end());
    std::set<std::string> idsArchivo;
    for (const auto &r : registros)
        idsArchivo.insert(r[0]);

    std::vector<std::vector<std::string>> filas;
    std::set<std::string> renombrados;
    for (auto &r : registros) {
        if (!textosNodo.count(r[0])) {
            // Renamed node: same employee number, and a node that has no record of its own.
            int numero = NumeroEmpleado(r[0]);
            auto it = std::find_if(nodos.begin(), nodos.end(), [&](const std::string &t) {
                return numero != 0 && NumeroEmpleado(t) == numero && !idsArchivo.count(t) &&
                       !renombrados.count(t);
            });
            if (it == nodos.end())
                continue;
            renombrados.insert(*it);
            r[0] = *it;
        }
        filas.push_back(r);
    }
    std::set<std::string> conFila;
    for (const auto &f : filas)
        conFila.insert(f[0]);
    for (const auto &t : nodos)
        if (conFila.insert(t).second)
            filas.push_back({t});

    sg1.SetColCount(ColumnasEmpleado);
    sg1.SetRowCount(static_cast<int>(filas.size()) + 1);
    std::vector<std::string> titulos(ColumnasEmpleado);
    titulos[0] = "Identificador";
    sg1.SetFila(0, titulos);
    for (size_t i = 0; i < filas.size(); ++i)
        sg1.SetFila(static_cast<int>(i) + 1, filas[i]);
}

int OrdenaEmpleados(StringGrid &sg1, int fila) {
    std::vector<int> orden;
    for (int r = 1; r < sg1.RowCount(); ++r)
        orden.push_back(r);
    std::stable_sort(orden.begin(), orden.end(), [&](int a, int b) {
        return NumeroEmpleado(sg1.Celda(0, a)) < NumeroEmpleado(sg1.Celda(0, b));
    });
    std::vector<std::vector<std::string>> filas;
    int nueva = fila;
    for (size_t i = 0; i < orden.size(); ++i) {
        filas.push_back(sg1.Fila(orden[i]));
        if (orden[i] == fila)
            nueva = static_cast<int>(i) + 1;
    }
    for (size_t i = 0; i < filas.size(); ++i)
        sg1.SetFila(static_cast<int>(i) + 1, filas[i]);
    return nueva;
}

std::vector<std::string> LineasEmpleados(const StringGrid &sg1) {
    std::vector<std::string> lineas;
    for (int r = 1; r < sg1.RowCount(); ++r) {
        for (int c = 0; c < ColumnasEmpleado; ++c) {
            std::string v = sg1.Celda(c, r);
            std::replace_if(
                v.begin(), v.end(), [](char ch) { return ch == '\r' || ch == '\n'; }, ' ');
            lineas.push_back(v);
        }
        lineas.emplace_back();
    }
    return lineas;
}

int FilaEmpleado(const StringGrid &sg1, const std::string &identificador) {
    for (int r = 1; r < sg1.RowCount(); ++r)
        if (sg1.Celda(0, r) == identificador)
            return r;
    return -1;
}

void LlenaIncrementos(StringGrid &sg3, const std::vector<std::string> &lineasTiposHora) {
    sg3.SetColCount(4);
    std::vector<std::vector<std::string>> filas;
    for (size_t i = 4; i < lineasTiposHora.size(); i += 4) {
        auto linea = [&](size_t k) { return i + k < lineasTiposHora.size() ? lineasTiposHora[i + k] : ""; };
        filas.push_back({linea(0), "", linea(2), linea(3)});
    }
    sg3.SetRowCount(static_cast<int>(filas.size()) + 1);
    sg3.SetFila(0, {"Tipo de hora", "Incremento", "", "Color"});
    for (size_t i = 0; i < filas.size(); ++i)
        sg3.SetFila(static_cast<int>(i) + 1, filas[i]);
}

void RepartirIncrementos(const std::string &incrementos, StringGrid &sg3) {
    size_t inicio = 0;
    for (int r = 1; r < sg3.RowCount(); ++r) {
        size_t blanco = inicio <= incrementos.size() ? incrementos.find(' ', inicio) : std::string::npos;
        if (blanco == std::string::npos) {
            sg3.SetCelda(1, r, "0");
            continue;
        }
        sg3.SetCelda(1, r, incrementos.substr(inicio, blanco - inicio));
        inicio = blanco + 1;
    }
}

std::string UneIncrementos(const StringGrid &sg3) {
    std::string r;
    for (int f = 1; f < sg3.RowCount(); ++f) {
        // A blank inside a value would shift the ones after it.
        std::string v = NormalizaCoste(sg3.Celda(1, f));
        v.erase(std::remove(v.begin(), v.end(), ' '), v.end());
        r += v + " ";
    }
    return r;
}

std::vector<std::string> EntradasCoste(const std::string &historial) {
    std::vector<std::string> r;
    size_t inicio = 0, coma;
    while ((coma = historial.find(',', inicio)) != std::string::npos) {
        r.push_back(historial.substr(inicio, coma - inicio));
        inicio = coma + 1;
    }
    return r;
}

std::string UneEntradasCoste(const std::vector<std::string> &entradas) {
    std::string r;
    for (const auto &e : entradas)
        r += e + ",";
    return r;
}

std::string NormalizaCoste(const std::string &texto) {
    std::string r = texto;
    std::replace(r.begin(), r.end(), ',', '.');
    size_t a = r.find_first_not_of(' ');
    if (a == std::string::npos)
        return "";
    return r.substr(a, r.find_last_not_of(' ') - a + 1);
}

bool CosteValido(const std::string &texto) {
    const std::string c = NormalizaCoste(texto);
    double v = 0;
    return c.empty() || (DecimalValido(c, v) && v >= 0);
}

std::string AvisoPrecio(const std::string &texto) {
    return Ansi("El precio \"") + texto +
           Ansi("\" no es un número: escríbalo con cifras y, si lleva decimales, con una coma o un punto "
                "(por ejemplo 12,50).");
}

std::string EntradaCoste(const QDate &desde, const std::string &coste) {
    std::string c = NormalizaCoste(coste);
    if (LeeDecimal(c) == 0.0)
        return "";
    return FechaCorta(desde) + " " + c;
}

double CosteHora(const std::string &historial, const QDate &dia) {
    double coste = 0.0;
    for (const auto &e : EntradasCoste(historial)) {
        QDate desde = LeeFechaCorta(e);
        if (desde.isValid() && desde <= dia)
            coste = e.size() > 11 ? LeeDecimal(e.substr(11)) : 0.0;
    }
    return coste;
}

std::string FechaCorta(const QDate &fecha) {
    return Formato("%02d/%02d/%04d", fecha.day(), fecha.month(), fecha.year());
}

QDate LeeFechaCorta(const std::string &texto) {
    if (texto.size() < 10 || texto[2] != '/' || texto[5] != '/')
        return {};
    for (size_t i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (!std::isdigit(static_cast<unsigned char>(texto[i])))
            return {};
    return QDate(LeeEntero(texto.substr(6, 4)), LeeEntero(texto.substr(3, 2)), LeeEntero(texto.substr(0, 2)));
}
