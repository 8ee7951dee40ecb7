#pragma once
// The production editor's third page, production by employee: the employees (checkable, with
// "Marcar todos" and "Desmarcar todos"), the date range, "Mostrar" with every period of the
// marked employees, the totals, the block a selected cell delimits with its partial sums, "Ordenar
// por" the selected column and the by-employee report.
#include "platform/stringgrid.h"
#include "production/produccionempleado.h"

#include <string>

class QDateEdit;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QWidget;
class TStringGridView;

class TPaginaEmpleado {
public:
    virtual ~TPaginaEmpleado() = default;

    QListWidget *CLB1 = nullptr;                // the employees, line 0 of each record of "empleados.dat"
    QMenu *MenuEmpleados = nullptr;             // "Marcar todos", "Desmarcar todos"
    QDateEdit *DTP1 = nullptr, *DTP2 = nullptr; // "Desde", "Hasta"
    QPushButton *SpeedButton9 = nullptr;        // "Mostrar"
    QPushButton *SpeedButton8 = nullptr;        // "Imprimir"
    QPushButton *Button1 = nullptr;             // "Ordenar por " + the column's title
    StringGrid SG3{11, 2};                      // the period grid
    TStringGridView *VistaSG3 = nullptr;
    QLineEdit *LEemple = nullptr, *LEEmptt = nullptr, *LEEmpct = nullptr, *LEEmptp = nullptr,
              *LEEmpcp = nullptr;
    QMenu *MenuSG3 = nullptr; // the menu the grid shows now (the time display on column 9)

    // The block of the selected cell (kept apart from the by-order page's).
    int PrimeraFilaEmpleado = 0, UltimaFilaEmpleado = 0;
    int ColumnaOrdenacion = 6;
    std::string EmpleadoProduccion; // the entry of the last employee listed
    int EmpleadosListados = 0;
    TTotalesEmpleados Totales;

    // CLB1 refilled from the employees file; an entry still there keeps its mark.
    void RellenaEmpleados();
    void MarcaTodos(bool marca);
    std::vector<std::string> EmpleadosMarcados() const;
    // "Mostrar".
    void CLB1ClickCheck();
    void SG3SelectCell(int col, int fila);
    // "Ordenar por".
    void Button1Click();
    // "Imprimir": the by-employee report.
    void SpeedButton8Click();

protected:
    void CreaPaginaEmpleado(QWidget *pagina);
    virtual bool Horas() const { return false; }
    virtual QMenu *MenuTiempo() { return nullptr; }
};
