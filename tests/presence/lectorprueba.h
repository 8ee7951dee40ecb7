#pragma once
// A pair reader over a list of clockings, as the control panel's grid and its reader behave:
// one employee's clockings sorted by date and time, row 1 the first.
#include "presence/calculopresencia.h"

#include <QDateTime>
#include <vector>

struct FichajePrueba {
    QDate Dia;
    int Hora = 0;
    int Minuto = 0;
    int Incidencia = 0;
};

class LectorPrueba : public TLectorPares {
public:
    std::vector<FichajePrueba> Fichajes;
    QDateTime AhoraLectura{QDate(2030, 1, 1), QTime(12, 0)};
    int Llamadas = 0;

    int Filas() const override { return static_cast<int>(Fichajes.size()) + 1; }

    TRegistroPresencia Lee(const QDate &dia, int fila, unsigned char modo,
                           TContadoresIncidencia &c) override {
        ++Llamadas;
        TRegistroPresencia r;
        r.HoraEntrada = 100;
        r.HoraSalida = 100;
        r.Presente = 0;
        r.SiguienteFila = fila;
        if (fila < 1 || fila >= Filas())
            return r;
        QDate entrada, salida;
        int x;
        if (modo == 1) {
            entrada = dia;
            r.HoraEntrada = 0;
            r.MinutoEntrada = 0;
            x = fila;
        } else {
            const FichajePrueba &f = Fichajes[static_cast<size_t>(fila - 1)];
            entrada = f.Dia;
            r.HoraEntrada = static_cast<uint16_t>(f.Hora);
            r.MinutoEntrada = static_cast<uint16_t>(f.Minuto);
            cuenta(c, f.Incidencia);
            x = fila + 1;
        }
        if (x == Filas()) {
            salida = dia.addDays(1);
        } else {
            const FichajePrueba &g = Fichajes[static_cast<size_t>(x - 1)];
            salida = g.Dia;
            r.HoraSalida = static_cast<uint16_t>(g.Hora);
            r.MinutoSalida = static_cast<uint16_t>(g.Minuto);
            cuenta(c, g.Incidencia);
        }
        if (entrada != dia)
            return r;
        if (salida == dia) {
            r.SiguienteFila = x + 1;
            return r;
        }
        r.SiguienteFila = x;
        r.Presente = 1;
        if (dia == AhoraLectura.date()) {
            r.HoraSalida = static_cast<uint16_t>(AhoraLectura.time().hour());
            r.MinutoSalida = static_cast<uint16_t>(AhoraLectura.time().minute());
        } else {
            r.HoraSalida = 24;
            r.MinutoSalida = 0;
        }
        return r;
    }

private:
    static void cuenta(TContadoresIncidencia &c, int codigo) {
        if (codigo >= 1 && codigo <= 255)
            ++c[static_cast<size_t>(codigo)];
    }
};
