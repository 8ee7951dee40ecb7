// Production by order for 200 orders of 10 tasks over a year of production clockings (4 terminals,
// 30 employees, about 44,000 lines): the computation alone, and "Mostrar selección" of the
// production editor with every order marked, grid and fields included.
#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "masterdata/ui/empleadosorg.h"
#include "platform/lineas.h"
#include "platform/numeros.h"
#include "production/produccionobra.h"
#include "production/ui/edproduccion.h"
#include "terminal/fichaje.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>

namespace {

const QDate kDesde(2024, 1, 1), kHasta(2024, 12, 31);
constexpr int kOrdenes = 200, kTareas = 10, kEmpleados = 30;

void aplicacion() {
    static int argc = 1;
    static char nombre[] = "bench_produccion";
    static char *argv[] = {nombre, nullptr};
    static QApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    (void)app;
}

std::string registro(int terminal, QDate d, int hora, int empleado, const std::string &codigo) {
    std::string e = Formato("%d EMPLEADO NUMERO %d", empleado, empleado);
    e.resize(54, ' ');
    return Formato("\r\n%03d Jue %02d/%02d/%04d %02d:%02d:00 000 ", terminal, d.day(), d.month(), d.year(),
                   hora, empleado % 60) +
           e + codigo + " E-0000";
}

// A working directory with the orders and a year of clockings, made once.
class Datos {
public:
    Datos() {
        aplicacion();
        QDir::setCurrent(dir_.path());
        AjustesPrueba() = LeeConfiguracion("velkatron.ini");
        for (const std::string &d :
             {Configuracion().DirDatos, Configuracion().DirProduccion, Configuracion().DirFichajes})
            CreaDirectorio(d);
        for (int o = 1; o <= kOrdenes; ++o) {
            std::vector<std::string> l{"Orden", "Cliente"};
            for (int t = 1; t <= kTareas; ++t)
                l.insert(l.end(), {Formato("%04d%04d", o, t), std::to_string(o), "Pieza-1", "1", "Tarea"});
            const std::string nombre = Formato("2024_%04d.Mesa", o);
            GuardaLineas(Configuracion().DirProduccion + nombre, l);
            Nombres.push_back(nombre);
        }
        const TFormatoAnalizado f = AnalizaFormato(Configuracion().FormatoFichaje),
                                p = AnalizaFormato(Configuracion().PatronParcial);
        std::map<std::string, std::string> archivos;
        int dia = 0;
        for (QDate d = kDesde; d <= kHasta; d = d.addDays(1), ++dia)
            for (int e = 1; e <= kEmpleados; ++e) {
                const std::string tarea =
                    Formato("%04d%04d", (e * 7 + dia) % kOrdenes + 1, dia % kTareas + 1);
                const std::string otra =
                    Formato("%04d%04d", (e * 3 + dia) % kOrdenes + 1, (dia + 3) % kTareas + 1);
                const std::pair<int, std::string> fichajes[] = {
                    {8, tarea}, {12, std::string(8, ' ')}, {13, std::string(8, ' ')}, {17, otra}};
                for (const auto &[hora, codigo] : fichajes) {
                    const std::string r = registro(e % 4 + 1, d, hora, e, codigo);
                    archivos[Configuracion().DirFichajes + NombreParcial(p, r)] += FormateaFichaje(f, r);
                    ++Lineas;
                }
            }
        for (const auto &[ruta, bytes] : archivos)
            GuardaBytes(ruta, bytes);
        FijaTerminalesListados([] {
            return std::vector<std::string>{"EE 10.0.0.1:1 a", "EE 10.0.0.2:2 b", "EE 10.0.0.3:3 c",
                                            "EE 10.0.0.4:4 d"};
        });
        Empleados.SetRowCount(kEmpleados + 1);
        for (int e = 1; e <= kEmpleados; ++e)
            Empleados.SetFila(e, {Formato("%d EMPLEADO NUMERO %d", e, e), "", "", "", "", "", "", "", "", "",
                                  "", "", "01/01/2024 30,"});
    }
    std::vector<std::string> Nombres;
    long Lineas = 0;
    StringGrid Empleados{13, 1};

private:
    QTemporaryDir dir_;
};

Datos &datos() {
    static Datos d;
    return d;
}

void BM_PorObraCalculo(benchmark::State &s) {
    Datos &d = datos();
    StringGrid sg2(11, 2);
    TPeticionPorObra p{d.Nombres,
                       Configuracion().DirProduccion,
                       {kDesde, kHasta, TerminalesSinAccesos(), ""},
                       &d.Empleados,
                       QDateTime(QDate(2025, 1, 1), QTime(0, 0)),
                       true};
    for (auto _ : s)
        benchmark::DoNotOptimize(ProduccionPorObra(p, sg2).Contadores.Minutos);
    s.counters["lineas"] = static_cast<double>(d.Lineas);
    s.counters["filas"] = sg2.RowCount() - 1;
}
BENCHMARK(BM_PorObraCalculo)->Unit(benchmark::kMillisecond);

void BM_PorObraVentana(benchmark::State &s) {
    Datos &d = datos();
    TFormEdProduccion f;
    f.resize(1200, 800);
    f.show();
    f.MuestraPagina(1);
    for (int i = 0; i < f.LB1->count(); ++i)
        f.LB1->item(i)->setCheckState(Qt::Checked);
    f.DTP4->setDate(kDesde);
    f.DTP3->setDate(kHasta);
    for (auto _ : s) {
        f.BProdObraClick();
        QCoreApplication::processEvents();
    }
    s.counters["lineas"] = static_cast<double>(d.Lineas);
    s.counters["filas"] = f.SG2.RowCount() - 1;
}
BENCHMARK(BM_PorObraVentana)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
