#pragma once
// The incidence editor: adds an employee's incidence to a range of days, deletes records, and
// opens the manual clocking and the incidence listing.
#include "platform/stringgrid.h"

#include <QDialog>
#include <QPointer>
#include <string>

class QComboBox;
class QDateEdit;
class QPushButton;
class QTimeEdit;
class TStringGridView;

class TFormEditaIncidencias : public QDialog {
    Q_OBJECT
public:
    explicit TFormEditaIncidencias(QWidget *padre = nullptr);
    ~TFormEditaIncidencias() override;

    QDateEdit *DT1 = nullptr;  // "Desde"
    QDateEdit *DT2 = nullptr;  // "hasta"
    QComboBox *CB1 = nullptr;  // "Trabajador", free text
    QComboBox *CB2 = nullptr;  // "Incidencia"
    QTimeEdit *HIni = nullptr; // "Tiempo a justificar"
    StringGrid SG1{3, 2};
    // The employee the next showing puts in "Trabajador" instead of the control panel's search
    // text (the presence run stopped at one of its days); cleared by that showing.
    std::string EmpleadoPedido;
    std::string TextoIncidencia; // the incidence line of the last addition
    TStringGridView *VistaSG1 = nullptr;
    QPushButton *SpeedButton1 = nullptr; // "Añadir"
    QPushButton *SpeedButton2 = nullptr; // "Eliminar"
    QPushButton *SpeedButton3 = nullptr; // "Fichar"
    QPushButton *ListarIn = nullptr;     // "Listar"

    void FormCreate();
    void FormActivate();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void ListarInClick();
    void DT1Change();
    void DT1CloseUp();
    void CB1Change();

protected:
    void showEvent(QShowEvent *e) override;

private:
    void llenaListas();
    void ponFechas(const QDate &desde, const QDate &hasta);
    void ponTitulo();
};

extern QPointer<TFormEditaIncidencias> FormEditaIncidencias;
