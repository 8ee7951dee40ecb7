#include "platform/arboltexto.h"
#include "platform/stringgrid.h"

#include <gtest/gtest.h>

TEST(StringGrid, CeldasPorColumnaYFilaYFueraDeRango) {
    StringGrid g(3, 2);
    g.Cells[2][1] = "x";
    EXPECT_EQ(g.Celda(2, 1), "x");
    EXPECT_EQ(g.Fila(1), (std::vector<std::string>{"", "", "x"}));
    g.Cells[5][9] = "perdido";
    EXPECT_EQ(g.Celda(5, 9), "");
    EXPECT_EQ(g.Cells[-1][0], "");
    g.SetRowCount(4);
    EXPECT_EQ(g.Celda(2, 1), "x");
    g.InsertaFila(1);
    EXPECT_EQ(g.Celda(2, 2), "x");
    g.BorraFila(1);
    g.SetRow(3);
    g.SetRowCount(2);
    EXPECT_EQ(g.Row(), 1); // the selection stays inside the grid
}

TEST(ArbolTexto, IdaYVueltaConTabuladores) {
    std::vector<std::string> lineas{"Empresa", "\tGrupo A", "\t\t12 P\xE9rez", "\tGrupo B", "Otra"};
    auto raices = ArbolDeLineas(lineas);
    ASSERT_EQ(raices.size(), 2u);
    EXPECT_EQ(raices[0]->Hijos[0]->Hijos[0]->Texto, "12 P\xE9rez");
    EXPECT_EQ(raices[0]->Hijos[0]->Hijos[0]->Nivel(), 2);
    EXPECT_EQ(LineasDeArbol(raices), lineas);
}

TEST(ArbolTexto, SaltoDeNivelSeCuelgaDelUltimoNodo) {
    auto raices = ArbolDeLineas({"A", "\t\t\tB", "", "\tC"});
    ASSERT_EQ(raices.size(), 1u);
    ASSERT_EQ(raices[0]->Hijos.size(), 2u);
    EXPECT_EQ(LineasDeArbol(raices), (std::vector<std::string>{"A", "\tB", "\tC"}));
}
