// Damaged master-data files through their readers: each returns, keeps every line it read and
// leaves the file as it was.
#include "common/ajustesprueba.h"
#include "masterdata/calendarioeditado.h"
#include "masterdata/empleados.h"
#include "masterdata/faltas.h"
#include "masterdata/fichapersonal.h"
#include "masterdata/horarios.h"
#include "masterdata/organizacion.h"
#include "masterdata/terminales.h"
#include "masterdata/tiposincidencia.h"
#include "platform/lineas.h"
#include "platform/numeros.h"
#include "support/dirtemporal.h"
#include "support/mutaciones.h"

#include <gtest/gtest.h>

namespace {

using V = std::vector<std::string>;

V lineas(const std::string &ruta) {
    V l;
    EXPECT_TRUE(LeeLineas(ruta, l));
    return l;
}

std::string unidas(const V &lineas) {
    std::string r;
    for (const auto &l : lineas)
        r += l + "\r\n";
    return r;
}

// The grid gives back every line read, and at most a short last record's padding after them.
void guardaLoLeido(const V &leidas, V escritas, size_t porRegistro) {
    ASSERT_GE(escritas.size(), leidas.size());
    EXPECT_LT(escritas.size() - leidas.size(), porRegistro);
    escritas.resize(leidas.size());
    EXPECT_EQ(escritas, leidas);
}

const V kArbol = {"Empresa", "\t1 Ana", "\t2 Luis", "\tGrupo", "\t\t33 Eva"};

void empleados(const std::string &ruta, const Mutacion &) {
    StringGrid sg1, sg3;
    LlenaEmpleados(sg1, NodosEmpleado(kArbol), lineas(ruta));
    LlenaIncrementos(sg3, TiposHoraPorDefecto());
    ASSERT_GE(sg1.RowCount(), 4); // every employee node has a row
    for (int r = 1; r < sg1.RowCount(); ++r) {
        RepartirIncrementos(sg1.Celda(ColIncrementos, r), sg3);
        CosteHora(sg1.Celda(ColCostes, r), QDate(2024, 3, 1));
        LeeFechaCorta(sg1.Celda(ColNacimiento, r));
    }
    EXPECT_EQ(LineasEmpleados(sg1).size(), static_cast<size_t>((sg1.RowCount() - 1) * LineasPorEmpleado));
}

void tiposHora(const std::string &ruta, const Mutacion &) {
    StringGrid sg3;
    const V nombres = CargaTiposHora(sg3, ruta);
    guardaLoLeido(lineas(ruta), LineasTiposHora(sg3), LineasTipoHora);
    for (int r = 1; r < sg3.RowCount(); ++r)
        ColorWindows(LeeEntero(sg3.Celda(3, r)));
    NormalizaPrecios(sg3);
}

void jornadas(const std::string &ruta, const Mutacion &) {
    StringGrid sg1;
    CargaJornadas(sg1, ruta);
    const V leidas = lineas(ruta);
    if (!leidas.empty())
        guardaLoLeido(leidas, LineasJornadas(sg1), LineasJornada);
    for (int r = 0; r < sg1.RowCount(); ++r) {
        const LineaTiempo lt = CalculaLineaTiempo(sg1.Celda(2, r), {"Cortesia", "Presencia"});
        EXPECT_LE(lt.Tramos.size(), sg1.Celda(2, r).size() / 2);
    }
    PrimeraJornadaFueraDeRango(sg1);
    PrimeraJornadaInvalida(sg1);
}

void calendarios(const std::string &ruta, const Mutacion &) {
    const V leidas = lineas(ruta);
    const std::vector<TCalendario> c = LeeCalendarios(ruta);
    EXPECT_EQ(c.size(), (leidas.size() + 2) / 3);
    EXPECT_LE(ItemsCalendarios(leidas).size(), c.size());
}

// The map holds the file's first 366 bytes, 255 past its end; loading it for editing writes nothing.
void diasCalendario(const std::string &ruta, const Mutacion &m) {
    TDiasCalendario dias;
    ASSERT_TRUE(LeeDiasCalendario(ruta, dias));
    for (size_t i = 0; i < dias.size(); ++i)
        ASSERT_EQ(dias[i], i < m.Bytes.size() ? static_cast<unsigned char>(m.Bytes[i]) : SinJornada) << i;
    StringGrid sgFaltas, sg2(3, 2);
    sg2.SetFila(1, {"1", "2024", "General"});
    TCalendarioEditado editado(sg2);
    std::string error;
    EXPECT_TRUE(editado.Carga(1, error)) << error;
    EXPECT_EQ(editado.Dias, dias);
    TitulosFaltas(sgFaltas);
    RellenaHojaFaltas(sgFaltas, QDate(2024, 12, 1), QDate(2024, 12, 31), dias, {0, 255}, {});
}

void tiposIncidencia(const std::string &ruta, const Mutacion &) {
    StringGrid sg;
    ASSERT_TRUE(LeeTiposIncidencia(ruta, sg));
    const V leidas = lineas(ruta);
    if (leidas.size() > ColumnasIncidencia) // titles alone keep one empty row
        guardaLoLeido(leidas, LineasTiposIncidencia(sg), ColumnasIncidencia);
    PrimerTipoInvalido(sg);
}

void organizacion(const std::string &ruta, const Mutacion &) {
    TArbolOrganizacion a;
    ASSERT_TRUE(a.Carga(ruta));
    NodosEmpleado(a.Lineas());
}

void terminales(const std::string &ruta, const Mutacion &) {
    StringGrid sg;
    ASSERT_TRUE(LeeTerminales(ruta, sg));
    EXPECT_GE(sg.RowCount(), 2);
    EXPECT_EQ(sg.ColCount(), ColumnasTerminal);
}

void fichaPersonal(const std::string &ruta, const Mutacion &) {
    V campos;
    ASSERT_TRUE(LeeFichaPersonal(ruta, campos));
    EXPECT_EQ(campos.size(), static_cast<size_t>(LineasFichaPersonal));
}

V registroEmpleado(const std::string &id) {
    return {id,
            "Gil",
            "Ana",
            "C/ Mayor 1",
            "Soria",
            "123",
            "975",
            "01/02/1980",
            "03/04/2010",
            "",
            "1",
            "1,5 0 2 ",
            "01/01/2024 12.5,01/06/2024 13,",
            ""};
}

TEST(Robustez, ArchivosDanadosDeDatosMaestros) {
    TRestauraAjustes ajustes;
    DirectorioTrabajo d;
    AjustesPrueba().DirDatos = "";
    V empleadosValido = registroEmpleado("1 Ana");
    for (const auto &l : registroEmpleado("33 Eva"))
        empleadosValido.push_back(l);
    PruebaArchivos({
        {"empleados.dat", unidas(empleadosValido), empleados},
        {"horarios.def", unidas({"Cortesia", "0", "0", "0", "Presencia", "12.5", "1", "65280"}), tiposHora},
        {"horarios.dat", unidas({"0", "Festivo", " 1440 5", "1", "Normal", " 480 1 30 0 60 2"}), jornadas},
        {"calendarios.dat", unidas({"1", "2024", "General", "2", "2024", "Tienda"}), calendarios},
        {NombreDiasCalendario(2024, 1).c_str(), std::string(300, '\1') + std::string(66, '\xFF'),
         diasCalendario},
        {"incidencias.dat", unidas({"Código", "Incidencia", "A cargo de", "1", "Médico", "Empresa"}),
         tiposIncidencia},
        {"empresa.org", unidas(kArbol), organizacion},
        {"terminales.dat",
         unidas({"Tipo", "Dir", "Desc", "Permitidos", "Denegados", "Modo", "Ethernet", "10.0.0.5:1", "Puerta",
                 "", "", "Todo"}),
         terminales},
        {"empleado.1", unidas(V(LineasFichaPersonal, "campo")), fichaPersonal},
    });
}

} // namespace
