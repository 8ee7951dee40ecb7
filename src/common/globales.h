#pragma once
// Program state still shared between windows, without one owner: the day the incidence editor and
// the manual clocking open at (set by the main window and by the presence run), the incidence mode
// of the presence listing (set by the main window's menu, cleared by the run and by the window),
// and the hooks between windows of different layers that the composition root or the control panel
// installs.
#include <QDateTime>
#include <functional>
#include <string>

extern QDateTime FechaFichaje;
extern unsigned char ModoIncidencias;
extern std::string NombreInformeIncidencias;

namespace Ganchos {
// Rebuilds the terminal tables and links from the terminals grid (control panel).
extern std::function<void()> CargaTerminales;
// Opens a saved report in a document window.
extern std::function<void(const std::string &)> AbreDocumento;
} // namespace Ganchos
