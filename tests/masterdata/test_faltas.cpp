// The absence sheet of a month.
#include "masterdata/faltas.h"

#include <gtest/gtest.h>

TEST(HojaFaltas, SinMapaTodoDiaPasadoSinFichajesEsFalta) {
    StringGrid g;
    TitulosFaltas(g);
    EXPECT_EQ(g.Celda(2, 0), "Mi\xE9rcoles");
    // January 2011 seen in February: 1 January is a Saturday.
    EXPECT_EQ(
        RellenaHojaFaltas(g, QDate(2011, 1, 1), QDate(2011, 2, 8), DiasVacios(), {0}, {QDate(2011, 1, 3)}),
        30);
    EXPECT_EQ(g.Celda(5, 1), "1  FALTA");
    EXPECT_EQ(g.Celda(0, 2), "3 ");
    EXPECT_EQ(g.Celda(5, 5), "29 FALTA");
    EXPECT_EQ(MesFaltas(QDate(2011, 1, 20), -1, QDate(2011, 2, 8)), QDate(2010, 12, 1));
    EXPECT_EQ(MesFaltas(QDate(2011, 2, 1), 1, QDate(2011, 2, 8)), QDate(2011, 2, 1)); // never past today's
    // A month shown after today's (the clock was put back) can still be left backwards.
    EXPECT_EQ(MesFaltas(QDate(2011, 5, 1), -1, QDate(2011, 2, 8)), QDate(2011, 4, 1));
}

TEST(HojaFaltas, FechasDeLaRejillaDeFichajes) {
    StringGrid g(4, 6);
    g.SetFila(1, {"", "03", "02", "2011"});
    g.SetFila(2, {"", "03", "03", "2011"}); // another month
    g.SetFila(3, {"", "31", "02", "2011"}); // no such day
    g.SetFila(4, {"", "09", "02", "11"});   // a two-digit year
    const QDate feb(2011, 2, 1);
    EXPECT_EQ(DiasConFichajes(g, 1, 2, 3, feb),
              (std::set<QDate>{QDate(2011, 2, 3), QDate(2011, 3, 3), QDate(2011, 2, 9)}));
    // Without month and year columns they are the month's; without a day column nothing counts.
    EXPECT_EQ(DiasConFichajes(g, 1, 0, 0, feb).count(QDate(2011, 2, 3)), 1u);
    EXPECT_TRUE(DiasConFichajes(g, 0, 2, 3, feb).empty());
}
