#include "production/ui/edproduccion.h"

#include "common/configuracion.h"
#include "platform/codepage.h"
#include "platform/ui/controles.h"
#include "platform/ui/stringgridview.h"
#include "platform/ui/ventanas.h"
#include "production/datosproduccion.h"
#include "production/fichajesproduccion.h"
#include "production/obras.h"
#include "terminal/ui/panel.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QTabWidget>
#include <QVBoxLayout>

QPointer<TFormEdProduccion> FormEdProduccion;

namespace {
std::vector<int> anchos(const TStringGridView *v, const StringGrid &g) {
    std::vector<int> r;
    for (int c = 0; c < g.ColCount(); ++c)
        r.push_back(v->columnWidth(c));
    return r;
}
} // namespace

TFormEdProduccion::TFormEdProduccion(QWidget *padre) : QWidget(padre) {
    setObjectName("FormEdProduccion");
    setWindowTitle(aQ(Ansi("Producción")));
    resize(1000, 700);
    PageControl1 = new QTabWidget(this);
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(PageControl1);
    for (int i = 0; i < 3; ++i)
        PageControl1->addTab(new QWidget(PageControl1), QString());
    CreaPaginaNuevaOrden(PageControl1->widget(0));
    CreaPaginaObra(PageControl1->widget(1));
    CreaPaginaEmpleado(PageControl1->widget(2));
    MenuTiempos = new QMenu(this);
    TiempoHoras = MenuTiempos->addAction("Tiempo en horas y minutos");
    TiempoMinutos = MenuTiempos->addAction("Tiempo en minutos");
    auto *grupo = new QActionGroup(MenuTiempos);
    for (QAction *a : {TiempoHoras, TiempoMinutos}) {
        a->setCheckable(true);
        grupo->addAction(a);
    }
    connect(TiempoHoras, &QAction::triggered, this, [this] { CambiaTiempo(true); });
    connect(TiempoMinutos, &QAction::triggered, this, [this] { CambiaTiempo(false); });
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { PageControl1Change(); });
    FormCreate();
}

void TFormEdProduccion::FormCreate() {
    PageControl1->setTabText(0, aQ("Nueva " + Configuracion().RotuloOrden));
    PageControl1->setTabText(1, aQ(Ansi("Producción por ") + Configuracion().RotuloObra));
    PageControl1->setTabText(2, aQ(Ansi("Producción por ") + Configuracion().RotuloEmpleado));
    horas_ = HorasYMinutos(Configuracion().ArchivoIni.get());
    (horas_ ? TiempoHoras : TiempoMinutos)->setChecked(true);
    Composicion.Limpia();
    TitulosPorObra(SG3);
    SG3.ColWidths = SG2.ColWidths;
    std::vector<int> a2, a3;
    if (LeeAnchos(RutaAnchosProd(), static_cast<size_t>(SG2.ColCount()), static_cast<size_t>(SG3.ColCount()),
                  a2, a3)) {
        SG2.ColWidths = a2;
        SG3.ColWidths = a3;
    }
    VistaSG2->AplicaAnchos();
    VistaSG3->AplicaAnchos();
}

void TFormEdProduccion::FormActivate() {
    if (FormVelka && FormVelka->DTP1 && FormVelka->DTP2) {
        DTP1->setDate(FormVelka->DTP1->date());
        DTP2->setDate(FormVelka->DTP2->date());
        DTP4->setDate(FormVelka->DTP1->date());
        DTP3->setDate(FormVelka->DTP2->date());
    }
    CargaEsquemas();
    RellenaEmpleados();
}

void TFormEdProduccion::MuestraPagina(int n) {
    const QSignalBlocker bloqueo(PageControl1);
    PageControl1->setCurrentIndex(n);
    PageControl1Change();
}

void TFormEdProduccion::PageControl1Change() {
    if (PageControl1->currentIndex() == 1)
        TPaginaObra::PageControl1Change();
    else if (PageControl1->currentIndex() == 2)
        TitulosPorObra(SG3);
}

void TFormEdProduccion::CambiaTiempo(bool horas) {
    if (horas == horas_)
        return;
    horas_ = horas;
    FijaHorasYMinutos(Configuracion().ArchivoIni.get(), horas);
    if (PageControl1->currentIndex() == 2)
        CLB1ClickCheck();
    else
        BProdObraClick();
}

QDate TFormEdProduccion::FechaInforme() const {
    return DTP2->date();
}

void TFormEdProduccion::OrdenGuardada() {
    MuestraPagina(1);
}

void TFormEdProduccion::AmpliaOrden() {
    if (!Amplia(SG2, TipoOrdenActual, RutaObra, UltimaObra))
        return;
    const QSignalBlocker bloqueo(PageControl1);
    PageControl1->setCurrentIndex(0);
}

void TFormEdProduccion::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    VigilaActivacion(this, [this] { FormActivate(); });
    if (!e->spontaneous())
        FormActivate();
}

void TFormEdProduccion::mouseDoubleClickEvent(QMouseEvent *e) {
    reducida_ = !reducida_;
    const double f = reducida_ ? 800.0 / 1024 : 1024.0 / 800;
    QFont fuente = font();
    if (fuente.pointSizeF() > 0)
        fuente.setPointSizeF(fuente.pointSizeF() * f);
    else
        fuente.setPixelSize(std::max(1, qRound(fuente.pixelSize() * f)));
    setFont(fuente);
    QWidget *ventana = qobject_cast<QMdiSubWindow *>(parentWidget()) ? parentWidget() : this;
    if (reducida_) {
        tamanoNormal_ = ventana->size();
        ventana->resize(ventana->size() * f);
    } else {
        ventana->resize(tamanoNormal_); // the layout's minimum may have kept it from the full reduction
    }
    e->accept();
}

void TFormEdProduccion::closeEvent(QCloseEvent *e) {
    GuardaAnchos(RutaAnchosProd(), anchos(VistaSG2, SG2), anchos(VistaSG3, SG3));
    if (auto *s = qobject_cast<QMdiSubWindow *>(parentWidget())) {
        e->ignore(); // the single window stays, out of the way
        s->showMinimized();
    }
}
