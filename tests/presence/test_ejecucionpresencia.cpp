// The presence run's own pieces: its listings through the listing service, read by the pair
// reader, and the report written as rich text.
#include "presence/ejecucionpresencia.h"
#include "presence/lectorprueba.h"
#include "terminal/fichajesprueba.h"

#include <QDir>
#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <gtest/gtest.h>

TEST(FuentesPresencia, ParesDeLaRejillaDelPanel) {
    StringGrid g(7, 4);
    g.SetFila(1, {"0", "01", "03", "2011", "08", "00", "002"});
    g.SetFila(2, {"103", "01", "03", "2011", "16", "00", "000"});
    g.SetFila(3, {"206", "02", "03", "2011", "08", "00", "300"});

    TLectorRejilla lector(&g, ColumnasPrueba());
    TEmpleadoPresencia e;
    e.Numero = 7;
    TMaestrosPresencia m;
    m.Tipos = {{"Cortesia", 0, 0, 0}, {"Presencia", 0, 0, 0}, {"Extra", 0, 0, 0}};
    m.Horarios = {{1, "Normal", " 480 2 480 1 240 2"}};
    const THorarioDia h = PreparaHorario(1, m);
    const TResultadoDia r = CalculaPares(QDate(2011, 3, 1), h, m, e, {}, lector);
    EXPECT_EQ(r.Lineas, std::vector<std::string>({"01/03/2011 mar\t08:00\t16:00\t"}));
    EXPECT_EQ(r.ContadorIncidencias[2], 1);
    EXPECT_EQ(e.Fila, 3);
    // The next day: one clocking and no more rows: a missing exit on a past day.
    const TResultadoDia s = CalculaPares(QDate(2011, 3, 2), h, m, e, {}, lector);
    EXPECT_TRUE(s.FaltaSalida);
    EXPECT_EQ(s.Lineas, std::vector<std::string>({"02/03/2011 mi\xe9\t08:00\t24:00   (FALTA FICHAJE)\t"}));

    TLectorRejilla sinPanel(nullptr, ColumnasPrueba());
    TEmpleadoPresencia f;
    EXPECT_EQ(CalculaPares(QDate(2011, 3, 1), h, m, f, {}, sinPanel).Lineas,
              std::vector<std::string>({"01/03/2011 mar\t\t*** NO HAY FICHAJES ***"}));
}

TEST(FuentesPresencia, InformeEnTextoEnriquecido) {
    TInformeRTF inf("7 Ana");
    inf.FijaNombreArchivo("archivos/presencia/7 Ana.rtf");
    TEscritorInforme &d = inf; // as the run writes it
    d.Estilo(true, false);
    d.Color(ColorAzul);
    d.Tamano(16);
    d.Linea("");
    d.Linea("Titulo");
    d.Estilo(false, true);
    d.Color(ColorRojo);
    d.Tamano(10);
    d.Texto("a\t");
    d.Color(ColorVerde);
    d.Linea("b");
    EXPECT_EQ(inf.TextoPlano(), "\nTitulo\na\tb");
    EXPECT_EQ(inf.NombreArchivo(), "archivos/presencia/7 Ana.rtf");
    EXPECT_EQ(inf.Titulo(), "7 Ana");
    const QTextBlock titulo = inf.Documento().findBlockByNumber(1);
    const QTextCharFormat ft = titulo.begin().fragment().charFormat();
    EXPECT_EQ(ft.foreground().color(), ColorAzul);
    EXPECT_EQ(ft.fontWeight(), QFont::Bold);
    EXPECT_EQ(ft.fontPointSize(), 16);
    const QTextBlock linea = inf.Documento().findBlockByNumber(2);
    QTextBlock::iterator it = linea.begin();
    EXPECT_EQ(it.fragment().charFormat().foreground().color(), ColorRojo);
    EXPECT_TRUE(it.fragment().charFormat().fontUnderline());
    ++it;
    EXPECT_EQ(it.fragment().charFormat().foreground().color(), ColorVerde);
}

TEST(EjecucionPresencia, FichajesDelServicioConLosTerminalesDelPanel) {
    EntornoFichajes e;
    const QDate k3(2024, 5, 3);
    for (int h : {8, 12, 16})
        Guarda(Registro(5, 3, 5, 2024, h, 0, "7 Ana"));
    Guarda(Registro(6, 3, 5, 2024, 10, 0, "7 Ana")); // a terminal without its check mark
    Guarda(Registro(0, 3, 5, 2024, 17, 0, "7 Ana")); // a manual clocking
    Guarda(Registro(5, 3, 5, 2024, 9, 0, "8 Luis"));
    // 12:00 annulled, as the panel's double click annuls it.
    TPeticionListado panel;
    panel.Desde = panel.Hasta = k3;
    panel.Terminales = {TerminalDeItem("EE 1:5 a", true)};
    panel.Busca = "7 ";
    StringGrid g;
    ASSERT_TRUE(AlternaAnulado(ListaFichajes(panel, g, {}), g, 2));

    TEntradaPresencia in;
    in.Peticion.Desde = in.Peticion.Hasta = k3;
    std::vector<std::string> editadas;
    TVentanasPresencia v;
    v.EditaIncidencias = [&](const std::string &empleado, const QDate &d) {
        editadas.push_back(empleado + d.toString("dd").toStdString());
    };
    const TOrigenFichajes origen{{TerminalDeItem("EE 1:5 a", true), TerminalDeItem("EE 1:6 b", false)}, {}};
    TEjecucionPresencia run(in, origen, v);
    TLectorPares &l = run.ListaFichajes("7 ");
    std::vector<std::string> horas;
    for (int f = 1; f < run.Fichajes.RowCount(); ++f)
        horas.push_back(run.Fichajes.Celda(run.Listado.Columnas.Hora, f));
    EXPECT_EQ(horas, (std::vector<std::string>{"08", "16", "17"}));
    TContadoresIncidencia c{};
    const TRegistroPresencia par = l.Lee(k3, 1, 0, c);
    EXPECT_EQ(par.HoraEntrada, 8);
    EXPECT_EQ(par.HoraSalida, 16);
    run.EditaIncidencias(k3);
    EXPECT_EQ(editadas, std::vector<std::string>{"7 03"});

    // Without a control panel nothing is listed.
    TEjecucionPresencia sinPanel(in, std::nullopt, {});
    EXPECT_EQ(sinPanel.ListaFichajes("7 ").Filas(), 1);
}

// A run reads each day file once: later listings give the rows the disk gave, even with the files
// gone; after the incidence editor (which may store clockings) the disk is read again.
TEST(EjecucionPresencia, ArchivosLeidosUnaVezPorEjecucion) {
    EntornoFichajes e;
    const QDate k3(2024, 5, 3), k4(2024, 5, 4);
    for (const char *quien : {"7 Ana", "8 Luis"})
        for (int h : {8, 16}) {
            Guarda(Registro(5, 3, 5, 2024, h, 0, quien));
            Guarda(Registro(5, 4, 5, 2024, h + 1, 0, quien));
        }
    Guarda(Registro(0, 4, 5, 2024, 18, 0, "8 Luis"));
    auto filas = [](const StringGrid &g) {
        std::vector<std::vector<std::string>> r;
        for (int f = 0; f < g.RowCount(); ++f)
            r.push_back(g.Fila(f));
        return r;
    };
    TPeticionListado disco;
    disco.Desde = k3;
    disco.Hasta = k4;
    disco.Terminales = {TerminalDeItem("EE 1:5 a", true)};
    disco.Externa = true;
    disco.Busca = "8 ";
    StringGrid g;
    ListaFichajes(disco, g, {});
    ASSERT_EQ(g.RowCount(), 6);

    TEntradaPresencia in;
    in.Peticion.Desde = k3;
    in.Peticion.Hasta = k4;
    TVentanasPresencia v;
    v.EditaIncidencias = [](const std::string &, const QDate &) {
        Guarda(Registro(0, 3, 5, 2024, 12, 0, "8 Luis"));
    };
    TEjecucionPresencia run(in, TOrigenFichajes{disco.Terminales, {}}, v);
    EXPECT_EQ(run.ListaFichajes("7 ").Filas(), 5);
    for (const QString &archivo : QDir("fichajes").entryList(QDir::Files))
        ASSERT_TRUE(QFile::remove("fichajes/" + archivo));
    run.ListaFichajes("8 ");
    EXPECT_EQ(filas(run.Fichajes), filas(g));
    StringGrid vacia;
    ListaFichajes(disco, vacia, {});
    EXPECT_EQ(vacia.RowCount(), 2); // the disk has nothing left

    run.EditaIncidencias(k3);
    run.ListaFichajes("8 ");
    ASSERT_EQ(run.Fichajes.RowCount(), 2);
    EXPECT_EQ(run.Fichajes.Celda(run.Listado.Columnas.Hora, 1), "12");
}
