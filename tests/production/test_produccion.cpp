// Production by order and by employee over real order files and clocking files: the worked example,
// the walks' cases side by side, the reading of order files, the lookup by number and the sorting.
#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "platform/numeros.h"
#include "presence/fichajemanual.h"
#include "production/informeproduccion.h"
#include "production/produccionempleado.h"
#include "production/produccionobra.h"
#include "support/dirtemporal.h"
#include "terminal/guardafichaje.h"

#include <QFile>
#include <QProcess>
#include <QTextBlock>
#include <filesystem>
#include <gtest/gtest.h>
#include <tuple>

namespace {

const std::string kMesa = "Mesa roble\r\nACME\r\n00010001\r\n7\r\nPata-1\r\n1\r\nCortar\r\n00010002\r\n7\r\n"
                          "Pata-1\r\n1\r\nLijar\r\n00010003\r\n8\r\nTablero-1\r\n1\r\nPintar\r\n";
const QDateTime kAhora(QDate(2024, 3, 5), QTime(18, 0));

std::string recorta(const std::string &s) {
    const size_t a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
    return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

// Code, employee number, start, end, time and cost of each row.
std::vector<std::string> filas(const StringGrid &g) {
    std::vector<std::string> r;
    for (int f = 1; f < g.RowCount(); ++f) {
        std::string s = g.Celda(0, f).substr(4) + " " + std::to_string(LeeEntero(g.Celda(6, f)));
        for (int c = 7; c <= 10; ++c)
            s += "|" + recorta(g.Celda(c, f));
        r.push_back(s);
    }
    return r;
}

struct Fichaje {
    int dia, hora, minuto;
    const char *empleado, *codigo;
};

class Produccion : public ::testing::Test {
protected:
    void SetUp() override {
        AjustesPrueba() = LeeConfiguracion("velkatron.ini");
        for (const std::string &d :
             {Configuracion().DirDatos, Configuracion().DirProduccion, Configuracion().DirFichajes})
            ASSERT_TRUE(CreaDirectorio(d));
        OlvidaParciales();
        Escribe(Configuracion().DirProduccion + "2024_0001.Mesa", kMesa);
        empleados.Cells[0][1] = "12 Juan";
        empleados.Cells[12][1] = "01/01/2024 30,";
        empleados.Cells[0][2] = "13 Ana";
        empleados.Cells[12][2] = "01/01/2024 60,01/06/2024 90,01/02/2024 30,"; // 30 on any day of March
    }
    void ficha(const std::vector<Fichaje> &fichajes) {
        for (const Fichaje &f : fichajes)
            ASSERT_EQ(GuardaFichajeManual(LineaFichaje(QDate(2024, 3, f.dia), QTime(f.hora, f.minuto), "0",
                                                       f.empleado, f.codigo)),
                      ResultadoFichaje::Guardado);
    }
    TResultadoPorObra porObra(std::vector<std::string> nombres = {"2024_0001.Mesa"}) {
        return ProduccionPorObra({nombres,
                                  Configuracion().DirProduccion,
                                  {QDate(2024, 3, 1), QDate(2024, 3, 5), {}, ""},
                                  &empleados,
                                  kAhora,
                                  true},
                                 sg2);
    }
    TTotalesEmpleados porEmpleado(const std::vector<std::string> &quienes) {
        return ProduccionPorEmpleado({quienes,
                                      {QDate(2024, 3, 1), QDate(2024, 3, 5), {}, ""},
                                      Configuracion().DirProduccion,
                                      &empleados,
                                      kAhora,
                                      true},
                                     sg3);
    }

    DirectorioTrabajo d;
    StringGrid empleados{13, 3}, sg2{11, 2}, sg3{11, 2};
};

const std::string P = "        ";

} // namespace

TEST_F(Produccion, EjemploCompletoPorObraYPorEmpleado) {
    ficha({{5, 8, 0, "12 Juan", "00010001"},
           {5, 10, 0, "12 Juan", "00010002"},
           {5, 12, 0, "12 Juan", P.c_str()},
           {5, 13, 0, "12 Juan", P.c_str()},
           {5, 15, 0, "12 Juan", "00010000"}});
    const TResultadoPorObra r = porObra();
    EXPECT_EQ(filas(sg2), (std::vector<std::string>{
                              "0001 12|05/03/2024 08:00 P|05/03/2024 10:00 P|2:00|60.00 \x80",
                              "0002 12|05/03/2024 10:00 P|05/03/2024 12:00 S|2:00|60.00 \x80",
                              "0002 12|05/03/2024 13:00 E|05/03/2024 15:00 C|2:00|60.00 \x80",
                              "0003 0||||",
                          }));
    EXPECT_EQ(sg2.Celda(5, 3), "Mesa 0001 2024");
    const TContadoresObra &c = r.Contadores;
    EXPECT_EQ((std::vector<int>{c.Trabajos, c.Finalizados, c.Pendientes, c.SinIniciar, c.EnProceso, c.Obras}),
              (std::vector<int>{3, 2, 1, 1, 0, 1}));
    EXPECT_EQ(TextoTiempoTotal(c.Minutos, true), "    6:00");
    EXPECT_EQ(TextoCosteTotal(c.Coste), "    180.00 \x80");

    const TTotalesEmpleados t = porEmpleado({"12 Juan"});
    EXPECT_EQ(filas(sg3), (std::vector<std::string>{
                              "0001 12|05/03/2024 08:00 P|05/03/2024 10:00 P|2:00|60.00 \x80",
                              "0002 12|05/03/2024 10:00 P|05/03/2024 12:00 S|2:00|60.00 \x80",
                              "0002 12|05/03/2024 13:00 E|05/03/2024 15:00 C|2:00|60.00 \x80",
                          }));
    EXPECT_EQ(sg3.Fila(1), (std::vector<std::string>{"00010001", "7", "Pata-1", "1", "Cortar", "Mesa 0001",
                                                     "12 Juan", "05/03/2024 08:00 P", "05/03/2024 10:00 P",
                                                     "  2:00", "   60.00 \x80"}));
    EXPECT_EQ(t.Minutos, c.Minutos);
    EXPECT_DOUBLE_EQ(t.Coste, c.Coste);
}

// The same clockings walked by order and by employee.
TEST_F(Produccion, CasosDelRecorrido) {
    struct Caso {
        const char *nombre;
        std::vector<Fichaje> fichajes;
        std::vector<std::string> porObra;
        std::vector<int> contadores; // Trabajos, Finalizados, Pendientes, Sin iniciar, En proceso
        std::vector<std::string> porEmpleado;
    };
    // a fourth task of quantity 0: shown, never counted
    Escribe(Configuracion().DirProduccion + "2024_0001.Mesa",
            kMesa + "00010004\r\n8\r\nTablero-1\r\n0\r\nBarnizar\r\n");
    const std::vector<Caso> casos = {
        {"abierta y dos empleados en un trabajo",
         {{5, 8, 0, "12 Juan", "00010001"}, {5, 9, 0, "13 Ana", "00010001"}, {5, 11, 0, "13 Ana", P.c_str()}},
         {"0001 12|05/03/2024 08:00 P||10:00|300.00 \x80",
          "0001 13|05/03/2024 09:00 P|05/03/2024 11:00 S|2:00|60.00 \x80", "0002 0||||", "0003 0||||",
          "0004 0||||"},
         {3, 0, 3, 2, 1},
         {"0001 12|05/03/2024 08:00 P||10:00|300.00 \x80",
          "0001 13|05/03/2024 09:00 P|05/03/2024 11:00 S|2:00|60.00 \x80"}},
        {"tras una salida solo el mismo trabajo vuelve a empezar",
         {{5, 8, 0, "12 Juan", "00010001"},
          {5, 10, 0, "12 Juan", P.c_str()},
          {5, 11, 0, "12 Juan", "00010002"},
          {5, 12, 0, "12 Juan", P.c_str()},
          {5, 14, 0, "12 Juan", "00010001"},
          {5, 15, 0, "12 Juan", "00010000"}},
         {"0001 12|05/03/2024 08:00 P|05/03/2024 10:00 S|2:00|60.00 \x80",
          "0001 12|05/03/2024 14:00 P|05/03/2024 15:00 C|1:00|30.00 \x80",
          "0002 12|05/03/2024 11:00 P|05/03/2024 12:00 S|1:00|30.00 \x80", "0003 0||||", "0004 0||||"},
         {3, 2, 1, 1, 0},
         {"0001 12|05/03/2024 08:00 P|05/03/2024 10:00 S|2:00|60.00 \x80",
          "0002 12|05/03/2024 11:00 P|05/03/2024 12:00 S|1:00|30.00 \x80",
          "0001 12|05/03/2024 14:00 P|05/03/2024 15:00 C|1:00|30.00 \x80"}},
        {"salida al dia siguiente",
         {{4, 16, 0, "12 Juan", "00010001"},
          {5, 8, 0, "12 Juan", P.c_str()},
          {5, 9, 0, "12 Juan", "00010002"}},
         {"0001 12|04/03/2024 16:00 P|05/03/2024 08:00 S|16:00|480.00 \x80",
          "0002 12|05/03/2024 09:00 P||9:00|270.00 \x80", "0003 0||||", "0004 0||||"},
         {3, 1, 2, 1, 1},
         {"0001 12|04/03/2024 16:00 P||26:00|780.00 \x80", "0002 12|05/03/2024 09:00 P||9:00|270.00 \x80"}},
        {"cierre sin trabajo abierto y cantidad 0",
         {{5, 7, 0, "12 Juan", "00010000"},
          {5, 8, 0, "12 Juan", "00010004"},
          {5, 9, 0, "12 Juan", "00010000"}},
         {"0001 0||||", "0002 0||||", "0003 0||||",
          "0004 12|05/03/2024 08:00 P|05/03/2024 09:00 C|1:00|30.00 \x80"},
         {3, 0, 3, 3, 0},
         {"0004 12|05/03/2024 08:00 P|05/03/2024 09:00 C|1:00|30.00 \x80"}},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        std::filesystem::remove_all(Configuracion().DirFichajes);
        ASSERT_TRUE(CreaDirectorio(Configuracion().DirFichajes));
        OlvidaParciales();
        ficha(c.fichajes);
        const TContadoresObra k = porObra().Contadores;
        EXPECT_EQ(filas(sg2), c.porObra);
        EXPECT_EQ((std::vector<int>{k.Trabajos, k.Finalizados, k.Pendientes, k.SinIniciar, k.EnProceso}),
                  c.contadores);
        porEmpleado({"12 Juan", "13 Ana"});
        EXPECT_EQ(filas(sg3), c.porEmpleado);
    }
}

TEST_F(Produccion, PorEmpleadoEnOrdenDeTiempoConAliasYBusquedaFallida) {
    Escribe(Configuracion().DirDatos + "alias.dat", "12 13\r\n");
    // the partner's clockings are listed after the employee's; order 0099 does not exist
    ficha({{5, 8, 0, "12 Juan", "00010001"},
           {5, 12, 0, "12 Juan", P.c_str()},
           {5, 10, 0, "13 Ana", "00990001"},
           {5, 11, 0, "13 Ana", "00010002"}});
    const TTotalesEmpleados t = porEmpleado({"12 Juan"});
    EXPECT_EQ(filas(sg3), (std::vector<std::string>{
                              "0001 12|05/03/2024 08:00 P|05/03/2024 10:00 P|2:00|60.00 \x80",
                              "0001 12|05/03/2024 10:00 P|05/03/2024 11:00 P|1:00|30.00 \x80",
                              "0002 12|05/03/2024 11:00 P|05/03/2024 12:00 S|1:00|30.00 \x80",
                          }));
    EXPECT_EQ(sg3.Celda(0, 2), "00990001");
    for (int c = 1; c <= 5; ++c)
        EXPECT_EQ(sg3.Celda(c, 2), "") << c; // never the order found before
    EXPECT_EQ(sg3.Celda(4, 3), "Lijar");
    EXPECT_EQ(t.Minutos, 240);
}

TEST_F(Produccion, SoloSeLeenOrdenesEnteras) {
    Escribe(Configuracion().DirProduccion + "2024_0002.Mesa", "d\r\nc\r\n00020001\r\n7\r\n");
    Escribe(Configuracion().DirProduccion + "notas.txt", "hola\r\nque\r\ntal\r\n\r\n\r\n\r\n\r\n");
    const TResultadoPorObra r = porObra({"2024_0002.Mesa", "2024_0001.Mesa", "notas.txt", "2024_0009.Mesa"});
    EXPECT_EQ(r.Errores, (std::vector<std::string>{
                             "El archivo produccion/2024_0002.Mesa no es una orden de trabajo completa",
                             "El archivo produccion/notas.txt no es una orden de trabajo completa",
                             "No se puede leer el archivo produccion/2024_0009.Mesa"}));
    EXPECT_EQ(sg2.RowCount(), 4);
    EXPECT_EQ(r.Contadores.Obras, 1);
    EXPECT_EQ(r.UltimoNombre, "2024_0001.Mesa");
    EXPECT_EQ(r.UltimaOrden.Cliente, "ACME");
}

TEST(OrdenaPorColumna, ClavesEstablesPorValorFechaOTexto) {
    StringGrid g(11, 1);
    const std::vector<std::vector<std::string>> filas = {
        {"00010002", "10", "b", "", "", "", "13 Ana", "05/03/2024 08:00 P"},
        {"00010001", "9", "B", "", "", "", "12 Juan", "04/03/2024 16:00 P"},
        {"00010003", "10", "a", "", "", "", "13 Ana", "05/03/2024 07:00 E"},
    };
    for (const auto &f : filas) {
        g.SetRowCount(g.RowCount() + 1);
        g.SetFila(g.RowCount() - 1, f);
    }
    auto codigos = [&] {
        std::string s;
        for (int r = 1; r < g.RowCount(); ++r)
            s += g.Celda(0, r).substr(7);
        return s;
    };
    OrdenaPorColumna(g, 6); // by number, equal ones keep their order
    EXPECT_EQ(codigos(), "123");
    OrdenaPorColumna(g, 7); // by date, then time
    EXPECT_EQ(codigos(), "132");
    OrdenaPorColumna(g, 1);
    EXPECT_EQ(codigos(), "132");
    OrdenaPorColumna(g, 2); // as text, without regard to case
    EXPECT_EQ(codigos(), "312");
}

namespace {
std::vector<std::string> lineas(const TInformeRTF &inf) {
    return PartirLineas(inf.TextoPlano());
}
QColor colorDe(const TInformeRTF &inf, const std::string &texto) {
    for (QTextBlock b = inf.Documento().begin(); b.isValid(); b = b.next())
        if (b.text().contains(aQ(texto)))
            return b.begin().fragment().charFormat().foreground().color();
    return {};
}
std::string unrtf(const std::string &rtf) {
    GuardaBytes("informe.rtf", rtf);
    QProcess p;
    p.start("unrtf", {"--text", "informe.rtf"});
    return p.waitForFinished(20000) ? p.readAllStandardOutput().toStdString() : "";
}
} // namespace

TEST_F(Produccion, InformesPorObraYPorEmpleado) {
    ficha({{5, 8, 0, "12 Juan", "00010001"},
           {5, 10, 0, "12 Juan", "00010002"},
           {5, 12, 0, "12 Juan", P.c_str()},
           {5, 13, 0, "12 Juan", P.c_str()},
           {5, 15, 0, "12 Juan", "00010000"}});
    TPeticionInformeObras o{
        &sg2, TituloSeleccion(1, ""),       false, 0, 0, QDate(2024, 3, 7), porObra().Contadores,
        true, Configuracion().DirProduccion};
    TInformeRTF a;
    EscribeInformeObras(o, a);
    EXPECT_EQ(a.NombreArchivo(), "archivos/produccion/Obra-Mesa 0001 2024-7-07_03_2024.rtf");
    EXPECT_EQ(a.Tipo(), 2);
    const std::string juan = "12 Juan" + std::string(25, ' ');
    std::vector<std::string> l = lineas(a);
    ASSERT_EQ(l.size(), 25u);
    l[4] = l[4].substr(0, 16);
    EXPECT_EQ(std::vector<std::string>(l.begin(), l.begin() + 15),
              (std::vector<std::string>{
                  "  Listado de produccion de 1 Obra seleccionada", "  Obra : Mesa 0001 2024",
                  "  Descripci\xF3n : Mesa roble", "  Cliente : ACME", "  Fecha       : ", "",
                  "  Carpeta\t7\t\tOrden  Pata-1",
                  "  C\xF3"
                  "digo Cant.Trabajo                 Empleado                        Inicio\t\tFin\t\t\t"
                  "Tiempos     Costes         ",
                  "00010001 1\t" + std::string(18, ' ') + "Cortar" + juan +
                      "05/03/2024 08:00 P 05/03/2024 10:00 P  2:00 60.00   60.00 ",
                  "00010002 1\t" + std::string(19, ' ') + "Lijar" + juan +
                      "05/03/2024 10:00 P 05/03/2024 12:00 S" + std::string(6, ' ') + " 60.00",
                  "\t  \t" + std::string(24, ' ') + juan +
                      "05/03/2024 13:00 E 05/03/2024 15:00 C  4:00 60.00  120.00 ",
                  "  Carpeta\t8\t\tOrden  Tablero-1", l[12],
                  "00010003 1\t" + std::string(18, ' ') + "Pintar" + std::string(32, ' ') + " \t\t",
                  "      \t     \t" + std::string(62, ' ') + "\t\t   \t\t\tTiempo              Coste   "}));
    EXPECT_EQ(l[15], "\t\t\t\t" + std::string(56, ' ') + "\t\t\t       6:00" + std::string(12, ' ') +
                         "    180.00 \x80");
    EXPECT_EQ(l[20], "        Pendientes  :     1");
    EXPECT_EQ(l[24], "\t\t\t\t" + std::string(56, ' ') + "\t\t\t       6:00\t" + std::string(9, ' ') +
                         "    180.00 \x80");
    EXPECT_EQ(colorDe(a, "00010003"), QColor(255, 0, 0));
    EXPECT_EQ(colorDe(a, "00010001"), QColor(0, 0, 0));
    EXPECT_NE(a.RTF().find("Lucida Console"), std::string::npos);
    if (QFile::exists("/usr/bin/unrtf")) {
        const std::string t = unrtf(a.RTF());
        for (const char *v : {"Listado de produccion de 1 Obra seleccionada",
                              "Cortar12 Juan 05/03/2024 08:00 P 05/03/2024 10:00 P 2:00 60.00 60.00",
                              "Total obras : 1", "Sin iniciar : 1"})
            EXPECT_NE(t.find(v), std::string::npos) << v;
    }

    // one folder selected: that block only, and the title says so
    o.Seleccionada = true;
    o.Primera = 0;
    o.Ultima = 4;
    TInformeRTF s;
    EscribeInformeObras(o, s);
    EXPECT_EQ(s.Titulo(), "Listado de produccion de 1 Obra seleccionada - Carpeta  ");
    EXPECT_EQ(s.TextoPlano().find("Pintar"), std::string::npos);

    TPeticionInformeEmpleados e{
        &sg3,
        TituloPeriodo(Configuracion().RotuloEmpleado, QDate(2024, 3, 1), QDate(2024, 3, 5)),
        1,
        2,
        "12 J/K",
        QDate(2024, 3, 1),
        QDate(2024, 3, 5),
        porEmpleado({"12 Juan"}),
        true};
    TInformeRTF b;
    EscribeInformeEmpleados(e, b);
    EXPECT_EQ(b.NombreArchivo(), "archivos/produccion/Prod-12 J_K de 01_03_2024 a 05_03_2024.rtf");
    l = lineas(b);
    ASSERT_EQ(l.size(), 10u);
    EXPECT_EQ(l[0], "  Listado de produccion por Empleado desde 01/03/2024  hasta 05/03/2024 ");
    EXPECT_EQ(l[1], "  Empleado : 12 Juan");
    EXPECT_EQ(l[3], "  00010001       7           Pata-1       1" + std::string(19, ' ') +
                        "CortarMesa 0001  05/03/2024 08:00 P 05/03/2024 10:00 P      2:00      60.00 \x80");
    EXPECT_EQ(l[9], std::string(110, ' ') + "Totales:    6:00     180.00 \x80");
    if (QFile::exists("/usr/bin/unrtf")) {
        EXPECT_NE(unrtf(b.RTF()).find("LijarMesa 0001 05/03/2024 13:00 E 05/03/2024 15:00 C 2:00 60.00"),
                  std::string::npos);
    }
    for (const auto &[marcados, total, nombre] : std::vector<std::tuple<int, int, std::string>>{
             {2, 2, "archivos/produccion/Prod-Todos de 01_03_2024 a 05_03_2024.rtf"}, {2, 5, ""}}) {
        e.Marcados = marcados;
        e.Total = total;
        TInformeRTF c;
        EscribeInformeEmpleados(e, c);
        EXPECT_EQ(c.NombreArchivo(), nombre);
    }
}
