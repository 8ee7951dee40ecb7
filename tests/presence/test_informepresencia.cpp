// The presence run: documents, day lines, totals, the stop for the incidence editor, the day
// graph and the incidence text file, from hand-made master data, clockings and incidences.
#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "common/globales.h"
#include "presence/documentoprueba.h"
#include "presence/incidencias.h"
#include "presence/informepresencia.h"
#include "presence/lectorprueba.h"
#include "support/dirtemporal.h"
#include "support/fallosdisco.h"
#include "support/respuestas.h"

#include <QDir>
#include <QFile>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace {

const QDate D1(2011, 3, 1), D2(2011, 3, 2), D3(2011, 3, 3);

class ServiciosPrueba : public TServiciosPresencia {
public:
    std::map<std::string, LectorPrueba> Lectores; // by search text
    std::vector<std::string> Busquedas;
    struct Doc {
        std::string Titulo, Archivo;
        std::unique_ptr<DocumentoPrueba> D;
        bool Terminado = false, Mostrado = false;
    };
    std::vector<Doc> Docs;
    std::vector<QDate> Ediciones;
    std::function<void(const QDate &)> AlEditar;
    std::vector<std::string> Abiertos;

    TLectorPares &ListaFichajes(const std::string &busca) override {
        Busquedas.push_back(busca);
        return Lectores[busca];
    }
    void EditaIncidencias(const QDate &dia) override {
        Ediciones.push_back(dia);
        if (AlEditar)
            AlEditar(dia);
    }
    TEscritorInforme *NuevoDocumento(const std::string &titulo, const std::string &archivo) override {
        Docs.push_back({titulo, archivo, std::make_unique<DocumentoPrueba>()});
        return Docs.back().D.get();
    }
    void TerminaDocumento(TEscritorInforme *d, bool mostrar) override {
        for (Doc &x : Docs)
            if (x.D.get() == d) {
                x.Terminado = true;
                x.Mostrado = mostrar;
            }
    }
    void AbreDocumento(const std::string &ruta) override { Abiertos.push_back(ruta); }
};

class Presencia : public ::testing::Test {
protected:
    DirectorioTrabajo dir;
    RespuestasPrueba respuestas;
    ServiciosPrueba s;
    TEntradaPresencia in;
    StringGrid empleados{13, 3};
    StringGrid tiposInc{3, 3};
    TRestauraAjustes ajustes;
    std::string informeAntes = NombreInformeIncidencias;

    void SetUp() override {
        QDir().mkpath("datos");
        AjustesPrueba().DirDatos = "datos/";
        AjustesPrueba().DirArchivosPres = "archivos/presencia/";
        in.Maestros.Tipos = {
            {"Cortesia", 0, 0, 0}, {"Presencia", 8, 0, 65280}, {"Extra", 10, 0, 255}, {"Nocturna", 15, 0, 0}};
        in.Maestros.Horarios = {{1, "Normal", " 480 2 480 1 240 2"},
                                {0, "Festivo", " 1440 9"},
                                {254, "Ultimo", " 480 2 480 1 480 2"}};
        empleados.Cells[0][1] = "7 Ana";
        empleados.Cells[10][1] = "1";
        empleados.Cells[11][1] = "2.00 0 ";
        empleados.Cells[0][2] = "8 Eva";
        empleados.Cells[10][2] = "1";
        in.Empleados = &empleados;
        tiposInc.Cells[0][0] = "Código";
        tiposInc.Cells[0][1] = "2";
        tiposInc.Cells[1][1] = "Medico";
        tiposInc.Cells[2][1] = "Empresa";
        tiposInc.Cells[0][2] = "3";
        tiposInc.Cells[1][2] = "Vacaciones";
        tiposInc.Cells[2][2] = "Empresa";
        in.TiposIncidencia = &tiposInc;
        in.Peticion.Empleados = {"7 Ana"};
        in.Peticion.Desde = D1;
        in.Peticion.Hasta = D3;
        in.Peticion.PararSiIncidencia = false;
        // Calendar 1 of 2011: 01/03 and 02/03 "Normal", 03/03 a holiday.
        std::string mapa(366, '\xff');
        mapa[59] = 1;
        mapa[60] = 1;
        mapa[61] = 0;
        Escribe("datos/H2011.001", mapa);
    }
    void TearDown() override {
        NombreInformeIncidencias = informeAntes;
        ModoIncidencias = 0;
    }
    LectorPrueba &Fichajes(const std::string &busca) { return s.Lectores[busca]; }
    const DocumentoPrueba &Doc(size_t i) const { return *s.Docs.at(i).D; }
};

const std::string Titulo = "Listado de presencia   de 7 Ana desde 01/03/2011 hasta 03/03/2011 ";
const std::string CabeceraDia = "\t\tH.Teor\tH.Trab\tS.Dia\tS.Total\tPresenc\tExtra\tNocturn";
// Made absolute before a test changes the working directory.
const std::string kInformeGrafico =
    std::filesystem::absolute(std::filesystem::path(__FILE__).parent_path() / "informegrafico.rtf").string();

} // namespace

TEST_F(Presencia, DetalladoLineaALinea) {
    Fichajes("7 ").Fichajes = {{D1, 8, 0}, {D1, 16, 0}};
    const std::string texto = EjecutaPresencia(in, s);

    EXPECT_EQ(s.Busquedas, std::vector<std::string>({"7 "}));
    ASSERT_EQ(s.Docs.size(), 1u);
    EXPECT_EQ(s.Docs[0].Titulo, "7 Ana");
    EXPECT_EQ(s.Docs[0].Archivo, "archivos/presencia/7 Ana de 01_03_2011 a 03_03_2011.rtf");
    EXPECT_TRUE(s.Docs[0].Mostrado);
    const DocumentoPrueba &d = Doc(0);
    const std::vector<std::string> esperado = {
        "", Titulo, "",
        // 01/03: a new schedule
        "Normal\tEntra \tSale\t", "\t\t08:00\t16:00\t", "", "Normal\tEntra \tSale\t",
        "01/03/2011 mar\t08:00\t16:00\t", CabeceraDia, "\t\t08:00\t08:00\t+0:00\t+0:00\t08:00\t\t", "",
        // 02/03: same schedule, no clockings
        "Normal\tEntra \tSale\t", "02/03/2011 mi\xe9\t\t*** NO HAY FICHAJES ***",
        "\t\tINCIDENCIA NO JUSTIFICADA", CabeceraDia, "\t\t08:00\t00:00\t-8:00\t-8:00\t\t\t", "",
        // 03/03: holiday without clockings: no figures
        "", "Festivo\t", "03/03/2011 jue\t\t*** NO HAY FICHAJES ***", "",
        // totals
        "\t\thoras te\xf3ricas\tHoras Trabajadas\tSaldo total\tPresenc\tExtra\tNocturn",
        "\t\t16:00\t\t8:00\t\t-8:00\t\t8:00\t\t", "\t\t\t\tPrecio por hora en Euros\t\t10.00\t",
        "\t\t\t\tHoras aplicables\t\t\t-8.00\t", "\t\t\t\tTotal\t\t\t\t-80.00\t=   -80.00 \x80", "",
        "\t\tNOTA.-", "\t\tHoras trabajadas = Horas en presencia + Horas extras",
        "\t\tHoras aplicables = Horas trabajadas - Horas teoricas"};
    EXPECT_EQ(d.Textos(), esperado);

    // Attributes.
    EXPECT_TRUE(d.Atributos(1).Negrita);
    EXPECT_EQ(d.Atributos(1).Color, ColorAzul);
    EXPECT_EQ(d.Atributos(1).Tamano, 16);
    EXPECT_TRUE(d.Atributos(3).Subrayado);
    EXPECT_EQ(d.Atributos(3).Color, ColorVerde);
    EXPECT_EQ(d.Atributos(3).Tamano, 16); // before the first clocking line: the title's size
    EXPECT_EQ(d.Atributos(4).Color, ColorAzul);
    EXPECT_EQ(d.Atributos(5).Color, ColorNegro);
    EXPECT_EQ(d.Atributos(7).Color, ColorVerde);
    EXPECT_TRUE(d.Atributos(7).Subrayado);
    EXPECT_EQ(d.Atributos(7).Tamano, 10);
    EXPECT_EQ(d.Atributos(8).Color, ColorMarino);
    EXPECT_EQ(d.Atributos(13).Color, ColorRojo);
    EXPECT_TRUE(d.Atributos(13).Negrita);
    EXPECT_EQ(d.Atributos(19).Color, ColorRojo); // holiday clocking line
    EXPECT_EQ(d.Atributos(18).Color, ColorVerde);

    const std::string inc = "Listado de incidencias de 7 Ana desde 01/03/2011 hasta 03/03/2011 \r\n\r\n"
                            "02/03/2011 mi\xe9  *** NO HAY FICHAJES ***" +
                            std::string(22, ' ') + "INCIDENCIA NO JUSTIFICADA\r\n";
    EXPECT_EQ(texto, inc);
    EXPECT_EQ(Contenido(NombreInformeIncidencias), inc);
    EXPECT_TRUE(s.Abiertos.empty());
    EXPECT_TRUE(s.Ediciones.empty());
}

TEST_F(Presencia, SimpleSinTotales) {
    in.Peticion.TipoListado = ListadoSimple;
    EjecutaPresencia(in, s);
    ASSERT_EQ(s.Docs.size(), 1u);
    EXPECT_EQ(Doc(0).Lineas.size(), 22u); // the day lines only
    EXPECT_EQ(Doc(0).Linea(21), "");
}

TEST_F(Presencia, ParaYRecalculaTrasElEditor) {
    in.Peticion.PararSiIncidencia = true;
    Fichajes("7 ").Fichajes = {{D1, 8, 0}, {D1, 16, 0}};
    s.AlEditar = [](const QDate &dia) {
        std::vector<std::string> l;
        CargaIncidencias(2011, l);
        InsertaIncidencia(l, dia, "00:00", "7 Ana", "3 Vacaciones *Empresa");
        ASSERT_TRUE(GuardaIncidencias(2011, l));
    };
    const std::string texto = EjecutaPresencia(in, s);
    EXPECT_EQ(s.Ediciones, std::vector<QDate>({D2}));
    const DocumentoPrueba &d = Doc(0);
    EXPECT_EQ(d.Linea(13), "\t\tINCIDENCIA 3 Vacaciones *Empresa Justifica todo el dia");
    EXPECT_EQ(d.Atributos(13).Color, ColorAzul);
    EXPECT_EQ(d.Linea(15), "\t\t08:00\t08:00\t+0:00\t+0:00\t08:00\t\t");
    for (const std::string &l : d.Textos()) // an editor's text never reaches another day
        EXPECT_EQ(l.find("texto del editor"), std::string::npos);
    // The day was justified before anything was written for it.
    EXPECT_EQ(texto, "Listado de incidencias de 7 Ana desde 01/03/2011 hasta 03/03/2011 \r\n\r\n");
}

TEST_F(Presencia, IncidenciaAnadidaEnLaParadaSegunSuCargo) {
    // Added for 02/03 (no clockings, 8 hours asked): a worker-charged one leaves the day short and
    // in the incidence text; a company-charged one justifies its own time, as in the file before.
    struct Caso {
        const char *tiempo, *incidencia;
        std::string linea, cifras;
        QColor color;
        bool enInforme;
    } casos[] = {
        {"00:00", "1 Asuntos *Trabajador", "\t\tINCIDENCIA 1 Asuntos *Trabajador",
         "\t\t08:00\t00:00\t-8:00\t-8:00\t\t\t", ColorRojo, true},
        {"02:00", "3 Vacaciones *Empresa", "\t\tINCIDENCIA 3 Vacaciones *Empresa Justifica 02:00",
         "\t\t08:00\t02:00\t-6:00\t-6:00\t02:00\t\t", ColorAzul, false},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.incidencia);
        QFile::remove("datos/incidencias.2011");
        ServiciosPrueba t;
        in.Peticion.PararSiIncidencia = true;
        t.Lectores["7 "].Fichajes = {{D1, 8, 0}, {D1, 16, 0}};
        t.AlEditar = [&c](const QDate &dia) {
            std::vector<std::string> l;
            CargaIncidencias(2011, l);
            InsertaIncidencia(l, dia, c.tiempo, "7 Ana", c.incidencia);
            ASSERT_TRUE(GuardaIncidencias(2011, l));
        };
        const std::string texto = EjecutaPresencia(in, t);
        EXPECT_EQ(t.Ediciones, std::vector<QDate>({D2}));
        const DocumentoPrueba &d = *t.Docs.at(0).D;
        EXPECT_EQ(d.Linea(13), c.linea);
        EXPECT_EQ(d.Atributos(13).Color, c.color);
        EXPECT_EQ(d.Linea(15), c.cifras);
        EXPECT_EQ(texto.find("02/03/2011 mi\xe9  *** NO HAY FICHAJES ***                      "
                             "INCIDENCIA NO JUSTIFICADA\r\n") != std::string::npos,
                  c.enInforme);
    }
}

TEST_F(Presencia, EditorSinCambiosNoVuelveAParar) {
    in.Peticion.PararSiIncidencia = true;
    const std::string texto = EjecutaPresencia(in, s);
    EXPECT_EQ(s.Ediciones, std::vector<QDate>({D1, D2}));
    EXPECT_EQ(Doc(0).Linea(8), "\t\tINCIDENCIA NO JUSTIFICADA");
    EXPECT_NE(texto.find("01/03/2011 mar  *** NO HAY FICHAJES ***"), std::string::npos);
    EXPECT_NE(texto.find("02/03/2011 mi\xe9  *** NO HAY FICHAJES ***"), std::string::npos);
}

TEST_F(Presencia, FaltaFichajeAvisaYSaleEnRojo) {
    in.Peticion.PararSiIncidencia = true;
    Fichajes("7 ").Fichajes = {{D1, 8, 0}, {D2, 8, 0}, {D2, 16, 0}};
    const std::string texto = EjecutaPresencia(in, s);
    ASSERT_EQ(respuestas.Mensajes.size(), 1u);
    EXPECT_EQ(respuestas.Mensajes[0].texto, "Faltan fichajes en el listado de 7 Ana el dia 01/03/2011 ");
    const DocumentoPrueba &d = Doc(0);
    EXPECT_EQ(d.Linea(7), "01/03/2011 mar\t08:00\t24:00   (FALTA FICHAJE)\t");
    EXPECT_EQ(d.Linea(8), "\t\tFICHAJES IMPARES ");
    EXPECT_EQ(d.Atributos(8).Color, ColorRojo);
    EXPECT_TRUE(s.Ediciones.empty()); // the incidence text is not empty: no stop
    EXPECT_NE(texto.find("01/03/2011 mar 08:00 24:00   (FALTA FICHAJE)     INCIDENCIA NO JUSTIFICADA\r\n"),
              std::string::npos);

    // Without "Parar si incidencia" there is no message.
    RespuestasPrueba otras;
    ServiciosPrueba t;
    in.Peticion.PararSiIncidencia = false;
    t.Lectores["7 "].Fichajes = {{D1, 8, 0}};
    EjecutaPresencia(in, t);
    EXPECT_TRUE(otras.Mensajes.empty());
}

TEST_F(Presencia, CodigosDeIncidenciaDeLosFichajes) {
    Fichajes("7 ").Fichajes = {{D1, 8, 0, 2}, {D1, 16, 0}};
    EjecutaPresencia(in, s);
    const DocumentoPrueba &d = Doc(0);
    EXPECT_EQ(d.Linea(8), "(1) Medico *Empresa");
    EXPECT_TRUE(d.Atributos(8).Negrita);
    EXPECT_EQ(d.Atributos(8).Color, ColorVerde);
    EXPECT_EQ(d.Linea(9), CabeceraDia);
}

TEST_F(Presencia, ResumenDeTresEmpleados) {
    in.Peticion.TipoListado = ListadoResumen;
    in.Peticion.PararSiIncidencia = true;
    in.Peticion.Empleados = {"7 Ana", "8 Eva", "9 Sin Fila"};
    Fichajes("7 ").Fichajes = {{D1, 8, 0}, {D1, 17, 0}, {D2, 8, 0}, {D2, 16, 0}};
    Fichajes("8 ").Fichajes = {{D1, 8, 0}, {D1, 16, 0}, {D2, 8, 0}, {D2, 15, 0}};
    const std::string texto = EjecutaPresencia(in, s);
    EXPECT_TRUE(s.Ediciones.empty()); // no stop in a summary
    ASSERT_EQ(s.Docs.size(), 1u);
    EXPECT_EQ(s.Docs[0].Titulo, "Resumen de presencia desde 01/03/2011 hasta 03/03/2011 ");
    EXPECT_EQ(s.Docs[0].Archivo, "archivos/presencia/Resumen 01_03_2011 a 03_03_2011.rtf");
    const DocumentoPrueba &d = Doc(0);
    EXPECT_EQ(d.Linea(0), "");
    EXPECT_EQ(d.Linea(1), "Resumen de presencia desde 01/03/2011 hasta 03/03/2011 ");
    EXPECT_EQ(d.Atributos(1).Tamano, 16);
    EXPECT_EQ(d.Linea(3), "7 Ana");
    EXPECT_TRUE(d.Atributos(3).Negrita);
    EXPECT_EQ(d.Atributos(3).Color, ColorNegro);
    EXPECT_EQ(d.Atributos(3).Tamano, 12);
    EXPECT_EQ(d.Linea(6), "\t\t16:00\t\t17:00\t\t+1:00\t\t16:00\t1:00\t");
    EXPECT_EQ(d.Linea(7), "\t\t\t\tPrecio por hora en Euros\t\t\t10.00\t\t");
    EXPECT_EQ(d.Linea(8), "\t\t\t\tHoras aplicables\t\t\t\t 1.00\t\t");
    EXPECT_EQ(d.Linea(9), "\t\t\t\tTotal\t\t\t\t\t10.00\t\t=    10.00 \x80");
    // Eva: one hour short; her price is the presence type's with no increment.
    EXPECT_EQ(d.Linea(14), "");
    EXPECT_EQ(d.Linea(15), "8 Eva");
    EXPECT_EQ(d.Linea(18), "\t\t16:00\t\t15:00\t\t-1:00\t\t15:00\t\t");
    EXPECT_EQ(d.Linea(21), "\t\t\t\tTotal\t\t\t\t-8.00\t=    -8.00 \x80");
    // An employee without a row in the employees grid: no calendar, so no schedule at all.
    EXPECT_EQ(d.Linea(27), "9 Sin Fila");
    EXPECT_EQ(d.Linea(30), "\t\t0:00\t\t0:00\t\t+0:00\t\t\t\t");
    ASSERT_EQ(d.Lineas.size(), 41u);
    EXPECT_EQ(d.Linea(38), "\t\thoras te\xf3ricas\tHoras Trabajadas\tSaldo total\tPresenc\tExtra\tNocturn");
    EXPECT_EQ(d.Atributos(38).Color, ColorRojo);
    EXPECT_EQ(d.Linea(39), "\t\t32:00\t\t32:00\t\t+0:00\t\t31:00\t1:00\t");
    EXPECT_EQ(d.Linea(40), "\t\t\t\tTotal\t\t\t\t\t10.00\t\t=    10.00 \x80");
    EXPECT_EQ(texto, "Resumen de presencia desde 01/03/2011 hasta 03/03/2011 \r\n"
                     "02/03/2011 mi\xe9 08:00 15:00 (A) " +
                         std::string(22, ' ') + "INCIDENCIA NO JUSTIFICADA\r\n");
}

TEST_F(Presencia, CadaDiaEmpiezaSinTextoDeIncidencia) {
    // Neither an editor's text from before the run nor a day's incidence reaches another day,
    // also in a summary, where no incidence line is printed.
    in.Peticion.TipoListado = ListadoResumen;
    in.Peticion.Empleados = {"7 Ana", "8 Eva"};
    in.Peticion.Hasta = D2;
    Escribe("datos/incidencias.2011", "01/03/2011 00:00\r\n7 Ana\r\n5 Ausencia *Trabajador\r\n");
    const std::string texto = EjecutaPresencia(in, s);
    const std::string falta =
        "  *** NO HAY FICHAJES ***" + std::string(22, ' ') + "INCIDENCIA NO JUSTIFICADA\r\n";
    EXPECT_EQ(texto, "Resumen de presencia desde 01/03/2011 hasta 02/03/2011 \r\n"
                     "02/03/2011 mi\xe9" +
                         falta + "01/03/2011 mar" + falta + "02/03/2011 mi\xe9" + falta);
}

TEST_F(Presencia, DosEmpleadosDosDocumentos) {
    in.Peticion.Empleados = {"7 Ana", "8 Eva"};
    in.Peticion.Hasta = D1;
    const std::string texto = EjecutaPresencia(in, s);
    ASSERT_EQ(s.Docs.size(), 2u);
    EXPECT_EQ(s.Docs[1].Archivo, "archivos/presencia/8 Eva de 01_03_2011 a 01_03_2011.rtf");
    EXPECT_EQ(s.Busquedas, std::vector<std::string>({"7 ", "8 "}));
    const std::string l =
        "01/03/2011 mar  *** NO HAY FICHAJES ***" + std::string(22, ' ') + "INCIDENCIA NO JUSTIFICADA\r\n";
    EXPECT_EQ(texto, "Listado de incidencias de 7 Ana desde 01/03/2011 hasta 01/03/2011 \r\n\r\n" + l +
                         "\r\n" + std::string(70, '-') +
                         "\r\nListado de incidencias de 8 Eva desde 01/03/2011 hasta 01/03/2011 \r\n\r\n" +
                         l);
}

TEST_F(Presencia, ModoIncidencias) {
    ModoIncidencias = 1;
    in.Peticion.ModoIncidencias = true;
    NombreInformeIncidencias = "informe de incidencias.txt"; // the file shown is the one written
    const std::string texto = EjecutaPresencia(in, s);
    ASSERT_EQ(s.Docs.size(), 1u);
    EXPECT_TRUE(s.Docs[0].Terminado);
    EXPECT_FALSE(s.Docs[0].Mostrado);
    EXPECT_EQ(s.Abiertos, std::vector<std::string>({"informe de incidencias.txt"}));
    EXPECT_EQ(Contenido("informe de incidencias.txt"), texto);
    EXPECT_EQ(ModoIncidencias, 0);
}

TEST_F(Presencia, ArchivoDeIncidenciasQueNoSePuedeEscribir) {
    QDir().mkdir(QString::fromStdString(NombreInformeIncidencias));
    in.Peticion.ModoIncidencias = true;
    EjecutaPresencia(in, s);
    EXPECT_TRUE(s.Abiertos.empty());
    ASSERT_EQ(respuestas.Mensajes.size(), 1u);
    EXPECT_EQ(respuestas.Mensajes[0].texto,
              "No se pudo escribir el archivo de incidencias " + NombreInformeIncidencias);
}

TEST_F(Presencia, SinEmpleadosNadaOcurre) {
    in.Peticion.Empleados.clear();
    EjecutaPresencia(in, s);
    EXPECT_TRUE(s.Docs.empty());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(NombreInformeIncidencias)));
}

TEST_F(Presencia, PrimerDiaConCodigo254) {
    std::string mapa(366, '\xff');
    mapa[59] = '\xfe';
    Escribe("datos/H2011.001", mapa);
    in.Peticion.Hasta = D1;
    EjecutaPresencia(in, s);
    EXPECT_EQ(Doc(0).Linea(3), "Ultimo\tEntra \tSale\t");
    EXPECT_EQ(Doc(0).Linea(4), "\t\t08:00\t16:00\t");
    EXPECT_EQ(Doc(0).Linea(6), "Ultimo\tEntra \tSale\t");
}

TEST_F(Presencia, MapasDeDiasCortosYAusentes) {
    Escribe("datos/H2011.001", std::string(60, '\x01')); // ends at 01/03
    in.Peticion.Hasta = D2;
    EjecutaPresencia(in, s);
    EXPECT_EQ(Doc(0).Linea(6), "Normal\tEntra \tSale\t");
    EXPECT_EQ(Doc(0).Linea(12), "Sin Horario");

    // A missing map is created with no schedule for any day.
    in.Peticion.Desde = QDate(2012, 1, 2);
    in.Peticion.Hasta = QDate(2012, 1, 2);
    EjecutaPresencia(in, s);
    EXPECT_EQ(Contenido("datos/H2012.001"), std::string(366, '\xff'));
    EXPECT_EQ(Doc(1).Linea(3), "Sin Horario");

    // One that exists but cannot be read is left as it is.
    Escribe("datos/H2013.001", std::string(366, '\x01'));
    in.Peticion.Desde = in.Peticion.Hasta = QDate(2013, 1, 2);
    {
        SinLectura sinLectura("datos/H2013.001");
        EjecutaPresencia(in, s);
    }
    EXPECT_EQ(Contenido("datos/H2013.001"), std::string(366, '\x01'));
    EXPECT_EQ(Doc(2).Linea(3), "Sin Horario");
}

TEST_F(Presencia, NombreDeArchivoNoSaleDelDirectorio) {
    in.Peticion.Empleados = {"7 ../../x\\y"};
    in.Peticion.Hasta = D1;
    EjecutaPresencia(in, s);
    EXPECT_EQ(s.Docs[0].Archivo, "archivos/presencia/7 .._.._x_y de 01_03_2011 a 01_03_2011.rtf");
}

TEST_F(Presencia, GraficoDelDia) {
    in.Peticion.IncluirGrafico = true;
    in.Peticion.Hasta = D2;
    Fichajes("7 ").Fichajes = {{D1, 8, 0}, {D1, 16, 3}};
    EjecutaPresencia(in, s);
    const DocumentoPrueba &d = Doc(0);
    // After the totals: heading, ruler, schedule bar, two days (the second with its incidence).
    const size_t g = d.Lineas.size() - 6;
    EXPECT_EQ(d.Linea(g), "Trabajador 7 Ana");
    EXPECT_EQ(d.Atributos(g).Color, ColorMarino);
    EXPECT_EQ(d.Atributos(g).Tamano, 14);
    auto barras = [&](size_t linea, const QColor &c) {
        size_t n = 0;
        for (const TrozoPrueba &t : d.Lineas.at(linea))
            if (t.Color == c)
                n += static_cast<size_t>(std::count(t.Texto.begin(), t.Texto.end(), '|'));
        return n;
    };
    EXPECT_EQ(barras(g + 1, ColorNegro), 25u);
    EXPECT_EQ(barras(g + 1, ColorBlanco), 275u);
    EXPECT_NE(d.Linea(g + 1).find("Normal\t"), std::string::npos);
    EXPECT_EQ(barras(g + 2, QColor(255, 0, 0)), 96u + 48u); // "Extra" is 255: red
    EXPECT_EQ(barras(g + 2, QColor(0, 255, 0)), 96u);       // "Presencia" is 65280: green
    // 08:00 to 16:03: 96 white bars, 96 of presence and 3 minutes that make no bar.
    EXPECT_EQ(d.Linea(g + 3).substr(0, 15), "01/03/2011 mar\t");
    EXPECT_EQ(barras(g + 3, ColorBlanco), 96u);
    EXPECT_EQ(barras(g + 3, QColor(0, 255, 0)), 96u);
    EXPECT_EQ(barras(g + 4, ColorNegro), 288u);
    EXPECT_EQ(d.Linea(g + 5), "\t\tINCIDENCIA NO JUSTIFICADA");
    EXPECT_EQ(d.Atributos(g + 5).Color, ColorRojo);
}

// The report with the day graph as the program saves it: byte for byte the file beside this test.
TEST_F(Presencia, GraficoDelDiaEnTextoEnriquecido) {
    struct : ServiciosPrueba {
        std::vector<std::unique_ptr<TInformeRTF>> Informes;
        TEscritorInforme *NuevoDocumento(const std::string &titulo, const std::string &) override {
            return Informes.emplace_back(std::make_unique<TInformeRTF>(titulo)).get();
        }
    } rtf;
    in.Peticion.IncluirGrafico = true;
    rtf.Lectores["7 "].Fichajes = {{D1, 8, 0}, {D1, 16, 3}};
    EjecutaPresencia(in, rtf);
    ASSERT_EQ(rtf.Informes.size(), 1u);
    EXPECT_EQ(rtf.Informes[0]->RTF(), Contenido(kInformeGrafico));
}

TEST(DatosPresencia, FilaDelEmpleado) {
    StringGrid g(13, 4);
    g.Cells[0][1] = "7 Ana";
    g.Cells[10][1] = "3";
    g.Cells[11][1] = "1 1 ";
    g.Cells[0][2] = "8 Eva";
    g.Cells[0][3] = "7 Ana (otra)";
    g.Cells[10][3] = "257";
    g.Cells[11][3] = "2.5 0 1.25 x";
    int cal = -1;
    std::vector<double> inc;
    ASSERT_TRUE(DatosEmpleado(g, 7, cal, inc));
    EXPECT_EQ(cal, 1); // kept as one byte
    EXPECT_EQ(inc, std::vector<double>({2.5, 0.0, 1.25}));
    EXPECT_FALSE(DatosEmpleado(g, 9, cal, inc));
}

TEST(DatosPresencia, MinimoExtraDeLaFicha) {
    DirectorioTrabajo dir;
    TRestauraAjustes ajustes;
    AjustesPrueba().DirDatos = "";
    EXPECT_EQ(MinimoExtraEmpleado(5), 0);
    std::string ficha;
    for (int i = 0; i < 18; ++i)
        ficha += "x\r\n";
    Escribe("empleado.5", ficha);
    EXPECT_EQ(MinimoExtraEmpleado(5), 0);
    Escribe("empleado.5", ficha + "1\r\n");
    EXPECT_EQ(MinimoExtraEmpleado(5), 0);
    Escribe("empleado.5", ficha + "10\r\n");
    EXPECT_EQ(MinimoExtraEmpleado(5), 10);
}
