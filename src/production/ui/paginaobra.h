#pragma once
// The production editor's second page, production by order: the saved orders (newest first,
// checkable), the date filter, "Mostrar selección" with the tasks of the marked orders and their
// clocked periods, the counters and totals, the block a selected cell delimits with its partial
// sums and its menu ("Fichar", "Cerrar trabajo", the work-order print, the time display), the
// searches, "Ampliar" and the by-order report.
#include "platform/stringgrid.h"
#include "production/ordentrabajo.h"
#include "production/produccionobra.h"

#include <QDate>
#include <string>

class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;
class QWidget;
class TStringGridView;

class TPaginaObra {
public:
    virtual ~TPaginaObra() = default;

    QListWidget *LB1 = nullptr; // the orders: each item's data is "name\tdate"
    StringGrid SG2{11, 2};      // the task grid
    TStringGridView *VistaSG2 = nullptr;
    QPushButton *BProdObra = nullptr;                             // "Mostrar selección"
    QPushButton *SpeedButton3 = nullptr;                          // "Ampliar"
    QPushButton *SpeedButton4 = nullptr, *SpeedButton5 = nullptr; // search by order, by folder
    QPushButton *SpeedButton6 = nullptr;                          // "Imprimir"
    QPushButton *SpeedButton7 = nullptr;                          // "Filtro entre fechas"
    QLineEdit *LEBObra = nullptr, *LEBCarpeta = nullptr;
    QLineEdit *LEttra = nullptr, *LEtfin = nullptr, *LEtpen = nullptr, *LEtsin = nullptr, *LEtenp = nullptr,
              *LEObras = nullptr;
    QLineEdit *LETTotal = nullptr, *LECTotal = nullptr, *LETParcial = nullptr, *LECParcial = nullptr;
    QLabel *ST1 = nullptr, *ST2 = nullptr, *STFObra = nullptr;
    QDateEdit *DTP4 = nullptr, *DTP3 = nullptr; // "Desde", "Hasta"
    QMenu *MenuImprimir = nullptr;              // "Imprimir Orden", "Imprimir Orden+Cierre"
    QMenu *MenuFichar = nullptr, *MenuCerrar = nullptr;
    QMenu *MenuSG2 = nullptr; // the menu the grid shows now

    int PrimeraFilaObra = 0;
    int UltimaFilaObra = 0;
    int ObraSeleccionada = 0;
    int OrdenConCierre = 0;
    int FiltroFechasProduccion = 0;
    std::string TituloProduccion;
    TContadoresObra Contadores; // of the last "Mostrar selección"
    std::string TipoOrdenActual;
    std::string RutaObra;     // the order file last read
    TOrdenTrabajo UltimaObra; // its fields

    // The page opened: the order list reloaded, the first order marked alone.
    void PageControl1Change();
    // A click on an order marks it alone, unless it toggled its check box.
    void LB1Click(QListWidgetItem *item, bool casillaCambiada);
    // "Filtro entre fechas": marks the orders dated in the range.
    void SpeedButton7Click();
    // "Mostrar selección": the task rows of the marked orders and their periods.
    void BProdObraClick();
    // The block of the selected cell, its order's fields, its partial sums and its menu.
    void SG2SelectCell(int col, int fila);
    // "Fichar" (false) / "Cerrar trabajo" (true) of the selected row.
    void Fichar(bool cerrar);
    // "Imprimir Orden" (false) / "Imprimir Orden+Cierre" (true) of the selected block.
    void ImprimeOrden(bool conCierre);
    // The searches by order and by folder.
    void SpeedButton4Click();
    void SpeedButton5Click();
    // "Imprimir": the by-order report.
    void SpeedButton6Click();
    // The marked entries of LB1.
    std::vector<std::string> Marcadas() const;

protected:
    void CreaPaginaObra(QWidget *pagina);
    // "Ampliar": the first page takes the shown order.
    virtual void AmpliaOrden() {}
    // The time display, its menu, and the date of the by-order report's file name.
    virtual bool Horas() const { return false; }
    virtual QMenu *MenuTiempo() { return nullptr; }
    virtual QDate FechaInforme() const;

private:
    bool leeObra(const std::string &nombre);
    void muestraContadores();
    void muestra(int i); // makes order i current, marked alone, and shows it
    std::vector<std::string> entradas() const;
    int marcaPulsada_ = -1; // check state of the item pressed last
    int fila_ = 0;          // the row selected last
};
