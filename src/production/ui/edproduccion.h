#pragma once
// The production editor: a child window of the frame with three pages, "Nueva Orden" (composing
// work orders), production by order and production by employee.
#include "production/ui/nuevaorden.h"
#include "production/ui/paginaobra.h"

#include <QPointer>
#include <QWidget>

class QDateEdit;
class QTabWidget;

class TFormEdProduccion : public QWidget, public TPaginaNuevaOrden, public TPaginaObra {
    Q_OBJECT
public:
    explicit TFormEdProduccion(QWidget *padre = nullptr);

    QTabWidget *PageControl1 = nullptr;
    QDateEdit *DTP1 = nullptr, *DTP2 = nullptr; // by employee: "Desde", "Hasta"
    StringGrid SG3{11, 2};                      // by employee: the period grid
    TStringGridView *VistaSG3 = nullptr;

    // Captions from the configured nouns, the grids' titles and the stored column widths.
    void FormCreate();
    // Every activation: the panel's dates, the schemas, the folder number and the clients.
    void FormActivate();
    // The main window's production actions: page n made active and opened.
    void MuestraPagina(int n);
    // The page control's change: the page shown opened.
    void PageControl1Change();

protected:
    void OrdenGuardada() override;
    void AmpliaOrden() override;
    void showEvent(QShowEvent *e) override;
    // Stores the column widths; inside the frame the window only minimises.
    void closeEvent(QCloseEvent *e) override;
};

extern QPointer<TFormEdProduccion> FormEdProduccion;
