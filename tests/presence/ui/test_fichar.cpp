#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "common/globales.h"
#include "masterdata/empleados.h"
#include "platform/lineas.h"
#include "presence/fichajemanual.h"
#include "presence/ui/ficharpre.h"
#include "support/dirtemporal.h"
#include "support/respuestas.h"
#include "support/tecleo.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimeEdit>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {
std::string relleno(const std::string &s, size_t n) {
    return s + std::string(n - s.size(), ' ');
}

// empleados.dat with the given identifiers, records of LineasPorEmpleado lines.
void escribeEmpleados(const std::vector<std::string> &ids) {
    std::vector<std::string> l;
    for (const std::string &id : ids) {
        l.push_back(id);
        l.resize(l.size() + static_cast<size_t>(LineasPorEmpleado) - 1);
    }
    CreaDirectorio("datos/");
    AjustesPrueba().DirDatos = "datos/";
    GuardaLineas("datos/empleados.dat", l);
}

} // namespace

TEST(FichajeManual, RegistroDePresenciaDe103Caracteres) {
    const std::string linea = LineaFichaje(QDate(2011, 2, 3), QTime(8, 5, 42), "12", "7 Dure", "        ");
    const std::string registro = "\r\n" + linea;
    EXPECT_EQ(registro,
              "\r\n000 Jue 03/02/2011 08:05:00 012 " + relleno("7 Dure", 54) + "        " + " N-0000");
    EXPECT_EQ(registro.size(), 103u);
    EXPECT_EQ(registro.substr(88, 8), "        ");
}

TEST(FichajeManual, RegistroDeProduccionYDiasDeLaSemana) {
    const std::string registro =
        "\r\n" + LineaFichaje(QDate(2011, 2, 6), QTime(17, 0), "0", "12 Ana", "00120003");
    EXPECT_EQ(registro.substr(2, 28), "000 Dom 06/02/2011 17:00:00 ");
    EXPECT_EQ(registro.substr(88, 8), "00120003");
    EXPECT_EQ(registro.substr(96), " N-0000");
    EXPECT_EQ(DiaSemanaFichaje(QDate(2011, 2, 2)), "Mie");
    EXPECT_EQ(DiaSemanaFichaje(QDate(2011, 2, 5)), "Sab");
}

TEST(FichajeManual, CamposLargosOCortosNoMuevenElRegistro) {
    const std::string largo(70, 'x');
    const std::string registro =
        "\r\n" + LineaFichaje(QDate(2011, 2, 3), QTime(8, 5), "abc", "7 " + largo, "123");
    ASSERT_EQ(registro.size(), 103u);
    EXPECT_EQ(registro.substr(30, 3), "000"); // not a number: 000
    EXPECT_EQ(registro.substr(34, 54), ("7 " + largo).substr(0, 54));
    EXPECT_EQ(registro.substr(88, 8), "123     ");
}

TEST(FichajeManual, CodigoDeIncidenciaFueraDeRangoNoDaLinea) {
    int c = 0;
    EXPECT_TRUE(CodigoIncidenciaFichaje("999", c));
    EXPECT_EQ(c, 999);
    EXPECT_FALSE(CodigoIncidenciaFichaje("1000", c));
    EXPECT_FALSE(CodigoIncidenciaFichaje("-1", c));
    EXPECT_EQ(LineaFichaje(QDate(2011, 2, 3), QTime(8, 5), "1000", "7 Dure", "        "), "");
    EXPECT_EQ(LineaFichaje(QDate(2011, 2, 3), QTime(8, 5), "1", "", "        "), "");
    EXPECT_EQ(GuardaFichajeManual(""), ResultadoFichaje::SinLinea);
}

TEST(FormFichar, ActivacionEligeElUltimoDelNumeroONinguno) {
    DirectorioTrabajo d;
    escribeEmpleados({"7 Dure", "12 Ana", "7 Dure bis", "3 Luis"});
    TFormFichar f;
    f.Peticion.FechaFichaje = QDateTime(QDate(2011, 2, 3), QTime(10, 0));
    f.Peticion.FechaFichajeFin = QDateTime(QDate(2011, 1, 1), QTime(8, 5));
    f.Peticion.EmpleadoFichaje = "7 ";
    f.Peticion.CodigoFichaje = std::string(8, ' ');
    f.FormActivate();
    ASSERT_EQ(f.CB1->count(), 4);
    EXPECT_EQ(f.CB1->itemText(0).toStdString(), "12 Ana"); // sorted as text
    EXPECT_EQ(f.CB1->currentText().toStdString(), "7 Dure bis");
    EXPECT_EQ(f.DT1->date(), QDate(2011, 2, 3));
    EXPECT_EQ(f.DT2->time(), QTime(8, 5));
    EXPECT_EQ(f.Linea, "000 Jue 03/02/2011 08:05:00 000 " + relleno("7 Dure bis", 54) + "         N-0000");
    EXPECT_EQ(f.ST1->text().toStdString(), f.Linea);

    f.LEInci->setText("12");
    EXPECT_EQ(f.Linea.substr(28, 3), "012");

    // A preset that no item has leaves nothing chosen, so "Fichar" needs a choice.
    f.Peticion.EmpleadoFichaje = "99 Nadie";
    f.FormActivate();
    EXPECT_EQ(f.EmpleadoSeleccionado, -1);
    EXPECT_EQ(f.Linea, "");
    // An empty preset does not keep the previous line either.
    f.Peticion.EmpleadoFichaje.clear();
    f.FormActivate();
    EXPECT_EQ(f.EmpleadoSeleccionado, -1);
    EXPECT_EQ(f.Linea, "");
    RespuestasPrueba r;
    f.SpeedButton1Click();
    EXPECT_TRUE(r.Mensajes.empty());
}

// Digits typed after a click go into the part clicked; the date is taken when the typing leaves the
// field, and a day the month lacks is refused aloud.
TEST(FormFichar, TecleoDondeSePulsaYFechaQueNoExiste) {
    DirectorioTrabajo d;
    escribeEmpleados({"7 Dure"});
    RespuestasPrueba r;
    TFormFichar f;
    f.Peticion.FechaFichaje = QDateTime(QDate(2011, 1, 31), QTime(10, 0));
    f.Peticion.FechaFichajeFin = QDateTime(QDate(2011, 1, 31), QTime(8, 5));
    f.Peticion.EmpleadoFichaje = "7";
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    PulsaCaracter(f.DT1, 4); // the month
    Teclea("03");
    EXPECT_EQ(f.DT1->date(), QDate(2011, 1, 31)); // not yet finished
    PulsaCaracter(f.DT2, 4);                      // the minutes
    EXPECT_EQ(f.DT1->date(), QDate(2011, 3, 31));
    Teclea("30");
    EXPECT_EQ(f.Linea.substr(0, 27), "000 Jue 31/03/2011 08:30:00");
    EXPECT_TRUE(r.Mensajes.empty());

    PulsaCaracter(f.DT1, 4);
    Teclea("02");
    TeclaEnFoco(Qt::Key_Tab);
    ASSERT_EQ(r.Mensajes.size(), 1u);
    EXPECT_EQ(r.Mensajes[0].texto, "La fecha 31/02/2011 no existe.");
    EXPECT_EQ(f.DT1->date(), QDate(2011, 3, 31));
    EXPECT_EQ(f.DT1->text(), "31/03/2011");
}

// A date typed from left to right, after one click on the day and ended with Tab, is exactly the
// date typed, whatever the field showed; a date that does not exist is refused once whole.
TEST(FormFichar, FechaTecleadaQuedaComoSeTeclea) {
    DirectorioTrabajo d;
    escribeEmpleados({"7 Dure"});
    struct Caso {
        QDate muestra;
        const char *teclas;
        QDate queda;
        const char *mensaje;
    };
    const Caso casos[] = {
        {QDate(2026, 2, 28), "30012026", QDate(2026, 1, 30), ""},
        {QDate(2026, 2, 28), "30/01/2026", QDate(2026, 1, 30), ""},
        {QDate(2026, 11, 15), "31102026", QDate(2026, 10, 31), ""},
        {QDate(2024, 11, 15), "31122024", QDate(2024, 12, 31), ""},
        {QDate(2026, 12, 6), "29022012", QDate(2012, 2, 29), ""},
        {QDate(2026, 1, 31), "3/1/2026", QDate(2026, 1, 3), ""},
        {QDate(2026, 3, 31), "30", QDate(2026, 3, 30), ""},
        {QDate(2026, 3, 31), "3", QDate(2026, 3, 3), ""},
        {QDate(2026, 12, 6), "31042026", QDate(2026, 12, 6), "La fecha 31/04/2026 no existe."},
        {QDate(2026, 12, 6), "29022026", QDate(2026, 12, 6), "La fecha 29/02/2026 no existe."},
        {QDate(2026, 2, 28), "31", QDate(2026, 2, 28), "La fecha 31/02/2026 no existe."},
        {QDate(2026, 2, 28), "300126", QDate(2026, 2, 28), "La fecha 30/01/26 no existe."},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.teclas);
        RespuestasPrueba r;
        TFormFichar f;
        f.Peticion.FechaFichaje = QDateTime(c.muestra, QTime(10, 0));
        f.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
        QSignalSpy cambios(f.DT1, &QDateEdit::dateChanged);
        TecleaFecha(f.DT1, c.teclas);
        EXPECT_EQ(f.DT1->date(), c.queda);
        EXPECT_EQ(f.DT1->text(), c.queda.toString("dd/MM/yyyy"));
        EXPECT_EQ(cambios.count(), c.queda == c.muestra ? 0 : 1); // once, for the finished date
        ASSERT_EQ(r.Mensajes.size(), *c.mensaje ? 1u : 0u);
        if (*c.mensaje) {
            EXPECT_EQ(r.Mensajes[0].texto, c.mensaje);
        }
    }
}

// Editing keys while typing: Backspace takes back a digit, Escape drops the typing, an arrow key
// acts on the finished date, the wheel and the calendar still change it.
TEST(FormFichar, TeclasDeEdicionYCalendarioSiguenValiendo) {
    DirectorioTrabajo d;
    escribeEmpleados({"7 Dure"});
    RespuestasPrueba r;
    TFormFichar f;
    f.Peticion.FechaFichaje = QDateTime(QDate(2026, 2, 28), QTime(10, 0));
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    PulsaCaracter(f.DT1, 0);
    Teclea("319");
    TeclaEnFoco(Qt::Key_Backspace);
    TeclaEnFoco(Qt::Key_Backspace);
    Teclea("101");
    TeclaEnFoco(Qt::Key_Tab);
    EXPECT_EQ(f.DT1->date(), QDate(2026, 1, 31));

    PulsaCaracter(f.DT1, 0);
    Teclea("15");
    TeclaEnFoco(Qt::Key_Escape);
    EXPECT_EQ(f.DT1->text(), "31/01/2026");
    PulsaCaracter(f.DT1, 0);
    Teclea("15");
    TeclaEnFoco(Qt::Key_Up); // the typing had moved on to the month
    EXPECT_EQ(f.DT1->date(), QDate(2026, 2, 15));

    QWheelEvent rueda(QPointF(5, 5), f.DT1->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(f.DT1, &rueda);
    EXPECT_EQ(f.DT1->date(), QDate(2026, 3, 15));

    // The calendar's button takes the day typed, then the calendar gives the date.
    PulsaCaracter(f.DT1, 0);
    Teclea("20");
    QTest::mouseClick(f.DT1, Qt::LeftButton, {}, QPoint(f.DT1->width() - 5, f.DT1->height() / 2));
    EXPECT_EQ(f.DT1->date(), QDate(2026, 3, 20));
    emit f.DT1->calendarWidget()->clicked(QDate(2026, 5, 4));
    EXPECT_EQ(f.DT1->date(), QDate(2026, 5, 4));
    EXPECT_TRUE(r.Mensajes.empty());
}
