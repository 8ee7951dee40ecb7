#include "terminal/entradasalida.h"

#include "platform/numeros.h"
#include "platform/reloj.h"
#include "platform/stringgrid.h"

namespace {
int valor(const StringGrid &g, int col, int fila) {
    std::string aux;
    return LeeEntero(g.Texto(col, fila, aux));
}

// The row's date; an invalid date is another day than any asked for.
QDate fechaFila(const StringGrid &g, const TColumnasFichajes &c, int fila) {
    return QDate(valor(g, c.Anio, fila), valor(g, c.Mes, fila), valor(g, c.Dia, fila));
}

void cuentaIncidencia(const StringGrid &g, const TColumnasFichajes &c, int fila,
                      const std::function<void(int)> &cuenta) {
    const int codigo = valor(g, c.Incidencia, fila);
    if (codigo >= 1 && codigo <= 255 && cuenta)
        cuenta(codigo);
}
} // namespace

TRegistroPresencia BuscaEntradaSalida(const StringGrid &grid, const TColumnasFichajes &c, TPeticionLectura p,
                                      const std::function<void(int)> &cuenta) {
    TRegistroPresencia r;
    r.HoraEntrada = 100;
    r.HoraSalida = 100;
    r.Presente = 0;
    r.SiguienteFila = p.Fila;
    const QDate dia = p.Fecha;
    const int filas = grid.RowCount();
    std::string aux;
    if (!dia.isValid() || p.Fila < 1 || p.Fila >= filas || grid.Texto(c.Dia, p.Fila, aux).empty())
        return r;

    QDate entrada;
    int x;
    QDate salida;
    bool leeSalida = true;
    if (p.Modo == 1) {
        entrada = dia;
        r.HoraEntrada = 0;
        r.MinutoEntrada = 0;
        x = p.Fila;
    } else {
        entrada = fechaFila(grid, c, p.Fila);
        r.HoraEntrada = static_cast<uint16_t>(valor(grid, c.Hora, p.Fila));
        r.MinutoEntrada = static_cast<uint16_t>(valor(grid, c.Minuto, p.Fila));
        if (entrada == dia)
            cuentaIncidencia(grid, c, p.Fila, cuenta);
        x = p.Fila + 1;
        if (x >= filas) {
            salida = dia.addDays(1);
            leeSalida = false;
        }
    }
    if (leeSalida) {
        salida = fechaFila(grid, c, x);
        r.HoraSalida = static_cast<uint16_t>(valor(grid, c.Hora, x));
        r.MinutoSalida = static_cast<uint16_t>(valor(grid, c.Minuto, x));
        if (salida == dia)
            cuentaIncidencia(grid, c, x, cuenta);
    }

    if (entrada != dia)
        return r;
    if (salida == dia) {
        r.SiguienteFila = x + 1;
        return r;
    }
    r.SiguienteFila = x;
    r.Presente = 1;
    if (dia == Hoy()) {
        const QTime ahora = Ahora().time();
        r.HoraSalida = static_cast<uint16_t>(ahora.hour());
        r.MinutoSalida = static_cast<uint16_t>(ahora.minute());
    } else {
        r.HoraSalida = 24;
        r.MinutoSalida = 0;
    }
    return r;
}
