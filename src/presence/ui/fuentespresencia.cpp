#include "presence/ui/fuentespresencia.h"

#include "common/configuracion.h"
#include "common/globales.h"
#include "masterdata/ui/empleadosorg.h"
#include "masterdata/ui/horariosorg.h"
#include "masterdata/ui/incidenciasorg.h"
#include "platform/reloj.h"
#include "platform/ui/ventanas.h"
#include "presence/ejecucionpresencia.h"
#include "presence/ui/incidenciased.h"
#include "terminal/ui/panel.h"

#include <optional>

namespace {

TVentanasPresencia ventanas() {
    TVentanasPresencia v;
    v.EditaIncidencias = [](const std::string &empleado, const QDate &dia) {
        FechaFichaje = QDateTime(dia, QTime(0, 0));
        if (FormEditaIncidencias)
            FormEditaIncidencias->EmpleadoPedido = empleado;
        MuestraModal("FormEditaIncidencias");
    };
    v.AbreDocumento = [](const std::string &ruta) {
        Espera(1000);
        if (Ganchos::AbreDocumento)
            Ganchos::AbreDocumento(ruta);
    };
    return v;
}

} // namespace

void ImprimePre1Execute(const PeticionPresencia &p) {
    TEntradaPresencia in;
    in.Peticion = p;
    if (FormHorarios) {
        in.Maestros.Tipos = TiposHoraDeRejilla(FormHorarios->SG3);
        in.Maestros.Horarios = HorariosDeRejilla(FormHorarios->SG1);
    }
    in.Empleados = FormEmpleados ? &FormEmpleados->SG1 : nullptr;
    in.TiposIncidencia = FormCIncidencias ? &FormCIncidencias->SG1 : nullptr;
    in.Opciones.MinutosRedondeoExtras = Configuracion().MinutosRedondeoExtras;
    in.Opciones.MinutosExtraGratis = Configuracion().MinutosExtraGratis;
    std::optional<TOrigenFichajes> origen;
    if (FormVelka)
        origen = TOrigenFichajes{FormVelka->TerminalesPresencia(), FormVelka->UltimoListado.Columnas};
    TEjecucionPresencia(std::move(in), std::move(origen), ventanas()).Ejecuta();
}

void RegistraListadoPresencia() {
    EjecutaListadoPresencia = ImprimePre1Execute;
}
