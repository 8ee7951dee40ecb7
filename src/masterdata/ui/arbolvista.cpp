#include "masterdata/ui/arbolvista.h"

#include "platform/codepage.h"

#include <QTreeWidget>

namespace {
constexpr int RolNodo = Qt::UserRole + 1;

void recorre(QTreeWidgetItem *it, const std::function<void(QTreeWidgetItem *)> &f) {
    f(it);
    for (int i = 0; i < it->childCount(); ++i)
        recorre(it->child(i), f);
}
} // namespace

void MuestraArbol(QTreeWidget *tv, TArbolOrganizacion &arbol) {
    tv->blockSignals(true);
    tv->clear();
    for (auto &r : arbol.Raices)
        AnadeItem(tv, nullptr, r.get());
    tv->blockSignals(false);
    if (!tv->property("vkConectado").toBool()) {
        tv->setProperty("vkConectado", true);
        QObject::connect(tv, &QTreeWidget::itemChanged, tv, [](QTreeWidgetItem *it, int) {
            if (NodoArbol *n = NodoDe(it))
                n->Texto = deQ(it->text(0));
        });
    }
}

QTreeWidgetItem *AnadeItem(QTreeWidget *tv, QTreeWidgetItem *padre, NodoArbol *nodo) {
    const bool bloqueado = tv->blockSignals(true);
    auto *it = padre ? new QTreeWidgetItem(padre) : new QTreeWidgetItem(tv);
    it->setText(0, aQ(nodo->Texto));
    it->setData(0, RolNodo, QVariant::fromValue(reinterpret_cast<quintptr>(nodo)));
    it->setFlags(it->flags() | Qt::ItemIsEditable);
    for (auto &h : nodo->Hijos)
        AnadeItem(tv, it, h.get());
    tv->blockSignals(bloqueado);
    return it;
}

NodoArbol *NodoDe(const QTreeWidgetItem *item) {
    return item ? reinterpret_cast<NodoArbol *>(item->data(0, RolNodo).value<quintptr>()) : nullptr;
}

QTreeWidgetItem *ItemSeleccionado(const QTreeWidget *tv) {
    const auto sel = tv->selectedItems();
    return sel.isEmpty() ? nullptr : sel.first();
}

void ExpandeTodo(QTreeWidgetItem *item) {
    recorre(item, [](QTreeWidgetItem *it) { it->setExpanded(true); });
}

void RecorreItems(QTreeWidget *tv, const std::function<void(QTreeWidgetItem *)> &f) {
    for (int i = 0; i < tv->topLevelItemCount(); ++i)
        recorre(tv->topLevelItem(i), f);
}
