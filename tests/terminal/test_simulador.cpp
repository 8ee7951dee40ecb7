// The links against the terminal simulator: over loopback TCP and over a pseudo-terminal.
#include "common/configuracion.h"
#include "common/globales.h"
#include "masterdata/terminalesorg.h"
#include "platform/lineas.h"
#include "platform/reloj.h"
#include "platform/stringgrid.h"
#include "support/dirtemporal.h"
#include "support/respuestas.h"
#include "support/simulador.h"
#include "terminal/enlace.h"
#include "terminal/guardafichaje.h"
#include "terminal/rch.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QDateTime kHora(QDate(2026, 1, 14), QTime(8, 0, 0));

std::vector<std::string> registros(unsigned terminal, int n) {
    std::vector<std::string> v;
    for (int i = 0; i < n; ++i)
        v.push_back(RegistroFichaje(terminal, kHora.addSecs(60 * i), std::to_string(100 + i) + " EMPLEADO"));
    return v;
}

class Simulador : public ::testing::Test {
protected:
    void SetUp() override {
        LeeConfiguracion(dir.Archivo("velkatron.ini"));
        DirHuellas = dir.Ruta() + "/";
        CapturaRecepcion(consola, guardados);
    }
    void TearDown() override {
        CierraEnlaces();
        EntornoRecepcion = TEntornoRecepcion();
        ModoRadio = 0;
        ModoSondeo = 0;
        FijaRelojMonotono(nullptr);
    }
    // One Ethernet terminal numbered n served by a simulator.
    void ethernet(TerminalSimulado &t, std::unique_ptr<ServidorTerminal> &s) {
        const int base = BuscaBaseLibre({t.Numero});
        ASSERT_NE(base, 0);
        PuertoTcpBase = base;
        s = std::make_unique<ServidorTerminal>(t, static_cast<quint16>(base + t.Numero));
        g.SetRowCount(2);
        g.Cells[0][1] = "Ethernet";
        g.Cells[1][1] = "127.0.0.1:" + std::to_string(t.Numero);
        g.Cells[5][1] = "Todo";
        CargaTerminales(g);
        ASSERT_TRUE(MotorEnlace::EsperaHasta([&] { return t.Saludos == 1; }));
    }
    // Terminals a and b on Ethernet rows 1 and 2, connected by carga.
    void dosEthernet(TerminalSimulado &a, TerminalSimulado &b, std::unique_ptr<ServidorTerminal> &sa,
                     std::unique_ptr<ServidorTerminal> &sb, const std::function<void()> &carga) {
        const int base = BuscaBaseLibre({a.Numero, b.Numero});
        ASSERT_NE(base, 0);
        PuertoTcpBase = base;
        sa = std::make_unique<ServidorTerminal>(a, static_cast<quint16>(base + a.Numero));
        sb = std::make_unique<ServidorTerminal>(b, static_cast<quint16>(base + b.Numero));
        g.SetRowCount(3);
        g.Cells[0][1] = g.Cells[0][2] = "Ethernet";
        g.Cells[1][1] = "127.0.0.1:" + std::to_string(a.Numero);
        g.Cells[1][2] = "127.0.0.1:" + std::to_string(b.Numero);
        carga();
        ASSERT_TRUE(espera([&] { return a.Saludos == 1 && b.Saludos == 1; }));
    }
    static bool espera(const std::function<bool()> &c, int ms = 5000) {
        return MotorEnlace::EsperaHasta(c, ms);
    }
    // t uploads lista (the records in malos once spoiled) with the clock at hora; true when the
    // upload ended and the machine of row 1 is idle again.
    static bool subeLista(TerminalSimulado &t, const std::vector<std::string> &lista, std::vector<int> malos,
                          const QDateTime &hora) {
        FijaReloj([hora] { return hora; });
        t.SubeLista(lista, std::move(malos));
        const bool fin = espera([&] { return t.FinLista; });
        FijaReloj(nullptr);
        return fin && espera([] { return RecepcionDeFila(1).EstadoRecepcion == 0; });
    }

    // The monotonic clock in the test's hand: n seconds of reconnection countdown go by.
    void relojManual() {
        FijaRelojMonotono([this] { return ms; });
    }
    void pasanSegundos(int n) {
        for (int i = 0; i < n; ++i) {
            ms += 1000;
            CuentaReconexiones();
        }
    }

    DirectorioTrabajo dir;
    StringGrid g{6, 1};
    MotorEnlace motor;
    qint64 ms = 0;
    std::string consola;
    std::vector<std::string> guardados;
};

TEST_F(Simulador, TcpVaciaElTerminalGuardandoCadaFichajeUnaVez) {
    TerminalSimulado t(7);
    std::unique_ptr<ServidorTerminal> s;
    ethernet(t, s);
    const auto r = registros(7, 5);
    t.Pendientes.assign(r.begin(), r.end());
    t.Anuncia();
    ASSERT_TRUE(espera([&] { return t.Pendientes.empty(); }));
    EXPECT_EQ(guardados, r);
    EXPECT_EQ(t.Acks, 5);
    EXPECT_EQ(t.Naks, 0);
}

TEST_F(Simulador, TcpSumaMalaRecibeNakYSeGuardaAlReenviar) {
    TerminalSimulado t(7);
    std::unique_ptr<ServidorTerminal> s;
    ethernet(t, s);
    const auto r = registros(7, 2);
    t.Pendientes.assign(r.begin(), r.end());
    t.SumasMalas = 1;
    t.Anuncia();
    ASSERT_TRUE(espera([&] { return t.Pendientes.empty(); }));
    EXPECT_EQ(t.Naks, 1);
    EXPECT_EQ(guardados, r);
}

TEST_F(Simulador, TcpConElEscritorDeFichajes) {
    DirFichajes = dir.Ruta() + "/fichajes/";
    CreaDirectorio(DirFichajes);
    RutaHistorico = DirFichajes + NombreHistorico;
    EntornoRecepcion.Guarda = nullptr; // the real writer
    TerminalSimulado t(7);
    std::unique_ptr<ServidorTerminal> s;
    ethernet(t, s);
    const auto r = registros(7, 3);
    t.Pendientes.assign(r.begin(), r.end());
    t.SumasMalas = 1;
    t.Anuncia();
    ASSERT_TRUE(espera([&] { return t.Pendientes.empty(); }));
    const std::string historico = Contenido(RutaHistorico);
    for (const std::string &x : r) {
        const size_t p = historico.find(x);
        ASSERT_NE(p, std::string::npos);
        EXPECT_EQ(historico.find(x, p + 1), std::string::npos); // stored once
    }
}

TEST_F(Simulador, TcpSubidaDeListaIdenticaALoEnviado) {
    TerminalSimulado t(7);
    std::unique_ptr<ServidorTerminal> s;
    ethernet(t, s);
    const std::vector<std::string> lista = {RegistroLista("123", "PEREZ", 20, 90),
                                            RegistroLista("7", "GIL", 3, 255),
                                            RegistroLista("99", "RUIZ", 40, 80)};
    ASSERT_TRUE(subeLista(t, lista, {1}, QDateTime(QDate(2026, 3, 2), QTime(17, 45))));
    EXPECT_EQ(Contenido(dir.Archivo("L0203261745.min")), lista[0] + lista[1] + lista[2]);
    EXPECT_EQ(t.Naks, 1);
}

TEST_F(Simulador, TcpPeticionDeListaQueNoExiste) {
    TerminalSimulado t(7);
    std::unique_ptr<ServidorTerminal> s;
    ethernet(t, s);
    t.PideLista("4455");
    ASSERT_TRUE(espera([&] { return !t.Comandos.empty(); }));
    EXPECT_EQ(t.Comandos.back(), "D05 ACCESO DENEGADO\r");
}

TEST_F(Simulador, TcpConexionCaidaSeReintenta) {
    relojManual();
    TerminalSimulado t(7);
    std::unique_ptr<ServidorTerminal> s;
    ethernet(t, s);
    auto cincoSegundos = [&] { pasanSegundos(5); };
    // The terminal closes: a disconnection, no attempt lost.
    s->CortaConexion();
    ASSERT_TRUE(espera([] { return TablaReconexion[1] == 5; }));
    EXPECT_EQ(TablaEstadoEnchufe[1], 5u);
    EXPECT_EQ(EstadoEnchufe(1), "Conectando ...");
    espera([] { return false; }, 50); // no attempt before the countdown runs out
    EXPECT_EQ(s->Conexiones, 1);
    cincoSegundos();
    ASSERT_TRUE(espera([&] { return t.Saludos == 2; }));
    EXPECT_EQ(s->Conexiones, 2);
    EXPECT_EQ(EstadoEnchufe(1), "Conectado");
    // Gone for good: each failed attempt takes one off.
    s->DejaDeEscuchar();
    s->CortaConexion();
    ASSERT_TRUE(espera([] { return TablaReconexion[1] == 5; }));
    cincoSegundos();
    ASSERT_TRUE(espera([] { return TablaEstadoEnchufe[1] == 4; }));
    EXPECT_EQ(EstadoEnchufe(1), "Error de socket 4");
}

// A connection lost in the middle of a clocking: what comes on the new connection starts afresh.
TEST_F(Simulador, TcpFichajeCortadoNoSeGuardaTrasReconectar) {
    relojManual();
    TerminalSimulado t(7);
    std::unique_ptr<ServidorTerminal> s;
    ethernet(t, s);
    const auto r = registros(7, 1);
    t.Pendientes.assign(r.begin(), r.end());
    t.CorteFichaje = 80; // over 60 characters: a BEL would end it
    t.Anuncia();
    ASSERT_TRUE(espera([] { return RecepcionDeFila(1).LongitudFichaje == 80; }));
    s->CortaConexion();
    ASSERT_TRUE(espera([] { return TablaReconexion[1] == 5; }));
    pasanSegundos(5);
    ASSERT_TRUE(espera([&] { return t.Saludos == 2; }));
    t.Anuncia();
    ASSERT_TRUE(espera([&] { return t.Pendientes.empty(); }));
    EXPECT_EQ(guardados, r);
    EXPECT_EQ(t.Acks, 1);
}

TEST_F(Simulador, TerminalCalladoNoBloqueaAOtroEnlace) {
    TerminalSimulado callado(3), t(4);
    std::unique_ptr<ServidorTerminal> s3, s4;
    dosEthernet(callado, t, s3, s4, [this] { CargaTerminales(g); });
    callado.Pendientes.push_back(registros(3, 1)[0]);
    callado.Silencio = true;
    callado.Anuncia();
    ASSERT_TRUE(espera([&] { return callado.Comandos.size() == 1; }));
    const auto r = registros(4, 2);
    t.Pendientes.assign(r.begin(), r.end());
    t.Anuncia();
    ASSERT_TRUE(espera([&] { return t.Pendientes.empty(); }));
    EXPECT_EQ(guardados, r);
}

TEST_F(Simulador, LineaSerieCompartida) {
    LineaSimulada linea;
    TerminalSimulado t1(1), t2(2);
    linea.Agrega(t1);
    linea.Agrega(t2);
    g.SetRowCount(3);
    g.Cells[0][1] = g.Cells[0][2] = "Serie";
    g.Cells[1][1] = "1";
    g.Cells[1][2] = "2";
    CargaTerminales(g);
    ASSERT_TRUE(AbrePuertoSerie(linea.RutaEsclavo()));
    const auto r1 = registros(1, 2), r2 = registros(2, 2);
    t1.Pendientes.assign(r1.begin(), r1.end());
    t2.Pendientes.assign(r2.begin(), r2.end());
    t2.SumasMalas = 1;
    t1.Anuncia();
    ASSERT_TRUE(espera([&] { return t1.Pendientes.empty(); }));
    t2.Anuncia();
    ASSERT_TRUE(espera([&] { return t2.Pendientes.empty(); }));
    EXPECT_EQ(t2.Naks, 1);
    std::vector<std::string> esperado = r1;
    esperado.insert(esperado.end(), r2.begin(), r2.end());
    EXPECT_EQ(guardados, esperado);
}

TEST_F(Simulador, LineaSerieSubidaPeticionYTerminalAjeno) {
    LineaSimulada linea;
    TerminalSimulado t(1), ajeno(9);
    linea.Agrega(t);
    linea.Agrega(ajeno);
    g.SetRowCount(2);
    g.Cells[0][1] = "Serie";
    g.Cells[1][1] = "1";
    CargaTerminales(g);
    ASSERT_TRUE(AbrePuertoSerie(linea.RutaEsclavo()));
    const std::vector<std::string> lista = {RegistroLista("123", "PEREZ", 20, 90),
                                            RegistroLista("7", "GIL", 3, 255)};
    ASSERT_TRUE(subeLista(t, lista, {0}, QDateTime(QDate(2026, 3, 2), QTime(7, 5))));
    EXPECT_EQ(Contenido(dir.Archivo("L0203260705.min")), lista[0] + lista[1]);
    EXPECT_EQ(t.Naks, 1);
    // Terminal 9 is on the line but not in the list: it is never asked for its clocking.
    ajeno.Pendientes.push_back(registros(9, 1)[0]);
    ajeno.Anuncia();
    t.PideLista("4455");
    ASSERT_TRUE(espera([&] { return !t.Comandos.empty(); }));
    EXPECT_EQ(t.Comandos.back(), "D05 ACCESO DENEGADO\r");
    EXPECT_TRUE(ajeno.Comandos.empty());
    EXPECT_EQ(linea.Recibido.count("\x05"
                                   "09"),
              0);
}

TEST_F(Simulador, RadioConPrefijoAntesDeCadaOrden) {
    LineaSimulada linea(true);
    TerminalSimulado t(0x12);
    linea.Agrega(t, 0xBA000012);
    ModoRadio = 1;
    g.SetRowCount(2);
    g.Cells[0][1] = "OndaRelay";
    g.Cells[1][1] = "BA000012";
    CargaTerminales(g);
    ASSERT_TRUE(AbrePuertoSerie(linea.RutaEsclavo()));
    EnviaTramaInicioRadio();
    const auto r = registros(0x12, 2);
    t.Pendientes.assign(r.begin(), r.end());
    t.Anuncia();
    ASSERT_TRUE(espera([&] { return t.Pendientes.empty(); }));
    EXPECT_EQ(guardados, r);
    ASSERT_EQ(linea.TramasInicio.size(), 1u);
    EXPECT_EQ(linea.Prefijos.size(), 3u); // before each of the three fetches
}

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
    auto panel = std::make_unique<TFormVelka>();
    // The start frame goes to the last radio row once the port is open, with no address prefix;
    // then the first terminal of the list is selected.
    EXPECT_TRUE(espera([&] { return !linea.TramasInicio.empty(); }));
    EXPECT_EQ(linea.Recibido, QByteArray("\x01IBA000000390000001\x04"));
    EXPECT_EQ(panel->CLBTerminales->count(), 2);
    EXPECT_EQ(panel->CLBTerminales->currentRow(), 0);
    EXPECT_EQ(std::string(CabeceraComando), "\x05"
                                            "07");
    EXPECT_TRUE(panel->Timer3->isActive());
    panel.reset();
    delete FormTerminales;
}

// ---- the panel's console ----

class Consola : public Simulador {
protected:
    void SetUp() override {
        Simulador::SetUp();
        panel = std::make_unique<TFormVelka>();
        CapturaRecepcion(consola, guardados);
    }
    void TearDown() override {
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

TEST_F(Consola, VisorPierdeSuPrimeraLineaPasadasDoscientas) {
    for (int i = 0; i < 200; ++i)
        panel->MuestraTraza("linea " + std::to_string(i) + "\r\n");
    ASSERT_EQ(panel->visor->document()->blockCount(), 201);
    panel->MuestraTraza("otra");
    EXPECT_EQ(panel->visor->document()->blockCount(), 200);
    EXPECT_TRUE(panel->visor->toPlainText().startsWith("linea 1\n"));
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
    PuertoTcpBase = base;
    ServidorTerminal servidor(te, static_cast<quint16>(base + te.Numero));
    g.SetRowCount(3);
    g.Cells[0][1] = "Serie";
    g.Cells[1][1] = "1";
    g.Cells[0][2] = "Ethernet";
    g.Cells[1][2] = "127.0.0.1:4";
    panel->CargaTerminales(g);
    ASSERT_TRUE(AbrePuertoSerie(linea.RutaEsclavo()));
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

TEST_F(Consola, LineaDeConsolaNoDesborda) {
    teclea(std::string(5000, 'x'));
    EXPECT_EQ(panel->LineaConsola.size(), static_cast<size_t>(TFormVelka::MaxLineaConsola));
}

TEST_F(Consola, CuentaSegundosBajaCadaCienTicks) {
    panel->Timer2->stop();
    CuentaSegundos = 5;
    SubcuentaSegundos = 100;
    int ticks = 0;
    while (CuentaSegundos != 0 && ticks < 1000) {
        panel->Timer2Timer();
        ++ticks;
    }
    EXPECT_EQ(ticks, 501);
}

TEST_F(Consola, GuardarTerminalesReconstruyeLasTablas) {
    ASSERT_TRUE(Ganchos::CargaTerminales);
    FormTerminales = new TFormTerminales();
    DirDatos = dir.Ruta() + "/";
    FormTerminales->SGTerminales.SetRowCount(2);
    FormTerminales->SGTerminales.Cells[0][1] = "Serie";
    FormTerminales->SGTerminales.Cells[1][1] = "9";
    FormTerminales->SGTerminales.Cells[5][1] = "Todo";
    FormTerminales->botonrecClick();
    EXPECT_EQ(NumTerminales, 1);
    EXPECT_EQ(panel->CLBTerminales->count(), 1);
    EXPECT_EQ(TablaNumTerminal[1], 9u);
    delete FormTerminales;
}

} // namespace
