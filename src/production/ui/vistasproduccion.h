#pragma once
// What the production editor's period pages share: read-only fields with their captions, the
// period grids' block selection (releasing the mouse selects the whole block; the wheel does not
// scroll them) and the inputs they take from other windows.
#include "platform/stringgrid.h"
#include "terminal/listadofichajes.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class QGridLayout;
class QLineEdit;
class QWidget;
class TStringGridView;

// A read-only field with its caption, at row fila and columns col, col + 1 of the layout.
QLineEdit *CampoProduccion(QWidget *pagina, QGridLayout *l, const char *rotulo, int fila, int col);

// bloque: the rows just above and just below the selected block.
void SeleccionPorBloques(TStringGridView *vista, std::function<std::pair<int, int>()> bloque);
// Selects the rows (primera, ultima), all columns.
void SeleccionaBloque(TStringGridView *vista, int primera, int ultima);

// The terminals the production listings read: those of the panel's list but the access-only ones.
std::vector<TTerminalListado> TerminalesProduccion();
// The employees grid, for the hourly costs (nullptr while the employees window does not exist).
const StringGrid *GridEmpleados();
