#include "platform/ui/arbolwidget.h"

#include "platform/arboltexto.h"
#include "platform/codepage.h"

#include <QTreeWidget>

namespace {
void anadeItems(QTreeWidgetItem *it, const NodoArbol &n) {
    it->setText(0, aQ(n.Texto));
    for (const auto &h : n.Hijos)
        anadeItems(new QTreeWidgetItem(it), *h);
}
void lineasDeItem(const QTreeWidgetItem *it, int nivel, std::vector<std::string> &out) {
    out.push_back(std::string(static_cast<size_t>(nivel), '\t') + deQ(it->text(0)));
    for (int i = 0; i < it->childCount(); ++i)
        lineasDeItem(it->child(i), nivel + 1, out);
}
} // namespace

void CargaArbol(QTreeWidget *arbol, const std::vector<std::string> &lineas) {
    arbol->clear();
    for (const auto &r : ArbolDeLineas(lineas))
        anadeItems(new QTreeWidgetItem(arbol), *r);
}

std::vector<std::string> LineasDeArbol(const QTreeWidget *arbol) {
    std::vector<std::string> out;
    for (int i = 0; i < arbol->topLevelItemCount(); ++i)
        lineasDeItem(arbol->topLevelItem(i), 0, out);
    return out;
}

int NivelItem(const QTreeWidgetItem *item) {
    int n = 0;
    for (auto *p = item ? item->parent() : nullptr; p; p = p->parent())
        ++n;
    return n;
}
