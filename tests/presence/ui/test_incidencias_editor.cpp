#include "common/configuracion.h"
#include "common/globales.h"
#include "masterdata/empleados.h"
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "platform/reloj.h"
#include "platform/ui/stringgridview.h"
#include "platform/ui/ventanas.h"
#include "presence/incidencias.h"
#include "presence/ui/ficharpre.h"
#include "presence/ui/incidenciased.h"
#include "presence/ui/incidenciasprueba.h"
#include "support/dirtemporal.h"
#include "support/respuestas.h"
#include "support/tecleo.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QTextEdit>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>
#include <QtTest/QTest>
#include <filesystem>
#include <gtest/gtest.h>

TEST(FormEditaIncidencias, CreacionCargaCajasYAnioActual) {
    Entorno e;
    TFormEditaIncidencias f;
    ASSERT_EQ(f.CB2->count(), 2);
    EXPECT_EQ(deQ(f.CB2->itemText(0)), "3 Vacaciones *Empresa");
    EXPECT_EQ(deQ(f.CB2->itemText(1)), "5 Falta *Trabajador");
    ASSERT_EQ(f.CB1->count(), 2);
    EXPECT_EQ(deQ(f.CB1->itemText(0)), "12 Ana");
    EXPECT_EQ(f.SG1.RowCount(), 2);
    EXPECT_EQ(f.SG1.Cells[1][1], "7 Dure");
    EXPECT_EQ(f.windowTitle().toStdString(), "Editar incidencias de 2011");
    EXPECT_EQ(ArchivoIncidencias, "incidencias.2011");
}

TEST(FormEditaIncidencias, EmpleadoPedidoEnLaSiguienteActivacion) {
    Entorno e;
    TFormEditaIncidencias f;
    f.CB1->setEditText("40 Otro");
    f.EmpleadoPedido = "12 ";
    f.FormActivate();
    EXPECT_EQ(f.CB1->currentText(), "12 ");
    EXPECT_TRUE(f.EmpleadoPedido.empty());
    f.CB1->setEditText("40 Otro");
    f.FormActivate();
    EXPECT_EQ(f.CB1->currentText(), "40 Otro");
}

TEST(FormEditaIncidencias, AnadirBorrarYResaltar) {
    Entorno e;
    TFormEditaIncidencias f;
    FechaFichaje = QDateTime(QDate(2011, 3, 4), QTime(0, 0));
    f.FormActivate();
    EXPECT_EQ(f.DT1->date(), QDate(2011, 3, 4));
    EXPECT_EQ(f.DT2->date(), QDate(2011, 3, 4));
    f.DT2->setDate(QDate(2011, 3, 5));
    f.CB1->setEditText("12 Ana");
    f.CB2->setCurrentIndex(0);
    f.HIni->setTime(QTime(1, 30));
    RespuestasPrueba r;
    f.SpeedButton1Click();
    EXPECT_TRUE(r.Mensajes.empty());
    EXPECT_EQ(Contenido("datos/incidencias.2011"), "05/03/2011 01:30\r\n12 Ana\r\n3 Vacaciones *Empresa\r\n"
                                                   "04/03/2011 01:30\r\n12 Ana\r\n3 Vacaciones *Empresa\r\n"
                                                   "02/03/2011 00:00\r\n7 Dure\r\n3 Vacaciones *Empresa\r\n");
    EXPECT_EQ(f.TextoIncidencia, "\t\tINCIDENCIA 3 Vacaciones *Empresa Justifica 01:30:00");
    ASSERT_EQ(f.SG1.RowCount(), 4);

    auto *m = f.VistaSG1->Modelo();
    EXPECT_EQ(m->ColorTexto(0, 1), QColor(Qt::red));
    EXPECT_FALSE(m->ColorTexto(0, 3).isValid()); // employee 7
    f.CB1->setEditText("");
    EXPECT_EQ(m->ColorTexto(2, 3), QColor(Qt::red));

    f.SG1.SetRow(2);
    f.SpeedButton2Click();
    EXPECT_EQ(f.SG1.RowCount(), 3);
    EXPECT_EQ(Contenido("datos/incidencias.2011"), "05/03/2011 01:30\r\n12 Ana\r\n3 Vacaciones *Empresa\r\n"
                                                   "02/03/2011 00:00\r\n7 Dure\r\n3 Vacaciones *Empresa\r\n");
}

TEST(FormEditaIncidencias, MensajesYCambioDeFechas) {
    Entorno e;
    TFormEditaIncidencias f;
    f.CB1->setEditText("Ana");
    f.CB2->setCurrentIndex(1);
    RespuestasPrueba r;
    f.SpeedButton1Click();
    ASSERT_EQ(r.Mensajes.size(), 1u);
    EXPECT_EQ(r.Mensajes[0].texto, Ansi("El trabajador debe empezar por su número de empleado"));

    f.DT1->setDate(QDate(2011, 3, 1));
    f.DT2->setDate(QDate(2011, 2, 1)); // end before start moves the start
    EXPECT_EQ(f.DT1->date(), QDate(2011, 2, 1));
    f.DT1->setDate(QDate(2010, 12, 1));
    EXPECT_EQ(f.windowTitle().toStdString(), "Editar incidencias de 2010");
    EXPECT_EQ(ArchivoIncidencias, "incidencias.2010");
    EXPECT_EQ(f.SG1.RowCount(), 2); // the 2011 records, no 2010 file
}

// A date typed into "Desde" or "hasta" is the date typed; the fields are kept in step only once it
// is finished.
TEST(FormEditaIncidencias, FechaTecleadaSeAjustaAlTerminarla) {
    Entorno e;
    struct Caso {
        bool hasta;
        const char *teclas;
        QDate desde, hastaQueda;
    };
    const Caso casos[] = {
        {true, "15062011", QDate(2011, 6, 1), QDate(2011, 6, 15)},
        {true, "20/05/2011", QDate(2011, 5, 20), QDate(2011, 5, 20)}, // the start follows the end
        {false, "01062010", QDate(2010, 6, 1), QDate(2011, 6, 1)},    // a year at most
        {false, "15012012", QDate(2012, 1, 15), QDate(2012, 5, 31)},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.teclas);
        RespuestasPrueba r;
        TFormEditaIncidencias f;
        f.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
        for (const QDate d : {QDate(2012, 5, 31), QDate(2011, 6, 1), QDate(2012, 5, 31)})
            (d.year() == 2011 ? f.DT1 : f.DT2)->setDate(d);
        ASSERT_EQ(f.DT2->date(), QDate(2012, 5, 31));
        TecleaFecha(c.hasta ? f.DT2 : f.DT1, c.teclas);
        EXPECT_EQ(f.DT1->date(), c.desde);
        EXPECT_EQ(f.DT2->date(), c.hastaQueda);
        EXPECT_TRUE(r.Mensajes.empty());
    }
}

TEST(FormEditaIncidencias, TiposDelArchivoSeaCualSeaSuNombre) {
    Entorno e;
    std::filesystem::remove("datos/incidencias.dat");
    {
        TFormEditaIncidencias f;
        EXPECT_EQ(f.CB2->count(), 0);
    }
    // Copied from another system with its name in capitals; a short last record still counts.
    Escribe("datos/INCIDENCIAS.DAT", Ansi("Código\r\nIncidencia\r\nA cargo de\r\n4\r\nMedico\r\nEmpresa\r\n"
                                          "8\r\nBaja\r\n"));
    TFormEditaIncidencias f;
    ASSERT_EQ(f.CB2->count(), 2);
    EXPECT_EQ(deQ(f.CB2->itemText(0)), "4 Medico *Empresa");
    EXPECT_EQ(deQ(f.CB2->itemText(1)), "8 Baja *");
}

TEST(FormEditaIncidencias, FicharAbreElFichajeConElTrabajador) {
    Entorno e;
    TFormEditaIncidencias f;
    TFormFichar fichar;
    RegistraVentana("FormFichar", &fichar);
    FechaFichaje = QDateTime(QDate(2011, 3, 4), QTime(0, 0));
    fichar.Peticion.EmpleadoFichaje.clear();
    fichar.Peticion.CodigoFichaje = "00120003";
    f.CB1->setEditText("12 Ana");
    std::string visto;
    QTimer::singleShot(0, &fichar, [&] {
        visto = deQ(fichar.CB1->currentText());
        fichar.reject();
    });
    f.SpeedButton3Click();
    RegistraVentana("FormFichar", nullptr);
    EXPECT_EQ(visto, "12 Ana");
    EXPECT_EQ(fichar.Peticion.EmpleadoFichaje, "12 Ana");
    EXPECT_EQ(fichar.Peticion.CodigoFichaje, std::string(8, ' '));
    EXPECT_EQ(fichar.windowTitle().toStdString(), "Fichar presencia");
    EXPECT_EQ(fichar.DT1->date(), QDate(2011, 3, 4));
}

TEST(FormEditaIncidencias, IntroEnUnCampoNoAnade) {
    Entorno e;
    TFormEditaIncidencias f;
    FechaFichaje = QDateTime(QDate(2011, 3, 10), QTime(0, 0));
    f.show();
    f.CB1->setEditText("12 Ana");
    f.CB2->setCurrentIndex(0);
    RespuestasPrueba r;
    for (QWidget *w : std::initializer_list<QWidget *>{f.DT1, f.CB1, f.HIni}) {
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Return);
    }
    EXPECT_TRUE(r.Mensajes.empty());
    EXPECT_EQ(Contenido("datos/incidencias.2011"), "02/03/2011 00:00\r\n7 Dure\r\n3 Vacaciones *Empresa\r\n");
}

TEST(FormEditaIncidencias, AlMostrarseListaLosEmpleadosYTiposNuevos) {
    Entorno e;
    TFormEditaIncidencias f;
    f.CB2->setCurrentIndex(1);
    GuardaLineas("datos/incidencias.dat", {Ansi("Código"), "Incidencia", "A cargo de", "3", "Vacaciones",
                                           "Empresa", "4", "Medico", "Empresa", "5", "Falta", "Trabajador"});
    GuardaLineas("datos/empleados.dat", {"9 Eva"});
    f.show();
    EXPECT_EQ(f.CB2->count(), 3);
    EXPECT_EQ(deQ(f.CB2->currentText()), "5 Falta *Trabajador"); // the choice stays
    EXPECT_EQ(f.CB1->findText("9 Eva"), 0);
    f.hide();
}
