#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "common/globales.h"
#include "masterdata/empleados.h"
#include "platform/lineas.h"
#include "presence/seleccion.h"
#include "presence/ui/listar.h"
#include "presence/ui/listaraccesos.h"
#include "support/dirtemporal.h"

#include <QCheckBox>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {
using Lista = std::vector<std::string>;

void escribeEmpleados(const Lista &ids) {
    Lista l;
    for (const std::string &id : ids) {
        l.push_back(id);
        l.resize(l.size() + static_cast<size_t>(LineasPorEmpleado) - 1);
    }
    CreaDirectorio("datos/");
    AjustesPrueba().DirDatos = "datos/";
    GuardaLineas("datos/empleados.dat", l);
}

Lista elementos(const QListWidget *lb) {
    return TFormSeleccion::Elementos(lb);
}

void elige(QListWidget *lb, std::initializer_list<int> filas) {
    lb->clearSelection();
    for (int f : filas)
        lb->item(f)->setSelected(true);
}
} // namespace

TEST(Seleccion, MoverConservaElOrdenYVaArriba) {
    Lista o{"1 A", "2 B", "3 C", "4 D"}, d{"9 Z"};
    MueveElegidos(o, {false, true, false, true}, d);
    EXPECT_EQ(o, (Lista{"1 A", "3 C"}));
    EXPECT_EQ(d, (Lista{"2 B", "4 D", "9 Z"}));
    MueveTodos(d, o);
    EXPECT_EQ(o, (Lista{"2 B", "4 D", "9 Z", "1 A", "3 C"}));
    EXPECT_TRUE(d.empty());
    MueveElegidos(o, {true}, d); // a short selection leaves the rest alone
    EXPECT_EQ(d, (Lista{"2 B"}));
}

TEST(Seleccion, ArbolEligeEmpleadoOHijosDirectos) {
    const Lista items{"1 Ana", "2 Luis", "3 Eva", "4 Pepe"};
    EXPECT_EQ(ElegidosPorNodo(items, "2 Luis", {}), (std::vector<bool>{false, true, false, false}));
    EXPECT_EQ(ElegidosPorNodo(items, "Oficina", {"1 Ana", "Taller", "3 Eva"}),
              (std::vector<bool>{true, false, true, false}));
    // Employees only in a sub-group, or whose text differs, are not chosen.
    EXPECT_EQ(ElegidosPorNodo(items, "Empresa", {"Oficina", "Taller"}), std::vector<bool>(4, false));
    EXPECT_EQ(ElegidosPorNodo(items, "2 Luis G", {}), std::vector<bool>(4, false));
}

TEST(Seleccion, IdentificadoresDelArchivoDeEmpleados) {
    DirectorioTrabajo d;
    CreaDirectorio("datos/");
    AjustesPrueba().DirDatos = "datos/";
    Lista ids{"x"};
    EXPECT_FALSE(IdentificadoresEmpleados(ids));
    EXPECT_TRUE(ids.empty());
    Lista l{"5 Eva"};
    l.resize(static_cast<size_t>(LineasPorEmpleado));
    l.push_back("2 Luis"); // short last record
    GuardaLineas("datos/empleados.dat", l);
    ASSERT_TRUE(IdentificadoresEmpleados(ids));
    EXPECT_EQ(ids, (Lista{"5 Eva", "2 Luis"}));
}

TEST(FormListar, ElegirListarYPeticion) {
    DirectorioTrabajo d;
    escribeEmpleados({"1 Ana", "2 Luis", "3 Eva"});
    TFormListar f;
    f.FormActivate();
    ASSERT_EQ(elementos(f.LB1), (Lista{"1 Ana", "2 Luis", "3 Eva"}));
    elige(f.LB1, {0, 2});
    f.SpeedButton1Click();
    EXPECT_EQ(elementos(f.LB1), (Lista{"2 Luis"}));
    EXPECT_EQ(elementos(f.LB2), (Lista{"1 Ana", "3 Eva"}));
    elige(f.LB1, {0});
    f.LB1DblClick();
    EXPECT_EQ(elementos(f.LB2), (Lista{"2 Luis", "1 Ana", "3 Eva"}));

    f.RadioButton3->setChecked(true);
    f.CheckBox1->setChecked(true);
    f.CheckIncidencias->setChecked(false);
    ModoIncidencias = 1;
    std::vector<PeticionPresencia> vistas;
    EjecutaListadoPresencia = [&](const PeticionPresencia &p) {
        // The request is gathered before the listing runs.
        vistas.push_back(p);
    };
    f.Button1Click();
    EjecutaListadoPresencia = nullptr;
    ModoIncidencias = 0;
    ASSERT_EQ(vistas.size(), 1u);
    EXPECT_EQ(vistas[0].Empleados, (Lista{"2 Luis", "1 Ana", "3 Eva"}));
    EXPECT_EQ(vistas[0].TipoListado, ListadoSimple);
    EXPECT_TRUE(vistas[0].IncluirGrafico);
    EXPECT_FALSE(vistas[0].PararSiIncidencia);
    EXPECT_TRUE(vistas[0].ModoIncidencias);

    f.RadioButton2->setChecked(true);
    EXPECT_EQ(f.Peticion().TipoListado, ListadoResumen);
    f.RadioButton1->setChecked(true);
    EXPECT_EQ(f.Peticion().TipoListado, ListadoDetallado);
}

TEST(FormListar, OpcionesInicialesCancelarYReactivar) {
    DirectorioTrabajo d;
    escribeEmpleados({"1 Ana", "2 Luis", "3 Eva", "4 Pepe"});
    TFormListar f;
    EXPECT_TRUE(f.RadioButton1->isChecked());
    EXPECT_FALSE(f.CheckBox1->isChecked());
    EXPECT_TRUE(f.CheckIncidencias->isChecked());
    f.FormActivate();
    elige(f.LB1, {1});
    f.SpeedButton1Click();
    elige(f.LB1, {0, 2});
    f.SpeedButton1Click();
    elige(f.LB2, {0});
    f.LB2DblClick(); // "Quitar"
    EXPECT_EQ(elementos(f.LB1), (Lista{"1 Ana", "3 Eva"}));
    elige(f.LB1, {0});
    f.SpeedButton1Click();
    ASSERT_EQ(elementos(f.LB2), (Lista{"1 Ana", "4 Pepe", "2 Luis"}));
    f.Button2Click(); // "Cancelar": back to the top in their chosen order
    EXPECT_EQ(f.LB2->count(), 0);
    EXPECT_EQ(elementos(f.LB1), (Lista{"1 Ana", "4 Pepe", "2 Luis", "3 Eva"}));

    elige(f.LB1, {0});
    f.SpeedButton1Click();
    f.FormActivate(); // coming back empties the chosen list
    EXPECT_EQ(f.LB2->count(), 0);
    EXPECT_EQ(elementos(f.LB1), (Lista{"1 Ana", "2 Luis", "3 Eva", "4 Pepe"}));
}

TEST(FormListar, ArbolSeleccionaEnLaLista) {
    DirectorioTrabajo d;
    escribeEmpleados({"1 Ana", "2 Luis", "3 Eva"});
    TFormListar f;
    f.FormActivate();
    auto *grupo = new QTreeWidgetItem(f.TV1, QStringList{"Oficina"});
    new QTreeWidgetItem(grupo, QStringList{"1 Ana"});
    new QTreeWidgetItem(grupo, QStringList{"3 Eva"});
    auto *sub = new QTreeWidgetItem(grupo, QStringList{"Taller"});
    auto *luis = new QTreeWidgetItem(sub, QStringList{"2 Luis"});
    f.TV1->setCurrentItem(grupo);
    EXPECT_TRUE(f.LB1->item(0)->isSelected());
    EXPECT_FALSE(f.LB1->item(1)->isSelected());
    EXPECT_TRUE(f.LB1->item(2)->isSelected());
    f.TV1->setCurrentItem(luis);
    EXPECT_FALSE(f.LB1->item(0)->isSelected());
    EXPECT_TRUE(f.LB1->item(1)->isSelected());
    f.TV1->setCurrentItem(sub); // only "2 Luis"'s group
    EXPECT_TRUE(f.LB1->item(1)->isSelected());
    EXPECT_FALSE(f.LB1->item(2)->isSelected());
}

TEST(FormAccesos, PeticionPorPersonaOPorPuerta) {
    DirectorioTrabajo d;
    escribeEmpleados({"1 Ana", "2 Luis"});
    TFormAccesos f;
    EXPECT_EQ(f.windowTitle().toStdString(), "Accesos");
    f.FormActivate();
    elige(f.LB1, {1});
    f.SpeedButton1Click();
    f.RadioButton2->setChecked(true);
    std::vector<PeticionAccesos> vistas;
    EjecutaListadoAccesos = [&](const PeticionAccesos &p) { vistas.push_back(p); };
    f.Button1Click();
    EjecutaListadoAccesos = nullptr;
    ASSERT_EQ(vistas.size(), 1u);
    EXPECT_EQ(vistas[0].Empleados, (Lista{"2 Luis"}));
    EXPECT_FALSE(vistas[0].PorPersona);
}

TEST(FormListar, DentroDelMarcoCerrarMinimizaYVolverRecarga) {
    DirectorioTrabajo d;
    escribeEmpleados({"1 Ana", "2 Luis"});
    QMdiArea area;
    auto *f = new TFormListar();
    QMdiSubWindow *s = area.addSubWindow(f);
    area.show();
    s->show();
    area.setActiveSubWindow(s);
    ASSERT_EQ(f->LB1->count(), 2); // loaded when shown
    elige(f->LB1, {0});
    f->SpeedButton1Click();
    f->close();
    EXPECT_TRUE(s->isMinimized());
    EXPECT_FALSE(s->isHidden());
    EXPECT_EQ(f->LB2->count(), 1);
    f->showNormal(); // what the main window's action does
    EXPECT_FALSE(s->isMinimized());
    EXPECT_EQ(f->LB2->count(), 0);
    EXPECT_EQ(f->LB1->count(), 2);
}

TEST(FormListar, CancelarOCerrarNoDejaElModoIncidencias) {
    DirectorioTrabajo d;
    escribeEmpleados({"1 Ana"});
    TFormListar f;
    for (bool cerrar : {false, true}) {
        ModoIncidencias = 1;
        f.setWindowTitle("Incidencias");
        if (cerrar)
            f.close();
        else
            f.Button2Click();
        EXPECT_EQ(ModoIncidencias, 0) << cerrar;
        EXPECT_EQ(f.windowTitle().toStdString(), "Presencia") << cerrar;
    }
}
