#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "common/globales.h"
#include "masterdata/terminales.h"
#include "masterdata/ui/terminalesorg.h"
#include "platform/lineas.h"

#include "support/dirtemporal.h"
#include "support/respuestas.h"

#include <QComboBox>
#include <gtest/gtest.h>

namespace {

const std::string kTitulos =
    "Tipo de conexi\xF3n\r\nDirecci\xF3n\r\nDescripci\xF3n\r\nPermitidos\r\nDenegados\r\nModo\r\n";

// Working directory with velkatron.ini pointing the data directory at "d".
struct EntornoTerminales {
    DirectorioTrabajo dir;
    RespuestasPrueba respuestas;
    TRestauraAjustes ajustes;
    EntornoTerminales() {
        Escribe("velkatron.ini", "[config]\r\ndatos=d\r\n");
        CreaDirectorio("d");
    }
    ~EntornoTerminales() { Ganchos::CargaTerminales = nullptr; }
};

} // namespace

TEST(Terminales, VentanaCargaYGuardaByteAByte) {
    EntornoTerminales e;
    const std::string archivo = kTitulos +
                                "Serie\r\n3\r\nAlmac\xE9n\r\nempresa\r\ndenegados.003\r\nEntrada\r\n" +
                                "OndaRelay\r\nBA0000010\r\n\r\n\r\n\r\nTodo\r\n";
    Escribe("d/terminales.dat", archivo);
    int recargas = 0;
    Ganchos::CargaTerminales = [&] { ++recargas; };
    TFormTerminales f;
    EXPECT_EQ(Configuracion().DirDatos, "d/");
    EXPECT_EQ(f.SGTerminales.RowCount(), 3);
    EXPECT_EQ(f.SGTerminales.Cells[2][1], "Almac\xE9n");
    ASSERT_TRUE(f.botonrecClick());
    EXPECT_EQ(Contenido("d/terminales.dat"), archivo);
    EXPECT_EQ(recargas, 1);
    EXPECT_TRUE(e.respuestas.Mensajes.empty());
}

TEST(Terminales, VentanaSinArchivo) {
    EntornoTerminales e;
    Escribe("velkatron.ini", "[config]\r\ndatos=d\\\r\n");
    TFormTerminales f;
    EXPECT_EQ(f.SGTerminales.RowCount(), 2);
    f.botonrecClick(); // no hook set: only the file
    EXPECT_EQ(Contenido("d/terminales.dat"), kTitulos + "\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST(Terminales, VentanaCincoLineasSeGuardaEnSeis) {
    EntornoTerminales e;
    Escribe("d/terminales.dat",
            "T\r\nD\r\nX\r\nP\r\nN\r\nSerie\r\n1\r\nA\r\n\r\n\r\nEthernet\r\n10.1.1.1\r\nB\r\n\r\n\r\n");
    TFormTerminales f;
    EXPECT_EQ(f.SGTerminales.RowCount(), 3);
    EXPECT_EQ(f.SGTerminales.Cells[5][1], "Todo");
    EXPECT_EQ(f.SGTerminales.Cells[5][2], "Todo");
    f.botonrecClick();
    EXPECT_EQ(Contenido("d/terminales.dat"),
              "T\r\nD\r\nX\r\nP\r\nN\r\nModo\r\nSerie\r\n1\r\nA\r\n\r\n\r\nTodo\r\n"
              "Ethernet\r\n10.1.1.1:2\r\nB\r\n\r\n\r\nTodo\r\n");
}

TEST(Terminales, VentanaEdicion) {
    EntornoTerminales e;
    TFormTerminales f;
    f.SpeedButton2Click(); // the only row stays
    EXPECT_EQ(f.SGTerminales.RowCount(), 2);
    f.SpeedButton1Click();
    EXPECT_EQ(f.SGTerminales.RowCount(), 3);
    EXPECT_EQ(f.SGTerminales.Row(), 2);

    f.SGTerminales.SetCol(0);
    f.SGTerminalesSelectCell(0, 2);
    EXPECT_FALSE(f.CB1->isHidden());
    EXPECT_EQ(f.CB1->currentIndex(), -1);
    f.CB1Change(); // nothing chosen: the first item
    EXPECT_EQ(f.SGTerminales.Cells[0][2], "Serie");
    f.CB1->setCurrentIndex(1);
    f.CB1Change();
    EXPECT_EQ(f.SGTerminales.Cells[0][2], "Ethernet");

    f.SGTerminales.SetCol(5);
    f.SGTerminalesSelectCell(5, 2);
    EXPECT_TRUE(f.CB1->isHidden());
    f.CB2->setCurrentIndex(4);
    f.CB2Change();
    EXPECT_EQ(f.SGTerminales.Cells[5][2], "Produccion");

    // The list columns cannot be selected.
    f.SGTerminales.SetCol(3);
    f.SGTerminalesSelectCell(3, 2);
    EXPECT_EQ(f.SGTerminales.Col(), 5);
    EXPECT_TRUE(f.CB2->isHidden());

    f.SGTerminales.SetRow(1);
    f.SpeedButton2Click();
    EXPECT_EQ(f.SGTerminales.RowCount(), 2);
    EXPECT_EQ(f.SGTerminales.Cells[0][1], "Ethernet");
}
