#pragma once
// The schedules window: hour types, daily schedules and the day as a pie chart.
#include "platform/stringgrid.h"

#include <QChartView>
#include <QDialog>
#include <QPointer>
#include <string>
#include <vector>

class QChart;
class QComboBox;
class QPieSeries;
class QPushButton;
class QTabWidget;
class QTimeEdit;
class TStringGridView;

// The chart view that draws the clock labels over the pie.
class TRelojChart : public QChartView {
    Q_OBJECT
public:
    using QChartView::QChartView;

protected:
    void drawForeground(QPainter *p, const QRectF &rect) override;
};

class TFormHorarios : public QDialog {
    Q_OBJECT
public:
    explicit TFormHorarios(QWidget *padre = nullptr);

    // Schedules: rows from 0, columns code, name, band string. Read by the presence computation.
    StringGrid SG1{3, 1};
    // Hour types: row 0 titles, row i + 1 hour type i (name, Precio, Modo, Color).
    StringGrid SG3{4, 2};

    std::vector<std::string> ListaHorarios;
    int FilaJornada = 0;
    int MinutosLibres = 1440;

    QTabWidget *PgC1 = nullptr;
    QWidget *TS1 = nullptr;
    TStringGridView *VistaSG1 = nullptr;
    TStringGridView *VistaSG3 = nullptr;
    QChart *Chart1 = nullptr;
    QPieSeries *Series1 = nullptr;
    TRelojChart *VistaChart1 = nullptr;
    QComboBox *CB1 = nullptr;
    QTimeEdit *DT1 = nullptr;
    QTimeEdit *DT2 = nullptr;
    QPushButton *Button1 = nullptr;      // Añadir
    QPushButton *Button2 = nullptr;      // Quitar
    QPushButton *menoshora = nullptr;    // Anterior
    QPushButton *mashora = nullptr;      // Siguiente
    QPushButton *botonrec = nullptr;     // Guardar jornadas
    QPushButton *SpeedButton1 = nullptr; // Nueva jornada
    QPushButton *SpeedButton2 = nullptr; // Eliminar jornada
    QPushButton *SpeedButton5 = nullptr; // Guardar tipos de horas
    QPushButton *SpeedButton8 = nullptr; // Nuevo tipo de hora
    QPushButton *SpeedButton9 = nullptr; // Eliminar tipo de hora

    void FormCreate();
    void FormActivate();
    void Button1Click();
    void Button2Click();
    void DT2Change();
    void mashoraClick();
    void menoshoraClick();
    bool botonrecClick();
    void SpeedButton1Click();
    void SpeedButton2Click();
    bool SpeedButton5Click();
    void SpeedButton8Click();
    void SpeedButton9Click();
    void SG1SelectCell(int col, int row);
    void SG3SelectCell(int col, int row);

protected:
    void showEvent(QShowEvent *e) override;

private:
    void seleccionaJornada(int fila);
    void rellenaCB1();
};

extern QPointer<TFormHorarios> FormHorarios;

// Helpers shared by the master-data grids that show hour types.
void ColumnaNoEditable(TStringGridView *vista, int col);
// Cells of the column from row 1 filled with the Windows colour value they hold.
void PintaColumnaColor(TStringGridView *vista, int col);
// Empty colour cells become "0".
void ColoresVacios(StringGrid &g, int col);
