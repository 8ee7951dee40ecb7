#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "common/sesion.h"
#include "frame/cifra.h"
#include "frame/usuarios.h"
#include "frame/usuariosedicion.h"
#include "frame/usuariosprueba.h"
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "platform/ui/stringgridview.h"
#include "support/dirtemporal.h"
#include "support/respuestas.h"

#include <QAbstractItemDelegate>
#include <QComboBox>
#include <QStyleOptionViewItem>
#include <gtest/gtest.h>

namespace {

const std::string kAdmin = "1 Admin.  presencia y produccion";
const std::string kNivel2 = "2 Admin.  presencia";
const std::string kNivel3 = "3 Usuario presencia             ";

class EditorUsuarios : public ::testing::Test {
protected:
    void SetUp() override {
        AjustesPrueba().DirDatos = "datos/";
        AjustesPrueba().DirHuellas = "huellas/";
        CreaDirectorio("datos");
        Sesion().LineasUsuarios = LineasEmpresa();
        DescifraUsuarios();
        Sesion().ListaUsuarios.insert(Sesion().ListaUsuarios.end(), {"Jefe Total", "jef", kAdmin,  //
                                                                     "Ana Perez", "abcd", kNivel2, //
                                                                     "Luis", "abc", kNivel3,       //
                                                                     "Marta", "xyz", kNivel3,      //
                                                                     "Sin nivel", "libre", ""});
        Sesion().NivelUsuario = 2;
    }
    void TearDown() override {
        Sesion().NivelUsuario = 0;
        Sesion().ListaUsuarios.clear();
        Sesion().LineasUsuarios.clear();
    }
    std::vector<std::string> Fila(int r) { return f.SG1.Fila(r); }
    std::vector<std::string> Leido() {
        std::vector<std::string> l;
        LeeLineas("datos/rondal.usr", l);
        return DescifraLineas(l).Lista;
    }
    DirectorioTrabajo d;
    RespuestasPrueba r;
    TFormUsuarios f;
};

std::string registroMin(const std::string &texto) {
    std::string r(512, '\xFF');
    r.replace(4, texto.size() + 1, texto + '\0');
    return r;
}

} // namespace

TEST_F(EditorUsuarios, ActivacionLlenaRejillaYCombo) {
    CreaDirectorio("huellas");
    Escribe("huellas/empresa.min", registroMin("0001 Juan") +
                                       registroMin("0002 Sup\xAC"
                                                   "99") +
                                       "corto");
    f.FormActivate();
    EXPECT_EQ(f.windowTitle(), "Usuarios de Rondal");
    ASSERT_EQ(f.SG1.RowCount(), 6);
    EXPECT_EQ(Fila(0), (std::vector<std::string>{"Usuario", "Clave", "Nivel"}));
    EXPECT_EQ(Fila(1), (std::vector<std::string>{"Jefe Total", "jef", kAdmin}));
    EXPECT_EQ(Fila(5), (std::vector<std::string>{"Sin nivel", "libre", ""}));
    EXPECT_EQ(f.SG1.ColWidths, (std::vector<int>{175, 96, 248}));
    ASSERT_EQ(f.CBUsuario->count(), 2);
    EXPECT_EQ(f.CBUsuario->itemText(1), "0002 Sup **");
    EXPECT_FALSE(f.CBUsuario->isVisibleTo(&f));

    Sesion().ListaUsuarios.resize(3);
    f.FormActivate();
    ASSERT_EQ(f.SG1.RowCount(), 2);
    EXPECT_EQ(Fila(1), (std::vector<std::string>{"", "", ""}));
}

TEST_F(EditorUsuarios, NivelSuperiorNiSeSeleccionaNiSeVeSuClave) {
    f.FormActivate();
    for (int c = 0; c < 3; ++c)
        EXPECT_FALSE(f.SG1SelectCell(c, 1)) << c;
    EXPECT_FALSE(f.SG1SelectCell(0, 0));
    EXPECT_EQ(TextoCeldaUsuarios(f.SG1, 1, 1, Sesion().NivelUsuario), "***");
    EXPECT_EQ(TextoCeldaUsuarios(f.SG1, 0, 1, Sesion().NivelUsuario), "Jefe Total");
    EXPECT_EQ(TextoCeldaUsuarios(f.SG1, 1, 2, Sesion().NivelUsuario), "abcd");
    EXPECT_EQ(TextoCeldaUsuarios(f.SG1, 1, 1, 1), "jef");
    // A row with no level number is open to every operator.
    EXPECT_TRUE(f.SG1SelectCell(1, 5));
    EXPECT_FALSE(FilaProtegida(f.SG1, 5, 6));

    // Through the view: a click on the protected row puts the selection back.
    StringGridModel *m = f.VistaSG1->Modelo();
    f.VistaSG1->setCurrentIndex(m->index(2, 1));
    EXPECT_EQ(f.SG1.Row(), 2);
    f.VistaSG1->setCurrentIndex(m->index(1, 1));
    EXPECT_EQ(f.SG1.Row(), 2);
    EXPECT_EQ(f.SG1.Col(), 1);
    EXPECT_EQ(f.VistaSG1->currentIndex().row(), 2);

    // Only the password of an open row is edited in place.
    QAbstractItemDelegate *del = f.VistaSG1->itemDelegate();
    QStyleOptionViewItem o;
    EXPECT_EQ(del->createEditor(f.VistaSG1->viewport(), o, m->index(1, 1)), nullptr);
    EXPECT_EQ(del->createEditor(f.VistaSG1->viewport(), o, m->index(2, 0)), nullptr);
    QWidget *editor = del->createEditor(f.VistaSG1->viewport(), o, m->index(2, 1));
    EXPECT_NE(editor, nullptr);
    delete editor;
}

TEST_F(EditorUsuarios, CombosDeNombreYNivel) {
    f.CBNivel->addItems({aQ(kNivel2), "3 Usuario presencia"});
    f.FormActivate();
    f.VistaSG1->setCurrentIndex(f.VistaSG1->Modelo()->index(2, 0));
    EXPECT_TRUE(f.CBUsuario->isVisibleTo(&f));
    EXPECT_EQ(f.CBUsuario->currentText(), "Ana Perez");
    f.CBUsuario->setEditText("0034 Jefe ****");
    EXPECT_EQ(f.SG1.Celda(0, 2), "0034 Jefe ****");

    EXPECT_FALSE(f.SG1SelectCell(2, 3));
    EXPECT_EQ(f.SG1.Row(), 3);
    EXPECT_TRUE(f.CBNivel->isVisibleTo(&f));
    EXPECT_FALSE(f.CBUsuario->isVisibleTo(&f));
    f.CBNivelChange(1);
    EXPECT_EQ(f.SG1.Celda(2, 3), "3 Usuario presencia");
    EXPECT_EQ(f.SG1.Celda(0, 2), "0034 Jefe ****");

    EXPECT_TRUE(f.SG1SelectCell(1, 3));
    EXPECT_FALSE(f.CBNivel->isVisibleTo(&f));

    // A level that is not among the items is still shown, and stays until an item is chosen.
    EXPECT_FALSE(f.SG1SelectCell(2, 4));
    EXPECT_EQ(f.CBNivel->currentIndex(), -1);
    EXPECT_EQ(f.CBNivel->placeholderText(), aQ(kNivel3));
    EXPECT_EQ(f.SG1.Celda(2, 4), kNivel3);
}

TEST_F(EditorUsuarios, NuevoYEliminar) {
    f.FormActivate();
    f.VistaSG1->setCurrentIndex(f.VistaSG1->Modelo()->index(2, 0));
    f.SpeedButton1Click();
    EXPECT_EQ(f.SG1.RowCount(), 7);
    EXPECT_EQ(f.SG1.Row(), 6);
    EXPECT_EQ(f.SG1.FixedRows, 1);
    // The name combo moves to the new row: what is typed there goes into it.
    EXPECT_EQ(f.CBUsuario->geometry().top(), f.VistaSG1->visualRect(f.VistaSG1->Modelo()->index(6, 0)).top());
    EXPECT_EQ(f.CBUsuario->currentText(), "");
    f.CBUsuario->setEditText("Nueva Usuaria");
    EXPECT_EQ(f.SG1.Celda(0, 6), "Nueva Usuaria");
    EXPECT_EQ(f.SG1.Celda(0, 2), "Ana Perez");
    // The protected row is not deleted.
    f.SG1.SetRow(1);
    f.SpeedButton2Click();
    EXPECT_EQ(f.SG1.RowCount(), 7);
    EXPECT_EQ(f.SG1.Celda(0, 1), "Jefe Total");
    ASSERT_EQ(r.Mensajes.size(), 1u);
    f.SG1.SetRow(2);
    f.SpeedButton2Click();
    EXPECT_EQ(f.SG1.RowCount(), 6);
    EXPECT_EQ(f.SG1.Celda(0, 2), "Luis");
}

TEST_F(EditorUsuarios, GuardarDescartaCortasYConservaLasProtegidas) {
    f.FormActivate();
    f.SpeedButton1Click(); // an empty row, dropped without being named
    f.botonrecClick();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    const std::vector<std::string> esperado = {"Velkatron SA", "empresa1",  kAdmin,      "Jefe Total",
                                               "jef",          kAdmin,      "Ana Perez", "abcd",
                                               kNivel2,        "Sin nivel", "libre",     ""};
    EXPECT_EQ(Sesion().ListaUsuarios, esperado);
    std::string archivo = Contenido("datos/rondal.usr");
    EXPECT_EQ(archivo.substr(0, ArchivoDe(LineasEmpresa()).size()), ArchivoDe(LineasEmpresa()));
    EXPECT_EQ(Leido(), esperado);
    ASSERT_EQ(r.Mensajes.size(), 1u);
    EXPECT_EQ(r.Mensajes[0].texto,
              Ansi("No se han guardado estas filas porque su usuario o su clave tienen menos "
                   "de 4 caracteres:\r\nFila 3: \"Luis\"\r\nFila 4: \"Marta\""));
}

TEST_F(EditorUsuarios, GuardarSinFilasValidasDejaSoloLaEmpresa) {
    Sesion().NivelUsuario = 1;
    Sesion().ListaUsuarios.resize(3);
    Sesion().ListaUsuarios.insert(Sesion().ListaUsuarios.end(), {"abc", "abcdef", "1", "abcd", "", "2"});
    f.FormActivate();
    f.botonrecClick();
    EXPECT_EQ(Contenido("datos/rondal.usr"), ArchivoDe(LineasEmpresa()));
    EXPECT_EQ(Sesion().ListaUsuarios.size(), 3u);
}

TEST_F(EditorUsuarios, GuardarRechazadoNoCambiaNada) {
    f.FormActivate();
    f.SG1.SetCelda(1, 2, std::string(90, 'x'));
    const std::vector<std::string> antes = Sesion().ListaUsuarios;
    f.botonrecClick();
    EXPECT_NE(f.result(), QDialog::Accepted);
    EXPECT_EQ(Sesion().ListaUsuarios, antes);
    EXPECT_FALSE(ExisteArchivo("datos/rondal.usr"));
    ASSERT_EQ(r.Mensajes.size(), 1u);
    EXPECT_EQ(r.Mensajes[0].tipo, Dialogos::Tipo::Error);
    EXPECT_EQ(f.SG1.Celda(1, 2), std::string(90, 'x')); // the edit is still there to correct

    Sesion().LineasUsuarios.resize(1);
    f.SG1.SetCelda(1, 2, "abcd");
    f.botonrecClick();
    EXPECT_NE(f.result(), QDialog::Accepted);
    EXPECT_FALSE(ExisteArchivo("datos/rondal.usr"));
    EXPECT_EQ(r.Mensajes.size(), 2u);
}
