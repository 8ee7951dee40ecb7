#pragma once
// Tree views kept as text: a QTreeWidget loaded from TAB-indented lines and saved back as lines.
#include <string>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

// Loads a tree view from lines, and saves it back as lines (TAB-indented, Windows-1252).
void CargaArbol(QTreeWidget *arbol, const std::vector<std::string> &lineas);
std::vector<std::string> LineasDeArbol(const QTreeWidget *arbol);
int NivelItem(const QTreeWidgetItem *item);
