#pragma once
// The production editor's second page, production by order, as far as the work orders need it:
// the saved orders (newest first, checkable), "Mostrar selección" with the task rows of the
// marked orders, the block a selected cell delimits, the work-order print of a folder block and
// "Ampliar". Clocked periods, counters, searches and reports come with the by-order listing.
#include "platform/stringgrid.h"
#include "production/ordentrabajo.h"

#include <string>

class QDateEdit;
class QLabel;
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
    QPushButton *BProdObra = nullptr;    // "Mostrar selección"
    QPushButton *SpeedButton3 = nullptr; // "Ampliar"
    QLabel *ST1 = nullptr, *ST2 = nullptr, *STFObra = nullptr;
    QDateEdit *DTP4 = nullptr, *DTP3 = nullptr; // "Desde", "Hasta"
    QMenu *MenuImprimir = nullptr;              // "Imprimir Orden", "Imprimir Orden+Cierre"

    int PrimeraFilaObra = 0;
    int UltimaFilaObra = 0;
    int ObraSeleccionada = 0;
    int OrdenConCierre = 0;
    std::string TipoOrdenActual;
    std::string RutaObra;     // the order file last read
    TOrdenTrabajo UltimaObra; // its fields

    // The page opened: the order list reloaded, the first order marked alone.
    void PageControl1Change();
    // A click on an order marks it alone, unless it toggled its check box.
    void LB1Click(QListWidgetItem *item, bool casillaCambiada);
    // "Mostrar selección": the task rows of the marked orders.
    void BProdObraClick();
    // The block of the selected cell, and its order's fields.
    void SG2SelectCell(int col, int fila);
    // "Imprimir Orden" (false) / "Imprimir Orden+Cierre" (true) of the selected block.
    void ImprimeOrden(bool conCierre);
    // The marked entries of LB1.
    std::vector<std::string> Marcadas() const;

protected:
    void CreaPaginaObra(QWidget *pagina);
    // "Ampliar": the first page takes the shown order.
    virtual void AmpliaOrden() {}

private:
    bool leeObra(const std::string &nombre);
    int marcaPulsada_ = -1; // check state of the item pressed last
};
