// A "Detallado" presence listing of thirty employees over one year, computed and written as rich
// text, without and with the day graph.
#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "presence/incidencias.h"
#include "presence/lectorprueba.h"
#include "presence/ui/fuentespresencia.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fstream>
#include <map>
#include <memory>

namespace {

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

class Servicios : public TServiciosPresencia {
public:
    std::map<std::string, LectorPrueba> Lectores;
    std::vector<std::unique_ptr<TDocumentoRTF>> Docs;
    size_t Bloques = 0;

    TLectorPares &ListaFichajes(const std::string &busca) override { return Lectores[busca]; }
    void EditaIncidencias(const QDate &) override {}
    TDocumentoPresencia *NuevoDocumento(const std::string &titulo, const std::string &archivo) override {
        Docs.push_back(std::make_unique<TDocumentoRTF>(titulo, archivo));
        return Docs.back().get();
    }
    void TerminaDocumento(TDocumentoPresencia *d, bool) override {
        Bloques += static_cast<TDocumentoRTF *>(d)->Informe.Documento().blockCount();
    }
    void AbreDocumento(const std::string &) override {}
};

void BM_PresenciaDetalladoAnual(benchmark::State &state) {
    Aplicacion();
    QTemporaryDir dir;
    const QString anterior = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QDir().mkpath("datos");
    AjustesPrueba().DirDatos = "datos/";
    AjustesPrueba().DirArchivosPres = "archivos/presencia/";

    const QDate desde(2011, 1, 1), hasta(2011, 12, 31);
    std::string mapa(366, '\xff');
    for (QDate d = desde; d <= hasta; d = d.addDays(1))
        mapa[static_cast<size_t>(d.dayOfYear() - 1)] = d.dayOfWeek() >= 6 ? 0 : 1;
    std::ofstream("datos/H2011.001", std::ios::binary) << mapa;

    TEntradaPresencia in;
    in.Maestros.Tipos = {
        {"Cortesia", 0, 0, 0}, {"Presencia", 8, 0, 65280}, {"Extra", 10, 0, 255}, {"Descanso", 0, 1, 0}};
    in.Maestros.Horarios = {{0, "Festivo", " 1440 4"}, {1, "Partida", " 480 2 10 0 300 1 60 3 180 1 240 2"}};
    StringGrid empleados(13, 31);
    std::vector<std::string> incidencias;
    Servicios base;
    for (int n = 1; n <= 30; ++n) {
        const std::string item = std::to_string(100 + n) + " Empleado " + std::to_string(n);
        empleados.Cells[0][n] = item;
        empleados.Cells[10][n] = "1";
        empleados.Cells[11][n] = "1.5 2 ";
        in.Peticion.Empleados.push_back(item);
        LectorPrueba &l = base.Lectores[std::to_string(100 + n) + " "];
        for (QDate d = desde; d <= hasta; d = d.addDays(1)) {
            if (d.dayOfWeek() >= 6)
                continue;
            if ((d.dayOfYear() + n) % 17 == 0) {
                InsertaIncidencia(incidencias, d, "00:00", item, "3 Vacaciones *Empresa");
                continue;
            }
            l.Fichajes.push_back({d, 8, (d.day() + n) % 15});
            l.Fichajes.push_back({d, 13, 0});
            l.Fichajes.push_back({d, 14, 0, (d.day() % 9 == 0) ? 2 : 0});
            if ((d.dayOfYear() + n) % 23 != 0)
                l.Fichajes.push_back({d, 17, (d.day() * n) % 40});
        }
    }
    GuardaIncidencias(2011, incidencias);
    in.Empleados = &empleados;
    in.Peticion.TipoListado = ListadoDetallado;
    in.Peticion.PararSiIncidencia = false;
    in.Peticion.Desde = desde;
    in.Peticion.Hasta = hasta;
    in.Opciones.MinutosRedondeoExtras = 15;
    in.Peticion.IncluirGrafico = state.range(0) != 0;

    size_t bloques = 0;
    for (auto _ : state) {
        Servicios s;
        s.Lectores = base.Lectores;
        EjecutaPresencia(in, s);
        bloques = s.Bloques;
        benchmark::DoNotOptimize(bloques);
    }
    state.counters["lineas"] = static_cast<double>(bloques);
    QDir::setCurrent(anterior);
}
BENCHMARK(BM_PresenciaDetalladoAnual)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
