// The links against the terminal simulator: over loopback TCP and over a pseudo-terminal.
#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "platform/lineas.h"
#include "platform/reloj.h"
#include "support/respuestas.h"
#include "terminal/enlacesprueba.h"
#include "terminal/guardafichaje.h"

#include <gtest/gtest.h>

namespace {

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
    AjustesPrueba().DirFichajes = dir.Ruta() + "/fichajes/";
    CreaDirectorio(Configuracion().DirFichajes);
    AjustesPrueba().RutaHistorico = Configuracion().DirFichajes + Configuracion().NombreHistorico;
    enlaces->Entorno.Guarda = nullptr; // the real writer
    TerminalSimulado t(7);
    std::unique_ptr<ServidorTerminal> s;
    ethernet(t, s);
    const auto r = registros(7, 3);
    t.Pendientes.assign(r.begin(), r.end());
    t.SumasMalas = 1;
    t.Anuncia();
    ASSERT_TRUE(espera([&] { return t.Pendientes.empty(); }));
    const std::string historico = Contenido(Configuracion().RutaHistorico);
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
    ASSERT_TRUE(espera([this] { return enlaces->TablaReconexion[1] == 5; }));
    EXPECT_EQ(enlaces->TablaEstadoEnchufe[1], 5u);
    EXPECT_EQ(enlaces->EstadoEnchufe(1), "Conectando ...");
    espera([] { return false; }, 50); // no attempt before the countdown runs out
    EXPECT_EQ(s->Conexiones, 1);
    cincoSegundos();
    ASSERT_TRUE(espera([&] { return t.Saludos == 2; }));
    EXPECT_EQ(s->Conexiones, 2);
    EXPECT_EQ(enlaces->EstadoEnchufe(1), "Conectado");
    // Gone for good: each failed attempt takes one off.
    s->DejaDeEscuchar();
    s->CortaConexion();
    ASSERT_TRUE(espera([this] { return enlaces->TablaReconexion[1] == 5; }));
    cincoSegundos();
    ASSERT_TRUE(espera([this] { return enlaces->TablaEstadoEnchufe[1] == 4; }));
    EXPECT_EQ(enlaces->EstadoEnchufe(1), "Error de socket 4");
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
    ASSERT_TRUE(espera([this] { return enlaces->RecepcionDeFila(1).LongitudFichaje == 80; }));
    s->CortaConexion();
    ASSERT_TRUE(espera([this] { return enlaces->TablaReconexion[1] == 5; }));
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
    dosEthernet(callado, t, s3, s4, [this] { enlaces->CargaTerminales(g); });
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
    enlaces->CargaTerminales(g);
    ASSERT_TRUE(enlaces->AbrePuertoSerie(linea.RutaEsclavo()));
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
    enlaces->CargaTerminales(g);
    ASSERT_TRUE(enlaces->AbrePuertoSerie(linea.RutaEsclavo()));
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
    AjustesPrueba().ModoRadio = 1;
    g.SetRowCount(2);
    g.Cells[0][1] = "OndaRelay";
    g.Cells[1][1] = "BA000012";
    enlaces->CargaTerminales(g);
    ASSERT_TRUE(enlaces->AbrePuertoSerie(linea.RutaEsclavo()));
    enlaces->EnviaTramaInicioRadio();
    const auto r = registros(0x12, 2);
    t.Pendientes.assign(r.begin(), r.end());
    t.Anuncia();
    ASSERT_TRUE(espera([&] { return t.Pendientes.empty(); }));
    EXPECT_EQ(guardados, r);
    ASSERT_EQ(linea.TramasInicio.size(), 1u);
    EXPECT_EQ(linea.Prefijos.size(), 3u); // before each of the three fetches
}

} // namespace
