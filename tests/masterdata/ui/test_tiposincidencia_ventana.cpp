#include "masterdata/tiposincidencia.h"
#include "masterdata/tiposincidenciaprueba.h"
#include "masterdata/ui/incidenciasorg.h"
#include "platform/ui/stringgridview.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

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

// After the message, what is typed goes into the refused code's cell, even when the cursor was
// last in "A cargo de", whose combo box takes no typing.
TEST(TiposIncidencia, CodigoRechazadoSeCorrigeTecleandoEnSuCelda) {
    EntornoIncidencias e;
    TFormCIncidencias f;
    f.SG1.SetCelda(0, 1, "M1");
    f.SG1.SetCelda(1, 1, "Viaje");
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    QTest::mouseClick(f.VistaSG1->viewport(), Qt::LeftButton, {},
                      f.VistaSG1->visualRect(f.VistaSG1->model()->index(1, 2)).center());
    ASSERT_FALSE(f.CB1->isHidden());
    QCoreApplication::processEvents(); // the grid repainted, as between two clicks
    QTest::mouseClick(f.botonrec, Qt::LeftButton);
    ASSERT_EQ(e.respuestas.Mensajes.size(), 1u);
    EXPECT_EQ(f.SG1.Col(), 0);
    EXPECT_TRUE(f.CB1->isHidden());
    QTest::keyClicks(QApplication::focusWidget(), "7");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents(); // the grid takes the text on its next turn
    EXPECT_EQ(f.SG1.Celda(0, 1), "7");
    QTest::mouseClick(f.botonrec, Qt::LeftButton);
    EXPECT_EQ(Contenido("d/incidencias.dat"), kTitulos + "7\r\nViaje\r\n\r\n");
}
