#include "production/produccionobra.h"

#include "common/configuracion.h"
#include "platform/numeros.h"
#include "presence/incidencias.h"
#include "production/obras.h"

#include <algorithm>
#include <map>

namespace {

using TFila = std::vector<std::string>;

// The clockings indexed for the walk: each one's next clocking of the same employee, and the
// clockings of each code in listing order.
class TIndiceFichajes {
public:
    explicit TIndiceFichajes(const std::vector<TFichajeProduccion> &f) : f_(f), siguiente_(f.size(), -1) {
        std::map<std::string, int> ultimo;
        for (int i = static_cast<int>(f.size()) - 1; i >= 0; --i) {
            const auto it = ultimo.find(f[static_cast<size_t>(i)].Empleado);
            if (it != ultimo.end())
                siguiente_[static_cast<size_t>(i)] = it->second;
            ultimo[f[static_cast<size_t>(i)].Empleado] = i;
        }
        for (size_t i = 0; i < f.size(); ++i)
            if (!f[i].Sencillo())
                porCodigo_[f[i].Codigo.substr(0, 8)].push_back(static_cast<int>(i));
    }
    const TFichajeProduccion &operator[](int i) const { return f_[static_cast<size_t>(i)]; }
    int Siguiente(int i) const { return siguiente_[static_cast<size_t>(i)]; }
    // The first clocking of the code after row desde (-1: from the first); -1 when none.
    int DelCodigo(const std::string &codigo, int desde) const {
        const auto it = porCodigo_.find(codigo);
        if (it == porCodigo_.end())
            return -1;
        const auto j = std::upper_bound(it->second.begin(), it->second.end(), desde);
        return j == it->second.end() ? -1 : *j;
    }

private:
    const std::vector<TFichajeProduccion> &f_;
    std::vector<int> siguiente_;
    std::map<std::string, std::vector<int>> porCodigo_;
};

char letraFin(const TFichajeProduccion &f) {
    return f.Sencillo() ? 'S' : f.Cierre() ? 'C' : 'P';
}

class TRecorridoObra {
public:
    TRecorridoObra(const std::vector<TFichajeProduccion> &f, const TCostesEmpleados &costes, long long ahora,
                   bool horas)
        : idx_(f), costes_(costes), ahora_(ahora), horas_(horas) {}

    // The periods of one task row, appended to filas.
    void Tarea(const TFila &tarea, std::vector<TFila> &filas) {
        const bool cuenta = LeeEntero(tarea[3]) != 0;
        const std::string &codigo = tarea[0];
        int inicio = idx_.DelCodigo(codigo, -1);
        if (inicio < 0) {
            filas.push_back(tarea);
            return;
        }
        int ultimoCodigo = inicio; // the last clocking of the code taken as a start
        char letra = 'P';
        bool abierta = false;
        while (inicio >= 0) {
            TFila fila = tarea;
            const int fin = periodo(fila, inicio, letra);
            filas.push_back(std::move(fila));
            abierta = abierta || fin < 0;
            int siguiente = fin >= 0 && letraFin(idx_[fin]) == 'S' ? tras(fin, inicio, codigo, letra) : -1;
            if (siguiente < 0) {
                siguiente = idx_.DelCodigo(codigo, ultimoCodigo);
                letra = 'P';
            }
            if (siguiente >= 0 && letra == 'P')
                ultimoCodigo = siguiente;
            inicio = siguiente;
        }
        if (!cuenta)
            return;
        --c.SinIniciar;
        if (abierta) {
            ++c.EnProceso;
        } else {
            ++c.Finalizados;
            --c.Pendientes;
        }
    }

    TContadoresObra c;

private:
    // Fills a period starting at clocking s with letra; returns its end clocking (-1: open).
    int periodo(TFila &fila, int s, char letra) {
        const TFichajeProduccion &f = idx_[s];
        fila[6] = f.Empleado;
        fila[7] = f.Texto + " " + letra;
        const int fin = idx_.Siguiente(s);
        if (fin >= 0)
            fila[8] = idx_[fin].Texto + " " + letraFin(idx_[fin]);
        const TTramo t = Tramo(f.Minuto, fin >= 0 ? idx_[fin].Minuto : ahora_,
                               costes_.CosteHora(LeeEntero(f.Empleado), f.Dia), horas_);
        fila[9] = t.Tiempo;
        fila[10] = t.TextoCoste;
        c.Minutos += t.Minutos;
        c.Coste += t.Coste;
        return fin;
    }
    // After a plain exit at fin: the employee's next clocking restarts the task when it is a
    // plain one on the day of the period's start (letra "E") or the task's own code ("P").
    int tras(int fin, int inicio, const std::string &codigo, char &letra) const {
        const int j = idx_.Siguiente(fin);
        if (j < 0)
            return -1;
        if (idx_[j].Sencillo() && idx_[j].Dia == idx_[inicio].Dia) {
            letra = 'E';
            return j;
        }
        if (!idx_[j].Sencillo() && idx_[j].Codigo.substr(0, 8) == codigo) {
            letra = 'P';
            return j;
        }
        return -1;
    }

    TIndiceFichajes idx_;
    const TCostesEmpleados &costes_;
    long long ahora_;
    bool horas_;
};

} // namespace

TContadoresObra PeriodosPorObra(const StringGrid &tareas, StringGrid &sg2,
                                const std::vector<TFichajeProduccion> &fichajes,
                                const TCostesEmpleados &costes, long long ahora, bool horas) {
    TRecorridoObra recorrido(fichajes, costes, ahora, horas);
    TContadoresObra &c = recorrido.c;
    std::vector<TFila> filas;
    for (int r = 1; r < tareas.RowCount(); ++r) {
        TFila tarea = tareas.Fila(r);
        tarea.resize(11);
        if (tarea[0].empty())
            continue;
        std::fill(tarea.begin() + 6, tarea.end(), std::string());
        if (LeeEntero(tarea[3]) != 0)
            ++c.Trabajos;
        filas.push_back(tarea);
    }
    c.Pendientes = c.SinIniciar = c.Trabajos;
    std::vector<TFila> salida;
    salida.reserve(filas.size());
    for (const TFila &t : filas)
        recorrido.Tarea(t, salida);
    EscribeFilas(sg2, salida);
    return c;
}

TResultadoPorObra ProduccionPorObra(const TPeticionPorObra &p, StringGrid &sg2) {
    TResultadoPorObra res;
    StringGrid tareas(11, 1);
    for (const std::string &nombre : p.Nombres) {
        TOrdenTrabajo orden;
        std::string error;
        if (!LeeOrdenEntera(p.Directorio + nombre, orden, error)) {
            res.Errores.push_back(error);
            continue;
        }
        AnadeTareas(tareas, nombre, orden);
        res.UltimoNombre = nombre;
        res.UltimaOrden = std::move(orden);
        ++res.Contadores.Obras;
    }
    const int obras = res.Contadores.Obras;
    const std::vector<TFichajeProduccion> fichajes = ListaProduccion(p.Listado);
    const TCostesEmpleados costes(p.Empleados);
    res.Contadores = PeriodosPorObra(tareas, sg2, fichajes, costes, MinutoDe(p.Ahora), p.Horas);
    res.Contadores.Obras = obras;
    return res;
}

std::string TextoContador(int n) {
    return Formato("%5d", n);
}

std::string TituloPeriodo(const std::string &rotulo, const QDate &desde, const QDate &hasta) {
    return "Listado de produccion por " + rotulo + " desde " + TextoDia(desde) + "  hasta " +
           TextoDia(hasta) + " ";
}

std::string TituloSeleccion(int n, const std::string &tituloFiltro) {
    if (!tituloFiltro.empty())
        return tituloFiltro + (n == 1 ? " ( 1 " + Configuracion().RotuloObra + " )"
                                      : Formato(" ( %d ", n) + Configuracion().RotuloObra + "s )");
    return n == 1
               ? "Listado de produccion de 1 " + Configuracion().RotuloObra + " seleccionada"
               : Formato("Listado de produccion de %d ", n) + Configuracion().RotuloObra + "s seleccionadas";
}
