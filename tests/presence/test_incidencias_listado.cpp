#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "platform/informe.h"
#include "platform/lineas.h"
#include "presence/informeincidencias.h"
#include "support/dirtemporal.h"

#include <QTextBlock>
#include <gtest/gtest.h>

namespace {
const QColor kAzul(0, 0, 255), kVerde(0, 128, 0), kRojo(255, 0, 0);

std::string registro(const std::string &fecha, const std::string &emp, const std::string &inc) {
    return fecha + "\r\n" + emp + "\r\n" + inc + "\r\n";
}

struct Datos {
    DirectorioTrabajo dir;
    Datos() {
        CreaDirectorio("datos/");
        AjustesPrueba().DirDatos = "datos/";
        Escribe("datos/incidencias.2010",
                registro("31/12/2010 00:00", "7 Dure", "3 Vacaciones *Empresa") +
                    registro("30/12/2010 00:00", "8 Otro", "3 Vacaciones *Empresa"));
        Escribe("datos/incidencias.2011", registro("03/01/2011 00:00", "7 Dure", "3 Vacaciones *Empresa") +
                                              registro("02/01/2011 01:15", "7 Dure", "4 Medico *Empresa") +
                                              registro("02/01/2011 00:00", "7 Dure", "5 Falta *Trabajador") +
                                              registro("02/01/2011 00:00", "7 Dure", "9 Sin cargo"));
    }
};

std::vector<std::string> textos(const std::vector<LineaListado> &l) {
    std::vector<std::string> r;
    for (const auto &x : l)
        r.push_back(x.Texto);
    return r;
}
} // namespace

TEST(ListadoIncidencias, TodosLosTiposCruzandoElAnio) {
    Datos d;
    auto l = ListadoIncidencias("7 Dure", "", QDate(2010, 12, 31), QDate(2011, 1, 2));
    EXPECT_EQ(textos(l), (std::vector<std::string>{
                             "Listado de incidencias de 7 Dure desde 31/12/2010 hasta 02/01/2011 ",
                             "",
                             "",
                             "Fecha\t\tIncidencia\t\t\tTiempo justificado",
                             "",
                             "31/12/2010\t3 Vacaciones *Empresa\t\tTodo el dia",
                             "02/01/2011\t4 Medico *Empresa\t\t01:15",
                             "02/01/2011\t5 Falta *Trabajador",
                             "02/01/2011\t9 Sin cargo\t\tTodo el dia",
                         }));
    ASSERT_EQ(l.size(), 9u);
    EXPECT_EQ(l[0].Color, kAzul);
    EXPECT_EQ(l[3].Color, kVerde);
    EXPECT_EQ(l[6].Color, kVerde);
    EXPECT_EQ(l[7].Color, kRojo); // only the worker-charged line
    EXPECT_EQ(l[8].Color, kVerde);
}

TEST(ListadoIncidencias, FiltroPorTipoYSinEmpleado) {
    Datos d;
    auto l = ListadoIncidencias("7 Dure", "3 Vacaciones *Empresa", QDate(2010, 12, 1), QDate(2011, 1, 31));
    ASSERT_EQ(l.size(), 7u);
    EXPECT_EQ(l[5].Texto, "31/12/2010\t3 Vacaciones *Empresa\t\tTodo el dia");
    EXPECT_EQ(l[6].Texto, "03/01/2011\t3 Vacaciones *Empresa\t\tTodo el dia");
    EXPECT_TRUE(ListadoIncidencias("", "", QDate(2010, 12, 1), QDate(2011, 1, 31)).empty());
    EXPECT_TRUE(ListadoIncidencias("Dure", "", QDate(2010, 12, 1), QDate(2011, 1, 31)).empty());
    // No matching record: title block and column header only; a year without file adds nothing.
    EXPECT_EQ(ListadoIncidencias("99 X", "", QDate(2009, 12, 1), QDate(2011, 1, 31)).size(), 5u);
}

TEST(ListadoIncidencias, DocumentoConSusAtributos) {
    Datos d;
    TInformeRTF inf;
    EXPECT_FALSE(EscribeListadoIncidencias(inf, "Dure", "", QDate(2011, 1, 1), QDate(2011, 1, 3)));
    EXPECT_EQ(inf.TextoPlano(), "");
    ASSERT_TRUE(EscribeListadoIncidencias(inf, "7 Dure", "", QDate(2011, 1, 2), QDate(2011, 1, 2)));
    EXPECT_EQ(inf.TextoPlano(), "Listado de incidencias de 7 Dure desde 02/01/2011 hasta 02/01/2011 \n\n\n"
                                "Fecha\t\tIncidencia\t\t\tTiempo justificado\n\n"
                                "02/01/2011\t4 Medico *Empresa\t\t01:15\n"
                                "02/01/2011\t5 Falta *Trabajador\n"
                                "02/01/2011\t9 Sin cargo\t\tTodo el dia");
    EXPECT_TRUE(inf.NombreArchivo().empty());
    // Every line bold and 16 points; the worker-charged one red, the others green.
    const QColor colores[] = {kVerde, kRojo, kVerde};
    for (int i = 0; i < 3; ++i) {
        const QTextBlock b = inf.Documento().findBlockByNumber(5 + i);
        ASSERT_TRUE(b.isValid());
        const QTextCharFormat f = b.begin().fragment().charFormat();
        EXPECT_EQ(f.foreground().color(), colores[i]);
        EXPECT_GE(f.fontWeight(), QFont::Bold);
        EXPECT_EQ(f.fontPointSize(), 16);
    }
}
