#include "production/produccionempleado.h"

#include "platform/numeros.h"

#include <algorithm>
#include <cctype>

namespace {

using TFila = std::vector<std::string>;

// The walk of one employee's clockings.
class TRecorridoEmpleado {
public:
    TRecorridoEmpleado(const std::string &entrada, const TCostesEmpleados &costes, TOrdenesPorNumero &ordenes,
                       long long ahora, bool horas)
        : entrada_(entrada), numero_(LeeEntero(entrada)), costes_(costes), ordenes_(ordenes), ahora_(ahora),
          horas_(horas) {}

    void Fichaje(const TFichajeProduccion &x) {
        const bool sencillo = x.Sencillo();
        if (sencillo && x.Dia != diaInicio_)
            abierto_ = ultimo_ = 0; // a period still open stays so
        if (abierto_ == 0) {
            if (!sencillo)
                ultimo_ = x.Cierre() ? 0 : x.Valor();
            abierto_ = ultimo_;
            if (abierto_ != 0)
                abre(x, sencillo ? 'E' : 'P');
            return;
        }
        char letra = 'S';
        if (!sencillo) {
            letra = x.Cierre() ? 'C' : 'P';
            abierto_ = ultimo_ = x.Cierre() ? 0 : x.Valor();
        }
        cierra(x, letra);
        if (letra == 'P')
            abre(x, 'P');
        else
            abierto_ = 0;
    }
    // Periods still open run up to now.
    TTotalesEmpleados Totales(std::vector<TFila> &filas) {
        TTotalesEmpleados t;
        for (size_t i = 0; i < filas_.size(); ++i) {
            const TTramo &tramo = tramos_[i];
            t.Minutos += tramo.Minutos;
            t.Coste += tramo.Coste;
            filas.push_back(std::move(filas_[i]));
        }
        return t;
    }

private:
    void abre(const TFichajeProduccion &x, char letra) {
        ultimo_ = abierto_;
        TFila fila(11);
        fila[0] = Formato("%08d", abierto_);
        std::string nombre;
        if (const TOrdenTrabajo *o = ordenes_.Busca(abierto_ / 10000, x.Dia.year(), nombre)) {
            fila[5] = Formato("%s %04d", TipoDeNombre(nombre).c_str(), abierto_ / 10000);
            const size_t t = static_cast<size_t>(abierto_ % 10000 - 1);
            if (t < o->Filas.size()) {
                const TFilaOrden &r = o->Filas[t];
                fila[1] = r.Carpeta;
                fila[2] = r.Pieza;
                fila[3] = r.Cantidad;
                fila[4] = r.Trabajo;
            }
        }
        fila[6] = entrada_;
        fila[7] = x.Texto + " " + letra;
        inicio_ = x.Minuto;
        diaInicio_ = x.Dia;
        costeHora_ = costes_.CosteHora(numero_, x.Dia);
        pon(fila, Tramo(inicio_, ahora_, costeHora_, horas_));
        filas_.push_back(std::move(fila));
    }
    // Ends the open period, the last row (abierto_ is not 0 only while it has no end).
    void cierra(const TFichajeProduccion &x, char letra) {
        filas_.back()[8] = x.Texto + " " + letra;
        tramos_.pop_back();
        pon(filas_.back(), Tramo(inicio_, x.Minuto, costeHora_, horas_));
    }
    void pon(TFila &fila, const TTramo &t) {
        fila[9] = t.Tiempo;
        fila[10] = t.TextoCoste;
        tramos_.push_back(t);
    }

    std::string entrada_;
    int numero_;
    const TCostesEmpleados &costes_;
    TOrdenesPorNumero &ordenes_;
    long long ahora_;
    bool horas_;
    int abierto_ = 0, ultimo_ = 0; // the code of the task open, and of the last task
    long long inicio_ = 0;
    QDate diaInicio_;
    double costeHora_ = 0; // of the open period's start day
    std::vector<TFila> filas_;
    std::vector<TTramo> tramos_;
};

std::string parte(const std::string &s, size_t desde, size_t n = std::string::npos) {
    return desde < s.size() ? s.substr(desde, n) : std::string();
}

std::string clave(const StringGrid &g, int col, int r) {
    const std::string &v = g.Celda(col, r);
    if (col == 1 || col == 3 || col == 6)
        return Formato("%09d\t%016d", LeeEntero(v), r);
    if (col == 7 || col == 8)
        return Formato("%4.4s%2.2s%2.2s%s \t%016d", parte(v, 6).c_str(), parte(v, 3).c_str(),
                       parte(v, 0).c_str(), parte(v, 10).c_str(), r);
    return Formato("%s\t%016d", v.c_str(), r);
}

bool menorSinMayusculas(const std::string &a, const std::string &b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

const TOrdenTrabajo *TOrdenesPorNumero::Busca(int numero, int anio, std::string &nombre) {
    auto it = ordenes_.find({numero, anio});
    if (it == ordenes_.end()) {
        TEncontrada e;
        const std::string ruta = BuscaOrdenPorNumero(directorio_, anio, numero);
        std::string error;
        e.hay = !ruta.empty() && LeeOrden(ruta, e.orden, error);
        if (e.hay)
            e.nombre = ruta.substr(directorio_.size());
        it = ordenes_.emplace(std::make_pair(numero, anio), std::move(e)).first;
    }
    nombre = it->second.nombre;
    return it->second.hay ? &it->second.orden : nullptr;
}

TTotalesEmpleados ProduccionPorEmpleado(const TPeticionPorEmpleado &p, StringGrid &sg3) {
    TTotalesEmpleados t;
    TOrdenesPorNumero ordenes(p.Directorio);
    const TCostesEmpleados costes(p.GridEmpleados);
    std::vector<TFila> filas;
    for (const std::string &entrada : p.Empleados) {
        ++t.Empleados;
        if (LeeEntero(entrada) == 0)
            continue; // no number: the listing would take everybody's clockings for this one
        TPeticionProduccion l = p.Listado;
        l.Busca = entrada;
        std::vector<TFichajeProduccion> fichajes = ListaProduccion(l);
        // The alias partner's clockings are listed apart: the walk goes by time.
        std::stable_sort(fichajes.begin(), fichajes.end(),
                         [](const auto &a, const auto &b) { return a.Minuto < b.Minuto; });
        TRecorridoEmpleado r(entrada, costes, ordenes, MinutoDe(p.Ahora), p.Horas);
        for (const TFichajeProduccion &x : fichajes)
            r.Fichaje(x);
        const TTotalesEmpleados e = r.Totales(filas);
        t.Minutos += e.Minutos;
        t.Coste += e.Coste;
    }
    EscribeFilas(sg3, filas);
    return t;
}

TBloqueObra BloqueEmpleado(const StringGrid &g, int col, int fila) {
    if (col == 9)
        return TBloqueObra{fila - 1, fila + 1, false};
    return BloqueIgual(g, col == 1 || col == 2 ? 2 : col == 6 ? 6 : 0, fila);
}

void OrdenaPorColumna(StringGrid &g, int col) {
    std::vector<std::pair<std::string, int>> claves;
    for (int r = 1; r < g.RowCount(); ++r)
        claves.emplace_back(clave(g, col, r), r);
    std::stable_sort(claves.begin(), claves.end(),
                     [](const auto &a, const auto &b) { return menorSinMayusculas(a.first, b.first); });
    std::vector<TFila> filas;
    for (const auto &c : claves)
        filas.push_back(g.Fila(c.second));
    if (!filas.empty())
        EscribeFilas(g, filas);
}
