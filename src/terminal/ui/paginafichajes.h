#pragma once
// The "Fichajes" page of the control panel: the clockings listing controls and grid, the kind
// buttons, the date clamps, the annul toggle, "Recibir" and "Nuevo formato".
#include "platform/stringgrid.h"
#include "terminal/listadofichajes.h"

#include <QDate>
#include <string>
#include <utility>
#include <vector>

// A row of the clockings grid that holds an annulled clocking ("-A" in column 0).
bool EsFilaAnulada(const StringGrid &g, int fila);
// What a cell of the clockings grid shows: column 0 reads "Anulado " on annulled rows and 13
// blanks otherwise (the line's offset is never shown); other columns their text.
std::string TextoCeldaFichajes(const StringGrid &g, int col, int fila);

class QDateEdit;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;
class TStringGridView;

class TPaginaFichajes {
public:
    virtual ~TPaginaFichajes();

    QDateEdit *DTP1 = nullptr; // "Desde"
    QDateEdit *DTP2 = nullptr; // "hasta"
    QLineEdit *EDBusca = nullptr;
    QPushButton *BListar = nullptr;
    QPushButton *BitBtn6 = nullptr;       // "Recibir"
    QRadioButton *RadioButton1 = nullptr; // "Histórico"
    QRadioButton *RadioButton2 = nullptr; // "Parcial"
    QRadioButton *RadioButton3 = nullptr; // "Presencia"
    QRadioButton *RadioButton4 = nullptr; // "Producción"
    QRadioButton *RadioButton5 = nullptr; // "Accesos"
    StringGrid SGFichajes{10, 2};
    TStringGridView *VistaFichajes = nullptr;

    QDate FechaHoy;   // today as last taken
    QDate FechaDesde; // start of the range as last picked
    // The last listing: its files, keys and the file of each row, for the annul toggle.
    TResultadoListado UltimoListado;
    // Column widths remembered by the annul toggle for the next listing.
    std::vector<int> AnchosRecordados;

    // The listings: the controls gathered into a request, the listing service's rows shown in
    // SGFichajes, its result kept in UltimoListado.
    void BListarClick();
    void BListarProdClick();
    // The request the controls make ("Listar", or its production twin).
    TPeticionListado Peticion(bool produccion = false) const;
    // The terminals a presence listing of the page reads: the check marks as they stand when
    // "Presencia" is chosen, else as choosing it sets them.
    std::vector<TTerminalListado> TerminalesPresencia() const;
    // The terminal items and the check marks an access listing reads: as they stand when "Accesos"
    // is chosen, else as choosing it sets them.
    std::vector<std::pair<std::string, bool>> ItemsAccesos() const;
    // The start of the day as start-up shows it: both pickers at today, "Parcial" and "Presencia"
    // chosen (which presets the check marks).
    void MuestraHoy();
    // Lists the day files' clockings of one employee (texto: the search field's text).
    void ListaEmpleado(const std::string &texto);
    // Kind buttons: preset the check marks of the terminal list.
    void RadioButton3Click();
    void RadioButton4Click();
    void RadioButton5Click();
    // Date clamps.
    void DTP1CloseUp();
    void DTP2CloseUp();
    // Inverts the annulled mark of the selected row's clocking and lists again.
    void SGFichajesDblClick();
    // "Nuevo formato": rebuilds the day files. True when done (the caller hides the button).
    bool BReconsClick();

    // "Recibir": the form sends the selected terminal the console line "l" (with its radio prefix).
    virtual void BitBtn6Click() {}
    // The panel's terminal list CLBTerminales: item texts ("%c%c %s %s") and check marks. By default
    // a QListWidget named "CLBTerminales" in the page's window, with checkable items.
    virtual std::vector<std::pair<std::string, bool>> ItemsTerminales() const;
    virtual void MarcaTerminales(const std::vector<bool> &marcas);
    // The close request of the panel minimises it (installed on the page's window at creation).
    void MinimizaPanel();
    // A double click on "Histórico", "Parcial" or "Accesos": the clockings grid's current row goes
    // to its last row from row 1, else to row 1.
    void SaltaFilaFichajes();

protected:
    // Builds the page's controls inside pagina.
    void CreaPaginaFichajes(QWidget *pagina);

private:
    void lista(bool produccion);
    void marcaPorModo(bool accesos);
    QWidget *pagina_ = nullptr;
};
