#include "masterdata/tiposincidencia.h"

#include "common/configuracion.h"
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "platform/numeros.h"
#include "platform/rutas.h"

#include <QDir>
#include <algorithm>

const std::vector<std::string> &TitulosIncidencias() {
    static const std::vector<std::string> t = {Ansi("Código"), "Incidencia", "A cargo de"};
    return t;
}

const std::vector<std::string> &CargosIncidencia() {
    static const std::vector<std::string> t = {"Empresa", "Trabajador"};
    return t;
}

std::string RutaIncidencias() {
    const std::string nombre = "incidencias.dat";
    if (ExisteArchivo(Configuracion().DirDatos + nombre))
        return Configuracion().DirDatos + nombre;
    // Name filters ignore letter case.
    QStringList hallados =
        QDir(RutaQ(Configuracion().DirDatos)).entryList({aQ(nombre)}, QDir::Files, QDir::Name);
    return Configuracion().DirDatos + (hallados.isEmpty() ? nombre : RutaDeQ(hallados.first()));
}

bool CodigoIncidenciaValido(const std::string &texto, int &codigo) {
    int v = 0;
    if (!EnteroValido(texto, v) || v < 0 || v > 999)
        return false;
    codigo = v;
    return true;
}

int PrimerTipoInvalido(const StringGrid &sg) {
    int codigo = 0;
    for (int r = 1; r < sg.RowCount(); ++r) {
        const std::vector<std::string> t = sg.Fila(r);
        if (!(t[0] + t[1] + t[2]).empty() && !CodigoIncidenciaValido(t[0], codigo))
            return r;
    }
    return -1;
}

void LlenaTiposIncidencia(StringGrid &sg, std::vector<std::string> lineas) {
    if (lineas.size() < ColumnasIncidencia)
        lineas = TitulosIncidencias();
    const size_t filas = (lineas.size() + ColumnasIncidencia - 1) / ColumnasIncidencia;
    lineas.resize(filas * ColumnasIncidencia);
    sg.SetColCount(ColumnasIncidencia);
    sg.SetRowCount(std::max<int>(static_cast<int>(filas), 2));
    sg.Limpia();
    for (size_t r = 0; r < filas; ++r)
        sg.SetFila(static_cast<int>(r),
                   std::vector<std::string>(lineas.begin() + r * ColumnasIncidencia,
                                            lineas.begin() + (r + 1) * ColumnasIncidencia));
}

bool LeeTiposIncidencia(const std::string &ruta, StringGrid &sg) {
    std::vector<std::string> lineas;
    const bool existe = LeeLineas(ruta, lineas);
    LlenaTiposIncidencia(sg, lineas);
    return existe;
}

void OrdenaTiposIncidencia(StringGrid &sg) {
    std::vector<std::vector<std::string>> filas;
    for (int r = 1; r < sg.RowCount(); ++r)
        filas.push_back(sg.Fila(r));
    std::stable_sort(filas.begin(), filas.end(),
                     [](const auto &a, const auto &b) { return LeeEntero(a[0]) < LeeEntero(b[0]); });
    for (size_t i = 0; i < filas.size(); ++i)
        sg.SetFila(static_cast<int>(i) + 1, filas[i]);
}

std::vector<std::string> LineasTiposIncidencia(const StringGrid &sg) {
    std::vector<std::string> lineas;
    for (int r = 0; r < sg.RowCount(); ++r)
        for (int c = 0; c < ColumnasIncidencia; ++c)
            lineas.push_back(sg.Celda(c, r));
    return lineas;
}

bool GuardaTiposIncidencia(const std::string &ruta, StringGrid &sg) {
    OrdenaTiposIncidencia(sg);
    return GuardaLineas(ruta, LineasTiposIncidencia(sg));
}
