// The control panel over the links: its creation and its console.
#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "common/globales.h"
#include "masterdata/ui/terminalesorg.h"
#include "support/respuestas.h"
#include "terminal/enlacesprueba.h"
#include "terminal/ui/panel.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST_F(Simulador, CreacionDelPanelAbreElPuertoYArrancaLaRadio) {
    LineaSimulada linea(true);
    Escribe(dir.Archivo("velkatron.ini"),
            "[config]\r\nconexion=ondarelay\r\ncoordinador=BA000000\r\ncanal=3\r\n"
            "Puerto=" +
                linea.RutaEsclavo() + "\r\ndatos=" + dir.Ruta() + "/\r\n");
    Escribe(dir.Archivo("terminales.dat"), "Tipo\r\nDir\r\nDesc\r\nPerm\r\nDeneg\r\nModo\r\n"
                                           "OndaRelay\r\nBA000007\r\nNave 1\r\n\r\n\r\nTodo\r\n"
                                           "OndaRelay\r\nBA000012\r\nNave 2\r\n\r\n\r\nAccesos\r\n");
    RespuestasPrueba respuestas;
    FormTerminales = new TFormTerminales();
    AjustesPrueba() = LeeConfiguracion(); // as the program reads it before the panel
    auto panel = std::make_unique<TFormVelka>();
    // The start frame goes to the last radio row once the port is open, with no address prefix;
    // then the first terminal of the list is selected.
    EXPECT_TRUE(espera([&] { return !linea.TramasInicio.empty(); }));
    EXPECT_EQ(linea.Recibido, QByteArray("\x01IBA000000390000001\x04"));
    EXPECT_EQ(panel->CLBTerminales->count(), 2);
    EXPECT_EQ(panel->CLBTerminales->currentRow(), 0);
    EXPECT_EQ(std::string(panel->Enlaces.CabeceraComando), "\x05"
                                                           "07");
    EXPECT_TRUE(panel->Timer3->isActive());
    panel.reset();
    delete FormTerminales;
}

// ---- the panel's console ----

// The links under test are the panel's, driven by its timers and the test's.
class Consola : public Simulador {
protected:
    void SetUp() override {
        Simulador::SetUp();
        AjustesPrueba() = LeeConfiguracion(); // as the program reads it before the panel
        panel = std::make_unique<TFormVelka>();
        enlaces = &panel->Enlaces;
        motor.Conduce(panel->Enlaces);
        CapturaRecepcion(panel->Enlaces.Entorno, consola, guardados);
    }
    void TearDown() override {
        enlaces = &propios;
        motor.Conduce(propios);
        panel.reset();
        Simulador::TearDown();
    }
    void teclea(const std::string &s) {
        for (char c : s)
            panel->visorKeyPress(c);
    }
    RespuestasPrueba respuestas;
    std::unique_ptr<TFormVelka> panel;
};

TEST_F(Consola, LineaVaAlTerminalSeleccionadoConSuCabecera) {
    TerminalSimulado t3(3), t4(4);
    std::unique_ptr<ServidorTerminal> s3, s4;
    dosEthernet(t3, t4, s3, s4, [this] { panel->CargaTerminales(g); });
    panel->CLBTerminales->setCurrentRow(1);
    panel->CLBTerminalesDblClick();
    // Terminal 3 announces: the machine talks to 3, the operator's line still goes to 4.
    t3.Pendientes.push_back(registros(3, 1)[0]);
    t3.Anuncia();
    ASSERT_TRUE(espera([&] { return t3.Pendientes.empty(); }));
    teclea("l");
    panel->visorKeyPress(0x08);
    panel->visorKeyPress(0x08); // backspace on an empty line keeps it empty
    teclea("ls\r");
    ASSERT_TRUE(espera([&] { return !t4.Comandos.empty(); }));
    EXPECT_EQ(t4.Comandos.back(), "ls\r");
    EXPECT_EQ(s4->Recibido.right(6), QByteArray("\x05"
                                                "04ls\r"));
    EXPECT_EQ(s3->Recibido.count("ls"), 0);
    EXPECT_EQ(panel->PageControl1->currentWidget(), panel->TS2);
    EXPECT_EQ(panel->Edit3->findText("ls"), 0); // history
    // "m" typed: the clocking the terminal sends in reply is received and stored.
    t4.Pendientes.push_back(registros(4, 1)[0]);
    teclea("m\r");
    ASSERT_TRUE(espera([&] { return t4.Pendientes.empty(); }));
    EXPECT_EQ(guardados.back(), registros(4, 1)[0]);
}

TEST_F(Consola, RecibirEnviaLaLineaLComoTecleada) {
    TerminalSimulado t3(3), t4(4);
    std::unique_ptr<ServidorTerminal> s3, s4;
    dosEthernet(t3, t4, s3, s4, [this] { panel->CargaTerminales(g); });
    panel->CLBTerminales->setCurrentRow(1);
    panel->CLBTerminalesDblClick();
    teclea("xy"); // a line being typed gives way
    panel->BitBtn6->click();
    ASSERT_TRUE(espera([&] { return !t4.Comandos.empty(); }));
    EXPECT_EQ(t4.Comandos.back(), "l\r");
    EXPECT_TRUE(t3.Comandos.empty());
    EXPECT_GE(panel->Edit3->findText("l"), 0);
    EXPECT_LT(panel->Edit3->findText("xy"), 0);
    EXPECT_EQ(panel->PageControl1->currentWidget(), panel->TS2);
}

TEST_F(Consola, SubidaCalladaReintentaYAbandonaSinNakFinal) {
    AjustesPrueba().TiempoRespuesta = 3;
    AjustesPrueba().NumReintentos = 2;
    AjustesPrueba().DirHuellas = dir.Ruta() + "/";
    TerminalSimulado t(5);
    std::unique_ptr<ServidorTerminal> s;
    ethernet(t, s);
    s->Recibido.clear();
    t.Silencio = true;
    t.SubeLista({RegistroLista("1", "A", 1, 255)});
    ASSERT_TRUE(espera([&] { return t.Naks == 1; }));
    EXPECT_EQ(s->Recibido, QByteArray("\x06\x08"));
    t.Salida("0"); // half a pair: the countdown starts again
    ASSERT_TRUE(espera([&] { return consola.find("ERROR DE COMUNICACION") != std::string::npos; }));
    espera([] { return false; }, 100);
    EXPECT_EQ(s->Recibido, QByteArray("\x06\x08"));
    EXPECT_EQ(enlaces->RecepcionDeFila(1).EstadoRecepcion, TEstadoRecepcion::Reposo);
}

TEST_F(Consola, VisorPierdeSuPrimeraLineaPasadasDoscientas) {
    // Lines already in the console, and the first one it shows after one more trace.
    for (const auto &[lineas, primera] : {std::pair{200, "linea 0\n"}, std::pair{201, "linea 1\n"}}) {
        panel->visorDblClick();
        for (int i = 0; i < lineas; ++i)
            panel->MuestraTraza("linea " + std::to_string(i) + "\r\n");
        panel->MuestraTraza("otra");
        const QString texto = panel->visor->toPlainText();
        EXPECT_TRUE(texto.startsWith(primera)) << lineas;
        EXPECT_TRUE(texto.endsWith(QString("linea %1\notra").arg(lineas - 1))) << lineas;
    }
}

TEST_F(Consola, VisorSinDeshacerYAcotado) {
    EXPECT_FALSE(panel->visor->isUndoRedoEnabled());
    for (int i = 0; i < 400; ++i)
        panel->MuestraTraza("\r\n007 Jue 14/01/2026 08:00:00 000 " + std::to_string(i) + "\r\n");
    EXPECT_LE(panel->visor->document()->blockCount(), TFormVelka::MaxLineasVisor);
    EXPECT_EQ(panel->visor->document()->availableUndoSteps(), 0);
    EXPECT_TRUE(panel->visor->toPlainText().endsWith(" 399\n"));
}

// The panel alone (no test driver) serves a serial and an Ethernet terminal at once, and its
// 1 ms timer rests when the links have nothing to do.
TEST_F(Consola, PanelSoloAtiendeEnSeguidaYReposaSinTrabajo) {
    motor.Para();
    LineaSimulada linea;
    TerminalSimulado ts(1), te(4);
    linea.Agrega(ts);
    const int base = BuscaBaseLibre({te.Numero});
    ASSERT_NE(base, 0);
    AjustesPrueba().PuertoTcpBase = base;
    ServidorTerminal servidor(te, static_cast<quint16>(base + te.Numero));
    g.SetRowCount(3);
    g.Cells[0][1] = "Serie";
    g.Cells[1][1] = "1";
    g.Cells[0][2] = "Ethernet";
    g.Cells[1][2] = "127.0.0.1:4";
    panel->CargaTerminales(g);
    ASSERT_TRUE(enlaces->AbrePuertoSerie(linea.RutaEsclavo()));
    ASSERT_TRUE(espera([&] { return te.Saludos == 1; }));
    for (TerminalSimulado *t : {&ts, &te}) {
        const auto r = registros(t->Numero, 30);
        t->Pendientes.assign(r.begin(), r.end());
        QElapsedTimer reloj;
        reloj.start();
        t->Anuncia();
        ASSERT_TRUE(espera([&] { return t->Pendientes.empty(); }));
        EXPECT_LT(reloj.elapsed(), 1000) << t->Numero; // a read per resting tick would take seconds
    }
    EXPECT_EQ(guardados.size(), 60u);

    int ticks = 0;
    QObject::connect(panel->Timer1, &QTimer::timeout, [&] { ++ticks; });
    espera([] { return false; }, 500);
    EXPECT_LT(ticks, 20); // every millisecond it would be hundreds
}

// The panel alone: its timers tick only while something counts or waits. At rest Timer2 stands
// and Timer1 ticks on the second, for the clock; the clocks being set, an upload awaited against
// its time-out and a reconnection countdown each wake them, and they rest again once it is over.
TEST_F(Consola, TimersSoloMientrasAlgoCuentaOEspera) {
    motor.Para();
    relojManual(); // reconnection seconds pass when the test says
    FijaReloj([] { return QDateTime(QDate(2026, 1, 14), QTime(8, 0)); });
    AjustesPrueba().TiempoRespuesta = 3;
    AjustesPrueba().NumReintentos = 2;
    AjustesPrueba().DirHuellas = dir.Ruta() + "/";
    TerminalSimulado t3(3), t4(4);
    std::unique_ptr<ServidorTerminal> s3, s4;
    dosEthernet(t3, t4, s3, s4, [this] { panel->CargaTerminales(g); });
    const auto reposa = [&] { return !panel->Timer2->isActive() && panel->Timer1->interval() == 1000; };
    ASSERT_TRUE(espera(reposa));
    int ticks1 = 0, ticks2 = 0;
    QObject::connect(panel->Timer1, &QTimer::timeout, [&] { ++ticks1; });
    QObject::connect(panel->Timer2, &QTimer::timeout, [&] { ++ticks2; });
    espera([] { return false; }, 1500);
    EXPECT_LE(ticks1, 2);
    EXPECT_EQ(ticks2, 0);

    struct Caso {
        const char *nombre;
        std::function<void()> inicia;
        std::function<bool()> despierto, fin;
    };
    const Caso casos[] = {
        {"clocks", [&] { panel->BFechaHora->click(); }, [&] { return panel->Timer1->interval() == 1; },
         [&] { return panel->visor->toPlainText().endsWith("Fecha y hora actualizada\n"); }},
        {"upload gone silent", // its records awaited against the time-out, then a NAK
         [&] {
             t4.Silencio = true;
             t4.SubeLista({RegistroLista("1", "A", 1, 255)});
         },
         [&] { return panel->Timer2->isActive(); }, [&] { return t4.Naks == 1; }},
        {"reconnection", // 300 ms into the count's second: Timer1 wakes when the step falls due
         [&] {
             ms = 300;
             s4->CortaConexion();
         },
         [&] { return enlaces->TablaReconexion[2] == 5 && panel->Timer1->interval() == 700; },
         [&] {
             pasanSegundos(1);
             return t4.Saludos == 2;
         }},
    };
    for (const Caso &c : casos) {
        c.inicia();
        EXPECT_TRUE(espera(c.despierto)) << c.nombre;
        EXPECT_TRUE(espera(c.fin)) << c.nombre;
        EXPECT_TRUE(espera(reposa, 2000)) << c.nombre;
    }
    FijaReloj(nullptr);
}

// A terminal that cannot be reached: its reconnection countdown steps on time, once a second, and
// the panel wakes for those steps and for its clock, not every millisecond.
TEST_F(Consola, CuentaDeReconexionDespiertaAlPanelSoloCadaSegundo) {
    motor.Para();
    AjustesPrueba().PuertoTcpBase = BuscaBaseLibre({5}); // nobody listens there
    g.SetRowCount(2);
    g.Cells[0][1] = "Ethernet";
    g.Cells[1][1] = "127.0.0.1:5";
    panel->CargaTerminales(g);
    ASSERT_TRUE(espera([this] { return enlaces->TablaReconexion[1] == 5; }));
    int despertares = 0;
    std::vector<qint64> pasos; // when the countdown stepped
    QObject::connect(panel->Timer1, &QTimer::timeout, [&] {
        ++despertares;
        if (enlaces->TablaReconexion[1] != 5 - pasos.size())
            pasos.push_back(MilisegundosMonotonos());
    });
    espera([&] { return pasos.size() == 3; }, 4000);
    ASSERT_EQ(pasos.size(), 3u);
    for (size_t i = 1; i < pasos.size(); ++i)
        EXPECT_LT(pasos[i] - pasos[i - 1], 1100) << i;
    EXPECT_LT(despertares, 12); // about two a second
}

TEST_F(Consola, LineaDeConsolaNoDesborda) {
    teclea(std::string(5000, 'x'));
    EXPECT_EQ(panel->LineaConsola.size(), static_cast<size_t>(TFormVelka::MaxLineaConsola));
}

TEST_F(Consola, CuentaSegundosBajaCadaCienTicks) {
    panel->Timer2->stop();
    TEntornoRecepcion &e = panel->Enlaces.Entorno;
    e.CuentaSegundos = 5;
    e.SubcuentaSegundos = 100;
    int ticks = 0;
    while (e.CuentaSegundos != 0 && ticks < 1000) {
        panel->Timer2Timer();
        ++ticks;
    }
    EXPECT_EQ(ticks, 501);
}

// A terminal item in three lines from 40 pixels in: the text up to its first blank after
// position 3, the rest, the state; an unchecked one in silver.
TEST_F(Consola, TerminalEnTresLineasYSinMarcaEnPlata) {
    g.SetRowCount(3);
    for (int r : {1, 2}) {
        g.Cells[0][r] = "Serie";
        g.Cells[1][r] = std::to_string(8 + r);
        g.Cells[2][r] = "Nave " + std::to_string(r);
    }
    panel->CargaTerminales(g);
    QListWidget *lista = panel->CLBTerminales;
    ASSERT_EQ(lista->count(), 2);
    lista->item(0)->setCheckState(Qt::Checked);
    lista->item(1)->setCheckState(Qt::Unchecked);
    lista->clearSelection();
    lista->setParent(nullptr); // alone, at a size that shows both items whole
    lista->resize(300, 150);
    lista->show();
    QCoreApplication::processEvents();
    QImage img(lista->viewport()->size(), QImage::Format_RGB32);
    lista->viewport()->render(&img);
    const QColor plata(192, 192, 192), texto = lista->palette().color(QPalette::Text);
    auto cuenta = [&](int fila, int y, const QColor &c) {
        const QRect r = lista->visualItemRect(lista->item(fila));
        int n = 0;
        for (int yy = r.top() + y; yy < r.top() + y + 15; ++yy)
            for (int x = r.left() + 40; x < r.right(); ++x)
                n += QColor(img.pixel(x, yy)) == c;
        return n;
    };
    EXPECT_EQ(lista->visualItemRect(lista->item(0)).height(), 48);
    for (int y : {3, 18}) {
        EXPECT_GT(cuenta(0, y, texto), 0) << y;
        EXPECT_EQ(cuenta(0, y, plata), 0) << y;
        EXPECT_GT(cuenta(1, y, plata), 0) << y;
        EXPECT_EQ(cuenta(1, y, texto), 0) << y;
    }
    EXPECT_EQ(cuenta(0, 33, texto), 0); // no state for a serial terminal without its denied list
    lista->setParent(panel.get());
}

TEST_F(Consola, GuardarTerminalesReconstruyeLasTablas) {
    ASSERT_TRUE(Ganchos::CargaTerminales);
    FormTerminales = new TFormTerminales();
    AjustesPrueba().DirDatos = dir.Ruta() + "/";
    FormTerminales->SGTerminales.SetRowCount(2);
    FormTerminales->SGTerminales.Cells[0][1] = "Serie";
    FormTerminales->SGTerminales.Cells[1][1] = "9";
    FormTerminales->SGTerminales.Cells[5][1] = "Todo";
    FormTerminales->botonrecClick();
    EXPECT_EQ(panel->Enlaces.NumTerminales, 1);
    EXPECT_EQ(panel->CLBTerminales->count(), 1);
    EXPECT_EQ(panel->Enlaces.TablaNumTerminal[1], 9u);
    delete FormTerminales;
}

} // namespace
