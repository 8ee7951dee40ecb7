#pragma once
// Working directory with the data directory at "d", and the titles of the incidence types file.
#include "common/configuracion.h"
#include "platform/lineas.h"
#include "support/dirtemporal.h"
#include "support/respuestas.h"

#include <string>

namespace {

const std::string kTitulos = "C\xF3"
                             "digo\r\nIncidencia\r\nA cargo de\r\n";

struct EntornoIncidencias {
    DirectorioTrabajo dir;
    RespuestasPrueba respuestas;
    std::string datos = DirDatos;
    EntornoIncidencias() {
        DirDatos = "d/";
        CreaDirectorio("d");
    }
    ~EntornoIncidencias() { DirDatos = datos; }
};

} // namespace
