// Clocking listings over a year of day files (4 terminals, 30 employees, about 45,000 lines),
// beside a plain read of the same files, and the clocking writer into a day file that already
// holds 10,000 lines.
#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "platform/lineas.h"
#include "platform/numeros.h"
#include "platform/stringgrid.h"
#include "terminal/fichaje.h"
#include "terminal/guardafichaje.h"
#include "terminal/listadofichajes.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>

namespace {

const QDate kDesde(2023, 1, 1), kHasta(2023, 12, 31);

std::string Registro(int terminal, QDate d, int hora, int minuto, int empleado, int segundo = 0) {
    std::string e = Formato("%d EMPLEADO NUMERO %d", empleado, empleado);
    e.resize(54, ' ');
    return Formato("\r\n%03d Jue %02d/%02d/%04d %02d:%02d:%02d 000 ", terminal, d.day(), d.month(), d.year(),
                   hora, minuto, segundo) +
           e + "         E-0000";
}

// A working directory with a year of clockings, made once.
class Datos {
public:
    Datos() {
        QDir::setCurrent(dir_.path());
        CreaDirectorio("fichajes");
        CreaDirectorio("datos");
        AjustesPrueba().DirFichajes = "fichajes/";
        AjustesPrueba().DirDatos = "datos/";
        AjustesPrueba().PatronParcial = "$2d$2m$2a.$3t";
        AjustesPrueba().FormatoFichaje = "$3t-$2c $1i $32n $8p $2d/$2m/$4a $2H:$2M\\r\\n";
        AjustesPrueba().RutaHistorico = "fichajes/historico";
        const TFormatoAnalizado f = AnalizaFormato(Configuracion().FormatoFichaje);
        const TFormatoAnalizado p = AnalizaFormato(Configuracion().PatronParcial);
        std::map<std::string, std::string> archivos;
        for (QDate d = kDesde; d <= kHasta; d = d.addDays(1))
            for (int e = 1; e <= 30; ++e) {
                const int t = e % 4 + 1;
                for (int h : {8, 13, 14, 17}) {
                    const std::string r = Registro(t, d, h, e, e);
                    archivos[Configuracion().DirFichajes + NombreParcial(p, r)] += FormateaFichaje(f, r);
                    ++Lineas;
                }
            }
        for (const auto &[ruta, bytes] : archivos) {
            GuardaBytes(ruta, bytes);
            Rutas.push_back(ruta);
        }
    }
    std::vector<TTerminalListado> Terminales() const {
        return {{'E', 'E', 1, true}, {'E', 'E', 2, true}, {'E', 'E', 3, true}, {'E', 'E', 4, true}};
    }
    long Lineas = 0;
    std::vector<std::string> Rutas;

private:
    QTemporaryDir dir_;
};

Datos &datos() {
    static Datos d;
    return d;
}

void BM_LecturaPlana(benchmark::State &s) {
    Datos &d = datos();
    for (auto _ : s) {
        size_t total = 0;
        std::string bytes;
        for (const std::string &r : d.Rutas) {
            LeeBytes(r, bytes);
            total += bytes.size();
        }
        benchmark::DoNotOptimize(total);
    }
    s.counters["lineas"] = static_cast<double>(d.Lineas);
}
BENCHMARK(BM_LecturaPlana)->Unit(benchmark::kMillisecond);

// The whole year (every employee), and one employee's year with LecturaExterna raised, as the
// presence report lists it for each employee.
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
