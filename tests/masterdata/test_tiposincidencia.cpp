#include "common/ajustesprueba.h"
#include "masterdata/tiposincidencia.h"
#include "masterdata/tiposincidenciaprueba.h"

#include <gtest/gtest.h>

TEST(TiposIncidencia, OrdenPorCodigoEstable) {
    StringGrid sg{3, 2};
    LlenaTiposIncidencia(sg, TitulosIncidencias());
    sg.SetRowCount(7);
    sg.SetFila(1, {"5", "Medico", "Empresa"});
    sg.SetFila(2, {"2", "Huelga", "Trabajador"});
    sg.SetFila(3, {"9", "Viaje", "Empresa"});
    sg.SetFila(4, {"", "Sin codigo", "Empresa"});
    sg.SetFila(5, {"x1", "Letra", "Empresa"});
    sg.SetFila(6, {"2", "Otra huelga", "Trabajador"});
    OrdenaTiposIncidencia(sg);
    std::vector<std::string> nombres;
    for (int r = 1; r < sg.RowCount(); ++r)
        nombres.push_back(sg.Cells[1][r]);
    EXPECT_EQ(nombres,
              (std::vector<std::string>{"Sin codigo", "Letra", "Huelga", "Otra huelga", "Medico", "Viaje"}));
    EXPECT_EQ(sg.Fila(0), TitulosIncidencias());
}

TEST(TiposIncidencia, ArchivoSeEncuentraConCualquierMayuscula) {
    EntornoIncidencias e;
    EXPECT_EQ(RutaIncidencias(), "d/incidencias.dat");
    Escribe("d/Incidencias.DAT", kTitulos);
    EXPECT_EQ(RutaIncidencias(), "d/Incidencias.DAT");
    Escribe("d/incidencias.dat", kTitulos);
    EXPECT_EQ(RutaIncidencias(), "d/incidencias.dat");

    // A data directory with an accent in its name ("Almacén").
    AjustesPrueba().DirDatos = "Almac\xE9n/";
    ASSERT_TRUE(CreaDirectorio(Configuracion().DirDatos));
    ASSERT_TRUE(GuardaBytes(Configuracion().DirDatos + "INCIDENCIAS.dat", kTitulos));
    EXPECT_EQ(RutaIncidencias(), "Almac\xE9n/INCIDENCIAS.dat");
}

TEST(TiposIncidencia, RegistroIncompletoNoSePierde) {
    StringGrid sg{3, 2};
    LlenaTiposIncidencia(sg, {"C", "I", "A", "3", "Baja"});
    ASSERT_EQ(sg.RowCount(), 2);
    EXPECT_EQ(sg.Fila(1), (std::vector<std::string>{"3", "Baja", ""}));
    LlenaTiposIncidencia(sg, {"C"});
    EXPECT_EQ(sg.Fila(0), TitulosIncidencias());
    EXPECT_EQ(sg.RowCount(), 2);
}
