#pragma once
// The users editor "Usuarios de Rondal": the operators of the program (not the company record),
// their passwords and levels; saved into the users file.
#include "platform/stringgrid.h"

#include <QDialog>
#include <QPointer>

class QComboBox;
class QPushButton;
class TStringGridView;

class TFormUsuarios : public QDialog {
    Q_OBJECT
public:
    explicit TFormUsuarios(QWidget *padre = nullptr);

    void FormActivate();
    // False when the cell may not be selected; places the combo of the column.
    bool SG1SelectCell(int col, int fila);
    void CBUsuarioChange();
    void CBNivelChange(int indice);
    void SpeedButton1Click();
    void SpeedButton2Click();
    void botonrecClick();

    StringGrid SG1{3, 2};
    TStringGridView *VistaSG1;
    QComboBox *CBUsuario;
    QComboBox *CBNivel;
    QPushButton *SpeedButton1, *SpeedButton2, *botonrec;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void seleccionada(int col, int fila);
    void colocaCombo(QComboBox *combo, int col, int fila);
    int filaAnterior_ = 1;
    int colAnterior_ = 0;
    bool llenando_ = false;
};

extern QPointer<TFormUsuarios> FormUsuarios;
