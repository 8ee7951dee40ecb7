#pragma once
// Print preview: a modal window that draws one page of the document being printed, scaled to fit
// and laid out as the printer will lay it out, with the page header above the text. "Imprimir"
// closes it and lets the document window print; closing it otherwise prints nothing.
#include <QDialog>
#include <QPointer>
#include <functional>

class QLabel;
class QPainter;
class QToolButton;
class TPreviewForm;

// The page surface of the preview.
class TPreviewPanel : public QWidget {
    Q_OBJECT
public:
    explicit TPreviewPanel(TPreviewForm *form);

protected:
    void paintEvent(QPaintEvent *e) override; // a plain white panel, then PintaPagina

private:
    TPreviewForm *form_;
};

class TPreviewForm : public QDialog {
    Q_OBJECT
public:
    explicit TPreviewForm(QWidget *padre = nullptr);

    QLabel *Label1;            // page caption
    QToolButton *menospg;      // "Anterior"
    QToolButton *maspg;        // "Siguiente"
    QToolButton *SpeedButton3; // "Imprimir"
    TPreviewPanel *Panel;

    // Shows the preview modally. When Respuesta is set (tests, runs without a screen) the preview
    // is shown without a modal loop, Respuesta acts on it, and closing what it left open is the
    // close box.
    int Muestra();
    static std::function<void(TPreviewForm &)> Respuesta;

    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void FormResize();
    // Paginates the document of EditorVistaPrevia for the printer and draws page PaginaActual on
    // the panel; sets NumPaginas and the caption.
    void PintaPagina(QPainter &p);

    // Place of the panel for a client area and a physical page of pw x ph pixels: as tall as the
    // client area allows and centred, or as wide as it and at the left edge. The top 50 pixels
    // hold the buttons.
    static QRect DisposicionPanel(QSize cliente, QSize pagina);

protected:
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override; // the printer's orientation may have changed
};

extern QPointer<TPreviewForm> PreviewForm;
