// The panel's maintenance operations against the simulator: firmware upload, the terminals'
// clocks, opening a door.
#include "common/ajustesprueba.h"
#include "platform/codepage.h"
#include "platform/reloj.h"
#include "support/elfprueba.h"
#include "support/respuestas.h"
#include "terminal/enlacesprueba.h"
#include "terminal/ui/panel.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <numeric>

namespace {

// The first part and the sum, computed here from the text.
std::string tramaHora(const char *numero, const std::string &hora) {
    const std::string desdeH = "H" + hora;
    const unsigned suma = std::accumulate(desdeH.begin(), desdeH.end(), 0u, [](unsigned a, char c) {
        return a + static_cast<unsigned char>(c);
    });
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02X", suma & 0xFF);
    return "\x05" + std::string(numero) + desdeH + hex + "\r";
}

const QDateTime kHoraFija(QDate(2026, 12, 6), QTime(14, 0, 23));

class Mantenimiento : public Simulador {
protected:
    void SetUp() override {
        Simulador::SetUp();
        motor.Para(); // the panel's own timers drive the links
        Escribe(dir.Archivo("velkatron.ini"), "[config]\r\nAbrirPuerta=1\r\n");
        AjustesPrueba() = LeeConfiguracion(); // as the program reads it before the panel
        panel = std::make_unique<TFormVelka>();
        enlaces = &panel->Enlaces;
    }
    void TearDown() override {
        enlaces = &propios;
        panel.reset();
        FijaReloj(nullptr);
        Simulador::TearDown();
    }
    // Serial terminals on the pseudo-terminal line, after the rows already in the grid.
    void serie(LineaSimulada &linea, std::vector<TerminalSimulado *> ts) {
        int r = g.RowCount();
        g.SetRowCount(r + static_cast<int>(ts.size()));
        for (TerminalSimulado *t : ts) {
            linea.Agrega(*t);
            g.Cells[0][r] = "Serie";
            g.Cells[1][r++] = std::to_string(t->Numero);
        }
        panel->CargaTerminales(g);
        ASSERT_TRUE(enlaces->AbrePuertoSerie(linea.RutaEsclavo()));
    }
    // Radio terminals behind the coordinator on the pseudo-terminal line, in rows 1...
    void radio(LineaSimulada &linea, std::vector<std::pair<TerminalSimulado *, uint32_t>> ts) {
        AjustesPrueba().ModoRadio = 1;
        g.SetRowCount(static_cast<int>(ts.size()) + 1);
        int r = 1;
        for (auto [t, direccion] : ts) {
            linea.Agrega(*t, direccion);
            g.Cells[0][r] = "OndaRelay";
            g.Cells[1][r++] = QString::number(direccion, 16).toUpper().toStdString();
        }
        panel->CargaTerminales(g);
        ASSERT_TRUE(enlaces->AbrePuertoSerie(linea.RutaEsclavo()));
    }
    // An Ethernet terminal in row 1 of the panel's list, connected.
    void red(TerminalSimulado &t, std::unique_ptr<ServidorTerminal> &s) {
        AjustesPrueba().PuertoTcpBase = BuscaBaseLibre({t.Numero});
        ASSERT_NE(Configuracion().PuertoTcpBase, 0);
        s = std::make_unique<ServidorTerminal>(
            t, static_cast<quint16>(Configuracion().PuertoTcpBase + t.Numero));
        g.SetRowCount(2);
        g.Cells[0][1] = "Ethernet";
        g.Cells[1][1] = "127.0.0.1:" + std::to_string(t.Numero);
        panel->CargaTerminales(g);
        ASSERT_TRUE(espera([&] { return t.Saludos == 1; }));
        s->Recibido.clear();
    }
    // Uploads the test file to row 1 and waits for the end; Timer1 stands still meanwhile.
    void sube(TerminalSimulado &t) {
        ASSERT_TRUE(ConstruyeElfPrueba(dir.Ruta(), elf)) << elf.Error;
        t.EnCargador = true;
        panel->CLBTerminales->setCurrentRow(0);
        panel->Edit2->setText(QString::fromStdString(elf.Ruta));
        panel->Button2->click();
        EXPECT_FALSE(panel->Timer1->isActive());
        ASSERT_TRUE(espera([&] { return !panel->SubiendoFirmware(); }, 10000));
        EXPECT_TRUE(panel->Timer1->isActive());
    }
    // The loader holds the segments before the third, byte for byte, and heard 0x08 last.
    void imagenCompleta(TerminalSimulado &t, const QByteArray &recibido) {
        espera([&] { return t.Cargador.Terminado; }); // the last byte may still be on its way
        elf.Secciones.erase(ElfPrueba::Vectores);
        EXPECT_EQ(t.Cargador.Imagen, elf.Secciones);
        EXPECT_TRUE(t.Cargador.Terminado);
        EXPECT_EQ(recibido.back(), '\x08');
        EXPECT_NE(visor().find("OFFSET   DIRECC.  BYTES\n00002000 83000000 000003e8\n"), std::string::npos);
    }
    // The panel's console, its line ends as shown.
    std::string visor() const { return deQ(panel->visor->toPlainText()); }
    RespuestasPrueba respuestas;
    std::unique_ptr<TFormVelka> panel;
    ElfPrueba elf;
};

TEST_F(Mantenimiento, FirmwarePorEthernetConUnReenvio) {
    TerminalSimulado t(3);
    std::unique_ptr<ServidorTerminal> s;
    red(t, s);
    t.Cargador.Rechazos = 1;
    sube(t);
    imagenCompleta(t, s->Recibido);
    EXPECT_EQ(s->Recibido.left(9), QByteArray("\x00\x00\x00\x00\x83\xE8\x03\x00\x00", 9));
    EXPECT_EQ(s->Recibido.mid(1010, 9), s->Recibido.left(9)); // 0x15: the same section again
    EXPECT_EQ(t.Cargador.Direcciones.size(), 3u);
    EXPECT_NE(Contenido(dir.Archivo("velkatron.ini")).find("programa=" + elf.Ruta), std::string::npos);
}

// A list upload left waiting on the same link is not answered into the loader's image.
TEST_F(Mantenimiento, FirmwareSinRespuestasDeUnaListaEnEspera) {
    TerminalSimulado t(3);
    std::unique_ptr<ServidorTerminal> s;
    red(t, s);
    TRecepcion &m = panel->Enlaces.RecepcionDeFila(1);
    m.EstadoRecepcion = TEstadoRecepcion::RegistrosLista;
    m.CuentaRespuesta = 2;
    m.Reintentos = 5;
    sube(t);
    imagenCompleta(t, s->Recibido);
}

// The clock setting asked for during the upload follows it.
TEST_F(Mantenimiento, FirmwarePorLineaSerieYLaHoraDespues) {
    FijaReloj([] { return kHoraFija; });
    LineaSimulada linea;
    TerminalSimulado t(2);
    serie(linea, {&t});
    QTimer::singleShot(0, panel.get(), [this] { panel->BFechaHora->click(); });
    sube(t);
    ASSERT_TRUE(espera([&] { return visor().ends_with("Fecha y hora actualizada\n"); }));
    const QByteArray hora = QByteArray::fromStdString(tramaHora("02", "06-12-2026 14:00:23 "));
    ASSERT_TRUE(linea.Recibido.endsWith(hora));
    imagenCompleta(t, linea.Recibido.chopped(hora.size()));
}

// Every send of the upload goes behind the selected terminal's address, whichever terminal the
// coordinator addressed last; the other one hears nothing of it.
TEST_F(Mantenimiento, FirmwarePorRadioSoloAlTerminalElegido) {
    LineaSimulada linea(true);
    TerminalSimulado t(0x4D), otro(0x12);
    radio(linea, {{&t, 0xBA00004D}, {&otro, 0xBA000012}});
    enlaces->EnviaDireccionRadioFila(2); // terminal 12 has just been spoken to
    otro.EnCargador = true;
    t.Cargador.Rechazos = 1;
    sube(t);
    imagenCompleta(t, linea.Recibido);
    // The first section, its resend, the second one and the final byte.
    EXPECT_EQ(linea.Prefijos,
              (std::vector<uint32_t>{0xBA000012, 0xBA00004D, 0xBA00004D, 0xBA00004D, 0xBA00004D}));
    EXPECT_TRUE(otro.Cargador.Direcciones.empty());
    EXPECT_FALSE(otro.Cargador.EnSeccion() || otro.Cargador.Terminado);
}

TEST_F(Mantenimiento, CargadorCalladoTrasAcortarLaCuenta) {
    TerminalSimulado t(3);
    std::unique_ptr<ServidorTerminal> s;
    red(t, s);
    t.Cargador.Modo = CargadorSimulado::Respuesta::Nada;
    bool acortada = false;
    QObject::connect(panel->Timer2, &QTimer::timeout, panel.get(), [&] {
        if (!acortada && panel->SubiendoFirmware()) {
            EXPECT_GT(panel->Enlaces.Entorno.CuentaSegundos, 300); // Ethernet waits 320 steps
            panel->Enlaces.Entorno.CuentaSegundos = 1;
            acortada = true;
        }
    });
    sube(t);
    EXPECT_NE(visor().find("ERROR: No hay respuesta del cargador\n"), std::string::npos) << visor();
    espera([&] { return s->Recibido.size() > 1010; }); // the last byte may still be on its way
    EXPECT_EQ(s->Recibido.size(), 1010 + 1);
    EXPECT_EQ(s->Recibido.back(), '\0');
    EXPECT_TRUE(t.Cargador.Imagen.empty());
}

TEST_F(Mantenimiento, ArchivoRechazadoNoEnviaNada) {
    TerminalSimulado t(3);
    std::unique_ptr<ServidorTerminal> s;
    red(t, s);
    Escribe(dir.Archivo("texto.elf"), std::string(2000, 'x'));
    panel->CLBTerminales->setCurrentRow(0);
    panel->BitBtn7->setEnabled(false); // the denied list was sent: the lists page keeps that
    // A file that opens is named in the console with its fault; a missing one gives its fault alone.
    for (const auto &[ruta, nombrado] :
         {std::pair{dir.Archivo("texto.elf"), true}, std::pair{dir.Archivo("no-existe.elf"), false}}) {
        panel->visorDblClick();
        panel->Edit2->setText(QString::fromStdString(ruta));
        panel->Button2->click();
        EXPECT_FALSE(panel->SubiendoFirmware());
        EXPECT_TRUE(panel->Timer1->isActive());
        EXPECT_TRUE(visor().starts_with(nombrado ? ruta + "\n" : "ERROR: ")) << visor();
    }
    EXPECT_FALSE(panel->BitBtn7->isEnabled());
    espera([] { return false; }, 100);
    EXPECT_TRUE(s->Recibido.isEmpty());
}

TEST_F(Mantenimiento, HoraATodosLosTerminalesSerie) {
    const QDateTime hora = kHoraFija;
    FijaReloj([] { return kHoraFija; });
    // An Ethernet terminal that never connects comes first and is skipped.
    AjustesPrueba().PuertoTcpBase = BuscaBaseLibre({0});
    g.SetRowCount(2);
    g.Cells[0][1] = "Ethernet";
    g.Cells[1][1] = "127.0.0.1:0";
    LineaSimulada linea;
    TerminalSimulado t1(1), t2(2), t10(10);
    serie(linea, {&t1, &t2, &t10});
    panel->BFechaHora->click();
    linea.Atiende();
    EXPECT_EQ(linea.Recibido.toStdString(), tramaHora("01", "06-12-2026 14:00:23 "));
    EXPECT_EQ(panel->Enlaces.Entorno.CuentaEspera, 100);
    ASSERT_TRUE(espera([&] { return visor().ends_with("Fecha y hora actualizada\n"); }));
    EXPECT_EQ(linea.Recibido.toStdString(), tramaHora("01", "06-12-2026 14:00:23 ") +
                                                tramaHora("02", "06-12-2026 14:00:23 ") +
                                                tramaHora("0A", "06-12-2026 14:00:23 "));
    for (TerminalSimulado *t : {&t1, &t2, &t10}) {
        EXPECT_EQ(t->Reloj, hora) << t->Numero;
        EXPECT_EQ(t->HorasMalas, 0);
    }
}

TEST_F(Mantenimiento, HoraPorRadioConElPrefijoDeCadaTerminal) {
    const QDateTime hora = kHoraFija;
    FijaReloj([] { return kHoraFija; });
    LineaSimulada linea(true);
    TerminalSimulado a(0x07), b(0x12);
    radio(linea, {{&a, 0xBA000007}, {&b, 0xBA000012}});
    panel->BFechaHora->click();
    ASSERT_TRUE(espera([&] { return visor().ends_with("Fecha y hora actualizada\n"); }));
    EXPECT_EQ(linea.Prefijos, (std::vector<uint32_t>{0xBA000007, 0xBA000012}));
    EXPECT_EQ(a.Reloj, hora);
    EXPECT_EQ(b.Reloj, hora);
}

TEST_F(Mantenimiento, AbrirPuertaEnviaK1D) {
    EXPECT_FALSE(panel->AbrirPuerta->isHidden());
    LineaSimulada linea;
    TerminalSimulado t2(2), t3(3);
    serie(linea, {&t2, &t3});
    panel->CLBTerminales->setCurrentRow(1);
    panel->AbrirPuerta->click();
    ASSERT_TRUE(espera([&] { return !t3.Comandos.empty(); }));
    EXPECT_EQ(linea.Recibido, QByteArray("\x05"
                                         "03k1d\r"));
    EXPECT_EQ(t3.Comandos.back(), "k1d\r");
    EXPECT_TRUE(t2.Comandos.empty());
}

// With nothing connected the console says so instead of reporting what was not done.
TEST_F(Mantenimiento, SinTerminalConectadoNadaSeDaPorHecho) {
    AjustesPrueba().PuertoTcpBase = BuscaBaseLibre({5});
    g.SetRowCount(3);
    g.Cells[0][1] = "Ethernet";
    g.Cells[1][1] = "127.0.0.1:5";
    g.Cells[0][2] = "Serie"; // the serial port is not open
    g.Cells[1][2] = "2";
    panel->CargaTerminales(g);
    panel->BFechaHora->click();
    EXPECT_EQ(visor(), Ansi("No hay ningún terminal conectado\n"));
    EXPECT_EQ(panel->Enlaces.Entorno.CuentaEspera, 0);
    for (const auto &[fila, linea] : {std::pair{0, "El terminal 05 no está conectado\n"},
                                      std::pair{1, "El terminal 02 no está conectado\n"}}) {
        panel->visorDblClick();
        panel->CLBTerminales->setCurrentRow(fila);
        panel->AbrirPuerta->click();
        EXPECT_EQ(visor(), Ansi(linea));
    }
}

} // namespace
