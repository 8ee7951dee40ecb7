#include "presence/ui/listaraccesos.h"

#include "presence/listadoaccesos.h"
#include "terminal/ui/panel.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>

std::function<void(const PeticionAccesos &)> EjecutaListadoAccesos;
QPointer<TFormAccesos> FormAccesos;

TFormAccesos::TFormAccesos(QWidget *padre) : TFormSeleccion(padre) {
    setObjectName("FormAccesos");
    setWindowTitle("Accesos");
    RadioButton1 = new QRadioButton("Por persona", GroupBox1);
    RadioButton2 = new QRadioButton("Por puerta", GroupBox1);
    RadioButton1->setChecked(true);
    Opciones->addWidget(RadioButton1, 0, 0);
    Opciones->addWidget(RadioButton2, 1, 0);
}

PeticionAccesos TFormAccesos::Peticion() const {
    return {Elementos(LB2), RadioButton1->isChecked()};
}

void TFormAccesos::Button1Click() {
    const PeticionAccesos p = Peticion();
    Cierra();
    if (EjecutaListadoAccesos)
        EjecutaListadoAccesos(p);
}

void ImprimeAccesosExecute(const PeticionAccesos &p) {
    if (!FormVelka)
        return;
    // The panel's period and terminal list are read; its controls are left as they are.
    TPeticionListadoAccesos l;
    l.Empleados = p.Empleados;
    l.PorPersona = p.PorPersona;
    l.Desde = FormVelka->DTP1->date();
    l.Hasta = FormVelka->DTP2->date();
    l.Terminales = FormVelka->ItemsAccesos();
    for (const auto &informe : InformesAccesos(l))
        informe->Muestra();
}

void RegistraListadoAccesos() {
    EjecutaListadoAccesos = ImprimeAccesosExecute;
}
