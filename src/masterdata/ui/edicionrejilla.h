#pragma once
// Pieces shared by the small editing windows of the master data: the button row, the combo box
// placed over a grid cell, and adding and deleting grid rows.
#include "platform/stringgrid.h"

#include <initializer_list>
#include <string>
#include <vector>

class QComboBox;
class QHBoxLayout;
class QPushButton;
class QWidget;
class TStringGridView;

struct DefBoton {
    QPushButton **boton;
    const char *texto; // UTF-8 source literals
    const char *pista;
};
// A row of buttons (never the default button of the dialog), stretched at the right.
QHBoxLayout *Botonera(QWidget *padre, std::initializer_list<DefBoton> botones);

// A hidden combo box with the items, living in the grid's viewport.
QComboBox *ComboDeCelda(TStringGridView *vista, const std::vector<std::string> &items);
// Places the combo over the cell, showing the cell's text (no item when it is not one of them).
void ColocaCombo(QComboBox *cb, TStringGridView *vista, int col, int row);
// The chosen item, or the first when none is chosen.
std::string ItemElegido(const QComboBox *cb, const std::vector<std::string> &items);

// A file that exists but could not be read: tells the operator (titled titulo) and returns true, so
// that its window never saves over it; false when it was read or does not exist.
bool ArchivoIlegible(bool leido, const std::string &ruta, const std::string &titulo);
// The save refused for such a file: tells why and returns true; false when ilegible is false.
bool GuardadoRechazado(bool ilegible, const std::string &ruta, const std::string &titulo);

// Appends an empty row and selects it.
void AnadeFilaVacia(StringGrid &sg);
// Deletes the selected row while another data row remains; false when nothing was deleted.
bool BorraFilaElegida(StringGrid &sg);
