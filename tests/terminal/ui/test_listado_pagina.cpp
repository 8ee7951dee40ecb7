// The "Fichajes" page: kind buttons, date clamps, listing from the controls, annulled rows.
#include "platform/reloj.h"
#include "platform/ui/stringgridview.h"
#include "support/respuestas.h"
#include "support/tecleo.h"
#include "terminal/fichaje.h"
#include "terminal/fichajesprueba.h"
#include "terminal/ui/panelprueba.h"

#include <QCloseEvent>
#include <QDateEdit>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class PaginaFichajes : public ::testing::Test {
protected:
    void SetUp() override {
        FijaReloj([this] { return ahora; });
    }
    void TearDown() override { FijaReloj(nullptr); }
    QDateTime ahora{QDate(2024, 5, 3), QTime(10, 0)};
};

TEST_F(PaginaFichajes, BotonesDeTipoMarcanTerminales) {
    PanelPrueba p({"EE 1:5 a", "EA 1:8 b", "ET 1:9 c", "SP 4 d"});
    p.RadioButton5->setChecked(true);
    EXPECT_EQ(p.Marcas(), (std::vector<bool>{false, true, true, false}));
    p.RadioButton3->setChecked(true);
    EXPECT_EQ(p.Marcas(), (std::vector<bool>{true, false, true, true}));
    p.RadioButton5->setChecked(true);
    p.RadioButton4->setChecked(true);
    EXPECT_EQ(p.Marcas(), (std::vector<bool>{true, false, true, true}));
}

// What other windows read of the page leaves its controls as they are.
TEST_F(PaginaFichajes, TerminalesDeUnListadoDePresencia) {
    PanelPrueba p({"EE 1:5 a", "EA 1:8 b", "SP 4 d"});
    auto numeros = [&p] {
        std::vector<int> v;
        for (const TTerminalListado &t : p.TerminalesPresencia())
            v.push_back(t.Marcado ? t.Numero : -t.Numero);
        return v;
    };
    p.RadioButton5->setChecked(true);
    // "Accesos" chosen: as "Presencia" would mark them.
    EXPECT_EQ(numeros(), (std::vector<int>{5, -8, 4}));
    EXPECT_EQ(p.Marcas(), (std::vector<bool>{false, true, false}));
    // "Presencia" chosen: the marks as the operator left them.
    p.RadioButton3->setChecked(true);
    p.CLBTerminales->item(2)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(numeros(), (std::vector<int>{5, -8, -4}));

    p.RadioButton1->setChecked(true);
    p.DTP1->setDate(QDate(2024, 1, 1));
    p.MuestraHoy();
    EXPECT_TRUE(p.RadioButton2->isChecked());
    EXPECT_EQ(p.DTP1->date(), QDate(2024, 5, 3));
    EXPECT_EQ(p.DTP2->date(), QDate(2024, 5, 3));
}

TEST_F(PaginaFichajes, LimitesDeFechas) {
    PanelPrueba p;
    p.DTP1->setDate(QDate(2024, 6, 1));
    p.DTP1CloseUp();
    EXPECT_EQ(p.DTP1->date(), QDate(2024, 5, 3));
    p.DTP1->setDate(QDate(2024, 4, 20));
    p.DTP1CloseUp();
    EXPECT_EQ(p.FechaDesde, QDate(2024, 4, 20));
    p.DTP2->setDate(QDate(2024, 4, 10));
    p.DTP2CloseUp();
    EXPECT_EQ(p.DTP2->date(), QDate(2024, 4, 20));
    p.DTP2->setDate(QDate(2025, 1, 1));
    p.DTP2CloseUp();
    EXPECT_EQ(p.DTP2->date(), QDate(2024, 5, 3));
    // After midnight "today" is the new day for both pickers.
    ahora = QDateTime(QDate(2024, 5, 4), QTime(0, 5));
    p.DTP1->setDate(QDate(2024, 5, 4));
    p.DTP1CloseUp();
    EXPECT_EQ(p.DTP1->date(), QDate(2024, 5, 4));
}

// One click on the day and the date typed: the limits apply to the finished date.
TEST_F(PaginaFichajes, FechasTecleadasConUnClic) {
    RespuestasPrueba r;
    PanelPrueba p;
    p.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&p));
    TecleaFecha(p.DTP1, "20042024");
    EXPECT_EQ(p.DTP1->date(), QDate(2024, 4, 20));
    EXPECT_EQ(p.FechaDesde, QDate(2024, 4, 20));
    TecleaFecha(p.DTP2, "10/04/2024"); // before "Desde": taken as "Desde"
    EXPECT_EQ(p.DTP2->date(), QDate(2024, 4, 20));
    TecleaFecha(p.DTP2, "30042024");
    EXPECT_EQ(p.DTP2->date(), QDate(2024, 4, 30));
    TecleaFecha(p.DTP1, "31052024"); // after today: today
    EXPECT_EQ(p.DTP1->date(), QDate(2024, 5, 3));
    EXPECT_TRUE(r.Mensajes.empty());
}

TEST_F(PaginaFichajes, ListarDesdeLosControles) {
    EntornoFichajes e;
    RespuestasPrueba respuestas;
    Guarda(Registro(5, 3, 5, 2024, 8, 0, "12 A"));
    Guarda(Registro(5, 3, 5, 2024, 9, 0, "40 B"));
    const std::string malo =
        FormateaFichaje(Configuracion().FormatoFichaje, Registro(8, 3, 5, 2024, 25, 0, "12 A"));
    Escribe("fichajes/030524.008", malo);
    PanelPrueba p({"EE 1:5 a", "EE 1:8 b"});
    p.EDBusca->setText("12 ");
    p.BListarClick();
    EXPECT_EQ(p.SGFichajes.RowCount(), 3);
    EXPECT_EQ(p.UltimoListado.Columnas.Hora, 9);
    EXPECT_EQ(p.UltimoListado.Columnas.LongitudLinea, 69);
    EXPECT_EQ(p.UltimoListado.Formato, Configuracion().FormatoFichaje);
    ASSERT_EQ(respuestas.Mensajes.size(), 1u);
    EXPECT_EQ(respuestas.Mensajes[0].texto, "ARCHIVO DEFECTUOSO fichajes/030524.008");
    p.RadioButton1->setChecked(true);
    p.BListarProdClick();
    EXPECT_EQ(p.UltimoListado.Formato, PlantillaBruta);
    EXPECT_EQ(p.UltimoListado.Columnas.Segundo, 8);
    EXPECT_EQ(p.SGFichajes.RowCount(), 2); // the history holds only the first clocking of 12
}

TEST_F(PaginaFichajes, ColumnasEstrechasConNuevePixelesPorCaracter) {
    EntornoFichajes e;
    Guarda(Registro(5, 3, 5, 2024, 8, 0, "12 A"));
    PanelPrueba p({"EE 1:5 a"});
    p.BListarClick();
    const TColumnasFichajes &k = p.UltimoListado.Columnas;
    for (int c : {k.Dia, k.Mes, k.Hora, k.Minuto})
        EXPECT_EQ(p.VistaFichajes->columnWidth(c), 18) << c;
    EXPECT_EQ(p.VistaFichajes->columnWidth(k.Anio), 36);
    p.VistaFichajes->setColumnWidth(k.Dia, 9);
    EXPECT_EQ(p.VistaFichajes->columnWidth(k.Dia), 9);
}

TEST_F(PaginaFichajes, DobleClicAnulaYPintaEnGris) {
    EntornoFichajes e;
    Guarda(Registro(5, 3, 5, 2024, 8, 0, "12 A"));
    Guarda(Registro(5, 3, 5, 2024, 9, 0, "12 A"));
    PanelPrueba p({"EE 1:5 a"});
    p.BListarClick();
    p.VistaFichajes->setColumnWidth(4, 77);
    p.SGFichajes.SetRow(2);
    p.SGFichajesDblClick();
    EXPECT_EQ(p.SGFichajes.Celda(0, 2), "69-A");
    EXPECT_EQ(p.SGFichajes.Row(), 2);
    EXPECT_EQ(p.SGFichajes.ColWidths[4], 77);
    auto *m = p.VistaFichajes->Modelo();
    EXPECT_EQ(m->data(m->index(2, 3), Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::gray));
    EXPECT_FALSE(m->data(m->index(1, 3), Qt::ForegroundRole).isValid());
    EXPECT_EQ(TextoCeldaFichajes(p.SGFichajes, 0, 2), "Anulado ");
    EXPECT_EQ(TextoCeldaFichajes(p.SGFichajes, 0, 1), std::string(13, ' '));
    EXPECT_EQ(TextoCeldaFichajes(p.SGFichajes, 1, 2), "005");
    // The view reads the listing's rows: every cell as the grid holds it, the annulled row in grey.
    const StringGrid &g = p.SGFichajes;
    EXPECT_EQ(g.Fila(2), (std::vector<std::string>{"69-A", "005", "12", "0", "12 A" + std::string(28, ' '),
                                                   "        ", "03", "05", "2024", "09", "00"}));
    ASSERT_EQ(m->columnCount(), g.ColCount());
    for (int r = 0; r < g.RowCount(); ++r)
        for (int c = 0; c < g.ColCount(); ++c) {
            EXPECT_EQ(deQ(m->data(m->index(r, c), Qt::DisplayRole).toString()), g.Celda(c, r))
                << c << " " << r;
            EXPECT_EQ(m->data(m->index(r, c), Qt::ForegroundRole).isValid(), r == 2) << c << " " << r;
        }
    p.SGFichajesDblClick();
    EXPECT_EQ(p.SGFichajes.Celda(0, 2), "69");
    // A history listing is never changed.
    p.RadioButton1->setChecked(true);
    p.BListarClick();
    const std::string historico = Contenido("fichajes/historico");
    p.SGFichajes.SetRow(1);
    p.SGFichajesDblClick();
    EXPECT_EQ(Contenido("fichajes/historico"), historico);
}

TEST_F(PaginaFichajes, DobleClicEnUnaOpcionSaltaEntrePrimeraYUltimaFila) {
    PanelPrueba p;
    p.SGFichajes.SetRowCount(5);
    p.SGFichajes.SetRow(1);
    const std::vector<std::pair<QRadioButton *, int>> pasos = {
        {p.RadioButton1, 4}, {p.RadioButton2, 1}, {p.RadioButton5, 4}, {p.RadioButton3, 4}};
    for (const auto &[boton, fila] : pasos) {
        QTest::mouseDClick(boton, Qt::LeftButton);
        EXPECT_EQ(p.SGFichajes.Row(), fila) << deQ(boton->text());
    }
    p.SGFichajes.SetRow(3);
    QTest::mouseDClick(p.RadioButton1, Qt::LeftButton);
    EXPECT_EQ(p.SGFichajes.Row(), 1);
}

TEST_F(PaginaFichajes, CerrarMinimiza) {
    PanelPrueba p;
    p.show();
    EXPECT_FALSE(p.close());
    EXPECT_TRUE(p.windowState() & Qt::WindowMinimized);
}

TEST_F(PaginaFichajes, NuevoFormatoSinHistorico) {
    EntornoFichajes e;
    RespuestasPrueba respuestas;
    PanelPrueba p;
    EXPECT_FALSE(p.BReconsClick());
    ASSERT_EQ(respuestas.Mensajes.size(), 1u);
    EXPECT_EQ(respuestas.Mensajes[0].tipo, Dialogos::Tipo::Error);
}

} // namespace
