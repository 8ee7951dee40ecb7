#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "masterdata/empleados.h"
#include "masterdata/ui/empleadosorg.h"
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "platform/reloj.h"

#include "support/dirtemporal.h"
#include "support/respuestas.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

struct EntornoEmpleados {
    DirectorioTrabajo dir;
    RespuestasPrueba respuestas;
    TRestauraAjustes ajustes;
    EntornoEmpleados() {
        CreaDirectorio("d");
        AjustesPrueba().DirDatos = "d/";
        AjustesPrueba().DirFotos = "f/";
        FijaReloj([] { return QDateTime(QDate(2010, 3, 1), QTime(9, 0)); });
        Escribe("d/empresa.org", "Empresa\r\n\tTaller\r\n\t\t12 Ana\r\n\t\t3 Luis\r\n\t\t7 Eva\r\n");
        Escribe("d/horarios.def",
                "Cortesia\r\n0\r\n0\r\n0\r\nPresencia\r\n0\r\n0\r\n65280\r\nExtra\r\n5\r\n1\r\n255\r\n");
        Escribe("d/calendarios.dat", "2\r\n2010\r\nOficina\r\n2\r\n2011\r\nOficina\r\n1\r\n2010\r\nNave\r\n");
    }
    ~EntornoEmpleados() { FijaReloj(nullptr); }
};

// A record of 14 lines.
std::string registro(const std::string &id, const std::string &apellidos, const std::string &nacimiento,
                     const std::string &incrementos = "", const std::string &costes = "") {
    return id + "\r\n" + apellidos + "\r\n\r\n\r\n\r\n\r\n\r\n" + nacimiento + "\r\n\r\n\r\n\r\n" +
           incrementos + "\r\n" + costes + "\r\n\r\n";
}

} // namespace

TEST(VentanaEmpleados, CreacionDesdeLosArchivos) {
    EntornoEmpleados e;
    Escribe("d/empleados.dat", registro("3 Luis", "Gil", "02/05/1970", "1.5 2 "));
    TFormEmpleados f;
    EXPECT_EQ(f.windowTitle(), "Empleados");
    EXPECT_EQ(LineasPorEmpleado, 14);
    // Records first in file order, then the nodes without a record in tree order.
    ASSERT_EQ(f.SG1.RowCount(), 4);
    EXPECT_EQ(f.SG1.Celda(0, 1), "3 Luis");
    EXPECT_EQ(f.SG1.Celda(0, 2), "12 Ana");
    EXPECT_EQ(f.SG1.Celda(0, 3), "7 Eva");
    EXPECT_EQ(f.CB1->count(), 2);
    EXPECT_EQ(f.CB1->itemText(0), "1 Nave");
    ASSERT_EQ(f.SG3.RowCount(), 3);
    EXPECT_EQ(f.SG3.Celda(0, 1), "Presencia");
    // Row 1 is loaded into the controls.
    EXPECT_EQ(f.Edit1->text(), "Gil");
    EXPECT_EQ(f.DTNacimiento->date(), QDate(1970, 5, 2));
    EXPECT_EQ(f.SG3.Celda(1, 1), "1.5");
    EXPECT_EQ(f.SG3.Celda(1, 2), "2");
}

TEST(VentanaEmpleados, FechaVaciaSigueVaciaYComaDecimalEnElCoste) {
    EntornoEmpleados e;
    Escribe("d/empleados.dat", registro("3 Luis", "Gil", "02/05/1970") + registro("7 Eva", "Paz", ""));
    TFormEmpleados f;
    f.SG1.SetRow(2);
    f.SG1SelectCell(0, 2);
    EXPECT_EQ(f.Edit1->text(), "Paz");
    f.DTCProd->setDate(QDate(2010, 3, 1));
    f.Edit7->setText("12,5");
    ASSERT_TRUE(f.BGuarClick());
    EXPECT_EQ(f.SG1.Celda(ColNacimiento, 2), ""); // not Luis's date
    EXPECT_EQ(f.SG1.Celda(ColCostes, 2), "01/03/2010 12.5,");
    EXPECT_EQ(f.CBPreProd->count(), 1);
    EXPECT_TRUE(f.Edit7->text().isEmpty());
    EXPECT_EQ(Contenido("d/empleados.dat"), registro("3 Luis", "Gil", "02/05/1970") +
                                                registro("7 Eva", "Paz", "", "0 0 ", "01/03/2010 12.5,") +
                                                registro("12 Ana", "", ""));
    // A date chosen in the picker is written.
    f.DTNacimiento->setDate(QDate(1980, 1, 31));
    f.Edit7->setText("0");
    ASSERT_TRUE(f.BGuarClick());
    EXPECT_EQ(f.SG1.Celda(ColNacimiento, 2), "31/01/1980");
    EXPECT_EQ(f.SG1.Celda(ColCostes, 2), "01/03/2010 12.5,");
}

TEST(VentanaEmpleados, TrasOrdenarLaSeleccionSigueAlMismoEmpleado) {
    EntornoEmpleados e;
    Escribe("d/empleados.dat", registro("12 Ana", "Sanz", "") + registro("3 Luis", "Gil", ""));
    TFormEmpleados f;
    ASSERT_EQ(f.SG1.Celda(0, 1), "12 Ana");
    f.Edit1->setText("Sanz Ruiz");
    ASSERT_TRUE(f.BGuarClick());
    EXPECT_EQ(f.SG1.Celda(0, 3), "12 Ana");
    EXPECT_EQ(f.SG1.Row(), 3);
    // A second save still goes to Ana, not to whoever took her old row.
    f.Edit2->setText("Ana");
    ASSERT_TRUE(f.BGuarClick());
    EXPECT_EQ(f.SG1.Celda(1, 1), "Gil");
    EXPECT_EQ(f.SG1.Celda(2, 1), "");
    EXPECT_EQ(f.SG1.Celda(2, 3), "Ana");

    // Rebuilding the grid keeps the same employee selected.
    f.SG1.SetRow(2);
    f.SG1SelectCell(0, 2);
    f.Edit1->setText("sin guardar");
    f.FormActivate();
    EXPECT_EQ(f.SG1.Celda(0, f.SG1.Row()), "7 Eva");
}

TEST(VentanaEmpleados, ArbolSeleccionaLaFilaYFotoPorElDialogo) {
    EntornoEmpleados e;
    // The dialog gives Windows-1252 paths; the file system name is Unicode.
    CreaDirectorio("f");
    QImage imagen(4, 4, QImage::Format_RGB32);
    imagen.fill(Qt::red);
    ASSERT_TRUE(imagen.save(QString::fromUtf8("f/fotografía.png"), "PNG"));
    const std::string ruta = "f/fotograf\xED"
                             "a.png";
    TFormEmpleados f;
    ASSERT_EQ(f.SG1.RowCount(), 4);
    e.respuestas.Archivos.push_back(ruta);
    f.SG1.SetRow(3);
    f.SG1SelectCell(0, 3);
    f.FotoDblClick();
    ASSERT_EQ(e.respuestas.PeticionesArchivo.size(), 1u);
    EXPECT_EQ(e.respuestas.PeticionesArchivo[0].titulo, "Fotografia para el empleado 7 Eva");
    EXPECT_EQ(e.respuestas.PeticionesArchivo[0].directorio, "f/");
    EXPECT_EQ(f.ST2->text(), QString::fromUtf8("f/fotografía.png"));
    EXPECT_FALSE(f.Foto->pixmap().isNull());
    EXPECT_EQ(f.SG1.Celda(ColFoto, 3), ""); // only at the next save
    ASSERT_TRUE(f.BGuarClick());
    const std::string vacias8 = "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";
    EXPECT_EQ(Contenido("d/empleados.dat"), registro("3 Luis", "", "") + "7 Eva\r\n" + vacias8 + ruta +
                                                "\r\n\r\n0 0 \r\n\r\n\r\n" + registro("12 Ana", "", ""));
    // Read back, the stored path still finds the picture.
    TFormEmpleados otra;
    otra.TV1->setCurrentItem(otra.TV1->topLevelItem(0)->child(0)->child(2));
    EXPECT_EQ(otra.ST2->text(), QString::fromUtf8("f/fotografía.png"));
    EXPECT_FALSE(otra.Foto->pixmap().isNull());

    QTreeWidgetItem *luis = f.TV1->topLevelItem(0)->child(0)->child(1);
    ASSERT_EQ(luis->text(0), "3 Luis");
    f.TV1->setCurrentItem(luis);
    EXPECT_EQ(f.SG1.Celda(0, f.SG1.Row()), "3 Luis");
    EXPECT_EQ(f.ST1->text(), "3 Luis");
    EXPECT_TRUE(f.Foto->pixmap().isNull());
    f.TV1->setCurrentItem(f.TV1->topLevelItem(0)); // a group node changes nothing
    EXPECT_EQ(f.SG1.Celda(0, f.SG1.Row()), "3 Luis");
}

TEST(VentanaEmpleados, QuitarPrecioReconstruyeElHistorial) {
    EntornoEmpleados e;
    Escribe("d/empleados.dat",
            registro("3 Luis", "Gil", "", "", "01/01/2010 9,01/03/2010 10,01/06/2010 11,"));
    TFormEmpleados f;
    ASSERT_EQ(f.CBPreProd->count(), 3);
    EXPECT_FALSE(f.SBQP->isEnabled());
    f.CBPreProd->setCurrentIndex(1);
    f.CBPreProdSelect();
    EXPECT_TRUE(f.SBQP->isEnabled());
    f.SBQPClick();
    EXPECT_EQ(f.SG1.Celda(ColCostes, 1), "01/01/2010 9,01/06/2010 11,");
    EXPECT_FALSE(f.SBQP->isEnabled());
    EXPECT_EQ(CosteHora(f.SG1.Celda(ColCostes, 1), QDate(2010, 4, 1)), 9.0);
}

TEST(VentanaEmpleados, SinTiposDeHoraLosIncrementosNoSePierden) {
    EntornoEmpleados e;
    QFile::remove("d/horarios.def");
    Escribe("d/empleados.dat", registro("3 Luis", "Gil", "", "1.5 2 "));
    TFormEmpleados f;
    EXPECT_EQ(f.SG3.RowCount(), 1);
    ASSERT_TRUE(f.BGuarClick());
    EXPECT_EQ(f.SG1.Celda(ColIncrementos, 1), "1.5 2 ");
}

TEST(VentanaEmpleados, SinArbolSeGuardaVacio) {
    EntornoEmpleados e;
    QFile::remove("d/empresa.org");
    Escribe("d/empleados.dat", registro("3 Luis", "Gil", ""));
    TFormEmpleados f;
    EXPECT_EQ(f.SG1.RowCount(), 1);
    ASSERT_TRUE(f.BGuarClick());
    EXPECT_EQ(Contenido("d/empleados.dat"), "");
}

TEST(VentanaEmpleados, CosteTrasUnaEntradaSinCerrar) {
    EntornoEmpleados e;
    Escribe("d/empleados.dat", registro("3 Luis", "Gil", "", "", "01/01/2010 9"));
    TFormEmpleados f;
    EXPECT_EQ(f.CBPreProd->count(), 0);
    f.DTCProd->setDate(QDate(2010, 3, 1));
    f.Edit7->setText("12,5");
    ASSERT_TRUE(f.BGuarClick());
    EXPECT_EQ(f.SG1.Celda(ColCostes, 1), "01/03/2010 12.5,");
    EXPECT_DOUBLE_EQ(CosteHora(f.SG1.Celda(ColCostes, 1), QDate(2010, 6, 1)), 12.5);
}

TEST(VentanaEmpleados, SeReconstruyeAlMostrarseNoAlActivarse) {
    EntornoEmpleados e;
    Escribe("d/empleados.dat", registro("3 Luis", "Gil", "", "", "01/01/2010 9,01/03/2010 10,"));
    TFormEmpleados f;
    f.show();
    f.CBPreProd->setCurrentIndex(0);
    f.CBPreProdSelect();
    f.SBQPClick(); // an edit that only "Guardar" stores
    ASSERT_EQ(f.SG1.Celda(ColCostes, 1), "01/03/2010 10,");
    // A dialog closed over the window gives it back the activation.
    for (QEvent::Type tipo : {QEvent::WindowActivate, QEvent::ActivationChange}) {
        QEvent activa(tipo);
        QApplication::sendEvent(&f, &activa);
    }
    EXPECT_EQ(f.SG1.Celda(ColCostes, 1), "01/03/2010 10,");
    f.hide();
    f.show();
    EXPECT_EQ(f.SG1.Celda(ColCostes, 1), "01/01/2010 9,01/03/2010 10,");
    f.hide();
}

TEST(VentanaEmpleados, CalendarioYFechaVaciaEnElSelector) {
    EntornoEmpleados e;
    Escribe("d/empleados.dat", registro("3 Luis", "Gil", ""));
    TFormEmpleados f;
    // A name typed into the calendar combo is kept as text, not added to the list.
    QTest::keyClicks(f.CB1->lineEdit(), "9 Otro");
    QTest::keyClick(f.CB1->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(f.CB1->count(), 2);
    ASSERT_TRUE(f.BGuarClick());
    EXPECT_EQ(f.SG1.Celda(ColCalendario, 1), "9 Otro");
    EXPECT_EQ(CalendarioEmpleado, 9);
    // The blank date's calendar, opened by a click on the arrow, shows the current month, not its
    // placeholder year.
    f.show();
    QStyleOptionComboBox o;
    o.initFrom(f.DTNacimiento);
    o.editable = true;
    const QRect flecha = f.DTNacimiento->style()->subControlRect(QStyle::CC_ComboBox, &o,
                                                                 QStyle::SC_ComboBoxArrow, f.DTNacimiento);
    QTest::mouseClick(f.DTNacimiento, Qt::LeftButton, {}, flecha.center());
    QCalendarWidget *calendario = f.DTNacimiento->calendarWidget();
    EXPECT_TRUE(calendario->isVisible());
    EXPECT_EQ(calendario->yearShown(), 2010);
    EXPECT_EQ(calendario->monthShown(), 3);
    calendario->window()->hide();
    f.hide();
}

namespace {
// Luis and Eva in the file; the window, shown, has Luis with his surname edited.
struct LuisEditado : EntornoEmpleados {
    std::string archivo =
        (Escribe("d/empleados.dat", registro("3 Luis", "Gil", "") + registro("7 Eva", "Paz", "")),
         Contenido("d/empleados.dat"));
    TFormEmpleados f;
    LuisEditado() {
        f.show();
        f.Edit1->setText("Gil Sanz");
    }
};
} // namespace

TEST(VentanaEmpleados, MoverseGuardaEnLaRejillaYCerrarPregunta) {
    using Dialogos::Respuesta;
    const struct {
        Respuesta respuesta;
        bool abierta, guardado;
    } casos[] = {
        {Respuesta::Si, false, true}, {Respuesta::No, false, false}, {Respuesta::Cancelar, true, false}};
    for (const auto &c : casos) {
        LuisEditado e;
        e.f.BSigClick();
        e.f.BAntClick(); // the edit came back from the grid, not from the file
        EXPECT_EQ(e.f.Edit1->text(), "Gil Sanz");
        EXPECT_EQ(Contenido("d/empleados.dat"), e.archivo);
        e.respuestas.Respuestas.push_back(c.respuesta);
        QTest::keyClick(&e.f, Qt::Key_Escape);
        ASSERT_EQ(e.respuestas.Mensajes.size(), 1u);
        EXPECT_EQ(e.f.isVisible(), c.abierta);
        EXPECT_EQ(Contenido("d/empleados.dat") != e.archivo, c.guardado);
        // What other windows read: the file, or the edit while the window stays open.
        EXPECT_EQ(e.f.SG1.Celda(1, 1) == "Gil Sanz", c.guardado || c.abierta);
        e.f.show();
        e.f.FormActivate();
        QTest::keyClick(&e.f, Qt::Key_Escape); // nothing changed: no question
        EXPECT_EQ(e.respuestas.Mensajes.size(), 1u);
    }
}

TEST(VentanaEmpleados, PrecioQueNoEsNumeroSeAvisaYNoSeGuarda) {
    LuisEditado e;
    for (const char *precio : {"doce euros", "12abc", "-3"}) {
        e.respuestas.Mensajes.clear();
        e.f.Edit7->setText(precio);
        EXPECT_FALSE(e.f.BGuarClick()) << precio;
        e.f.BSigClick(); // nor is it left behind by moving
        ASSERT_EQ(e.respuestas.Mensajes.size(), 2u) << precio;
        EXPECT_EQ(e.f.SG1.Row(), 1);
        EXPECT_EQ(e.f.SG1.Celda(1, 1), "Gil");
        EXPECT_EQ(Contenido("d/empleados.dat"), e.archivo);
    }
}

TEST(VentanaEmpleados, FechaEscritaEnUnCampoVacioYNombreLargo) {
    EntornoEmpleados e;
    const std::string largo = "5 " + std::string(300, 'M');
    Escribe("d/empresa.org", "Empresa\r\n\tTaller\r\n\t\t" + largo + "\r\n");
    TFormEmpleados f;
    f.show();
    for (const char *tecleado : {"5/3/1980", "05031980"}) {
        f.DTNacimiento->setDate(QDate(1800, 1, 1)); // the blank
        QTest::keyClicks(f.DTNacimiento, tecleado);
        ASSERT_TRUE(f.BGuarClick());
        EXPECT_EQ(f.SG1.Celda(ColNacimiento, 1), "05/03/1980") << tecleado;
    }
    // The long name is elided: the window keeps its size and the photo stays in it.
    EXPECT_EQ(f.ST1->text().toStdString(), largo);
    EXPECT_LE(f.width(), 1000);
    EXPECT_LE(f.Foto->mapTo(&f, QPoint(f.Foto->width(), 0)).x(), f.width());
    f.hide();
}
