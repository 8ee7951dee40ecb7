// The absence sheet and the access listing ask the clockings listing for their own clockings: the
// control panel's period, search text, kind, ticks and grid stay as the operator left them.
#include "common/ajustesprueba.h"
#include "masterdata/ui/empleadosorg.h"
#include "platform/codepage.h"
#include "platform/informe.h"
#include "platform/reloj.h"
#include "platform/ui/stringgridview.h"
#include "presence/ui/listaraccesos.h"
#include "support/respuestas.h"
#include "terminal/fichajesprueba.h"
#include "terminal/ui/panel.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

// Ana (7) on a Monday-to-Friday calendar, terminal 1 ("Todo") and the access terminal 2; the panel
// set by the operator to January, the search "12 " and the access kind.
class PanelYVentanas : public ::testing::Test {
protected:
    void SetUp() override {
        FijaReloj([] { return QDateTime(QDate(2011, 2, 8), QTime(10, 0)); });
        Escribe("velkatron.ini", "[config]\r\n[Festivos]\r\nFinDeSemana=0\r\n");
        Escribe("datos/empresa.org", "Empresa\r\n\t7 Dure Ana\r\n");
        Escribe("datos/empleados.dat", "7 Dure Ana\r\nDure\r\nAna\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
                                       "1 Laboral\r\n\r\n\r\n\r\n");
        Escribe("datos/calendarios.dat", "1\r\n2011\r\nLaboral\r\n");
        std::string mapa = std::string(366, '\xFF');
        for (QDate d(2011, 1, 1); d.year() == 2011; d = d.addDays(1))
            mapa[static_cast<size_t>(d.dayOfYear() - 1)] = d.dayOfWeek() >= 6 ? 0 : 1;
        Escribe("datos/H2011.001", mapa);
        for (int d : {1, 3, 5})
            Guarda(Registro(1, d, 2, 2011, 8, 0, "7 Dure Ana"));
        Guarda(Registro(2, 4, 2, 2011, 8, 0, "7 Dure Ana"));
        Guarda(Registro(1, 2, 2, 2011, 8, 0, "12 Gil Luis"));

        AjustesPrueba() = LeeConfiguracion(); // as the program reads it before the panel
        panel = std::make_unique<TFormVelka>();
        FormVelka = panel.get();
        StringGrid t(6, 3);
        t.SetFila(1, {"Serie", "1", "Puerta", "", "", "Todo"});
        t.SetFila(2, {"Serie", "2", "Torno", "", "", "Accesos"});
        panel->CargaTerminales(t);
        FijaTerminalesListados([this] { return panel->Enlaces.TextosTerminales; });
        panel->RadioButton5->setChecked(true);
        panel->MarcaTerminales({false, true});
        panel->DTP1->setDate(QDate(2011, 1, 10));
        panel->DTP2->setDate(QDate(2011, 1, 20));
        panel->EDBusca->setText("12 ");
        panel->BListarClick();
        ASSERT_EQ(panel->SGFichajes.RowCount(), 2); // nothing of 12 in January
    }
    void TearDown() override {
        FijaTerminalesListados(nullptr);
        panel.reset();
        FijaVisorInformes(nullptr);
        FijaReloj(nullptr);
    }
    void panelSinCambios() {
        EXPECT_EQ(panel->DTP1->date(), QDate(2011, 1, 10));
        EXPECT_EQ(panel->DTP2->date(), QDate(2011, 1, 20));
        EXPECT_EQ(panel->EDBusca->text(), "12 ");
        EXPECT_TRUE(panel->RadioButton5->isChecked());
        EXPECT_TRUE(panel->RadioButton2->isChecked());
        EXPECT_EQ(panel->SGFichajes.RowCount(), 2);
        const auto items = panel->ItemsTerminales();
        ASSERT_EQ(items.size(), 2u);
        EXPECT_FALSE(items[0].second);
        EXPECT_TRUE(items[1].second);
    }

    EntornoFichajes entorno;
    RespuestasPrueba respuestas;
    std::unique_ptr<TFormVelka> panel;
};

} // namespace

TEST_F(PanelYVentanas, HojaDeFaltasDelMes) {
    TFormEmpleados f;
    EXPECT_EQ(deQ(f.Falton->text()), "7 Dure Ana");
    EXPECT_EQ(f.STFaltas->text(), "febrero de 2011");
    // Clockings on the 1st, 3rd and 5th at terminal 1; the access terminal's clocking on the 4th
    // is no presence; 12's clocking on the 2nd is not Ana's.
    EXPECT_EQ(f.SGFaltas.Fila(1),
              (std::vector<std::string>{"", "1 ", "2  FALTA", "3 ", "4  FALTA", "5 ", "6  Festivo"}));
    EXPECT_EQ(f.SGFaltas.Fila(2), (std::vector<std::string>{"7  FALTA", "8  FALTA", "", "", "", "", ""}));
    EXPECT_EQ(f.Label18->text(), "4");
    EXPECT_EQ(f.Label16->text(), "1 Laboral");
    panelSinCambios();

    f.SpeedButton3->click(); // January: every working day
    EXPECT_EQ(f.STFaltas->text(), "enero de 2011");
    EXPECT_EQ(f.Label18->text(), "21");
    f.SpeedButton4->click();
    f.SpeedButton4->click(); // never after this month
    EXPECT_EQ(f.NumeroFaltas, 4);
    f.show();
    f.VistaSGFaltas->grab(); // the days drawn in their colours
    f.hide();
    panelSinCambios();
}

TEST_F(PanelYVentanas, ListadoDeAccesosConElPeriodoDelPanel) {
    std::vector<std::pair<std::string, std::string>> documentos;
    FijaVisorInformes([&](const TInformeRTF &i) { documentos.emplace_back(i.Titulo(), i.TextoPlano()); });
    panel->DTP1->setDate(QDate(2011, 2, 3));
    panel->DTP2->setDate(QDate(2011, 2, 5));
    RegistraListadoAccesos();
    EjecutaListadoAccesos({{"7 Dure Ana"}, true});
    ASSERT_EQ(documentos.size(), 1u);
    EXPECT_EQ(documentos[0].first, "Listado de accesos de Dure Ana desde 03/02/2011 hasta 05/02/2011 ");
    EXPECT_NE(documentos[0].second.find("vie 04/02/2011\n\t08:00\t002\n"), std::string::npos);
    // "Por puerta": only the ticked terminal.
    EjecutaListadoAccesos({{}, false});
    ASSERT_EQ(documentos.size(), 2u);
    EXPECT_EQ(documentos[1].first, "Listado de accesos por 2 Torno desde 03/02/2011 hasta 05/02/2011 ");
    panel->DTP1->setDate(QDate(2011, 1, 10));
    panel->DTP2->setDate(QDate(2011, 1, 20));
    panelSinCambios();
    EjecutaListadoAccesos = nullptr;
}

TEST_F(PanelYVentanas, ListadoPorPuertaConElPanelEnPresencia) {
    // The access kind ticks the terminals in mode "A" or "T", whatever the presence kind ticked.
    std::vector<std::string> titulos;
    FijaVisorInformes([&](const TInformeRTF &i) { titulos.push_back(i.Titulo()); });
    panel->RadioButton3->setChecked(true);
    panel->MarcaTerminales({true, false});
    ImprimeAccesosExecute({{}, false});
    EXPECT_EQ(titulos, (std::vector<std::string>{
                           "Listado de accesos por 1 Puerta desde 10/01/2011 hasta 20/01/2011 ",
                           "Listado de accesos por 2 Torno desde 10/01/2011 hasta 20/01/2011 "}));
}
