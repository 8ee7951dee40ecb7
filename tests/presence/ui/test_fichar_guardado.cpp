#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "common/globales.h"
#include "masterdata/empleados.h"
#include "masterdata/ui/empleadosorg.h"
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "presence/presenciafichaje.h"
#include "presence/ui/ficharpre.h"
#include "support/dirtemporal.h"
#include "support/respuestas.h"
#include "support/tecleo.h"
#include "terminal/fichaje.h"
#include "terminal/guardafichaje.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {
struct Puesto {
    DirectorioTrabajo dir;
    Puesto() {
        AjustesPrueba() = LeeConfiguracion("velkatron.ini");
        CreaDirectorio(Configuracion().DirDatos);
        CreaDirectorio(Configuracion().DirFichajes);
        std::vector<std::string> l{"7 Dure"};
        l.resize(static_cast<size_t>(LineasPorEmpleado));
        GuardaLineas(Configuracion().DirDatos + "empleados.dat", l);
        OlvidaParciales();
        Peticion.FechaFichaje = QDateTime(QDate(2011, 2, 3), QTime(12, 0));
        Peticion.FechaFichajeFin = QDateTime(QDate(2011, 2, 3), QTime(8, 5, 30));
        Peticion.EmpleadoFichaje = "7 ";
        Peticion.CodigoFichaje = std::string(8, ' ');
    }
    TPeticionFichaje Peticion;
};
const std::string kRegistro =
    "\r\n000 Jue 03/02/2011 08:05:00 012 7 Dure" + std::string(48, ' ') + std::string(8, ' ') + " N-0000";
} // namespace

TEST(FormFichar, GuardaEnElHistoricoYEnElParcialUnaSolaVez) {
    Puesto p;
    TFormFichar f;
    f.Peticion = p.Peticion;
    f.FormActivate();
    f.LEInci->setText("12");
    RespuestasPrueba r;
    f.SpeedButton1Click();
    EXPECT_TRUE(r.Mensajes.empty());
    ASSERT_EQ(kRegistro.size(), 103u);
    EXPECT_EQ(Contenido(Configuracion().RutaHistorico), kRegistro);
    const std::string parcial = Contenido(RutaParcial(kRegistro));
    EXPECT_EQ(parcial, FormateaFichaje(Configuracion().FormatoFichaje, kRegistro));
    f.SpeedButton1Click(); // the writer keeps one copy
    EXPECT_EQ(Contenido(Configuracion().RutaHistorico), kRegistro);
    EXPECT_TRUE(r.Mensajes.empty());
}

TEST(FormFichar, FichajeNoGuardadoSeInforma) {
    Puesto p;
    AjustesPrueba().DirFichajes = "no/existe/";
    AjustesPrueba().RutaHistorico = "no/existe/historico";
    TFormFichar f;
    f.Peticion = p.Peticion;
    f.FormActivate();
    RespuestasPrueba r;
    f.SpeedButton1Click();
    ASSERT_EQ(r.Mensajes.size(), 1u);
    EXPECT_EQ(r.Mensajes[0].texto, "No se pudo guardar el fichaje");
}

TEST(FormFichar, PresentesQueNoSeEscribeSeAvisa) {
    Puesto p;
    FormEmpleados = new TFormEmpleados();
    FormEmpleados->SG1.SetRowCount(2);
    FormEmpleados->SG1.Cells[0][1] = "7 Dure";
    CreaDirectorio(Configuracion().DirFichajes + "presentes");
    FijaFichajeGuardado([](const std::string &r) { return AnotaPresencia(r, &FormEmpleados->SG1); });
    TFormFichar f;
    f.Peticion = p.Peticion;
    f.FormActivate();
    RespuestasPrueba r;
    f.SpeedButton1Click();
    EXPECT_EQ(Contenido(Configuracion().RutaHistorico).size(), 103u); // stored all the same
    ASSERT_EQ(r.Mensajes.size(), 1u);
    EXPECT_NE(r.Mensajes[0].texto.find("presentes"), std::string::npos);
    FijaFichajeGuardado(nullptr);
    delete FormEmpleados;
}

TEST(FormFichar, CodigoDeIncidenciaFueraDeRangoSeAvisaYNoSeGuarda) {
    Puesto p;
    TFormFichar f;
    f.Peticion = p.Peticion;
    f.FormActivate();
    f.LEInci->setText("1234");
    RespuestasPrueba r;
    f.SpeedButton1Click();
    ASSERT_EQ(r.Mensajes.size(), 1u);
    EXPECT_EQ(r.Mensajes[0].texto, Ansi("El código de incidencia debe estar entre 0 y 999"));
    EXPECT_FALSE(ExisteArchivo(Configuracion().RutaHistorico));
    EXPECT_FALSE(ExisteArchivo(RutaParcial(kRegistro)));
}

TEST(FormFichar, IntroEnElCodigoNoFicha) {
    Puesto p;
    TFormFichar f;
    f.Peticion = p.Peticion;
    f.show();
    f.LEInci->setFocus();
    RespuestasPrueba r;
    QTest::keyClick(f.LEInci, Qt::Key_Return);
    EXPECT_TRUE(r.Mensajes.empty());
    EXPECT_FALSE(ExisteArchivo(Configuracion().RutaHistorico));
}

TEST(FormFichar, CodigoDeIncidenciaQueNoEsNumeroNoSeGuardaComo000) {
    Puesto p;
    TFormFichar f;
    f.Peticion = p.Peticion;
    f.FormActivate();
    RespuestasPrueba r;
    for (const char *codigo : {"abc", "M1", "12x"}) {
        f.LEInci->setText(codigo);
        f.SpeedButton1Click();
    }
    EXPECT_EQ(r.Mensajes.size(), 3u);
    EXPECT_FALSE(ExisteArchivo(Configuracion().RutaHistorico));
    f.LEInci->setText(""); // blank: no incidence
    f.SpeedButton1Click();
    EXPECT_EQ(Contenido(Configuracion().RutaHistorico).substr(30, 3), "000");
}

// The clocking of a date typed over another month's date goes to the day typed.
TEST(FormFichar, FechaTecleadaEsLaDelFichajeGuardado) {
    Puesto p;
    TFormFichar f;
    f.Peticion = p.Peticion;
    f.Peticion.FechaFichaje = QDateTime(QDate(2026, 2, 28), QTime(12, 0));
    RespuestasPrueba r;
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    TecleaFecha(f.DT1, "30/01/2026");
    PulsaCaracter(f.DT2, 0);
    Teclea("0800");
    QTest::mouseClick(f.SpeedButton1, Qt::LeftButton);
    EXPECT_TRUE(r.Mensajes.empty());
    const std::string registro = Contenido(Configuracion().RutaHistorico);
    ASSERT_EQ(registro.size(), 103u);
    EXPECT_EQ(registro.substr(2, 26), "000 Vie 30/01/2026 08:00:0");
    EXPECT_EQ(Contenido(RutaParcial(registro)), FormateaFichaje(Configuracion().FormatoFichaje, registro));
    EXPECT_NE(RutaParcial(registro).find("300126"), std::string::npos);
}
