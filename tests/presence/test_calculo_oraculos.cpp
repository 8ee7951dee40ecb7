// Presence days worked by hand: margins, early and late minutes, reader modes, hour-type Modos,
// incidences, rounding, free overtime, running balance and the amounts of the period.
#include "platform/codepage.h"
#include "presence/calculopresencia.h"
#include "presence/documentoprueba.h"
#include "presence/lectorprueba.h"
#include "presence/totalespresencia.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Hour types: 0 courtesy, 1 presence, 2 and 3 overtime (Modo 0), 4 Modo 1, 5 Modo 2, 6 Modo 3, 7 Modo 7.
TMaestrosPresencia Maestros() {
    TMaestrosPresencia m;
    m.Tipos = {{"Cortesia", 0, 0, 0},  {"Presencia", 8, 0, 65280}, {"Extra", 10, 0, 255},
               {"Nocturna", 15, 0, 0}, {"Descanso", 0, 1, 0},      {"Guardia", 0, 2, 0},
               {"Anula", 0, 3, 0},     {"Raro", 0, 7, 0}};
    m.Horarios = {
        {0, "Festivo", " 1440 2"},
        // 00-08 not counted, courtesy 15, 08-16 presence, 16-18 overtime: open day end
        {1, "Oficina", " 480 4 15 0 480 1 120 2"},
        // 00-08 overtime, 08-16 presence, 16-24 overtime
        {2, "Continuo", " 480 2 480 1 480 2"},
        // 00-08 overtime, 08-12 presence, 12-13 not counted, 13-16 Modo 2, 16-24 overtime
        {3, "Partido", " 480 2 240 1 60 4 180 5 480 2"},
        // 00-08 overtime, 08-12 presence, 12-13 Modo 3, 13-17 presence, 17-24 overtime
        {4, "Anulado", " 480 2 240 1 60 6 240 1 420 2"},
        // 00-08 not counted, 08-16 presence, 16-17 Extra, 17-19 Nocturna, 19-24 not counted
        {5, "Tarifas", " 480 4 480 1 60 2 120 3 300 4"},
        // night: 00-06 presence, then overtime
        {6, "Noche", " 360 1 1080 2"},
    };
    return m;
}

const QDate Lunes(2023, 3, 6);

int Tipo(const TResultadoDia &r, size_t t) {
    return t < r.MinutosPorTipo.size() ? r.MinutosPorTipo[t] : 0;
}

class Oraculo : public ::testing::Test {
protected:
    TMaestrosPresencia m = Maestros();
    TEmpleadoPresencia e;
    TOpcionesPresencia o;
    LectorPrueba lector;

    Oraculo() {
        e.Item = "7 Pepe Perez";
        e.Numero = 7;
        e.TotalesPorTipo.assign(63, 0);
    }
    void Fichaje(const QDate &d, int h, int mi, int inc = 0) { lector.Fichajes.push_back({d, h, mi, inc}); }
    TResultadoDia Dia(const QDate &d, int codigo, const std::vector<std::string> &incidencias = {}) {
        const THorarioDia h = PreparaHorario(codigo, m);
        TResultadoDia r = CalculaPares(d, h, m, e, o, lector);
        AplicaIncidencias(r, incidencias, e);
        CierraDia(r, e, o);
        return r;
    }
    bool TieneLinea(const TResultadoDia &r, const std::string &l) {
        return std::find(r.Lineas.begin(), r.Lineas.end(), l) != r.Lineas.end();
    }
};

TEST_F(Oraculo, MargenDeCortesiaYEntradaTardia) {
    // 08:10 falls in the 15 courtesy minutes: counts from 08:00, not late
    Fichaje(Lunes, 8, 10);
    Fichaje(Lunes, 16, 0);
    TResultadoDia r = Dia(Lunes, 1);
    EXPECT_EQ(r.Teorico, 480);
    EXPECT_EQ(r.Trabajado, 480);
    EXPECT_EQ(r.SaldoDia, 0);
    EXPECT_EQ(Tipo(r, 1), 480);
    ASSERT_EQ(r.Pares.size(), 1u);
    EXPECT_FALSE(r.Pares[0].Tarde);
    EXPECT_TRUE(r.TextoIncidencia.empty());

    // 08:20 is past the margin: late, 460 worked, unjustified
    const QDate martes = Lunes.addDays(1);
    Fichaje(martes, 8, 20);
    Fichaje(martes, 16, 0);
    r = Dia(martes, 1);
    EXPECT_EQ(r.Trabajado, 460);
    EXPECT_EQ(r.SaldoDia, -20);
    EXPECT_EQ(r.SaldoTotal, -20);
    EXPECT_EQ(e.Saldo, -20);
    EXPECT_TRUE(r.Pares.at(0).Tarde);
    EXPECT_TRUE(TieneLinea(r, CabeceraDiaListado(martes) + "08:20 (T)\t16:00\t"));
    EXPECT_TRUE(r.NoJustificado);
    EXPECT_EQ(r.TextoIncidencia, "\t\tINCIDENCIA NO JUSTIFICADA");
    EXPECT_EQ(r.ColorTexto, ColorRojo);
    EXPECT_EQ(e.TotalTeorico, 960);
    EXPECT_EQ(e.TotalesPorTipo[0], 940);
}

TEST_F(Oraculo, SalidaAnticipada) {
    Fichaje(Lunes, 8, 0);
    Fichaje(Lunes, 15, 30);
    TResultadoDia r = Dia(Lunes, 1);
    EXPECT_EQ(r.Trabajado, 450);
    EXPECT_EQ(r.SaldoDia, -30);
    EXPECT_EQ(r.Pares.at(0).Marca, TMarcaSalida::Anticipada);
    EXPECT_TRUE(TieneLinea(r, CabeceraDiaListado(Lunes) + "08:00\t15:30 (A)\t"));
    EXPECT_TRUE(r.NoJustificado);
}

TEST_F(Oraculo, MinutosAntesYDespuesApartados) {
    e.MinimoExtra = 10;
    // 07:55 and 16:05: 5 + 5 minutes put aside, the pair counts 08:00-16:00
    Fichaje(Lunes, 7, 55);
    Fichaje(Lunes, 16, 5);
    TResultadoDia r = Dia(Lunes, 1);
    EXPECT_EQ(r.Antes, 5);
    EXPECT_EQ(r.Despues, 5);
    EXPECT_EQ(r.Trabajado, 480);
    EXPECT_EQ(r.SaldoDia, 0);
    EXPECT_EQ(Tipo(r, 1), 480);

    // the put-aside minutes make up a late return after lunch (schedule without courtesy)
    const QDate martes = Lunes.addDays(1);
    Fichaje(martes, 7, 55);
    Fichaje(martes, 12, 0);
    Fichaje(martes, 12, 10);
    Fichaje(martes, 16, 5);
    r = Dia(martes, 2);
    EXPECT_EQ(r.Antes, 5);
    EXPECT_EQ(r.Despues, 5);
    EXPECT_EQ(r.Trabajado, 480);
    EXPECT_EQ(r.SaldoDia, 0);
    EXPECT_EQ(Tipo(r, 1), 470); // raised only when the make-up exceeds the theoretical time
    EXPECT_TRUE(r.Pares.at(1).Tarde);
    EXPECT_TRUE(r.TextoIncidencia.empty());
    // the second pair goes back to column 0: a second line for the day
    EXPECT_EQ(r.Lineas.size(), 2u);
}

TEST_F(Oraculo, LlegadaMuyTempranaCuentaPorSuBanda) {
    e.MinimoExtra = 10;
    // 07:45 is 15 minutes early: kept; its minutes fall in a not-counted band (Modo 1)
    Fichaje(Lunes, 7, 45);
    Fichaje(Lunes, 16, 0);
    TResultadoDia r = Dia(Lunes, 1);
    EXPECT_EQ(r.Antes, 0);
    EXPECT_EQ(r.Trabajado, 480);
    EXPECT_EQ(Tipo(r, 4), 0);
    // ... and in a Modo 0 overtime band they count
    const QDate martes = Lunes.addDays(1);
    Fichaje(martes, 7, 45);
    Fichaje(martes, 17, 0);
    r = Dia(martes, 2);
    EXPECT_EQ(r.Trabajado, 555);
    EXPECT_EQ(Tipo(r, 2), 75);
    EXPECT_EQ(Tipo(r, 1), 480);
    EXPECT_EQ(r.SaldoDia, 75);
    EXPECT_EQ(e.Saldo, 75);
}

TEST_F(Oraculo, ParSobreBandasDeDistintoModo) {
    // 08:00-17:00: presence 240, Modo 1 hour not counted, Modo 2 180 (theoretical), overtime 60
    Fichaje(Lunes, 8, 0);
    Fichaje(Lunes, 17, 0);
    Fichaje(Lunes, 18, 0);
    Fichaje(Lunes, 19, 0);
    TResultadoDia r = Dia(Lunes, 3);
    EXPECT_EQ(r.Teorico, 420);
    EXPECT_EQ(Tipo(r, 1), 240);
    EXPECT_EQ(Tipo(r, 4), 0);
    EXPECT_EQ(Tipo(r, 5), 180);
    EXPECT_EQ(Tipo(r, 2), 120); // 16-17 and the evening pair 18-19
    EXPECT_EQ(r.Trabajado, 540);
    EXPECT_EQ(r.SaldoDia, 120);
    // the evening pair is past the last scheduled band: late mark, a skipped column
    ASSERT_EQ(r.Pares.size(), 2u);
    EXPECT_TRUE(r.Pares[1].Tarde);
    EXPECT_EQ(r.Pares[1].Marca, TMarcaSalida::Ninguna);
    EXPECT_TRUE(TieneLinea(r, CabeceraDiaListado(Lunes) + "08:00\t17:00\t\t\t18:00 (T)\t19:00\t"));
}

TEST_F(Oraculo, BandaModo3NoCuentaSuTiempo) {
    // the 30 minutes of 12:30-13:00 fall in the Modo 3 band: nothing counted
    Fichaje(Lunes, 8, 0);
    Fichaje(Lunes, 12, 0);
    Fichaje(Lunes, 12, 30);
    Fichaje(Lunes, 17, 0);
    TResultadoDia r = Dia(Lunes, 4);
    EXPECT_EQ(r.Teorico, 480);
    EXPECT_EQ(Tipo(r, 1), 480);
    EXPECT_EQ(Tipo(r, 6), 0);
    EXPECT_EQ(r.Trabajado, 480);
    EXPECT_EQ(r.SaldoDia, 0);
    // the second pair's entry falls before the second band: early, kept (no minimum)
    EXPECT_FALSE(r.Pares.at(1).Tarde);
    EXPECT_EQ(r.Pares.at(1).Columna, 1);
}

TEST_F(Oraculo, ModoDesconocidoNoCuenta) {
    m.Horarios.push_back({8, "Raro", " 480 4 480 1 480 7"});
    Fichaje(Lunes, 8, 0);
    Fichaje(Lunes, 18, 0);
    TResultadoDia r = Dia(Lunes, 8);
    EXPECT_EQ(r.Trabajado, 480);
    EXPECT_EQ(Tipo(r, 7), 0);
    EXPECT_EQ(r.SaldoDia, 0);
}

TEST_F(Oraculo, DiaLaborableSinFichajes) {
    TResultadoDia r = Dia(Lunes, 1);
    EXPECT_TRUE(r.Pares.empty());
    EXPECT_EQ(r.Trabajado, 0);
    EXPECT_EQ(r.SaldoDia, -480);
    EXPECT_EQ(r.SaldoTotal, -480);
    EXPECT_TRUE(r.NoJustificado);
    EXPECT_EQ(r.TextoIncidencia, "\t\tINCIDENCIA NO JUSTIFICADA");
    EXPECT_EQ(r.ColorTexto, ColorRojo);
    EXPECT_TRUE(TieneLinea(r, CabeceraDiaListado(Lunes) + "\t*** NO HAY FICHAJES ***"));
}

TEST_F(Oraculo, FestivoConFichajes) {
    Fichaje(Lunes, 9, 0);
    Fichaje(Lunes, 11, 0);
    TResultadoDia r = Dia(Lunes, 0);
    EXPECT_EQ(r.Codigo, 0);
    EXPECT_EQ(r.Teorico, 0);
    EXPECT_EQ(r.Trabajado, 120);
    EXPECT_EQ(Tipo(r, 2), 120);
    EXPECT_EQ(r.SaldoDia, 120);
    EXPECT_FALSE(r.Pares.at(0).Tarde); // no theoretical time: never late
    EXPECT_TRUE(r.TextoIncidencia.empty());
    // a holiday without clockings: nothing owed
    r = Dia(Lunes.addDays(1), 0);
    EXPECT_EQ(r.SaldoDia, 0);
    EXPECT_EQ(e.Saldo, 120);
    EXPECT_FALSE(r.NoJustificado);
}

TEST_F(Oraculo, FaltaLaSalidaDeUnDiaPasado) {
    // open day end (reader mode 0): the pair runs to 24:00 and is reported
    Fichaje(Lunes, 8, 0);
    const QDate martes = Lunes.addDays(1);
    Fichaje(martes, 8, 0);
    Fichaje(martes, 16, 0);
    TResultadoDia r = Dia(Lunes, 1);
    ASSERT_EQ(r.Pares.size(), 1u);
    EXPECT_TRUE(r.FaltaSalida);
    EXPECT_EQ(r.Pares[0].Marca, TMarcaSalida::FaltaFichaje);
    EXPECT_EQ(r.Pares[0].HoraSalida, 24);
    EXPECT_EQ(r.TextoIncidencia, "\t\tFICHAJES IMPARES ");
    EXPECT_EQ(r.ColorTexto, ColorRojo);
    EXPECT_FALSE(r.NoJustificado);
    // the open pair counts nothing: no presence, no overtime up to 24:00
    EXPECT_EQ(Tipo(r, 1), 0);
    EXPECT_EQ(Tipo(r, 2), 0);
    EXPECT_EQ(r.Trabajado, 0);
    EXPECT_EQ(r.SaldoDia, -480);
    EXPECT_TRUE(TieneLinea(r, CabeceraDiaListado(Lunes) + "08:00\t24:00   (FALTA FICHAJE)\t"));
    // the next day reads its own pair from the row left
    r = Dia(martes, 1);
    EXPECT_EQ(r.Trabajado, 480);
    EXPECT_TRUE(r.TextoIncidencia.empty());
    EXPECT_EQ(e.Saldo, -480);
}

TEST_F(Oraculo, DiaQueAcabaA24NoReclamaSalida) {
    // reader mode 2: the open pair is not a missing exit
    Fichaje(Lunes, 8, 0);
    Fichaje(Lunes.addDays(1), 8, 0);
    TResultadoDia r = Dia(Lunes, 2);
    EXPECT_FALSE(r.FaltaSalida);
    // the day's last call reads the next day's row: no open pair left to draw
    EXPECT_FALSE(r.UltimoPresente);
    EXPECT_TRUE(r.TextoIncidencia.empty());
    EXPECT_EQ(r.Trabajado, 960);
    EXPECT_EQ(Tipo(r, 2), 480);
}

TEST_F(Oraculo, ModoLector1EmpiezaPresente) {
    // schedule beginning in presence at 00:00: the first clocking is the exit of 00:00-06:00
    Fichaje(Lunes, 6, 0);
    Fichaje(Lunes, 22, 0);
    TResultadoDia r = Dia(Lunes, 6);
    EXPECT_EQ(r.Teorico, 360);
    ASSERT_EQ(r.Pares.size(), 2u);
    EXPECT_EQ(r.Pares[0].HoraEntrada, 0);
    EXPECT_EQ(Tipo(r, 1), 360);
    // later calls get mode 2: the open 22:00 pair runs to 24:00 without a missing exit
    EXPECT_FALSE(r.FaltaSalida);
    EXPECT_TRUE(r.UltimoPresente);
    EXPECT_TRUE(r.Pares[1].Tarde);
    EXPECT_EQ(Tipo(r, 2), 120);
    EXPECT_EQ(r.Trabajado, 480);
    EXPECT_EQ(r.SaldoDia, 120);
}

TEST_F(Oraculo, IncidenciasQueJustifican) {
    const std::vector<std::string> inc = {"06/03/2023 02:00", "7 Pepe Perez", "3 Medico *Empresa",
                                          "07/03/2023 00:00", "7 Pepe Perez", "4 Vacaciones *Empresa",
                                          "08/03/2023 00:00", "7 Pepe Perez", "5 Personal *Trabajador",
                                          "08/03/2023 00:00", "8 Otro",       "4 Vacaciones *Empresa"};
    // two hours justified for a late start
    Fichaje(Lunes, 10, 0);
    Fichaje(Lunes, 16, 0);
    TResultadoDia r = Dia(Lunes, 1, inc);
    EXPECT_EQ(r.Trabajado, 480);
    EXPECT_EQ(Tipo(r, 1), 480);
    EXPECT_EQ(r.SaldoDia, 0);
    EXPECT_EQ(r.TextoIncidencia, "\t\tINCIDENCIA 3 Medico *Empresa Justifica 02:00");
    EXPECT_EQ(r.ColorTexto, ColorAzul);
    EXPECT_FALSE(r.NoJustificado);
    // the whole day justified without clockings
    r = Dia(Lunes.addDays(1), 1, inc);
    EXPECT_EQ(r.Trabajado, 480);
    EXPECT_EQ(Tipo(r, 1), 480);
    EXPECT_EQ(r.SaldoDia, 0);
    EXPECT_EQ(r.TextoIncidencia, "\t\tINCIDENCIA 4 Vacaciones *Empresa Justifica todo el dia");
    // charged to the worker: red, the shortfall stays, not an unjustified day
    r = Dia(Lunes.addDays(2), 1, inc);
    EXPECT_EQ(r.Trabajado, 0);
    EXPECT_EQ(r.SaldoDia, -480);
    EXPECT_EQ(r.TextoIncidencia, "\t\tINCIDENCIA 5 Personal *Trabajador");
    EXPECT_EQ(r.ColorTexto, ColorRojo);
    EXPECT_FALSE(r.NoJustificado);
    EXPECT_EQ(e.Saldo, -480);
}

TEST_F(Oraculo, RecuperacionQueSuperaLaTeoricaYVariasIncidencias) {
    e.MinimoExtra = 10;
    // 475 worked + 10 put aside = 485: worked stays at 480 and presence is raised to it
    Fichaje(Lunes, 7, 55);
    Fichaje(Lunes, 12, 0);
    Fichaje(Lunes, 12, 5);
    Fichaje(Lunes, 16, 5);
    TResultadoDia r = Dia(Lunes, 2);
    EXPECT_EQ(r.Trabajado, 480);
    EXPECT_EQ(Tipo(r, 1), 480);
    EXPECT_EQ(r.SaldoDia, 0);
    // each applying record adds its time; the text is the last one's
    const std::vector<std::string> inc = {"07/03/2023 01:00", "7",      "3 Medico *Empresa",
                                          "07/03/2023 00:30", "7 Pepe", "6 Gestiones"};
    r = Dia(Lunes.addDays(1), 1, inc);
    EXPECT_EQ(r.Trabajado, 90);
    EXPECT_EQ(Tipo(r, 1), 90);
    EXPECT_EQ(r.SaldoDia, -390);
    EXPECT_EQ(r.TextoIncidencia, "\t\tINCIDENCIA 6 Gestiones Justifica 00:30");
    EXPECT_EQ(r.ColorTexto, ColorAzul);
    EXPECT_FALSE(r.NoJustificado);
}

TEST_F(Oraculo, RedondeoDeExtras) {
    o.MinutosRedondeoExtras = 30;
    Fichaje(Lunes, 8, 0);
    Fichaje(Lunes, 16, 25);
    TResultadoDia r = Dia(Lunes, 2);
    EXPECT_EQ(r.Trabajado, 480); // 505 cut
    EXPECT_EQ(r.SaldoDia, 25);   // not cut
    EXPECT_EQ(r.SaldoTotal, 0);
    EXPECT_EQ(e.Saldo, 0);
    EXPECT_EQ(Tipo(r, 2), 25);
    const QDate martes = Lunes.addDays(1);
    Fichaje(martes, 8, 0);
    Fichaje(martes, 16, 40);
    r = Dia(martes, 2);
    EXPECT_EQ(r.Trabajado, 510);
    EXPECT_EQ(r.SaldoDia, 40);
    EXPECT_EQ(r.SaldoTotal, 30);
    EXPECT_EQ(e.Saldo, 30);
    EXPECT_EQ(LineaCifrasDia(r, 0).substr(0, 25), "\t\t08:00\t08:30\t+0:40\t+0:30");
}

TEST_F(Oraculo, ExtrasGratis) {
    // no "Extragratis": employees 100..199 need 15 minutes into the overtime band
    e.Numero = 150;
    Fichaje(Lunes, 8, 0);
    Fichaje(Lunes, 16, 10);
    TResultadoDia r = Dia(Lunes, 2);
    EXPECT_EQ(r.Trabajado, 490);
    EXPECT_EQ(Tipo(r, 2), 0);
    EXPECT_EQ(r.SaldoDia, 10);
    const QDate martes = Lunes.addDays(1);
    Fichaje(martes, 8, 0);
    Fichaje(martes, 16, 20);
    r = Dia(martes, 2);
    EXPECT_EQ(Tipo(r, 2), 20);
    // other employees always
    e.Numero = 250;
    const QDate miercoles = Lunes.addDays(2);
    Fichaje(miercoles, 8, 0);
    Fichaje(miercoles, 16, 10);
    r = Dia(miercoles, 2);
    EXPECT_EQ(Tipo(r, 2), 10);
    // "Extragratis" 30: at least 30 minutes for everybody
    o.MinutosExtraGratis = 30;
    const QDate jueves = Lunes.addDays(3);
    Fichaje(jueves, 8, 0);
    Fichaje(jueves, 16, 20);
    r = Dia(jueves, 2);
    EXPECT_EQ(r.Trabajado, 500);
    EXPECT_EQ(Tipo(r, 2), 0);
    const QDate viernes = Lunes.addDays(4);
    Fichaje(viernes, 8, 0);
    Fichaje(viernes, 16, 40);
    r = Dia(viernes, 2);
    EXPECT_EQ(Tipo(r, 2), 40);
}

TEST_F(Oraculo, SaldoPositivoBajoElMinimoSeDescarta) {
    e.MinimoExtra = 10;
    Fichaje(Lunes, 8, 0);
    Fichaje(Lunes, 16, 0);
    Fichaje(Lunes, 17, 0);
    Fichaje(Lunes, 17, 5);
    TResultadoDia r = Dia(Lunes, 5);
    EXPECT_EQ(r.Trabajado, 480);
    EXPECT_EQ(r.SaldoDia, 0);
    EXPECT_EQ(Tipo(r, 3), 0); // 5 minutes of type 3 below the minimum
    EXPECT_EQ(e.Saldo, 0);
}

TEST_F(Oraculo, ImportesDelPeriodo) {
    // day 1 08:00-19:00: +180 (Extra 60, Nocturna 120); day 2 08:00-14:30: -90
    Fichaje(Lunes, 8, 0);
    Fichaje(Lunes, 19, 0);
    const QDate martes = Lunes.addDays(1);
    Fichaje(martes, 8, 0);
    Fichaje(martes, 14, 30);
    Dia(Lunes, 5);
    Dia(martes, 5);
    EXPECT_EQ(e.Saldo, 90);
    EXPECT_EQ(e.TotalTeorico, 960);
    EXPECT_EQ(e.TotalesPorTipo[0], 870);
    EXPECT_EQ(e.TotalesPorTipo[1], 60);
    EXPECT_EQ(e.TotalesPorTipo[2], 120);

    std::vector<double> inc(63, 0);
    inc[1] = 2; // Extra
    DocumentoPrueba d;
    TTotalesRun run;
    EscribeTotalesEmpleado(d, e, inc, m.Tipos, run);
    const std::vector<std::string> t = d.Textos();
    auto tiene = [&](const std::string &l) { return std::find(t.begin(), t.end(), l) != t.end(); };
    EXPECT_TRUE(tiene("\t\t16:00\t\t17:30\t\t+1:30\t\t14:30\t1:00\t2:00\t\t\t\t"));
    EXPECT_TRUE(tiene("\t\t\t\tPrecio por hora en Euros\t\t\t12.00\t15.00\t\t\t\t\t"));
    EXPECT_TRUE(tiene("\t\t\t\tHoras aplicables\t\t\t\t 1.00\t 0.50\t\t\t\t\t"));
    EXPECT_TRUE(tiene("\t\t\t\tTotal\t\t\t\t\t12.00\t 7.50\t\t\t\t\t=    19.50 " + Ansi("€")));
    EXPECT_EQ(run.Teorico, 960);
    EXPECT_EQ(run.Saldo, 90);
    ASSERT_GE(run.TotalesPorTipo.size(), 3u);
    EXPECT_EQ(run.TotalesPorTipo[1], 60);
    ASSERT_GE(run.ImportesPorTipo.size(), 3u);
    EXPECT_DOUBLE_EQ(run.ImportesPorTipo[1], 12.0);
    EXPECT_DOUBLE_EQ(run.ImportesPorTipo[2], 7.5);
}

TEST_F(Oraculo, ImporteDeUnSaldoNegativo) {
    e.TotalTeorico = 480;
    e.Saldo = -30;
    e.TotalesPorTipo[0] = 450;
    DocumentoPrueba d;
    TTotalesRun run;
    EscribeTotalesEmpleado(d, e, std::vector<double>(63, 0), m.Tipos, run);
    const std::vector<std::string> t = d.Textos();
    bool visto = false;
    for (size_t i = 0; i < t.size(); ++i)
        if (t[i] == "\t\t\t\tTotal\t\t\t\t-4.00\t=    -4.00 " + Ansi("€")) {
            visto = true;
            EXPECT_EQ(d.Atributos(i).Color, ColorRojo);
        }
    EXPECT_TRUE(visto);
    EXPECT_NE(std::find(t.begin(), t.end(), "\t\t\t\tHoras aplicables\t\t\t-0.50\t"), t.end());
    EXPECT_NE(std::find(t.begin(), t.end(), "\t\t8:00\t\t7:30\t\t-0:30\t\t7:30\t\t\t\t\t\t"), t.end());
    EXPECT_EQ(run.Saldo, -30);
    EXPECT_EQ(run.TotalesPorTipo.at(0), 450);
}

} // namespace
