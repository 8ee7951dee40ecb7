#pragma once
// The employees window: personal data, photo, calendar, increments and hourly-cost history; the
// personnel card with the employee's documents ("Ficha") and the month's absences ("Faltas").
#include "platform/stringgrid.h"
#include "terminal/listadofichajes.h"

#include <QDate>
#include <QDialog>
#include <QPointer>
#include <array>
#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QFrame;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class TStringGridView;

class TFormEmpleados : public QDialog {
    Q_OBJECT
public:
    explicit TFormEmpleados(QWidget *padre = nullptr);

    // The employee table: row 0 titles, rows 1..n one employee each, 13 columns. Other windows
    // read it; the row of an employee is its presence slot.
    StringGrid SG1{13, 2};
    // Increments per hour type from index 1: name, increment, Modo, Color.
    StringGrid SG3{4, 2};

    QTabWidget *PageControl1 = nullptr;
    QWidget *TSEmpleados = nullptr;
    TStringGridView *VistaSG1 = nullptr;
    TStringGridView *VistaSG3 = nullptr;
    QTreeWidget *TV1 = nullptr;
    QLabel *ST1 = nullptr;
    QLabel *ST2 = nullptr;
    QLabel *Foto = nullptr;
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr,
              *Edit6 = nullptr, *Edit7 = nullptr;
    QDateEdit *DTNacimiento = nullptr;
    QDateEdit *DTAntiguo = nullptr;
    QDateEdit *DTCProd = nullptr;
    QComboBox *CB1 = nullptr;
    QComboBox *CBPreProd = nullptr;
    QPushButton *SBQP = nullptr;
    QPushButton *BGuar = nullptr;
    QPushButton *BAnt = nullptr;
    QPushButton *BSig = nullptr;
    QPushButton *ImpFicha = nullptr; // "Imprimir Ficha"

    // "Ficha": the personnel card.
    QWidget *TSFicha = nullptr;
    QFrame *Panel1 = nullptr; // photo, title, number and LE0..LE10
    QFrame *Panel2 = nullptr; // LE11..LE18
    QLabel *Foto2 = nullptr;
    QLineEdit *LENumero = nullptr;
    std::array<QLineEdit *, 19> LE{};           // LE0..LE18, the lines of the card
    QPushButton *SpeedButton2 = nullptr;        // "Guardar"
    QPushButton *AImprimir = nullptr;           // "Imprimir"
    QPushButton *AImprimirTo = nullptr;         // "Imprimir completo"
    std::array<QPushButton *, 4> BDocumentos{}; // nóminas, contratos, asistencia, varios
    std::string RutaFichaPersonal;

    // "Faltas": the month's absences of the selected employee.
    QWidget *TSFaltas = nullptr;
    QFrame *Panel3 = nullptr;
    QLabel *Falton = nullptr;
    QLabel *STFaltas = nullptr;
    QLabel *Label16 = nullptr;           // calendar
    QLabel *Label18 = nullptr;           // number of absences
    QPushButton *SpeedButton3 = nullptr; // "Mes anterior"
    QPushButton *SpeedButton4 = nullptr; // "Mes siguiente"
    QPushButton *ImprimirFaltas = nullptr;
    StringGrid SGFaltas{7, 7};
    TStringGridView *VistaSGFaltas = nullptr;
    QDate FechaFaltas;
    int NumeroFaltas = 0;

    void FormCreate();
    // Rebuilds the tree and the employee grid from the files (each time the window is shown).
    void FormActivate();
    void SG1SelectCell(int col, int row);
    bool BGuarClick();
    void BAntClick();
    void BSigClick();
    void TV1Change();
    void FotoDblClick();
    void CBPreProdSelect();
    void SBQPClick();

    void PageControl1Change(int indice);
    bool SpeedButton2Click();
    void AImprimirClick();
    void AImprimirToClick();
    // The four document buttons (0 nóminas ... 3 varios): opens the employee's PDF.
    void AbreDocumentoEmpleado(int documento);
    void ImpFichaClick();
    void RellenaFaltas();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void ImprimirFaltasClick();

    // Escape and the close box: with unsaved changes, asks whether to save them first.
    void reject() override;

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void creaFicha();
    void creaFaltas();
    void rellenaFicha();
    // The employee's data as the "Empleados" tab shows it, in the order of a grid row.
    std::vector<std::string> datosEmpleado() const;
    std::string textoFecha(int i) const; // the date control i (0 birth, 1 seniority) as stored
    void cargaFila(int row);
    // Stores the controls into the row they were loaded from (when edited, or always): false,
    // with a message, while the price typed is not a number.
    bool guardaControles(bool siempre = false);
    int filaCargada_ = -1;  // the row shown in the controls
    bool cargando_ = false; // the controls are being filled from a row
    bool editado_ = false;  // the controls differ from their row
    bool cambios_ = false;  // the grid differs from the file
    // Dates as loaded, so an empty or unreadable cell is written back unchanged.
    std::string fechaCelda_[2];
    QDate fechaMostrada_[2];
    std::string rutaFoto_;                 // the photo shown, stored by "Guardar"
    std::vector<std::string> costes_;      // the entries listed in CBPreProd
    std::vector<std::string> lineasArbol_; // the company tree as last read
    // The tree or the employees file exists but could not be read: the file is not saved over.
    std::string ilegible_;
};

extern QPointer<TFormEmpleados> FormEmpleados;

// Item texts of the control panel's terminal list, which the absence sheet lists from; the
// application installs it (none: no terminal, only the manual clockings).
void FijaTerminalesListados(std::function<std::vector<std::string>()> terminales);
// The terminals of that list for a listing by another window: each marked unless it is an
// access-only terminal (mode "A").
std::vector<TTerminalListado> TerminalesSinAccesos();
