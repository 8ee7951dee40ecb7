// The "Archivos de Huellas" page on its own: loading, adding, removing, band editing, saving and
// denying, through its controls, with real files in a working directory.
#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "platform/ui/stringgridview.h"
#include "support/dirtemporal.h"
#include "support/respuestas.h"
#include "support/simulador.h"
#include "terminal/listasusuarios.h"
#include "terminal/ui/paginahuellas.h"

#include <QAction>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <gtest/gtest.h>

namespace {

class PaginaPrueba : public QWidget, public TPaginaHuellas {
public:
    PaginaPrueba() {
        CreaPaginaHuellas(this);
        CargaListaMin();
    }
};

const std::string L = "00:00/23:59";

class Huellas : public ::testing::Test {
protected:
    void SetUp() override {
        AjustesPrueba().DirHuellas = dir.Ruta() + "/huellas/";
        QDir().mkpath(QString::fromStdString(Configuracion().DirHuellas));
        std::string bandas = RegistroLista("30", "CARLOS", 4, 255);
        bandas.replace(400, 8, std::string("\x08\x00\x14\x00\x16\x00\x19\x00", 8));
        Escribe(Configuracion().DirHuellas + "nave.min", RegistroLista("10", "ANA", 3, 255) +
                                                             RegistroLista("20",
                                                                           "JEFE\xAC"
                                                                           "0123",
                                                                           2, 90) +
                                                             bandas + RegistroLista("40", "DAVID", 5, 255));
        p = std::make_unique<PaginaPrueba>();
        carga("nave");
    }
    void carga(const std::string &nombre) {
        p->Edit1->setText(QString::fromStdString(nombre));
        QTest::keyClick(p->Edit1, Qt::Key_Return);
    }
    std::vector<std::string> columna(const StringGrid &g, int c) {
        std::vector<std::string> v;
        for (int r = 1; r < g.RowCount(); ++r)
            v.push_back(g.Celda(c, r));
        return v;
    }
    DirectorioTrabajo dir;
    RespuestasPrueba respuestas;
    std::unique_ptr<PaginaPrueba> p;
};

TEST_F(Huellas, CargaYLoQueMuestranLasCeldas) {
    ASSERT_EQ(columna(p->SG1, 1), (std::vector<std::string>{"10", "20", "30", "40"}));
    EXPECT_EQ(p->SG1.Celda(3, 2), "2-90%");
    p->SG1.Cells[4][4] = "00:00/00:00";
    const std::vector<std::tuple<int, int, bool, std::string>> casos = {
        {2, 2, false, "JEFE (SUPERVISOR)"},
        {2, 2, true,
         "JEFE (C\xD3"
         "DIGO)"},
        {4, 1, false, "Con acceso  "},
        {5, 1, false, ""},
        {4, 4, true, "Sin acceso   "},
        {4, 3, false, "08:00/14:00"},
        {6, 3, false, ""},
        {2, 0, false, "Nombre"},
    };
    for (const auto &[c, r, rol, texto] : casos)
        EXPECT_EQ(TextoCeldaHuellas(p->SG1, c, r, rol), texto) << c << "," << r;
    // A list that cannot be opened leaves no stale row behind.
    carga("falta");
    EXPECT_EQ(p->SG1.RowCount(), 1);
    EXPECT_EQ(p->ListaSG1, Configuracion().DirHuellas + "falta.min");
    // A double click on the name field offers the lists and loads the one chosen.
    respuestas.Archivos.push_back(Configuracion().DirHuellas + "nave.min");
    p->Edit1DblClick();
    ASSERT_EQ(respuestas.PeticionesArchivo.size(), 1u);
    EXPECT_EQ(respuestas.PeticionesArchivo[0].filtro, "Archivos de huellas|*.min");
    EXPECT_EQ(p->SG1.RowCount(), 5);
}

TEST_F(Huellas, AnadirQuitarYGuardar) {
    p->SeleccionaSG1(2, 3);
    p->BitBtn3->click();
    p->BitBtn2->click(); // all: 20 and 30 are there already
    EXPECT_EQ(columna(p->SG2, 1), (std::vector<std::string>{"20", "30", "10", "40"}));
    EXPECT_EQ(p->SG2.Row(), 4);
    // An edit not yet saved survives the next add and remove.
    p->SG2.Cells[2][1] = "JEFA\xAC"
                         "0123";
    p->ListaModificada = true;
    p->SeleccionaSG1(1, 1);
    p->BitBtn3->click();
    p->FilaEditada = 4;
    p->BitBtn5->click();
    EXPECT_EQ(columna(p->SG2, 2), (std::vector<std::string>{"JEFA\xAC"
                                                            "0123",
                                                            "CARLOS", "ANA"}));
    p->FilaEditada = 3;
    p->BitBtn5->click(); // the last row: the one before it is selected
    EXPECT_EQ(p->FilaEditada, 2);
    EXPECT_EQ(p->SG2.Row(), 2);
    p->Edit5->setText("oficina");
    p->Button4->click();
    EXPECT_EQ(Contenido(Configuracion().DirHuellas + "oficina.min"), Contenido(ListaTrabajo));
    EXPECT_EQ(Contenido(ListaTrabajo).substr(4, 13), std::string("20 JEFA\xAC"
                                                                 "0123\0",
                                                                 13));
    p->BitBtn4->click();
    EXPECT_EQ(p->SG2.RowCount(), 1);
    p->Button4->click();
    ASSERT_EQ(respuestas.Mensajes.size(), 1u);
    EXPECT_EQ(respuestas.Mensajes[0].texto, "No hay nada que guardar");
}

TEST_F(Huellas, FranjasModosYCopia) {
    p->BitBtn2->click();
    // Row 3 has bands 1 and 2: a click on band 4 edits band 3.
    p->SG2SelectCell(7, 3);
    EXPECT_EQ(p->FranjaEditada, 3);
    EXPECT_EQ(p->Label7->text(), "Franja horaria 3");
    EXPECT_EQ(p->RG1->checkedId(), 1);
    EXPECT_FALSE(p->ListaModificada);
    p->SG2.SetRow(3);
    p->DTFHi->setTime(QTime(20, 0));
    p->DTFHf->setTime(QTime(22, 30));
    EXPECT_EQ(columna(p->SG2, 6)[2], "20:00/22:30");
    // Row 1 never; its mode copied onto row 4.
    p->SG2SelectCell(5, 1);
    EXPECT_EQ(p->FranjaEditada, 1);
    EXPECT_EQ(p->RG1->checkedId(), 0);
    // The minutiae column cannot be selected: the row and band stay.
    const QAbstractItemModel *m = p->VistaSG2->model();
    EXPECT_FALSE(m->flags(m->index(4, 3)) & Qt::ItemIsSelectable);
    p->SG2SelectCell(3, 4);
    EXPECT_EQ(p->FilaEditada, 1);
    EXPECT_EQ(p->SG2.Row(), 1);
    p->RG1->button(2)->click();
    EXPECT_EQ(p->SG2.Celda(4, 1), "00:00/00:00");
    p->CopiarModo1->trigger();
    p->SG2SelectCell(4, 4);
    p->ListaModificada = false;
    p->PegarModo1->trigger();
    EXPECT_TRUE(p->ListaModificada);
    // The sort writes the pasted mode first.
    p->Button1->click();
    const std::string t = Contenido(ListaTrabajo);
    const std::vector<std::pair<size_t, std::string>> bandas = {
        {0, std::string(4, '\0') + std::string(12, '\xFF')},
        {2, std::string("\x08\x00\x14\x00\x16\x00\x19\x00\x20\x00\x22\x30\xFF\xFF\xFF\xFF", 16)},
        {3, std::string(4, '\0') + std::string(12, '\xFF')},
        {1, std::string(16, '\xFF')},
    };
    for (const auto &[registro, bytes] : bandas)
        EXPECT_EQ(t.substr(512 * registro + 400, 16), bytes) << registro;
}

} // namespace
