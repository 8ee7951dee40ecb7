#pragma once
// The schedules window: hour types, daily schedules and the day as a pie chart; the calendars and
// their day maps edited month by month.
#include "masterdata/calendarioeditado.h"
#include "masterdata/ui/grafico/graficojornada.h"
#include "platform/stringgrid.h"

#include <QDialog>
#include <QPointer>
#include <QRect>
#include <QString>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPainter;
class QPushButton;
class QTabWidget;
class QTimeEdit;
class TStringGridView;

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
    QWidget *ZonaChart1 = nullptr; // holds the day's chart once made
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

    // "Calendarios".
    QWidget *TS2 = nullptr;
    StringGrid SG2{3, 1};   // calendars: row 0 titles, then Código, Año, Nombre
    StringGrid SGCal{7, 7}; // the shown month, weeks from Monday
    TStringGridView *VistaSG2 = nullptr;
    TStringGridView *VistaSGCal = nullptr;
    QLabel *ST1 = nullptr;               // the selected date
    QLabel *Label3 = nullptr;            // the schedule to apply
    QPushButton *SBG2 = nullptr;         // Guardar calendario
    QPushButton *SpeedButton6 = nullptr; // Nuevo calendario
    QPushButton *SpeedButton7 = nullptr; // Eliminar calendario
    QPushButton *SpeedButton3 = nullptr; // Mes anterior
    QPushButton *SpeedButton4 = nullptr; // Mes siguiente
    QMenu *PM1 = nullptr;
    QAction *Aphoy = nullptr, *Apdmes = nullptr, *Apdano = nullptr, *Aptomes = nullptr;
    // DiasCalendarioEditado, CalendarioModificado, FilaCalendario and the shown date.
    TCalendarioEditado Calendario{SG2};
    int JornadaAplicar = -1; // -1: the chosen schedule has no code a day map can hold

    void FormCreate();
    void FormActivate();
    // The day's chart, made at the first show or call (loading its module); null when the module
    // could not be loaded, which was said once.
    TGraficoJornada *Chart1();
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

    void PgC1Change(int indice);
    void SG2SelectCell(int col, int row);
    bool SBG2Click();
    void SpeedButton6Click();
    void SpeedButton7Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SGCalSelectCell(int col, int row);
    void AphoyExecute();
    void ApdmesExecute();
    void ApdanoExecute();
    void AptomesExecute();
    void RellenaCalendario();

protected:
    void showEvent(QShowEvent *e) override;

private:
    void seleccionaJornada(int fila);
    void rellenaCB1();
    void creaCalendarios();
    void cambiaCalendario(int fila);
    void jornadaAplicar(int fila);
    void aplica(bool (TCalendarioEditado::*accion)(int));
    void muestraDia();
    TGraficoJornada *grafico_ = nullptr;
    bool sinGrafico_ = false;
    // The day shown, kept for the chart until it is made.
    QString tituloDia_;
    std::vector<TRebanada> rebanadas_;
    QBrush fondoDia_;
    // Files that exist but could not be read, never saved over.
    bool tiposIlegibles_ = false, jornadasIlegibles_ = false, calendariosIlegibles_ = false;
};

extern QPointer<TFormHorarios> FormHorarios;

// Helpers shared by the master-data grids that show hour types.
void ColumnaNoEditable(TStringGridView *vista, int col);
// Cells of the column from row 1 filled with the Windows colour value they hold.
void PintaColumnaColor(TStringGridView *vista, int col);
// Empty colour cells become "0".
void ColoresVacios(StringGrid &g, int col);
// A title cell of the day grids: white text on the desktop's background colour.
void PintaTituloDia(QPainter *p, const QRect &celda, const QString &texto);
