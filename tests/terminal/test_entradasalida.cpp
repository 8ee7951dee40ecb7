// The entry and exit pair reader over the clockings grid.
#include "platform/reloj.h"
#include "platform/stringgrid.h"
#include "support/columnasprueba.h"
#include "terminal/entradasalida.h"
#include "terminal/listadofichajes.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

struct F {
    const char *d, *m, *a, *h, *mi, *i;
};

class LectorPares : public ::testing::Test {
protected:
    void SetUp() override {
        antes_ = ColumnasGlobales();
        FijaColumnasGlobales(ColumnasPrueba());
        std::fill(std::begin(ContadorIncidencias), std::end(ContadorIncidencias), 0);
        FijaReloj([] { return QDateTime(QDate(2024, 5, 3), QTime(12, 34, 56)); });
    }
    void TearDown() override {
        FijaColumnasGlobales(antes_);
        FijaReloj(nullptr);
    }
    void Llena(std::initializer_list<F> filas) {
        g.SetColCount(7);
        g.SetRowCount(static_cast<int>(filas.size()) + 1);
        int r = 1;
        for (const F &f : filas)
            g.SetFila(r++, {"0", f.d, f.m, f.a, f.h, f.mi, f.i});
    }
    TRegistroPresencia Lee(QDate dia, int fila, uint8_t modo) {
        return BuscaEntradaSalida(g, {dia, fila, modo});
    }

    StringGrid g{7, 2};
    const QDate hoy{2024, 5, 3};
    const QDate ayer{2024, 5, 2};

private:
    TColumnasFichajes antes_;
};

TEST_F(LectorPares, RejillaVaciaOFilaFuera) {
    g.SetRowCount(1);
    TRegistroPresencia r = Lee(hoy, 1, 0);
    EXPECT_EQ(r.HoraEntrada, 100);
    EXPECT_EQ(r.HoraSalida, 100);
    EXPECT_EQ(r.SiguienteFila, 1);
    Llena({{"03", "05", "2024", "08", "00", "000"}});
    EXPECT_EQ(Lee(hoy, 2, 0).SiguienteFila, 2);
    EXPECT_EQ(Lee(hoy, 0, 0).HoraEntrada, 100);
}

TEST_F(LectorPares, ParCompletoYModoUno) {
    Llena({{"02", "05", "2024", "08", "00", "000"}, {"02", "05", "2024", "13", "30", "000"}});
    TRegistroPresencia r = Lee(ayer, 1, 0);
    EXPECT_EQ(r.HoraEntrada, 8);
    EXPECT_EQ(r.HoraSalida, 13);
    EXPECT_EQ(r.MinutoSalida, 30);
    EXPECT_EQ(r.Presente, 0);
    EXPECT_EQ(r.SiguienteFila, 3);
    // Mode 1: the first clocking closes a pair from 00:00.
    Llena({{"02", "05", "2024", "08", "00", "000"}});
    r = Lee(ayer, 1, 1);
    EXPECT_EQ(r.HoraEntrada, 0);
    EXPECT_EQ(r.MinutoEntrada, 0);
    EXPECT_EQ(r.HoraSalida, 8);
    EXPECT_EQ(r.SiguienteFila, 2);
}

TEST_F(LectorPares, ParAbiertoHoyYEnDiaPasado) {
    Llena({{"03", "05", "2024", "08", "00", "000"}});
    TRegistroPresencia r = Lee(hoy, 1, 0);
    EXPECT_EQ(r.HoraSalida, 12);
    EXPECT_EQ(r.MinutoSalida, 34);
    EXPECT_EQ(r.Presente, 1);
    EXPECT_EQ(r.SiguienteFila, 2);

    Llena({{"02", "05", "2024", "17", "00", "000"}, {"03", "05", "2024", "08", "00", "000"}});
    for (uint8_t modo : {0, 2}) {
        r = Lee(ayer, 1, modo);
        EXPECT_EQ(r.HoraEntrada, 17);
        EXPECT_EQ(r.HoraSalida, 24);
        EXPECT_EQ(r.MinutoSalida, 0);
        EXPECT_EQ(r.Presente, 1);
        EXPECT_EQ(r.SiguienteFila, 2);
    }
    // A start row of another day makes no progress.
    r = Lee(ayer, 2, 0);
    EXPECT_EQ(r.SiguienteFila, 2);
    EXPECT_EQ(r.Presente, 0);
}

TEST_F(LectorPares, IncidenciasSoloDelDiaPedido) {
    Llena({{"02", "05", "2024", "08", "00", "007"},
           {"02", "05", "2024", "12", "00", "999"},
           {"02", "05", "2024", "17", "00", "255"},
           {"03", "05", "2024", "08", "00", "004"}});
    Lee(ayer, 1, 0);
    EXPECT_EQ(ContadorIncidencias[6], 1);
    // The exit of the next day is counted on its own day only; 999 has no counter.
    TRegistroPresencia r = Lee(ayer, 3, 0);
    EXPECT_EQ(r.SiguienteFila, 4);
    EXPECT_EQ(ContadorIncidencias[254], 1);
    EXPECT_EQ(ContadorIncidencias[3], 0);
    Lee(hoy, 4, 0);
    EXPECT_EQ(ContadorIncidencias[3], 1);
    int total = 0;
    for (int c : ContadorIncidencias)
        total += c;
    EXPECT_EQ(total, 3);
    // A caller may count into its own counters.
    std::vector<int> propios;
    BuscaEntradaSalida(g, {ayer, 1, 0}, [&](int c) { propios.push_back(c); });
    EXPECT_EQ(propios, std::vector<int>{7});
}

TEST_F(LectorPares, FechaInvalidaEsOtroDia) {
    Llena({{"02", "05", "2024", "08", "00", "000"}, {"31", "02", "2024", "09", "00", "003"}});
    TRegistroPresencia r = Lee(ayer, 1, 0);
    EXPECT_EQ(r.Presente, 1);
    EXPECT_EQ(r.HoraSalida, 24);
    EXPECT_EQ(r.SiguienteFila, 2);
    EXPECT_EQ(ContadorIncidencias[2], 0);
    EXPECT_EQ(Lee(ayer, 2, 0).SiguienteFila, 2);
}

} // namespace
