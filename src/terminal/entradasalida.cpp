#include "terminal/entradasalida.h"

#include "platform/numeros.h"
#include "platform/reloj.h"
#include "platform/stringgrid.h"
#include "terminal/listadofichajes.h"

uint8_t ModoLecturaFichajes = 0;
int32_t ContadorIncidencias[255] = {};

namespace {
int valor(const StringGrid &g, int col, int fila) {
    return LeeEntero(g.Celda(col, fila));
}

// The row's date; an invalid date is another day than any asked for.
QDate fechaFila(const StringGrid &g, int fila) {
    return QDate(valor(g, ColumnaAnio, fila), valor(g, ColumnaMes, fila), valor(g, ColumnaDia, fila));
}

void cuentaIncidencia(const StringGrid &g, int fila, const std::function<void(int)> &cuenta) {
    const int c = valor(g, ColumnaIncidencia, fila);
    if (c >= 1 && c <= 255 && cuenta)
        cuenta(c);
}
} // namespace

TRegistroPresencia BuscaEntradaSalida(const StringGrid &grid, TPeticionLectura p) {
    return BuscaEntradaSalida(grid, p, [](int c) { ++ContadorIncidencias[c - 1]; });
}

TRegistroPresencia BuscaEntradaSalida(const StringGrid &grid, TPeticionLectura p,
                                      const std::function<void(int)> &cuenta) {
    TRegistroPresencia r;
    r.HoraEntrada = 100;
    r.HoraSalida = 100;
    r.Presente = 0;
    r.SiguienteFila = p.Fila;
    const QDate dia = p.Fecha;
    const int filas = grid.RowCount();
    if (!dia.isValid() || p.Fila < 1 || p.Fila >= filas || grid.Celda(ColumnaDia, p.Fila).empty())
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
        entrada = fechaFila(grid, p.Fila);
        r.HoraEntrada = static_cast<uint16_t>(valor(grid, ColumnaHora, p.Fila));
        r.MinutoEntrada = static_cast<uint16_t>(valor(grid, ColumnaMinuto, p.Fila));
        if (entrada == dia)
            cuentaIncidencia(grid, p.Fila, cuenta);
        x = p.Fila + 1;
        if (x >= filas) {
            salida = dia.addDays(1);
            leeSalida = false;
        }
    }
    if (leeSalida) {
        salida = fechaFila(grid, x);
        r.HoraSalida = static_cast<uint16_t>(valor(grid, ColumnaHora, x));
        r.MinutoSalida = static_cast<uint16_t>(valor(grid, ColumnaMinuto, x));
        if (salida == dia)
            cuentaIncidencia(grid, x, cuenta);
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
