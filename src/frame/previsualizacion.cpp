#include "frame/previsualizacion.h"

#include "common/sesion.h"
#include "frame/documento.h"
#include "platform/codepage.h"
#include "platform/ui/impresion.h"
#include "platform/ui/paginacion.h"

#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QToolButton>
#include <algorithm>

QPointer<TPreviewForm> PreviewForm;

namespace {
constexpr int kBandaBotones = 50;

// The printer's measures, or an A4 page when there is no usable printer.
TMedidasPagina medidas(QPrinter &impresora) {
    return impresora.isValid() ? MedidasPagina(impresora) : MedidasA4(96);
}
} // namespace

TPreviewPanel::TPreviewPanel(TPreviewForm *form) : QWidget(form), form_(form) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void TPreviewPanel::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    form_->PintaPagina(p);
}

TPreviewForm::TPreviewForm(QWidget *padre) : QDialog(padre) {
    setObjectName("PreviewForm");
    setWindowTitle("Vista preliminar");
    setModal(true);
    menospg = new QToolButton(this);
    menospg->setText("Anterior");
    maspg = new QToolButton(this);
    maspg->setText("Siguiente");
    SpeedButton3 = new QToolButton(this);
    SpeedButton3->setText("Imprimir");
    Label1 = new QLabel(this);
    menospg->setGeometry(8, 12, 80, 26);
    maspg->setGeometry(92, 12, 80, 26);
    SpeedButton3->setGeometry(184, 12, 80, 26);
    Label1->setGeometry(276, 12, 400, 26);
    Panel = new TPreviewPanel(this);
    connect(menospg, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(maspg, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
    connect(SpeedButton3, &QToolButton::clicked, this, [this] { SpeedButton3Click(); });
    resize(620, 820);
    FormResize();
}

std::function<void(TPreviewForm &)> TPreviewForm::Respuesta;

int TPreviewForm::Muestra() {
    if (!Respuesta)
        return exec();
    setResult(QDialog::Rejected);
    show();
    Respuesta(*this);
    if (isVisible())
        reject();
    return result();
}

void TPreviewForm::SpeedButton1Click() {
    if (PaginaActual != 0) {
        --PaginaActual;
        Panel->update();
    }
}

void TPreviewForm::SpeedButton2Click() {
    if (PaginaActual + 1 < NumPaginas) {
        ++PaginaActual;
        Panel->update();
    }
}

void TPreviewForm::SpeedButton3Click() {
    ImprimirPedido = 1;
    accept();
}

QRect TPreviewForm::DisposicionPanel(QSize cliente, QSize pagina) {
    if (pagina.width() <= 0 || pagina.height() <= 0)
        pagina = MedidasA4(96).papel;
    int w = PorDivide(cliente.height(), pagina.width(), pagina.height());
    int h = cliente.height();
    int izquierda = 0;
    if (cliente.width() >= w) {
        izquierda = (cliente.width() - w) / 2;
    } else {
        w = cliente.width();
        h = PorDivide(cliente.width(), pagina.height(), pagina.width());
    }
    return QRect(izquierda, kBandaBotones, std::max(0, w), std::max(0, h - kBandaBotones));
}

void TPreviewForm::FormResize() {
    // Laid out when shown: the printer, slow to set up, is not needed before.
    if (!isVisible())
        return;
    Panel->setGeometry(DisposicionPanel(size(), medidas(Impresora()).papel));
}

void TPreviewForm::resizeEvent(QResizeEvent *e) {
    QDialog::resizeEvent(e);
    FormResize();
}

void TPreviewForm::showEvent(QShowEvent *e) {
    QDialog::showEvent(e);
    FormResize();
}

void TPreviewForm::PintaPagina(QPainter &p) {
    QPrinter &impresora = Impresora();
    TMedidasPagina m = medidas(impresora);
    if (EditorVistaPrevia) {
        TPaginacion paginas(*EditorVistaPrevia->document(), m, impresora.isValid() ? &impresora : nullptr);
        NumPaginas = paginas.NumPaginas();
        PaginaActual = std::clamp(PaginaActual, 0, NumPaginas - 1);
        std::string cabecera = CabeceraPagina(Sesion().NombreEmpresa, PaginaActual + 1, NumPaginas);
        Label1->setText(aQ(cabecera));
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(static_cast<double>(Panel->width()) / m.papel.width(),
                static_cast<double>(Panel->height()) / m.papel.height());
        p.translate(m.imprimible.topLeft());
        paginas.DibujaPagina(p, PaginaActual);
        paginas.DibujaCabecera(p, cabecera, EditorVistaPrevia->font());
        p.restore();
    } else {
        NumPaginas = 0;
        Label1->clear();
    }
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(Panel->rect().adjusted(0, 0, -1, -1));
}
