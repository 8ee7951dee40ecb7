#include "terminal/ui/paginafichajes.h"

#include "common/configuracion.h"
#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/reloj.h"
#include "platform/ui/controles.h"
#include "platform/ui/stringgridview.h"
#include "terminal/guardafichaje.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Every cell drawn as the clockings grid draws it: its text 2 pixels right of and below the
// cell's corner, clipped, never elided; column 0 shows "Anulado " or blanks, annulled rows in grey.
class DelegadoFichajes : public QStyledItemDelegate {
public:
    DelegadoFichajes(const StringGrid &g, QObject *padre) : QStyledItemDelegate(padre), g_(g) {}
    void paint(QPainter *p, const QStyleOptionViewItem &op, const QModelIndex &i) const override {
        QStyleOptionViewItem o = op;
        initStyleOption(&o, i);
        o.text.clear();
        const QWidget *w = o.widget;
        (w ? w->style() : QApplication::style())->drawControl(QStyle::CE_ItemViewItem, &o, p, w);
        const bool anulado = EsFilaAnulada(g_, i.row());
        const bool elegida = (o.state & QStyle::State_Selected) && !anulado;
        p->save();
        p->setClipRect(o.rect);
        p->setFont(o.font);
        p->setPen(o.palette.color(elegida ? QPalette::HighlightedText : QPalette::Text));
        p->drawText(o.rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    aQ(TextoCeldaFichajes(g_, i.column(), i.row())));
        p->restore();
    }

private:
    const StringGrid &g_;
};

// The panel's close request minimises it instead.
class FiltroCierre : public QObject {
public:
    FiltroCierre(TPaginaFichajes *pagina, QObject *padre) : QObject(padre), pagina_(pagina) {}
    bool eventFilter(QObject *o, QEvent *e) override {
        if (e->type() == QEvent::Close && !QCoreApplication::closingDown()) {
            e->ignore();
            pagina_->MinimizaPanel();
            return true;
        }
        return QObject::eventFilter(o, e);
    }

private:
    TPaginaFichajes *pagina_;
};

// A double click on a choice jumps the clockings grid between its first and last row.
class FiltroSalto : public QObject {
public:
    FiltroSalto(TPaginaFichajes *pagina, QObject *padre) : QObject(padre), pagina_(pagina) {}
    bool eventFilter(QObject *o, QEvent *e) override {
        if (e->type() == QEvent::MouseButtonDblClick)
            pagina_->SaltaFilaFichajes();
        return QObject::eventFilter(o, e);
    }

private:
    TPaginaFichajes *pagina_;
};

QListWidget *listaTerminales(QWidget *pagina) {
    if (!pagina)
        return nullptr;
    return pagina->window()->findChild<QListWidget *>("CLBTerminales");
}

} // namespace

bool EsFilaAnulada(const StringGrid &g, int fila) {
    std::string aux;
    return fila >= 1 && g.Texto(0, fila, aux).find("-A") != std::string_view::npos;
}

std::string TextoCeldaFichajes(const StringGrid &g, int col, int fila) {
    std::string aux;
    if (col != 0)
        return std::string(g.Texto(col, fila, aux));
    return EsFilaAnulada(g, fila) ? "Anulado " : std::string(13, ' ');
}

TPaginaFichajes::~TPaginaFichajes() {
    // The pickers outlive this part of the window: losing the focus as the window goes must not
    // reach it.
    for (QDateEdit *d : {DTP1, DTP2})
        if (d)
            QObject::disconnect(d, &QDateEdit::editingFinished, nullptr, nullptr);
}

void TPaginaFichajes::CreaPaginaFichajes(QWidget *pagina) {
    pagina_ = pagina;
    FechaHoy = Hoy();
    FechaDesde = FechaHoy;

    auto *l = new QVBoxLayout(pagina);
    auto *controles = new QHBoxLayout();
    DTP1 = new TSelectorFecha(pagina);
    DTP2 = new TSelectorFecha(pagina);
    for (QDateEdit *d : {DTP1, DTP2})
        d->setDate(FechaHoy);
    auto *fechas = new QGridLayout();
    fechas->addWidget(new QLabel("Desde", pagina), 0, 0);
    fechas->addWidget(DTP1, 0, 1);
    fechas->addWidget(new QLabel("hasta", pagina), 1, 0);
    fechas->addWidget(DTP2, 1, 1);
    controles->addLayout(fechas);

    auto *formato = new QGroupBox("Formato", pagina);
    auto *lf = new QVBoxLayout(formato);
    RadioButton1 = new QRadioButton(aQ(Ansi("Histórico")), formato);
    RadioButton2 = new QRadioButton("Parcial", formato);
    RadioButton2->setChecked(true);
    lf->addWidget(RadioButton1);
    lf->addWidget(RadioButton2);
    controles->addWidget(formato);

    auto *tipo = new QGroupBox("Tipo de listado", pagina);
    auto *lt = new QVBoxLayout(tipo);
    RadioButton3 = new QRadioButton("Presencia", tipo);
    RadioButton4 = new QRadioButton(aQ(Ansi("Producción")), tipo);
    RadioButton5 = new QRadioButton("Accesos", tipo);
    RadioButton3->setChecked(true);
    lt->addWidget(RadioButton3);
    lt->addWidget(RadioButton4);
    lt->addWidget(RadioButton5);
    controles->addWidget(tipo);

    EDBusca = new QLineEdit(pagina);
    BListar = new QPushButton("Listar", pagina);
    BListar->setToolTip("Listar fichajes");
    BitBtn6 = new QPushButton("Recibir", pagina);
    BitBtn6->setToolTip("Recibir lista de huellas del terminal seleccionado");
    controles->addWidget(EDBusca);
    controles->addWidget(BListar);
    controles->addWidget(BitBtn6);
    controles->addStretch();
    l->addLayout(controles);

    SGFichajes.FixedCols = 1;
    SGFichajes.ColWidths[0] = 80;
    SGFichajes.SetCol(1);
    VistaFichajes = new TStringGridView(&SGFichajes, pagina);
    VistaFichajes->setItemDelegate(new DelegadoFichajes(SGFichajes, VistaFichajes));
    VistaFichajes->Modelo()->ColorTexto = [this](int, int r) {
        return EsFilaAnulada(SGFichajes, r) ? QColor(Qt::gray) : QColor();
    };
    l->addWidget(VistaFichajes, 1);

    QObject::connect(BListar, &QPushButton::clicked, BListar, [this] { BListarClick(); });
    QObject::connect(BitBtn6, &QPushButton::clicked, BitBtn6, [this] { BitBtn6Click(); });
    // A kind button that becomes checked, by the operator or by another window, presets the terminals.
    QObject::connect(RadioButton3, &QRadioButton::toggled, RadioButton3, [this](bool si) {
        if (si)
            RadioButton3Click();
    });
    QObject::connect(RadioButton4, &QRadioButton::toggled, RadioButton4, [this](bool si) {
        if (si)
            RadioButton4Click();
    });
    QObject::connect(RadioButton5, &QRadioButton::toggled, RadioButton5, [this](bool si) {
        if (si)
            RadioButton5Click();
    });
    // Close-up of a picker: its calendar was used, or its text edited.
    QObject::connect(DTP1, &QDateEdit::editingFinished, DTP1, [this] { DTP1CloseUp(); });
    QObject::connect(DTP2, &QDateEdit::editingFinished, DTP2, [this] { DTP2CloseUp(); });
    AlCrearCalendario(DTP1, [this](QCalendarWidget *c) {
        QObject::connect(c, &QCalendarWidget::clicked, DTP1,
                         [this] { QTimer::singleShot(0, DTP1, [this] { DTP1CloseUp(); }); });
    });
    AlCrearCalendario(DTP2, [this](QCalendarWidget *c) {
        QObject::connect(c, &QCalendarWidget::clicked, DTP2,
                         [this] { QTimer::singleShot(0, DTP2, [this] { DTP2CloseUp(); }); });
    });
    QObject::connect(VistaFichajes, &QAbstractItemView::doubleClicked, VistaFichajes,
                     [this](const QModelIndex &i) {
                         if (i.isValid())
                             SGFichajes.SetRow(i.row());
                         SGFichajesDblClick();
                     });

    auto *salto = new FiltroSalto(this, pagina);
    for (QRadioButton *b : {RadioButton1, RadioButton2, RadioButton5})
        b->installEventFilter(salto);

    QWidget *panel = pagina->window();
    panel->installEventFilter(new FiltroCierre(this, panel));
}

std::vector<std::pair<std::string, bool>> TPaginaFichajes::ItemsTerminales() const {
    std::vector<std::pair<std::string, bool>> items;
    if (QListWidget *lista = listaTerminales(pagina_))
        for (int i = 0; i < lista->count(); ++i)
            items.emplace_back(deQ(lista->item(i)->text()), lista->item(i)->checkState() == Qt::Checked);
    return items;
}

void TPaginaFichajes::MarcaTerminales(const std::vector<bool> &marcas) {
    QListWidget *lista = listaTerminales(pagina_);
    if (!lista)
        return;
    for (int i = 0; i < lista->count() && static_cast<size_t>(i) < marcas.size(); ++i)
        lista->item(i)->setCheckState(marcas[static_cast<size_t>(i)] ? Qt::Checked : Qt::Unchecked);
    lista->viewport()->update();
}

void TPaginaFichajes::SaltaFilaFichajes() {
    SGFichajes.SetRow(SGFichajes.Row() == 1 ? SGFichajes.RowCount() - 1 : 1);
}

void TPaginaFichajes::MinimizaPanel() {
    if (!pagina_)
        return;
    // The panel is the page's window when the page was built, or its child window in the frame.
    QWidget *panel = pagina_;
    while (panel->parentWidget() && !panel->isWindow() &&
           !qobject_cast<QMdiSubWindow *>(panel->parentWidget()))
        panel = panel->parentWidget();
    if (auto *hija = qobject_cast<QMdiSubWindow *>(panel->parentWidget()))
        hija->showMinimized();
    else
        panel->showMinimized();
}

namespace {
// The check mark a kind button sets on a terminal item.
bool marcaDeModo(const std::string &item, bool accesos) {
    const char modo = item.size() > 1 ? item[1] : 0;
    return accesos ? (modo == 'A' || modo == 'T') : modo != 'A';
}
} // namespace

void TPaginaFichajes::marcaPorModo(bool accesos) {
    std::vector<bool> marcas;
    for (const auto &[item, marcado] : ItemsTerminales())
        marcas.push_back(marcaDeModo(item, accesos));
    MarcaTerminales(marcas);
}

void TPaginaFichajes::RadioButton3Click() {
    marcaPorModo(false);
}
void TPaginaFichajes::RadioButton4Click() {
    marcaPorModo(false);
}
void TPaginaFichajes::RadioButton5Click() {
    marcaPorModo(true);
}

void TPaginaFichajes::DTP1CloseUp() {
    FechaHoy = Hoy();
    if (DTP1->date() > FechaHoy)
        DTP1->setDate(FechaHoy);
    FechaDesde = DTP1->date();
}

void TPaginaFichajes::DTP2CloseUp() {
    FechaHoy = Hoy();
    if (DTP2->date() > FechaHoy)
        DTP2->setDate(FechaHoy);
    if (DTP2->date() < FechaDesde)
        DTP2->setDate(FechaDesde);
}

TPeticionListado TPaginaFichajes::Peticion(bool produccion) const {
    TPeticionListado p;
    p.Desde = DTP1->date();
    p.Hasta = DTP2->date();
    for (const auto &[item, marcado] : ItemsTerminales())
        p.Terminales.push_back(TerminalDeItem(item, marcado));
    p.Historico = RadioButton1->isChecked();
    p.Tipo = RadioButton4->isChecked()   ? ListadoProduccion
             : RadioButton5->isChecked() ? ListadoAccesos
                                         : ListadoPresencia;
    p.Busca = deQ(EDBusca->text());
    p.Produccion = produccion;
    p.Anchos = AnchosRecordados;
    return p;
}

std::vector<TTerminalListado> TPaginaFichajes::TerminalesPresencia() const {
    const bool elegida = RadioButton3->isChecked();
    std::vector<TTerminalListado> v;
    for (const auto &[item, marcado] : ItemsTerminales())
        v.push_back(TerminalDeItem(item, elegida ? marcado : marcaDeModo(item, false)));
    return v;
}

std::vector<std::pair<std::string, bool>> TPaginaFichajes::ItemsAccesos() const {
    std::vector<std::pair<std::string, bool>> v = ItemsTerminales();
    if (!RadioButton5->isChecked())
        for (auto &[item, marcado] : v)
            marcado = marcaDeModo(item, true);
    return v;
}

void TPaginaFichajes::MuestraHoy() {
    const QDate hoy = Ahora().date();
    DTP1->setDate(hoy);
    DTP2->setDate(hoy);
    RadioButton2->setChecked(true);
    RadioButton3->setChecked(true);
}

void TPaginaFichajes::ListaEmpleado(const std::string &texto) {
    RadioButton2->setChecked(true);
    EDBusca->setText(aQ(texto));
    BListarClick();
}

void TPaginaFichajes::lista(bool produccion) {
    UltimoListado = ListaFichajes(Peticion(produccion), SGFichajes, UltimoListado.Columnas);
    for (const std::string &ruta : UltimoListado.Defectuosos)
        Dialogos::MuestraMensaje("ARCHIVO DEFECTUOSO " + ruta);
}

void TPaginaFichajes::BListarClick() {
    lista(false);
}
void TPaginaFichajes::BListarProdClick() {
    lista(true);
}

void TPaginaFichajes::SGFichajesDblClick() {
    if (UltimoListado.Historico)
        return;
    if (VistaFichajes) {
        AnchosRecordados.assign(static_cast<size_t>(SGFichajes.ColCount()), 0);
        for (int c = 0; c < SGFichajes.ColCount(); ++c)
            AnchosRecordados[static_cast<size_t>(c)] = VistaFichajes->columnWidth(c);
    }
    const int fila = SGFichajes.Row();
    if (SGFichajes.Celda(0, fila).empty())
        return;
    if (!AlternaAnulado(UltimoListado, SGFichajes, fila))
        return;
    const int arriba = VistaFichajes ? VistaFichajes->verticalScrollBar()->value() : 0;
    BListarClick();
    if (VistaFichajes)
        VistaFichajes->verticalScrollBar()->setValue(arriba);
    SGFichajes.SetRow(fila);
}

bool TPaginaFichajes::BReconsClick() {
    std::string error;
    if (!ReconstruyeFichajes(&error)) {
        Dialogos::Error(error);
        return false;
    }
    return true;
}
