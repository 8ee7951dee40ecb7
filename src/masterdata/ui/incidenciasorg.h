#pragma once
// The incidence types window: edits "incidencias.dat" in the grid SG1, which the presence
// computation reads.
#include "platform/stringgrid.h"

#include <QDialog>
#include <QPointer>

class QComboBox;
class QPushButton;
class TStringGridView;

class TFormCIncidencias : public QDialog {
    Q_OBJECT
public:
    explicit TFormCIncidencias(QWidget *padre = nullptr);

    // Row 0 the titles, then one type per row: code, name, charged to.
    StringGrid SG1{3, 2};

    TStringGridView *VistaSG1 = nullptr;
    QComboBox *CB1 = nullptr; // "Empresa", "Trabajador"
    QPushButton *botonrec = nullptr;
    QPushButton *SpeedButton1 = nullptr;
    QPushButton *SpeedButton2 = nullptr;

    void FormCreate();
    bool botonrecClick();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SG1SelectCell(int col, int row);
    void CB1Change();

private:
    bool ilegible_ = false; // the file exists but could not be read
};

extern QPointer<TFormCIncidencias> FormCIncidencias;
