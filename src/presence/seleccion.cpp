#include "presence/seleccion.h"

#include "common/configuracion.h"
#include "masterdata/empleados.h"
#include "platform/lineas.h"
#include "platform/numeros.h"

#include <algorithm>
#include <cctype>

bool IdentificadoresEmpleados(std::vector<std::string> &ids) {
    ids.clear();
    std::vector<std::string> lineas;
    if (!LeeLineas(Configuracion().DirDatos + "empleados.dat", lineas))
        return false;
    const size_t paso = LineasPorEmpleado > 0 ? static_cast<size_t>(LineasPorEmpleado) : ColumnasEmpleado + 1;
    for (size_t i = 0; i < lineas.size(); i += paso)
        ids.push_back(lineas[i]);
    return true;
}

void MueveElegidos(std::vector<std::string> &origen, const std::vector<bool> &elegidos,
                   std::vector<std::string> &destino) {
    for (size_t i = origen.size(); i-- > 0;) {
        if (i < elegidos.size() && elegidos[i]) {
            destino.insert(destino.begin(), origen[i]);
            origen.erase(origen.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}

void MueveTodos(std::vector<std::string> &origen, std::vector<std::string> &destino) {
    MueveElegidos(origen, std::vector<bool>(origen.size(), true), destino);
}

std::vector<bool> ElegidosPorNodo(const std::vector<std::string> &items, const std::string &nodo,
                                  const std::vector<std::string> &hijos) {
    std::vector<bool> r(items.size(), false);
    auto elige = [&](const std::string &texto) {
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i] == texto)
                r[i] = true;
    };
    if (LeeEntero(nodo) != 0) {
        elige(nodo);
    } else {
        for (const std::string &h : hijos)
            if (LeeEntero(h) != 0)
                elige(h);
    }
    return r;
}

void OrdenaComoCombo(std::vector<std::string> &items) {
    auto minus = [](const std::string &s) {
        std::string r = s;
        for (char &c : r)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return r;
    };
    std::stable_sort(items.begin(), items.end(), [&](const std::string &a, const std::string &b) {
        const std::string ma = minus(a), mb = minus(b);
        return ma != mb ? ma < mb : a < b;
    });
}
