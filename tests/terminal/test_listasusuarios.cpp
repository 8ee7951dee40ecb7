// User lists of the lists page and denied lists: files in a working directory, byte for byte.
#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "platform/stringgrid.h"
#include "support/dirtemporal.h"
#include "support/simulador.h"
#include "terminal/denegados.h"
#include "terminal/listasusuarios.h"

#include <gtest/gtest.h>

namespace {

class Listas : public ::testing::Test {
protected:
    void SetUp() override { AjustesPrueba().DirHuellas = dir.Ruta() + "/"; }
    // The working list holds the given records and SG2 shows it.
    void trabajo(const std::vector<std::string> &registros) {
        std::string datos;
        for (const auto &r : registros)
            datos += r;
        Escribe(ListaTrabajo, datos);
        ASSERT_TRUE(CargaListaEnGrid(ListaTrabajo, g));
    }
    std::vector<std::string> codigos() {
        StringGrid v(8, 1);
        CargaListaEnGrid(ListaTrabajo, v);
        std::vector<std::string> c;
        for (int r = 1; r < v.RowCount(); ++r)
            c.push_back(v.Celda(1, r) + ":" + v.Celda(2, r));
        return c;
    }
    DirectorioTrabajo dir;
    StringGrid g{8, 1};
};

TEST_F(Listas, RutaDeUnaLista) {
    const std::string h = Configuracion().DirHuellas;
    const std::vector<std::pair<std::string, std::string>> casos = {
        {"empresa", h + "empresa.min"},
        {"L1501260930.MIN", h + "L1501260930.MIN"},
        {"c:\\listas\\nave", "c:\\listas\\nave.min"},
        {"/tmp/a.Min", "/tmp/a.Min"},
    };
    for (const auto &[texto, ruta] : casos)
        EXPECT_EQ(RutaListaHuellas(texto), ruta) << texto;
}

TEST_F(Listas, AnadirSaltaDuplicadosYQuitar) {
    std::string otraPlantilla = RegistroLista("7", "ANA", 3, 255);
    otraPlantilla[134] ^= 0x55;
    Escribe("fuente.min", RegistroLista("7", "ANA", 3, 255) + RegistroLista("8", "BEA", 2, 90) +
                              RegistroLista("7", "ANA", 3, 255) + otraPlantilla);
    ASSERT_TRUE(AnadeRegistros("fuente.min", 1, 2, ListaTrabajo));
    ASSERT_TRUE(AnadeRegistros("fuente.min", 2, 4, ListaTrabajo)); // 8 and the first 7 already there
    EXPECT_EQ(codigos(), (std::vector<std::string>{"7:ANA", "8:BEA", "7:ANA"}));
    EXPECT_EQ(Contenido(ListaTrabajo).substr(1024), otraPlantilla);
    ASSERT_TRUE(QuitaRegistro(ListaTrabajo, 2));
    EXPECT_EQ(codigos(), (std::vector<std::string>{"7:ANA", "7:ANA"}));
}

TEST_F(Listas, GuardarEscribeTextoYFranjasDeLaRejilla) {
    const std::string original = RegistroLista("1", "X", 2, 255);
    trabajo({original, original});
    g.Cells[1][1] = "12345678901234567"; // 17 digits: 16 kept
    g.Cells[2][1] = std::string(200, 'N');
    AplicaModo(g, 1, TRegistroMin::ModoAcceso::Nunca);
    g.Cells[1][2] = "45";
    g.Cells[2][2] = "ANA";
    g.Cells[4][2] = "08:00/14:00";
    g.Cells[5][2] = "00:00/23:59";
    ASSERT_TRUE(GuardaListaMin(g, ListaTrabajo, "destino.min"));
    const std::string d = Contenido("destino.min");
    ASSERT_EQ(d.size(), 1024u);
    EXPECT_EQ(Contenido(ListaTrabajo), d);
    // The text never runs into the minutiae count: 127 bytes and the NUL.
    EXPECT_EQ(d.substr(4, 17), "1234567890123456 ");
    EXPECT_EQ(d[131], '\0');
    EXPECT_EQ(d.substr(400, 16), std::string(4, '\0') + std::string(12, '\xFF'));
    EXPECT_EQ(d.substr(516, 8), std::string("45 ANA\0\xFF", 8));
    EXPECT_EQ(d.substr(912, 8), std::string("\x08\x00\x14\x00\xFF\xFF\xFF\xFF", 8));
    // Every other byte comes from the working list.
    for (size_t i : {0u, 132u, 133u, 200u, 419u, 511u, 512u, 644u, 1023u})
        EXPECT_EQ(d[i], (original + original)[i]) << i;
}

TEST_F(Listas, OrdenesAscendentesEstables) {
    trabajo({RegistroLista("20", "beatriz", 30, 255), RegistroLista("9999999999999999", "ana", 12, 80),
             RegistroLista("100", "Bea", 5, 255), RegistroLista("0003", "\xC1lvaro", 12, 255),
             RegistroLista("20", "ANA", 7, 255)});
    const std::vector<std::pair<OrdenLista, std::vector<std::string>>> casos = {
        {OrdenLista::Nombre, {"0003:\xC1lvaro", "9999999999999999:ana", "20:ANA", "100:Bea", "20:beatriz"}},
        {OrdenLista::Minucias, {"100:Bea", "20:ANA", "0003:\xC1lvaro", "9999999999999999:ana", "20:beatriz"}},
        {OrdenLista::Codigo, {"0003:\xC1lvaro", "20:ANA", "20:beatriz", "100:Bea", "9999999999999999:ana"}},
    };
    for (const auto &[orden, esperado] : casos) {
        ASSERT_TRUE(CargaListaEnGrid(ListaTrabajo, g));
        ASSERT_TRUE(OrdenaLista(g, ListaTrabajo, orden));
        EXPECT_EQ(codigos(), esperado) << static_cast<int>(orden);
    }
}

// ---- denied lists ----

TEST_F(Listas, DenegarYPermitirUnaSeleccion) {
    TListaDenegados d;
    EXPECT_TRUE(d.Lee(ArchivoDenegados(3))); // missing: empty
    EXPECT_EQ(ArchivoDenegados(3), "denegados.003");
    EXPECT_TRUE(d.Cambia({"12 ana", "345 Bea", "7 carlos"}));
    EXPECT_EQ(d.Lineas(), (std::vector<std::string>{"12 ana", "345 Bea", "7 carlos"}));
    // The first that changes decides: 12 is permitted, so 8 is not denied and 345 is permitted.
    EXPECT_TRUE(d.Cambia({"12 ana", "8 DAVID", "345 Bea"}));
    EXPECT_EQ(d.Lineas(), (std::vector<std::string>{"7 carlos"}));
    EXPECT_TRUE(d.Cambia({"9 Zoe", "345 Bea", "1 alba"}));
    EXPECT_EQ(d.Lineas(), (std::vector<std::string>{"1 alba", "345 Bea", "7 carlos", "9 Zoe"}));
    ASSERT_TRUE(d.Guarda(ArchivoDenegados(3)));
    EXPECT_EQ(Contenido("denegados.003"), "1 alba\r\n345 Bea\r\n7 carlos\r\n9 Zoe\r\n");
    // Entries of users no longer in the source list leave it, so does a supervisor's entry.
    EXPECT_EQ(EntradaDenegados("5", "JEFE\xAC"
                                    "123"),
              "5 JEFE (SUPERVISOR)");
    d.Depura({"1 alba", "9 Zoe",
              "5 JEFE\xAC"
              "123"});
    EXPECT_EQ(d.Lineas(), (std::vector<std::string>{"1 alba", "9 Zoe"}));
}

TEST_F(Listas, TramasDeDenegadosConSuSuma) {
    const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> casos = {
        {{"12 A", "345 B"},
         {"qi\r", "12\r\n", "345\r\n",
          "\x04"
          "35"}},
        {{},
         {"qi\r", "\x04"
                  "04"}},
        {{"007 C", "12345678901234567 D"},
         {"qi\r", "7\r\n", "12345678901234567\r\n",
          "\x04"
          "02"}},
    };
    for (const auto &[lineas, tramas] : casos) {
        TListaDenegados d;
        d.Cambia(lineas);
        EXPECT_EQ(d.Tramas(), tramas) << lineas.size();
    }
}

} // namespace
