#include "masterdata/ui/empresaorg.h"

#include "common/registromin.h"
#include "common/sesion.h"
#include "masterdata/ui/arbolvista.h"
#include "masterdata/ui/edicionrejilla.h"
#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/ui/ventanas.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>

QPointer<TFormEmpresa> FormEmpresa;

TFormEmpresa::TFormEmpresa(QWidget *padre) : QDialog(padre) {
    setObjectName("FormEmpresa");
    setWindowTitle("Empresa");
    resize(640, 420);
    auto *l = new QGridLayout(this);
    l->addWidget(new QLabel("Organigrama de la empresa", this), 0, 0);
    l->addWidget(new QLabel("Empresa.min", this), 0, 1);
    TV1 = new QTreeWidget(this);
    TV1->setHeaderHidden(true);
    l->addWidget(TV1, 1, 0);
    LB1 = new QListWidget(this);
    l->addWidget(LB1, 1, 1);
    l->addLayout(Botonera(this, {{&SpeedButton1, "Nuevo", nullptr},
                                 {&SpeedButton2, "Eliminar", nullptr},
                                 {&botonrec, "Guardar", nullptr},
                                 {&Button4, "Deshacer", nullptr},
                                 {&SpeedButton3, "Usuarios de Rondal", nullptr}}),
                 2, 0, 1, 2);

    connect(SpeedButton1, &QPushButton::clicked, this, &TFormEmpresa::NGrupoClick);
    connect(SpeedButton2, &QPushButton::clicked, this, &TFormEmpresa::SpeedButton2Click);
    connect(botonrec, &QPushButton::clicked, this, [this] { botonrecClick(); });
    connect(Button4, &QPushButton::clicked, this, &TFormEmpresa::Button4Click);
    connect(SpeedButton3, &QPushButton::clicked, this, &TFormEmpresa::SpeedButton3Click);
    connect(LB1, &QListWidget::itemDoubleClicked, this, [this] { LB1DblClick(); });
    connect(TV1, &QTreeWidget::itemChanged, this, [this] { resalta(); });
    FormCreate();
}

void TFormEmpresa::FormCreate() {
    ilegible_ = ArchivoIlegible(Arbol.Carga(RutaEmpresaOrg()), RutaEmpresaOrg(), "Empresa");
    MuestraArbol(TV1, Arbol);
    resalta();
}

bool TFormEmpresa::event(QEvent *e) {
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(e);
}

void TFormEmpresa::FormActivate() {
    ListaEmpresa = TextosListaMin(RutaEmpresaMin());
    LB1->clear();
    for (const auto &t : ListaEmpresa)
        LB1->addItem(aQ(t));
    resalta();
}

void TFormEmpresa::NGrupoClick() {
    QTreeWidgetItem *sel = ItemSeleccionado(TV1);
    NodoArbol *nuevo = NuevoGrupoEmpresa(Arbol, NodoDe(sel), Sesion().NombreEmpresa);
    AnadeItem(TV1, sel, nuevo);
    if (sel)
        ExpandeTodo(sel);
    resalta();
}

void TFormEmpresa::SpeedButton2Click() {
    QTreeWidgetItem *sel = ItemSeleccionado(TV1);
    if (EliminaGrupoEmpresa(Arbol, NodoDe(sel)))
        delete sel;
    resalta();
}

bool TFormEmpresa::botonrecClick() {
    const std::string ruta = RutaEmpresaOrg();
    if (GuardadoRechazado(ilegible_, ruta, "Empresa"))
        return false;
    if (!Arbol.Guarda(ruta)) {
        Dialogos::Error("No se pudo guardar el archivo " + ruta);
        return false;
    }
    accept();
    return true;
}

void TFormEmpresa::Button4Click() {
    if (Arbol.Carga(RutaEmpresaOrg())) {
        ilegible_ = false;
        MuestraArbol(TV1, Arbol);
    }
    resalta();
}

void TFormEmpresa::SpeedButton3Click() {
    MuestraModal("FormUsuarios");
}

void TFormEmpresa::LB1DblClick() {
    const int i = LB1->currentRow();
    if (i < 0 || i >= static_cast<int>(ListaEmpresa.size()))
        return;
    QTreeWidgetItem *sel = ItemSeleccionado(TV1);
    const std::string &texto = ListaEmpresa[static_cast<size_t>(i)];
    if (AsignaEmpleado(Arbol, NodoDe(sel), texto)) {
        const bool b = TV1->blockSignals(true);
        sel->setText(0, aQ(texto));
        TV1->blockSignals(b);
    }
    resalta();
}

void TFormEmpresa::resalta() {
    const bool b = TV1->blockSignals(true);
    RecorreItems(TV1, [this](QTreeWidgetItem *it) {
        NodoArbol *n = NodoDe(it);
        const bool enLista =
            n && std::find(ListaEmpresa.begin(), ListaEmpresa.end(), n->Texto) != ListaEmpresa.end();
        it->setForeground(0, enLista ? QBrush(Qt::white) : QBrush());
        it->setBackground(0, enLista ? QBrush(Qt::blue) : QBrush());
    });
    TV1->blockSignals(b);
    for (int i = 0; i < LB1->count() && i < static_cast<int>(ListaEmpresa.size()); ++i)
        LB1->item(i)->setForeground(Arbol.Contiene(ListaEmpresa[static_cast<size_t>(i)]) ? QBrush(Qt::blue)
                                                                                         : QBrush());
}
