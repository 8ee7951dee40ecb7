#pragma once
// Selection window of the access listing: the same lists and tree as the presence one, with
// the choice "Por persona" or "Por puerta".
#include "presence/ui/listar.h"

#include <functional>

class QRadioButton;

// What "Listar" of the access selection hands over.
struct PeticionAccesos {
    std::vector<std::string> Empleados; // LB2 items in order
    bool PorPersona = true;             // RadioButton1; otherwise "Por puerta"
};

// The access listing run by "Listar" (empty: nothing runs).
extern std::function<void(const PeticionAccesos &)> EjecutaListadoAccesos;

class TFormAccesos : public TFormSeleccion {
    Q_OBJECT
public:
    explicit TFormAccesos(QWidget *padre = nullptr);

    QRadioButton *RadioButton1 = nullptr; // "Por persona"
    QRadioButton *RadioButton2 = nullptr; // "Por puerta"

    PeticionAccesos Peticion() const;
    void Button1Click() override;
};

extern QPointer<TFormAccesos> FormAccesos;

// "Listar" of the access selection: the access listing over the period of the panel's date pickers,
// each document in a new document window.
void ImprimeAccesosExecute(const PeticionAccesos &p);
// Makes "Listar" run the access listing.
void RegistraListadoAccesos();
