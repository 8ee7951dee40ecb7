// Receive machine over a recording link: clockings, uploads, list requests, time-outs.
#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "platform/codepage.h"
#include "platform/reloj.h"
#include "platform/stringgrid.h"
#include "support/dirtemporal.h"
#include "support/simulador.h"
#include "terminal/protocolo.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class EnlaceGrabado : public TEnlaceRecepcion {
public:
    std::string Enviado;
    std::vector<unsigned> Prefijos;
    int Purgas = 0;
    void Envia(unsigned, const char *d, int n) override { Enviado.append(d, static_cast<size_t>(n)); }
    void EnviaDireccionRadio(unsigned numero) override { Prefijos.push_back(numero); }
    void Purga() override { ++Purgas; }
};

const std::string ACK(1, 0x06), NAK(1, 0x08), EOT(1, 0x04);

std::string fetch(const char *nn) {
    return std::string("\x05") + nn + "m\r";
}

class Recepcion : public ::testing::Test {
protected:
    void SetUp() override {
        FijaReloj([] { return QDateTime(QDate(2026, 1, 15), QTime(9, 30, 0)); });
        AjustesPrueba().DirHuellas = dir.Ruta() + "/";
        AjustesPrueba().TiempoRespuesta = 400;
        AjustesPrueba().NumReintentos = 10;
        entorno.Traza = [this](const std::string &t) { consola += t; };
        entorno.Guarda = [this](char *r) {
            guardados.emplace_back(r, 103);
            return escritorOk;
        };
        entorno.SG1 = &sg1;
    }
    void TearDown() override { FijaReloj(nullptr); }
    void recibe(const std::string &b) { m.Procesa(b.data(), static_cast<int>(b.size())); }
    std::string fichaje(int anio = 2026, int mes = 1) {
        return RegistroFichaje(7, QDateTime(QDate(anio, mes, 14), QTime(8, 0, 5)), "123 PEREZ");
    }

    DirectorioTrabajo dir;
    EnlaceGrabado enlace;
    TEntornoRecepcion entorno;
    StringGrid sg1{8, 2};
    TRecepcion m{enlace, entorno};
    std::string consola;
    std::vector<std::string> guardados;
    bool escritorOk = true;
};

TEST_F(Recepcion, AnuncioPideFichajeGuardaYPideElSiguiente) {
    recibe("\x07"
           "07");
    EXPECT_EQ(enlace.Enviado, fetch("07"));
    EXPECT_EQ(m.EstadoRecepcion, TEstadoRecepcion::Fichaje);
    const std::string r = fichaje();
    recibe(TramaFichaje(r));
    ASSERT_EQ(guardados.size(), 1u);
    EXPECT_EQ(guardados[0], r);
    EXPECT_EQ(enlace.Enviado, fetch("07") + ACK + fetch("07"));
    EXPECT_EQ(m.EstadoRecepcion, TEstadoRecepcion::Fichaje);
    EXPECT_NE(consola.find("07"), std::string::npos); // announcement traced
}

TEST_F(Recepcion, SumaMalaRecibeNakYNoSeGuarda) {
    recibe("\x07"
           "07");
    recibe(TramaFichaje(fichaje(), true));
    EXPECT_TRUE(guardados.empty());
    EXPECT_EQ(enlace.Enviado, fetch("07") + NAK);
    EXPECT_EQ(m.EstadoRecepcion, TEstadoRecepcion::Reposo);
}

TEST_F(Recepcion, EscritorQueFallaDaMensajeYNak) {
    escritorOk = false;
    recibe("\x07"
           "07" +
           TramaFichaje(fichaje()));
    EXPECT_EQ(enlace.Enviado, fetch("07") + NAK);
    EXPECT_NE(consola.find("ERROR de acceso a disco al escribir el fichaje:"), std::string::npos);
    EXPECT_EQ(m.EstadoRecepcion, TEstadoRecepcion::Reposo);
}

TEST_F(Recepcion, CorreccionDeAnio) {
    // Last year is kept; two years back and next year become the current year.
    for (auto [anio, esperado] : {std::pair{2025, "2025"}, {2024, "2026"}, {2027, "2026"}, {2026, "2026"}}) {
        guardados.clear();
        recibe("\x07"
               "07" +
               TramaFichaje(fichaje(anio, 12)));
        ASSERT_EQ(guardados.size(), 1u) << anio;
        EXPECT_EQ(guardados[0].substr(16, 4), esperado) << anio;
        m.Reinicia();
    }
}

TEST_F(Recepcion, BelTrasSetentaCaracteresTerminaSinSumaYElResto) {
    recibe("\x07"
           "07");
    const std::string r = fichaje().substr(0, 70);
    recibe(r + "\x07"
               "ZZ"); // checksum pair that is not even hexadecimal
    ASSERT_EQ(guardados.size(), 1u);
    EXPECT_EQ(guardados[0].substr(0, 70), r);
    EXPECT_EQ(guardados[0].substr(70), std::string(33, ' ')); // completed with blanks
}

TEST_F(Recepcion, BelConPocosCaracteresEsNuevoAnuncio) {
    recibe("\x07"
           "07"
           "\r\n00");
    recibe("\x07"
           "09");
    EXPECT_EQ(enlace.Enviado, fetch("07") + fetch("09"));
    EXPECT_TRUE(guardados.empty());
}

TEST_F(Recepcion, MascaraDeCodigo) {
    recibe("\x07"
           "07");
    std::string r = fichaje();
    r.replace(40, 5,
              "\xAA"
              "123-");
    recibe(TramaFichaje(r));
    ASSERT_EQ(guardados.size(), 1u);
    EXPECT_EQ(guardados[0].substr(40, 5), " ***-");
}

TEST_F(Recepcion, TercerCaracterLetraSeDescartaSinRespuesta) {
    recibe("\x07"
           "07");
    enlace.Enviado.clear();
    recibe("\r\nA00 resto");
    EXPECT_EQ(m.EstadoRecepcion, TEstadoRecepcion::Reposo);
    EXPECT_TRUE(enlace.Enviado.empty());
}

TEST_F(Recepcion, FichajeDemasiadoLargoRecibeNak) {
    recibe("\x07"
           "07");
    recibe("\r\n007" + std::string(130, 'x'));
    EXPECT_EQ(enlace.Enviado, fetch("07") + NAK);
    EXPECT_EQ(m.EstadoRecepcion, TEstadoRecepcion::Reposo);
}

TEST_F(Recepcion, FichajeCortoRecibeNakYNoHeredaElAnterior) {
    recibe("\x07"
           "07" +
           TramaFichaje(fichaje()));
    ASSERT_EQ(guardados.size(), 1u);
    enlace.Enviado.clear();
    recibe(TramaFichaje("\r\n007 Jue 14/01/2026")); // a short clocking with a good checksum
    EXPECT_EQ(guardados.size(), 1u);
    EXPECT_EQ(enlace.Enviado, NAK);
    EXPECT_EQ(m.EstadoRecepcion, TEstadoRecepcion::Reposo);
    // The buffer was cleared before the fetch: nothing of the first clocking is left.
    recibe("\x07"
           "07");
    EXPECT_EQ(std::string(m.FichajeRecibido), "");
}

TEST_F(Recepcion, TerminalVaciadoAtiendeSubidasYPeticiones) {
    recibe("\x07"
           "07" +
           TramaFichaje(fichaje()));
    ASSERT_EQ(m.EstadoRecepcion, TEstadoRecepcion::Fichaje); // drained terminal: the next fetch has no answer
    recibe("\x02"
           "07"
           "55\r"); // a list request comes instead
    EXPECT_EQ(m.EstadoRecepcion, TEstadoRecepcion::Reposo);
    EXPECT_NE(enlace.Enviado.find("\x05"
                                  "07D05 ACCESO DENEGADO\r"),
              std::string::npos);
    recibe("\x07"
           "07" +
           TramaFichaje(fichaje()));
    recibe("\x01"
           "B");
    EXPECT_EQ(m.EstadoRecepcion, TEstadoRecepcion::RegistrosLista);
}

TEST_F(Recepcion, SubidaDeListaCreaArchivoYFilas) {
    const std::string r1 = RegistroLista("123", "PEREZ", 23, 87), r2 = RegistroLista("45", "GOMEZ", 30, 255);
    recibe("\x01"
           "B");
    EXPECT_EQ(enlace.Enviado, ACK);
    recibe(TramaRegistroLista(r1));
    recibe(TramaRegistroLista(r2));
    recibe(EOT);
    EXPECT_EQ(enlace.Enviado, ACK + ACK + ACK);
    EXPECT_EQ(m.EstadoRecepcion, TEstadoRecepcion::Reposo);
    EXPECT_EQ(m.CuentaRespuesta, 0);
    const std::string archivo = Contenido(dir.Archivo("L1501260930.min"));
    EXPECT_EQ(archivo, r1 + r2);
    ASSERT_EQ(sg1.RowCount(), 3);
    EXPECT_EQ(sg1.Cells[1][1], "123");
    EXPECT_EQ(sg1.Cells[2][1], "PEREZ");
    EXPECT_EQ(sg1.Cells[3][1], "23-87%");
    EXPECT_EQ(sg1.Cells[3][2], "30");
    EXPECT_NE(consola.find("  Recibiendo lista\r\n"), std::string::npos);
}

TEST_F(Recepcion, RegistroConSumaMalaSeReintenta) {
    const std::string r1 = RegistroLista("123", "PEREZ", 23, 87);
    recibe("\x01"
           "B");
    recibe(TramaRegistroLista(r1, true));
    EXPECT_EQ(enlace.Enviado, ACK + NAK);
    EXPECT_EQ(enlace.Purgas, 1);
    recibe(TramaRegistroLista(r1));
    recibe(EOT);
    EXPECT_EQ(Contenido(dir.Archivo("L1501260930.min")), r1);
}

TEST_F(Recepcion, FinDeSubidaNoDejaTiempoDeRespuestaCorriendo) {
    recibe("\x01"
           "B" +
           TramaRegistroLista(RegistroLista("1", "A", 1, 255)) + EOT);
    enlace.Enviado.clear();
    for (int i = 0; i < 1000; ++i)
        m.TickRespuesta();
    EXPECT_TRUE(enlace.Enviado.empty()); // no stray NAK
    EXPECT_EQ(enlace.Purgas, 0);         // nothing purged
    EXPECT_EQ(consola.find("ERROR DE COMUNICACION"), std::string::npos);
}

TEST_F(Recepcion, TiempoAgotadoEnSubidaReintentaYAbandona) {
    AjustesPrueba().NumReintentos = 2;
    AjustesPrueba().TiempoRespuesta = 5;
    recibe("\x01"
           "B");
    for (int i = 0; i < 5; ++i)
        m.TickRespuesta();
    EXPECT_EQ(enlace.Enviado, ACK + NAK);
    recibe("0"); // a byte restarts the countdown
    for (int i = 0; i < 5; ++i)
        m.TickRespuesta();
    EXPECT_EQ(m.EstadoRecepcion, TEstadoRecepcion::Reposo);
    EXPECT_NE(consola.find("ERROR DE COMUNICACION"), std::string::npos);
    EXPECT_EQ(enlace.Enviado, ACK + NAK); // the last time-out sends nothing
    EXPECT_EQ(enlace.Purgas, 1);
}

// Lists of one minute get names of their own; a list appears under its name only once its EOT
// has come, and an upload that stops part-way leaves nothing behind.
TEST_F(Recepcion, SubidasDelMismoMinutoYSubidasCortadas) {
    AjustesPrueba().NumReintentos = 2;
    AjustesPrueba().TiempoRespuesta = 3;
    std::vector<std::string> nombres;
    entorno.ListaRecibida = [&](const std::string &n) { nombres.push_back(n); };
    const std::string r1 = RegistroLista("1", "A", 1, 255), r2 = RegistroLista("2", "B", 2, 255);
    recibe("\x01"
           "B" +
           TramaRegistroLista(r1));
    EXPECT_FALSE(QFileInfo::exists(aQ(dir.Archivo("L1501260930.min"))));
    recibe(EOT);
    recibe("\x01"
           "B" +
           TramaRegistroLista(r2) + EOT);
    EXPECT_EQ(nombres, (std::vector<std::string>{"L1501260930.min", "L1501260930_2.min"}));
    EXPECT_EQ(Contenido(dir.Archivo("L1501260930.min")), r1);
    EXPECT_EQ(Contenido(dir.Archivo("L1501260930_2.min")), r2);

    const std::pair<const char *, std::function<void()>> cortes[] = {
        {"conexion perdida", [&] { m.Reinicia(); }},
        {"sin respuesta",
         [&] {
             for (const char *byte : {"0", ""}) {
                 for (int i = 0; i < 3; ++i)
                     m.TickRespuesta();
                 recibe(byte); // a byte restarts the countdown
             }
         }},
        {"registros malos",
         [&] {
             recibe(TramaRegistroLista(r2, true));
             recibe(TramaRegistroLista(r2, true));
         }},
    };
    for (const auto &[como, corta] : cortes) {
        recibe("\x01"
               "B" +
               TramaRegistroLista(r1));
        corta();
        EXPECT_EQ(m.EstadoRecepcion, TEstadoRecepcion::Reposo) << como;
        EXPECT_EQ(QDir(aQ(dir.Ruta())).entryList(QDir::Files).join(' ').toStdString(),
                  "L1501260930.min L1501260930_2.min")
            << como;
    }
}

TEST_F(Recepcion, ListaQueNoSePuedeCrearNoRecibeAck) {
    AjustesPrueba().DirHuellas = dir.Ruta() + "/no/existe/";
    recibe("\x01"
           "B");
    EXPECT_TRUE(enlace.Enviado.empty());
    EXPECT_EQ(m.EstadoRecepcion, TEstadoRecepcion::Reposo);
    EXPECT_NE(consola.find("ERROR: no se puede crear la lista"), std::string::npos);
}

TEST_F(Recepcion, PeticionDeLista) {
    Escribe(dir.Archivo("U123.min"), RegistroLista("123", "PEREZ", 2, 255));
    recibe("\x02"
           "0A"
           "123\r");
    EXPECT_EQ(enlace.Enviado, std::string("\x05"
                                          "0A\x01R"));
    EXPECT_EQ(entorno.ModoSondeo, 1);
    EXPECT_EQ(entorno.CuentaSegundos, 30);
    EXPECT_NE(entorno.ArchivoListaRam, nullptr);
    EXPECT_EQ(entorno.EnlaceListaRam, &enlace);
    EXPECT_NE(consola.find("Enviando lista a RAM \r\nU123.min\r\n"), std::string::npos);
}

TEST_F(Recepcion, PeticionRechazadaSiFaltaOElCodigoNoEsNumerico) {
    // Missing list, a code that would climb out of the lists directory, an empty code.
    Escribe(dir.Archivo("x.min"), "x");
    for (const char *codigo : {"999", "/../x", "", "12a"}) {
        enlace.Enviado.clear();
        recibe(std::string("\x02"
                           "0A") +
               codigo + "\r");
        EXPECT_EQ(enlace.Enviado, "\x05"
                                  "0AD05 ACCESO DENEGADO\r")
            << codigo;
        EXPECT_EQ(entorno.ModoSondeo, 0);
    }
    // A 17th character ends a code of 16 and is not kept.
    enlace.Enviado.clear();
    recibe("\x02"
           "0A"
           "12345678901234567");
    EXPECT_EQ(m.CodigoPedido, "U1234567890123456.min");
}

TEST_F(Recepcion, RespuestaADenegados) {
    bool respuesta = false;
    entorno.RespuestaDenegados = [&](bool ok) { respuesta = ok; };
    m.EsperaRespuestaDenegados(3);
    recibe(ACK);
    EXPECT_TRUE(respuesta);
    EXPECT_NE(consola.find("Lista enviada correctamente.\r\n"), std::string::npos);
    m.EsperaRespuestaDenegados(3);
    recibe(NAK);
    EXPECT_FALSE(respuesta);
    EXPECT_NE(consola.find("Error de comunicacion: lista no enviada.\r\n"), std::string::npos);
    // No reply: the time-out ends the wait.
    m.EsperaRespuestaDenegados(3);
    for (int i = 0; i < Configuracion().TiempoRespuesta; ++i)
        m.TickRespuesta();
    EXPECT_EQ(m.EstadoRecepcion, TEstadoRecepcion::Reposo);
}

TEST_F(Recepcion, TrazaLargaSeVuelcaEnTrozos) {
    std::vector<size_t> trozos;
    entorno.Traza = [&](const std::string &t) { trozos.push_back(t.size()); };
    recibe(std::string(5000, 'x'));
    size_t total = 0;
    for (size_t t : trozos) {
        EXPECT_LE(t, static_cast<size_t>(TRecepcion::MaxTraza));
        total += t;
    }
    EXPECT_EQ(total, 5000u);
}

TEST_F(Recepcion, ConsolaPideFichaje) {
    m.EsperaFichaje(0x0B);
    recibe(TramaFichaje(fichaje()));
    ASSERT_EQ(guardados.size(), 1u);
    EXPECT_EQ(enlace.Enviado, ACK + fetch("0B"));
}

} // namespace
