#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "masterdata/ui/empleadosorg.h"
#include "masterdata/ui/empresaorg.h"
#include "masterdata/ui/horariosorg.h"
#include "masterdata/ui/incidenciasorg.h"
#include "masterdata/ui/produccionorg.h"
#include "masterdata/ui/terminalesorg.h"
#include "platform/lineas.h"

#include "support/dirtemporal.h"
#include "support/fallosdisco.h"
#include "support/respuestas.h"

#include <functional>
#include <gtest/gtest.h>

// A master-data file that exists but cannot be read is never saved over by its window.
TEST(ArchivosIlegibles, LaVentanaAvisaYNoGuardaEncima) {
    struct Caso {
        const char *archivo;
        std::function<bool()> abreYGuarda;
    };
    const Caso casos[] = {
        {"empleados.dat", [] { return TFormEmpleados().BGuarClick(); }},
        {"empresa.org", [] { return TFormEmpleados().BGuarClick(); }},
        {"empresa.org", [] { return TFormEmpresa().botonrecClick(); }},
        {"produccion.org", [] { return TFormProduccion().SpeedButton3Click(); }},
        {"terminales.dat", [] { return TFormTerminales().botonrecClick(); }},
        {"incidencias.dat", [] { return TFormCIncidencias().botonrecClick(); }},
        {"horarios.def", [] { return TFormHorarios().SpeedButton5Click(); }},
        {"horarios.dat", [] { return TFormHorarios().botonrecClick(); }},
        {"calendarios.dat", [] { return TFormHorarios().SBG2Click(); }},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.archivo);
        DirectorioTrabajo dir;
        RespuestasPrueba respuestas;
        TRestauraAjustes ajustes;
        Escribe("velkatron.ini", "[config]\r\ndatos=d\r\n");
        CreaDirectorio("d");
        AjustesPrueba().DirDatos = "d/";
        Escribe("d/empresa.org", "Empresa\r\n\t7 Ana\r\n");
        const std::string ruta = std::string("d/") + c.archivo;
        const std::string datos = "datos que no se pueden leer\r\n";
        Escribe(ruta, datos);
        {
            SinLectura sin(ruta);
            EXPECT_FALSE(c.abreYGuarda());
        }
        EXPECT_EQ(Contenido(ruta), datos);
        const std::string aviso = respuestas.Mensajes.empty() ? "" : respuestas.Mensajes.back().texto;
        EXPECT_NE(aviso.find("No se puede leer " + ruta), std::string::npos) << aviso;
    }
}
