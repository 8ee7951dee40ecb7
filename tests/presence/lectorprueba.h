#pragma once
// One employee's clockings, sorted by date and time, put in a clockings grid and read by the
// control panel's own pair reader (row 1 the first clocking).
#include "presence/calculopresencia.h"
#include "support/columnasprueba.h"
#include "terminal/entradasalida.h"
#include "terminal/listadofichajes.h"

#include <QDate>
#include <memory>
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

    LectorPrueba() = default;
    // A copy reads its own grid.
    LectorPrueba(const LectorPrueba &o) : Fichajes(o.Fichajes) {}
    LectorPrueba &operator=(const LectorPrueba &o) {
        Fichajes = o.Fichajes;
        rejilla_.reset();
        return *this;
    }

    int Filas() const override { return static_cast<int>(Fichajes.size()) + 1; }

    TRegistroPresencia Lee(const QDate &dia, int fila, unsigned char modo,
                           TContadoresIncidencia &c) override {
        if (!rejilla_ || rejilla_->RowCount() != Filas()) {
            rejilla_ = std::make_unique<StringGrid>(7, Filas());
            for (size_t i = 0; i < Fichajes.size(); ++i) {
                const FichajePrueba &f = Fichajes[i];
                rejilla_->SetFila(static_cast<int>(i) + 1,
                                  {"0", std::to_string(f.Dia.day()), std::to_string(f.Dia.month()),
                                   std::to_string(f.Dia.year()), std::to_string(f.Hora),
                                   std::to_string(f.Minuto), std::to_string(f.Incidencia)});
            }
        }
        return BuscaEntradaSalida(*rejilla_, ColumnasPrueba(), {dia, fila, modo}, [&c](int codigo) {
            if (codigo >= 1 && codigo <= 255)
                ++c[static_cast<size_t>(codigo)];
        });
    }

private:
    std::unique_ptr<StringGrid> rejilla_;
};
