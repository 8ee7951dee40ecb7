#include "frame/creacion.h"

#include "frame/Main.h"
#include "frame/about.h"
#include "frame/ventanas.h"
#include "terminal/rch.h"

void CreaVentanas() {
    // The order matters: creating the control panel loads the configuration, and later windows
    // read the grids of earlier ones.
    MainForm = new TMainForm();
    // FormTerminales
    // PWD1
    AboutBox = new TAboutBox(MainForm);
    RegistraVentana("AboutBox", AboutBox);
    // FormTerminales (second instance)
    FormVelka = new TFormVelka();
    MainForm->AnadeHija(FormVelka);
    RegistraVentana("FormVelka", FormVelka);
    // FormEmpresa
    // FormProduccion
    // FormEmpleados
    // FormHorarios
    // FormProducod
    // FormFicha
    // FormCIncidencias
    // FormEditaIncidencias
    // FormListar
    // FormFichar
    // FormEdProduccion
    // FormUsuarios
    // PreviewForm
    // FormAccesos
    // FormCamCod
    MainForm->ActualizaAcciones();
}
