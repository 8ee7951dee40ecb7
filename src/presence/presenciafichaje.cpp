#include "presence/presenciafichaje.h"

#include "common/configuracion.h"
#include "common/presencia.h"
#include "platform/numeros.h"
#include "terminal/entradasalida.h"
#include "terminal/fichaje.h"

#include <algorithm>
#include <cctype>

void PresenciaInicio(const std::vector<TTerminalListado> &terminales, const StringGrid &empleados,
                     const QDate &hoy) {
    TPeticionListado p;
    p.Desde = hoy;
    p.Hasta = hoy;
    p.Terminales = terminales;
    p.Tipo = ListadoPresencia;
    p.Externa = true;
    StringGrid fichajes;
    TColumnasFichajes columnas;
    const int ultima = std::min(empleados.RowCount() - 1, PlazasPresencia);
    for (int i = 1; i <= ultima; ++i) {
        p.Busca = empleados.Celda(0, i);
        columnas = ListaFichajes(p, fichajes, columnas).Columnas;
        TRegistroPresencia &r = TablaPresencia[0];
        r.SiguienteFila = 1;
        r.Presente = 0;
        int horaSalida = 100, minutoSalida = 0;
        int inicio;
        do {
            inicio = r.SiguienteFila;
            r = BuscaEntradaSalida(fichajes, columnas, TPeticionLectura{hoy, inicio, 0});
            if (r.HoraSalida != 100) {
                horaSalida = r.HoraSalida;
                minutoSalida = r.MinutoSalida;
            }
        } while (r.SiguienteFila > inicio && !r.Presente);
        r.HoraSalida = static_cast<uint16_t>(horaSalida);
        r.MinutoSalida = static_cast<uint16_t>(minutoSalida);
        TablaPresencia[i] = r;
        TablaPresenciaLeida[i] = r;
    }
}

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
