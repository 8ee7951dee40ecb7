#include "masterdata/organizacion.h"

#include "common/configuracion.h"
#include "platform/lineas.h"

#include <algorithm>

namespace {

bool contiene(const NodoArbol &n, const std::string &texto) {
    if (n.Texto == texto)
        return true;
    return std::any_of(n.Hijos.begin(), n.Hijos.end(), [&](const auto &h) { return contiene(*h, texto); });
}

// Copies the children of origen under destino, niveles levels deep.
void copiaHijos(const NodoArbol &origen, NodoArbol *destino, int niveles) {
    if (niveles <= 0)
        return;
    for (const auto &h : origen.Hijos)
        copiaHijos(*h, destino->Anade(h->Texto), niveles - 1);
}

} // namespace

bool TArbolOrganizacion::Carga(const std::string &ruta) {
    std::vector<std::string> lineas;
    if (!LeeLineas(ruta, lineas))
        return false;
    Raices = ArbolDeLineas(lineas);
    return true;
}

bool TArbolOrganizacion::Guarda(const std::string &ruta) const {
    return GuardaLineas(ruta, Lineas());
}

bool TArbolOrganizacion::Contiene(const std::string &texto) const {
    return std::any_of(Raices.begin(), Raices.end(), [&](const auto &r) { return contiene(*r, texto); });
}

NodoArbol *TArbolOrganizacion::AnadeRaiz(const std::string &texto) {
    auto n = std::make_unique<NodoArbol>();
    n->Texto = texto;
    Raices.push_back(std::move(n));
    return Raices.back().get();
}

bool TArbolOrganizacion::Elimina(const NodoArbol *nodo) {
    if (!nodo)
        return false;
    auto &hermanos = nodo->Padre ? nodo->Padre->Hijos : Raices;
    auto it = std::find_if(hermanos.begin(), hermanos.end(), [&](const auto &h) { return h.get() == nodo; });
    if (it == hermanos.end())
        return false;
    hermanos.erase(it);
    return true;
}

std::string RutaEmpresaOrg() {
    return Configuracion().DirDatos + "empresa.org";
}
std::string RutaProduccionOrg() {
    return Configuracion().DirDatos + "produccion.org";
}
std::string RutaEmpresaMin() {
    return Configuracion().DirHuellas + "empresa.min";
}

NodoArbol *NuevoGrupoEmpresa(TArbolOrganizacion &arbol, NodoArbol *sel, const std::string &nombreEmpresa) {
    return sel ? sel->Anade("NUEVO") : arbol.AnadeRaiz(nombreEmpresa);
}

bool EliminaGrupoEmpresa(TArbolOrganizacion &arbol, NodoArbol *sel) {
    return sel && sel->Padre && arbol.Elimina(sel);
}

bool AsignaEmpleado(TArbolOrganizacion &arbol, NodoArbol *sel, const std::string &texto) {
    if (!sel || arbol.Contiene(texto))
        return false;
    sel->Texto = texto;
    return true;
}

NodoArbol *NuevoNodoProduccion(TArbolOrganizacion &arbol, NodoArbol *sel) {
    if (!sel)
        return arbol.AnadeRaiz("Tipo-$4n");
    switch (sel->Nivel()) {
    case 0:
        return sel->Anade("Orden");
    case 1:
        return sel->Anade("Trabajo");
    default:
        return nullptr;
    }
}

NodoArbol *DuplicaProduccion(TArbolOrganizacion &arbol, NodoArbol *sel) {
    if (!sel)
        return nullptr;
    NodoArbol *copia = nullptr;
    switch (sel->Nivel()) {
    case 0:
        copia = arbol.AnadeRaiz(sel->Texto);
        copiaHijos(*sel, copia, 2);
        break;
    case 1:
        copia = sel->Padre->Anade(sel->Texto);
        copiaHijos(*sel, copia, 1);
        break;
    default:
        break;
    }
    return copia;
}
