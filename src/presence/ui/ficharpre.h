#pragma once
// Manual clocking: builds the raw record of terminal "000" for an employee, date and time and
// stores it through the clocking writer. Callers hand it a TPeticionFichaje through MuestraFichar.
#include <QDateTime>
#include <QDialog>
#include <QPointer>
#include <string>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;

// What a caller hands to the manual clocking window.
struct TPeticionFichaje {
    QDateTime FechaFichaje;      // the date shown; not valid: the date box keeps its own
    QDateTime FechaFichajeFin;   // the time shown; not valid: 00:00
    std::string EmpleadoFichaje; // the last employee with this number is chosen; empty: none
    std::string CodigoFichaje;   // the production code of the record
};

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
    std::string Linea;         // what ST1 shows, as stored
    TPeticionFichaje Peticion; // what the window was shown for

    void FormActivate();
    void DT1Change();
    void SpeedButton1Click();

protected:
    void showEvent(QShowEvent *e) override;
};

extern QPointer<TFormFichar> FormFichar;

// Shows the registered manual clocking window ("FormFichar") modally for p, captioned titulo
// (Windows-1252); nothing when there is none.
void MuestraFichar(const TPeticionFichaje &p, const std::string &titulo = "Fichar presencia");
