#include "platform/ui/paginacion.h"

#include "platform/codepage.h"
#include "platform/numeros.h"
#include "platform/rtf.h"
#include "platform/ui/barrasdocumento.h"
#include "platform/ui/impresion.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace {
constexpr int kMargenSuperior = 250; // twips above the text, for the header
constexpr int kMargenInferior = 500; // twips below the text
constexpr int kTwipsPulgada = 1440;
// Device pixels: a line that touches a page's edge still fits on that page, and is drawn only on
// the page it lies on.
constexpr double kHolgura = 0.5;

// A line of the laid-out document: its top and bottom in device pixels, its first character, and
// whether a page break of the document comes before it.
struct TLinea {
    double arriba, abajo;
    int primero;
    bool salto;
};

std::vector<TLinea> lineasDe(const QTextDocument &doc) {
    std::vector<TLinea> lineas;
    auto *maquetador = doc.documentLayout();
    maquetador->documentSize(); // lays out the whole document
    bool salto = false;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const int politica = b.blockFormat().pageBreakPolicy();
        salto = salto || (politica & QTextFormat::PageBreak_AlwaysBefore);
        const QTextLayout *l = b.layout();
        const double y0 = l ? maquetador->blockBoundingRect(b).top() - l->boundingRect().top() : 0;
        for (int i = 0; l && i < l->lineCount(); ++i) {
            const QTextLine linea = l->lineAt(i);
            lineas.push_back(
                {y0 + linea.y(), y0 + linea.y() + linea.height(), b.position() + linea.textStart(), salto});
            salto = false;
        }
        salto = salto || (politica & QTextFormat::PageBreak_AlwaysAfter);
    }
    return lineas;
}
} // namespace

int PorDivide(int a, int b, int c) {
    return c ? static_cast<int>(static_cast<long long>(a) * b / c) : 0;
}

QSize TMedidasPagina::ImprimibleTwips() const {
    return {PorDivide(imprimible.width(), kTwipsPulgada, ppiX),
            PorDivide(imprimible.height(), kTwipsPulgada, ppiY)};
}

QRect TMedidasPagina::TextoTwips() const {
    QSize t = ImprimibleTwips();
    return QRect(QPoint(0, kMargenSuperior), QPoint(t.width() - 1, t.height() - kMargenInferior - 1));
}

QRect TMedidasPagina::TextoPixeles() const {
    int arriba = PorDivide(kMargenSuperior, ppiY, kTwipsPulgada);
    int abajo = imprimible.height() - PorDivide(kMargenInferior, ppiY, kTwipsPulgada);
    return QRect(0, arriba, std::max(1, imprimible.width()), std::max(1, abajo - arriba));
}

TMedidasPagina MedidasA4(int ppi) {
    TMedidasPagina m;
    m.ppiX = m.ppiY = ppi;
    m.papel = QSize(PorDivide(210, ppi * 10, 254), PorDivide(297, ppi * 10, 254));
    m.imprimible = QRect(QPoint(0, 0), m.papel);
    return m;
}

TMedidasPagina MedidasPagina(QPrinter &impresora) {
    TMedidasPagina m;
    m.ppiX = impresora.logicalDpiX();
    m.ppiY = impresora.logicalDpiY();
    m.papel = impresora.paperRect(QPrinter::DevicePixel).toRect().size();
    m.imprimible = impresora.pageRect(QPrinter::DevicePixel).toRect();
    if (m.ppiX <= 0 || m.ppiY <= 0 || m.papel.isEmpty() || m.imprimible.isEmpty())
        return MedidasA4(m.ppiY > 0 ? m.ppiY : 96);
    return m;
}

std::string CabeceraPagina(const std::string &empresa, int pagina, int total) {
    return Formato(Ansi("  %s  -  Página %d de %d").c_str(), empresa.c_str(), pagina, total);
}

TPaginacion::TPaginacion(const QTextDocument &doc, const TMedidasPagina &medidas, QPaintDevice *dispositivo)
    : doc_(CopiaDocumento(doc)), medidas_(medidas) {
    QRect texto = medidas_.TextoPixeles();
    PreparaCodigosBarras(*doc_);
    doc_->documentLayout()->setPaintDevice(dispositivo);
    doc_->setDocumentMargin(0);
    QTextOption opcion = doc_->defaultTextOption();
    opcion.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    doc_->setDefaultTextOption(opcion);
    doc_->setPageSize(QSizeF(texto.width(), texto.height()));
    altoPagina_ = texto.height();

    // Each page takes the whole lines that fit in the text rectangle from its first line, the first
    // that did not fit on the page before (Qt's layout may leave a line across its own page break).
    // A page break of the document starts a new page; a line taller than a page runs over as many
    // pages as it needs, each starting with the page before's first character.
    const QRect rect = medidas_.TextoTwips();
    double fondo = 0; // the bottom of the last page's lowest line
    auto nueva = [&](double arriba, int primero) {
        inicios_.push_back(arriba);
        paginas_.push_back({primero, -1, rect});
    };
    auto continua = [&] {
        while (fondo > inicios_.back() + altoPagina_ + kHolgura)
            nueva(inicios_.back() + altoPagina_, paginas_.back().primero);
    };
    for (const TLinea &l : lineasDe(*doc_)) {
        if (!paginas_.empty() && !l.salto && l.abajo <= inicios_.back() + altoPagina_ + kHolgura) {
            fondo = std::max(fondo, l.abajo);
            continue;
        }
        if (!paginas_.empty())
            continua();
        nueva(l.arriba, l.primero);
        fondo = l.abajo;
    }
    if (paginas_.empty())
        nueva(0, 0);
    continua();
    const int largo = std::max(0, doc_->characterCount() - 1);
    for (size_t n = 0; n < paginas_.size(); ++n)
        paginas_[n].ultimo =
            n + 1 < paginas_.size() ? std::max(paginas_[n].primero, paginas_[n + 1].primero) - 1 : largo - 1;
}

TPaginacion::~TPaginacion() = default;

void TPaginacion::DibujaPagina(QPainter &p, int n) const {
    if (n < 0 || n >= NumPaginas())
        return;
    const QRect texto = medidas_.TextoPixeles();
    const double arriba = inicios_[n];
    double abajo = arriba + altoPagina_;
    if (n + 1 < NumPaginas())
        abajo = std::min(abajo, inicios_[n + 1]);
    p.save();
    p.translate(texto.left(), texto.top() - arriba);
    const QRectF pagina(0, arriba, texto.width(), abajo - arriba);
    p.setClipRect(pagina, Qt::IntersectClip);
    // The layout draws every line that touches its clip, edges included: the first line of the next
    // page would be drawn here too, clipped away.
    const QRectF lineas = pagina.adjusted(0, kHolgura, 0, -kHolgura);
    QAbstractTextDocumentLayout::PaintContext contexto;
    contexto.clip = lineas;
    contexto.palette.setColor(QPalette::Text, Qt::black);
    doc_->documentLayout()->draw(&p, contexto);
    PintaCodigosBarras(p, *doc_, lineas);
    p.restore();
}

void TPaginacion::DibujaCabecera(QPainter &p, const std::string &texto, const QFont &fuente) const {
    // Sized in device pixels so it measures the same on the printer and on a scaled preview.
    QFont f = fuente;
    double puntos = fuente.pointSizeF() > 0 ? fuente.pointSizeF() : 8;
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(puntos * medidas_.ppiY / 72.0))));
    p.save();
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QPointF(0, QFontMetricsF(f).ascent()), aQ(texto));
    p.restore();
}

bool ImprimePaginas(const TPaginacion &paginas, QPrinter &impresora, int primera, int ultima,
                    const std::string &empresa, const QFont &fuente, std::string &error) {
    primera = std::max(primera, 0);
    ultima = std::min(ultima, paginas.NumPaginas());
    if (primera >= ultima)
        return true;
    return Imprime(
        impresora,
        [&](QPainter &p) {
            for (int n = primera; n < ultima; ++n) {
                if (n > primera && !impresora.newPage())
                    return false;
                paginas.DibujaPagina(p, n);
                paginas.DibujaCabecera(p, CabeceraPagina(empresa, n + 1, paginas.NumPaginas()), fuente);
            }
            return true;
        },
        error);
}
