// Clocking listings over a year of day files (4 terminals, a file a day and terminal) of 30
// employees (about 44,000 lines) and of 1,000 employees (about 1.46 million lines), each beside a
// plain read of the same files: the control panel's "Listar" into its shown clockings grid, the
// listing service into a grid of its own, and the clocking writer into a day file that already
// holds 10,000 lines.
//
// Left out: the panel's creation and first drawing before the click, the disk (the files are in
// the page cache once the year is written), the terminal links (the panel's list holds the
// terminals, no link is opened), scrolling the grid, and closing the panel. rss_crece_MB is the
// process's peak after the listings less its resident size before them: an upper bound of what
// the listing adds. The 1,000-employee figures are one listing each; run them alone
// (--benchmark_filter) so that an earlier benchmark's peak does not count as theirs.
#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "platform/lineas.h"
#include "platform/numeros.h"
#include "platform/stringgrid.h"
#include "platform/ui/stringgridview.h"
#include "terminal/fichaje.h"
#include "terminal/guardafichaje.h"
#include "terminal/listadofichajes.h"
#include "terminal/ui/panel.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QDate kDesde(2023, 1, 1), kHasta(2023, 12, 31);

std::string Registro(int terminal, QDate d, int hora, int minuto, int empleado, int segundo = 0) {
    std::string e = Formato("%d EMPLEADO NUMERO %d", empleado, empleado);
    e.resize(54, ' ');
    return Formato("\r\n%03d Jue %02d/%02d/%04d %02d:%02d:%02d 000 ", terminal, d.day(), d.month(), d.year(),
                   hora, minuto, segundo) +
           e + "         E-0000";
}

// A working directory with a year of clockings of a company, written a day at a time; made once
// per size.
class Datos {
public:
    explicit Datos(int empleados) {
        Entra();
        CreaDirectorio("fichajes");
        CreaDirectorio("datos");
        const TFormatoAnalizado f = AnalizaFormato(Configuracion().FormatoFichaje);
        const TFormatoAnalizado p = AnalizaFormato(Configuracion().PatronParcial);
        for (QDate d = kDesde; d <= kHasta; d = d.addDays(1)) {
            std::map<std::string, std::string> archivos;
            for (int e = 1; e <= empleados; ++e) {
                const int t = e % 4 + 1;
                for (int h : {8, 13, 14, 17}) {
                    const std::string r = Registro(t, d, h, e % 60, e);
                    archivos[Configuracion().DirFichajes + NombreParcial(p, r)] += FormateaFichaje(f, r);
                    ++Lineas;
                }
            }
            for (const auto &[ruta, bytes] : archivos) {
                GuardaBytes(ruta, bytes);
                Rutas.push_back(ruta);
                Bytes += static_cast<long>(bytes.size());
            }
        }
        ::sync();
    }
    // Makes this company's directory the working directory, with its settings.
    void Entra() const {
        QDir::setCurrent(dir_.path());
        AjustesPrueba().DirFichajes = "fichajes/";
        AjustesPrueba().DirDatos = "datos/";
        AjustesPrueba().PatronParcial = "$2d$2m$2a.$3t";
        AjustesPrueba().FormatoFichaje = "$3t-$2c $1i $32n $8p $2d/$2m/$4a $2H:$2M\\r\\n";
        AjustesPrueba().RutaHistorico = "fichajes/historico";
        AjustesPrueba().NombrePuerto.clear();
    }
    std::vector<TTerminalListado> Terminales() const {
        return {{'E', 'E', 1, true}, {'E', 'E', 2, true}, {'E', 'E', 3, true}, {'E', 'E', 4, true}};
    }
    long Lineas = 0;
    long Bytes = 0;
    std::vector<std::string> Rutas;

private:
    QTemporaryDir dir_;
};

Datos &datos(int empleados = 30) {
    static std::map<int, std::unique_ptr<Datos>> todos;
    auto &d = todos[empleados];
    if (!d)
        d = std::make_unique<Datos>(empleados);
    d->Entra();
    return *d;
}

void Aplicacion() {
    static int argc = 1;
    static char nombre[] = "bench_fichajes";
    static char *argv[] = {nombre, nullptr};
    static QApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    (void)app;
}

double MegasPico() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1024.0;
}

double MegasAhora() {
    long paginas = 0, residentes = 0;
    std::ifstream("/proc/self/statm") >> paginas >> residentes;
    return static_cast<double>(residentes) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Delivers events until a pass over the queue delivers none: the GUI thread is idle.
void HastaReposo() {
    struct Cuenta : QObject {
        long n = 0;
        bool eventFilter(QObject *, QEvent *) override {
            ++n;
            return false;
        }
    } cuenta;
    qApp->installEventFilter(&cuenta);
    long antes = -1;
    while (cuenta.n != antes) {
        antes = cuenta.n;
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    qApp->removeEventFilter(&cuenta);
}

// The bytes of the year's day files, each read whole by the system's calls into one buffer.
void BM_LecturaPlana(benchmark::State &s) {
    Datos &d = datos(static_cast<int>(s.range(0)));
    std::vector<char> bytes(1 << 20);
    for (auto _ : s) {
        size_t total = 0;
        for (const std::string &r : d.Rutas) {
            const int fd = ::open(r.c_str(), O_RDONLY | O_CLOEXEC);
            for (ssize_t n; fd >= 0 && (n = ::read(fd, bytes.data(), bytes.size())) > 0;)
                total += static_cast<size_t>(n);
            if (fd >= 0)
                ::close(fd);
        }
        benchmark::DoNotOptimize(total);
    }
    s.counters["lineas"] = static_cast<double>(d.Lineas);
    s.counters["archivos_MB"] = static_cast<double>(d.Bytes) / (1024.0 * 1024.0);
}

// The control panel shown, its terminal list holding the four terminals (without links), the
// year in its pickers, "Parcial" and "Presencia": "Listar" clicked (every employee), until the
// GUI thread is idle with the grid showing the first rows.
void BM_ListarEnPanelVisible(benchmark::State &s) {
    Aplicacion();
    Datos &d = datos(static_cast<int>(s.range(0)));
    TFormVelka panel;
    for (int t = 1; t <= 4; ++t) {
        auto *item = new QListWidgetItem(QString("EE 10.0.0.%1:%1 Terminal %1").arg(t), panel.CLBTerminales);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    panel.DTP1->setDate(kDesde);
    panel.DTP2->setDate(kHasta);
    panel.RadioButton2->setChecked(true);
    panel.RadioButton3->setChecked(true);
    panel.resize(1000, 700);
    panel.show();
    HastaReposo();
    const double antes = MegasAhora();
    for (auto _ : s) {
        panel.BListar->click();
        HastaReposo();
    }
    const int filas = panel.SGFichajes.RowCount() - 1;
    if (filas != d.Lineas || !panel.VistaFichajes->isVisible() ||
        panel.VistaFichajes->rowAt(panel.VistaFichajes->viewport()->height() / 2) < 1)
        s.SkipWithError("la rejilla no muestra el listado");
    s.counters["filas"] = filas;
    s.counters["archivos_MB"] = static_cast<double>(d.Bytes) / (1024.0 * 1024.0);
    s.counters["rss_pico_MB"] = MegasPico();
    s.counters["rss_crece_MB"] = MegasPico() - antes;
}

BENCHMARK(BM_LecturaPlana)->ArgName("empleados")->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListarEnPanelVisible)->ArgName("empleados")->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LecturaPlana)->ArgName("empleados")->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListarEnPanelVisible)
    ->ArgName("empleados")
    ->Arg(1000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The listing service into a grid of its own: the whole year (every employee), and one
// employee's year read as another window reads it, as the presence report lists it for each.
void BM_Listado(benchmark::State &s, const char *busca, bool externa) {
    Datos &d = datos();
    StringGrid g;
    TPeticionListado p;
    p.Desde = kDesde;
    p.Hasta = kHasta;
    p.Terminales = d.Terminales();
    p.Busca = busca;
    p.Externa = externa;
    for (auto _ : s) {
        ListaFichajes(p, g, {});
        benchmark::DoNotOptimize(g.RowCount());
    }
    s.counters["filas"] = g.RowCount() - 1;
}
BENCHMARK_CAPTURE(BM_Listado, Anual, "", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Listado, Empleado, "17 ", true)->Unit(benchmark::kMillisecond);

// Stores one new clocking into a day file that holds `lineas` lines when the run starts.
void BM_GuardaFichaje(benchmark::State &s) {
    datos();
    const int lineas = static_cast<int>(s.range(0));
    const QDate dia = QDate(2030, 1, 1).addDays(lineas % 1000);
    const TFormatoAnalizado f = AnalizaFormato(Configuracion().FormatoFichaje);
    std::string contenido;
    for (int i = 0; i < lineas; ++i)
        contenido += FormateaFichaje(f, Registro(9, dia, i / 60 % 24, i % 60, 100000 + i));
    const std::string ruta =
        Configuracion().DirFichajes + NombreParcial(Configuracion().PatronParcial, Registro(9, dia, 0, 0, 1));
    GuardaBytes(ruta, contenido);
    OlvidaParciales();
    const bool frio = s.range(1) != 0;
    int n = 0;
    for (auto _ : s) {
        if (frio) { // as the first clocking of the day file after the program starts
            s.PauseTiming();
            OlvidaParciales();
            s.ResumeTiming();
        }
        std::string r = Registro(9, dia, n / 60 % 24, n % 60, 200000 + n);
        ++n;
        if (!GuardaFichaje(r.data()))
            s.SkipWithError("no se pudo guardar");
    }
}
BENCHMARK(BM_GuardaFichaje)
    ->Args({100, 0})
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
