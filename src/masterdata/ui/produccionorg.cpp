#include "masterdata/ui/produccionorg.h"

#include "masterdata/ui/arbolvista.h"
#include "masterdata/ui/edicionrejilla.h"
#include "platform/codepage.h"
#include "platform/dialogos.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

QPointer<TFormProduccion> FormProduccion;

TFormProduccion::TFormProduccion(QWidget *padre) : QDialog(padre) {
    setObjectName("FormProduccion");
    setWindowTitle(aQ(Ansi("Producción")));
    resize(420, 420);
    auto *l = new QVBoxLayout(this);
    l->addWidget(new QLabel(aQ(Ansi("Esquemas de producción")), this));
    TV1 = new QTreeWidget(this);
    TV1->setHeaderHidden(true);
    TV1->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    l->addWidget(TV1);
    l->addLayout(Botonera(this, {{&SpeedButton1, "Nuevo", nullptr},
                                 {&SpeedButton2, "Eliminar", nullptr},
                                 {&SpeedButton3, "Guardar", nullptr},
                                 {&Button1, "Deshacer", nullptr},
                                 {&bduplicar, "Duplicar", nullptr}}));

    connect(SpeedButton1, &QPushButton::clicked, this, &TFormProduccion::NGrupoClick);
    connect(SpeedButton2, &QPushButton::clicked, this, &TFormProduccion::SpeedButton2Click);
    connect(SpeedButton3, &QPushButton::clicked, this, [this] { SpeedButton3Click(); });
    connect(Button1, &QPushButton::clicked, this, &TFormProduccion::Button1Click);
    connect(bduplicar, &QPushButton::clicked, this, &TFormProduccion::bduplicarClick);
    connect(TV1, &QTreeWidget::itemDoubleClicked, this, &TFormProduccion::TV1DblClick);
    FormCreate();
}

void TFormProduccion::FormCreate() {
    ilegible_ = ArchivoIlegible(Arbol.Carga(RutaProduccionOrg()), RutaProduccionOrg(), Ansi("Producción"));
    MuestraArbol(TV1, Arbol);
}

void TFormProduccion::NGrupoClick() {
    QTreeWidgetItem *sel = ItemSeleccionado(TV1);
    if (NodoArbol *nuevo = NuevoNodoProduccion(Arbol, NodoDe(sel)))
        AnadeItem(TV1, sel, nuevo);
    if (sel)
        ExpandeTodo(sel);
}

void TFormProduccion::SpeedButton2Click() {
    QTreeWidgetItem *sel = ItemSeleccionado(TV1);
    if (Arbol.Elimina(NodoDe(sel)))
        delete sel;
}

bool TFormProduccion::SpeedButton3Click() {
    const std::string ruta = RutaProduccionOrg();
    if (GuardadoRechazado(ilegible_, ruta, Ansi("Producción")))
        return false;
    if (Arbol.Guarda(ruta))
        return true;
    Dialogos::Error("No se pudo guardar el archivo " + ruta);
    return false;
}

void TFormProduccion::Button1Click() {
    if (Arbol.Carga(RutaProduccionOrg())) {
        ilegible_ = false;
        MuestraArbol(TV1, Arbol);
    }
}

void TFormProduccion::bduplicarClick() {
    QTreeWidgetItem *sel = ItemSeleccionado(TV1);
    NodoArbol *copia = DuplicaProduccion(Arbol, NodoDe(sel));
    if (copia)
        AnadeItem(TV1, copia->Padre ? sel->parent() : nullptr, copia);
}

void TFormProduccion::TV1DblClick() {
    TV1->clearSelection();
    TV1->setCurrentItem(nullptr);
}
