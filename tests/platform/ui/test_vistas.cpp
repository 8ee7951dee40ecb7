// The widgets over the platform's data: the string grid view and the tree view kept as text.
#include "platform/stringgrid.h"
#include "platform/ui/arbolwidget.h"
#include "platform/ui/stringgridview.h"

#include <QTreeWidget>
#include <gtest/gtest.h>

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

TEST(ArbolTexto, VistaIdaYVueltaConTabuladores) {
    std::vector<std::string> lineas{"Empresa", "\tGrupo A", "\t\t12 P\xE9rez", "\tGrupo B", "Otra"};
    QTreeWidget arbol;
    CargaArbol(&arbol, lineas);
    EXPECT_EQ(LineasDeArbol(&arbol), lineas);
}
