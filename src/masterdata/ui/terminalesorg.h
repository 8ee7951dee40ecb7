#pragma once
// The terminals window: edits "terminales.dat" in the grid SGTerminales, which the terminal
// link reads to build its tables.
#include "platform/stringgrid.h"

#include <QDialog>
#include <QPointer>

class QComboBox;
class QLabel;
class QPushButton;
class TStringGridView;

class TFormTerminales : public QDialog {
    Q_OBJECT
public:
    explicit TFormTerminales(QWidget *padre = nullptr);

    // Row 0 the titles, row r terminal r.
    StringGrid SGTerminales{6, 2};

    TStringGridView *VistaSGTerminales = nullptr;
    QLabel *Label1 = nullptr; // "Permitidos" of the selected row
    QComboBox *CB1 = nullptr; // connection type
    QComboBox *CB2 = nullptr; // mode
    QPushButton *botonrec = nullptr;
    QPushButton *SpeedButton1 = nullptr;
    QPushButton *SpeedButton2 = nullptr;

    void FormCreate();
    // Saves the file and rebuilds the terminal tables; false when the file could not be written.
    bool botonrecClick();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SGTerminalesSelectCell(int col, int row);
    void CB1Change();
    void CB2Change();

private:
    int colAnterior_ = 1;
    bool ilegible_ = false; // the file exists but could not be read
};

extern QPointer<TFormTerminales> FormTerminales;
