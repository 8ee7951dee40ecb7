// The presence listing as the operator runs it. The program's windows (CreaVentanas, as the
// program creates them, with MuestraInforme as the report viewer) over a working directory that
// holds a year of a company's clockings in day files (the one terminal, a file a day; about 1,400
// lines an employee) and its master data in files. "Listar" of the presence selection window with
// the chosen employees, "Detallado", the year in the panel's pickers, with and without the day
// graph: timed from the click until the GUI thread is idle, with every document window open and
// laid out as Qt lays it out when shown (posted events and the editors' layout timers included); a
// window builds its document when it is first painted, so the windows that others cover wholly do
// not (counter "vistas": the windows that did).
// 30 and 100 employees of a company of 100, so both read the same files; 1,000 of a company of
// 1,000 with the graph, once, with the process's peak memory (run it alone for a true figure).
// Beside it: the same run without windows (no viewer installed), and a plain read of the files.
//
// Left out: drawing on a real screen (the platform is offscreen: the windows paint into images in
// memory), the periodic timers of the main
// window and of the control panel that were running before the click (their ticks are not the
// listing's work; they run all the same), and closing the windows after each iteration.
#include "app/creacion.h"
#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "common/sesion.h"
#include "frame/documento.h"
#include "frame/principal.h"
#include "masterdata/empleados.h"
#include "masterdata/tiposincidencia.h"
#include "platform/codepage.h"
#include "platform/informe.h"
#include "platform/lineas.h"
#include "presence/ejecucionpresencia.h"
#include "presence/incidencias.h"
#include "presence/ui/listar.h"
#include "support/respuestas.h"
#include "terminal/fichaje.h"
#include "terminal/fichajesprueba.h"
#include "terminal/listadofichajes.h"
#include "terminal/ui/panel.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <chrono>
#include <map>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using Reloj = std::chrono::steady_clock;

const QDate kDesde(2011, 1, 1), kHasta(2011, 12, 31);

// The application, which notes when it last handled an event that is the listing's work: every
// event but the ticks of the timers that were already running before the click.
class Aplicacion : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject *o, QEvent *e) override {
        const bool r = QApplication::notify(o, e);
        if (!(e->type() == QEvent::Timer && Fondo.contains(o)))
            UltimoTrabajo = Reloj::now();
        return r;
    }
    QSet<QObject *> Fondo;
    Reloj::time_point UltimoTrabajo;
};

Aplicacion &App() {
    static int argc = 1;
    static char nombre[] = "bench_presencia";
    static char *argv[] = {nombre, nullptr};
    static Aplicacion *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new Aplicacion(argc, argv);
    }();
    return *app;
}

// Handles events until the GUI thread has had no work for a while; returns when the last work
// ended.
Reloj::time_point HastaReposo() {
    constexpr auto kReposo = std::chrono::milliseconds(300);
    Aplicacion &app = App();
    QAbstractEventDispatcher *d = QAbstractEventDispatcher::instance();
    app.UltimoTrabajo = Reloj::now();
    while (Reloj::now() - app.UltimoTrabajo < kReposo) {
        if (!d->processEvents(QEventLoop::AllEvents))
            usleep(200);
    }
    return app.UltimoTrabajo;
}

// The timers running now: their ticks are not the work of what is started next.
QSet<QObject *> TimersEnMarcha() {
    QSet<QObject *> s;
    for (QWidget *w : QApplication::topLevelWidgets())
        for (QTimer *t : w->findChildren<QTimer *>())
            if (t->isActive())
                s.insert(t);
    return s;
}

// Handles events until the GUI thread is idle, counting as work what is not a tick of the timers
// running now.
void Reposa() {
    App().Fondo = TimersEnMarcha();
    HastaReposo();
    App().Fondo.clear();
}

std::string Item(int n) {
    return std::to_string(100 + n) + " Empleado " + std::to_string(n);
}

// A working directory with a year of a company's clockings (day files of terminal 1), its
// incidence file, day map and master data; made once per size.
class Empresa {
public:
    explicit Empresa(int empleados) {
        Entra();
        CreaDirectorio("fichajes");
        CreaDirectorio("datos");
        CreaDirectorio("archivos/presencia");
        Maestros(empleados);
        const TFormatoAnalizado formato = AnalizaFormato(Configuracion().FormatoFichaje);
        std::vector<std::string> incidencias; // newest first
        for (QDate d = kHasta; d >= kDesde; d = d.addDays(-1)) {
            std::string dia;
            for (int h : {8, 13, 14, 17})
                for (int n = 1; n <= empleados; ++n) {
                    const int k = d.dayOfYear() + n;
                    if (k % 17 == 0 || (h == 17 && k % 23 == 0))
                        continue; // on holiday; a forgotten exit
                    const int minuto = h == 8 ? (d.day() + n) % 15 : h == 17 ? (d.day() * n) % 40 : 0;
                    const int incidencia = h == 14 && d.day() % 9 == 0 ? 2 : 0;
                    dia += FormateaFichaje(
                        formato, Registro(1, d.day(), d.month(), d.year(), h, minuto, Item(n), incidencia));
                    ++Lineas;
                }
            const std::string ruta =
                Configuracion().DirFichajes + NombreParcial(Configuracion().PatronParcial,
                                                            FichajeEnEspera(1, d.day(), d.month(), d.year()));
            GuardaBytes(ruta, dia);
            Rutas.push_back(ruta);
            for (int n = 1; n <= empleados; ++n) {
                const int k = d.dayOfYear() + n;
                if (d.dayOfWeek() < 6 && k % 17 == 0)
                    incidencias.insert(incidencias.end(),
                                       {TextoDia(d) + " 00:00", Item(n), "3 Vacaciones *Empresa"});
                else if (k % 29 == 0)
                    incidencias.insert(incidencias.end(),
                                       {TextoDia(d) + " 00:30", Item(n), "4 Retraso *Trabajador"});
            }
        }
        GuardaIncidencias(2011, incidencias);
        ::sync(); // the files on disk before anything is timed
    }

    // Makes this company's directory the working directory, with the program's default settings.
    void Entra() const {
        QDir::setCurrent(dir_.path());
        AjustesPrueba() = LeeConfiguracion();
    }

    std::vector<std::string> Items;
    std::vector<std::string> Rutas;
    long Lineas = 0;

private:
    // The files the windows read when they are created: the company tree and the employees (all on
    // calendar 1), the hour types and schedules, the incidence types, the terminal and the day map.
    void Maestros(int empleados) {
        StringGrid sg1(ColumnasEmpleado, empleados + 1);
        std::string arbol = "Empresa\r\n";
        for (int n = 1; n <= empleados; ++n) {
            Items.push_back(Item(n));
            sg1.SetFila(n, {Item(n), "", "", "", "", "", "", "", "", "", "1", "1.5 2 "});
            arbol += "\t" + Item(n) + "\r\n";
        }
        GuardaBytes("datos/empresa.org", arbol);
        GuardaLineas("datos/empleados.dat", LineasEmpleados(sg1));
        GuardaBytes("datos/calendarios.dat", "1\r\n2011\r\nLaboral\r\n");
        std::string mapa(366, '\xff');
        for (QDate d = kDesde; d <= kHasta; d = d.addDays(1))
            mapa[static_cast<size_t>(d.dayOfYear() - 1)] = d.dayOfWeek() >= 6 ? 0 : 1;
        GuardaBytes("datos/H2011.001", mapa);
        GuardaBytes("datos/horarios.def", "Cortesia\r\n0\r\n0\r\n0\r\nPresencia\r\n8\r\n0\r\n65280\r\n"
                                          "Extra\r\n10\r\n0\r\n255\r\nDescanso\r\n0\r\n1\r\n0\r\n");
        GuardaBytes("datos/horarios.dat",
                    "0\r\nFestivo\r\n 1440 4\r\n1\r\nPartida\r\n 480 2 10 0 300 1 60 3 180 1 240 2\r\n");
        StringGrid tipos(3, 4);
        tipos.SetFila(0, {"Codigo", "Incidencia", "Cargo"});
        tipos.SetFila(1, {"2", "Olvido", "Trabajador"});
        tipos.SetFila(2, {"3", "Vacaciones", "Empresa"});
        tipos.SetFila(3, {"4", "Retraso", "Trabajador"});
        GuardaTiposIncidencia(RutaIncidencias(), tipos);
        GuardaBytes("datos/terminales.dat", "Tipo\r\nDireccion\r\nDescripcion\r\nPermitidos\r\nDenegados\r\n"
                                            "Modo\r\nSerie\r\n1\r\nEntrada\r\n\r\n\r\nTodo\r\n");
    }

    QTemporaryDir dir_;
};

Empresa &empresa(int empleados) {
    static std::map<int, std::unique_ptr<Empresa>> empresas;
    auto &e = empresas[empleados];
    if (!e)
        e = std::make_unique<Empresa>(empleados);
    e->Entra();
    return *e;
}

// The program's windows over a company's directory, the main window on screen and logged in.
class Programa {
public:
    Programa() {
        Sesion().NivelUsuario = 1; // logged in: showing the main window asks nothing
        CreaVentanas();
        MainForm->resize(1280, 960);
        MainForm->show();
        FormVelka->DTP1->setDate(kDesde);
        FormVelka->DTP2->setDate(kHasta);
        Reposa();
    }
    ~Programa() {
        delete MainForm;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Sesion().NivelUsuario = 0;
    }
    int Fallos() const { return static_cast<int>(respuestas_.Mensajes.size()); }

    // The document windows open in the main window.
    static std::vector<QMdiSubWindow *> Documentos() {
        std::vector<QMdiSubWindow *> v;
        for (QMdiSubWindow *s : MainForm->Area()->subWindowList())
            if (qobject_cast<TMDIChild *>(s->widget()))
                v.push_back(s);
        return v;
    }
    static void CierraDocumentos() {
        for (QMdiSubWindow *s : Documentos())
            s->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Reposa();
    }

private:
    RespuestasPrueba respuestas_;
};

// The presence selection window as the operator leaves it before "Listar": the first employees of
// the company chosen, "Detallado", the graph or not, no stop at an incidence. Arguments: employees
// listed, employees of the company, graph (0/1). Made before every listing: the window empties
// its list when it is activated again.
TFormListar &Seleccion(const Empresa &e, const benchmark::State &state) {
    TFormListar &l = *FormListar;
    l.LB2->clear();
    for (int n = 0; n < state.range(0); ++n)
        l.LB2->addItem(aQ(e.Items[static_cast<size_t>(n)]));
    l.RadioButton1->setChecked(true);
    l.CheckBox1->setChecked(state.range(2) != 0);
    l.CheckIncidencias->setChecked(false);
    return l;
}

void BM_ListarPresencia_VentanasVisibles(benchmark::State &state) {
    App();
    const Empresa &e = empresa(static_cast<int>(state.range(1)));
    Programa programa;
    size_t ventanas = 0, vistas = 0;
    double ejecucion = 0;
    for (auto _ : state) {
        TFormListar &l = Seleccion(e, state);
        App().Fondo = TimersEnMarcha();
        const auto inicio = Reloj::now();
        l.Button1Click();
        const auto vuelta = Reloj::now();
        const auto fin = HastaReposo();
        state.SetIterationTime(std::chrono::duration<double>(fin - inicio).count());
        ejecucion += std::chrono::duration<double>(vuelta - inicio).count();
        ventanas = Programa::Documentos().size();
        vistas = 0;
        for (QMdiSubWindow *s : Programa::Documentos())
            vistas += !static_cast<TMDIChild *>(s->widget())->DocumentoPendiente();
        Programa::CierraDocumentos();
        if (ventanas != static_cast<size_t>(state.range(0)) || programa.Fallos())
            state.SkipWithError("the listing did not open one window per employee");
    }
    state.counters["ventanas"] = static_cast<double>(ventanas);
    state.counters["vistas"] = static_cast<double>(vistas); // windows that built their document
    state.counters["hasta_volver_s"] = ejecucion / static_cast<double>(state.iterations());
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    state.counters["pico_MB"] = static_cast<double>(uso.ru_maxrss) / 1024;
}
BENCHMARK(BM_ListarPresencia_VentanasVisibles)
    ->ArgNames({"empleados", "plantilla", "grafico"})
    ->ArgsProduct({{30, 100}, {100}, {0, 1}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListarPresencia_VentanasVisibles)
    ->ArgNames({"empleados", "plantilla", "grafico"})
    ->Args({1000, 1000, 1})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The same run (the same reports written) with no viewer installed: no window is opened.
void BM_EjecucionPresencia_SinVentanas(benchmark::State &state) {
    App();
    const Empresa &e = empresa(static_cast<int>(state.range(1)));
    Programa programa;
    FijaVisorInformes(nullptr);
    for (auto _ : state) {
        state.PauseTiming();
        TFormListar &l = Seleccion(e, state);
        state.ResumeTiming();
        l.Button1Click();
    }
    if (!Programa::Documentos().empty() || programa.Fallos())
        state.SkipWithError("a window was opened");
}
BENCHMARK(BM_EjecucionPresencia_SinVentanas)
    ->ArgNames({"empleados", "plantilla", "grafico"})
    ->ArgsProduct({{30, 100}, {100}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// The bytes of the year's day files of a company, read whole.
void BM_LecturaPlana(benchmark::State &state) {
    App();
    const Empresa &e = empresa(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        size_t total = 0;
        std::string bytes;
        for (const std::string &r : e.Rutas) {
            LeeBytes(r, bytes);
            total += bytes.size();
        }
        benchmark::DoNotOptimize(total);
    }
    state.counters["fichajes"] = static_cast<double>(e.Lineas);
}
BENCHMARK(BM_LecturaPlana)->ArgName("plantilla")->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// The year of the company of 100 listed into the panel's grid by "Listar" (every employee).
void BM_ListadoAnual(benchmark::State &state) {
    App();
    const Empresa &e = empresa(100);
    Programa programa;
    TFormVelka &panel = *FormVelka;
    panel.EDBusca->clear();
    for (auto _ : state) {
        panel.BListarClick();
        benchmark::DoNotOptimize(panel.SGFichajes.RowCount());
    }
    state.counters["filas"] = panel.SGFichajes.RowCount() - 1;
    state.counters["fichajes"] = static_cast<double>(e.Lineas);
}
BENCHMARK(BM_ListadoAnual)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
