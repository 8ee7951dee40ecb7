#pragma once
// Program state shared between windows (owned by the main window's unit).
#include <QDateTime>
#include <functional>
#include <string>
#include <vector>

extern int NivelUsuario;            // 1..6 once logged in; 0 before
extern unsigned char PresenciaActiva; // the presence monitor may refresh
extern int CuentaPresencia;         // seconds to the next presence refresh
extern std::vector<std::string> ListaUsuarios;  // deciphered users-file fields, three per record
extern std::vector<std::string> LineasUsuarios; // users-file lines as stored
extern std::string NombreEmpresa;
extern std::string ClaveUsuarios;
extern QDateTime FechaFichaje;
extern QDateTime FechaFichajeFin;
extern std::string EmpleadoFichaje;
extern std::string CodigoFichaje;
extern unsigned char ModoIncidencias;
extern std::string NombreInformeIncidencias;

// Hooks through which the main window reaches subsystems built on top of the frame.
namespace Ganchos {
// Deciphers LineasUsuarios into ListaUsuarios, NombreEmpresa and ClaveUsuarios.
extern std::function<void()> DescifraUsuarios;
// Login with three tries and the rights of the level; false ends the program.
extern std::function<bool()> Login;
// Presence monitor refresh (display seconds, forced).
extern std::function<void(int, bool)> FichasPresentes;
// Start-up presence build of the master station (fills TablaPresencia from the day's clockings).
extern std::function<void()> PresenciaInicio;
// Rebuilds the terminal tables and links from the terminals grid (control panel).
extern std::function<void()> CargaTerminales;
// Opens a saved report in a document window.
extern std::function<void(const std::string &)> AbreDocumento;
} // namespace Ganchos
