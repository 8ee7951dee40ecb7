#pragma once
// Trees kept as text: one node per line, depth given by leading TAB characters.
#include <memory>
#include <string>
#include <vector>

struct NodoArbol {
    std::string Texto;
    NodoArbol *Padre = nullptr;
    std::vector<std::unique_ptr<NodoArbol>> Hijos;
    NodoArbol *Anade(const std::string &texto);
    int Nivel() const; // 0 for a top-level node
};

// The roots of a tree read from lines; a line indented deeper than one level below its
// predecessor hangs from the deepest node available.
std::vector<std::unique_ptr<NodoArbol>> ArbolDeLineas(const std::vector<std::string> &lineas);
std::vector<std::string> LineasDeArbol(const std::vector<std::unique_ptr<NodoArbol>> &raices);
