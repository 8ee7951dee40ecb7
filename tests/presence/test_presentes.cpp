// The presence table, "presentes", the monitor's refresh, its pop-ups and the start-up build.
#include "common/globales.h"
#include "masterdata/ui/empleadosorg.h"
#include "platform/reloj.h"
#include "platform/ui/escritorio.h"
#include "presence/ui/fichainout.h"
#include "presence/ui/presenciainicio.h"
#include "terminal/fichajes_prueba.h"
#include "terminal/listadofichajes.h"
#include "terminal/panel_prueba.h"

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

TRegistroPresencia Fila(int he, int me, int hs, int ms, int presente) {
    TRegistroPresencia r;
    r.HoraEntrada = static_cast<uint16_t>(he);
    r.MinutoEntrada = static_cast<uint16_t>(me);
    r.HoraSalida = static_cast<uint16_t>(hs);
    r.MinutoSalida = static_cast<uint16_t>(ms);
    r.Presente = static_cast<uint8_t>(presente);
    return r;
}

void Empleados(StringGrid &g) {
    g.SetColCount(13);
    g.SetRowCount(4);
    g.SetFila(1, {"12 GARCIA", "GARCIA LOPEZ", "JUAN", "", "", "", "", "", "", "fotos/juan.jpg"});
    g.SetFila(2, {"7 PEREZ", "PEREZ", "ANA"});
    g.SetFila(3, {"40 RUIZ", "RUIZ", "EVA"});
}

// Writes rows 1..3 of "presentes" as another station would.
void EscribePresentes(std::initializer_list<TRegistroPresencia> filas) {
    TRegistroPresencia t[PlazasPresencia + 1];
    int k = 1;
    for (const TRegistroPresencia &r : filas)
        t[k++] = r;
    ASSERT_TRUE(GuardaPresentes("fichajes/presentes", t));
}

TEST(Presentes, ArchivoDe480Bytes) {
    EntornoFichajes e;
    TRegistroPresencia t[PlazasPresencia + 1];
    t[1] = Fila(8, 5, 100, 0, 1);
    t[1].SiguienteFila = 0x01020304;
    t[30] = Fila(300, 1, 2, 3, 0);
    ASSERT_TRUE(GuardaPresentes("fichajes/presentes", t));
    const std::string b = Contenido("fichajes/presentes");
    ASSERT_EQ(b.size(), 480u);
    EXPECT_EQ(b.substr(0, 16), std::string("\x08\0\x05\0\x64\0\0\0\x01\0\0\0\x04\x03\x02\x01", 16));
    EXPECT_EQ(b.substr(464, 16), std::string("\x2c\x01\x01\0\x02\0\x03\0\0\0\0\0\0\0\0\0", 16));
    TRegistroPresencia leida[PlazasPresencia + 1];
    ASSERT_TRUE(LeePresentes("fichajes/presentes", leida));
    EXPECT_EQ(leida[1].HoraEntrada, 8);
    EXPECT_EQ(leida[30].HoraEntrada, 300);
    EXPECT_EQ(leida[1].SiguienteFila, 0); // never read back
}

TEST(Presentes, AlternaFilasDelEmpleado) {
    StringGrid g;
    Empleados(g);
    g.Cells[0][3] = "12 OTRO";
    TRegistroPresencia t[PlazasPresencia + 1];
    EXPECT_TRUE(AlternaPresencia(t, g, 12, 8, 5));
    EXPECT_EQ(t[1].Presente, 1);
    EXPECT_EQ(t[3].HoraEntrada, 8);
    EXPECT_EQ(t[2].Presente, 0);
    EXPECT_TRUE(AlternaPresencia(t, g, 12, 8, 6)); // two entries in a row: the second is the exit
    EXPECT_EQ(t[1].Presente, 0);
    EXPECT_EQ(t[1].MinutoSalida, 6);
    EXPECT_FALSE(AlternaPresencia(t, g, 99, 8, 6));
}

TEST(Presentes, RefrescoMuestraLosCambios) {
    EntornoFichajes e;
    StringGrid g;
    Empleados(g);
    Escribe("fotos/juan.jpg", "x");
    Escribe("fotos/entra12.wav", "x");
    Escribe("fotos/sale.wav", "x");
    std::vector<TAvisoPresencia> avisos;
    // No path for the file: nothing.
    EXPECT_FALSE(CambiosPresencia(g, true, avisos));
    RutaPresentes = "fichajes/presentes";
    EXPECT_FALSE(CambiosPresencia(g, true, avisos));

    EscribePresentes({Fila(8, 5, 100, 0, 1), Fila(8, 0, 17, 30, 0), Fila(7, 0, 100, 0, 0)});
    ASSERT_TRUE(CambiosPresencia(g, false, avisos));
    ASSERT_EQ(avisos.size(), 1u); // a change of times alone shows nothing
    EXPECT_EQ(avisos[0].Fila, 1);
    EXPECT_EQ(avisos[0].Estado, TEstadoPresencia::Entro);
    EXPECT_EQ(avisos[0].Texto, "Entr\xF3 a las 8:05");
    EXPECT_EQ(avisos[0].Nombre, "JUAN");
    EXPECT_EQ(avisos[0].Apellidos, "GARCIA LOPEZ");
    EXPECT_EQ(avisos[0].Titulo, "12 GARCIA");
    EXPECT_EQ(avisos[0].Foto, "fotos/juan.jpg");
    EXPECT_EQ(avisos[0].Sonido, "fotos/entra12.wav");
    EXPECT_EQ(TablaPresencia[1].Presente, 1);
    EXPECT_EQ(TablaPresencia[2].HoraSalida, 100); // not copied
    ASSERT_TRUE(CambiosPresencia(g, false, avisos));
    EXPECT_TRUE(avisos.empty());

    EscribePresentes({Fila(8, 5, 17, 30, 0), Fila(8, 0, 17, 30, 0), Fila(7, 0, 100, 0, 0)});
    ASSERT_TRUE(CambiosPresencia(g, false, avisos));
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_EQ(avisos[0].Texto, "Sali\xF3 a las 17:30");
    EXPECT_EQ(avisos[0].Sonido, "fotos/sale.wav");

    // Forced: every row, silent; exit hour 100 out is "No ha venido".
    ASSERT_TRUE(CambiosPresencia(g, true, avisos));
    ASSERT_EQ(avisos.size(), 3u);
    EXPECT_EQ(avisos[2].Texto, "No ha venido");
    EXPECT_EQ(avisos[2].Estado, TEstadoPresencia::NoVino);
    for (const TAvisoPresencia &a : avisos)
        EXPECT_EQ(a.Sonido, "");
    EXPECT_EQ(TablaPresencia[2].HoraSalida, 17);
}

TEST(Presentes, PuestoMaestroUsaLaTablaDelEscritor) {
    EntornoFichajes e;
    PuestoMaestro = 1;
    StringGrid g;
    Empleados(g);
    ASSERT_TRUE(Guarda(Registro(5, 3, 5, 2024, 7, 45, "40 RUIZ"), &g));
    std::vector<TAvisoPresencia> avisos;
    ASSERT_TRUE(CambiosPresencia(g, false, avisos));
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_EQ(avisos[0].Fila, 3);
    EXPECT_EQ(avisos[0].Texto, "Entr\xF3 a las 7:45");
}

TEST(Presentes, MasDe30EmpleadosNoSalenDeLaTabla) {
    EntornoFichajes e;
    RutaPresentes = "fichajes/presentes";
    EscribePresentes({});
    StringGrid g(13, 40);
    for (int f = 1; f < 40; ++f)
        g.Cells[0][f] = std::to_string(f);
    std::vector<TAvisoPresencia> avisos;
    ASSERT_TRUE(CambiosPresencia(g, true, avisos));
    EXPECT_EQ(avisos.size(), 30u);
}

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
    NombreEmpresa = "VELKA S.A.";
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
