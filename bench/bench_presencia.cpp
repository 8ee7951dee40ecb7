// The presence run as the program runs it, over one year: each employee's clockings listed by the
// control panel from the day files on disk (one terminal, a file a day) and read by its pair
// reader, each report written as rich text. "Detallado" for 1, 10 and 30 employees of a company
// of 30 (about 41,000 lines over 365 files) and for 100 of a company of 100, without and with the
// day graph; and 30 of the company of 100, so that 30 and 100 employees read the same files.
// Beside it, the year of the company of 30 listed into the panel's grid and a plain read of the
// same files.
#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "presence/incidencias.h"
#include "presence/ui/fuentespresencia.h"
#include "terminal/fichaje.h"
#include "terminal/fichajesprueba.h"
#include "terminal/listadofichajes.h"
#include "terminal/ui/panelprueba.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>
#include <unistd.h>

namespace {

const QDate kDesde(2011, 1, 1), kHasta(2011, 12, 31);

void Aplicacion() {
    static int argc = 1;
    static char nombre[] = "bench_presencia";
    static char *argv[] = {nombre, nullptr};
    static QApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    (void)app;
}

std::string Item(int n) {
    return std::to_string(100 + n) + " Empleado " + std::to_string(n);
}

// A working directory with a year of a company's clockings (day files of terminal 1), its
// incidence file, day map and master data; made once per size.
class Empresa {
public:
    explicit Empresa(int empleados) : Empleados(13, empleados + 1), TiposIncidencia(3, 4) {
        Entra();
        CreaDirectorio("fichajes");
        CreaDirectorio("datos");
        CreaDirectorio("archivos/presencia");
        std::string mapa(366, '\xff');
        for (QDate d = kDesde; d <= kHasta; d = d.addDays(1))
            mapa[static_cast<size_t>(d.dayOfYear() - 1)] = d.dayOfWeek() >= 6 ? 0 : 1;
        GuardaBytes("datos/H2011.001", mapa);
        TiposIncidencia.SetFila(1, {"2", "Olvido", "Trabajador"});
        TiposIncidencia.SetFila(2, {"3", "Vacaciones", "Empresa"});
        TiposIncidencia.SetFila(3, {"4", "Retraso", "Trabajador"});
        for (int n = 1; n <= empleados; ++n) {
            Items.push_back(Item(n));
            Empleados.SetFila(n, {Item(n), "", "", "", "", "", "", "", "", "", "1", "1.5 2 "});
        }
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

    // Makes this company's directory the working directory, with its settings.
    void Entra() const {
        QDir::setCurrent(dir_.path());
        AjustesPrueba().DirFichajes = "fichajes/";
        AjustesPrueba().DirDatos = "datos/";
        AjustesPrueba().DirArchivosPres = "archivos/presencia/";
        AjustesPrueba().PatronParcial = "$2d$2m$2a.$3t";
        AjustesPrueba().FormatoFichaje = FormatoDefecto;
        AjustesPrueba().EncriptarFichajes = 0;
    }

    StringGrid Empleados;
    StringGrid TiposIncidencia;
    std::vector<std::string> Items;
    std::vector<std::string> Rutas;
    long Lineas = 0;

private:
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

// The control panel: one network terminal, "Parcial", "Presencia", the year in its pickers.
class Panel : public PanelPrueba {
public:
    Panel() : PanelPrueba({"EE 10.0.0.1:1 Entrada"}) {
        DTP1->setDate(kDesde);
        DTP2->setDate(kHasta);
        RadioButton2->setChecked(true);
        RadioButton3->setChecked(true);
    }
};

// The windows' services of a run: the panel lists each employee, the reports are dropped when done.
class Servicios : public TServiciosPresencia {
public:
    explicit Servicios(Panel &panel) : panel_(panel) {}
    size_t Bloques = 0;

    TLectorPares &ListaFichajes(const std::string &busca) override {
        panel_.EDBusca->setText(aQ(busca));
        LecturaExterna = 1;
        panel_.BListarClick();
        LecturaExterna = 0;
        lector_ = std::make_unique<TLectorRejilla>(&panel_.SGFichajes);
        return *lector_;
    }
    void EditaIncidencias(const QDate &) override {}
    TDocumentoPresencia *NuevoDocumento(const std::string &titulo, const std::string &archivo) override {
        doc_ = std::make_unique<TDocumentoRTF>(titulo, archivo);
        return doc_.get();
    }
    void TerminaDocumento(TDocumentoPresencia *, bool) override {
        Bloques += static_cast<size_t>(doc_->Informe.Documento().blockCount());
        doc_.reset();
    }
    void AbreDocumento(const std::string &) override {}

private:
    Panel &panel_;
    std::unique_ptr<TLectorRejilla> lector_;
    std::unique_ptr<TDocumentoRTF> doc_;
};

// Arguments: employees listed, employees of the company, graph (0/1).
void BM_PresenciaDetalladoAnual(benchmark::State &state) {
    Aplicacion();
    const Empresa &e = empresa(static_cast<int>(state.range(1)));
    Panel panel;
    TEntradaPresencia in;
    in.Maestros.Tipos = {
        {"Cortesia", 0, 0, 0}, {"Presencia", 8, 0, 65280}, {"Extra", 10, 0, 255}, {"Descanso", 0, 1, 0}};
    in.Maestros.Horarios = {{0, "Festivo", " 1440 4"}, {1, "Partida", " 480 2 10 0 300 1 60 3 180 1 240 2"}};
    in.Empleados = &e.Empleados;
    in.TiposIncidencia = &e.TiposIncidencia;
    in.Peticion.Empleados.assign(e.Items.begin(), e.Items.begin() + state.range(0));
    in.Peticion.TipoListado = ListadoDetallado;
    in.Peticion.PararSiIncidencia = false;
    in.Peticion.Desde = kDesde;
    in.Peticion.Hasta = kHasta;
    in.Peticion.IncluirGrafico = state.range(2) != 0;
    in.Opciones.MinutosRedondeoExtras = 15;

    size_t bloques = 0;
    for (auto _ : state) {
        Servicios s(panel);
        EjecutaPresencia(in, s);
        bloques = s.Bloques;
        benchmark::DoNotOptimize(bloques);
    }
    state.counters["lineas"] = static_cast<double>(bloques);
    state.counters["fichajes"] = static_cast<double>(e.Lineas);
}
BENCHMARK(BM_PresenciaDetalladoAnual)
    ->ArgNames({"empleados", "plantilla", "grafico"})
    ->ArgsProduct({{1, 10, 30}, {30}, {0, 1}})
    ->ArgsProduct({{30, 100}, {100}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// The bytes of the year's day files of 30 employees, read whole.
void BM_LecturaPlana(benchmark::State &state) {
    Aplicacion();
    const Empresa &e = empresa(30);
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
BENCHMARK(BM_LecturaPlana)->Unit(benchmark::kMillisecond);

// The same year listed into the panel's grid by "Listar" (every employee).
void BM_ListadoAnual(benchmark::State &state) {
    Aplicacion();
    const Empresa &e = empresa(30);
    Panel panel;
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
