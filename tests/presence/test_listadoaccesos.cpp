// The access listing over clockings stored as the terminals store them and the year's incidences.
#include "common/ajustesprueba.h"
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "presence/listadoaccesos.h"
#include "terminal/fichajesprueba.h"

#include <QTextBlock>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

const QDate k3(2011, 2, 3), k5(2011, 2, 5);
const std::string kSabado = Ansi("sáb 05/02/2011");

class ListadoAccesos : public ::testing::Test {
protected:
    void SetUp() override {
        AjustesPrueba().DirArchivosPres = "salida/";
        // Terminals 1 (access) and 2 (all) list accesses; 3 is an entry terminal.
        for (int t : {1, 2, 3})
            Guarda(Registro(t, 4, 2, 2011, 9, t, "7 Dure Ana"));
        Guarda(Registro(1, 4, 2, 2011, 8, 5, "7 Dure Ana"));
        Guarda(Registro(1, 4, 2, 2011, 8, 7, "12 Gil Luis"));
        Guarda(Registro(1, 5, 2, 2011, 8, 10, "7 Dure Ana"));
        // A clocking dated before the period inside one of its files.
        Guarda(Registro(1, 1, 2, 2011, 7, 0, "7 Dure Ana"));
        Escribe("fichajes/040211.001", Contenido("fichajes/040211.001") + Contenido("fichajes/010211.001"));
        // Newest first; of two records of one day the one further down counts.
        Escribe("datos/incidencias.2011", "05/02/2011 00:00\r\n7 Dure Ana\r\n5 Retraso *Trabajador\r\n"
                                          "04/02/2011 00:00\r\n7 Dure Ana\r\n2 Otro *Empresa\r\n"
                                          "04/02/2011 02:30\r\n7 Dure Ana\r\n3 Medico *Empresa\r\n"
                                          "03/02/2011 00:00\r\n12 Gil Luis\r\n1 Vacaciones *Empresa\r\n");
        p.Desde = k3;
        p.Hasta = k5;
        p.Terminales = {
            {"SA 1 Puerta", true}, {"ST 2 Nave", true}, {"SE 3 Oficina", true}, {"SA g1 Otra", true}};
    }
    void TearDown() override { AjustesPrueba().DirArchivosPres = dirPres; }

    static std::vector<std::string> lineas(const TInformeRTF &inf) { return PartirLineas(inf.TextoPlano()); }
    static QTextCharFormat formato(const TInformeRTF &inf, int linea) {
        return inf.Documento().findBlockByNumber(linea).begin().fragment().charFormat();
    }
    static std::string nombre(const std::string &n) {
        std::string r = n;
        r.resize(32, ' ');
        return r;
    }

    EntornoFichajes entorno;
    std::string dirPres = Configuracion().DirArchivosPres;
    TPeticionListadoAccesos p;
};

} // namespace

TEST_F(ListadoAccesos, PorPersonaConIncidenciasYTerminales) {
    p.Empleados = {"7 Dure Ana", "12", "9 A/B\\C"};
    const auto docs = InformesAccesos(p);
    ASSERT_EQ(docs.size(), 3u);
    const TInformeRTF &ana = *docs[0];
    const std::string titulo = "Listado de accesos de Dure Ana desde 03/02/2011 hasta 05/02/2011 ";
    EXPECT_EQ(ana.Titulo(), titulo);
    EXPECT_EQ(ana.NombreArchivo(), "salida/7 Dure Ana de 03_02_2011 a 05_02_2011.rtf");
    EXPECT_EQ(lineas(ana),
              (std::vector<std::string>{"", titulo, "", "jue 03/02/2011", "vie 04/02/2011",
                                        "\t\tINCIDENCIA 3 Medico *Empresa Justifica 02:30", "\t08:05\t001",
                                        "\t09:01\t001", "\t09:02\t002", kSabado,
                                        "\t\tINCIDENCIA 5 Retraso *Trabajador", "\t08:10\t001"}));
    EXPECT_EQ(formato(ana, 1).foreground().color(), ColorTitulo);
    EXPECT_EQ(formato(ana, 1).fontPointSize(), 16);
    EXPECT_EQ(formato(ana, 3).foreground().color(), ColorGrupo);
    EXPECT_TRUE(formato(ana, 3).fontUnderline());
    EXPECT_EQ(formato(ana, 5).foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(formato(ana, 5).fontWeight(), QFont::Bold);
    EXPECT_EQ(formato(ana, 6).foreground().color(), QColor(0, 0, 255)); // as the line before
    EXPECT_EQ(formato(ana, 10).foreground().color(), QColor(255, 0, 0));

    // A number alone is both number and name: that employee only, never everybody.
    EXPECT_EQ(docs[1]->Titulo(), "Listado de accesos de 12 desde 03/02/2011 hasta 05/02/2011 ");
    EXPECT_EQ(lineas(*docs[1]),
              (std::vector<std::string>{"", docs[1]->Titulo(), "", "jue 03/02/2011",
                                        "\t\tINCIDENCIA 1 Vacaciones *Empresa Justifica todo el dia",
                                        "vie 04/02/2011", "\t08:07\t001", kSabado}));
    // No separator of the item reaches the file name.
    EXPECT_EQ(docs[2]->NombreArchivo(), "salida/9 A_B_C de 03_02_2011 a 05_02_2011.rtf");
    EXPECT_EQ(lineas(*docs[2]).size(), 6u); // headings only

    // Only the ticked terminals are read.
    p.Empleados = {"7 Dure Ana"};
    p.Terminales[1].second = false;
    const std::vector<std::string> sinNave = lineas(*InformesAccesos(p).at(0));
    EXPECT_EQ(std::count(sinNave.begin(), sinNave.end(), "\t09:02\t002"), 0);
    EXPECT_EQ(std::count(sinNave.begin(), sinNave.end(), "\t09:01\t001"), 1);

    p.Empleados.clear();
    EXPECT_TRUE(InformesAccesos(p).empty());
}

TEST_F(ListadoAccesos, PorPuertaUnDocumentoPorTerminalMarcado) {
    p.PorPersona = false;
    p.Terminales[1].second = false;
    const auto docs = InformesAccesos(p);
    // Terminal 2 is not ticked, "g1" has no hexadecimal address; the entry terminal gets no rows.
    ASSERT_EQ(docs.size(), 2u);
    const std::string titulo = "Listado de accesos por 1 Puerta desde 03/02/2011 hasta 05/02/2011 ";
    EXPECT_EQ(docs[0]->Titulo(), titulo);
    EXPECT_EQ(docs[0]->NombreArchivo(), "");
    EXPECT_EQ(lineas(*docs[0]), (std::vector<std::string>{"", titulo, "", "jue 03/02/2011", "vie 04/02/2011",
                                                          "\t08:05\t" + nombre("7 Dure Ana"),
                                                          "\t08:07\t" + nombre("12 Gil Luis"),
                                                          "\t09:01\t" + nombre("7 Dure Ana"), kSabado,
                                                          "\t08:10\t" + nombre("7 Dure Ana")}));
    EXPECT_EQ(docs[1]->Titulo(), "Listado de accesos por 3 Oficina desde 03/02/2011 hasta 05/02/2011 ");
    EXPECT_EQ(lineas(*docs[1]).size(), 6u);
}
