// The program's pieces together: the windows created in their order, the start-up and login, the
// master data through the windows, a clocking from a simulated terminal down to the files and the
// panel's listing, and the presence listing of that day.
#include "app/creacion.h"
#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "common/globales.h"
#include "common/presencia.h"
#include "common/registromin.h"
#include "common/sesion.h"
#include "frame/documento.h"
#include "frame/password.h"
#include "frame/previsualizacion.h"
#include "frame/principal.h"
#include "masterdata/empleados.h"
#include "masterdata/horarios.h"
#include "masterdata/ui/empleadosorg.h"
#include "masterdata/ui/empresaorg.h"
#include "masterdata/ui/horariosorg.h"
#include "masterdata/ui/terminalesorg.h"
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "platform/reloj.h"
#include "platform/ui/impresion.h"
#include "platform/ui/ventanas.h"
#include "presence/peticionpresencia.h"
#include "presence/ui/ficharpre.h"
#include "presence/ui/listar.h"
#include "production/ui/edproduccion.h"
#include "support/codigobarras.h"
#include "support/dirtemporal.h"
#include "support/respuestas.h"
#include "support/simulador.h"
#include "terminal/enlace.h"
#include "terminal/guardafichaje.h"
#include "terminal/listadofichajes.h"
#include "terminal/ui/panel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A Wednesday.
const QDate kDia(2026, 1, 14);

const char *const kVentanas[] = {"FormTerminales",   "PWD1",
                                 "AboutBox",         "FormVelka",
                                 "FormEmpresa",      "FormProduccion",
                                 "FormEmpleados",    "FormHorarios",
                                 "FormCIncidencias", "FormEditaIncidencias",
                                 "FormListar",       "FormFichar",
                                 "FormUsuarios",     "PreviewForm",
                                 "FormAccesos",      "FormProducod",
                                 "FormEdProduccion"};

// The source's name may be relative to the build directory: made absolute at start, before a test
// changes the working directory.
const std::string kUsuariosInstalados =
    std::filesystem::absolute(std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() /
                              "instalacion" / "rondal.usr")
        .string();

std::string UsuariosInstalados() {
    return kUsuariosInstalados;
}

// The whole program in a temporary working directory: the windows of CreaVentanas and the first
// showing of the main window with the "admin" login.
class Programa : public ::testing::Test {
protected:
    void SetUp() override {
        FijaReloj([] { return QDateTime(kDia, QTime(17, 0)); });
        Sesion().NivelUsuario = 0;
        Sesion().PresenciaActiva = 0;
        TPWD1::Prueba = [this](TPWD1 &d) {
            ++logins;
            d.CBUsuario->setEditText("admin");
            d.EDClave->setText("admin");
        };
    }
    void TearDown() override {
        delete MainForm; // its children and the frame's windows go with it
        TPWD1::Prueba = nullptr;
        Ganchos::CargaTerminales = nullptr;
        Ganchos::AbreDocumento = nullptr;
        EjecutaListadoPresencia = nullptr;
        Sesion().NivelUsuario = 0;
        Sesion().PresenciaActiva = 0;
        Sesion().ListaUsuarios.clear();
        Sesion().LineasUsuarios.clear();
        for (int k = 0; k <= PlazasPresencia; ++k)
            TablaPresencia[k] = TablaPresenciaLeida[k] = TRegistroPresencia{};
        AjustesPrueba().PuertoTcpBase = 10000;
        OlvidaParciales();
        FijaReloj(nullptr);
    }
    // Creates the windows and runs the first showing of the main window.
    void Arranca() {
        CreaVentanas();
        ASSERT_TRUE(MainForm);
        ASSERT_TRUE(ExisteArchivo("rondal.usr") || CopiaArchivo(UsuariosInstalados(), "rondal.usr", false));
        MainForm->FormShow();
        ASSERT_FALSE(MainForm->Terminado());
        ASSERT_EQ(Sesion().NivelUsuario, 1);
    }

    // Terminal 7 on Ethernet served by the simulator, named in "terminales.dat" and in the settings
    // before the windows are created.
    void ConTerminal() {
        const int base = BuscaBaseLibre({7});
        ASSERT_NE(base, 0);
        servidor = std::make_unique<ServidorTerminal>(terminal, static_cast<quint16>(base + 7));
        ASSERT_TRUE(servidor->Escuchando());
        Escribe("velkatron.ini", "[config]\r\ntcpport=" + std::to_string(base) + "\r\n");
        ASSERT_TRUE(CreaDirectorio("datos"));
        Escribe("datos/terminales.dat",
                "Tipo\r\nDireccion\r\nDescripcion\r\nPermitidos\r\nDenegados\r\nModo\r\n"
                "Ethernet\r\n127.0.0.1:7\r\nEntrada\r\n\r\n\r\nTodo\r\n");
    }
    // The terminal delivers one clocking of "12 Ana" at hh:mm of kDia; true once acknowledged.
    bool Ficha(int hh, int mm) {
        const int antes = terminal.Acks;
        terminal.Pendientes.push_back(RegistroFichaje(7, QDateTime(kDia, QTime(hh, mm)), "12 Ana"));
        terminal.Anuncia();
        return MotorEnlace::EsperaHasta(
            [&] { return terminal.Acks == antes + 1 && terminal.Pendientes.empty(); });
    }

    // "Listar" of the presence selection window (brought up by "Listar presencia") for "12 Ana"
    // over kDia: the lines of the one document it opens.
    std::vector<std::string> ListaPresencia() {
        FormVelka->DTP1->setDate(kDia);
        FormVelka->DTP2->setDate(kDia);
        MainForm->ListarPre->trigger();
        TFormListar &l = *FormListar;
        EXPECT_EQ(l.windowTitle(), "Presencia");
        l.FormActivate(); // the frame is not on screen: its activation is not seen
        const auto encontrados = l.LB1->findItems("12 Ana", Qt::MatchExactly);
        if (encontrados.size() != 1) {
            ADD_FAILURE() << "12 Ana is not listed";
            return {};
        }
        l.LB1->setCurrentItem(encontrados[0]);
        encontrados[0]->setSelected(true);
        l.SpeedButton1Click();
        EXPECT_EQ(TFormSeleccion::Elementos(l.LB2), std::vector<std::string>{"12 Ana"});
        l.RadioButton1->setChecked(true);
        l.CheckIncidencias->setChecked(false);
        const auto antes = MainForm->Area()->subWindowList();
        l.Button1Click();
        std::vector<TMDIChild *> nuevos;
        for (QMdiSubWindow *s : MainForm->Area()->subWindowList())
            if (auto *doc = qobject_cast<TMDIChild *>(s->widget()); doc && !antes.contains(s))
                nuevos.push_back(doc);
        if (nuevos.size() != 1) {
            ADD_FAILURE() << nuevos.size() << " documents";
            return {};
        }
        TMDIChild &doc = *nuevos[0];
        EXPECT_EQ(doc.NombreArchivo.rfind(Configuracion().DirArchivosPres, 0), 0u) << doc.NombreArchivo;
        EXPECT_FALSE(ExisteArchivo(doc.NombreArchivo)); // written only by "Guardar"
        std::vector<std::string> lineas;
        const std::string texto = deQ(doc.Memo1()->toPlainText());
        for (size_t a = 0, b; a <= texto.size(); a = b + 1) {
            b = texto.find('\n', a);
            if (b == std::string::npos)
                b = texto.size();
            lineas.push_back(texto.substr(a, b - a));
        }
        return lineas;
    }
    static std::string Une(const std::vector<std::string> &lineas) {
        std::string t;
        for (const std::string &l : lineas)
            t += l + "\n";
        return t;
    }

    DirectorioTrabajo dir;
    RespuestasPrueba respuestas;
    int logins = 0;
    TerminalSimulado terminal{7};
    std::unique_ptr<ServidorTerminal> servidor;
};

// ---- master data through the windows ----

// "12 Ana" from the company's user list into the company tree, saved.
void AltaEnEmpresa() {
    TRegistroMin r;
    r.FijaTexto("12", "Ana");
    ASSERT_TRUE(CreaDirectorio(Configuracion().DirHuellas));
    ASSERT_TRUE(EscribeListaMin(Configuracion().DirHuellas + "empresa.min", {r}));
    TFormEmpresa &f = *FormEmpresa;
    f.FormActivate();
    ASSERT_EQ(f.LB1->count(), 1);
    f.TV1->clearSelection();
    f.NGrupoClick(); // the company
    ASSERT_EQ(f.TV1->topLevelItemCount(), 1);
    f.TV1->topLevelItem(0)->setSelected(true);
    f.NGrupoClick(); // a group
    QTreeWidgetItem *grupo = f.TV1->topLevelItem(0)->child(0);
    ASSERT_TRUE(grupo);
    f.TV1->clearSelection();
    grupo->setSelected(true);
    f.NGrupoClick(); // the employee's node
    QTreeWidgetItem *nodo = grupo->child(0);
    ASSERT_TRUE(nodo);
    f.TV1->clearSelection();
    nodo->setSelected(true);
    f.LB1->setCurrentRow(0);
    f.LB1DblClick();
    EXPECT_EQ(nodo->text(0), "12 Ana");
    ASSERT_TRUE(f.botonrecClick());
}

// Hour type 2 "Fuera" (not counted) and schedule 1 "Normal": 08:00-16:00 of hour type 1.
void AltaHorario() {
    TFormHorarios &f = *FormHorarios;
    f.SpeedButton8Click();
    const int t = f.SG3.RowCount() - 1;
    ASSERT_EQ(t, 3);
    f.SG3.SetFila(t, {"Fuera", "0", "1", "0"});
    ASSERT_TRUE(f.SpeedButton5Click());
    f.SpeedButton1Click();
    const int j = f.SG1.RowCount() - 1;
    f.SG1.SetCelda(0, j, "1");
    f.SG1.SetCelda(1, j, "Normal");
    auto tramo = [&f](int hasta, int tipo) {
        f.DT2->setTime(QTime(hasta / 60, hasta % 60));
        f.CB1->setCurrentIndex(tipo);
        f.Button1Click();
    };
    tramo(8 * 60, 2);
    tramo(16 * 60, 1);
    tramo(0, 2);
    ASSERT_TRUE(f.botonrecClick());
}

// Calendar 1 giving schedule 1 on kDia, and the employee on it, saved by the employees window.
void AltaCalendarioYEmpleado() {
    ASSERT_TRUE(GuardaCalendarios(Configuracion().DirDatos + "calendarios.dat", {{"1", "2026", "Oficina"}}));
    TDiasCalendario dias = DiasVacios();
    dias[static_cast<size_t>(IndiceDia(kDia))] = 1;
    ASSERT_TRUE(GuardaDiasCalendario(Configuracion().DirDatos + NombreDiasCalendario(2026, 1), dias));
    TFormEmpleados &f = *FormEmpleados;
    f.FormCreate();
    ASSERT_EQ(f.SG1.RowCount(), 2);
    EXPECT_EQ(f.SG1.Celda(0, 1), "12 Ana");
    f.Edit1->setText("Ruiz");
    ASSERT_GE(f.CB1->findText("1 Oficina"), 0);
    f.CB1->setCurrentText("1 Oficina");
    ASSERT_TRUE(f.BGuarClick());
}

void DatosMaestros() {
    AltaEnEmpresa();
    AltaHorario();
    AltaCalendarioYEmpleado();
}

} // namespace

TEST_F(Programa, VentanasArranqueYEntrada) {
    Arranca();
    for (const char *v : kVentanas)
        EXPECT_NE(Ventana(v), nullptr) << v;
    EXPECT_EQ(Ventana("FormTerminales"), FormTerminales.data());
    EXPECT_EQ(Ventana("FormVelka"), FormVelka.data());
    EXPECT_EQ(logins, 1);
    // The four directories of the start-up and the production data of level 1, nothing else.
    ASSERT_EQ(respuestas.Mensajes.size(), 5u);
    EXPECT_EQ(respuestas.Mensajes[4].titulo, "No existe el directorio produccion\\");
    for (const MensajeVisto &m : respuestas.Mensajes)
        EXPECT_TRUE(m.siNo) << m.texto;
    EXPECT_EQ(Sesion().PresenciaActiva, 1);
    EXPECT_TRUE(ExisteArchivo("velkatron.ini"));
    const std::string ini = Contenido("velkatron.ini");
    EXPECT_NE(ini.find("[config]"), std::string::npos);
    EXPECT_NE(ini.find("datos=datos\\"), std::string::npos);
    EXPECT_NE(ini.find("fichajes=fichajes\\"), std::string::npos);
    for (const char *d : {"datos", "fichajes", "archivos/presencia", "archivos/produccion", "produccion"})
        EXPECT_TRUE(ExisteDirectorio(d)) << d;
    EXPECT_EQ(Contenido("datos/rondal.usr"), Contenido(UsuariosInstalados()));
    for (QAction *a :
         {MainForm->CfgEmpresa, MainForm->CfgEmpleados, MainForm->CfgHorarios, MainForm->CfgIncidencias,
          MainForm->CfgProd, MainForm->cfgTerminales, MainForm->ListarPre, MainForm->Incidencias,
          MainForm->Fichar1, MainForm->ListaAccesos, MainForm->HelpAbout1, MainForm->Presentes1,
          MainForm->FileOpen1, MainForm->OrdenTrabajo, MainForm->PPorObra, MainForm->PPorTio})
        EXPECT_TRUE(a->isEnabled()) << deQ(a->text());
}

TEST_F(Programa, DatosMaestrosPorLasVentanas) {
    Arranca();
    DatosMaestros();
    EXPECT_EQ(Contenido("datos/empresa.org"), Sesion().NombreEmpresa + "\r\n\tNUEVO\r\n\t\t12 Ana\r\n");
    EXPECT_EQ(Contenido("datos/horarios.def"),
              "Cortesia\r\n0\r\n0\r\n0\r\nPresencia\r\n0\r\n0\r\n65280\r\nFuera\r\n0\r\n1\r\n0\r\n");
    EXPECT_EQ(Contenido("datos/horarios.dat"),
              "0\r\nFestivo\r\n 1440 5\r\n1\r\nNormal\r\n 480 2 480 1 480 2\r\n");
    EXPECT_EQ(Contenido("datos/calendarios.dat"), "1\r\n2026\r\nOficina\r\n");
    const std::string mapa = Contenido("datos/H2026.001");
    ASSERT_EQ(mapa.size(), 366u);
    EXPECT_EQ(mapa[13], '\x01');
    EXPECT_EQ(mapa[12], '\xff');
    const std::string empleados = Contenido("datos/empleados.dat");
    EXPECT_EQ(empleados.substr(0, 14), "12 Ana\r\nRuiz\r\n");
    std::vector<std::string> lineas;
    ASSERT_TRUE(LeeLineas("datos/empleados.dat", lineas));
    ASSERT_EQ(lineas.size(), static_cast<size_t>(LineasPorEmpleado));
    EXPECT_EQ(lineas[ColCalendario], "1 Oficina");
}

namespace {
const std::string kLineaEntrada =
    "007-12 0 12 Ana" + std::string(26, ' ') + std::string(10, ' ') + "14/01/2026 08:00\r\n";
const std::string kLineaSalida =
    "007-12 0 12 Ana" + std::string(26, ' ') + std::string(10, ' ') + "14/01/2026 16:00\r\n";
} // namespace

TEST_F(Programa, FichajeDelTerminalHastaElListadoDelPanel) {
    ConTerminal();
    Arranca();
    ASSERT_TRUE(FormVelka);
    ASSERT_EQ(FormVelka->CLBTerminales->count(), 1);
    ASSERT_TRUE(MotorEnlace::EsperaHasta([&] { return servidor->Conectado(); }));
    DatosMaestros();
    ASSERT_EQ(FormEmpleados->SG1.Celda(0, 1), "12 Ana");

    ASSERT_TRUE(Ficha(8, 0));
    EXPECT_EQ(Contenido("fichajes/140126.007"), kLineaEntrada);
    EXPECT_EQ(TablaPresenciaLeida[1].Presente, 1);
    EXPECT_EQ(TablaPresenciaLeida[1].HoraEntrada, 8);
    std::string presentes = Contenido("fichajes/presentes");
    ASSERT_EQ(presentes.size(), static_cast<size_t>(BytesPresentes));
    EXPECT_EQ(presentes.substr(0, BytesRegistroPresencia), BytesDeTabla(TablaPresenciaLeida).substr(0, 16));

    ASSERT_TRUE(Ficha(16, 0));
    EXPECT_EQ(Contenido("fichajes/140126.007"), kLineaEntrada + kLineaSalida);
    EXPECT_EQ(Contenido("fichajes/historico"),
              RegistroFichaje(7, QDateTime(kDia, QTime(8, 0)), "12 Ana") +
                  RegistroFichaje(7, QDateTime(kDia, QTime(16, 0)), "12 Ana"));
    EXPECT_EQ(TablaPresenciaLeida[1].Presente, 0);
    EXPECT_EQ(TablaPresenciaLeida[1].HoraSalida, 16);
    presentes = Contenido("fichajes/presentes");
    EXPECT_EQ(presentes, BytesDeTabla(TablaPresenciaLeida));
    EXPECT_EQ(terminal.Naks, 0);

    // The panel's listing of the day.
    FormVelka->DTP1->setDate(kDia);
    FormVelka->DTP2->setDate(kDia);
    FormVelka->RadioButton2->setChecked(true);
    FormVelka->RadioButton3->setChecked(true);
    FormVelka->RadioButton3Click();
    FormVelka->EDBusca->setText("12 ");
    FormVelka->BListarClick();
    const StringGrid &g = FormVelka->SGFichajes;
    const TColumnasFichajes &k = FormVelka->UltimoListado.Columnas;
    std::vector<std::string> horas;
    for (int f = 1; f < g.RowCount(); ++f)
        if (!g.Celda(k.Hora, f).empty())
            horas.push_back(g.Celda(k.Hora, f) + ":" + g.Celda(k.Minuto, f) + " " + g.Celda(k.Codigo, f) +
                            " " + g.Celda(k.Terminal, f));
    EXPECT_EQ(horas, (std::vector<std::string>{"08:00 12 007", "16:00 12 007"}));
}

TEST_F(Programa, ListadoDePresenciaDelDia) {
    ConTerminal();
    Arranca();
    ASSERT_TRUE(MotorEnlace::EsperaHasta([&] { return servidor->Conectado(); }));
    DatosMaestros();
    ASSERT_TRUE(Ficha(8, 0));
    ASSERT_TRUE(Ficha(16, 0));

    const std::vector<std::string> lineas = ListaPresencia();
    const std::string texto = Une(lineas);
    auto contiene = [&lineas](const std::string &l) {
        return std::find(lineas.begin(), lineas.end(), l) != lineas.end();
    };
    EXPECT_TRUE(contiene("14/01/2026 mi\xe9\t08:00\t16:00\t")) << texto;
    // Theoretical, worked, day balance, running balance, presence.
    EXPECT_TRUE(contiene("\t\t08:00\t08:00\t+0:00\t+0:00\t08:00\t")) << texto;
    // The totals: theoretical, worked, balance, presence.
    EXPECT_TRUE(contiene("\t\t8:00\t\t8:00\t\t+0:00\t\t8:00\t")) << texto;
    // Beyond the start-up's directory questions nothing was shown.
    for (const MensajeVisto &m : respuestas.Mensajes)
        EXPECT_TRUE(m.siNo) << m.texto;
}

namespace {
// "Fichar presencia" from the main window: 12 Ana at 08:00 and 16:00 of kDia.
void FicharAMano() {
    QTimer::singleShot(0, [] {
        TFormFichar &f = *FormFichar;
        f.DT1->setDate(kDia);
        f.CB1->setCurrentIndex(f.CB1->findText("12 Ana"));
        for (int h : {8, 16}) {
            f.DT2->setTime(QTime(h, 0));
            f.SpeedButton1Click();
        }
        f.reject();
    });
    MainForm->Fichar1->trigger();
}
} // namespace

TEST_F(Programa, FichajesManualesHastaElListadoDePresencia) {
    auto unaVez = [](const std::vector<std::string> &lineas) {
        auto cuenta = [&lineas](const std::string &l) { return std::count(lineas.begin(), lineas.end(), l); };
        EXPECT_EQ(cuenta("14/01/2026 mi\xe9\t08:00\t16:00\t"), 1) << Une(lineas);
        EXPECT_EQ(cuenta("\t\t08:00\t08:00\t+0:00\t+0:00\t08:00\t"), 1) << Une(lineas);
    };
    Arranca();
    DatosMaestros();
    FicharAMano();
    // "Listar Incidencias" cancelled leaves no incidences mode for "Listar presencia".
    MainForm->ToolButton19->trigger();
    FormListar->Button2Click();
    unaVez(ListaPresencia());

    // Started again with a terminal 0, whose day files are the manual clockings' own.
    TearDown();
    SetUp();
    const int base = BuscaBaseLibre({0});
    Escribe("velkatron.ini", "[config]\r\ntcpport=" + std::to_string(base) + "\r\n");
    Escribe("datos/terminales.dat", "Tipo\r\nDireccion\r\nDescripcion\r\nPermitidos\r\nDenegados\r\nModo\r\n"
                                    "Ethernet\r\n127.0.0.1:0\r\nOficina\r\n\r\n\r\nTodo\r\n");
    Arranca();
    ASSERT_EQ(FormVelka->CLBTerminales->count(), 1);
    unaVez(ListaPresencia());
    for (const MensajeVisto &m : respuestas.Mensajes)
        EXPECT_TRUE(m.siNo) << m.texto;
}

// A work order composed from the production menu, saved, and printed from the by-order page to a
// PDF whose bar codes a real reader reads back in order.
TEST_F(Programa, OrdenDeTrabajoDelMenuALaHojaImpresa) {
    if (!HayZbar() || !HayPdfToPpm())
        GTEST_SKIP() << "zbarimg o pdftoppm no instalados";
    Arranca();
    Escribe("datos/produccion.org",
            "Mesa$4\r\n\tPata\r\n\t\tCortar\r\n\t\tLijar\r\n\tTablero\r\n\t\tPintar\r\n");
    ASSERT_TRUE(Configuracion().ArchivoIni->WriteString("Produccion", "NumeroDeCarpeta", "7"));
    MainForm->OrdenTrabajo->trigger();
    TFormEdProduccion &f = *FormEdProduccion;
    EXPECT_EQ(f.PageControl1->currentIndex(), 0);
    f.FormActivate(); // the frame is not on screen: its activation is not seen
    QTreeWidgetItem *mesa = f.TV1->topLevelItem(0);
    ASSERT_TRUE(mesa);
    for (QTreeWidgetItem *i : {mesa, mesa->child(0), mesa->child(1)}) {
        f.TV1->setCurrentItem(i);
        f.SpeedButton1Click();
    }
    f.LE2->setText("Mesa roble");
    ASSERT_TRUE(f.botonrecClick());
    ASSERT_TRUE(ExisteArchivo("produccion/2026_0001.Mesa"));

    MainForm->PPorObra->trigger();
    EXPECT_EQ(f.PageControl1->currentIndex(), 1);
    f.BProdObraClick();
    f.SG2SelectCell(1, 1);
    QPrinter &impresora = Impresora();
    impresora.setOutputFormat(QPrinter::PdfFormat);
    impresora.setOutputFileName(QString::fromStdString(dir.Archivo("orden.pdf")));
    const auto antes = MainForm->Area()->subWindowList();
    f.ImprimeOrden(true);
    TMDIChild *hoja = nullptr;
    for (QMdiSubWindow *s : MainForm->Area()->subWindowList())
        if (auto *doc = qobject_cast<TMDIChild *>(s->widget()); doc && !antes.contains(s))
            hoja = doc;
    ASSERT_TRUE(hoja);
    EXPECT_TRUE(hoja->windowTitle().startsWith("2026_0001.Mesa\t"));
    TPreviewForm::Respuesta = [](TPreviewForm &p) { p.SpeedButton3->click(); };
    hoja->ImprimirExecute();
    TPreviewForm::Respuesta = nullptr;
    impresora.setOutputFileName(QString());
    EXPECT_EQ(LeeCodigosBarrasPdf(dir.Archivo("orden.pdf")),
              (std::vector<std::string>{"CODE-39:00010001", "CODE-39:00010002", "CODE-39:00010000"}));
}
