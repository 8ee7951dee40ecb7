#include "frame/documento.h"

#include "common/configuracion.h"
#include "common/sesion.h"
#include "frame/previsualizacion.h"
#include "frame/principal.h"
#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/informe.h"
#include "platform/lineas.h"
#include "platform/rtf.h"
#include "platform/rutas.h"
#include "platform/ui/barrasdocumento.h"
#include "platform/ui/impresion.h"
#include "platform/ui/paginacion.h"

#include <QAction>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

int PaginaActual = 0;
QPointer<TEditorDocumento> EditorVistaPrevia;
unsigned char ImprimirPedido = 0;
int NumPaginas = 0;

namespace {

template <class Editor> Editor *editor(QWidget *padre) {
    auto *e = new Editor(padre);
    e->setFont(QFont("MS Sans Serif", 8));
    e->setLineWrapMode(Editor::NoWrap);
    e->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    e->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    e->setTabStopDistance(TabuladorTwips / TwipsPorUnidad);
    return e;
}

// An empty document in the defaults of the editor's.
std::unique_ptr<QTextDocument> documentoComo(const QTextDocument &modelo) {
    auto doc = std::make_unique<QTextDocument>();
    doc->setDefaultFont(modelo.defaultFont());
    doc->setDefaultTextOption(modelo.defaultTextOption());
    return doc;
}

// Caption, kind, document and file name of a report in a new document window.
TMDIChild *muestra(const TInformeRTF &informe, const std::function<void(TMDIChild &)> &documento) {
    return TMDIChild::Crea([&](TMDIChild &w) {
        w.Tipo = informe.Tipo();
        w.FijaTitulo(informe.Titulo());
        documento(w);
        if (!informe.NombreArchivo().empty())
            w.FijaNombreArchivo(informe.NombreArchivo());
    });
}

// Moves and, when it must, shrinks a child window so that the whole of it is inside the visible
// area of the main window.
void dentroDelArea(QMdiSubWindow *s) {
    const QMdiArea *area = s->mdiArea();
    if (!area || !area->isVisible()) // an area not on screen has no size to go by
        return;
    const QRect visible = area->viewport()->rect();
    if (visible.isEmpty())
        return;
    const QSize tam = s->size().boundedTo(visible.size()).expandedTo(s->minimumSizeHint());
    const int x = std::clamp(s->x(), 0, std::max(0, visible.width() - tam.width()));
    const int y = std::clamp(s->y(), 0, std::max(0, visible.height() - tam.height()));
    s->setGeometry(x, y, tam.width(), tam.height());
}

} // namespace

TMDIChild::TMDIChild(QWidget *padre) : QWidget(padre) {
    setAttribute(Qt::WA_DeleteOnClose); // freed when closed
    setObjectName("MDIChild");
    resize(600, 450);
    ToolBar1 = new QToolBar(this);
    Imprimir = new QAction("Imprimir", this);
    Imprimir->setToolTip("Imprimir");
    ToolBar1->addAction(Imprimir);
    BotonRec = new QToolButton(this);
    BotonRec->setText("Guardar");
    BotonRec->setToolTip("Guardar archivo");
    BotonRec->setEnabled(false);
    ToolBar1->addWidget(BotonRec);
    editor_ = editor<TEditorDocumento>(this);
    REGr = editor<TEditorCodigos>(this);
    REGr->setAcceptRichText(true);
    REGr->hide();
    auto *capa = new QVBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->setSpacing(0);
    capa->addWidget(ToolBar1);
    capa->addWidget(editor_);
    capa->addWidget(REGr);
    connect(Imprimir, &QAction::triggered, this, [this] { ImprimirExecute(); });
    connect(BotonRec, &QToolButton::clicked, this, [this] { BotonRecClick(); });
}

TMDIChild *TMDIChild::Crea(const std::function<void(TMDIChild &)> &prepara) {
    auto *w = new TMDIChild();
    if (prepara)
        prepara(*w);
    QMdiSubWindow *s = MainForm ? MainForm->AnadeHija(w) : nullptr;
    if (s) {
        s->resize(s->sizeHint().expandedTo(QSize(640, 480)));
        s->show();
        dentroDelArea(s);
    } else {
        w->show();
    }
    return w;
}

TEditorDocumento *TMDIChild::Memo1() {
    editor_->Construye();
    return editor_;
}

void TMDIChild::FijaTitulo(const std::string &titulo) {
    setWindowTitle(aQ(titulo));
}

void TMDIChild::FijaNombreArchivo(const std::string &ruta) {
    NombreArchivo = ruta;
    BotonRec->setEnabled(true);
}

void TMDIChild::FijaDocumento(std::unique_ptr<QTextDocument> doc) {
    PreparaCodigosBarras(*doc);
    editor_->FijaDocumento(std::move(doc));
}

void TMDIChild::FijaInforme(TInformeRTF &&informe) {
    auto guardado = std::make_shared<TInformeRTF>(std::move(informe));
    editor_->FijaDocumentoDiferido([guardado] {
        std::unique_ptr<QTextDocument> doc = guardado->Entrega();
        PreparaCodigosBarras(*doc);
        return doc;
    });
}

void TMDIChild::BotonRecClick() {
    std::string destino = NombreArchivo;
    std::replace(destino.begin(), destino.end(), '*', ' ');
    std::string error;
    if (!GuardaDocumento(destino, *Memo1()->document(), error)) {
        Dialogos::Error(error);
        return;
    }
    BotonRec->setEnabled(false);
}

void TMDIChild::ImprimirExecute() {
    QPrinter &impresora = Impresora();
    impresora.setPageOrientation(Tipo == DocumentoProduccion ? QPageLayout::Landscape
                                                             : QPageLayout::Portrait);
    PaginaActual = 0;
    EditorVistaPrevia = Memo1();
    ImprimirPedido = 0;
    if (!PreviewForm)
        PreviewForm = new TPreviewForm(MainForm);
    PreviewForm->Muestra();
    if (!ImprimirPedido)
        return;

    TMedidasPagina medidas = MedidasPagina(impresora);
    auto paginas = std::make_unique<TPaginacion>(*Memo1()->document(), medidas, &impresora);
    int desde = 1, hasta = paginas->NumPaginas();
    if (!PideRango(impresora, desde, hasta, paginas->NumPaginas()))
        return;
    if (!(MedidasPagina(impresora) == medidas)) // the dialog changed the printer or its paper
        paginas = std::make_unique<TPaginacion>(*Memo1()->document(), MedidasPagina(impresora), &impresora);
    std::string error;
    if (!ImprimePaginas(*paginas, impresora, desde - 1, hasta, Sesion().NombreEmpresa, Memo1()->font(),
                        error))
        Dialogos::Error(error);
}

bool TMDIChild::PideRango(QPrinter &impresora, int &desde, int &hasta, int paginas) {
    if (Dialogos::Actual())
        return Dialogos::Imprimir(desde, hasta, paginas);
    if (!PrintDialog1) {
        PrintDialog1 = new QPrintDialog(&impresora, this);
        PrintDialog1->setOption(QAbstractPrintDialog::PrintPageRange, true);
    }
    PrintDialog1->setMinMax(1, paginas);
    PrintDialog1->setFromTo(1, paginas);
    if (PrintDialog1->exec() != QDialog::Accepted)
        return false;
    if (impresora.printRange() == QPrinter::PageRange) {
        desde = impresora.fromPage();
        hasta = impresora.toPage();
    }
    return true;
}

void TMDIChild::mousePressEvent(QMouseEvent *e) {
    // clicks that its tool bar or editor leave unhandled are not on the window's own surface
    if (e->button() == Qt::LeftButton && !childAt(e->position().toPoint()))
        ImprimirExecute();
}

TMDIChild *AbreDocumento(const std::string &ruta) {
    if (!ExisteArchivo(ruta))
        return nullptr;
    TMDIChild *w = TMDIChild::Crea();
    w->setWindowTitle(RutaQ(ruta));
    w->Tipo = !Configuracion().DirArchivosProd.empty() &&
                      ruta.find(Configuracion().DirArchivosProd) != std::string::npos
                  ? DocumentoProduccion
                  : DocumentoPresencia;
    // loaded apart and handed over whole: the editor lays out only what it shows
    std::unique_ptr<QTextDocument> doc = documentoComo(*w->Memo1()->document());
    std::string error;
    if (QFileInfo(RutaQ(ruta)).size() > LimiteTextoDocumento)
        Dialogos::Error(Ansi("El archivo ") + ruta + Ansi(" es demasiado grande para abrirlo."));
    else if (!CargaDocumento(ruta, *doc, error))
        Dialogos::Error(error);
    w->FijaDocumento(std::move(doc));
    return w;
}

TMDIChild *MuestraInforme(TInformeRTF &&informe) {
    return muestra(informe, [&](TMDIChild &w) { w.FijaInforme(std::move(informe)); });
}

TMDIChild *MuestraInforme(const TInformeRTF &informe) {
    return muestra(informe, [&](TMDIChild &w) {
        w.FijaDocumento(std::unique_ptr<QTextDocument>(CopiaDocumento(informe.Documento())));
    });
}
