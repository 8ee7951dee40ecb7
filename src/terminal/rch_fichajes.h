#pragma once
// The "Fichajes" page of the control panel: the clockings listing controls and grid.
#include "platform/stringgrid.h"

class QDateEdit;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;
class TStringGridView;

class TPaginaFichajes {
public:
    virtual ~TPaginaFichajes() = default;

    QDateEdit *DTP1 = nullptr;
    QDateEdit *DTP2 = nullptr;
    QLineEdit *EDBusca = nullptr;
    QPushButton *BListar = nullptr;
    QRadioButton *RadioButton2 = nullptr; // "Parcial"
    QRadioButton *RadioButton3 = nullptr; // "Presencia"
    StringGrid SGFichajes{10, 2};
    TStringGridView *VistaFichajes = nullptr;

protected:
    // Builds the page's controls inside pagina.
    void CreaPaginaFichajes(QWidget *pagina);
};
