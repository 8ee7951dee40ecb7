#include "presence/ui/presenciainicio.h"

#include "common/presencia.h"
#include "masterdata/ui/empleadosorg.h"
#include "platform/codepage.h"
#include "platform/reloj.h"
#include "terminal/entradasalida.h"
#include "terminal/listadofichajes.h"
#include "terminal/ui/paginafichajes.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>

const StringGrid *EmpleadosPresencia() {
    return FormEmpleados ? &FormEmpleados->SG1 : nullptr;
}

void PresenciaInicio(TPaginaFichajes &panel, const StringGrid &empleados) {
    LecturaExterna = 1;
    const QDate hoy = Ahora().date();
    panel.DTP1->setDate(hoy);
    panel.DTP2->setDate(hoy);
    panel.RadioButton2->setChecked(true);
    panel.RadioButton3->setChecked(true);
    const int ultima = std::min(empleados.RowCount() - 1, PlazasPresencia);
    for (int i = 1; i <= ultima; ++i) {
        panel.EDBusca->setText(aQ(empleados.Celda(0, i)));
        panel.BListarClick();
        TRegistroPresencia &r = TablaPresencia[0];
        r.SiguienteFila = 1;
        r.Presente = 0;
        int horaSalida = 100, minutoSalida = 0;
        int inicio;
        do {
            inicio = r.SiguienteFila;
            ModoLecturaFichajes = 0;
            r = BuscaEntradaSalida(panel.SGFichajes, TPeticionLectura{hoy, inicio, 0});
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
    LecturaExterna = 0;
}
