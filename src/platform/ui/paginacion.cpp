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

    // The first character of every page: Qt moves a line that would cross a page break to the
    // next page, so each line lies on one page.
    int total = std::max(1, doc_->pageCount());
    std::vector<int> primero(static_cast<size_t>(total), -1);
    auto *maquetador = doc_->documentLayout();
    for (QTextBlock b = doc_->begin(); b.isValid(); b = b.next()) {
        QTextLayout *l = b.layout();
        if (!l)
            continue;
        double y0 = maquetador->blockBoundingRect(b).top();
        for (int i = 0; i < l->lineCount(); ++i) {
            QTextLine linea = l->lineAt(i);
            int n = static_cast<int>(std::floor((y0 + linea.y() + 0.01) / altoPagina_));
            n = std::clamp(n, 0, total - 1);
            if (primero[n] < 0)
                primero[n] = b.position() + linea.textStart();
        }
    }
    int largo = std::max(0, doc_->characterCount() - 1);
    QRect rect = medidas_.TextoTwips();
    paginas_.resize(static_cast<size_t>(total));
    for (int n = 0; n < total; ++n) {
        if (primero[n] < 0) // a page covered by an object begun on the page before
            primero[n] = n ? primero[n - 1] : 0;
        paginas_[n].primero = primero[n];
        paginas_[n].rect = rect;
    }
    for (int n = 0; n < total; ++n)
        paginas_[n].ultimo = n + 1 < total ? std::max(paginas_[n].primero, primero[n + 1]) - 1 : largo - 1;
}

TPaginacion::~TPaginacion() = default;

void TPaginacion::DibujaPagina(QPainter &p, int n) const {
    if (n < 0 || n >= NumPaginas())
        return;
    QRect texto = medidas_.TextoPixeles();
    p.save();
    p.translate(texto.left(), texto.top() - n * altoPagina_);
    QRectF recorte(0, n * altoPagina_, texto.width(), altoPagina_);
    p.setClipRect(recorte, Qt::IntersectClip);
    QAbstractTextDocumentLayout::PaintContext contexto;
    contexto.clip = recorte;
    contexto.palette.setColor(QPalette::Text, Qt::black);
    doc_->documentLayout()->draw(&p, contexto);
    PintaCodigosBarras(p, *doc_, recorte);
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
    bool paginaNueva = true;
    const TResultadoImpresion r = Imprime(impresora, [&](QPainter &p) {
        for (int n = primera; n < ultima; ++n) {
            if (n > primera && !impresora.newPage()) {
                paginaNueva = false;
                return false;
            }
            paginas.DibujaPagina(p, n);
            paginas.DibujaCabecera(p, CabeceraPagina(empresa, n + 1, paginas.NumPaginas()), fuente);
        }
        return true;
    });
    if (r == TResultadoImpresion::SinImpresora) {
        error = Ansi("No se puede imprimir: la impresora no está disponible.");
        return false;
    }
    if (!paginaNueva) {
        error = Ansi("No se puede imprimir: la impresora no acepta una página nueva.");
        return false;
    }
    return true;
}
