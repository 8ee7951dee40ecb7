#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "presence/incidencias.h"
#include "support/dirtemporal.h"
#include "support/fallosdisco.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {
const std::string kEmp = "7 Dure";
const std::string kVac = "3 Vacaciones *Empresa";
const std::string kFal = "5 Falta *Trabajador";

struct Datos {
    DirectorioTrabajo dir;
    Datos() {
        CreaDirectorio("datos/");
        AjustesPrueba().DirDatos = "datos/";
    }
};

ResultadoIncidencia anade(QDate desde, QDate hasta, int minutos = 0, const std::string &emp = kEmp,
                          const std::string &inc = kVac) {
    return AnadeIncidencias({desde, hasta, minutos, emp, inc});
}
} // namespace

TEST(Incidencias, RangoQueCruzaElAnioEscribeCadaAnioEnSuArchivo) {
    Datos d;
    auto r = anade(QDate(2010, 12, 30), QDate(2011, 1, 2), 150);
    ASSERT_TRUE(r.Hecho);
    EXPECT_EQ(r.Anio, 2011);
    EXPECT_EQ(Contenido("datos/incidencias.2010"), "31/12/2010 02:30\r\n7 Dure\r\n3 Vacaciones *Empresa\r\n"
                                                   "30/12/2010 02:30\r\n7 Dure\r\n3 Vacaciones *Empresa\r\n");
    EXPECT_EQ(Contenido("datos/incidencias.2011"), "02/01/2011 02:30\r\n7 Dure\r\n3 Vacaciones *Empresa\r\n"
                                                   "01/01/2011 02:30\r\n7 Dure\r\n3 Vacaciones *Empresa\r\n");
    EXPECT_EQ(r.Lista.size(), 6u); // the grid shows the 2011 file
}

TEST(Incidencias, RangoQueAcabaEl31DeDiciembreCreaElAnioSiguienteVacio) {
    Datos d;
    auto r = anade(QDate(2010, 12, 31), QDate(2010, 12, 31));
    ASSERT_TRUE(r.Hecho);
    EXPECT_EQ(r.Anio, 2011);
    EXPECT_TRUE(r.Lista.empty());
    EXPECT_TRUE(ExisteArchivo("datos/incidencias.2011"));
    EXPECT_EQ(Contenido("datos/incidencias.2011"), "");
    EXPECT_EQ(Contenido("datos/incidencias.2010"), "31/12/2010 00:00\r\n7 Dure\r\n3 Vacaciones *Empresa\r\n");
}

TEST(Incidencias, OrdenPorFechaMasRecientePrimeroYUltimaAnadidaDelDiaDelante) {
    Datos d;
    ASSERT_TRUE(anade(QDate(2011, 3, 5), QDate(2011, 3, 5)).Hecho);
    ASSERT_TRUE(anade(QDate(2011, 3, 4), QDate(2011, 3, 4)).Hecho);
    ASSERT_TRUE(anade(QDate(2011, 3, 6), QDate(2011, 3, 6)).Hecho);
    ASSERT_TRUE(anade(QDate(2011, 3, 5), QDate(2011, 3, 5), 0, "8 Otro", kFal).Hecho);
    std::vector<std::string> l;
    ASSERT_TRUE(LeeLineas("datos/incidencias.2011", l));
    ASSERT_EQ(l.size(), 12u);
    EXPECT_EQ(l[0], "06/03/2011 00:00");
    EXPECT_EQ(l[3], "05/03/2011 00:00");
    EXPECT_EQ(l[4], "8 Otro");
    EXPECT_EQ(l[6], "05/03/2011 00:00");
    EXPECT_EQ(l[7], "7 Dure");
    EXPECT_EQ(l[9], "04/03/2011 00:00");
}

TEST(Incidencias, ComprobacionesDeFechasYCajas) {
    Datos d;
    EXPECT_EQ(anade(QDate(2011, 3, 2), QDate(2011, 3, 1)).Mensaje,
              "La fecha inicial debe ser menor o igual que la final");
    EXPECT_EQ(anade(QDate(2011, 3, 1), QDate(2011, 4, 1)).Mensaje,
              "No se pueden introducir incidencias superiores a 30 dias");
    auto vacia = anade(QDate(2011, 3, 1), QDate(2011, 3, 1), 0, "", kVac);
    EXPECT_FALSE(vacia.Hecho);
    EXPECT_TRUE(vacia.Mensaje.empty());
    EXPECT_FALSE(anade(QDate(2011, 3, 1), QDate(2011, 3, 1), 0, kEmp, "").Hecho);
    EXPECT_FALSE(ExisteArchivo("datos/incidencias.2011"));

    auto r = anade(QDate(2011, 3, 1), QDate(2011, 3, 31)); // 31 days are accepted
    ASSERT_TRUE(r.Hecho);
    EXPECT_EQ(r.Lista.size(), 93u);
}

TEST(Incidencias, TrabajadorSinNumeroSeRechaza) {
    Datos d;
    auto r = anade(QDate(2011, 3, 1), QDate(2011, 3, 1), 0, "Dure sin numero");
    EXPECT_FALSE(r.Hecho);
    EXPECT_EQ(r.Mensaje, Ansi("El trabajador debe empezar por su número de empleado"));
    EXPECT_FALSE(anade(QDate(2011, 3, 1), QDate(2011, 3, 1), 0, "0 Nadie").Hecho);
    EXPECT_FALSE(ExisteArchivo("datos/incidencias.2011"));
    EXPECT_TRUE(r.TextoIncidencia.empty());
}

TEST(Incidencias, SaltosDeLineaTecleadosNoRompenElRegistro) {
    Datos d;
    ASSERT_TRUE(
        anade(QDate(2011, 3, 1), QDate(2011, 3, 1), 0, "7 Du\r\nre", "3 Vac\naciones *Empresa").Hecho);
    EXPECT_EQ(Contenido("datos/incidencias.2011"), "01/03/2011 00:00\r\n7 Dure\r\n3 Vacaciones *Empresa\r\n");
}

TEST(Incidencias, TextoIncidenciaDeLaUltimaAnadida) {
    Datos d;
    const QDate d1(2011, 3, 1);
    EXPECT_EQ(anade(d1, d1, 0).TextoIncidencia, "\t\tINCIDENCIA 3 Vacaciones *Empresa Justifica todo el dia");
    EXPECT_EQ(anade(d1, d1, 150).TextoIncidencia, "\t\tINCIDENCIA 3 Vacaciones *Empresa Justifica 02:30:00");
    EXPECT_EQ(anade(d1, d1, 60, kEmp, kFal).TextoIncidencia, "\t\tINCIDENCIA 5 Falta *Trabajador");
    EXPECT_EQ(anade(d1, d1, 0, kEmp, "9 Sin cargo").TextoIncidencia,
              "\t\tINCIDENCIA 9 Sin cargo Justifica todo el dia");
    EXPECT_EQ(TextoIncidenciaAnadida("1 X *Trabajadores", 0),
              "\t\tINCIDENCIA 1 X *Trabajadores Justifica todo el dia");
}

TEST(Incidencias, EscrituraFallidaSeInformaYNoDejaTexto) {
    Datos d;
    AjustesPrueba().DirDatos = "no/existe/";
    auto r = anade(QDate(2011, 3, 1), QDate(2011, 3, 1));
    EXPECT_FALSE(r.Hecho);
    EXPECT_EQ(r.Mensaje, "No se pudo guardar el archivo no/existe/incidencias.2011");
    EXPECT_TRUE(r.TextoIncidencia.empty());
}

TEST(Incidencias, ArchivoIlegibleNoSeReescribeConSoloLaNueva) {
    // The unreadable file is the start year's, or the next year's of a range that crosses it.
    for (const char *ilegible : {"datos/incidencias.2010", "datos/incidencias.2011"}) {
        Datos d;
        const std::string viejo = "02/03/2010 00:00\r\n8 Otro\r\n5 Falta *Trabajador\r\n";
        Escribe("datos/incidencias.2010", viejo);
        Escribe("datos/incidencias.2011", viejo);
        ResultadoIncidencia r;
        {
            SinLectura sin(ilegible);
            r = anade(QDate(2010, 12, 30), QDate(2011, 1, 2));
        }
        EXPECT_FALSE(r.Hecho) << ilegible;
        EXPECT_EQ(r.Mensaje, Ansi("No se puede leer el archivo ") + ilegible +
                                 Ansi(": no se ha añadido la incidencia."));
        EXPECT_EQ(Contenido("datos/incidencias.2010"), viejo) << ilegible;
        EXPECT_EQ(Contenido("datos/incidencias.2011"), viejo) << ilegible;
    }
}

TEST(Incidencias, ArchivoMalFormadoNoRompeNiDesalinea) {
    Datos d;
    // A record with an unreadable date and a short last record.
    Escribe("datos/incidencias.2011", "xx/03/2011 00:00\r\n1 A\r\n3 V *Empresa\r\n02/03/2011\r\n2 B\r\n");
    ASSERT_TRUE(anade(QDate(2011, 3, 1), QDate(2011, 3, 1)).Hecho);
    EXPECT_EQ(Contenido("datos/incidencias.2011"),
              "xx/03/2011 00:00\r\n1 A\r\n3 V *Empresa\r\n02/03/2011\r\n2 B\r\n\r\n"
              "01/03/2011 00:00\r\n7 Dure\r\n3 Vacaciones *Empresa\r\n");
    std::vector<std::string> l;
    LeeLineas("datos/incidencias.2011", l);
    TRegistroIncidencia corto = Incidencia(l, 1);
    EXPECT_EQ(corto.Minutos(), 0);
    EXPECT_EQ(corto.TextoTiempo(), "");
    EXPECT_EQ(Incidencia({"1"}, 0).Incidencia, "");
    EXPECT_FALSE(Incidencia(l, 0).Dia().isValid());
}

TEST(Incidencias, CamposDelRegistro) {
    TRegistroIncidencia r{"03/02/2011 01:15", " 12 Ana", "4 Medico *Empresa*x"};
    EXPECT_EQ(r.Dia(), QDate(2011, 2, 3));
    EXPECT_EQ(r.TextoFecha(), "03/02/2011");
    EXPECT_EQ(r.TextoTiempo(), "01:15");
    EXPECT_EQ(r.Minutos(), 75);
    EXPECT_EQ(r.NumeroEmpleado(), 12);
    EXPECT_EQ(r.CodigoIncidencia(), 4);
    EXPECT_EQ(r.Cargo(), "Empresa*x");
    EXPECT_FALSE(r.ATrabajador());
    EXPECT_TRUE(TRegistroIncidencia({"", "", "5 F *Trabajador"}).ATrabajador());
}

TEST(Incidencias, IndicePorDiaYEmpleadoDaLoQueDaRecorrerLaLista) {
    // Date lines whose first ten characters are not a day's text ("1/03/2011", a blank before, an
    // impossible day) and ones that are (a longer line), employee lines with blanks or no number, two
    // records of one day in file order, and a short last record.
    const std::vector<std::string> lista = {"02/03/2011 00:00", "7 Dure",  "3 Vacaciones *Empresa",
                                            "02/03/2011 01:00", " 7 Dure", "5 Falta *Trabajador",
                                            "02/03/2011 00:30", "8 Otro",  "3 V *Empresa",
                                            "1/03/2011 00:00",  "7 Dure",  "3 V *Empresa",
                                            " 01/03/2011",      "7 Dure",  "3 V *Empresa",
                                            "31/02/2011",       "7 Dure",  "3 V *Empresa",
                                            "01/03/20111",      "7 Dure",  "3 V *Empresa",
                                            "01/03/2011x",      "Dure",    "3 V *Empresa",
                                            "01/03/2011 02:00", "7"};
    const TIndiceIncidencias indice(lista);
    for (QDate d(2011, 2, 27); d <= QDate(2011, 3, 3); d = d.addDays(1))
        for (int numero : {0, 7, 8, 9}) {
            std::vector<std::string> esperado, dado;
            for (size_t i = 0; i < NumIncidencias(lista); ++i) {
                const TRegistroIncidencia r = Incidencia(lista, i);
                if (r.TextoFecha() == TextoDia(d) && r.NumeroEmpleado() == numero)
                    esperado.push_back(r.Fecha + "|" + r.Empleado + "|" + r.Incidencia);
            }
            for (const TRegistroIncidencia &r : indice.Registros(d, numero))
                dado.push_back(r.Fecha + "|" + r.Empleado + "|" + r.Incidencia);
            EXPECT_EQ(dado, esperado) << TextoDia(d) << " " << numero;
        }
    EXPECT_EQ(indice.Registros(QDate(2011, 3, 2), 7).size(), 2u);
    EXPECT_EQ(indice.Registros(QDate(2011, 3, 1), 0).size(), 1u);
    EXPECT_EQ(indice.Registros(QDate(2011, 3, 1), 7).size(), 2u);
    EXPECT_TRUE(indice.Registros(QDate(), 7).empty());
}

TEST(Incidencias, TextoDiaComoPrintf) {
    EXPECT_EQ(TextoDia(QDate(2011, 3, 1)), "01/03/2011");
    EXPECT_EQ(TextoDia(QDate(999, 12, 31)), "31/12/0999");
    EXPECT_EQ(TextoDia(QDate(12345, 1, 2)), "02/01/12345");
    EXPECT_EQ(TextoDia(QDate(-44, 3, 15)), "15/03/-044");
    EXPECT_EQ(TextoDia(QDate()), "00/00/0000");
}

TEST(Incidencias, BorrarQuitaSoloElPrimerRegistroIgual) {
    Datos d;
    const std::string r1 = "01/03/2011 00:00\r\n7 Dure\r\n3 Vacaciones *Empresa\r\n";
    const std::string r2 = "01/03/2011 00:00\r\n8 Otro\r\n3 Vacaciones *Empresa\r\n";
    Escribe("datos/incidencias.2011", r1 + r2 + r1);
    auto r = BorraIncidencia("01/03/2011 00:00", "7 Dure", kVac);
    EXPECT_TRUE(r.Hecho);
    EXPECT_EQ(Contenido("datos/incidencias.2011"), r2 + r1);
    EXPECT_FALSE(BorraIncidencia("01/03/2011 00:00", "7 Dur", kVac).Hecho);
    EXPECT_EQ(Contenido("datos/incidencias.2011"), r2 + r1);
    EXPECT_FALSE(BorraIncidencia("01/03/2012 00:00", "7 Dure", kVac).Hecho);
    EXPECT_FALSE(ExisteArchivo("datos/incidencias.2012"));
    EXPECT_FALSE(BorraIncidencia("", "", "").Hecho);
}

TEST(Incidencias, AjustesDeLasFechas) {
    QDate a(2011, 3, 10), b(2011, 3, 1);
    AjustaFechasCambio(a, b);
    EXPECT_EQ(a, QDate(2011, 3, 1));
    a = QDate(2011, 1, 1), b = QDate(2012, 6, 1);
    AjustaFechasCambio(a, b);
    EXPECT_EQ(b, QDate(2012, 1, 1)); // 365 days later
    a = QDate(2011, 3, 10), b = QDate(2011, 3, 1);
    AjustaFechasCierre(a, b);
    EXPECT_EQ(a, QDate(2011, 3, 10));
    EXPECT_EQ(b, QDate(2011, 3, 10));
    a = QDate(2012, 1, 1), b = QDate(2013, 1, 1); // 366 days
    AjustaFechasCierre(a, b);
    EXPECT_EQ(b, QDate(2012, 12, 31));
}

TEST(Incidencias, RejillaDelPeriodoYResaltado) {
    Datos d;
    Escribe("datos/incidencias.2010", "31/12/2010 00:00\r\n7 Dure\r\n3 Vacaciones *Empresa\r\n");
    Escribe("datos/incidencias.2011", "02/01/2011 00:00\r\n8 Otro\r\n5 Falta *Trabajador\r\n");
    StringGrid g(3, 2);
    LlenaRejillaIncidencias(g, IncidenciasPeriodo(QDate(2010, 12, 1), QDate(2011, 1, 5)));
    ASSERT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.Fila(0), (std::vector<std::string>{"Fecha", "Trabajador", "Incidencia"}));
    EXPECT_EQ(g.Cells[1][1], "8 Otro"); // end date's year first
    EXPECT_EQ(g.Cells[1][2], "7 Dure");

    EXPECT_TRUE(FilaResaltada(g, 1, "", ""));
    EXPECT_TRUE(FilaResaltada(g, 2, "", ""));
    EXPECT_FALSE(FilaResaltada(g, 0, "", ""));
    EXPECT_TRUE(FilaResaltada(g, 2, "7 Dure", ""));
    EXPECT_FALSE(FilaResaltada(g, 1, "7 Dure", ""));
    EXPECT_TRUE(FilaResaltada(g, 1, "", "5 Falta *Trabajador"));
    EXPECT_FALSE(FilaResaltada(g, 2, "7 Dure", "5 Falta *Trabajador"));

    LlenaRejillaIncidencias(g, {});
    EXPECT_EQ(g.RowCount(), 1);
}

TEST(Incidencias, ElArchivoSeSustituyeEnteroNoSeReescribe) {
    Datos d;
    const std::string antes = "02/03/2011 00:00\r\n8 Otro\r\n5 Falta *Trabajador\r\n";
    Escribe("datos/incidencias.2011", antes);
    // A reader that opened the file before the addition keeps reading the old, whole file.
    std::ifstream lector("datos/incidencias.2011", std::ios::binary);
    ASSERT_TRUE(anade(QDate(2011, 3, 1), QDate(2011, 3, 1)).Hecho);
    const std::string leido((std::istreambuf_iterator<char>(lector)), std::istreambuf_iterator<char>());
    EXPECT_EQ(leido, antes);
    EXPECT_EQ(Contenido("datos/incidencias.2011"),
              antes + "01/03/2011 00:00\r\n7 Dure\r\n3 Vacaciones *Empresa\r\n");
}
