#pragma once
// Working directory with the data directory at "d", and the titles of the incidence types file.
#include "common/ajustesprueba.h"
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
    TRestauraAjustes ajustes;
    EntornoIncidencias() {
        AjustesPrueba().DirDatos = "d/";
        CreaDirectorio("d");
    }
};

} // namespace
