#pragma once
// Document windows: a report (or a saved report file) as rich text in a child window of the main
// window. "Guardar" writes it as RTF under the name the report chose; "Imprimir" shows the print
// preview and prints it with the page header "  %s  -  Página %d de %d".
#include "platform/ui/barrasdocumento.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

class QAction;
class TInformeRTF;
class QPrintDialog;
class QPrinter;
class QTextDocument;
class QToolBar;
class QToolButton;

// Kinds of document: a production document prints landscape, any other kind portrait.
constexpr int DocumentoPresencia = 1;
constexpr int DocumentoProduccion = 2;
// Largest file a document window opens (100 MiB).
constexpr long long LimiteTextoDocumento = 104857600;

class TMDIChild : public QWidget {
    Q_OBJECT
public:
    explicit TMDIChild(QWidget *padre = nullptr);

    // A new document window, shown at once as a child window of the main window (when there is one);
    // prepara, when given, fills it in before it is shown (a document set then is laid out once).
    static TMDIChild *Crea(const std::function<void(TMDIChild &)> &prepara = {});

    QToolBar *ToolBar1;
    QAction *Imprimir;
    QToolButton *BotonRec;                // "Guardar", enabled once a file name is set
    QTextEdit *REGr;                      // hidden scratch editor for report builders
    QPrintDialog *PrintDialog1 = nullptr; // on the shared printer, made when first needed

    int Tipo = 0;              // kind: DocumentoProduccion prints landscape
    std::string NombreArchivo; // where "Guardar" writes; empty until a report sets it

    // The document's editor, laid out as far as it is shown; a report's document is made first if
    // the window has not been seen yet, so its text is there for whoever reads it.
    TEditorDocumento *Memo1();
    // True while the window holds its report in compact form, not yet seen.
    bool DocumentoPendiente() const { return editor_->DocumentoPendiente(); }

    // Caption: the document's title (Windows-1252).
    void FijaTitulo(const std::string &titulo);
    // Sets the file name and enables "Guardar".
    void FijaNombreArchivo(const std::string &ruta);
    // Shows doc in Memo1, which keeps it.
    void FijaDocumento(std::unique_ptr<QTextDocument> doc);
    // Shows the report's document in Memo1, built from the report when the window is first seen.
    void FijaInforme(TInformeRTF &&informe);

    // "Guardar": writes Memo1 as RTF to the file name with every '*' made a blank.
    void BotonRecClick();
    // "Imprimir": printer orientation by kind, print preview, print dialog, printing.
    void ImprimirExecute();

protected:
    void mousePressEvent(QMouseEvent *e) override; // a click on the window's own surface prints

private:
    TEditorDocumento *editor_;
    // The print dialog (or the dialogs seam when one answers): the pages 1-based; false if cancelled.
    bool PideRango(QPrinter &impresora, int &desde, int &hasta, int paginas);
};

// State shared with the print preview.
extern int PaginaActual;                             // page shown, 0-based
extern QPointer<TEditorDocumento> EditorVistaPrevia; // the editor being previewed
extern unsigned char ImprimirPedido;                 // set when the preview's "Imprimir" closed it
extern int NumPaginas;                               // page count found by the preview

// Opens a saved report (RTF, or plain text) in a new document window. Nothing happens when no
// file exists at the path. Kind 2 when the production output directory occurs in the path, else 1.
TMDIChild *AbreDocumento(const std::string &ruta);

// Opens a built report in a new document window: caption, kind, the text, and the file name with
// "Guardar" enabled when one was given. The window belongs to the main window and takes the
// report (left empty), whose document is built when the window is first seen; from a const report
// it shows a copy of its document.
TMDIChild *MuestraInforme(TInformeRTF &&informe);
TMDIChild *MuestraInforme(const TInformeRTF &informe);
