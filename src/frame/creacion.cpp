#include "frame/creacion.h"

#include "common/globales.h"
#include "frame/ChildWin.h"
#include "frame/Cifra.h"
#include "frame/Main.h"
#include "frame/TestRichEditPnPPreviewForm.h"
#include "frame/Usuarios.h"
#include "frame/about.h"
#include "frame/password.h"
#include "frame/ventanas.h"
#include "masterdata/Incidenciasorg.h"
#include "masterdata/empleadosorg.h"
#include "masterdata/empresaorg.h"
#include "masterdata/horariosorg.h"
#include "masterdata/produccionorg.h"
#include "masterdata/terminalesorg.h"
#include "presence/FicharPre.h"
#include "presence/IncidenciasEd.h"
#include "presence/Listar.h"
#include "presence/ListarAccesos.h"
#include "presence/fichainout.h"
#include "presence/fuentespresencia.h"
#include "presence/presenciainicio.h"
#include "terminal/rch.h"

void CreaVentanas() {
    // The order matters: creating the control panel loads the configuration, and later windows
    // read the grids of earlier ones.
    MainForm = new TMainForm();
    FormTerminales = new TFormTerminales(MainForm); // first instance: kept by the main window
    RegistraVentana("FormTerminales", FormTerminales);
    PWD1 = new TPWD1(MainForm);
    RegistraVentana("PWD1", PWD1);
    Ganchos::DescifraUsuarios = DescifraUsuarios;
    Ganchos::Login = Login;
    AboutBox = new TAboutBox(MainForm);
    RegistraVentana("AboutBox", AboutBox);
    FormTerminales = new TFormTerminales(MainForm);
    RegistraVentana("FormTerminales", FormTerminales);
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
    // FormProducod
    // FormFicha
    FormCIncidencias = new TFormCIncidencias(MainForm);
    RegistraVentana("FormCIncidencias", FormCIncidencias);
    FormEditaIncidencias = new TFormEditaIncidencias(MainForm);
    RegistraVentana("FormEditaIncidencias", FormEditaIncidencias);
    FormListar = new TFormListar();
    MainForm->AnadeHija(FormListar);
    RegistraVentana("FormListar", FormListar);
    FormFichar = new TFormFichar(MainForm);
    RegistraVentana("FormFichar", FormFichar);
    // FormEdProduccion
    FormUsuarios = new TFormUsuarios(MainForm);
    RegistraVentana("FormUsuarios", FormUsuarios);
    PreviewForm = new TPreviewForm(MainForm);
    RegistraVentana("PreviewForm", PreviewForm);
    Ganchos::AbreDocumento = [](const std::string &ruta) { AbreDocumento(ruta); };
    FormAccesos = new TFormAccesos();
    MainForm->AnadeHija(FormAccesos);
    RegistraVentana("FormAccesos", FormAccesos);
    // FormCamCod
    Ganchos::FichasPresentes = [](int segundos, bool forzado) { FichasPresentes(segundos, forzado); };
    Ganchos::PresenciaInicio = [] {
        if (FormVelka && EmpleadosPresencia())
            PresenciaInicio(*FormVelka, *EmpleadosPresencia());
    };
    RegistraListadoPresencia();
    MainForm->ActualizaAcciones();
}
