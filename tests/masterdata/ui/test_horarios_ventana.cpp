#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "masterdata/ui/horariosorg.h"
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "platform/ui/modulos.h"
#include "platform/ui/stringgridview.h"

#include "support/dirtemporal.h"
#include "support/respuestas.h"

#include <QComboBox>
#include <QPushButton>
#include <QTimeEdit>
#include <gtest/gtest.h>

namespace {

struct EntornoHorarios {
    DirectorioTrabajo dir;
    RespuestasPrueba respuestas;
    TRestauraAjustes ajustes;
    EntornoHorarios() {
        CreaDirectorio("d");
        AjustesPrueba().DirDatos = "d/";
    }
};

// The chart's slices, read back from the chart that the module made.
std::vector<std::string> rebanadas(TFormHorarios &f) {
    std::vector<std::string> r;
    if (TGraficoJornada *g = f.Chart1())
        for (const TRebanada &s : g->Rebanadas())
            r.push_back(deQ(s.Etiqueta) + "=" + std::to_string(s.Minutos));
    return r;
}

} // namespace

TEST(VentanaHorarios, SinArchivosUsaLosValoresPorDefecto) {
    EntornoHorarios e;
    TFormHorarios f;
    EXPECT_EQ(f.windowTitle(), "Horarios");
    EXPECT_EQ(f.SG3.RowCount(), 3);
    EXPECT_EQ(f.CB1->count(), 2);
    EXPECT_FALSE(f.CB1->isEditable());
    EXPECT_EQ(f.SG1.Fila(0), (std::vector<std::string>{"0", "Festivo", " 1440 5"}));
    // Hour type 5 does not exist yet: an error band.
    EXPECT_EQ(rebanadas(f), (std::vector<std::string>{"00:00 24:00 ERROR=1440", "HORARIO COMPLETO=0"}));
    EXPECT_FALSE(f.Button1->isEnabled());
    EXPECT_FALSE(ExisteArchivo("d/horarios.dat"));
}

TEST(VentanaHorarios, TramosAnadidosHastaCompletarElDia) {
    EntornoHorarios e;
    TFormHorarios f;
    // A third hour type, usable for bands once saved.
    f.SpeedButton8Click();
    EXPECT_EQ(f.SG3.Celda(3, 3), "0");
    f.SG3.SetCelda(0, 3, "Extra");
    f.SG3.SetCelda(1, 3, "12");
    ASSERT_TRUE(f.SpeedButton5Click());
    EXPECT_EQ(Contenido("d/horarios.def"),
              "Cortesia\r\n0\r\n0\r\n0\r\nPresencia\r\n0\r\n0\r\n65280\r\nExtra\r\n12\r\n\r\n0\r\n");
    EXPECT_EQ(f.CB1->count(), 3);

    f.SpeedButton1Click();
    EXPECT_EQ(f.FilaJornada, 1);
    f.SG1.SetCelda(0, 1, "1");
    f.SG1.SetCelda(1, 1, "Normal");
    f.FormActivate();
    EXPECT_EQ(rebanadas(f), (std::vector<std::string>{"Indefinido=1440"}));
    EXPECT_EQ(f.DT1->time(), QTime(0, 0));
    EXPECT_EQ(f.DT2->time(), QTime(0, 0));
    EXPECT_FALSE(f.Button2->isEnabled());

    f.CB1->setCurrentIndex(1);
    f.DT2->setTime(QTime(8, 0));
    f.Button1Click();
    EXPECT_EQ(f.SG1.Celda(2, 1), " 480 1");
    EXPECT_EQ(f.DT1->time(), QTime(8, 0));
    EXPECT_EQ(f.MinutosLibres, 960);

    // 00:00 as the end is midnight, not raised to the start.
    f.CB1->setCurrentIndex(2);
    f.DT2->setTime(QTime(0, 0));
    EXPECT_EQ(f.DT2->time(), QTime(0, 0));
    f.Button1Click();
    EXPECT_EQ(f.SG1.Celda(2, 1), " 480 1 960 2");
    EXPECT_EQ(rebanadas(f), (std::vector<std::string>{"00:00 08:00 Presencia=480", "08:00 24:00 Extra=960",
                                                      "HORARIO COMPLETO=0"}));
    EXPECT_FALSE(f.Button1->isEnabled());
    EXPECT_EQ(f.Chart1()->Rebanadas()[0].Color, QColor(0, 255, 0));

    ASSERT_TRUE(f.botonrecClick());
    EXPECT_EQ(Contenido("d/horarios.dat"), "0\r\nFestivo\r\n 1440 5\r\n1\r\nNormal\r\n 480 1 960 2\r\n");

    f.Button2Click();
    EXPECT_EQ(f.SG1.Celda(2, 1), " 480 1");
    EXPECT_EQ(f.DT1->time(), QTime(8, 0));
    EXPECT_TRUE(f.Button1->isEnabled());
    // An end earlier than the start is raised to it.
    f.DT2->setTime(QTime(7, 0));
    EXPECT_EQ(f.DT2->time(), QTime(8, 0));
}

TEST(VentanaHorarios, CortesiaNoOcupaTiempo) {
    EntornoHorarios e;
    Escribe("d/horarios.dat", "2\r\nManana\r\n\r\n");
    TFormHorarios f;
    f.CB1->setCurrentIndex(0);
    f.DT2->setTime(QTime(0, 30));
    f.Button1Click();
    f.CB1->setCurrentIndex(1);
    f.DT2->setTime(QTime(8, 0));
    f.Button1Click();
    EXPECT_EQ(f.SG1.Celda(2, 0), " 30 0 480 1");
    EXPECT_EQ(rebanadas(f), (std::vector<std::string>{"00:00 00:30 Cortesia=0", "00:00 08:00 Presencia=480",
                                                      "Indefinido=960"}));
}

TEST(VentanaHorarios, DiaQueSePasaDe24HorasSigueSinCompletar) {
    EntornoHorarios e;
    Escribe("d/horarios.dat", "1\r\nLarga\r\n 1000 1 1000 1\r\n");
    TFormHorarios f;
    EXPECT_EQ(f.MinutosLibres, -560);
    EXPECT_EQ(rebanadas(f).back(), "Indefinido=0");
    EXPECT_TRUE(f.Button1->isEnabled());
}

TEST(VentanaHorarios, CodigosFueraDeRangoNoSeGuardan) {
    EntornoHorarios e;
    TFormHorarios f;
    f.SpeedButton1Click();
    f.SG1.SetCelda(0, 1, "300");
    f.SG1.SetCelda(1, 1, "Mala");
    f.menoshoraClick();
    EXPECT_FALSE(f.botonrecClick());
    EXPECT_FALSE(ExisteArchivo("d/horarios.dat"));
    ASSERT_EQ(e.respuestas.Mensajes.size(), 1u);
    EXPECT_NE(e.respuestas.Mensajes[0].texto.find("254"), std::string::npos);
    EXPECT_EQ(f.FilaJornada, 1); // the faulty schedule is shown
    // Typing a bad code in the grid warns at once.
    StringGridModel *m = f.VistaSG1->Modelo();
    m->setData(m->index(1, 0), "255", Qt::EditRole);
    EXPECT_EQ(e.respuestas.Mensajes.size(), 2u);
    m->setData(m->index(1, 0), "254", Qt::EditRole);
    EXPECT_EQ(e.respuestas.Mensajes.size(), 2u);
    EXPECT_TRUE(f.botonrecClick());
    EXPECT_EQ(Contenido("d/horarios.dat"), "0\r\nFestivo\r\n 1440 5\r\n254\r\nMala\r\n\r\n");
}

TEST(VentanaHorarios, TramoFueraDelDiaSeAvisaAlLeerYElArchivoNoCambia) {
    EntornoHorarios e;
    const std::string dat = "1\r\nManana\r\n 480 1\r\n3\r\nNoche\r\n 480 1 99999 1\r\n";
    Escribe("d/horarios.dat", dat);
    TFormHorarios f;
    ASSERT_EQ(e.respuestas.Mensajes.size(), 1u);
    EXPECT_EQ(e.respuestas.Mensajes[0].texto,
              Ansi("La jornada \"3 Noche\" de d/horarios.dat tiene un tramo de minutos fuera de 0 a 1440: no "
                   "se tienen en cuenta sus tramos desde ese."));
    EXPECT_TRUE(f.botonrecClick());
    EXPECT_EQ(Contenido("d/horarios.dat"), dat);
}

TEST(VentanaHorarios, EliminarLaUltimaJornadaDejaUnaSeleccionValida) {
    EntornoHorarios e;
    TFormHorarios f;
    f.SpeedButton2Click(); // the only schedule stays
    EXPECT_EQ(f.SG1.RowCount(), 1);
    f.SpeedButton1Click();
    f.SpeedButton1Click();
    ASSERT_EQ(f.FilaJornada, 2);
    f.SpeedButton2Click();
    EXPECT_EQ(f.SG1.RowCount(), 2);
    EXPECT_EQ(f.FilaJornada, 1);
    EXPECT_EQ(f.SG1.Row(), 1);
    f.mashoraClick();
    EXPECT_EQ(f.FilaJornada, 1);
    // Selecting a row through the grid shows it; its band column is never selected.
    f.VistaSG1->setCurrentIndex(f.VistaSG1->Modelo()->index(0, 2));
    EXPECT_EQ(f.FilaJornada, 0);
    EXPECT_EQ(f.SG1.Col(), 1);
}

TEST(VentanaHorarios, ColorElegidoYTiposFijos) {
    EntornoHorarios e;
    TFormHorarios f;
    e.respuestas.Colores.push_back(QColor(0, 0, 255));
    f.SG3SelectCell(3, 1);
    EXPECT_EQ(f.SG3.Celda(3, 1), "16711680");
    EXPECT_NE(f.SG3.Col(), 3);
    // Cancelled dialog: nothing changes.
    f.SG3SelectCell(3, 2);
    EXPECT_EQ(f.SG3.Celda(3, 2), "65280");

    f.SG3.SetRow(2);
    f.SpeedButton9Click();
    EXPECT_EQ(f.SG3.RowCount(), 3);
    f.SpeedButton8Click();
    f.SpeedButton9Click();
    EXPECT_EQ(f.SG3.RowCount(), 3);
}

TEST(VentanaHorarios, PrecioQueNoEsNumeroSeAvisaYNoSeGuarda) {
    EntornoHorarios e;
    TFormHorarios f;
    f.SpeedButton8Click();
    f.SG3.SetCelda(0, 3, "Extra");
    f.VistaSG3->model()->setData(f.VistaSG3->model()->index(3, 1), "abc");
    EXPECT_FALSE(f.SpeedButton5Click());
    EXPECT_EQ(e.respuestas.Mensajes.size(), 2u); // at the cell, then at "Guardar"
    EXPECT_FALSE(ExisteArchivo("d/horarios.def"));
    f.SG3.SetCelda(1, 3, "12,5"); // a decimal comma is stored as a point
    ASSERT_TRUE(f.SpeedButton5Click());
    EXPECT_NE(Contenido("d/horarios.def").find("Extra\r\n12.5\r\n"), std::string::npos);
}

// Without the chart module beside the program the window opens with one clear message, once.
TEST(VentanaHorarios, SinModuloDelGraficoUnSoloAviso) {
    EntornoHorarios e;
    FijaDirectorioModulos(e.dir.Ruta()); // no module in there
    TFormHorarios f;
    f.show();
    f.hide();
    f.show();
    FijaDirectorioModulos("");
    EXPECT_EQ(f.Chart1(), nullptr);
    ASSERT_EQ(e.respuestas.Mensajes.size(), 1u);
    EXPECT_EQ(e.respuestas.Mensajes[0].texto,
              "Falta el archivo libvk_grafico.so en la carpeta del programa (" + e.dir.Ruta() +
                  Ansi("), así que las jornadas se muestran sin su gráfico."));
}
