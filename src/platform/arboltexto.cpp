#include "platform/arboltexto.h"

#include "platform/codepage.h"

#include <QTreeWidget>

NodoArbol *NodoArbol::Anade(const std::string &texto) {
    auto n = std::make_unique<NodoArbol>();
    n->Texto = texto;
    n->Padre = this;
    Hijos.push_back(std::move(n));
    return Hijos.back().get();
}

int NodoArbol::Nivel() const {
    int n = 0;
    for (const NodoArbol *p = Padre; p; p = p->Padre)
        ++n;
    return n;
}

namespace {
size_t tabs(const std::string &l) {
    size_t n = 0;
    while (n < l.size() && l[n] == '\t')
        ++n;
    return n;
}
void lineasDe(const NodoArbol &n, int nivel, std::vector<std::string> &out) {
    out.push_back(std::string(static_cast<size_t>(nivel), '\t') + n.Texto);
    for (const auto &h : n.Hijos)
        lineasDe(*h, nivel + 1, out);
}
void lineasDeItem(const QTreeWidgetItem *it, int nivel, std::vector<std::string> &out) {
    out.push_back(std::string(static_cast<size_t>(nivel), '\t') + deQ(it->text(0)));
    for (int i = 0; i < it->childCount(); ++i)
        lineasDeItem(it->child(i), nivel + 1, out);
}
} // namespace

std::vector<std::unique_ptr<NodoArbol>> ArbolDeLineas(const std::vector<std::string> &lineas) {
    std::vector<std::unique_ptr<NodoArbol>> raices;
    std::vector<NodoArbol *> pila; // pila[k] = last node at depth k
    for (const auto &l : lineas) {
        if (l.find_first_not_of(" \t") == std::string::npos)
            continue;
        size_t nivel = tabs(l);
        std::string texto = l.substr(nivel);
        if (nivel > pila.size())
            nivel = pila.size();
        NodoArbol *n;
        if (nivel == 0) {
            auto r = std::make_unique<NodoArbol>();
            r->Texto = texto;
            raices.push_back(std::move(r));
            n = raices.back().get();
        } else {
            n = pila[nivel - 1]->Anade(texto);
        }
        pila.resize(nivel);
        pila.push_back(n);
    }
    return raices;
}

std::vector<std::string> LineasDeArbol(const std::vector<std::unique_ptr<NodoArbol>> &raices) {
    std::vector<std::string> out;
    for (const auto &r : raices)
        lineasDe(*r, 0, out);
    return out;
}

void CargaArbol(QTreeWidget *arbol, const std::vector<std::string> &lineas) {
    arbol->clear();
    std::vector<QTreeWidgetItem *> pila;
    for (const auto &l : lineas) {
        if (l.find_first_not_of(" \t") == std::string::npos)
            continue;
        size_t nivel = tabs(l);
        if (nivel > pila.size())
            nivel = pila.size();
        QTreeWidgetItem *it;
        if (nivel == 0)
            it = new QTreeWidgetItem(arbol);
        else
            it = new QTreeWidgetItem(pila[nivel - 1]);
        it->setText(0, aQ(l.substr(tabs(l))));
        pila.resize(nivel);
        pila.push_back(it);
    }
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
