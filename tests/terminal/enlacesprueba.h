#pragma once
// The links against the terminal simulator: a working directory, links of the test's own (or a
// panel's) with the receive machines' console and writer captured, and terminals served over
// loopback TCP.
#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "platform/reloj.h"
#include "platform/stringgrid.h"
#include "support/dirtemporal.h"
#include "support/simulador.h"
#include "terminal/enlace.h"
#include "terminal/protocolo.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

const QDateTime kHora(QDate(2026, 1, 14), QTime(8, 0, 0));

inline std::vector<std::string> registros(unsigned terminal, int n) {
    std::vector<std::string> v;
    for (int i = 0; i < n; ++i)
        v.push_back(RegistroFichaje(terminal, kHora.addSecs(60 * i), std::to_string(100 + i) + " EMPLEADO"));
    return v;
}

class Simulador : public ::testing::Test {
protected:
    void SetUp() override {
        AjustesPrueba() = LeeConfiguracion(dir.Archivo("velkatron.ini"));
        AjustesPrueba().DirHuellas = dir.Ruta() + "/";
        CapturaRecepcion(propios.Entorno, consola, guardados);
    }
    void TearDown() override {
        propios.CierraEnlaces();
        AjustesPrueba().ModoRadio = 0;
        FijaRelojMonotono(nullptr);
    }
    // One Ethernet terminal numbered n served by a simulator.
    void ethernet(TerminalSimulado &t, std::unique_ptr<ServidorTerminal> &s) {
        const int base = BuscaBaseLibre({t.Numero});
        ASSERT_NE(base, 0);
        AjustesPrueba().PuertoTcpBase = base;
        s = std::make_unique<ServidorTerminal>(t, static_cast<quint16>(base + t.Numero));
        g.SetRowCount(2);
        g.Cells[0][1] = "Ethernet";
        g.Cells[1][1] = "127.0.0.1:" + std::to_string(t.Numero);
        g.Cells[5][1] = "Todo";
        enlaces->CargaTerminales(g);
        ASSERT_TRUE(MotorEnlace::EsperaHasta([&] { return t.Saludos == 1; }));
    }
    // Terminals a and b on Ethernet rows 1 and 2, connected by carga.
    void dosEthernet(TerminalSimulado &a, TerminalSimulado &b, std::unique_ptr<ServidorTerminal> &sa,
                     std::unique_ptr<ServidorTerminal> &sb, const std::function<void()> &carga) {
        const int base = BuscaBaseLibre({a.Numero, b.Numero});
        ASSERT_NE(base, 0);
        AjustesPrueba().PuertoTcpBase = base;
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
    bool subeLista(TerminalSimulado &t, const std::vector<std::string> &lista, std::vector<int> malos,
                   const QDateTime &hora) {
        FijaReloj([hora] { return hora; });
        t.SubeLista(lista, std::move(malos));
        const bool fin = espera([&] { return t.FinLista; });
        FijaReloj(nullptr);
        return fin && espera([this] {
                   return enlaces->RecepcionDeFila(1).EstadoRecepcion == TEstadoRecepcion::Reposo;
               });
    }

    // The monotonic clock in the test's hand: n seconds of reconnection countdown go by.
    void relojManual() {
        FijaRelojMonotono([this] { return ms; });
        enlaces->CuentaReconexiones(); // the count's second starts now, not at the motor's first tick
    }
    void pasanSegundos(int n) {
        for (int i = 0; i < n; ++i) {
            ms += 1000;
            enlaces->CuentaReconexiones();
        }
    }

    DirectorioTrabajo dir;
    StringGrid g{6, 1};
    qint64 ms = 0;
    std::string consola;
    std::vector<std::string> guardados;
    TEnlaces propios;
    TEnlaces *enlaces = &propios; // the links under test: these, or a panel's
    MotorEnlace motor{propios};
};

} // namespace
