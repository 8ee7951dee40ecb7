#pragma once
// The "Archivos de Huellas" page of the control panel: the source grid SG1 with a stored list,
// the working grid SG2 with the working list "tmp.min" and its editing, the terminal's denied list
// and the buttons that send lists (the panel sends them).
#include "platform/stringgrid.h"
#include "terminal/denegados.h"

#include <string>
#include <utility>
#include <vector>

class QAction;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTimeEdit;
class QWidget;
class TStringGridView;

// What a cell of SG1 (conRol false) or SG2 (conRol true) shows: the name's hidden part as
// " (SUPERVISOR)" or " (CÓDIGO)", "Sin acceso" or "Con acceso" for a row with no band, a free band
// blank.
std::string TextoCeldaHuellas(const StringGrid &g, int col, int fila, bool conRol);

class TPaginaHuellas {
public:
    virtual ~TPaginaHuellas() = default;

    StringGrid SG1{8, 2}; // source list
    StringGrid SG2{8, 2}; // working list "tmp.min"
    TStringGridView *VistaSG1 = nullptr;
    TStringGridView *VistaSG2 = nullptr;
    QLineEdit *Edit1 = nullptr; // list name or path
    QLineEdit *Edit5 = nullptr; // name to save the working list under
    QLineEdit *EDDir = nullptr;
    QLineEdit *EDPuerta = nullptr;
    QPushButton *BitBtn1 = nullptr; // "Enviar todo"
    QPushButton *BitBtn2 = nullptr; // "Añadir todo"
    QPushButton *BitBtn3 = nullptr; // "Añadir"
    QPushButton *BitBtn4 = nullptr; // "Quitar todo"
    QPushButton *BitBtn5 = nullptr; // "Quitar"
    QPushButton *BitBtn7 = nullptr; // "Enviar" (denied list)
    QPushButton *BitBtn8 = nullptr; // "Enviar selección"
    QPushButton *Button4 = nullptr; // "Guardar"
    QPushButton *OrdNom = nullptr;
    QPushButton *OrdMin = nullptr;
    QPushButton *Button1 = nullptr; // sort by code
    QButtonGroup *RG1 = nullptr; // 0 "Permitir siempre", 1 "Sólo en franja horaria", 2 "No permitir nunca"
    QTimeEdit *DTFHi = nullptr;
    QTimeEdit *DTFHf = nullptr;
    QLabel *Label7 = nullptr;
    QListWidget *DenegList = nullptr;
    QMenu *PopupSG1 = nullptr;
    QMenu *PopupSG2 = nullptr;
    QAction *Denega1 = nullptr;
    QAction *Cambiarcdigo1 = nullptr;
    QAction *CopiarModo1 = nullptr;
    QAction *PegarModo1 = nullptr;

    bool ListaModificada = false;
    int FilaEditada = 0;
    int FranjaEditada = 1;
    int FilaModoCopiado = 0; // 0: none
    bool Edit1EsRuta = false;
    std::string ListaSG1;                          // the file SG1 was loaded from
    std::string NombreListaSG1;                    // its name as given, ending in ".min"
    std::string NombreDenegados = "Denegados.001"; // file of the selected terminal's denied list
    TListaDenegados Denegados;

    // SG2 from the working list; SG1 from the list named in Edit1.
    void CargaListaMin();
    void CargaArchivoHuellas();
    void Edit1KeyPress(char key);
    void Edit1DblClick();
    void BitBtn3Click();
    void BitBtn2Click();
    void BitBtn5Click();
    void BitBtn4Click();
    void Button4Click();
    void OrdNomClick();
    void OrdMinClick();
    void Button1Click();
    void SG2SelectCell(int col, int row);
    // The operator chose an access mode (RG1's index).
    void RG1Click(int indice);
    void DTFHiChange();
    void CopiarModo1Click();
    void PegarModo1Click();
    void SG1ContextPopup();
    void Denega1Click();

    // Rows selected in SG1, first and last (0, 0 when none).
    std::pair<int, int> SeleccionSG1() const;
    void SeleccionaSG1(int primera, int ultima);
    // The denied list of a terminal: its file name, its lines from the working directory.
    void CargaDenegados(unsigned terminal);
    // DenegList shows Denegados; SG1 is redrawn.
    void MuestraDenegados();

    // Sending, done by the panel.
    virtual void BitBtn1Click() {}
    virtual void BitBtn8Click() {}
    virtual void BitBtn7Click() {}
    virtual void Cambiarcdigo1Click() {}
    // The denied list changed (the terminal no longer holds it).
    virtual void DenegadosCambiados() {}

protected:
    void CreaPaginaHuellas(QWidget *pagina);

private:
    void creaGrids(QWidget *pagina);
    void creaEdicion(QWidget *pagina);
    void conecta();
    void guardaSiModificada();
    void ordena(int orden);
    void refrescaSG2();
    QWidget *pagina_ = nullptr;
    int colSG2_ = 1; // SG2's column last selected
};
