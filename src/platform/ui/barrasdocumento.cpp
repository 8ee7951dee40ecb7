#include "platform/ui/barrasdocumento.h"

#include "platform/code39.h"
#include "platform/codepage.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// Letter spacing of the runs, in percent of the substitute's advance: with it a character of a
// 12-point run spans sixteen modules of about a quarter of a millimetre.
constexpr double kEspaciado = 160;
// Modules of a character with the gap that follows it.
constexpr int kModulosCaracter = 16;

void instalaSustituto() {
    static const bool hecho = [] {
        QFont::insertSubstitutions(QString::fromLatin1(Code39::Fuente),
                                   {"DejaVu Sans Mono", "Liberation Mono", "Monospace"});
        return true;
    }();
    (void)hecho;
}

bool enFuenteCodigos(const QTextCharFormat &f, const QTextDocument &doc) {
    const QStringList familias = f.fontFamilies().toStringList();
    const QString familia =
        !familias.isEmpty() && !familias.first().isEmpty() ? familias.first() : doc.defaultFont().family();
    return familia.compare(QLatin1String(Code39::Fuente), Qt::CaseInsensitive) == 0;
}

bool separa(QChar c) {
    return c == u'\t' || c == u'\n' || c == QChar(0x2028) || c == QChar(0x2029) ||
           c == QChar::ObjectReplacementCharacter;
}

// The bars of one piece [desde, hasta) of a block, over the room its characters take.
void pintaPieza(QPainter &p, const QTextLayout &l, QPointF origen, const QString &pieza, int desde,
                int hasta) {
    const QTextLine linea = l.lineForTextPosition(desde);
    if (!linea.isValid() || hasta > linea.textStart() + linea.textLength())
        return;
    const std::string texto = deQ(pieza);
    const int modulos = Code39::Modulos(texto);
    if (modulos == 0)
        return;
    const double x1 = linea.cursorToX(desde), x2 = linea.cursorToX(hasta);
    const double ancho = std::abs(x2 - x1);
    const double modulo = ancho / (kModulosCaracter * pieza.size()) + 1e-6;
    const double centro = origen.x() + (x1 + x2) / 2;
    Code39::Pinta(
        p, QRectF(centro - modulo * modulos / 2, origen.y() + linea.y(), modulo * modulos, linea.height()),
        texto);
}

void pintaRun(QPainter &p, const QTextLayout &l, QPointF origen, const QString &texto, int inicio) {
    for (int a = 0, b = 0; a < texto.size(); a = b) {
        while (a < texto.size() && separa(texto[a]))
            ++a;
        for (b = a; b < texto.size() && !separa(texto[b]); ++b) {
        }
        if (b > a)
            pintaPieza(p, l, origen, texto.mid(a, b - a), inicio + a, inicio + b);
    }
}

} // namespace

void PreparaCodigosBarras(QTextDocument &doc) {
    instalaSustituto();
    // The document's formats in the bar-code font not yet spaced: a document without any (every
    // report but a few) is not walked.
    const QList<QTextFormat> formatos = doc.allFormats();
    std::vector<bool> porEspaciar(static_cast<size_t>(formatos.size()));
    bool alguno = false;
    for (qsizetype i = 0; i < formatos.size(); ++i) {
        const QTextCharFormat f = formatos[i].toCharFormat();
        if (formatos[i].isCharFormat() && enFuenteCodigos(f, doc) &&
            (f.fontLetterSpacingType() != QFont::PercentageSpacing || f.fontLetterSpacing() != kEspaciado))
            porEspaciar[static_cast<size_t>(i)] = alguno = true;
    }
    if (!alguno)
        return;
    std::vector<std::pair<int, int>> runs;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fr = it.fragment();
            const auto i = static_cast<size_t>(fr.charFormatIndex());
            if (fr.isValid() && i < porEspaciar.size() && porEspaciar[i])
                runs.emplace_back(fr.position(), fr.position() + fr.length());
        }
    QTextCharFormat espaciado;
    espaciado.setFontLetterSpacingType(QFont::PercentageSpacing);
    espaciado.setFontLetterSpacing(kEspaciado);
    QTextCursor c(&doc);
    for (const auto &[desde, hasta] : runs) {
        c.setPosition(desde);
        c.setPosition(hasta, QTextCursor::KeepAnchor);
        c.mergeCharFormat(espaciado);
    }
}

void PintaCodigosBarras(QPainter &p, const QTextDocument &doc, const QRectF &recorte) {
    QAbstractTextDocumentLayout *maquetador = doc.documentLayout();
    const int primera = std::max(0, maquetador->hitTest(recorte.topLeft(), Qt::FuzzyHit));
    QTextBlock b = doc.findBlock(primera);
    if (b.isValid() && b.previous().isValid())
        b = b.previous();
    for (; b.isValid(); b = b.next()) {
        const QRectF caja = maquetador->blockBoundingRect(b);
        if (caja.top() > recorte.bottom())
            break;
        const QTextLayout *l = b.layout();
        if (l && caja.bottom() >= recorte.top())
            PintaCodigosBloque(p, b, caja.topLeft() - l->boundingRect().topLeft());
    }
}

void PintaCodigosBloque(QPainter &p, const QTextBlock &b, QPointF origen) {
    const QTextLayout *l = b.layout();
    if (!l || !b.document())
        return;
    for (auto it = b.begin(); !it.atEnd(); ++it) {
        const QTextFragment fr = it.fragment();
        if (fr.isValid() && enFuenteCodigos(fr.charFormat(), *b.document()))
            pintaRun(p, *l, origen, fr.text(), fr.position() - b.position());
    }
}

TEditorCodigos::TEditorCodigos(QWidget *padre) : QTextEdit(padre) {
    instalaSustituto();
}

void TEditorCodigos::paintEvent(QPaintEvent *e) {
    QTextEdit::paintEvent(e);
    QPainter p(viewport());
    const QPointF desplazamiento(horizontalScrollBar()->value(), verticalScrollBar()->value());
    p.translate(-desplazamiento);
    PintaCodigosBarras(p, *document(), QRectF(e->rect()).translated(desplazamiento));
}

namespace {
// An accessibility client reads an editor's text: while one is active, a pending document is made
// when its editor's interface is asked for, and every pending one when a client starts. Without a
// client, Qt still asks for interfaces as windows are shown; those leave the document pending.
QAccessibleInterface *accesibleDocumento(const QString &, QObject *objeto) {
    if (auto *editor = qobject_cast<TEditorDocumento *>(objeto); editor && QAccessible::isActive())
        editor->Construye();
    return nullptr;
}

class TClienteAccesible : public QAccessible::ActivationObserver {
public:
    void accessibilityActiveChanged(bool activo) override {
        if (!activo)
            return;
        for (QWidget *w : QApplication::allWidgets())
            if (auto *editor = qobject_cast<TEditorDocumento *>(w))
                editor->Construye();
    }
};
} // namespace

TEditorDocumento::TEditorDocumento(QWidget *padre) : QPlainTextEdit(padre) {
    instalaSustituto();
    static const bool accesible = [] {
        QAccessible::installFactory(accesibleDocumento);
        static TClienteAccesible cliente;
        QAccessible::installActivationObserver(&cliente);
        return true;
    }();
    (void)accesible;
}

void TEditorDocumento::FijaDocumento(std::unique_ptr<QTextDocument> doc) {
    pendiente_ = nullptr;
    doc->setDocumentLayout(new QPlainTextDocumentLayout(doc.get()));
    doc->setParent(this);
    setDocument(doc.release());
}

void TEditorDocumento::FijaDocumentoDiferido(std::function<std::unique_ptr<QTextDocument>()> hace) {
    pendiente_ = std::move(hace);
}

void TEditorDocumento::Construye() {
    if (!pendiente_)
        return;
    const auto hace = std::move(pendiente_);
    pendiente_ = nullptr;
    FijaDocumento(hace());
}

bool TEditorDocumento::viewportEvent(QEvent *e) {
    switch (e->type()) {
    case QEvent::Paint:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        Construye();
        break;
    default:
        break;
    }
    return QPlainTextEdit::viewportEvent(e);
}

void TEditorDocumento::focusInEvent(QFocusEvent *e) {
    Construye();
    QPlainTextEdit::focusInEvent(e);
}

void TEditorDocumento::keyPressEvent(QKeyEvent *e) {
    Construye();
    QPlainTextEdit::keyPressEvent(e);
}

void TEditorDocumento::paintEvent(QPaintEvent *e) {
    QPlainTextEdit::paintEvent(e);
    // The blocks from the first one shown, one under the other, as QPlainTextEdit draws them.
    QPainter p(viewport());
    QPointF origen = contentOffset();
    for (QTextBlock b = firstVisibleBlock(); b.isValid() && origen.y() <= e->rect().bottom(); b = b.next()) {
        const double alto = blockBoundingRect(b).height();
        if (b.isVisible() && origen.y() + alto >= e->rect().top())
            PintaCodigosBloque(p, b, origen + b.layout()->position());
        origen.ry() += alto;
    }
}
