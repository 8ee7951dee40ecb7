// Draining one Ethernet terminal on loopback: 10,000 pending clockings fetched, checked,
// stored and acknowledged one after another. Reports clockings per second and the time per
// clocking around the 100th and the 10,000th. Then the control panel itself (its timers, the
// clocking writer with the employees grid): 3,000 clockings of a known employee, which toggle
// the presence table, and 3,000 of an unknown one, in the same run.
#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "platform/lineas.h"
#include "platform/stringgrid.h"
#include "presence/presenciafichaje.h"
#include "support/dirtemporal.h"
#include "support/respuestas.h"
#include "support/simulador.h"
#include "terminal/enlace.h"
#include "terminal/guardafichaje.h"
#include "terminal/ui/panel.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <chrono>
#include <clocale>
#include <deque>
#include <functional>
#include <memory>

namespace {

using Reloj = std::chrono::steady_clock;

// Mean seconds per clocking of the 100 clockings that end at number hasta (1-based).
double media(const std::vector<Reloj::time_point> &t, size_t hasta) {
    const size_t desde = hasta > 100 ? hasta - 100 : 0;
    const Reloj::time_point inicio = desde == 0 ? t.front() : t[desde - 1];
    return std::chrono::duration<double>(t[hasta - 1] - inicio).count() / static_cast<double>(hasta - desde);
}

// Terminal 7 served on loopback; carga loads the one Ethernet row that reaches it.
std::unique_ptr<ServidorTerminal> conecta(TerminalSimulado &t,
                                          const std::function<void(const StringGrid &)> &carga) {
    AjustesPrueba().PuertoTcpBase = BuscaBaseLibre({7});
    auto servidor =
        std::make_unique<ServidorTerminal>(t, static_cast<quint16>(Configuracion().PuertoTcpBase + 7));
    StringGrid g(6, 2);
    g.Cells[0][1] = "Ethernet";
    g.Cells[1][1] = "127.0.0.1:7";
    g.Cells[5][1] = "Todo";
    carga(g);
    MotorEnlace::EsperaHasta([&] { return t.Saludos == 1; });
    return servidor;
}

void vacia(benchmark::State &state, bool escritorReal) {
    constexpr int N = 10000;
    for (auto _ : state) {
        state.PauseTiming();
        DirectorioTrabajo dir;
        AjustesPrueba() = LeeConfiguracion(dir.Archivo("velkatron.ini"));
        AjustesPrueba().DirFichajes = dir.Ruta() + "/fichajes/";
        CreaDirectorio(Configuracion().DirFichajes);
        AjustesPrueba().RutaHistorico = Configuracion().DirFichajes + Configuracion().NombreHistorico;
        std::vector<Reloj::time_point> tiempos;
        tiempos.reserve(N);
        TEnlaces enlaces;
        enlaces.Entorno.Guarda = [&](char *r) {
            const bool ok = escritorReal ? GuardaFichaje(r) : true;
            tiempos.push_back(Reloj::now());
            return ok;
        };
        TerminalSimulado t(7);
        const QDateTime hora(QDate(2026, 1, 14), QTime(6, 0, 0));
        for (int i = 0; i < N; ++i)
            t.Pendientes.push_back(RegistroFichaje(
                7, hora.addSecs(i), std::to_string(100 + i % 30) + " EMPLEADO", 0, "00000000"));
        MotorEnlace motor(enlaces);
        const auto servidor = conecta(t, [&](const StringGrid &g) { enlaces.CargaTerminales(g); });
        state.ResumeTiming();

        const Reloj::time_point inicio = Reloj::now();
        t.Anuncia();
        const bool vaciado = MotorEnlace::EsperaHasta([&] { return t.Pendientes.empty(); }, 120000);
        const double segundos = std::chrono::duration<double>(Reloj::now() - inicio).count();

        state.PauseTiming();
        if (!vaciado || static_cast<int>(tiempos.size()) < N) {
            state.SkipWithError("el terminal no se vació");
        } else {
            state.counters["fichajes_por_segundo"] = N / segundos;
            state.counters["ms_hacia_el_100"] = 1000.0 * media(tiempos, 100);
            state.counters["ms_hacia_el_10000"] = 1000.0 * media(tiempos, N);
        }
        state.ResumeTiming();
    }
}

void BM_VaciaTerminalEscritorReal(benchmark::State &s) {
    vacia(s, true);
}
void BM_VaciaTerminalSoloEnlace(benchmark::State &s) {
    vacia(s, false);
}
BENCHMARK(BM_VaciaTerminalEscritorReal)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_VaciaTerminalSoloEnlace)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// Clockings of one employee, one minute apart (the line shows the minute: no duplicates).
std::deque<std::string> deEmpleado(const std::string &empleado, const QDateTime &desde, int n) {
    std::deque<std::string> r;
    for (int i = 0; i < n; ++i)
        r.push_back(RegistroFichaje(7, desde.addSecs(60 * i), empleado));
    return r;
}

void BM_PanelConocidoYDesconocido(benchmark::State &state) {
    constexpr int N = 3000;
    for (auto _ : state) {
        DirectorioTrabajo dir;
        RespuestasPrueba respuestas;
        AjustesPrueba() = LeeConfiguracion(); // as the program reads it before the panel
        auto panel = std::make_unique<TFormVelka>();
        AjustesPrueba().DirFichajes = dir.Ruta() + "fichajes/";
        CreaDirectorio(Configuracion().DirFichajes);
        AjustesPrueba().RutaHistorico = Configuracion().DirFichajes + Configuracion().NombreHistorico;
        StringGrid empleados(13, 4);
        empleados.Cells[0][1] = "5 GIL";
        empleados.Cells[0][2] = "12 GARCIA";
        empleados.Cells[0][3] = "40 RUIZ";
        FijaFichajeGuardado([&](const std::string &r) { return AnotaPresencia(r, &empleados); });
        TerminalSimulado t(7);
        const auto servidor = conecta(t, [&](const StringGrid &g) { panel->CargaTerminales(g); });

        auto ritmo = [&](const std::string &empleado, const QDateTime &desde) {
            t.Pendientes = deEmpleado(empleado, desde, N);
            const Reloj::time_point inicio = Reloj::now();
            t.Anuncia();
            if (!MotorEnlace::EsperaHasta([&] { return t.Pendientes.empty(); }, 120000))
                return 0.0;
            return N / std::chrono::duration<double>(Reloj::now() - inicio).count();
        };
        const double conocido = ritmo("12 GARCIA JUAN", QDateTime(QDate(2026, 1, 14), QTime(6, 0)));
        const double desconocido = ritmo("77 NADIE", QDateTime(QDate(2026, 2, 14), QTime(6, 0)));
        if (conocido == 0 || desconocido == 0)
            state.SkipWithError("el terminal no se vació");
        state.counters["conocido_por_segundo"] = conocido;
        state.counters["desconocido_por_segundo"] = desconocido;
        state.counters["conocido_entre_desconocido"] = desconocido > 0 ? conocido / desconocido : 0;
        panel.reset();
        FijaFichajeGuardado(nullptr);
    }
}
BENCHMARK(BM_PanelConocidoYDesconocido)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
