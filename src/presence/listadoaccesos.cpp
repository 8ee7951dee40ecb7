#include "presence/listadoaccesos.h"

#include "common/configuracion.h"
#include "masterdata/faltas.h"
#include "platform/fechatexto.h"
#include "platform/numeros.h"
#include "platform/rutas.h"
#include "presence/incidencias.h"
#include "presence/informepresencia.h"
#include "terminal/listadofichajes.h"

#include <map>

namespace {

// The clockings of the period in the access kind, from the partial files, for one employee
// (busca) or all of them, at the terminals marked.
TColumnasFichajes listaAccesos(const TPeticionListadoAccesos &p,
                               const std::vector<TTerminalListado> &terminales, const std::string &busca,
                               StringGrid &grid) {
    TPeticionListado l;
    l.Desde = p.Desde;
    l.Hasta = p.Hasta;
    l.Terminales = terminales;
    l.Historico = false;
    l.Tipo = ListadoAccesos;
    l.Busca = busca;
    l.Externa = true;
    return ListaFichajes(l, grid, TColumnasFichajes{}).Columnas;
}

// The ticked terminals, or only terminal unico when it is not negative.
std::vector<TTerminalListado> terminales(const TPeticionListadoAccesos &p, int unico) {
    std::vector<TTerminalListado> t;
    for (size_t k = 0; k < p.Terminales.size(); ++k)
        t.push_back(TerminalDeItem(p.Terminales[k].first,
                                   unico < 0 ? p.Terminales[k].second : static_cast<int>(k) == unico));
    return t;
}

// The incidence files of the run, each year read once.
class TIncidenciasRun {
public:
    // "\t\tINCIDENCIA " + the incidence of the employee's last record of the day, with the time it
    // justifies when charged to the company; "" when there is none.
    std::string Texto(int numero, const QDate &dia, bool &trabajador) {
        auto it = anios_.find(dia.year());
        if (it == anios_.end()) {
            it = anios_.emplace(dia.year(), std::vector<std::string>()).first;
            CargaIncidencias(dia.year(), it->second);
        }
        const std::string fecha = TextoDia(dia);
        std::string texto;
        for (size_t k = 0, n = NumIncidencias(it->second); k < n; ++k) {
            const TRegistroIncidencia r = Incidencia(it->second, k);
            if (r.TextoFecha() != fecha || r.NumeroEmpleado() != numero)
                continue;
            trabajador = r.ATrabajador();
            texto = "\t\tINCIDENCIA " + r.Incidencia;
            if (!trabajador)
                texto += r.Minutos() == 0 ? " Justifica todo el dia" : " Justifica " + r.TextoTiempo();
        }
        return texto;
    }

private:
    std::map<int, std::vector<std::string>> anios_;
};

std::unique_ptr<TInformeRTF> documento(const std::string &sujeto, const TPeticionListadoAccesos &p) {
    const std::string titulo =
        "Listado de accesos " + sujeto + " desde " + TextoDia(p.Desde) + " hasta " + TextoDia(p.Hasta) + " ";
    auto inf = std::make_unique<TInformeRTF>(titulo);
    inf->Atributos(TAtributos::Titulo());
    inf->Linea();
    inf->Linea(titulo);
    inf->Linea();
    return inf;
}

// Every day of the period gets its heading; then, for "Por persona", the day's incidence; then a
// line per clocking of the day: time and the cell of column ultima (terminal or name). Rows dated
// outside the period or without a valid date are passed over.
void recorreDias(TInformeRTF &inf, const TPeticionListadoAccesos &p, const StringGrid &g,
                 const TColumnasFichajes &c, int ultima, int numero, TIncidenciasRun *incidencias) {
    int r = 1;
    for (QDate d = p.Desde; d.isValid() && d <= p.Hasta; d = d.addDays(1)) {
        inf.Atributos({ColorGrupo, 16, false, false, true});
        inf.Linea(FormatoFecha(d, "ddd dd/mm/yyyy"));
        bool trabajador = false;
        const std::string incidencia = incidencias ? incidencias->Texto(numero, d, trabajador) : "";
        if (!incidencia.empty()) {
            inf.Atributos({trabajador ? ColorFalta : ColorIncidenciaEmpresa, 16, true});
            inf.Linea(incidencia);
        }
        std::string aux;
        auto celda = [&](int col) { return std::string(g.Texto(col, r, aux)); };
        for (; r < g.RowCount(); ++r) {
            const QDate f = FechaFilaFichajes(g, r, c.Dia, c.Mes, c.Anio, d);
            if (f.isValid() && f > d)
                break;
            if (f == d)
                inf.Linea("\t" + celda(c.Hora) + ":" + celda(c.Minuto) + "\t" + celda(ultima));
        }
    }
}

void porPersona(const TPeticionListadoAccesos &p, std::vector<std::unique_ptr<TInformeRTF>> &docs) {
    TIncidenciasRun incidencias;
    for (const std::string &item : p.Empleados) {
        const size_t blanco = item.find(' ');
        const std::string nombre = blanco == std::string::npos ? item : item.substr(blanco + 1);
        const int numero = LeeEntero(item.substr(0, blanco));
        StringGrid g(1, 1);
        TColumnasFichajes c;
        if (numero != 0) // never every employee
            c = listaAccesos(p, terminales(p, -1), std::to_string(numero) + " ", g);
        auto inf = documento("de " + nombre, p);
        inf->FijaNombreArchivo(Configuracion().DirArchivosPres + ParteNombreArchivo(item) + " de " +
                               FechaNombreArchivo(p.Desde) + " a " + FechaNombreArchivo(p.Hasta) + ".rtf");
        recorreDias(*inf, p, g, c, c.Terminal, numero, &incidencias);
        docs.push_back(std::move(inf));
    }
}

void porPuerta(const TPeticionListadoAccesos &p, std::vector<std::unique_ptr<TInformeRTF>> &docs) {
    for (size_t k = 0; k < p.Terminales.size(); ++k) {
        const std::string &item = p.Terminales[k].first;
        const std::string direccion = item.size() > 3 ? item.substr(3) : std::string();
        if (!p.Terminales[k].second || LeeHex(direccion) == 0)
            continue;
        StringGrid g(1, 1);
        const TColumnasFichajes c = listaAccesos(p, terminales(p, static_cast<int>(k)), "", g);
        auto inf = documento("por " + direccion, p);
        recorreDias(*inf, p, g, c, c.Nombre, 0, nullptr);
        docs.push_back(std::move(inf));
    }
}

} // namespace

std::vector<std::unique_ptr<TInformeRTF>> InformesAccesos(const TPeticionListadoAccesos &p) {
    std::vector<std::unique_ptr<TInformeRTF>> docs;
    if (p.PorPersona)
        porPersona(p, docs);
    else
        porPuerta(p, docs);
    return docs;
}
