#include "common/configuracion.h"
#include "masterdata/Incidenciasorg.h"
#include "masterdata/tiposincidencia.h"
#include "platform/lineas.h"
#include "platform/stringgridview.h"

#include "support/dirtemporal.h"
#include "support/respuestas.h"

#include <QComboBox>
#include <gtest/gtest.h>

namespace {

const std::string kTitulos = "C\xF3"
                             "digo\r\nIncidencia\r\nA cargo de\r\n";

struct EntornoIncidencias {
    DirectorioTrabajo dir;
    RespuestasPrueba respuestas;
    std::string datos = DirDatos;
    EntornoIncidencias() {
        DirDatos = "d/";
        CreaDirectorio("d");
    }
    ~EntornoIncidencias() { DirDatos = datos; }
};

} // namespace

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
    DirDatos = "Almac\xE9n/";
    ASSERT_TRUE(CreaDirectorio(DirDatos));
    ASSERT_TRUE(GuardaBytes(DirDatos + "INCIDENCIAS.dat", kTitulos));
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

TEST(TiposIncidencia, VentanaGuardaOrdenado) {
    EntornoIncidencias e;
    const std::string archivo = kTitulos + "5\r\nM\xE9"
                                           "dico\r\nEmpresa\r\n2\r\nHuelga\r\nTrabajador\r\n";
    Escribe("d/Incidencias.dat", archivo);
    TFormCIncidencias f;
    ASSERT_EQ(f.SG1.RowCount(), 3);
    f.SpeedButton1Click();
    EXPECT_EQ(f.SG1.Row(), 3);
    f.SG1.SetCelda(0, 3, "9");
    f.SG1.SetCelda(1, 3, "Viaje");
    f.SG1.SetCol(2);
    f.SG1SelectCell(2, 3);
    EXPECT_FALSE(f.CB1->isHidden());
    f.CB1Change(); // nothing chosen: the first item
    EXPECT_EQ(f.SG1.Cells[2][3], "Empresa");
    f.CB1->setCurrentIndex(1);
    f.CB1Change();
    EXPECT_EQ(f.SG1.Cells[2][3], "Trabajador");
    f.SG1SelectCell(1, 3);
    EXPECT_TRUE(f.CB1->isHidden());

    ASSERT_TRUE(f.botonrecClick());
    EXPECT_EQ(Contenido("d/Incidencias.dat"), kTitulos + "2\r\nHuelga\r\nTrabajador\r\n5\r\nM\xE9"
                                                         "dico\r\nEmpresa\r\n"
                                                         "9\r\nViaje\r\nTrabajador\r\n");
    EXPECT_FALSE(ExisteArchivo("d/incidencias.dat"));
    EXPECT_EQ(f.SG1.Cells[1][1], "Huelga");

    f.SG1.SetRow(1);
    f.SpeedButton2Click();
    f.SpeedButton2Click();
    f.SpeedButton2Click(); // the last type stays
    EXPECT_EQ(f.SG1.RowCount(), 2);
    EXPECT_EQ(f.SG1.Cells[1][1], "Viaje");
}

TEST(TiposIncidencia, VentanaSinArchivo) {
    EntornoIncidencias e;
    TFormCIncidencias f;
    EXPECT_EQ(f.SG1.RowCount(), 2);
    EXPECT_EQ(f.SG1.Fila(0), TitulosIncidencias());
    ASSERT_TRUE(f.botonrecClick());
    EXPECT_EQ(Contenido("d/incidencias.dat"), kTitulos + "\r\n\r\n\r\n");
}

TEST(TiposIncidencia, CodigoQueNoEsNumeroSeAvisaYNoSeGuarda) {
    EntornoIncidencias e;
    TFormCIncidencias f;
    for (const char *codigo : {"M1", "", "1000"}) {
        e.respuestas.Mensajes.clear();
        f.VistaSG1->model()->setData(f.VistaSG1->model()->index(1, 0), QString::fromLatin1(codigo));
        f.SG1.SetCelda(1, 1, "Viaje");
        EXPECT_FALSE(f.botonrecClick()) << codigo;
        EXPECT_EQ(e.respuestas.Mensajes.size(), 2u) << codigo; // at the cell, then at "Guardar"
        EXPECT_FALSE(ExisteArchivo("d/incidencias.dat"));
    }
    f.SG1.SetCelda(0, 1, "7");
    EXPECT_TRUE(f.botonrecClick());
}
