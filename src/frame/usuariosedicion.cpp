#include "frame/usuariosedicion.h"

#include "frame/nivelusuario.h"
#include "platform/codepage.h"

#include <algorithm>

void LlenaRejillaUsuarios(StringGrid &g, const std::vector<std::string> &lista) {
    g.SetColCount(3);
    g.SetRowCount(2);
    g.FixedRows = 1;
    g.SetFila(0, {"Usuario", "Clave", "Nivel"});
    g.SetFila(1, {"", "", ""});
    int r = 1;
    for (size_t k = 3; k + 3 <= lista.size(); k += 3, ++r) {
        g.SetRowCount(r + 1);
        g.SetFila(r, {lista[k], lista[k + 1], lista[k + 2]});
    }
    if (g.RowCount() < 2)
        g.SetRowCount(2);
}

bool FilaProtegida(const StringGrid &g, int fila, int nivelOperador) {
    return fila >= 1 && NivelProtegido(g.Celda(2, fila), nivelOperador);
}

std::string TextoCeldaUsuarios(const StringGrid &g, int col, int fila, int nivelOperador) {
    const std::string &t = g.Celda(col, fila);
    if (col == 1 && FilaProtegida(g, fila, nivelOperador))
        return std::string(t.size(), '*');
    return t;
}

ListaGuardada ListaDeRejilla(const StringGrid &g, const std::vector<std::string> &lista, int nivelOperador) {
    ListaGuardada r;
    r.Lista.assign(lista.begin(), lista.begin() + std::min<size_t>(3, lista.size()));
    r.Lista.resize(3);
    for (int f = 1; f < g.RowCount(); ++f) {
        const bool corta = g.Celda(0, f).size() < MinCampoUsuario || g.Celda(1, f).size() < MinCampoUsuario;
        if (corta && !FilaProtegida(g, f, nivelOperador)) {
            r.Descartadas.push_back(f);
            continue;
        }
        r.Lista.push_back(g.Celda(0, f));
        r.Lista.push_back(g.Celda(1, f));
        r.Lista.push_back(g.Celda(2, f));
    }
    return r;
}

std::string AvisoDescartadas(const StringGrid &g, const std::vector<int> &filas) {
    std::string lineas;
    for (int f : filas) {
        if (g.Celda(0, f).empty() && g.Celda(1, f).empty() && g.Celda(2, f).empty())
            continue;
        lineas += "\r\nFila " + std::to_string(f) + ": \"" + g.Celda(0, f) + "\"";
    }
    if (lineas.empty())
        return {};
    return Ansi("No se han guardado estas filas porque su usuario o su clave tienen menos de 4 caracteres:") +
           lineas;
}
