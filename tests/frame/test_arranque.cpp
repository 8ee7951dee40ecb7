#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "common/globales.h"
#include "common/sesion.h"
#include "frame/arranque.h"
#include "frame/principal.h"
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "platform/reloj.h"
#include "platform/ui/escritorio.h"
#include "platform/ui/ventanas.h"
#include "production/ui/edproduccion.h"
#include "support/dirtemporal.h"
#include "support/respuestas.h"
#include "terminal/ui/panel.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using Dialogos::Respuesta;

TEST(Directorios, NoParaDatosTerminaYNoPreguntaMas) {
    DirectorioTrabajo d;
    AjustesPrueba() = LeeConfiguracion("velkatron.ini");
    RespuestasPrueba r;
    r.Respuestas = {Respuesta::No};
    EXPECT_FALSE(CompruebaDirectorios());
    ASSERT_EQ(r.Mensajes.size(), 1u);
    EXPECT_EQ(r.Mensajes[0].titulo, "No existe el directorio datos\\");
    EXPECT_EQ(r.Mensajes[0].texto, Ansi("¿ Quiere crear el directorio datos\\ para guardar los datos ?"));
    EXPECT_FALSE(ExisteDirectorio("datos"));
    // An absolute directory is named as the system names it.
    const std::string absoluto = QDir::currentPath().toStdString() + "/otro/datos/";
    AjustesPrueba().DirDatos = absoluto;
    r.Respuestas = {Respuesta::No};
    EXPECT_FALSE(CompruebaDirectorios());
    ASSERT_EQ(r.Mensajes.size(), 2u);
    EXPECT_EQ(r.Mensajes[1].titulo, "No existe el directorio " + absoluto);
}

TEST(Directorios, NoParaPresenciaYSiParaProduccionCreaLosPadres) {
    DirectorioTrabajo d;
    AjustesPrueba() = LeeConfiguracion("velkatron.ini");
    Escribe("rondal.usr", "x\r\n");
    RespuestasPrueba r;
    r.Respuestas = {Respuesta::Si, Respuesta::Si, Respuesta::No, Respuesta::Si};
    EXPECT_TRUE(CompruebaDirectorios());
    ASSERT_EQ(r.Mensajes.size(), 4u);
    EXPECT_EQ(r.Mensajes[2].texto, Ansi("¿ Quiere crear el directorio archivos\\presencia\\ para guardar los "
                                        "archivos generados de presencia ?"));
    EXPECT_EQ(r.Mensajes[3].texto,
              Ansi("¿ Quiere crear el directorio archivos\\produccion\\ para guardar los "
                   "archivos generados de producción ?"));
    EXPECT_TRUE(ExisteDirectorio("datos"));
    EXPECT_TRUE(ExisteDirectorio("fichajes"));
    EXPECT_FALSE(ExisteDirectorio("archivos/presencia"));
    EXPECT_TRUE(ExisteDirectorio("archivos/produccion"));
    EXPECT_EQ(Contenido("datos/rondal.usr"), "x\r\n"); // copied into the new data directory
    r.Mensajes.clear();
    EXPECT_TRUE(CompruebaDirectorios()); // only the refused one is asked again
    EXPECT_EQ(r.Mensajes.size(), 1u);
}

TEST(Directorios, FalloAlCrearTermina) {
    DirectorioTrabajo d;
    Escribe("velkatron.ini", "[config]\r\nfichajes=bloqueo\\sub\r\n");
    Escribe("bloqueo", "un archivo, no un directorio");
    AjustesPrueba() = LeeConfiguracion("velkatron.ini");
    RespuestasPrueba r;
    EXPECT_FALSE(CompruebaDirectorios());
    EXPECT_EQ(r.Mensajes.back().tipo, Dialogos::Tipo::Error);
}

TEST(ArchivoUsuarios, CopiaDelDirectorioDeTrabajoSinSobrescribir) {
    DirectorioTrabajo d;
    AjustesPrueba() = LeeConfiguracion("velkatron.ini");
    CreaDirectorio("datos");
    EXPECT_FALSE(CargaArchivoUsuarios());
    Escribe("rondal.usr", "a\r\nb\r\n");
    EXPECT_TRUE(CargaArchivoUsuarios());
    EXPECT_EQ(Sesion().LineasUsuarios, (std::vector<std::string>{"a", "b"}));
    Escribe("rondal.usr", "otro\r\n");
    EXPECT_TRUE(CargaArchivoUsuarios());
    EXPECT_EQ(Sesion().LineasUsuarios, (std::vector<std::string>{"a", "b"}));
}

TEST(CopiaSeguridad, CarpetaFechadaYSobrescritura) {
    DirectorioTrabajo d;
    AjustesPrueba() = LeeConfiguracion("velkatron.ini");
    CreaDirectorio("datos/sub");
    Escribe("datos/empleados.dat", "1");
    Escribe("datos/horarios.dat", "2");
    std::string destino;
    int n = 0;
    ASSERT_TRUE(CopiaSeguridad(QDate(2026, 3, 7), destino, n));
    EXPECT_EQ(destino, "backup/07-03-2026/");
    EXPECT_EQ(n, 2);
    Escribe("datos/empleados.dat", "nuevo");
    ASSERT_TRUE(CopiaSeguridad(QDate(2026, 3, 7), destino, n));
    EXPECT_EQ(Contenido("backup/07-03-2026/empleados.dat"), "nuevo");
    EXPECT_FALSE(ExisteDirectorio("backup/07-03-2026/sub"));
    Escribe("velkatron.ini", "[config]\r\nbackup=ocupado\r\n");
    Escribe("ocupado", "archivo");
    AjustesPrueba() = LeeConfiguracion("velkatron.ini");
    EXPECT_FALSE(CopiaSeguridad(QDate(2026, 3, 7), destino, n));
}

class VentanaPrincipal : public ::testing::Test {
protected:
    void SetUp() override {
        AjustesPrueba() = LeeConfiguracion("velkatron.ini");
        Sesion().NivelUsuario = 0;
        f = new TMainForm();
    }
    void TearDown() override {
        delete f;
        Sesion().NivelUsuario = 0;
    }
    DirectorioTrabajo d;
    RespuestasPrueba r;
    TMainForm *f = nullptr;
};

TEST_F(VentanaPrincipal, SinArchivoDeUsuariosAvisaYTermina) {
    CreaDirectorio("datos");
    CreaDirectorio("fichajes");
    CreaDirectorio("archivos/presencia");
    CreaDirectorio("archivos/produccion");
    f->FormShow();
    EXPECT_TRUE(f->Terminado());
    ASSERT_EQ(r.Mensajes.size(), 1u);
    EXPECT_NE(r.Mensajes[0].texto.find("rondal.usr"), std::string::npos);
    EXPECT_EQ(Sesion().NivelUsuario, 0);
}

TEST_F(VentanaPrincipal, ArranqueCompletoUnaSolaVez) {
    Escribe("rondal.usr", "x\r\n");
    int logins = 0;
    f->GanchosPrincipal.Login = [&] {
        ++logins;
        Sesion().NivelUsuario = 2;
        return true;
    };
    f->FormShow();
    EXPECT_FALSE(f->Terminado());
    EXPECT_EQ(Sesion().NivelUsuario, 2);
    f->FormShow();
    EXPECT_EQ(logins, 1);
    EXPECT_EQ(f->PPorObra->text(), "Produccion por Obra");
}

TEST_F(VentanaPrincipal, OcultarCuentaAtrasYNegativoNoHaceNada) {
    f->show();
    AjustesPrueba().SegundosOcultar = 2;
    f->Timer1Timer();
    EXPECT_EQ(f->windowTitle(), QString::fromUtf8("El programa se ocultará en 1 segundos"));
    f->Timer1Timer();
    EXPECT_FALSE(f->isVisible());
    f->show();
    AjustesPrueba().SegundosOcultar = -3;
    QString antes = f->windowTitle();
    f->Timer1Timer();
    EXPECT_EQ(f->windowTitle(), antes);
    EXPECT_TRUE(f->isVisible());
}

TEST_F(VentanaPrincipal, RefrescoDePresenciaCadaPeriodo) {
    int llamadas = 0;
    f->GanchosPrincipal.FichasPresentes = [&](int segundos, bool forzado) {
        ++llamadas;
        EXPECT_EQ(segundos, Configuracion().TiempoVentanaFicha);
        EXPECT_FALSE(forzado);
    };
    AjustesPrueba().PeriodoPresencia = 3;
    Sesion().PresenciaActiva = 1;
    f->CuentaPresencia = 3;
    AjustesPrueba().SegundosOcultar = 0;
    for (int i = 0; i < 7; ++i)
        f->Timer1Timer();
    EXPECT_EQ(llamadas, 2);
    AjustesPrueba().PeriodoPresencia = 0;
}

TEST_F(VentanaPrincipal, CerrarTodasDejaLaPrimera) {
    for (int i = 0; i < 3; ++i)
        f->AnadeHija(new QWidget)->show();
    f->cierratoExecute();
    QCoreApplication::processEvents();
    EXPECT_EQ(f->Area()->subWindowList().size(), 1);
    f->cierratoExecute();
    EXPECT_EQ(f->Area()->subWindowList().size(), 1);
}

// A window kept hidden in the frame until its action shows it is not an open child window: the
// "Ventanas" menu does not list it, its arrangements and "Cerrar todas" neither show nor close it,
// and destroying it leaves no empty child window behind.
TEST_F(VentanaPrincipal, VentanaOcultaNoCuentaEntreLasHijas) {
    f->show();
    f->AnadeHija(new QWidget)->show();
    auto *oculta = new QWidget;
    QPointer<QMdiSubWindow> marco = f->AnadeHija(oculta);
    marco->hide();
    RegistraVentana("FormListar", oculta);
    f->AnadeHija(new QWidget)->show();
    QMenu *ventanas = nullptr;
    for (QAction *a : f->menuBar()->actions())
        if (a->text() == "Ventanas")
            ventanas = a->menu();
    ASSERT_TRUE(ventanas);
    Q_EMIT ventanas->aboutToShow();
    EXPECT_EQ(ventanas->actions().size(), 5 + 1 + 2); // arrangements, separator, the two open ones

    f->WindowCascade1->trigger();
    f->WindowTileVertical1->trigger();
    f->WindowMinimizeAll1->trigger();
    f->cierratoExecute();
    QCoreApplication::processEvents();
    ASSERT_TRUE(marco);
    EXPECT_TRUE(marco->isHidden());
    EXPECT_EQ(f->Area()->subWindowList().size(), 2);

    DestruyeVentana("FormListar");
    EXPECT_EQ(Ventana("FormListar"), nullptr);
    EXPECT_EQ(f->Area()->subWindowList().size(), 1);
    EXPECT_FALSE(marco);
}

TEST_F(VentanaPrincipal, MenusYAccionesSinVentanaDesactivadas) {
    QStringList menus;
    for (QAction *a : f->menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, (QStringList{"Archivo", QString::fromUtf8("Configuración"), "Presencia", "Accesos",
                                  QString::fromUtf8("Producción"), QString::fromUtf8("&Edición"), "Ventanas",
                                  "&Ayuda"}));
    EXPECT_EQ(f->Backupdatos1->text(), QString::fromUtf8("Guardar configuración"));
    EXPECT_EQ(f->HelpAbout1->text(), "A cerca de Rondal..");
    EXPECT_FALSE(f->FileSaveAs1->isEnabled());
    EXPECT_FALSE(f->CfgEmpresa->isEnabled()); // no company window in this test
    EXPECT_TRUE(f->Backupdatos1->isEnabled());
}

TEST_F(VentanaPrincipal, ListarPresenciaMuestraLaVentanaConSuTitulo) {
    auto *listar = new QWidget;
    QMdiSubWindow *hija = f->AnadeHija(listar);
    auto *otra = f->AnadeHija(new QWidget);
    f->show();
    hija->showMinimized();
    otra->show();
    RegistraVentana("FormListar", listar);
    f->ActualizaAcciones();
    ModoIncidencias = 1;
    f->ListarPreExecute();
    EXPECT_EQ(hija->windowTitle(), "Incidencias");
    EXPECT_FALSE(hija->isMinimized());
    EXPECT_EQ(f->Area()->activeSubWindow(), hija);
    ModoIncidencias = 0;
    f->ListarPreExecute();
    EXPECT_EQ(listar->windowTitle(), "Presencia");
    RegistraVentana("FormListar", nullptr);
}

TEST_F(VentanaPrincipal, AyudaAbreElArchivoDeAyudaYAvisaSiNoPuede) {
    std::vector<std::string> abiertos;
    for (bool abre : {true, false}) {
        FijaAbridor([&](const std::string &ruta) {
            abiertos.push_back(ruta);
            return abre;
        });
        f->Ayuda->trigger();
    }
    FijaAbridor(nullptr);
    EXPECT_EQ(abiertos, (std::vector<std::string>{"rondal.chm", "rondal.chm"}));
    ASSERT_EQ(r.Mensajes.size(), 1u);
    EXPECT_EQ(r.Mensajes[0].texto, "No se puede abrir la ayuda \"rondal.chm\".");
}

// The by-order action opens the page from yesterday to today, whatever the panel's dates that the
// editor's activation copies.
TEST_F(VentanaPrincipal, ProduccionPorObraAbreDesdeAyer) {
    FijaReloj([] { return QDateTime(QDate(2024, 3, 5), QTime(10, 0)); });
    TFormVelka panel;
    FormVelka = &panel;
    auto *editor = new TFormEdProduccion;
    FormEdProduccion = editor;
    f->AnadeHija(editor)->hide();
    RegistraVentana("FormEdProduccion", editor);
    f->ActualizaAcciones();
    Sesion().NivelUsuario = 1; // logged in: no start-up run
    f->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    for (int vez = 0; vez < 2; ++vez) { // first showing, then from another page
        editor->PageControl1->setCurrentIndex(0);
        f->PPorObra->trigger();
        QTest::qWait(20);
        EXPECT_EQ(editor->PageControl1->currentIndex(), 1);
        EXPECT_EQ(editor->DTP4->date(), QDate(2024, 3, 4)) << vez;
        EXPECT_EQ(editor->DTP3->date(), QDate(2024, 3, 5)) << vez;
        EXPECT_EQ(editor->DTP1->date(), panel.DTP1->date()) << vez; // the by-employee page's, copied
    }
    RegistraVentana("FormEdProduccion", nullptr);
    FijaReloj(nullptr);
}
