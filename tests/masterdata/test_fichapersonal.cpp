// The personnel card file, the employee's documents and the identity card's code.
#include "common/configuracion.h"
#include "masterdata/fichapersonal.h"
#include "platform/lineas.h"

#include "support/dirtemporal.h"

#include <gtest/gtest.h>

namespace {
struct EntornoFicha {
    DirectorioTrabajo dir;
    std::string dirDatos = DirDatos, dirPdf = DirPdf;
    EntornoFicha() {
        DirDatos = "d/";
        DirPdf = "pdf\\";
        CreaDirectorio("d");
    }
    ~EntornoFicha() {
        DirDatos = dirDatos;
        DirPdf = dirPdf;
    }
};
} // namespace

TEST(FichaPersonal, FichasCortasSeRellenanYLargasSeCortan) {
    EntornoFicha e;
    EXPECT_EQ(ArchivoFichaPersonal(120), "d/empleado.120");
    std::vector<std::string> campos;
    EXPECT_FALSE(LeeFichaPersonal("d/empleado.1", campos));
    EXPECT_EQ(campos, std::vector<std::string>(19));
    for (int n : {18, 5, 0, 25}) {
        std::string texto;
        for (int i = 0; i < n; ++i)
            texto += "L" + std::to_string(i) + "\r\n";
        Escribe("d/empleado.7", texto);
        ASSERT_TRUE(LeeFichaPersonal("d/empleado.7", campos)) << n;
        ASSERT_EQ(campos.size(), 19u) << n;
        EXPECT_EQ(campos[18], n > 18 ? "L18" : "") << n;
        EXPECT_EQ(campos[0], n > 0 ? "L0" : "") << n;
    }
}

TEST(FichaPersonal, CamposSinSaltosDeLinea) {
    EntornoFicha e;
    std::vector<std::string> campos(19);
    campos[0] = "Luis\r\nJosé";
    campos[17] = "12\n5";
    campos[18] = "30";
    ASSERT_TRUE(GuardaFichaPersonal("d/empleado.3", campos));
    std::vector<std::string> leidos;
    ASSERT_TRUE(LeeFichaPersonal("d/empleado.3", leidos));
    EXPECT_EQ(leidos[0], "Luis  José");
    EXPECT_EQ(leidos[17], "12 5");
    EXPECT_EQ(leidos[18], "30"); // "Mínimo Extra" stays line 19
    EXPECT_EQ(Contenido("d/empleado.3").size(), std::string("Luis  José").size() + 4 + 2 + 19 * 2);
}

TEST(FichaPersonal, PrellenadaDesdeElEmpleado) {
    const std::vector<std::string> empleado = {"120 Luis", "Pérez Gil", "Luis",       "Mayor 3",   "Huesca",
                                               "123Z",     "974000000", "02/05/1970", "01/09/2001"};
    std::vector<std::string> f = FichaPrellenada(empleado);
    ASSERT_EQ(f.size(), 19u);
    const std::vector<std::string> esperado = {"Luis",       "Pérez Gil", "",       "123Z", "02/05/1970",
                                               "01/09/2001", "Mayor 3",   "Huesca", "",     "974000000"};
    EXPECT_EQ(std::vector<std::string>(f.begin(), f.begin() + 10), esperado);
    EXPECT_EQ(std::vector<std::string>(f.begin() + 10, f.end()), std::vector<std::string>(9));
    EXPECT_EQ(FichaPrellenada({"5 Eva"}), std::vector<std::string>(19));
}

TEST(FichaPersonal, DocumentosYCodigoDeLaFicha) {
    EntornoFicha e;
    EXPECT_EQ(RutaDocumentoEmpleado(DocumentoEmpleado::Nominas, 7), "pdf\\nominas_7.pdf");
    EXPECT_EQ(RutaDocumentoEmpleado(DocumentoEmpleado::Varios, 120), "pdf\\varios_120.pdf");
    const struct {
        const char *identificador, *codigo;
    } casos[] = {{"7 Eva", "*007*"},     {"12 Ana", "*012*"}, {"120 Luis Pérez", "*120*"},
                 {"1234 Gil", "*1234*"}, {"120", "*120*"},    {"  5 Rey", "*005*"},
                 {"42abc", "*042*"},     {"Ana", ""},         {"", ""}};
    for (const auto &c : casos)
        EXPECT_EQ(CodigoFicha(c.identificador), c.codigo) << c.identificador;
}
