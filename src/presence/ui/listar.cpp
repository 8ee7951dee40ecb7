#include "presence/ui/listar.h"

#include "common/globales.h"
#include "masterdata/ui/empresaorg.h"
#include "platform/codepage.h"
#include "platform/ui/arbolwidget.h"
#include "platform/ui/ventanas.h"
#include "presence/seleccion.h"
#include "terminal/ui/panel.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTreeWidget>

std::function<void(const PeticionPresencia &)> EjecutaListadoPresencia;
QPointer<TFormListar> FormListar;

namespace {
std::vector<bool> seleccion(const QListWidget *lb) {
    std::vector<bool> r(static_cast<size_t>(lb->count()));
    for (int i = 0; i < lb->count(); ++i)
        r[static_cast<size_t>(i)] = lb->item(i)->isSelected();
    return r;
}

void pon(QListWidget *lb, const std::vector<std::string> &items) {
    lb->clear();
    for (const std::string &s : items)
        lb->addItem(aQ(s));
}

// Moves the chosen items of one list to the top of the other.
void mueve(QListWidget *origen, QListWidget *destino, bool todos) {
    std::vector<std::string> o = TFormSeleccion::Elementos(origen), d = TFormSeleccion::Elementos(destino);
    if (todos)
        MueveTodos(o, d);
    else
        MueveElegidos(o, seleccion(origen), d);
    pon(origen, o);
    pon(destino, d);
}
} // namespace

TFormSeleccion::TFormSeleccion(QWidget *padre) : QWidget(padre) {
    auto *l = new QGridLayout(this);
    LB1 = new QListWidget(this);
    LB1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    TV1 = new QTreeWidget(this);
    TV1->setHeaderHidden(true);
    TV1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SpeedButton1 = new QPushButton(aQ(Ansi("Añadir")), this);
    SpeedButton1->setToolTip(aQ(Ansi("Añadir a la lista las personas seleccionadas")));
    SpeedButton2 = new QPushButton("Quitar", this);
    SpeedButton2->setToolTip("Quitar de la lista");
    LB2 = new QListWidget(this);
    LB2->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Button1 = new QPushButton("Listar", this);
    Button1->setToolTip("Mostrar listado");
    Button2 = new QPushButton("Cancelar", this);
    Button2->setToolTip(aQ(Ansi("Cancelar acción")));
    GroupBox1 = new QGroupBox("Tipo de listado", this);
    Opciones = new QGridLayout(GroupBox1);
    l->addWidget(TV1, 0, 0, 3, 1);
    l->addWidget(LB1, 0, 1, 3, 1);
    l->addWidget(SpeedButton1, 0, 2);
    l->addWidget(SpeedButton2, 1, 2);
    l->addWidget(LB2, 0, 3, 3, 1);
    l->addWidget(GroupBox1, 3, 0, 1, 2);
    l->addWidget(Button1, 3, 2);
    l->addWidget(Button2, 3, 3);

    connect(TV1, &QTreeWidget::currentItemChanged, this, [this] { TV1Change(); });
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });
    connect(LB1, &QListWidget::itemDoubleClicked, this, [this] { LB1DblClick(); });
    connect(LB2, &QListWidget::itemDoubleClicked, this, [this] { LB2DblClick(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

std::vector<std::string> TFormSeleccion::Elementos(const QListWidget *lb) {
    std::vector<std::string> r;
    for (int i = 0; i < lb->count(); ++i)
        r.push_back(deQ(lb->item(i)->text()));
    return r;
}

void TFormSeleccion::FormActivate() {
    TV1->clear();
    if (FormEmpresa && FormEmpresa->TV1)
        CargaArbol(TV1, LineasDeArbol(FormEmpresa->TV1));
    TV1->expandAll();
    LB1->clear();
    LB2->clear();
    std::vector<std::string> ids;
    if (IdentificadoresEmpleados(ids))
        pon(LB1, ids);
}

void TFormSeleccion::TV1Change() {
    LB1->clearSelection();
    const QTreeWidgetItem *nodo = TV1->currentItem();
    if (!nodo)
        return;
    std::vector<std::string> hijos;
    for (int i = 0; i < nodo->childCount(); ++i)
        hijos.push_back(deQ(nodo->child(i)->text(0)));
    const std::vector<bool> elegidos = ElegidosPorNodo(Elementos(LB1), deQ(nodo->text(0)), hijos);
    for (int i = 0; i < LB1->count(); ++i)
        LB1->item(i)->setSelected(elegidos[static_cast<size_t>(i)]);
}

void TFormSeleccion::SpeedButton1Click() {
    mueve(LB1, LB2, false);
}
void TFormSeleccion::SpeedButton2Click() {
    mueve(LB2, LB1, false);
}

void TFormSeleccion::Button2Click() {
    mueve(LB2, LB1, true);
    Cancelado();
    Cierra();
}

void TFormSeleccion::Cierra() {
    if (auto *s = qobject_cast<QMdiSubWindow *>(parentWidget())) {
        // The state is kept on this widget too, so showNormal() on it brings the frame back.
        setWindowState(windowState() | Qt::WindowMinimized);
        s->showMinimized();
    } else if (isVisible()) {
        showMinimized();
    }
}

void TFormSeleccion::closeEvent(QCloseEvent *e) {
    e->ignore();
    Cancelado();
    Cierra();
}

void TFormSeleccion::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    VigilaActivacion(this, [this] { FormActivate(); });
    if (!e->spontaneous())
        FormActivate();
}

void TFormSeleccion::changeEvent(QEvent *e) {
    QWidget::changeEvent(e);
    auto *s = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (s && e->type() == QEvent::WindowStateChange &&
        (static_cast<QWindowStateChangeEvent *>(e)->oldState() & Qt::WindowMinimized) &&
        !(windowState() & Qt::WindowMinimized)) {
        // Brought back by the main window's action: restored, activated and reloaded.
        if (s->isMinimized())
            s->showNormal();
        if (s->mdiArea())
            s->mdiArea()->setActiveSubWindow(s);
        FormActivate();
        return;
    }
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && !s)
        FormActivate();
}

TFormListar::TFormListar(QWidget *padre) : TFormSeleccion(padre) {
    setObjectName("FormListar");
    setWindowTitle("Presencia");
    RadioButton1 = new QRadioButton("Detallado", GroupBox1);
    RadioButton3 = new QRadioButton("Simple", GroupBox1);
    RadioButton2 = new QRadioButton("Resumen", GroupBox1);
    RadioButton1->setChecked(true);
    CheckBox1 = new QCheckBox(aQ(Ansi("Incluir Gráfico")), GroupBox1);
    CheckIncidencias = new QCheckBox("Parar si incidencia", GroupBox1);
    CheckIncidencias->setChecked(true);
    Opciones->addWidget(RadioButton1, 0, 0);
    Opciones->addWidget(RadioButton3, 1, 0);
    Opciones->addWidget(RadioButton2, 2, 0);
    Opciones->addWidget(CheckBox1, 0, 1);
    Opciones->addWidget(CheckIncidencias, 1, 1);
}

PeticionPresencia TFormListar::Peticion() const {
    PeticionPresencia p;
    p.Empleados = Elementos(LB2);
    p.TipoListado = 2 * RadioButton1->isChecked() + RadioButton3->isChecked();
    p.IncluirGrafico = CheckBox1->isChecked();
    p.PararSiIncidencia = CheckIncidencias->isChecked();
    p.ModoIncidencias = ModoIncidencias != 0;
    if (FormVelka && FormVelka->DTP1 && FormVelka->DTP2) {
        p.Desde = FormVelka->DTP1->date();
        p.Hasta = FormVelka->DTP2->date();
    }
    return p;
}

void TFormListar::Button1Click() {
    const PeticionPresencia p = Peticion();
    Cierra();
    if (EjecutaListadoPresencia)
        EjecutaListadoPresencia(p);
}

void TFormListar::Cancelado() {
    ModoIncidencias = 0;
    setWindowTitle("Presencia");
}
