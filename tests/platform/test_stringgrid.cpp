#include "platform/arboltexto.h"
#include "platform/stringgrid.h"
#include "platform/ui/arbolwidget.h"
#include "platform/ui/stringgridview.h"

#include <QTreeWidget>
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

TEST(StringGrid, LaVistaMuestraYEditaLosDatos) {
    StringGrid g(2, 3);
    g.Cells[0][0] = "T\xEDtulo";
    TStringGridView v(&g);
    v.SetEditable(true);
    EXPECT_EQ(v.model()->rowCount(), 3);
    EXPECT_EQ(v.model()->data(v.model()->index(0, 0)).toString(), QString::fromUtf8("Título"));
    EXPECT_FALSE(v.model()->flags(v.model()->index(0, 0)) & Qt::ItemIsEditable);
    ASSERT_TRUE(v.model()->setData(v.model()->index(1, 1), QString::fromUtf8("año"), Qt::EditRole));
    EXPECT_EQ(g.Celda(1, 1), "a\xF1o");
    g.SetRowCount(5);
    EXPECT_EQ(v.model()->rowCount(), 5);
    int fila = -1;
    QObject::connect(&v, &TStringGridView::SelectCell, [&](int, int r) { fila = r; });
    v.setCurrentIndex(v.model()->index(2, 1));
    EXPECT_EQ(fila, 2);
    EXPECT_EQ(g.Row(), 2);
}

TEST(ArbolTexto, IdaYVueltaConTabuladores) {
    std::vector<std::string> lineas{"Empresa", "\tGrupo A", "\t\t12 P\xE9rez", "\tGrupo B", "Otra"};
    auto raices = ArbolDeLineas(lineas);
    ASSERT_EQ(raices.size(), 2u);
    EXPECT_EQ(raices[0]->Hijos[0]->Hijos[0]->Texto, "12 P\xE9rez");
    EXPECT_EQ(raices[0]->Hijos[0]->Hijos[0]->Nivel(), 2);
    EXPECT_EQ(LineasDeArbol(raices), lineas);
    QTreeWidget arbol;
    CargaArbol(&arbol, lineas);
    EXPECT_EQ(LineasDeArbol(&arbol), lineas);
}

TEST(ArbolTexto, SaltoDeNivelSeCuelgaDelUltimoNodo) {
    auto raices = ArbolDeLineas({"A", "\t\t\tB", "", "\tC"});
    ASSERT_EQ(raices.size(), 1u);
    ASSERT_EQ(raices[0]->Hijos.size(), 2u);
    EXPECT_EQ(LineasDeArbol(raices), (std::vector<std::string>{"A", "\tB", "\tC"}));
}
