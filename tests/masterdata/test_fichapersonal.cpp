// The personnel card file and the identity card's code.
#include "masterdata/fichapersonal.h"
#include "platform/lineas.h"

#include "support/dirtemporal.h"

#include <gtest/gtest.h>

TEST(FichaPersonal, FichasCortasOLargasYCamposSinSaltos) {
    DirectorioTrabajo dir;
    std::vector<std::string> campos;
    for (int n : {5, 0, 25}) {
        std::string texto;
        for (int i = 0; i < n; ++i)
            texto += "L" + std::to_string(i) + "\r\n";
        Escribe("empleado.7", texto);
        ASSERT_TRUE(LeeFichaPersonal("empleado.7", campos)) << n;
        ASSERT_EQ(campos.size(), 19u) << n;
        EXPECT_EQ(campos[18], n > 18 ? "L18" : "") << n;
    }
    // A pasted line break would move "Mínimo Extra" off line 19.
    campos.assign(19, "");
    campos[0] = "Luis\r\nJose";
    campos[18] = "30";
    ASSERT_TRUE(GuardaFichaPersonal("empleado.3", campos));
    std::string esperado = "Luis  Jose\r\n";
    for (int i = 1; i < 18; ++i)
        esperado += "\r\n";
    EXPECT_EQ(Contenido("empleado.3"), esperado + "30\r\n");
}

TEST(FichaPersonal, CodigoDeLaFicha) {
    const struct {
        const char *identificador, *codigo;
    } casos[] = {{"7 Eva", "*007*"}, {"12 Ana", "*012*"},  {"1234 Gil", "*1234*"},
                 {"120", "*120*"},   {"  5 Rey", "*005*"}, {"42abc", "*042*"},
                 {"Ana", ""}};
    for (const auto &c : casos)
        EXPECT_EQ(CodigoFicha(c.identificador), c.codigo) << c.identificador;
}
