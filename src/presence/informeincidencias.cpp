#include "presence/informeincidencias.h"

#include "platform/informe.h"
#include "platform/numeros.h"
#include "presence/incidencias.h"

std::vector<LineaListado> ListadoIncidencias(const std::string &empleado, const std::string &incidencia,
                                             const QDate &desde, const QDate &hasta) {
    std::vector<LineaListado> r;
    const int numero = LeeEntero(empleado);
    if (numero == 0)
        return r;
    const int codigo = LeeEntero(incidencia);
    const std::string titulo = "Listado de incidencias de " + empleado + " desde " + TextoDia(desde) +
                               " hasta " + TextoDia(hasta) + " ";
    r.push_back({titulo, ColorTitulo});
    r.push_back({"", ColorTitulo});
    r.push_back({"", ColorTitulo});
    r.push_back({"Fecha\t\tIncidencia\t\t\tTiempo justificado", ColorGrupo});
    r.push_back({"", ColorGrupo});

    int anio = 0;
    for (QDate d = desde; d.isValid() && d <= hasta; d = d.addDays(1)) {
        if (d.year() != anio) {
            anio = d.year();
            CargaIncidencias(anio, ListaIncidencias);
        }
        const std::string dia = TextoDia(d);
        const size_t n = NumIncidencias(ListaIncidencias);
        for (size_t k = 0; k < n; ++k) {
            const TRegistroIncidencia reg = Incidencia(ListaIncidencias, k);
            if (reg.TextoFecha() != dia || reg.NumeroEmpleado() != numero)
                continue;
            if (codigo != 0 && reg.CodigoIncidencia() != codigo)
                continue;
            std::string linea = reg.TextoFecha() + "\t" + reg.Incidencia;
            if (reg.ATrabajador()) {
                r.push_back({linea, ColorFalta});
            } else {
                linea += reg.Minutos() == 0 ? "\t\tTodo el dia" : "\t\t" + reg.TextoTiempo();
                r.push_back({linea, ColorGrupo});
            }
        }
    }
    return r;
}

bool EscribeListadoIncidencias(TEscritorInforme &inf, const std::string &empleado,
                               const std::string &incidencia, const QDate &desde, const QDate &hasta) {
    const std::vector<LineaListado> lineas = ListadoIncidencias(empleado, incidencia, desde, hasta);
    inf.Estilo(true, false);
    inf.Tamano(16);
    for (const LineaListado &l : lineas) {
        inf.Color(l.Color);
        inf.Linea(l.Texto);
    }
    return !lineas.empty();
}

void ImprimeIncidenciasExecute(const std::string &empleado, const std::string &incidencia, const QDate &desde,
                               const QDate &hasta) {
    TInformeRTF inf;
    if (EscribeListadoIncidencias(inf, empleado, incidencia, desde, hasta))
        inf.Muestra();
}
