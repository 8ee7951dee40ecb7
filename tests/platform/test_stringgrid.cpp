#include "platform/arboltexto.h"
#include "platform/stringgrid.h"

#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <utility>

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

// A source's cells: "c:r", column 0 made in aux.
class FuentePrueba : public TFuenteCeldas {
public:
    int ColCount() const override { return 3; }
    int RowCount() const override { return 4; }
    std::string_view Texto(int c, int r, std::string &aux) const override {
        aux = std::to_string(c) + ":" + std::to_string(r);
        if (c == 0)
            return aux;
        textos_.push_back(aux);
        return textos_.back();
    }

private:
    mutable std::deque<std::string> textos_;
};

TEST(StringGrid, CeldasDeUnaFuenteHastaLaPrimeraEscritura) {
    StringGrid g(5, 5);
    g.Cells[4][4] = "viejo";
    g.FijaFuente(std::make_shared<FuentePrueba>());
    EXPECT_EQ(g.ColCount(), 3);
    EXPECT_EQ(g.RowCount(), 4);
    const std::string &a = g.Celda(0, 1), &b = g.Celda(2, 3);
    EXPECT_EQ(a + " " + b, "0:1 2:3");
    std::string aux;
    EXPECT_EQ(g.Texto(1, 2, aux), "1:2");
    EXPECT_EQ(g.Texto(3, 0, aux), "");
    EXPECT_EQ(std::as_const(g).Cells[2][0], "2:0");
    EXPECT_EQ(g.Fila(3), (std::vector<std::string>{"0:3", "1:3", "2:3"}));
    // The first write keeps every other cell.
    g.Cells[1][1] = "x";
    g.SetRowCount(5);
    EXPECT_EQ(g.Fila(1), (std::vector<std::string>{"0:1", "x", "2:1"}));
    EXPECT_EQ(g.Fila(4), (std::vector<std::string>{"", "", ""}));
    g.FijaFuente(std::make_shared<FuentePrueba>());
    EXPECT_EQ(g.Celda(1, 1), "1:1");
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
