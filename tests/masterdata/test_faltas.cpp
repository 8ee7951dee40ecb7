// The absence sheet of a month.
#include "common/configuracion.h"
#include "masterdata/faltas.h"

#include <gtest/gtest.h>

namespace {

// Monday to Friday schedule 1, weekends schedule 0, for 2011.
TDiasCalendario lunesAViernes() {
    TDiasCalendario d = DiasVacios();
    for (QDate f(2011, 1, 1); f.year() == 2011; f = f.addDays(1))
        d[static_cast<size_t>(IndiceDia(f))] = f.dayOfWeek() >= 6 ? 0 : 1;
    return d;
}

} // namespace

TEST(HojaFaltas, DiasLaborablesSinFichajesHastaHoy) {
    StringGrid g;
    TitulosFaltas(g);
    EXPECT_EQ(g.Fila(0), (std::vector<std::string>{"Lunes", "Martes", "Mi\xE9rcoles", "Jueves", "Viernes",
                                                   "S\xE1"
                                                   "bado",
                                                   "Domingo"}));
    const std::set<QDate> fichajes = {QDate(2011, 2, 1), QDate(2011, 2, 3), QDate(2011, 2, 5)};
    // February 2011 seen on Tuesday the 8th: 1 is a Tuesday, 5 and 6 the weekend.
    const int faltas =
        RellenaHojaFaltas(g, QDate(2011, 2, 20), QDate(2011, 2, 8), lunesAViernes(), {0}, fichajes);
    EXPECT_EQ(faltas, 4);
    EXPECT_EQ(g.Fila(1),
              (std::vector<std::string>{"", "1 ", "2  FALTA", "3 ", "4  FALTA", "5 ", "6  Festivo"}));
    EXPECT_EQ(g.Fila(2), (std::vector<std::string>{"7  FALTA", "8  FALTA", "", "", "", "", ""}));
    for (int r = 3; r <= 6; ++r)
        EXPECT_EQ(g.Fila(r), std::vector<std::string>(7, "")) << r;

    // A whole past month without a day map: every day without clockings is an absence.
    EXPECT_EQ(RellenaHojaFaltas(g, QDate(2011, 1, 1), QDate(2011, 2, 8), DiasVacios(), {0}, {}), 31);
    EXPECT_EQ(g.Celda(5, 5), "29 FALTA");
    // No holiday codes configured: weekends count too.
    EXPECT_EQ(RellenaHojaFaltas(g, QDate(2011, 2, 1), QDate(2011, 2, 8), lunesAViernes(), {}, fichajes), 5);
}

TEST(HojaFaltas, FechasDeLaRejillaDeFichajes) {
    StringGrid g(4, 6);
    g.SetFila(1, {"", "03", "02", "2011"});
    g.SetFila(2, {"", "03", "03", "2011"}); // another month
    g.SetFila(3, {"", "31", "02", "2011"}); // no such day
    g.SetFila(4, {"", "09", "02", "11"});   // a two-digit year
    g.SetFila(5, {"", "", "", ""});
    const QDate feb(2011, 2, 1);
    EXPECT_EQ(DiasConFichajes(g, 1, 2, 3, feb),
              (std::set<QDate>{QDate(2011, 2, 3), QDate(2011, 3, 3), QDate(2011, 2, 9)}));
    // Without month and year columns they are the month's; without a day column nothing counts.
    EXPECT_EQ(DiasConFichajes(g, 1, 0, 0, feb).count(QDate(2011, 2, 3)), 1u);
    EXPECT_TRUE(DiasConFichajes(g, 0, 2, 3, feb).empty());
}

TEST(HojaFaltas, NavegacionDeMeses) {
    const QDate hoy(2011, 2, 8);
    EXPECT_EQ(MesFaltas(QDate(2011, 1, 20), -1, hoy), QDate(2010, 12, 1));
    EXPECT_EQ(MesFaltas(QDate(2010, 12, 5), 1, hoy), QDate(2011, 1, 1));
    EXPECT_EQ(MesFaltas(QDate(2011, 1, 1), 1, hoy), QDate(2011, 2, 1));
    EXPECT_EQ(MesFaltas(QDate(2011, 2, 1), 1, hoy), QDate(2011, 2, 1)); // never after this month

    const std::vector<int> antes(TablaFestivos, TablaFestivos + MaxFestivos);
    const int numAntes = NumFestivos;
    NumFestivos = 2;
    TablaFestivos[0] = 0;
    TablaFestivos[1] = 7;
    EXPECT_EQ(CodigosFestivos(), (std::vector<int>{0, 7}));
    NumFestivos = numAntes;
    std::copy(antes.begin(), antes.end(), TablaFestivos);
}
