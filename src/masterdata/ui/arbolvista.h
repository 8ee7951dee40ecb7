#pragma once
// Shows a TArbolOrganizacion in a QTreeWidget: every item carries its node, and a text edited in
// the view goes back into the node.
#include "masterdata/organizacion.h"

#include <functional>

class QTreeWidget;
class QTreeWidgetItem;

// Rebuilds the view from the tree and keeps node texts in step with in-place edits.
void MuestraArbol(QTreeWidget *tv, TArbolOrganizacion &arbol);
// Adds an item (and items for the node's subtree) under padre, or as a top-level item.
QTreeWidgetItem *AnadeItem(QTreeWidget *tv, QTreeWidgetItem *padre, NodoArbol *nodo);
NodoArbol *NodoDe(const QTreeWidgetItem *item);
// The selected item, nullptr when none.
QTreeWidgetItem *ItemSeleccionado(const QTreeWidget *tv);
void ExpandeTodo(QTreeWidgetItem *item);
// Calls f for every item of the view.
void RecorreItems(QTreeWidget *tv, const std::function<void(QTreeWidgetItem *)> &f);
