#include "masterdata/horarios.h"
#include "platform/lineas.h"

#include "support/dirtemporal.h"

#include <gtest/gtest.h>

namespace {
const std::vector<std::string> kTipos = {"Cortesia", "Presencia", "Extra"};

std::vector<std::string> etiquetas(const LineaTiempo &lt) {
    std::vector<std::string> r;
    for (const auto &t : lt.Tramos)
        r.push_back(t.Etiqueta);
    return r;
}
} // namespace

TEST(LineaTiempo, DiaCompletoTerminaALas24YLaSiguienteEmpiezaALas0) {
    LineaTiempo lt = CalculaLineaTiempo(" 480 1 960 2", kTipos);
    EXPECT_EQ(etiquetas(lt), (std::vector<std::string>{"00:00 08:00 Presencia", "08:00 24:00 Extra"}));
    EXPECT_EQ(lt.MinutosLibres, 0);
    EXPECT_EQ(lt.Siguiente, 0);
    EXPECT_FALSE(lt.HayError);
}

TEST(LineaTiempo, CortesiaSolapaElTramoSiguienteSinQuitarTiempo) {
    LineaTiempo lt = CalculaLineaTiempo(" 30 0 480 1", kTipos);
    EXPECT_EQ(etiquetas(lt), (std::vector<std::string>{"00:00 00:30 Cortesia", "00:00 08:00 Presencia"}));
    EXPECT_EQ(lt.MinutosLibres, 960);
    EXPECT_EQ(lt.Siguiente, 480);
    // A courtesy band at the end leaves the next start where it was.
    EXPECT_EQ(CalculaLineaTiempo(" 480 1 15 0", kTipos).Siguiente, 480);
}

TEST(LineaTiempo, TiposFueraDeLaListaSonError) {
    // The default schedule refers to hour type 5; -1 comes from a name not in the list.
    LineaTiempo lt = CalculaLineaTiempo(" 1440 5", {"Cortesia", "Presencia"});
    ASSERT_EQ(lt.Tramos.size(), 1u);
    EXPECT_EQ(lt.Tramos[0].Etiqueta, "00:00 24:00 ERROR");
    EXPECT_TRUE(lt.HayError);
    EXPECT_EQ(lt.MinutosLibres, 0);
    lt = CalculaLineaTiempo(" 60 -1", kTipos);
    EXPECT_EQ(lt.Tramos[0].Etiqueta, "00:00 01:00 ERROR");
    EXPECT_EQ(lt.MinutosLibres, 1380);
}

TEST(LineaTiempo, CadenasVaciasYMalFormadas) {
    EXPECT_TRUE(CalculaLineaTiempo("", kTipos).Tramos.empty());
    EXPECT_EQ(CalculaLineaTiempo("", kTipos).MinutosLibres, 1440);
    // Parsing stops at the first band that is not two numbers.
    EXPECT_EQ(LeeTramos(" 480 1 x 2").size(), 1u);
    EXPECT_EQ(LeeTramos(" 480").size(), 0u);
}

TEST(LineaTiempo, MinutosFueraDelDiaDetienenLaLectura) {
    const struct {
        const char *bandas;
        size_t tramos;
    } casos[] = {
        {" 0 1 1440 1", 2},
        {" 480 1 1441 2 60 1", 1},
        {" -30 0 480 1", 0},
        {" 999999999 1 999999999 1 999999999 1", 0},
    };
    for (const auto &c : casos)
        EXPECT_EQ(LeeTramos(c.bandas).size(), c.tramos) << c.bandas;
    EXPECT_EQ(CalculaLineaTiempo(" 480 1 999999999 2", kTipos).MinutosLibres, 960);
}

TEST(Tramos, AnadirYQuitar) {
    std::string b = AnadeTramo("", 480, 1);
    EXPECT_EQ(b, " 480 1");
    b = AnadeTramo(b, 960, 2);
    EXPECT_EQ(b, " 480 1 960 2");
    EXPECT_EQ(QuitaUltimoTramo(b), " 480 1");
    EXPECT_EQ(QuitaUltimoTramo(" 480 1"), "");
    EXPECT_EQ(QuitaUltimoTramo(""), "");
}

TEST(DiasCalendario, NombreEIndiceDelDia) {
    EXPECT_EQ(NombreDiasCalendario(2011, 1), "H2011.001");
    EXPECT_EQ(NombreDiasCalendario(999, 12), "H 999.012");
    EXPECT_EQ(IndiceDia(QDate(2012, 1, 1)), 0);
    EXPECT_EQ(IndiceDia(QDate(2012, 2, 29)), 59);
    EXPECT_EQ(IndiceDia(QDate(2011, 3, 1)), 59);
    EXPECT_EQ(IndiceDia(QDate(2012, 12, 31)), 365);
    EXPECT_EQ(IndiceDia(QDate(2011, 12, 31)), 364);
}

TEST(DiasCalendario, ArchivoCortoOAusenteSeLeeComo255) {
    DirectorioTrabajo d;
    TDiasCalendario dias;
    dias.fill(7);
    EXPECT_FALSE(LeeDiasCalendario("H2011.001", dias));
    EXPECT_EQ(dias, DiasVacios());

    Escribe("H2011.002", std::string("\x01\x02\x00", 3));
    dias.fill(7); // stale bytes must not survive
    ASSERT_TRUE(LeeDiasCalendario("H2011.002", dias));
    EXPECT_EQ(dias[0], 1);
    EXPECT_EQ(dias[1], 2);
    EXPECT_EQ(dias[2], 0);
    for (size_t i = 3; i < dias.size(); ++i)
        ASSERT_EQ(dias[i], 255) << i;
}

TEST(DiasCalendario, EscrituraDe366Bytes) {
    DirectorioTrabajo d;
    TDiasCalendario dias = DiasVacios();
    dias[IndiceDia(QDate(2012, 2, 29))] = 3;
    dias[IndiceDia(QDate(2012, 12, 31))] = 0;
    ASSERT_TRUE(GuardaDiasCalendario("H2012.001", dias));
    std::string esperado(366, '\xFF');
    esperado[59] = 3;
    esperado[365] = 0;
    EXPECT_EQ(Contenido("H2012.001"), esperado);
    TDiasCalendario leido;
    ASSERT_TRUE(LeeDiasCalendario("H2012.001", leido));
    EXPECT_EQ(leido, dias);
    // A longer file is read for its first 366 bytes.
    Escribe("H2012.009", esperado + "extra");
    ASSERT_TRUE(LeeDiasCalendario("H2012.009", leido));
    EXPECT_EQ(leido, dias);
}

TEST(TiposHora, PorDefectoYArchivoByteAByte) {
    DirectorioTrabajo d;
    StringGrid sg3{4, 2};
    auto nombres = CargaTiposHora(sg3, "horarios.def");
    EXPECT_EQ(nombres, (std::vector<std::string>{"Cortesia", "Presencia"}));
    EXPECT_EQ(sg3.RowCount(), 3);
    EXPECT_EQ(sg3.Fila(0), (std::vector<std::string>{"Tipos de horas", "Precio", "Modo", "Color"}));
    EXPECT_EQ(sg3.Fila(2), (std::vector<std::string>{"Presencia", "0", "0", "65280"}));

    const std::string archivo =
        "Cortesia\r\n0\r\n3\r\n0\r\nPresencia\r\n10.5\r\n2\r\n65280\r\nExtra\xF1\r\n12\r\n0\r\n255\r\n";
    Escribe("horarios.def", archivo);
    nombres = CargaTiposHora(sg3, "horarios.def");
    EXPECT_EQ(nombres.size(), 3u);
    ASSERT_TRUE(GuardaLineas("copia.def", LineasTiposHora(sg3)));
    EXPECT_EQ(Contenido("copia.def"), archivo);

    // A short last record is kept, padded with empty fields.
    Escribe("corto.def", "A\r\n1\r\n0\r\n0\r\nB\r\n2\r\n");
    CargaTiposHora(sg3, "corto.def");
    EXPECT_EQ(sg3.Fila(2), (std::vector<std::string>{"B", "2", "", ""}));
}

TEST(Jornadas, PorDefectoYArchivoByteAByte) {
    DirectorioTrabajo d;
    StringGrid sg1{3, 1};
    sg1.FixedRows = 0;
    CargaJornadas(sg1, "horarios.dat");
    EXPECT_EQ(sg1.RowCount(), 1);
    EXPECT_EQ(sg1.Fila(0), (std::vector<std::string>{"0", "Festivo", " 1440 5"}));

    const std::string archivo =
        "0\r\nFestivo\r\n 1440 5\r\n3\r\nTarde\r\n 840 0 15 0 480 1\r\n3\r\nOtra\r\n\r\n";
    Escribe("horarios.dat", archivo);
    CargaJornadas(sg1, "horarios.dat");
    EXPECT_EQ(sg1.RowCount(), 3);
    ASSERT_TRUE(GuardaLineas("copia.dat", LineasJornadas(sg1)));
    EXPECT_EQ(Contenido("copia.dat"), archivo);

    Escribe("vacio.dat", "");
    CargaJornadas(sg1, "vacio.dat");
    EXPECT_EQ(sg1.RowCount(), 1);
}

TEST(Jornadas, CodigosFueraDeRangoYBorrado) {
    int c = -5;
    EXPECT_TRUE(CodigoJornadaValido("254", c));
    EXPECT_EQ(c, 254);
    EXPECT_TRUE(CodigoJornadaValido(" 0 ", c));
    for (const char *malo : {"255", "300", "-1", "", "abc", "12x"})
        EXPECT_FALSE(CodigoJornadaValido(malo, c)) << malo;

    StringGrid sg1{3, 3};
    sg1.FixedRows = 0;
    sg1.SetFila(0, {"1", "A", ""});
    sg1.SetFila(1, {"2", "B", ""});
    sg1.SetFila(2, {"256", "C", ""});
    EXPECT_EQ(PrimeraJornadaInvalida(sg1), 2);
    // Deleting the last row selects the new last one.
    EXPECT_EQ(BorraJornada(sg1, 2), 1);
    EXPECT_EQ(PrimeraJornadaInvalida(sg1), -1);
    EXPECT_EQ(BorraJornada(sg1, 0), 0);
    EXPECT_EQ(sg1.Celda(1, 0), "B");
    // The only schedule stays.
    EXPECT_EQ(BorraJornada(sg1, 0), 0);
    EXPECT_EQ(sg1.RowCount(), 1);
}

TEST(Calendarios, UnElementoPorRachaDeCodigo) {
    std::vector<std::string> lineas = {"2",    "2010", "Oficina", "2",    "2011", "Oficina", "0",      "2011",
                                       "base", "1",    "2011",    "Nave", "2",    "2012",    "Oficina"};
    EXPECT_EQ(ItemsCalendarios(lineas),
              (std::vector<std::string>{"0 base", "1 Nave", "2 Oficina", "2 Oficina"}));
    DirectorioTrabajo d;
    auto cal = CalendariosDeLineas(lineas);
    ASSERT_EQ(cal.size(), 5u);
    ASSERT_TRUE(GuardaCalendarios("calendarios.dat", cal));
    EXPECT_EQ(Contenido("calendarios.dat"),
              "2\r\n2010\r\nOficina\r\n2\r\n2011\r\nOficina\r\n0\r\n2011\r\nbase\r\n"
              "1\r\n2011\r\nNave\r\n2\r\n2012\r\nOficina\r\n");
    EXPECT_TRUE(LeeCalendarios("no_existe.dat").empty());
}

TEST(Colores, ValorWindowsConRojoEnElByteBajo) {
    EXPECT_EQ(ColorWindows(65280), QColor(0, 255, 0));
    EXPECT_EQ(ColorWindows(8388608), QColor(0, 0, 128));
    EXPECT_EQ(ValorWindows(QColor(255, 0, 0)), 255);
    EXPECT_EQ(ValorWindows(QColor(1, 2, 3)), 0x030201);
}
