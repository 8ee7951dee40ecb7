#pragma once
// The organisation trees "empresa.org" (groups and employees) and "produccion.org" (order type,
// part, task), and the editing rules of their windows.
#include "platform/arboltexto.h"

#include <memory>
#include <string>
#include <vector>

class TArbolOrganizacion {
public:
    std::vector<std::unique_ptr<NodoArbol>> Raices;

    // Reads the file; false (tree left as it was) when it cannot be read.
    bool Carga(const std::string &ruta);
    bool Guarda(const std::string &ruta) const;
    std::vector<std::string> Lineas() const { return LineasDeArbol(Raices); }

    bool Contiene(const std::string &texto) const;
    NodoArbol *AnadeRaiz(const std::string &texto);
    // Removes a node with its subtree; false when it is not in the tree.
    bool Elimina(const NodoArbol *nodo);
};

std::string RutaEmpresaOrg();    // DirDatos + "empresa.org"
std::string RutaProduccionOrg(); // DirDatos + "produccion.org"
std::string RutaEmpresaMin();    // DirHuellas + "empresa.min"

// Company tree. New group: a "NUEVO" child of the selection, or a root named after the company.
NodoArbol *NuevoGrupoEmpresa(TArbolOrganizacion &arbol, NodoArbol *sel, const std::string &nombreEmpresa);
// Roots are never deleted.
bool EliminaGrupoEmpresa(TArbolOrganizacion &arbol, NodoArbol *sel);
// The selected node takes the list text, unless some node already has it.
bool AsignaEmpleado(TArbolOrganizacion &arbol, NodoArbol *sel, const std::string &texto);

// Production tree. New node by the selection's level: order type, part, task; none below.
NodoArbol *NuevoNodoProduccion(TArbolOrganizacion &arbol, NodoArbol *sel);
// Copies an order type (two levels below it) or a part (with its tasks) at the end of its
// parent; a task is not copied. Returns the copy.
NodoArbol *DuplicaProduccion(TArbolOrganizacion &arbol, NodoArbol *sel);
