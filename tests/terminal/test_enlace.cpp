// Terminal tables, serial port on a pseudo-terminal, radio frames and TCP connection states.
#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "platform/portio.h"
#include "platform/reloj.h"
#include "platform/stringgrid.h"
#include "support/simulador.h"
#include "terminal/enlace.h"

#include <QElapsedTimer>
#include <QTcpSocket>
#include <gtest/gtest.h>

namespace {

void fila(StringGrid &g, int r, const std::string &tipo, const std::string &dir,
          const std::string &modo = "Todo") {
    if (g.RowCount() <= r)
        g.SetRowCount(r + 1);
    g.Cells[0][r] = tipo;
    g.Cells[1][r] = dir;
    g.Cells[2][r] = "Puerta " + std::to_string(r);
    g.Cells[5][r] = modo;
}

class Enlaces : public ::testing::Test {
protected:
    void SetUp() override {
        AjustesPrueba().PuertoTcpBase = 10000;
        AjustesPrueba().ModoRadio = 0;
        AjustesPrueba().VelocidadPuerto = 115200;
        AjustesPrueba().DireccionBaseUart = 0x3f8;
        CapturaRecepcion(enlaces.Entorno, consola, guardados);
    }
    void TearDown() override {
        enlaces.CierraEnlaces();
        AjustesPrueba().ModoRadio = 0;
        FijaRelojMonotono(nullptr);
    }
    StringGrid g{6, 1};
    std::string consola;
    std::vector<std::string> guardados;
    TEnlaces enlaces;
};

TEST_F(Enlaces, TablasDesdeLaRejilla) {
    fila(g, 1, "Ethernet", "127.0.0.1:3", "Entrada");
    fila(g, 2, "Ethernet", "localhost:4");
    fila(g, 3, "Ethernet", "0.0.0.0:2");
    fila(g, 4, "OndaRelay", "BA000012", "Accesos");
    fila(g, 5, "Serie", "10", "Produccion");
    EXPECT_TRUE(enlaces.CargaTerminales(g).empty());
    ASSERT_EQ(enlaces.NumTerminales, 5);
    EXPECT_EQ(enlaces.TablaDestinos[1].Ip, "127.0.0.1");
    EXPECT_EQ(enlaces.TablaDestinos[1].Host, "");
    EXPECT_EQ(enlaces.TablaDestinos[1].Puerto, 10003);
    EXPECT_EQ(enlaces.TablaNumTerminal[1], 3u);
    EXPECT_EQ(enlaces.TablaDestinos[2].Host, "localhost");
    EXPECT_EQ(enlaces.TablaDestinos[2].Puerto, 10004);
    EXPECT_EQ(enlaces.TablaDestinos[3].Host, "0.0.0.0"); // taken as a host name
    EXPECT_EQ(enlaces.TablaNumTerminal[4], 18u);
    EXPECT_EQ(enlaces.TablaDireccionRadio[4], 0xBA000012u);
    EXPECT_EQ(enlaces.UltimaFilaRadio, 3);
    EXPECT_EQ(enlaces.TablaNumTerminal[5], 10u);
    EXPECT_EQ(std::string(enlaces.TablaTipoConexion.begin() + 1, enlaces.TablaTipoConexion.begin() + 6),
              "EEEAS");
    EXPECT_EQ(std::string(enlaces.TablaModoTerminal.begin() + 1, enlaces.TablaModoTerminal.begin() + 6),
              "ETTAP");
    EXPECT_EQ(enlaces.TextosTerminales[0], "EE 127.0.0.1:3 Puerta 1");
    EXPECT_EQ(enlaces.TextosTerminales[3], "AA BA000012 Puerta 4");
    EXPECT_EQ(enlaces.EstadoEnchufe(1), "Conectando ...");
    EXPECT_EQ(enlaces.EstadoEnchufe(5), "");
}

// The grid's rows as link rows, without opening anything.
TEST(FilasTerminales, DeLaRejilla) {
    struct Caso {
        const char *tipo, *dir, *modo;
        char letra;
        uint32_t numero, radio;
        const char *ip, *host;
        int puerto;
        const char *texto;
    };
    const Caso casos[] = {
        {"Ethernet", "192.168.1.20:3 nave", "Entrada", 'E', 3, 0, "192.168.1.20", "", 10003,
         "EE 192.168.1.20:3 nave Puerta"},
        {"Ethernet", "servidor:4", "Todo", 'E', 4, 0, "", "servidor", 10004, "ET servidor:4 Puerta"},
        {"OndaRelay", "BA000012", "Accesos", 'A', 18, 0xBA000012u, "", "", 0, "AA BA000012 Puerta"},
        {"Serie", "10", "", 'S', 10, 0, "", "", 0, "S  10 Puerta"},
        {"Serie", "256", "Todo", '-', TerminalNoValido, 0, "", "", 0, "ST 256 Puerta"},
        {"OndaRelay", "BA0001FF00", "Todo", '-', TerminalNoValido, 0, "", "", 0, "AT BA0001FF00 Puerta"},
    };
    StringGrid g(6, 1);
    for (const Caso &c : casos) {
        const int r = g.RowCount();
        g.SetRowCount(r + 1);
        g.Cells[0][r] = c.tipo;
        g.Cells[1][r] = c.dir;
        g.Cells[2][r] = "Puerta";
        g.Cells[5][r] = c.modo;
    }
    const std::vector<TFilaEnlace> filas = LeeFilasTerminales(g, 10000);
    ASSERT_EQ(filas.size(), std::size(casos));
    for (size_t i = 0; i < filas.size(); ++i) {
        const TFilaEnlace &f = filas[i];
        const Caso &c = casos[i];
        EXPECT_EQ(f.TipoConexion, c.letra) << c.dir;
        EXPECT_EQ(f.NumTerminal, c.numero) << c.dir;
        EXPECT_EQ(f.DireccionRadio, c.radio) << c.dir;
        EXPECT_EQ(f.Destino.Ip, c.ip) << c.dir;
        EXPECT_EQ(f.Destino.Host, c.host) << c.dir;
        EXPECT_EQ(f.Destino.Puerto, c.puerto) << c.dir;
        EXPECT_EQ(f.Texto, c.texto) << c.dir;
        EXPECT_EQ(f.Rechazo.empty(), c.letra != '-') << c.dir;
    }
    EXPECT_EQ(filas[4].Rechazo,
              "Terminal de la fila 5 (256): el n\xFAmero de terminal debe estar entre 0 y 255; "
              "no se usa.");
}

TEST_F(Enlaces, NumeroFueraDeRangoSeRechazaYNoSeDireccionaNunca) {
    fila(g, 1, "Serie", "300");
    fila(g, 2, "Serie", "-1");
    fila(g, 3, "Ethernet", "127.0.0.1:99999999999");
    fila(g, 4, "Serie", "44"); // 300 in two hexadecimal digits would be 2C; 44 = 0x2C
    const auto rechazos = enlaces.CargaTerminales(g);
    ASSERT_EQ(rechazos.size(), 3u);
    EXPECT_NE(rechazos[0].find("fila 1"), std::string::npos);
    EXPECT_EQ(enlaces.NumTerminales, 4); // rows keep their positions in the list
    EXPECT_EQ(enlaces.TablaEnchufes[3], nullptr);
    EXPECT_EQ(enlaces.FilaDeTerminal(0x2C), 4);
}

TEST_F(Enlaces, MasDe254TerminalesCabenEnLasTablas) {
    for (int r = 1; r <= 300; ++r)
        fila(g, r, "Serie", std::to_string(r % 256));
    EXPECT_TRUE(enlaces.CargaTerminales(g).empty());
    EXPECT_EQ(enlaces.NumTerminales, 300);
    ASSERT_GE(enlaces.TablaNumTerminal.size(), 301u);
    EXPECT_EQ(enlaces.TablaNumTerminal[300], 300u % 256);
    EXPECT_EQ(enlaces.TextosTerminales.size(), 300u);
}

TEST_F(Enlaces, PuertoSerieEnPseudoTerminal) {
    LineaSimulada linea;
    fila(g, 1, "Serie", "5");
    enlaces.CargaTerminales(g);
    ASSERT_TRUE(enlaces.AbrePuertoSerie(linea.RutaEsclavo()));
    EXPECT_TRUE(inportb(0x3f8 + 5) & 0x40); // pseudo-terminal: empty once its queue is
    enlaces.FijaCabecera(5);
    enlaces.EnviaATerminal("abc", 3);
    enlaces.FijaCabecera(6); // no row carries 6
    enlaces.EnviaATerminal("xyz", 3);
    linea.Atiende();
    EXPECT_EQ(linea.Recibido, QByteArray("abc"));
}

TEST_F(Enlaces, EsperaDeTransmisorVacioAcotada) {
    LineaSimulada linea;
    fila(g, 1, "Serie", "5");
    enlaces.CargaTerminales(g);
    ASSERT_TRUE(enlaces.AbrePuertoSerie(linea.RutaEsclavo()));
    RegistraUart(0x3f8, [] { return static_cast<unsigned char>(0); }); // never reports empty
    enlaces.FijaCabecera(5);
    QElapsedTimer reloj;
    reloj.start();
    enlaces.EnviaATerminal("abc", 3);
    EXPECT_LT(reloj.elapsed(), 1000);
    linea.Atiende();
    EXPECT_EQ(linea.Recibido, QByteArray("abc"));
}

TEST_F(Enlaces, PuertoQueNoAbreNoSeEscribeYSeAvisa) {
    fila(g, 1, "Serie", "5");
    enlaces.CargaTerminales(g);
    EXPECT_FALSE(enlaces.AbrePuertoSerie("/dev/no-existe-este-puerto"));
    EXPECT_NE(
        consola.find("ERROR: no se puede abrir el puerto serie /dev/no-existe-este-puerto (el puerto no "
                     "existe)\r\n"),
        std::string::npos);
    enlaces.FijaCabecera(5);
    enlaces.EnviaATerminal("abc", 3); // returns at once, nothing written
    EXPECT_FALSE(enlaces.PuertoSerie.Abierto());
    EXPECT_EQ(inportb(0x3f8 + 5) & 0x40, 0x40); // no UART: nothing to wait for
}

TEST_F(Enlaces, TramaDeInicioYPrefijoDeRadio) {
    LineaSimulada linea(true);
    AjustesPrueba().ModoRadio = 1;
    AjustesPrueba().DireccionCoordinador = "BA000000";
    AjustesPrueba().CanalRadio = "3";
    fila(g, 1, "OndaRelay", "BA000007");
    fila(g, 2, "OndaRelay", "BA000012");
    enlaces.CargaTerminales(g);
    ASSERT_TRUE(enlaces.AbrePuertoSerie(linea.RutaEsclavo()));
    enlaces.EnviaTramaInicioRadio();
    EXPECT_EQ(enlaces.CabeceraComando, std::string("\x05"
                                                   "12"));
    enlaces.EnviaDireccionRadio();
    linea.Atiende();
    ASSERT_EQ(linea.TramasInicio.size(), 1u);
    EXPECT_EQ(linea.TramasInicio[0], "\x01IBA000000390000001\x04");
    EXPECT_EQ(std::string(reinterpret_cast<char *>(enlaces.TramaRadio), 5),
              std::string("\x02\xBA\x00\x00\x12", 5));
    ASSERT_EQ(linea.Prefijos.size(), 1u);
    EXPECT_EQ(linea.Prefijos[0], 0xBA000012u);
}

TEST_F(Enlaces, ReintentosDeConexionEspaciadosEnSegundos) {
    qint64 ms = 0;
    FijaRelojMonotono([&] { return ms; });
    const int base = BuscaBaseLibre({1});
    ASSERT_NE(base, 0);
    AjustesPrueba().PuertoTcpBase = base; // nobody listens: every attempt fails
    fila(g, 1, "Ethernet", "127.0.0.1:1");
    enlaces.CargaTerminales(g);
    ASSERT_TRUE(MotorEnlace::EsperaHasta([this] { return enlaces.TablaEstadoEnchufe[1] == 4; }));
    EXPECT_EQ(enlaces.TablaReconexion[1], 5u);
    EXPECT_EQ(enlaces.EstadoEnchufe(1), "Error de socket 4");
    for (int i = 0; i < 1000; ++i) // a thousand 1 ms ticks within one second: no new attempt
        enlaces.CuentaReconexiones();
    EXPECT_EQ(enlaces.TablaReconexion[1], 5u);
    for (int intento = 3; intento >= 0; --intento) {
        for (int s = 0; s < 5; ++s) {
            ms += 1000;
            enlaces.CuentaReconexiones();
        }
        ASSERT_TRUE(MotorEnlace::EsperaHasta([&] {
            return enlaces.TablaEstadoEnchufe[1] == static_cast<uint32_t>(intento);
        })) << intento;
    }
    EXPECT_EQ(enlaces.EstadoEnchufe(1), "Desconectado");
    for (int s = 0; s < 10; ++s) {
        ms += 1000;
        enlaces.CuentaReconexiones();
    }
    EXPECT_EQ(enlaces.TablaEnchufes[1]->state(), QAbstractSocket::UnconnectedState); // given up
}

TEST_F(Enlaces, ColasPropiasPorEnchufeYRespuestaPorSuEnlace) {
    TerminalSimulado t3(3), t4(4);
    const int base = BuscaBaseLibre({3, 4});
    ASSERT_NE(base, 0);
    AjustesPrueba().PuertoTcpBase = base;
    ServidorTerminal s3(t3, static_cast<quint16>(base + 3)), s4(t4, static_cast<quint16>(base + 4));
    fila(g, 1, "Ethernet", "127.0.0.1:3");
    fila(g, 2, "Ethernet", "127.0.0.1:4");
    enlaces.CargaTerminales(g);
    ASSERT_TRUE(MotorEnlace::EsperaHasta([&] { return t3.Saludos == 1 && t4.Saludos == 1; }));
    EXPECT_EQ(enlaces.EstadoEnchufe(1), "Conectado");
    const QDateTime t(QDate(2026, 1, 14), QTime(8, 0, 0));
    t3.Pendientes.push_back(RegistroFichaje(3, t, "1 UNO"));
    t4.Pendientes.push_back(RegistroFichaje(4, t, "2 DOS"));
    // Both announce before the machines run; each read is queued, none overwrites another.
    t3.Anuncia();
    t4.Anuncia();
    ASSERT_TRUE(MotorEnlace::EsperaHasta([&] {
        enlaces.ProcesaRecepcion();
        return guardados.size() == 2 && t3.Pendientes.empty() && t4.Pendientes.empty();
    }));
    EXPECT_EQ(t3.Acks, 1);
    EXPECT_EQ(t4.Acks, 1);
    EXPECT_EQ(s3.Recibido.count("\x05"
                                "03m\r"),
              2); // fetch, then the fetch after the store
    EXPECT_EQ(s3.Recibido.count("04m"), 0);
    EXPECT_EQ(s4.Recibido.count("03m"), 0);
}

} // namespace
