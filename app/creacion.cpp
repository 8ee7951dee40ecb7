#include "app/creacion.h"

#include "common/configuracion.h"
#include "common/globales.h"
#include "frame/about.h"
#include "frame/cifra.h"
#include "frame/documento.h"
#include "frame/password.h"
#include "frame/previsualizacion.h"
#include "frame/principal.h"
#include "frame/usuarios.h"
#include "masterdata/ui/empleadosorg.h"
#include "masterdata/ui/empresaorg.h"
#include "masterdata/ui/ficha.h"
#include "masterdata/ui/horariosorg.h"
#include "masterdata/ui/incidenciasorg.h"
#include "masterdata/ui/produccionorg.h"
#include "masterdata/ui/terminalesorg.h"
#include "platform/informe.h"
#include "platform/reloj.h"
#include "platform/ui/dialogosqt.h"
#include "platform/ui/ventanas.h"
#include "presence/presenciafichaje.h"
#include "presence/ui/fichainout.h"
#include "presence/ui/ficharpre.h"
#include "presence/ui/fuentespresencia.h"
#include "presence/ui/incidenciased.h"
#include "presence/ui/listar.h"
#include "presence/ui/listaraccesos.h"
#include "presence/ui/presenciainicio.h"
#include "production/ui/edproduccion.h"
#include "production/ui/producod.h"
#include "terminal/guardafichaje.h"
#include "terminal/ui/camcod.h"
#include "terminal/ui/panel.h"

#include <QMdiSubWindow>

namespace {
// What lower layers ask of upper ones, answered here.
void InstalaGanchos() {
    Dialogos::UsaDialogosQt();
    FijaMarco([](QWidget *w) -> QMdiSubWindow * { return MainForm ? MainForm->AnadeHija(w) : nullptr; });
    FijaVisorInformes([](TInformeRTF &informe) { MuestraInforme(std::move(informe)); });
    FijaTerminalesListados(
        [] { return FormVelka ? FormVelka->Enlaces.TextosTerminales : std::vector<std::string>{}; });
    FijaFichajeGuardado([](const std::string &r) { return AnotaPresencia(r, EmpleadosPresencia()); });
}
} // namespace

void CreaVentanas() {
    InstalaGanchos();
    // The order matters: the configuration is read just before the control panel is created, and
    // later windows read the grids of earlier ones.
    MainForm = new TMainForm();
    FormTerminales = new TFormTerminales(MainForm); // first instance: kept by the main window
    RegistraVentana("FormTerminales", FormTerminales);
    PWD1 = new TPWD1(MainForm);
    RegistraVentana("PWD1", PWD1);
    MainForm->GanchosPrincipal.DescifraUsuarios = DescifraUsuarios;
    MainForm->GanchosPrincipal.Login = Login;
    AboutBox = new TAboutBox(MainForm);
    RegistraVentana("AboutBox", AboutBox);
    FormTerminales = new TFormTerminales(MainForm);
    RegistraVentana("FormTerminales", FormTerminales);
    CambiaConfiguracion() = LeeConfiguracion();
    FormVelka = new TFormVelka();
    MainForm->AnadeHija(FormVelka);
    RegistraVentana("FormVelka", FormVelka);
    FormEmpresa = new TFormEmpresa(MainForm);
    RegistraVentana("FormEmpresa", FormEmpresa);
    FormProduccion = new TFormProduccion(MainForm);
    RegistraVentana("FormProduccion", FormProduccion);
    FormEmpleados = new TFormEmpleados(MainForm);
    RegistraVentana("FormEmpleados", FormEmpleados);
    FormHorarios = new TFormHorarios(MainForm);
    RegistraVentana("FormHorarios", FormHorarios);
    FormProducod = new TFormProducod(MainForm);
    RegistraVentana("FormProducod", FormProducod);
    FormFicha = new TFormFicha(MainForm);
    RegistraVentana("FormFicha", FormFicha);
    FormCIncidencias = new TFormCIncidencias(MainForm);
    RegistraVentana("FormCIncidencias", FormCIncidencias);
    FormEditaIncidencias = new TFormEditaIncidencias(MainForm);
    RegistraVentana("FormEditaIncidencias", FormEditaIncidencias);
    FormListar = new TFormListar();
    MainForm->AnadeHija(FormListar)->hide(); // shown by its action
    RegistraVentana("FormListar", FormListar);
    FormFichar = new TFormFichar(MainForm);
    RegistraVentana("FormFichar", FormFichar);
    FormEdProduccion = new TFormEdProduccion();
    MainForm->AnadeHija(FormEdProduccion)->hide(); // shown by its action
    RegistraVentana("FormEdProduccion", FormEdProduccion);
    FormUsuarios = new TFormUsuarios(MainForm);
    RegistraVentana("FormUsuarios", FormUsuarios);
    PreviewForm = new TPreviewForm(MainForm);
    RegistraVentana("PreviewForm", PreviewForm);
    Ganchos::AbreDocumento = [](const std::string &ruta) { AbreDocumento(ruta); };
    FormAccesos = new TFormAccesos();
    MainForm->AnadeHija(FormAccesos)->hide(); // shown by its action
    RegistraVentana("FormAccesos", FormAccesos);
    FormCamCod = new TFormCamCod(MainForm);
    RegistraVentana("FormCamCod", FormCamCod);
    MainForm->GanchosPrincipal.FichasPresentes = [](int segundos, bool forzado) {
        FichasPresentes(segundos, forzado);
    };
    MainForm->GanchosPrincipal.PresenciaInicio = [] {
        if (!FormVelka || !EmpleadosPresencia())
            return;
        // The panel shows the day that start-up lists; the table is built from its terminals.
        FormVelka->MuestraHoy();
        PresenciaInicio(FormVelka->TerminalesPresencia(), *EmpleadosPresencia(), Ahora().date());
    };
    RegistraListadoPresencia();
    RegistraListadoAccesos();
    MainForm->ActualizaAcciones();
}
