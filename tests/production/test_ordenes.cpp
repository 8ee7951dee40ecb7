// Work-order files, their numbering and lookup, and the production editor's own files and INI keys.
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "production/datosproduccion.h"
#include "production/numeracion.h"
#include "production/ordentrabajo.h"
#include "support/dirtemporal.h"
#include "support/fallosdisco.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

struct CasoNumeracion {
    const char *nombre;
    std::vector<std::string> archivos; // present in the production directory
    std::string nodo, inicio;
    std::string archivo, numero; // expected; empty archivo: refused
};

class Numeracion : public ::testing::TestWithParam<CasoNumeracion> {};

} // namespace

TEST_P(Numeracion, DelNumeroTecleadoAlPrimeroLibreDelAnio) {
    const CasoNumeracion &c = GetParam();
    DirectorioTrabajo d;
    ASSERT_TRUE(CreaDirectorio("produccion"));
    for (const std::string &a : c.archivos)
        Escribe("produccion/" + a, "x\r\n");
    TNumeracion n;
    std::string error;
    const bool ok = NumeraOrden(c.nodo, 2024, c.inicio, "produccion/", 4, n, error);
    if (c.archivo.empty()) {
        EXPECT_FALSE(ok);
        EXPECT_FALSE(error.empty());
        return;
    }
    ASSERT_TRUE(ok) << error;
    EXPECT_EQ(n.Archivo, c.archivo);
    EXPECT_EQ(n.Numero, c.numero);
    EXPECT_EQ(n.SinNumeracion, c.numero == "0000");
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Numeracion,
    ::testing::Values(
        CasoNumeracion{"vacio", {}, "Mesa$4", "", "2024_0001.Mesa", "0001"},
        CasoNumeracion{"negativo", {}, "Mesa$4", "-3", "2024_0001.Mesa", "0001"},
        CasoNumeracion{
            "todosLosTipos", {"2024_0025.A", "2024_0026.B"}, "Mesa$4", "25", "2024_0027.Mesa", "0027"},
        CasoNumeracion{"sinExtension", {"2024_0001"}, "Mesa$4", "", "2024_0002.Mesa", "0002"},
        CasoNumeracion{
            "anioAnterior", {"2023_0001.Mesa", "2023_0002.Mesa"}, "Mesa$4", "1", "2024_0001.Mesa", "0001"},
        CasoNumeracion{"cuatroCifras", {}, "Mesa$4", "12345", "2024_1234.Mesa", "1234"},
        CasoNumeracion{"tipoDeArbol", {}, "Tipo-$4n", "", "2024_0001.Tipo-", "0001"},
        CasoNumeracion{"otrasCifras", {}, "Mesa$6", "25", "2024_000025.Mesa", "0025"},
        CasoNumeracion{"sinNumeracion", {"2024_0000.Varios"}, "Varios", "7", "2024_0000.Varios", "0000"},
        CasoNumeracion{"pasaDe9999", {"2024_9999.A"}, "Mesa$4", "9999", "", ""},
        CasoNumeracion{"barra", {}, "Me/sa$4", "", "", ""}, CasoNumeracion{"sinNombre", {}, "$4", "", "", ""},
        CasoNumeracion{"puntoFinal", {}, "Mesa.$4", "", "", ""}),
    [](const auto &i) { return std::string(i.param.nombre); });

TEST(Numeracion, SinNumeroRellenaComoElPrimerTipo) {
    EXPECT_EQ(DigitosSinNumero({"Mesa$6", "Varios"}), 6);
    EXPECT_EQ(DigitosSinNumero({"Varios", "Mesa$6"}), 4);
    EXPECT_EQ(DigitosSinNumero({}), 4);
    DirectorioTrabajo d;
    TNumeracion n;
    std::string error;
    ASSERT_TRUE(NumeraOrden("Varios", 2024, "", "", 6, n, error));
    EXPECT_EQ(n.Archivo, "2024_000000.Varios");
    EXPECT_EQ(n.Numero, "0000");
}

TEST(OrdenTrabajo, ArchivoCampoACampo) {
    DirectorioTrabajo d;
    TOrdenTrabajo o{Ansi("Mesa roble añeja"), "ACME", {{"00010001", "7", "Pata-1", "1", "Cortar"}}};
    std::string error;
    ASSERT_TRUE(GuardaOrden("2024_0001.Mesa", o, error)) << error;
    EXPECT_EQ(Contenido("2024_0001.Mesa"), "Mesa roble a\xF1"
                                           "eja\r\nACME\r\n00010001\r\n7\r\nPata-1\r\n1\r\nCortar\r\n");

    TOrdenTrabajo leida;
    ASSERT_TRUE(LeeOrden("2024_0001.Mesa", leida, error));
    EXPECT_EQ(leida.Descripcion, o.Descripcion);
    EXPECT_EQ(leida.Filas, o.Filas);
    EXPECT_EQ(TextoFechaOrden(FechaOrden("2024_0001.Mesa")).size(), 19u);

    // an incomplete last row is dropped; a missing file is an error
    Escribe("corta", "d\r\nc\r\n00010001\r\n7\r\n");
    ASSERT_TRUE(LeeOrden("corta", leida, error));
    EXPECT_TRUE(leida.Filas.empty());
    EXPECT_FALSE(LeeOrden("falta", leida, error));
    EXPECT_FALSE(FechaOrden("falta").isValid());
}

TEST(OrdenTrabajo, GuardadoFallidoDejaElArchivoAnterior) {
    DirectorioTrabajo d;
    std::string error;
    TOrdenTrabajo o{"d", "c", {}};
    ASSERT_TRUE(GuardaOrden("2024_0001.Mesa", o, error));
    o.Descripcion = std::string(4096, 'x');
    {
        DiscoLleno lleno(64);
        EXPECT_FALSE(GuardaOrden("2024_0001.Mesa", o, error));
    }
    EXPECT_EQ(Contenido("2024_0001.Mesa"), "d\r\nc\r\n");
    EXPECT_EQ(error, "No se puede guardar el archivo 2024_0001.Mesa");
    EXPECT_FALSE(GuardaOrden("no/existe/2024_0002.Mesa", o, error));
}

TEST(OrdenTrabajo, CodigosYBusquedaPorNumeroHaciaAtras) {
    EXPECT_EQ(CodigoTarea("0025", 3), "00250003");
    EXPECT_EQ(CodigoTarea("0000", 12), "00000012");
    EXPECT_EQ(CodigoCierre("00250003"), "00250000");
    EXPECT_EQ(CodigoCierre("12"), "120000");

    DirectorioTrabajo d;
    ASSERT_TRUE(CreaDirectorio("p"));
    for (const char *a : {"2021_0005.Mesa", "2024_0007.Silla", "1999_0009.Mesa"})
        Escribe(std::string("p/") + a, "");
    EXPECT_EQ(BuscaOrdenPorNumero("p/", 2024, 5), "p/2021_0005.Mesa");
    EXPECT_EQ(BuscaOrdenPorNumero("p/", 2024, 7), "p/2024_0007.Silla");
    EXPECT_EQ(BuscaOrdenPorNumero("p/", 2020, 7), "");
    EXPECT_EQ(BuscaOrdenPorNumero("p/", 2024, 9), ""); // 2000 is the last year tried
    EXPECT_EQ(BuscaOrdenPorNumero("p/", 1999, 9), "p/1999_0009.Mesa");
}

TEST(DatosProduccion, AnchosValidosOIgnorados) {
    DirectorioTrabajo d;
    std::vector<int> a2{1, 2}, a3{3, 4};
    auto lee = [&] { return LeeAnchos("anchos", 2, 2, a2, a3); };
    EXPECT_FALSE(lee()); // missing
    ASSERT_TRUE(GuardaAnchos("anchos", {70, 300}, {65536, 5}));
    EXPECT_EQ(Contenido("anchos"), std::string("\x46\0\0\0\x2C\x01\0\0\0\0\x01\0\x05\0\0\0", 16));
    ASSERT_TRUE(lee());
    EXPECT_EQ(a2, (std::vector<int>{70, 300}));
    EXPECT_EQ(a3, (std::vector<int>{65536, 5}));
    const std::pair<const char *, std::string> malos[] = {
        {"corto", std::string("\x46\0\0\0\x2C\x01\0\0\0\0\x01\0", 12)},
        {"cero", std::string("\x46\0\0\0\0\0\0\0\0\0\x01\0\x05\0\0\0", 16)},
        {"negativo", std::string("\x46\0\0\0\x2C\x01\0\0\0\0\x01\0\xFF\xFF\xFF\xFF", 16)}};
    for (const auto &[caso, bytes] : malos) {
        Escribe("anchos", bytes);
        EXPECT_FALSE(lee()) << caso;
        EXPECT_EQ(a2, (std::vector<int>{70, 300})) << caso;
    }
}

TEST(DatosProduccion, ClientesAusentesSonListaVacia) {
    DirectorioTrabajo d;
    std::vector<std::string> c{"x"};
    std::string error;
    ASSERT_TRUE(LeeClientes("clientes.dat", c, error));
    EXPECT_TRUE(c.empty());
    Escribe("clientes.dat", "ACME\r\nSoler\r\n");
    ASSERT_TRUE(LeeClientes("clientes.dat", c, error));
    EXPECT_EQ(c, (std::vector<std::string>{"ACME", "Soler"}));
    SinLectura ilegible("clientes.dat");
    EXPECT_FALSE(LeeClientes("clientes.dat", c, error));
    EXPECT_EQ(error, "No se puede leer el archivo clientes.dat");
}
