#include "common/globales.h"

int NivelUsuario = 0;
unsigned char PresenciaActiva = 0;
int CuentaPresencia = -1;
std::vector<std::string> ListaUsuarios;
std::vector<std::string> LineasUsuarios;
std::string NombreEmpresa;
std::string ClaveUsuarios;
QDateTime FechaFichaje;
QDateTime FechaFichajeFin;
std::string EmpleadoFichaje;
std::string CodigoFichaje;
unsigned char ModoIncidencias = 0;
// One name for writing and opening the incidence text (the file system tells case apart).
std::string NombreInformeIncidencias = "INCIDENCIAS.RTF";

namespace Ganchos {
std::function<void()> DescifraUsuarios;
std::function<bool()> Login;
std::function<void(int, bool)> FichasPresentes;
std::function<void()> PresenciaInicio;
std::function<void()> CargaTerminales;
std::function<void(const std::string &)> AbreDocumento;
} // namespace Ganchos
