// The calendar editor's day-map edits and month grid, without the window.
#include "common/configuracion.h"
#include "masterdata/calendarioeditado.h"

#include "common/ajustesprueba.h"
#include "support/dirtemporal.h"

#include <gtest/gtest.h>

TEST(CalendarioEditado, AplicarDiaYSemanaDelMesRechazaCodigosFueraDeByte) {
    DirectorioTrabajo dir;
    const std::string antes = Configuracion().DirDatos;
    AjustesPrueba().DirDatos = "";
    StringGrid sg2(3, 2);
    sg2.SetFila(1, {"1", "2011", "General"});
    TCalendarioEditado cal(sg2);
    cal.Mes = 3;
    cal.Dia = 15; // a Tuesday
    std::string error;
    ASSERT_TRUE(cal.Carga(1, error));
    ASSERT_TRUE(cal.AplicaDiaDelMes(2)); // 1, 8, 15, 22 and 29 March: bytes 59 to 87
    ASSERT_TRUE(cal.AplicaDia(7));
    TDiasCalendario esperado = DiasVacios();
    for (int i = 59; i <= 87; i += 7)
        esperado[static_cast<size_t>(i)] = 2;
    esperado[73] = 7;
    EXPECT_EQ(cal.Dias, esperado);
    cal.Modificado = false;
    for (int malo : {-1, 255, 300})
        EXPECT_FALSE(cal.AplicaMes(malo)) << malo;
    EXPECT_EQ(cal.Dias, esperado);
    EXPECT_FALSE(cal.Modificado);
    // A shown date that is no day (31 February) writes nothing, not even 1 January.
    cal.Mes = 2;
    cal.Dia = 31;
    EXPECT_FALSE(cal.AplicaDia(9));
    EXPECT_EQ(cal.Dias, esperado);
    AjustesPrueba().DirDatos = antes;
}

TEST(CalendarioEditado, CodigoNuevoYMes) {
    StringGrid sg2(3, 4);
    sg2.SetFila(1, {"1", "2011", "A"});
    sg2.SetFila(2, {"4", "2011", "B"});
    sg2.SetFila(3, {"5", "2012", "C"});
    // The new row would be row 4: code 4 is taken in 2011 (5 is free there), free in 2013.
    EXPECT_EQ(CodigoNuevoCalendario(sg2, 2011), "5");
    EXPECT_EQ(CodigoNuevoCalendario(sg2, 2013), "4");

    StringGrid g;
    TitulosMes(g);
    RellenaMes(g, 2011, 3); // 1 March 2011 is a Tuesday
    EXPECT_EQ(g.Fila(1), (std::vector<std::string>{"", "1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(g.Fila(5), (std::vector<std::string>{"28", "29", "30", "31", "", "", ""}));
    RellenaMes(g, 0, 3);
    EXPECT_EQ(g.Fila(2), std::vector<std::string>(7, ""));
    StringGrid sg1(3, 2);
    sg1.SetFila(0, {"0", "Festivo", ""});
    sg1.SetFila(1, {"x", "Sin codigo", ""});
    EXPECT_EQ(NombresJornada(sg1, 0), (std::vector<std::string>{"Festivo", "Sin codigo"}));
}
