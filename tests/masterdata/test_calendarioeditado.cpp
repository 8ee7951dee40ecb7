// The calendar editor's day-map edits, without the window.
#include "common/configuracion.h"
#include "masterdata/calendarioeditado.h"
#include "platform/lineas.h"

#include "support/dirtemporal.h"

#include <gtest/gtest.h>

namespace {

class CalendarioEditado : public ::testing::Test {
protected:
    void SetUp() override {
        DirDatos = "";
        sg2.SetFila(0, {"Código", "Año", "Nombre"});
    }
    void TearDown() override { DirDatos = dirDatos; }
    void filas(std::vector<std::vector<std::string>> f) {
        sg2.SetRowCount(1 + static_cast<int>(f.size()));
        for (size_t i = 0; i < f.size(); ++i)
            sg2.SetFila(static_cast<int>(i) + 1, f[i]);
    }
    // Indices of the bytes holding codigo.
    static std::vector<int> con(const TDiasCalendario &d, int codigo) {
        std::vector<int> r;
        for (int i = 0; i < 366; ++i)
            if (d[static_cast<size_t>(i)] == codigo)
                r.push_back(i);
        return r;
    }
    static std::vector<int> serie(int desde, int hasta, int paso) {
        std::vector<int> r;
        for (int i = desde; i <= hasta; i += paso)
            r.push_back(i);
        return r;
    }

    DirectorioTrabajo dir;
    std::string dirDatos = DirDatos;
    StringGrid sg2{3, 1};
    TCalendarioEditado cal{sg2};
    std::string error;
};

} // namespace

TEST_F(CalendarioEditado, AplicarPorDiaSemanaMesYAnio) {
    filas({{"1", "2011", "General"}});
    cal.Mes = 3;
    cal.Dia = 15; // a Tuesday, day 73 of the year
    ASSERT_TRUE(cal.Carga(1, error));
    EXPECT_EQ(Contenido("H2011.001"), std::string(366, '\xFF'));
    EXPECT_FALSE(cal.Modificado);

    ASSERT_TRUE(cal.AplicaDiaDelAnio(1));
    EXPECT_EQ(con(cal.Dias, 1), serie(3, 360, 7));
    ASSERT_TRUE(cal.AplicaDiaDelMes(2)); // the Tuesdays of March: 1, 8, 15, 22 and 29
    EXPECT_EQ(con(cal.Dias, 2), serie(59, 87, 7));
    ASSERT_TRUE(cal.AplicaMes(0));
    EXPECT_EQ(con(cal.Dias, 0), serie(59, 89, 1));
    cal.Dia = 31;
    cal.Mes = 12;
    ASSERT_TRUE(cal.AplicaDia(7));
    EXPECT_EQ(con(cal.Dias, 7), std::vector<int>{364});
    EXPECT_TRUE(cal.Modificado);

    // Codes a byte cannot hold are refused, never wrapped.
    cal.Modificado = false;
    const TDiasCalendario antes = cal.Dias;
    for (int malo : {-1, 255, 256, 300})
        EXPECT_FALSE(cal.AplicaMes(malo)) << malo;
    EXPECT_EQ(cal.Dias, antes);
    EXPECT_FALSE(cal.Modificado);
}

TEST_F(CalendarioEditado, MapaCortoSeLeeCon255YNoSeReescribe) {
    filas({{"4", "2012", "Corto"}});
    Escribe("H2012.004", std::string(100, '\x01'));
    ASSERT_TRUE(cal.Carga(1, error));
    EXPECT_EQ(con(cal.Dias, 1), serie(0, 99, 1));
    EXPECT_EQ(con(cal.Dias, 255).size(), 266u);
    EXPECT_EQ(Contenido("H2012.004").size(), 100u);
}

TEST_F(CalendarioEditado, AnioFueraDeRangoNiCreaNiAplica) {
    for (const char *anio : {"0", "10000", "", "-5"}) {
        filas({{"1", anio, "Malo"}});
        ASSERT_TRUE(cal.Carga(1, error)) << anio;
        EXPECT_EQ(cal.Anio, 0);
        EXPECT_FALSE(cal.Aplicable());
        EXPECT_FALSE(cal.AplicaMes(1));
        EXPECT_FALSE(cal.Guarda(error));
        EXPECT_NE(error.find("1 Malo"), std::string::npos) << error;
    }
    EXPECT_EQ(Contenido("calendarios.dat"), "1\r\n-5\r\nMalo\r\n");
    // Only calendarios.dat was written.
    EXPECT_FALSE(ExisteArchivo("H   0.001"));
    EXPECT_FALSE(ExisteArchivo("H10000.001"));
}

TEST_F(CalendarioEditado, GuardaConElCodigoYAnioActualesDeLaFilaCargada) {
    filas({{"1", "2011", "General"}, {"2", "2011", ""}});
    ASSERT_TRUE(cal.Carga(2, error));
    sg2.SetCelda(0, 2, "5"); // the code edited after loading
    cal.Refresca();
    cal.Mes = 3;
    ASSERT_TRUE(cal.AplicaMes(1));
    ASSERT_TRUE(cal.Guarda(error));
    EXPECT_EQ(Contenido("H2011.002"), std::string(366, '\xFF'));
    EXPECT_EQ(con(cal.Dias, 1), serie(59, 89, 1));
    EXPECT_EQ(Contenido("H2011.005"), std::string(cal.Dias.begin(), cal.Dias.end()));
    EXPECT_EQ(Contenido("calendarios.dat"), "1\r\n2011\r\nGeneral\r\n5\r\n2011\r\n\r\n");
    // A year edited into the loaded row is the shown year.
    sg2.SetCelda(1, 2, "2012");
    cal.Refresca();
    EXPECT_EQ(cal.Anio, 2012);
}

TEST_F(CalendarioEditado, FilaBorradaSigueALaCargada) {
    filas({{"1", "2011", "A"}, {"2", "2011", "B"}, {"3", "2011", "C"}});
    ASSERT_TRUE(cal.Carga(2, error));
    EXPECT_FALSE(cal.FilaBorrada(3)); // after it: unchanged
    EXPECT_EQ(cal.Fila, 2);
    EXPECT_FALSE(cal.FilaBorrada(1)); // before it: one row up
    EXPECT_EQ(cal.Fila, 1);
    cal.Modificado = true;
    EXPECT_TRUE(cal.FilaBorrada(1)); // itself: nothing loaded, nothing to save
    EXPECT_EQ(cal.Fila, SinCalendario);
    EXPECT_FALSE(cal.Modificado);
    EXPECT_FALSE(cal.Aplicable());
}

TEST_F(CalendarioEditado, CodigoNuevoNoRepiteUnoDelMismoAnio) {
    filas({{"1", "2011", "A"}, {"3", "2011", "B"}, {"4", "2012", "C"}});
    // The new row would be row 4: code 4 is free in 2011, taken in 2012.
    EXPECT_EQ(CodigoNuevoCalendario(sg2, 2011), "4");
    EXPECT_EQ(CodigoNuevoCalendario(sg2, 2012), "5");
    filas({{"3", "2011", "A"}, {"2", "2011", "B"}});
    EXPECT_EQ(CodigoNuevoCalendario(sg2, 2011), "4");
}

TEST(MesCalendario, DiasEnSuSemanaYNombresDeJornada) {
    StringGrid g;
    TitulosMes(g);
    RellenaMes(g, 2011, 3); // 1 March 2011 is a Tuesday
    EXPECT_EQ(g.Fila(0),
              (std::vector<std::string>{" Lun ", " Mar ", " Mie ", " Jue ", " Vie ", " Sab ", " Dom "}));
    EXPECT_EQ(g.Fila(1), (std::vector<std::string>{"", "1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(g.Fila(5), (std::vector<std::string>{"28", "29", "30", "31", "", "", ""}));
    RellenaMes(g, 2011, 2);
    EXPECT_EQ(g.Fila(5), (std::vector<std::string>{"28", "", "", "", "", "", ""}));
    RellenaMes(g, 0, 2);
    EXPECT_EQ(g.Fila(2), std::vector<std::string>(7, ""));

    StringGrid sg1(3, 3);
    sg1.SetFila(0, {"0", "Festivo", ""});
    sg1.SetFila(1, {"1", "Normal", ""});
    sg1.SetFila(2, {"x", "Sin codigo", ""});
    EXPECT_EQ(NombresJornada(sg1, 0), (std::vector<std::string>{"Festivo", "Sin codigo"}));
    EXPECT_EQ(NombresJornada(sg1, 1), std::vector<std::string>{"Normal"});
    EXPECT_TRUE(NombresJornada(sg1, 255).empty());
}
