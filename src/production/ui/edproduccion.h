#pragma once
// The production editor: a child window of the frame with three pages, "Nueva Orden" (composing
// work orders), production by order and production by employee.
#include "production/ui/nuevaorden.h"
#include "production/ui/paginaempleado.h"
#include "production/ui/paginaobra.h"

#include <QPointer>
#include <QWidget>

class QAction;
class QTabWidget;

class TFormEdProduccion : public QWidget,
                          public TPaginaNuevaOrden,
                          public TPaginaObra,
                          public TPaginaEmpleado {
    Q_OBJECT
public:
    explicit TFormEdProduccion(QWidget *padre = nullptr);

    QTabWidget *PageControl1 = nullptr;
    // The time display of the period grids: "Tiempo en horas y minutos", "Tiempo en minutos".
    QMenu *MenuTiempos = nullptr;
    QAction *TiempoHoras = nullptr, *TiempoMinutos = nullptr;

    // Captions from the configured nouns, the grids' titles and the stored column widths.
    void FormCreate();
    // Every activation: the panel's dates, the schemas, the folder number and the clients.
    void FormActivate();
    // The main window's production actions: page n made active and opened.
    void MuestraPagina(int n);
    // The page control's change: the page shown opened.
    void PageControl1Change();
    // The time display chosen: written to [Config] "FTPro" and the page shown computed again.
    void CambiaTiempo(bool horas);

protected:
    void OrdenGuardada() override;
    void AmpliaOrden() override;
    bool Horas() const override { return horas_; }
    QMenu *MenuTiempo() override { return MenuTiempos; }
    QDate FechaInforme() const override;
    void showEvent(QShowEvent *e) override;
    // A double click on the free area scales the form by 800/1024, the next one back.
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    // Stores the column widths; inside the frame the window only minimises.
    void closeEvent(QCloseEvent *e) override;

private:
    bool horas_ = false;
    bool reducida_ = false;
    QSize tamanoNormal_;
};

extern QPointer<TFormEdProduccion> FormEdProduccion;
