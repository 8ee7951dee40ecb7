// The "Calendarios" tab of the schedules window.
#include "common/configuracion.h"
#include "masterdata/ui/horariosorg.h"
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "platform/reloj.h"
#include "platform/ui/stringgridview.h"

#include "common/ajustesprueba.h"
#include "support/dirtemporal.h"
#include "support/respuestas.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

class VentanaCalendarios : public ::testing::Test {
protected:
    void SetUp() override {
        CreaDirectorio("d");
        AjustesPrueba().DirDatos = "d/";
        FijaReloj([] { return QDateTime(QDate(2011, 3, 15), QTime(9, 0)); });
        Escribe("d/horarios.dat", "0\r\nFestivo\r\n 1440 1\r\n1\r\nNormal\r\n 480 1\r\n300\r\nMala\r\n\r\n");
    }
    void TearDown() override {
        AjustesPrueba().DirDatos = dirDatos;
        FijaReloj(nullptr);
    }
    // What the operator clicks: a cell of a grid through its view.
    static void pulsa(TStringGridView *v, int col, int fila) {
        v->setCurrentIndex(v->model()->index(fila, col));
    }
    void dia(TFormHorarios &f, int d) {
        for (int r = 1; r < 7; ++r)
            for (int c = 0; c < 7; ++c)
                if (f.SGCal.Celda(c, r) == std::to_string(d))
                    pulsa(f.VistaSGCal, c, r);
    }
    // How many bytes of the map hold each code.
    static std::map<int, int> cuenta(const std::string &mapa) {
        std::map<int, int> n;
        for (char c : mapa)
            ++n[static_cast<unsigned char>(c)];
        return n;
    }

    DirectorioTrabajo dir;
    RespuestasPrueba respuestas;
    std::string dirDatos = Configuracion().DirDatos;
};

} // namespace

TEST_F(VentanaCalendarios, AplicarGuardarYNuevoConOtroCodigo) {
    Escribe("d/calendarios.dat", "1\r\n2011\r\nGeneral\r\n");
    TFormHorarios f;
    EXPECT_EQ(Contenido("d/H2011.001"), std::string(366, '\xFF'));
    f.PgC1->setCurrentWidget(f.TS2);
    EXPECT_EQ(f.Label3->text(), "Aplicar jornada 0 Festivo");
    EXPECT_EQ(f.SG2.Fila(0), (std::vector<std::string>{Ansi("Código"), Ansi("Año"), "Nombre"}));
    EXPECT_EQ(deQ(f.ST1->text()), "martes 1 de marzo de 2011");
    dia(f, 15);
    EXPECT_EQ(deQ(f.ST1->text()), "martes 15 de marzo de 2011");
    EXPECT_EQ(deQ(f.Apdmes->text()), "Todos los martes de marzo");
    EXPECT_EQ(deQ(f.Apdano->text()), Ansi("Todos los martes del año"));
    EXPECT_EQ(deQ(f.Aptomes->text()), "Todo el mes de  marzo");

    pulsa(f.VistaSG1, 0, 1);
    EXPECT_EQ(f.Label3->text(), "Aplicar jornada 1 Normal");
    f.Apdano->trigger();
    pulsa(f.VistaSG1, 0, 0);
    f.Aptomes->trigger();
    f.show();
    f.VistaSGCal->grab(); // the days drawn with their schedules
    f.SBG2->click();
    const std::string mapa = Contenido("d/H2011.001");
    EXPECT_EQ(cuenta(mapa), (std::map<int, int>{{0, 31}, {1, 47}, {255, 288}}));
    EXPECT_EQ(mapa.substr(59, 31), std::string(31, '\0'));
    EXPECT_EQ(mapa[3] + mapa[360], 2);

    // "Nuevo": the changes flag still asks; the new calendar takes code 2 and its own map.
    f.SpeedButton6->click();
    ASSERT_EQ(respuestas.Mensajes.size(), 1u);
    EXPECT_EQ(respuestas.Mensajes[0].texto,
              Ansi(" Se han realizado cambios en el calendario.\r\n¿ Quiere guardarlos ?"));
    EXPECT_EQ(respuestas.Mensajes[0].titulo, "Calendarios");
    EXPECT_EQ(f.SG2.Fila(2), (std::vector<std::string>{"2", "2011", ""}));
    EXPECT_EQ(Contenido("d/H2011.002"), std::string(366, '\xFF'));
    f.VistaSG2->model()->setData(f.VistaSG2->model()->index(2, 0), "5");
    pulsa(f.VistaSG1, 0, 1);
    f.Aptomes->trigger();
    f.SBG2->click();
    EXPECT_EQ(Contenido("d/H2011.002"), std::string(366, '\xFF'));
    EXPECT_EQ(cuenta(Contenido("d/H2011.005")), (std::map<int, int>{{1, 31}, {255, 335}}));
    EXPECT_EQ(Contenido("d/calendarios.dat"), "1\r\n2011\r\nGeneral\r\n5\r\n2011\r\n\r\n");
    f.hide();
}

TEST_F(VentanaCalendarios, EliminarCodigoMaloYAnioFueraDeRango) {
    Escribe("d/calendarios.dat", "1\r\n2011\r\nA\r\n2\r\n2011\r\nB\r\n3\r\n2011\r\nC\r\n4\r\n0\r\nSin\r\n");
    Escribe("d/H2011.002", std::string(1, '\x07') + std::string(365, '\xFF'));
    TFormHorarios f;
    f.PgC1->setCurrentWidget(f.TS2);
    pulsa(f.VistaSG2, 0, 2);
    EXPECT_EQ(f.Calendario.Dias[0], 7);
    // A schedule whose code a day map cannot hold is not applied.
    pulsa(f.VistaSG1, 0, 2);
    f.Aptomes->trigger();
    ASSERT_EQ(respuestas.Mensajes.size(), 1u);
    EXPECT_FALSE(f.Calendario.Modificado);
    pulsa(f.VistaSG1, 0, 1);
    f.Aptomes->trigger();

    // Deleting the loaded calendar: C is loaded and shown, B's map goes nowhere.
    f.SpeedButton7->click();
    EXPECT_EQ(f.SG2.Celda(2, 2), "C");
    EXPECT_EQ(f.Calendario.Fila, 2);
    EXPECT_EQ(f.Calendario.Dias, DiasVacios());
    f.SBG2->click();
    EXPECT_EQ(Contenido("d/H2011.003"), std::string(366, '\xFF'));
    EXPECT_EQ(Contenido("d/H2011.002")[0], 7);
    EXPECT_EQ(respuestas.Mensajes.size(), 1u);

    // A year outside 1..9999: no file, nothing to apply.
    pulsa(f.VistaSG2, 0, 3);
    EXPECT_FALSE(f.Aptomes->isEnabled());
    EXPECT_EQ(f.SGCal.Celda(3, 2), "");
    EXPECT_FALSE(ExisteArchivo("d/H   0.004"));
    // At least one calendar stays.
    for (int i = 0; i < 3; ++i)
        f.SpeedButton7->click();
    EXPECT_EQ(f.SG2.RowCount(), 2);
}
