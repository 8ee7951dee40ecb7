// Employee and run totals and the amounts that price the balance.
#include "presence/documentoprueba.h"
#include "presence/totalespresencia.h"

#include <gtest/gtest.h>

namespace {

const std::vector<TTipoHoraPres> Tipos = {
    {"Cortesia", 0, 0, 0}, {"Presencia", 8, 0, 0}, {"Extra", 10, 0, 0}, {"Nocturna", 15, 0, 0}};

TEmpleadoPresencia Empleado(int teorico, int saldo, std::vector<int> porTipo) {
    TEmpleadoPresencia e;
    e.TotalTeorico = teorico;
    e.Saldo = saldo;
    e.TotalesPorTipo = std::move(porTipo);
    return e;
}

const std::string Cabecera = "\t\thoras te\xf3ricas\tHoras Trabajadas\tSaldo total\tPresenc\tExtra\tNocturn";
const std::string Precios = "\t\t\t\tPrecio por hora en Euros\t\t";
const std::string Horas = "\t\t\t\tHoras aplicables\t\t\t";
const std::string Total = "\t\t\t\tTotal\t\t\t\t";

void Notas(const DocumentoPrueba &d, size_t desde) {
    EXPECT_EQ(d.Linea(desde), "");
    EXPECT_EQ(d.Linea(desde + 1), "\t\tNOTA.-");
    EXPECT_EQ(d.Linea(desde + 2), "\t\tHoras trabajadas = Horas en presencia + Horas extras");
    EXPECT_EQ(d.Linea(desde + 3), "\t\tHoras aplicables = Horas trabajadas - Horas teoricas");
    ASSERT_EQ(d.Lineas.size(), desde + 4);
}

} // namespace

TEST(Totales, SaldoPositivoSeAplicaPorTipos) {
    DocumentoPrueba d;
    TTotalesRun run;
    EscribeTotalesEmpleado(d, Empleado(960, 90, {900, 60, 120}), {0.0, 2.0}, Tipos, run);
    EXPECT_EQ(d.Linea(0), Cabecera);
    EXPECT_TRUE(d.Atributos(0).Subrayado);
    EXPECT_EQ(d.Atributos(0).Color, ColorMarino);
    EXPECT_EQ(d.Linea(1), "\t\t16:00\t\t17:30\t\t+1:30\t\t15:00\t1:00\t2:00");
    EXPECT_EQ(d.Atributos(1).Color, ColorAzul);
    EXPECT_TRUE(d.Atributos(1).Subrayado);
    EXPECT_EQ(d.Linea(2), Precios + "\t12.00\t15.00\t");
    EXPECT_FALSE(d.Atributos(2).Subrayado);
    EXPECT_EQ(d.Atributos(2).Color, ColorAzul);
    EXPECT_EQ(d.Linea(3), Horas + "\t 1.00\t 0.50\t");
    EXPECT_TRUE(d.Atributos(3).Subrayado);
    EXPECT_EQ(d.Linea(4), Total + "\t12.00\t 7.50\t=    19.50 \x80");
    EXPECT_EQ(d.Atributos(4).Color, ColorAzul);
    EXPECT_TRUE(d.Atributos(4).Subrayado);
    Notas(d, 5);
    EXPECT_TRUE(d.Atributos(6).Subrayado);

    EXPECT_EQ(run.Teorico, 960);
    EXPECT_EQ(run.Saldo, 90);
    EXPECT_EQ(run.TotalesPorTipo, std::vector<int>({900, 60, 120}));
    EXPECT_EQ(run.ImportesPorTipo, std::vector<double>({0.0, 12.0, 7.5}));
}

TEST(Totales, SaldoNegativoConPrecioDePresencia) {
    DocumentoPrueba d;
    TTotalesRun run;
    EscribeTotalesEmpleado(d, Empleado(480, -30, {450, 0, 40}), {}, Tipos, run);
    EXPECT_EQ(d.Linea(1), "\t\t8:00\t\t7:30\t\t-0:30\t\t7:30\t\t0:40");
    EXPECT_EQ(d.Atributos(1).Color, ColorRojo);
    EXPECT_EQ(d.Linea(2), Precios + " 8.00\t");
    EXPECT_EQ(d.Linea(3), Horas + "-0.50\t");
    EXPECT_EQ(d.Linea(4), Total + "-4.00\t=    -4.00 \x80");
    EXPECT_EQ(d.Atributos(4).Color, ColorRojo);
    // A negative balance still adds its minutes to the run, and prices nothing per type.
    EXPECT_EQ(run.TotalesPorTipo, std::vector<int>({450, 0, 40}));
    EXPECT_EQ(run.ImportesPorTipo, std::vector<double>({0.0, 0.0, 0.0}));
    EXPECT_EQ(run.Saldo, -30);
}

TEST(Totales, SaldoCeroSoloPrecios) {
    DocumentoPrueba d;
    TTotalesRun run;
    EscribeTotalesEmpleado(d, Empleado(480, 0, {480, 60, 0}), {0.0, 2.0}, Tipos, run);
    EXPECT_EQ(d.Linea(2), Precios + "\t12.00\t\t");
    EXPECT_EQ(d.Linea(3), Horas + "\t\t");
    EXPECT_EQ(d.Linea(4), Total + "\t\t=     0.00 \x80");
    EXPECT_EQ(d.Atributos(4).Color, ColorAzul);
}

TEST(Totales, ElSaldoSeAcabaYLasHorasSeLeenComoSeImprimen) {
    DocumentoPrueba d;
    TTotalesRun run;
    // 10 minutes are 0.17 hours as printed: 12 x 0.17 = 2.04.
    EscribeTotalesEmpleado(d, Empleado(480, 10, {480, 60, 120}), {0.0, 2.0}, Tipos, run);
    EXPECT_EQ(d.Linea(2), Precios + "\t12.00\t15.00\t");
    EXPECT_EQ(d.Linea(3), Horas + "\t 0.17\t");
    EXPECT_EQ(d.Linea(4), Total + "\t 2.04\t=     2.04 \x80");
    EXPECT_DOUBLE_EQ(run.ImportesPorTipo[1], 2.04);
    EXPECT_DOUBLE_EQ(run.ImportesPorTipo[2], 0.0);
}

TEST(Totales, ResumenDeTodos) {
    DocumentoPrueba d;
    TTotalesRun run;
    EscribeTotalesEmpleado(d, Empleado(960, 90, {900, 60, 120}), {0.0, 2.0}, Tipos, run);
    EscribeTotalesEmpleado(d, Empleado(480, -30, {450, 0, 40}), {}, Tipos, run);
    DocumentoPrueba r;
    EscribeTotalesResumen(r, Tipos, run);
    ASSERT_EQ(r.Lineas.size(), 3u);
    EXPECT_EQ(r.Linea(0), Cabecera);
    EXPECT_TRUE(r.Atributos(0).Subrayado);
    EXPECT_EQ(r.Atributos(0).Color, ColorRojo);
    EXPECT_EQ(r.Linea(1), "\t\t24:00\t\t25:00\t\t+1:00\t\t22:30\t1:00\t2:40");
    EXPECT_FALSE(r.Atributos(1).Subrayado);
    EXPECT_EQ(r.Atributos(1).Color, ColorNegro);
    EXPECT_EQ(r.Linea(2), Total + "\t12.00\t 7.50\t=    19.50 \x80");
    EXPECT_TRUE(r.Atributos(2).Subrayado);
    EXPECT_EQ(r.Atributos(2).Color, ColorNegro);
}

TEST(Totales, ImportesConPuntoDecimal) {
    EXPECT_EQ(TextoImporte(7.5), " 7.50");
    EXPECT_EQ(TextoImporte(-0.5), "-0.50");
    EXPECT_EQ(TextoImporte(1234.567), "1234.57");
    EXPECT_DOUBLE_EQ(ImporteLeido(1.0 / 6.0), 0.17);
}
