#pragma once
// Manual clocking: builds the raw record of terminal "000" for an employee, date and time and
// stores it through the clocking writer. Callers preset FechaFichaje, FechaFichajeFin,
// EmpleadoFichaje, CodigoFichaje and the caption, then show it modally.
#include <QDialog>
#include <QPointer>
#include <string>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;

class TFormFichar : public QDialog {
    Q_OBJECT
public:
    explicit TFormFichar(QWidget *padre = nullptr);

    QDateEdit *DT1 = nullptr;            // "Fecha"
    QTimeEdit *DT2 = nullptr;            // "Hora"
    QComboBox *CB1 = nullptr;            // "Empleado"
    QLineEdit *LEInci = nullptr;         // "Incidencia"
    QLabel *ST1 = nullptr;               // the record being built
    QPushButton *SpeedButton1 = nullptr; // "Fichar"
    int EmpleadoSeleccionado = -1;
    std::string Linea; // what ST1 shows, as stored

    void FormActivate();
    void DT1Change();
    void SpeedButton1Click();

protected:
    void showEvent(QShowEvent *e) override;
};

extern QPointer<TFormFichar> FormFichar;
