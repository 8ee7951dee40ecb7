// One employee's day, rule by rule, against figures worked by hand.
#include "platform/reloj.h"
#include "presence/calculopresencia.h"
#include "presence/lectorprueba.h"

#include <gtest/gtest.h>

namespace {

const QDate D(2011, 3, 1); // a Tuesday
const std::string P = "01/03/2011 mar\t";

struct Caso {
    TMaestrosPresencia m;
    LectorPrueba lector;
    TEmpleadoPresencia e;
    TOpcionesPresencia o;
    std::vector<std::string> incidencias;

    Caso() {
        m.Tipos = {{"Cortesia", 0, 0, 0},  {"Presencia", 8, 0, 65280}, {"Extra", 10, 0, 255},
                   {"Nocturna", 15, 0, 0}, {"Descanso", 0, 1, 0},      {"Guardia", 0, 2, 0},
                   {"Pausa", 0, 3, 0}};
        m.Horarios = {{1, "Normal", " 480 2 480 1 240 2"},
                      {2, "Cortesia", " 30 0 480 1 540 2"},
                      {3, "Noche", " 360 1 1080 2"},
                      {0, "Festivo", " 1440 9"},
                      {4, "Hasta24", " 480 2 480 1 480 2"},
                      {5, "Nocturna", " 480 2 480 1 240 3"},
                      {6, "Guardia", " 480 2 480 1 120 5 360 2"},
                      {7, "Pausa", " 480 2 480 1 60 6 180 2"}};
        e.Numero = 250;
        e.Item = "250 Pepe";
    }
    void Ficha(const QDate &d, int h, int mi, int inc = 0) { lector.Fichajes.push_back({d, h, mi, inc}); }
    TResultadoDia Dia(const QDate &d, int codigo) {
        const THorarioDia h = PreparaHorario(codigo, m);
        TResultadoDia r = CalculaPares(d, h, m, e, o, lector);
        AplicaIncidencias(r, incidencias, e);
        CierraDia(r, e, o);
        return r;
    }
};

} // namespace

TEST(CalculoHorario, BandasTramosYModos) {
    Caso c;
    const THorarioDia a = PreparaHorario(2, c.m);
    EXPECT_EQ(a.Nombre, "Cortesia\t");
    ASSERT_EQ(a.Tramos.size(), 1u);
    EXPECT_EQ(a.Tramos[0].Inicio, 0);
    EXPECT_EQ(a.Tramos[0].Cortesia, 30);
    EXPECT_EQ(a.Tramos[0].Fin, 480);
    EXPECT_EQ(a.Teorico, 480);
    EXPECT_EQ(a.Limites.size(), 3u);
    EXPECT_FALSE(a.EmpiezaPresencia);
    EXPECT_EQ(a.ModoFinDia, 0);

    const THorarioDia g = PreparaHorario(6, c.m); // a Modo 2 band is theoretical too
    ASSERT_EQ(g.Tramos.size(), 2u);
    EXPECT_EQ(g.Tramos[1].Inicio, 960);
    EXPECT_EQ(g.Tramos[1].Fin, 1080);
    EXPECT_EQ(g.Teorico, 600);

    EXPECT_TRUE(PreparaHorario(3, c.m).EmpiezaPresencia);
    EXPECT_EQ(PreparaHorario(4, c.m).ModoFinDia, 2);
    EXPECT_EQ(PreparaHorario(1, c.m).ModoFinDia, 0);

    const THorarioDia f = PreparaHorario(0, c.m); // type 9 is not in the grid: not counted
    EXPECT_EQ(f.Teorico, 0);
    EXPECT_TRUE(f.Tramos.empty());

    const THorarioDia s = PreparaHorario(77, c.m);
    EXPECT_EQ(s.Nombre, "Sin Horario");
    EXPECT_TRUE(s.Limites.empty());

    c.m.Horarios.push_back({1, "Otra", " 600 1"}); // the last row with the code wins
    EXPECT_EQ(PreparaHorario(1, c.m).Nombre, "Otra\t");
    EXPECT_EQ(PreparaHorario(1, c.m).Teorico, 600);
}

TEST(CalculoHorario, MasDeQuinceTramosYTiposAltos) {
    Caso c;
    std::string bandas = " 60 2";
    for (int i = 0; i < 20; ++i)
        bandas += " 60 1";
    bandas += " 30 70";
    c.m.Horarios = {{8, "Larga", bandas}};
    const THorarioDia h = PreparaHorario(8, c.m);
    EXPECT_EQ(h.Tramos.size(), 20u);
    EXPECT_EQ(h.Teorico, 1200);
    c.Ficha(D, 17, 0);
    c.Ficha(D, 21, 30); // runs 30 minutes into the band of type 70, which the grid does not hold
    const TResultadoDia r = c.Dia(D, 8);
    EXPECT_EQ(r.Trabajado, 240);
    std::string columnas;
    for (int i = 0; i < 15; ++i)
        columnas += "\t\t";
    EXPECT_EQ(r.Lineas, std::vector<std::string>({P + columnas + "17:00 (T)\t21:30\t"}));
}

TEST(Calculo, MargenDeCortesia) {
    Caso c;
    c.Ficha(D, 0, 20);
    c.Ficha(D, 8, 0);
    const TResultadoDia r = c.Dia(D, 2);
    EXPECT_EQ(r.Teorico, 480);
    EXPECT_EQ(r.Trabajado, 480);
    EXPECT_EQ(r.SaldoDia, 0);
    EXPECT_EQ(r.MinutosPorTipo[1], 480);
    ASSERT_EQ(r.Pares.size(), 1u);
    EXPECT_FALSE(r.Pares[0].Tarde);
    EXPECT_EQ(r.Pares[0].Entrada, 0);
    EXPECT_EQ(r.Lineas, std::vector<std::string>({P + "00:20\t08:00\t"}));
    EXPECT_TRUE(r.TextoIncidencia.empty());
}

TEST(Calculo, EntradaTardeYSalidaAnticipada) {
    Caso c;
    c.Ficha(D, 8, 10);
    c.Ficha(D, 15, 50);
    const TResultadoDia r = c.Dia(D, 1);
    EXPECT_EQ(r.Trabajado, 460);
    EXPECT_EQ(r.SaldoDia, -20);
    EXPECT_EQ(c.e.Saldo, -20);
    EXPECT_EQ(r.Lineas, std::vector<std::string>({P + "08:10 (T)\t15:50 (A)\t"}));
    EXPECT_TRUE(r.NoJustificado);
    EXPECT_EQ(r.TextoIncidencia, "\t\tINCIDENCIA NO JUSTIFICADA");
    EXPECT_EQ(r.ColorTexto, QColor(Qt::red));
    EXPECT_EQ(r.TextoInforme,
              P + "08:10 (T)\t15:50 (A)\t" + std::string(22, ' ') + "INCIDENCIA NO JUSTIFICADA\r\n");
}

TEST(Calculo, MinutosAntesYDespuesApartados) {
    Caso c;
    c.e.MinimoExtra = 15;
    c.Ficha(D, 7, 50); // 10 minutes early: put aside
    c.Ficha(D, 12, 0);
    c.Ficha(D, 12, 10); // back in the first band: a new line
    c.Ficha(D, 16, 5);  // 5 minutes late: put aside
    const TResultadoDia r = c.Dia(D, 1);
    EXPECT_EQ(r.Antes, 10);
    EXPECT_EQ(r.Despues, 5);
    EXPECT_EQ(r.TrabajadoPares, 470);
    // 470 + 15 put aside exceeds 480: the day is made up to the theoretical time.
    EXPECT_EQ(r.Trabajado, 480);
    EXPECT_EQ(r.MinutosPorTipo[1], 480);
    EXPECT_EQ(r.SaldoDia, 0);
    EXPECT_EQ(r.Lineas, std::vector<std::string>({P + "07:50\t12:00 (A)\t", P + "12:10 (T)\t16:05\t"}));
    EXPECT_FALSE(r.NoJustificado);
}

TEST(Calculo, ApartadosSoloCompletanHastaElTeorico) {
    Caso c;
    c.e.MinimoExtra = 10;
    c.Ficha(D, 8, 10); // late: 10 short
    c.Ficha(D, 16, 5); // 5 put aside
    const TResultadoDia r = c.Dia(D, 1);
    EXPECT_EQ(r.Trabajado, 475);
    EXPECT_EQ(r.MinutosPorTipo[1], 470);
    EXPECT_EQ(r.SaldoDia, -5);
}

TEST(Calculo, LlegadaMuyTempranaCuentaPorSuBanda) {
    Caso c;
    c.e.MinimoExtra = 10;
    c.Ficha(D, 7, 45);
    c.Ficha(D, 16, 0);
    TResultadoDia r = c.Dia(D, 1);
    EXPECT_EQ(r.Antes, 0);
    EXPECT_EQ(r.Trabajado, 495);
    EXPECT_EQ(r.MinutosPorTipo[2], 15);
    EXPECT_EQ(r.MinutosPorTipo[1], 480);
    EXPECT_EQ(r.SaldoDia, 15);

    Caso d;
    d.e.MinimoExtra = 10;
    d.Ficha(D, 7, 55);
    d.Ficha(D, 16, 0);
    r = d.Dia(D, 1);
    EXPECT_EQ(r.Antes, 5);
    EXPECT_EQ(r.Pares[0].Entrada, 480);
    EXPECT_EQ(r.Trabajado, 480);
    EXPECT_EQ(r.MinutosPorTipo[2], 0);
}

TEST(Calculo, AjusteDeEntradaNoPasaDeLaSalida) {
    Caso c;
    c.e.MinimoExtra = 10;
    c.Ficha(D, 7, 52);
    c.Ficha(D, 7, 55);
    c.Ficha(D, 8, 0);
    c.Ficha(D, 16, 0);
    const TResultadoDia r = c.Dia(D, 1);
    ASSERT_EQ(r.Pares.size(), 2u);
    EXPECT_EQ(r.Antes, 3);
    EXPECT_EQ(r.Pares[0].Entrada, 475);
    EXPECT_EQ(r.TrabajadoPares, 480);
    for (int v : r.MinutosPorTipo)
        EXPECT_GE(v, 0);
}

TEST(Calculo, ExtrasGratisPorNumeroDeEmpleado) {
    Caso c;
    c.e.Numero = 150;
    c.Ficha(D, 8, 0);
    c.Ficha(D, 16, 10);
    TResultadoDia r = c.Dia(D, 1);
    EXPECT_EQ(r.Trabajado, 490);
    EXPECT_EQ(r.MinutosPorTipo[2], 0);
    EXPECT_EQ(r.MinutosPorTipo[1], 480);

    Caso d; // 250 counts the type
    d.Ficha(D, 8, 0);
    d.Ficha(D, 16, 10);
    r = d.Dia(D, 1);
    EXPECT_EQ(r.Trabajado, 490);
    EXPECT_EQ(r.MinutosPorTipo[2], 10);

    Caso g; // 150 with 15 or more minutes
    g.e.Numero = 150;
    g.Ficha(D, 8, 0);
    g.Ficha(D, 16, 15);
    EXPECT_EQ(g.Dia(D, 1).MinutosPorTipo[2], 15);

    Caso x; // "Extragratis" set: the threshold for everybody
    x.o.MinutosExtraGratis = 20;
    x.Ficha(D, 8, 0);
    x.Ficha(D, 16, 10);
    r = x.Dia(D, 1);
    EXPECT_EQ(r.MinutosPorTipo[2], 0);
    EXPECT_EQ(r.Trabajado, 490);
}

TEST(Calculo, ParQueAtraviesaVariasBandas) {
    Caso c;
    c.Ficha(D, 6, 0);
    c.Ficha(D, 19, 0);
    const TResultadoDia r = c.Dia(D, 7); // 00-08 Extra, 08-16 Presencia, 16-17 Pausa (Modo 3), 17-20 Extra
    EXPECT_EQ(r.MinutosPorTipo[2], 120 + 120);
    EXPECT_EQ(r.MinutosPorTipo[1], 480);
    EXPECT_EQ(r.MinutosPorTipo[6], 0);
    EXPECT_EQ(r.Trabajado, 720);
    ASSERT_EQ(r.Pares.size(), 1u);
    ASSERT_EQ(r.Pares[0].Piezas.size(), 3u);
    EXPECT_EQ(r.Pares[0].Piezas[2].Minutos, 120);
}

TEST(Calculo, BandaNoContada) {
    Caso c;
    c.m.Horarios = {{9, "Descanso", " 480 4 480 1"}};
    c.Ficha(D, 7, 0);
    c.Ficha(D, 16, 0);
    const TResultadoDia r = c.Dia(D, 9);
    EXPECT_EQ(r.Trabajado, 480);
    EXPECT_EQ(r.MinutosPorTipo[4], 0);
}

TEST(Calculo, EntradaTrasLaUltimaBanda) {
    Caso c;
    c.e.MinimoExtra = 10;
    c.Ficha(D, 8, 0);
    c.Ficha(D, 16, 0);
    c.Ficha(D, 18, 0);
    c.Ficha(D, 18, 5);
    const TResultadoDia r = c.Dia(D, 1);
    EXPECT_EQ(r.Lineas, std::vector<std::string>({P + "08:00\t16:00\t18:00 (T)\t18:05\t"}));
    EXPECT_EQ(r.TrabajadoPares, 485);
    // +5 is below the minimum overtime: dropped.
    EXPECT_EQ(r.Trabajado, 480);
    EXPECT_EQ(r.SaldoDia, 0);
}

TEST(Calculo, MinimoExtraBorraTiposAltosPequenos) {
    Caso c;
    c.e.MinimoExtra = 30;
    c.Ficha(D, 8, 0);
    c.Ficha(D, 16, 0);
    c.Ficha(D, 16, 30);
    c.Ficha(D, 16, 50); // 20 minutes of type 3, below the minimum
    const TResultadoDia r = c.Dia(D, 5);
    EXPECT_EQ(r.MinutosPorTipo[3], 0);
    EXPECT_EQ(r.SaldoDia, 0);
    ASSERT_EQ(c.e.TotalesPorTipo.size(), 6u);
    EXPECT_EQ(c.e.TotalesPorTipo[2], 0);
    EXPECT_EQ(c.e.TotalesPorTipo[0], 480);
}

TEST(Calculo, RedondeoDeExtras) {
    Caso c;
    c.o.MinutosRedondeoExtras = 30;
    c.Ficha(D, 8, 0);
    c.Ficha(D, 16, 25);
    const TResultadoDia r = c.Dia(D, 1);
    EXPECT_EQ(r.Trabajado, 480);
    EXPECT_EQ(r.SaldoDia, 25);
    EXPECT_EQ(r.SaldoTotal, 0);
    EXPECT_EQ(c.e.Saldo, 0);
    EXPECT_EQ(LineaCifrasDia(r, c.m.Tipos.size()), "\t\t08:00\t08:00\t+0:25\t+0:00\t08:00\t00:25\t\t\t\t");

    // The running balance is cut again with every day of overtime.
    c.Ficha(D.addDays(1), 8, 0);
    c.Ficha(D.addDays(1), 16, 40);
    const TResultadoDia s = c.Dia(D.addDays(1), 1);
    EXPECT_EQ(s.SaldoDia, 40);
    EXPECT_EQ(s.SaldoTotal, 30);
    EXPECT_EQ(s.Trabajado, 510);

    // No cut on a day of shortfall.
    c.Ficha(D.addDays(2), 8, 0);
    c.Ficha(D.addDays(2), 15, 55);
    const TResultadoDia t = c.Dia(D.addDays(2), 1);
    EXPECT_EQ(t.SaldoTotal, 25);
    EXPECT_EQ(t.Trabajado, 475);
}

TEST(Calculo, RedondeoSoloEnDiasConCifras) {
    Caso c; // a holiday without clockings prints no figures: its time is not rounded
    c.o.MinutosRedondeoExtras = 30;
    c.incidencias = {"01/03/2011 00:25", "250 Pepe", "4 Medico *Empresa"};
    TResultadoDia r = c.Dia(D, 0);
    EXPECT_EQ(r.Trabajado, 25);
    EXPECT_EQ(r.SaldoTotal, 25);

    Caso d; // the same on a working day with its schedule is rounded
    d.o.MinutosRedondeoExtras = 30;
    d.incidencias = {"01/03/2011 00:25", "250 Pepe", "4 Medico *Empresa"};
    d.Ficha(D, 8, 0);
    d.Ficha(D, 16, 0);
    r = d.Dia(D, 1);
    EXPECT_EQ(r.SaldoDia, 25);
    EXPECT_EQ(r.Trabajado, 480);
    EXPECT_EQ(r.SaldoTotal, 0);
}

TEST(Calculo, FaltaFichajeDeSalida) {
    Caso c;
    c.Ficha(D, 8, 0);
    c.Ficha(D.addDays(1), 8, 0);
    c.Ficha(D.addDays(1), 16, 0);
    const TResultadoDia r = c.Dia(D, 1);
    ASSERT_EQ(r.Pares.size(), 1u);
    EXPECT_EQ(r.Pares[0].Marca, TMarcaSalida::FaltaFichaje);
    EXPECT_TRUE(r.FaltaSalida);
    EXPECT_EQ(r.Lineas, std::vector<std::string>({P + "08:00\t24:00   (FALTA FICHAJE)\t"}));
    EXPECT_EQ(r.TextoIncidencia, "\t\tFICHAJES IMPARES ");
    EXPECT_EQ(r.ColorTexto, QColor(Qt::red));
    EXPECT_EQ(r.TextoInforme, P + "08:00\t24:00   (FALTA FICHAJE)\t    INCIDENCIA NO JUSTIFICADA\r\n");
    // The forgotten exit counts no time.
    EXPECT_EQ(r.Trabajado, 0);
    EXPECT_EQ(r.Pares[0].Salida, r.Pares[0].Entrada);
    EXPECT_EQ(c.e.Fila, 2);
    const TResultadoDia s = c.Dia(D.addDays(1), 1); // the next day starts at its own row
    EXPECT_EQ(s.Trabajado, 480);
    EXPECT_EQ(s.Lineas, std::vector<std::string>({"02/03/2011 mi\xe9\t08:00\t16:00\t"}));
}

TEST(Calculo, PresenteHoy) {
    Caso c;
    FijaReloj([] { return QDateTime(D, QTime(10, 30)); });
    c.Ficha(D, 8, 0);
    const TResultadoDia r = c.Dia(D, 1);
    FijaReloj(nullptr);
    EXPECT_EQ(r.Lineas, std::vector<std::string>({P + "08:00\t10:30 (Presente)\t"}));
    EXPECT_TRUE(r.UltimoPresente);
    EXPECT_FALSE(r.FaltaSalida);
    EXPECT_EQ(r.Trabajado, 150);
    EXPECT_TRUE(r.NoJustificado);
}

TEST(Calculo, ModosDelLector) {
    Caso c; // night shift: present from 00:00
    c.Ficha(D, 6, 0);
    c.Ficha(D, 22, 0);
    const TResultadoDia r = c.Dia(D, 3);
    ASSERT_EQ(r.Pares.size(), 2u);
    EXPECT_EQ(r.Lineas, std::vector<std::string>({P + "00:00\t06:00\t22:00 (T)\t24:00\t"}));
    EXPECT_FALSE(r.FaltaSalida); // mode 2: an open pair is not a missing exit
    EXPECT_EQ(r.Trabajado, 360 + 120);
    EXPECT_EQ(r.MinutosPorTipo[2], 120);

    Caso d; // a schedule that ends at 24:00: mode 2 the whole day
    d.Ficha(D, 8, 0);
    const TResultadoDia s = d.Dia(D, 4);
    EXPECT_FALSE(s.FaltaSalida);
    EXPECT_EQ(s.Lineas, std::vector<std::string>({P + "08:00\t24:00\t"}));
    EXPECT_EQ(s.Trabajado, 960);
}

TEST(Calculo, DiaSinFichajes) {
    Caso c;
    const TResultadoDia r = c.Dia(D, 1);
    EXPECT_EQ(r.Lineas, std::vector<std::string>({P + "\t*** NO HAY FICHAJES ***"}));
    EXPECT_EQ(r.SaldoDia, -480);
    EXPECT_TRUE(r.NoJustificado);
    // 39 characters: padded with 22 blanks before the text.
    EXPECT_EQ(r.TextoInforme,
              P + "\t*** NO HAY FICHAJES ***" + std::string(22, ' ') + "INCIDENCIA NO JUSTIFICADA\r\n");

    Caso f; // a holiday without clockings: nothing to justify
    const TResultadoDia s = f.Dia(D, 0);
    EXPECT_EQ(s.SaldoDia, 0);
    EXPECT_FALSE(s.NoJustificado);
    EXPECT_TRUE(s.TextoInforme.empty());
}

TEST(Calculo, FestivoConFichajesCadaParEnSuLinea) {
    Caso c;
    c.Ficha(D, 10, 0);
    c.Ficha(D, 12, 0);
    c.Ficha(D, 13, 0);
    c.Ficha(D, 14, 0);
    const TResultadoDia r = c.Dia(D, 0);
    EXPECT_EQ(r.Lineas, std::vector<std::string>({P + "10:00\t12:00\t", P + "13:00\t14:00\t"}));
    EXPECT_EQ(r.Trabajado, 0);
    EXPECT_EQ(r.SaldoDia, 0);
}

TEST(Calculo, LineaLargaDeIncidenciaNoJustificada) {
    Caso c;
    c.Ficha(D, 8, 0);
    c.Ficha(D, 10, 0);
    c.Ficha(D, 10, 30);
    c.Ficha(D, 12, 0);
    c.Ficha(D, 12, 30);
    c.Ficha(D, 14, 0);
    const TResultadoDia r = c.Dia(D, 1);
    ASSERT_EQ(r.Lineas.size(), 3u);
    EXPECT_EQ(r.TextoInforme,
              P + "12:30 (T)\t14:00 (A)\t" + std::string(22, ' ') + "INCIDENCIA NO JUSTIFICADA\r\n");

    Caso g; // pairs in two columns make a line of 49 characters or more
    g.m.Horarios = {{1, "Partida", " 480 2 240 1 60 4 240 1"}};
    g.Ficha(D, 8, 10);
    g.Ficha(D, 12, 0);
    g.Ficha(D, 13, 10);
    g.Ficha(D, 16, 30);
    const TResultadoDia s = g.Dia(D, 1);
    const std::string l = P + "08:10 (T)\t12:00\t13:10 (T)\t16:30 (A)\t";
    EXPECT_EQ(s.Lineas, std::vector<std::string>({l}));
    EXPECT_EQ(s.TextoInforme, l + "    INCIDENCIA NO JUSTIFICADA\r\n");
}

TEST(CalculoIncidencias, JustificanElDia) {
    Caso c;
    c.incidencias = {"01/03/2011 00:00", "250 Pepe", "3 Vacaciones *Empresa"};
    TResultadoDia r = c.Dia(D, 1);
    EXPECT_EQ(r.Trabajado, 480);
    EXPECT_EQ(r.MinutosPorTipo[1], 480);
    EXPECT_EQ(r.SaldoDia, 0);
    EXPECT_EQ(r.TextoIncidencia, "\t\tINCIDENCIA 3 Vacaciones *Empresa Justifica todo el dia");
    EXPECT_EQ(r.ColorTexto, QColor(Qt::blue));
    EXPECT_FALSE(r.NoJustificado);
    EXPECT_TRUE(r.TextoInforme.empty());

    Caso p; // a part of the day, added to the clocked time; two records add up
    p.incidencias = {"01/03/2011 01:00",  "250 Pepe",          "4 Medico *Empresa", "01/03/2011 02:30",
                     "250 Pepe",          "4 Medico *Empresa", "01/03/2011 05:00",  "251 Otro",
                     "4 Medico *Empresa", "02/03/2011 05:00",  "250 Pepe",          "4 Medico *Empresa"};
    p.Ficha(D, 8, 0);
    p.Ficha(D, 12, 0);
    r = p.Dia(D, 1);
    EXPECT_EQ(r.Trabajado, 240 + 210);
    EXPECT_EQ(r.MinutosPorTipo[1], 450);
    EXPECT_EQ(r.SaldoDia, -30);
    EXPECT_EQ(r.TextoIncidencia, "\t\tINCIDENCIA 4 Medico *Empresa Justifica 02:30");
    EXPECT_FALSE(r.NoJustificado);

    Caso t; // charged to the worker: red, nothing justified, no stop
    t.incidencias = {"01/03/2011 00:00", "250 Pepe", "5 Ausencia *Trabajador"};
    r = t.Dia(D, 1);
    EXPECT_EQ(r.SaldoDia, -480);
    EXPECT_EQ(r.ColorTexto, QColor(Qt::red));
    EXPECT_EQ(r.TextoIncidencia, "\t\tINCIDENCIA 5 Ausencia *Trabajador");
    EXPECT_FALSE(r.NoJustificado);

    Caso s; // an item without charge is the company's
    s.incidencias = {"01/03/2011 00:00", "250 Pepe", "6 Curso"};
    EXPECT_EQ(s.Dia(D, 1).SaldoDia, 0);
}

TEST(CalculoIncidencias, SeAplicanDeNuevoTrasEditar) {
    Caso c;
    const THorarioDia h = PreparaHorario(1, c.m);
    TResultadoDia r = CalculaPares(D, h, c.m, c.e, c.o, c.lector);
    AplicaIncidencias(r, {}, c.e);
    EXPECT_TRUE(r.NoJustificado);
    AplicaIncidencias(r, {"01/03/2011 00:00", "250 Pepe", "3 Vacaciones *Empresa"}, c.e);
    EXPECT_FALSE(r.NoJustificado);
    EXPECT_EQ(r.SaldoDia, 0);
    EXPECT_TRUE(r.TextoInforme.empty());
    EXPECT_EQ(r.ColorTexto, QColor(Qt::blue));
}

TEST(CalculoIncidencias, ContadoresDeCodigos) {
    Caso c;
    c.Ficha(D, 8, 0, 7);
    c.Ficha(D, 16, 0, 7);
    c.Ficha(D, 17, 0, 300); // out of the table: not counted
    c.Ficha(D, 18, 0, 2);
    const TResultadoDia r = c.Dia(D, 1);
    EXPECT_EQ(r.ContadorIncidencias[7], 2);
    EXPECT_EQ(r.ContadorIncidencias[2], 1);
    int total = 0;
    for (int v : r.ContadorIncidencias)
        total += v;
    EXPECT_EQ(total, 3);
}

TEST(Calculo, TotalesDelEmpleado) {
    Caso c;
    c.Ficha(D, 8, 0);
    c.Ficha(D, 17, 0);
    c.Dia(D, 1);
    c.Dia(D.addDays(1), 0);
    c.Ficha(D.addDays(2), 8, 0);
    c.Ficha(D.addDays(2), 15, 0);
    c.Dia(D.addDays(2), 1);
    EXPECT_EQ(c.e.TotalTeorico, 960);
    EXPECT_EQ(c.e.Saldo, 60 - 60);
    EXPECT_EQ(c.e.TotalesPorTipo[0], 480 + 420);
    EXPECT_EQ(c.e.TotalesPorTipo[1], 60);
}

TEST(Calculo, TextosDeSaldos) {
    EXPECT_EQ(SaldoTexto(0), "+0:00");
    EXPECT_EQ(SaldoTexto(-30), "-0:30");
    EXPECT_EQ(SaldoTexto(605), "+10:05");
    EXPECT_EQ(CabeceraDiaListado(QDate(2011, 3, 5)), "05/03/2011 s\xe1"
                                                     "b\t");
}

TEST(Calculo, LimitesDeMargenes) {
    Caso c; // exactly the minimum overtime late: kept as overtime
    c.e.MinimoExtra = 10;
    c.Ficha(D, 8, 0);
    c.Ficha(D, 16, 10);
    TResultadoDia r = c.Dia(D, 1);
    EXPECT_EQ(r.Despues, 0);
    EXPECT_EQ(r.Trabajado, 490);
    EXPECT_EQ(r.SaldoDia, 10);

    Caso a; // exactly the minimum overtime early: keeps its time
    a.e.MinimoExtra = 10;
    a.Ficha(D, 7, 50);
    a.Ficha(D, 16, 0);
    r = a.Dia(D, 1);
    EXPECT_EQ(r.Antes, 0);
    EXPECT_EQ(r.Trabajado, 490);

    Caso m; // the last minute of the courtesy margin still counts from the band's start
    m.Ficha(D, 0, 30);
    m.Ficha(D, 8, 0);
    r = m.Dia(D, 2);
    EXPECT_FALSE(r.Pares[0].Tarde);
    EXPECT_EQ(r.Trabajado, 480);

    Caso t; // one minute more is late
    t.Ficha(D, 0, 31);
    t.Ficha(D, 8, 0);
    r = t.Dia(D, 2);
    EXPECT_TRUE(r.Pares[0].Tarde);
    EXPECT_EQ(r.Trabajado, 449);
    EXPECT_EQ(r.Lineas, std::vector<std::string>({P + "00:31 (T)\t08:00\t"}));
}
