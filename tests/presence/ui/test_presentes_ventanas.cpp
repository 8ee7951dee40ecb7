// The presence monitor's pop-ups and the start-up build of the presence table.
#include "common/sesion.h"
#include "masterdata/ui/empleadosorg.h"
#include "platform/reloj.h"
#include "platform/ui/escritorio.h"
#include "presence/presentesprueba.h"
#include "presence/ui/fichainout.h"
#include "presence/ui/presenciainicio.h"
#include "terminal/fichajesprueba.h"
#include "terminal/listadofichajes.h"
#include "terminal/ui/panelprueba.h"

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

TEST(FichaPopup, CuentaAtrasYColores) {
    TAvisoPresencia a;
    a.Estado = TEstadoPresencia::Entro;
    a.Texto = "Entr\xF3 a las 8:05";
    a.Nombre = "JUAN";
    a.Titulo = "12 GARCIA";
    QPointer<TFichaPopup> w = new TFichaPopup();
    w->Muestra(a, 3);
    w->show();
    EXPECT_EQ(w->Label3->text(), QString::fromUtf8("Entró a las 8:05"));
    EXPECT_TRUE(w->Label3->styleSheet().contains("rgb(0, 255, 0)"));
    EXPECT_EQ(w->windowTitle(), "12 GARCIA");
    EXPECT_EQ(w->PB1->maximum(), 3);
    w->Timer1Timer();
    w->Timer1Timer();
    EXPECT_EQ(w->PB1->value(), 2);
    EXPECT_EQ(w->SegundosFicha, 1);
    w->Timer1Timer();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());

    a.Estado = TEstadoPresencia::Salio;
    QPointer<TFichaPopup> quieta = new TFichaPopup();
    quieta->Muestra(a, 0);
    EXPECT_TRUE(quieta->Label3->styleSheet().contains("rgb(255, 0, 0)"));
    quieta->Timer1Timer();
    quieta->Timer1Timer();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(quieta.isNull());
    delete quieta;
}

TEST(FichaPopup, FichasPresentesAbreVentanasYSuena) {
    EntornoFichajes e;
    std::vector<std::string> sonidos;
    FijaReproductor([&](const std::string &s) { sonidos.push_back(s); });
    FormEmpleados = new TFormEmpleados();
    Empleados(FormEmpleados->SG1);
    Escribe("fotos/entra.wav", "x");
    RutaPresentes = "fichajes/presentes";
    EscribePresentes({Fila(8, 5, 100, 0, 1)});
    Sesion().NombreEmpresa = "VELKA S.A.";
    std::vector<TFichaPopup *> v = FichasPresentes(5, false);
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0]->STNombre->text(), "JUAN");
    EXPECT_EQ(v[0]->LEEmpresa->text(), "VELKA S.A.");
    EXPECT_EQ(v[0]->SegundosFicha, 5);
    EXPECT_EQ(sonidos, std::vector<std::string>{"fotos/entra.wav"});
    v = FichasPresentes(0, true);
    EXPECT_EQ(v.size(), 3u);
    EXPECT_EQ(sonidos.size(), 1u);
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<TFichaPopup *>(w))
            delete w;
    delete FormEmpleados;
    FijaReproductor(nullptr);
}

TEST(PresenciaInicio, TablaDelDia) {
    EntornoFichajes e;
    FijaReloj([] { return QDateTime(QDate(2024, 5, 3), QTime(15, 0)); });
    Guarda(Registro(5, 3, 5, 2024, 8, 0, "12 A"));
    Guarda(Registro(5, 3, 5, 2024, 13, 0, "12 A"));
    Guarda(Registro(5, 3, 5, 2024, 14, 10, "12 A"));
    Guarda(Registro(5, 3, 5, 2024, 8, 0, "7 B"));
    Guarda(Registro(5, 3, 5, 2024, 12, 20, "7 B"));
    Guarda(Registro(5, 2, 5, 2024, 8, 0, "40 C"));
    PanelPrueba p({"EE 1:5 a"});
    p.DTP1->setDate(QDate(2024, 1, 1));
    p.RadioButton1->setChecked(true);
    StringGrid g;
    Empleados(g);
    PresenciaInicio(p, g);
    EXPECT_EQ(LecturaExterna, 0);
    EXPECT_TRUE(p.RadioButton2->isChecked());
    EXPECT_EQ(p.DTP1->date(), QDate(2024, 5, 3));
    const TRegistroPresencia &juan = TablaPresencia[1];
    EXPECT_EQ(juan.Presente, 1);
    EXPECT_EQ(juan.HoraEntrada, 14);
    EXPECT_EQ(juan.MinutoEntrada, 10);
    const TRegistroPresencia &ana = TablaPresenciaLeida[2];
    EXPECT_EQ(ana.Presente, 0);
    EXPECT_EQ(ana.HoraSalida, 12);
    EXPECT_EQ(ana.MinutoSalida, 20);
    EXPECT_EQ(TablaPresencia[3].Presente, 0);
    EXPECT_EQ(TablaPresencia[3].HoraSalida, 100);
    FijaReloj(nullptr);
}

} // namespace
