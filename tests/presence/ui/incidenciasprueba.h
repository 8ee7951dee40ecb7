#pragma once
// The incidence editor's working directory: incidence types, two employees, one incidence of
// 2011 and the clock at 10 March 2011.
#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "masterdata/empleados.h"
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "platform/reloj.h"
#include "support/dirtemporal.h"

namespace {
struct Entorno {
    DirectorioTrabajo dir;
    Entorno() {
        CreaDirectorio("datos/");
        AjustesPrueba().DirDatos = "datos/";
        GuardaLineas("datos/incidencias.dat", {Ansi("Código"), "Incidencia", "A cargo de", "3", "Vacaciones",
                                               "Empresa", "5", "Falta", "Trabajador"});
        std::vector<std::string> l{"7 Dure"};
        l.resize(static_cast<size_t>(LineasPorEmpleado));
        l.push_back("12 Ana");
        l.resize(2 * static_cast<size_t>(LineasPorEmpleado));
        GuardaLineas("datos/empleados.dat", l);
        Escribe("datos/incidencias.2011", "02/03/2011 00:00\r\n7 Dure\r\n3 Vacaciones *Empresa\r\n");
        FijaReloj([] { return QDateTime(QDate(2011, 3, 10), QTime(9, 0)); });
    }
    ~Entorno() { FijaReloj(nullptr); }
};
} // namespace
