#include "common/globales.h"

QDateTime FechaFichaje;
unsigned char ModoIncidencias = 0;
// One name for writing and opening the incidence text (the file system tells case apart).
std::string NombreInformeIncidencias = "INCIDENCIAS.RTF";

namespace Ganchos {
std::function<void()> CargaTerminales;
std::function<void(const std::string &)> AbreDocumento;
} // namespace Ganchos
