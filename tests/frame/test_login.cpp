#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "common/sesion.h"
#include "frame/cifra.h"
#include "frame/password.h"
#include "frame/principal.h"
#include "frame/usuarios.h"
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "platform/ui/ventanas.h"
#include "support/dirtemporal.h"
#include "support/respuestas.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <set>

using Dialogos::Respuesta;

namespace {

const std::vector<std::string> kLista = {
    "Velkatron SA",   "empresa1", "1 Admin.  presencia y produccion", //
    "Ana Perez",      "abcd",     "2 Admin.  presencia",              //
    "Pedro",          "pp11",     "4 Usuario produccion            ", //
    "0034 Jefe ****", "jefe",     "3",                                //
    "Raro",           "raro",     "sin numero",                       //
    "Raro",           "raro",     "5 Usuario accesos               ", //
    "Siete",          "7777",     "7 Inexistente",
};

// The main window's actions named by the rights, and the window each one shows.
const std::map<std::string, std::pair<QAction * TMainForm::*, const char *>> kAcciones = {
    {"CfgEmpresa", {&TMainForm::CfgEmpresa, "FormEmpresa"}},
    {"CfgEmpleados", {&TMainForm::CfgEmpleados, "FormEmpleados"}},
    {"CfgHorarios", {&TMainForm::CfgHorarios, "FormHorarios"}},
    {"CfgIncidencias", {&TMainForm::CfgIncidencias, "FormCIncidencias"}},
    {"CfgProd", {&TMainForm::CfgProd, "FormProduccion"}},
    {"cfgTerminales", {&TMainForm::cfgTerminales, "FormTerminales"}},
    {"ListarPre", {&TMainForm::ListarPre, "FormListar"}},
    {"ToolButton19", {&TMainForm::ToolButton19, "FormListar"}},
    {"Incidencias", {&TMainForm::Incidencias, "FormEditaIncidencias"}},
    {"Fichar1", {&TMainForm::Fichar1, "FormFichar"}},
    {"ListaAccesos", {&TMainForm::ListaAccesos, "FormAccesos"}},
    {"OrdenTrabajo", {&TMainForm::OrdenTrabajo, "FormEdProduccion"}},
    {"PPorObra", {&TMainForm::PPorObra, "FormEdProduccion"}},
    {"PPorTio", {&TMainForm::PPorTio, "FormEdProduccion"}},
};

std::set<std::string> ventanas() {
    std::set<std::string> v;
    for (const auto &[a, e] : kAcciones)
        v.insert(e.second);
    return v;
}

struct Esperado {
    int presencia;
    std::set<std::string> desactivadas;
    std::set<std::string> destruidas;
    std::vector<std::string> items;
};

const std::string kProduccion[] = {"CfgProd", "OrdenTrabajo", "PPorObra", "PPorTio"};

const std::map<int, Esperado> kDerechos = {
    {1,
     {1,
      {},
      {},
      {"1 Admin.  presencia y produccion", "2 Admin.  presencia             ",
       "3 Usuario presencia             ", "4 Usuario produccion            ",
       "5 Usuario accesos               ", "6 Usuario incidencias           "}}},
    {2,
     {1,
      {"CfgProd", "OrdenTrabajo", "PPorObra", "PPorTio"},
      {"FormEdProduccion"},
      {"2 Admin.  presencia", "3 Usuario presencia", "5 Usuario accesos               ",
       "6 Usuario incidencias           "}}},
    {3,
     {1,
      {"CfgProd", "OrdenTrabajo", "PPorObra", "PPorTio", "CfgEmpresa", "CfgEmpleados", "CfgHorarios",
       "CfgIncidencias", "cfgTerminales", "ListaAccesos"},
      {"FormEdProduccion", "FormAccesos"},
      {}}},
    {4,
     {0,
      {"ListarPre", "Fichar1", "Incidencias", "CfgProd", "CfgEmpresa", "CfgEmpleados", "CfgHorarios",
       "CfgIncidencias", "cfgTerminales", "ListaAccesos", "ToolButton19"},
      {"FormListar", "FormAccesos"},
      {}}},
    {5,
     {0,
      {"ListarPre", "Fichar1", "Incidencias", "CfgProd", "OrdenTrabajo", "PPorObra", "PPorTio", "CfgEmpresa",
       "CfgEmpleados", "CfgHorarios", "CfgIncidencias", "cfgTerminales", "ToolButton19"},
      {"FormEdProduccion", "FormListar"},
      {}}},
    {6,
     {0,
      {"ListarPre", "Fichar1", "CfgProd", "OrdenTrabajo", "PPorObra", "PPorTio", "ListaAccesos", "CfgEmpresa",
       "CfgEmpleados", "CfgHorarios", "CfgIncidencias", "cfgTerminales", "ToolButton19"},
      {"FormEdProduccion", "FormListar", "FormAccesos"},
      {}}},
};

std::string registroMin(const std::string &texto) {
    std::string r(512, '\0');
    r.replace(4, texto.size(), texto);
    return r;
}

} // namespace

TEST(NivelUsuario, TextosYNivelDeUnTexto) {
    for (int n = 0; n < 6; ++n) {
        EXPECT_EQ(std::string(TNivelUsuario[n]).size(), 32u);
        EXPECT_EQ(NivelDeTexto(TNivelUsuario[n]), n + 1);
    }
    EXPECT_EQ(NivelDeTexto("2 Admin.  presencia"), 2);
    EXPECT_EQ(NivelDeTexto("Admin"), 0);
    EXPECT_EQ(NivelDeTexto(""), 0);
    EXPECT_TRUE(NivelProtegido("1 Admin.", 2));
    EXPECT_FALSE(NivelProtegido("2", 2));
    EXPECT_FALSE(NivelProtegido("", 6));
    EXPECT_FALSE(NivelProtegido("x1", 6));
}

TEST(NivelUsuario, BuscaUsuarioExactoYSigueTrasNivelSinNumero) {
    std::string caption;
    EXPECT_EQ(BuscaUsuario(kLista, "Velkatron SA", "empresa1", caption), 1);
    EXPECT_EQ(caption, " Usuario: Velkatron SA Nivel: 1 Admin.  presencia y produccion");
    caption.clear();
    EXPECT_EQ(BuscaUsuario(kLista, "ana perez", "abcd", caption), 0);
    EXPECT_EQ(BuscaUsuario(kLista, "Ana Perez", "abcd ", caption), 0);
    EXPECT_EQ(caption, "");
    EXPECT_EQ(BuscaUsuario(kLista, "Raro", "raro", caption), 5);
    EXPECT_EQ(caption,
              " Usuario: Raro Nivel: sin numero Usuario: Raro Nivel: 5 Usuario accesos               ");
    EXPECT_EQ(UsuarioActual.Nivel, "5 Usuario accesos               ");
}

class Acceso : public ::testing::Test {
protected:
    void SetUp() override {
        AjustesPrueba().DirDatos = "datos/";
        AjustesPrueba().DirHuellas = "huellas/";
        AjustesPrueba().DirProduccion = "produccion/";
        CreaDirectorio("produccion");
        Sesion().NivelUsuario = 0;
        Sesion().PresenciaActiva = 0;
        for (const std::string &v : ventanas())
            RegistraVentana(v, new QWidget);
        principal = new TMainForm();
        principal->ActualizaAcciones();
        PWD1 = new TPWD1(principal);
        FormUsuarios = new TFormUsuarios(principal);
        Sesion().ListaUsuarios = kLista;
    }
    void TearDown() override {
        TPWD1::Prueba = nullptr;
        for (const std::string &v : ventanas())
            DestruyeVentana(v);
        delete principal;
        Sesion().NivelUsuario = 0;
        Sesion().PresenciaActiva = 0;
        Sesion().ListaUsuarios.clear();
    }
    // Each try answers with the next name and password; vistos keeps what the dialog showed.
    void Respuestas(std::vector<std::pair<std::string, std::string>> r) {
        intentos = 0;
        vistos.clear();
        TPWD1::Prueba = [this, r](TPWD1 &d) {
            vistos.emplace_back(d.CBUsuario->currentText(), d.EDClave->text());
            ASSERT_LT(intentos, static_cast<int>(r.size()));
            d.CBUsuario->setEditText(aQ(r[static_cast<size_t>(intentos)].first));
            d.EDClave->setText(aQ(r[static_cast<size_t>(intentos)].second));
            ++intentos;
        };
    }
    void CompruebaDerechos(int nivel) {
        const Esperado &e = kDerechos.at(nivel);
        EXPECT_EQ(Sesion().PresenciaActiva, e.presencia);
        for (const auto &[nombre, a] : kAcciones) {
            QAction *accion = principal->*a.first;
            EXPECT_EQ(accion->isEnabled(), e.desactivadas.count(nombre) == 0) << nombre << " nivel " << nivel;
            // No enabled action leads to a destroyed window.
            if (accion->isEnabled()) {
                EXPECT_NE(Ventana(a.second), nullptr) << nombre;
            }
        }
        for (const std::string &v : ventanas())
            EXPECT_EQ(Ventana(v) == nullptr, e.destruidas.count(v) == 1) << v << " nivel " << nivel;
        std::vector<std::string> items;
        for (int i = 0; i < FormUsuarios->CBNivel->count(); ++i)
            items.push_back(deQ(FormUsuarios->CBNivel->itemText(i)));
        EXPECT_EQ(items, e.items) << "nivel " << nivel;
    }
    DirectorioTrabajo d;
    RespuestasPrueba r;
    TMainForm *principal = nullptr;
    int intentos = 0;
    std::vector<std::pair<QString, QString>> vistos;
};

TEST_F(Acceso, CadaNivelSuTituloYSusDerechos) {
    for (int nivel = 1; nivel <= 6; ++nivel) {
        SCOPED_TRACE(nivel);
        TearDown();
        SetUp();
        const std::string usuario = "operador" + std::to_string(nivel);
        Sesion().ListaUsuarios.insert(Sesion().ListaUsuarios.end(),
                                      {usuario, "clave", TNivelUsuario[nivel - 1]});
        const QString titulo = principal->windowTitle();
        Respuestas({{usuario, "clave"}});
        EXPECT_TRUE(Login());
        EXPECT_EQ(Sesion().NivelUsuario, nivel);
        EXPECT_EQ(deQ(principal->windowTitle()),
                  deQ(titulo) + " Usuario: " + usuario + " Nivel: " + TNivelUsuario[nivel - 1]);
        CompruebaDerechos(nivel);
    }
    EXPECT_TRUE(r.Mensajes.empty());
}

TEST_F(Acceso, EntraALaPrimeraConLaCuentaDeEmpresa) {
    CreaDirectorio("huellas");
    // A text filling its whole field is cut at the field's end; a short last record is ignored.
    std::string lleno = registroMin(std::string(128, 'N'));
    lleno.replace(132, 4, "resto");
    std::string min = registroMin("0012 Juan Lopez") +
                      registroMin("0034 Jefe\xAC"
                                  "1234") +
                      lleno + std::string(100, 'z');
    Escribe("huellas/empresa.min", min);
    const QString titulo = principal->windowTitle();
    Respuestas({{"Velkatron SA", "empresa1"}});
    EXPECT_TRUE(Login());
    EXPECT_EQ(intentos, 1);
    EXPECT_EQ(Sesion().NivelUsuario, 1);
    EXPECT_EQ(principal->windowTitle(),
              titulo + " Usuario: Velkatron SA Nivel: 1 Admin.  presencia y produccion");
    ASSERT_EQ(PWD1->CBUsuario->count(), 4);
    EXPECT_EQ(PWD1->CBUsuario->itemText(0), "Velkatron SA");
    EXPECT_EQ(PWD1->CBUsuario->itemText(1), "0012 Juan Lopez");
    EXPECT_EQ(PWD1->CBUsuario->itemText(2), "0034 Jefe ****");
    EXPECT_EQ(PWD1->CBUsuario->itemText(3), QString(128, 'N'));
    CompruebaDerechos(1);
}

TEST_F(Acceso, NombreEnmascaradoDeLaListaElegidoEnElCombo) {
    CreaDirectorio("huellas");
    Escribe("huellas/empresa.min", registroMin("0034 Jefe\xAC"
                                               "1234"));
    intentos = 0;
    TPWD1::Prueba = [this](TPWD1 &d) {
        ++intentos;
        d.CBUsuario->setCurrentIndex(1);
        d.EDClave->setText("jefe");
    };
    EXPECT_TRUE(Login());
    EXPECT_EQ(Sesion().NivelUsuario, 3);
    CompruebaDerechos(3);
}

TEST_F(Acceso, IntroSoloCierraDesdeLaClave) {
    PWD1->show();
    QTest::keyClick(PWD1->CBUsuario->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(PWD1->isVisible());
    QTest::keyClick(PWD1->EDClave, Qt::Key_Return);
    EXPECT_FALSE(PWD1->isVisible());
}

TEST_F(Acceso, TresFallosTerminan) {
    Respuestas({{"Ana Perez", "mal"}, {"nadie", "abcd"}, {"Ana Perez", "ABCD"}});
    const QString titulo = principal->windowTitle();
    EXPECT_FALSE(Login());
    EXPECT_EQ(intentos, 3);
    // Each try starts with what the previous one left: nothing at first, no name preselected.
    EXPECT_EQ(vistos,
              (std::vector<std::pair<QString, QString>>{{"", ""}, {"Ana Perez", "mal"}, {"nadie", "abcd"}}));
    EXPECT_EQ(PWD1->CBUsuario->count(), 1);
    EXPECT_EQ(Sesion().NivelUsuario, 0);
    EXPECT_EQ(principal->windowTitle(), titulo);
    EXPECT_TRUE(r.Mensajes.empty());
}

TEST_F(Acceso, SegundoIntentoYNivelFueraDeRango) {
    Respuestas({{"Pedro", "x"}, {"Pedro", "pp11"}});
    EXPECT_TRUE(Login());
    EXPECT_EQ(intentos, 2);
    EXPECT_EQ(Sesion().NivelUsuario, 4);
    CompruebaDerechos(4);
    Sesion().NivelUsuario = 0;
    Respuestas({{"Siete", "7777"}});
    EXPECT_FALSE(Login());
    EXPECT_EQ(intentos, 1);
}

TEST_F(Acceso, ListaVaciaAvisaYTermina) {
    Sesion().ListaUsuarios.clear();
    Respuestas({});
    EXPECT_FALSE(Login());
    EXPECT_EQ(intentos, 0);
    ASSERT_EQ(r.Mensajes.size(), 1u);
    EXPECT_EQ(r.Mensajes[0].tipo, Dialogos::Tipo::Error);
    EXPECT_NE(r.Mensajes[0].texto.find("rondal.usr"), std::string::npos);
}

TEST_F(Acceso, NivelUnoSinDirectorioDeProduccion) {
    AjustesPrueba().DirProduccion = "prod/datos/";
    r.Respuestas = {Respuesta::No};
    EXPECT_EQ(AplicaDerechos(1), 2);
    ASSERT_EQ(r.Mensajes.size(), 1u);
    EXPECT_EQ(r.Mensajes[0].titulo, "No existe el directorio prod\\datos\\");
    EXPECT_EQ(r.Mensajes[0].texto,
              Ansi("¿ Quiere crear el directorio prod\\datos\\ para guardar los datos de producción ?"));
    EXPECT_TRUE(r.Mensajes[0].siNo);
    EXPECT_FALSE(ExisteDirectorio("prod/datos"));
    CompruebaDerechos(2);

    TearDown();
    SetUp();
    AjustesPrueba().DirProduccion = "prod/datos/";
    r.Mensajes.clear();
    r.Respuestas = {Respuesta::Si};
    Respuestas({{"Velkatron SA", "empresa1"}});
    EXPECT_TRUE(Login());
    EXPECT_EQ(Sesion().NivelUsuario, 1);
    EXPECT_TRUE(ExisteDirectorio("prod/datos"));
    CompruebaDerechos(1);
}

TEST_F(Acceso, NivelUnoCreacionFallidaEsNivelDos) {
    Escribe("bloqueo", "archivo");
    AjustesPrueba().DirProduccion = "bloqueo/prod/";
    r.Respuestas = {Respuesta::Si};
    Respuestas({{"Velkatron SA", "empresa1"}});
    EXPECT_TRUE(Login());
    EXPECT_EQ(Sesion().NivelUsuario, 2);
    ASSERT_EQ(r.Mensajes.size(), 2u);
    EXPECT_EQ(r.Mensajes[1].tipo, Dialogos::Tipo::Error);
    CompruebaDerechos(2);
}
