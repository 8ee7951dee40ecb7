#include "presence/ui/presenciainicio.h"

#include "masterdata/ui/empleadosorg.h"

const StringGrid *EmpleadosPresencia() {
    return FormEmpleados ? &FormEmpleados->SG1 : nullptr;
}
