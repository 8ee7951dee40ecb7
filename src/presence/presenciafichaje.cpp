#include "presence/presenciafichaje.h"

#include "common/configuracion.h"
#include "common/presencia.h"
#include "platform/numeros.h"
#include "terminal/fichaje.h"

#include <cctype>

std::string AnotaPresencia(const std::string &registro, const StringGrid *empleados) {
    if (!empleados || registro.size() < static_cast<size_t>(LongitudFichaje) ||
        std::isdigit(static_cast<unsigned char>(registro[OffsetPresencia])))
        return "";
    const int empleado = LeeEntero(registro.substr(OffsetEmpleado, 54));
    const int hora = LeeEntero(registro.substr(OffsetHora, 2));
    const int minuto = LeeEntero(registro.substr(OffsetMinuto, 2));
    const std::string presentes = Configuracion().DirFichajes + "presentes";
    if (AlternaPresencia(TablaPresenciaLeida, *empleados, empleado, hora, minuto) &&
        !ActualizaPresentes(presentes, TablaPresenciaLeida))
        return "ERROR: no se puede escribir la tabla de presencia " + presentes;
    return "";
}
