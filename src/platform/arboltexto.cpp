#include "platform/arboltexto.h"

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
