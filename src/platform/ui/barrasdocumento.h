#pragma once
// Runs of a document in the bar-code font (Code39::Fuente) shown as Code 39 bars drawn by our own
// painter: on screen, in the print preview and on the printer. The run keeps its text and its font
// name, so a saved document is what a word processor with that font shows. The font is not
// installed here: its runs are laid out in a monospace substitute spaced so that a character takes
// the room of its sixteen modules, and the bars are painted over the laid-out text.
#include <QPlainTextEdit>
#include <QTextEdit>
#include <functional>
#include <memory>

class QPainter;
class QTextBlock;
class QTextDocument;

// Spaces the runs in the bar-code font for their bars (letter spacing, which the saved RTF does not
// carry). Running it again changes nothing.
void PreparaCodigosBarras(QTextDocument &doc);
// Paints the bars of every run in the bar-code font that meets recorte, in the coordinates of the
// document's layout. A piece of a run (up to a tab) that Code 39 cannot code, or that a line break
// splits, stays as text.
void PintaCodigosBarras(QPainter &p, const QTextDocument &doc, const QRectF &recorte);
// The bars of one laid-out block whose lines are drawn from origen.
void PintaCodigosBloque(QPainter &p, const QTextBlock &b, QPointF origen);

// A rich-text editor that shows the runs in the bar-code font as bars.
class TEditorCodigos : public QTextEdit {
    Q_OBJECT
public:
    explicit TEditorCodigos(QWidget *padre = nullptr);

protected:
    void paintEvent(QPaintEvent *e) override;
};

// The editor of document windows: a document of any length opens at once, since only the lines it
// shows are laid out, each as a plain line with its character formats (colours, sizes, fonts,
// bold, underline); paragraph settings (tab stops, alignment, indents) are not shown. The runs in
// the bar-code font show as bars.
class TEditorDocumento : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TEditorDocumento(QWidget *padre = nullptr);

    // Shows doc, which the editor keeps from now on.
    void FijaDocumento(std::unique_ptr<QTextDocument> doc);
    // Shows the document hace gives, made when the editor first needs it: when it is painted (a
    // window covered by others is not), clicked, scrolled, gets the focus, is read by an
    // accessibility client, or Construye is called. Until then the editor holds an empty document,
    // so code that reads the text calls Construye first.
    void FijaDocumentoDiferido(std::function<std::unique_ptr<QTextDocument>()> hace);
    bool DocumentoPendiente() const { return static_cast<bool>(pendiente_); }
    // Makes the pending document now.
    void Construye();

protected:
    bool viewportEvent(QEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    std::function<std::unique_ptr<QTextDocument>()> pendiente_;
};
