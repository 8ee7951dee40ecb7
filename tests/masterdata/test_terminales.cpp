#include "masterdata/terminales.h"

#include <gtest/gtest.h>

TEST(Terminales, ListaDeCincoLineasSeConvierte) {
    std::vector<std::string> viejo = {"Tipo", "Dir", "Desc",     "Perm",       "Den",  "Serie", "1", "Puerta",
                                      "a",    "",    "Ethernet", "10.0.0.5:2", "Nave", "b",     "x"};
    auto nuevo = ConvierteCincoLineas(viejo);
    std::vector<std::string> esperado = {"Tipo",     "Dir",        "Desc",   "Perm", "Den", "Modo",
                                         "Serie",    "1",          "Puerta", "a",    "",    "Todo",
                                         "Ethernet", "10.0.0.5:2", "Nave",   "b",    "x",   "Todo"};
    EXPECT_EQ(nuevo, esperado);
    EXPECT_EQ(ConvierteCincoLineas(esperado), esperado);
    // Old titles alone: no terminal.
    auto soloTitulos = ConvierteCincoLineas({"a", "b", "c", "d", "e"});
    EXPECT_EQ(soloTitulos.size(), 6u);
    EXPECT_EQ(soloTitulos[5], "Modo");
}

TEST(Terminales, ArchivoCortoNoTieneTerminales) {
    StringGrid sg{6, 2};
    LlenaTerminales(sg, {});
    EXPECT_EQ(sg.RowCount(), 2);
    EXPECT_EQ(sg.Fila(0), TitulosTerminales());
    LlenaTerminales(sg, {"Tipo", "Dir"});
    EXPECT_EQ(sg.RowCount(), 2);
    EXPECT_EQ(sg.Cells[5][0], "Modo");
    EXPECT_EQ(sg.Cells[0][1], "");
    // A partial last record is left out.
    LlenaTerminales(sg, {"a", "b", "c", "d", "e", "Modo", "Serie", "1", "x", "", "", "Todo", "Serie", "2"});
    EXPECT_EQ(sg.RowCount(), 2);
    EXPECT_EQ(sg.Cells[1][1], "1");
}

TEST(Terminales, GuardarAnadeNumeroAEthernet) {
    StringGrid sg{6, 2};
    LlenaTerminales(sg, TitulosTerminales());
    sg.SetRowCount(5);
    sg.SetFila(1, {"Serie", "1", "", "", "", "Todo"});
    sg.SetFila(2, {"Ethernet", "pc1:7", "", "", "", "Entrada"});
    sg.SetFila(3, {"Ethernet", "192.168.1.20", "Puerta", "empresa", "", "Salida"});
    sg.SetFila(4, {"ethernet", "192.168.1.21", "", "", "", "Todo"});
    auto lineas = LineasTerminales(sg);
    ASSERT_EQ(lineas.size(), 30u);
    EXPECT_EQ(lineas[13], "pc1:7");
    EXPECT_EQ(lineas[19], "192.168.1.20:3");
    EXPECT_EQ(lineas[25], "192.168.1.21");
    EXPECT_EQ(sg.Cells[1][3], "192.168.1.20:3");
}
