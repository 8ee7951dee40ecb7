#include "terminal/ui/paginahuellas.h"

#include "common/configuracion.h"
#include "common/registromin.h"
#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/lineas.h"
#include "platform/numeros.h"
#include "platform/rutas.h"
#include "platform/ui/controles.h"
#include "platform/ui/stringgridview.h"
#include "terminal/listasusuarios.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QEvent>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

using Modo = TRegistroMin::ModoAcceso;
constexpr const char *kSinAcceso = "00:00/00:00";

const char *const kTitulos[] = {"",
                                "C\xF3"
                                "digo",
                                "Nombre",
                                "Min %",
                                "Franja 1",
                                "Franja 2",
                                "Franja 3",
                                "Franja 4"};

// Cells drawn as the lists page draws them: the text from TextoCeldaHuellas 2 pixels right of and
// below the corner, in the colour the page gives; the editors of SG2 take codes of at most 16
// digits and names that keep the text within its field.
class DelegadoHuellas : public QStyledItemDelegate {
public:
    DelegadoHuellas(const StringGrid &g, std::function<std::string(int, int)> texto,
                    std::function<QColor(int, int, bool)> color, std::function<QColor(int, int)> fondo,
                    QObject *padre)
        : QStyledItemDelegate(padre), g_(g), texto_(std::move(texto)), color_(std::move(color)),
          fondo_(std::move(fondo)) {}

    void paint(QPainter *p, const QStyleOptionViewItem &op, const QModelIndex &i) const override {
        QStyleOptionViewItem o = op;
        initStyleOption(&o, i);
        o.text.clear();
        const QColor fondo = fondo_ ? fondo_(i.column(), i.row()) : QColor();
        if (fondo.isValid()) {
            o.backgroundBrush = fondo;
            o.state &= ~QStyle::State_Selected;
        }
        const QWidget *w = o.widget;
        (w ? w->style() : QApplication::style())->drawControl(QStyle::CE_ItemViewItem, &o, p, w);
        const bool elegida = (o.state & QStyle::State_Selected) != 0;
        QColor color = color_ ? color_(i.column(), i.row(), elegida) : QColor();
        if (!color.isValid())
            color = o.palette.color(elegida ? QPalette::HighlightedText : QPalette::Text);
        p->save();
        p->setClipRect(o.rect);
        p->setFont(o.font);
        p->setPen(color);
        p->drawText(o.rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    aQ(texto_(i.column(), i.row())));
        p->restore();
    }

    QWidget *createEditor(QWidget *padre, const QStyleOptionViewItem &op,
                          const QModelIndex &i) const override {
        if (i.column() != 1 && i.column() != 2)
            return nullptr;
        auto *e = qobject_cast<QLineEdit *>(QStyledItemDelegate::createEditor(padre, op, i));
        if (!e)
            return nullptr;
        if (i.column() == 1) {
            e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,16}"), e));
            e->setMaxLength(TRegistroMin::MaxDigitosCodigo);
        } else {
            const int codigo = static_cast<int>(g_.Celda(1, i.row()).size());
            e->setMaxLength(std::max(0, TRegistroMin::TamTexto - 2 - codigo));
        }
        return e;
    }

private:
    const StringGrid &g_;
    std::function<std::string(int, int)> texto_;
    std::function<QColor(int, int, bool)> color_;
    std::function<QColor(int, int)> fondo_;
};

// Key presses of a view, seen before it takes them.
class FiltroTeclas : public QObject {
public:
    FiltroTeclas(std::function<void()> f, QObject *padre) : QObject(padre), f_(std::move(f)) {}
    bool eventFilter(QObject *o, QEvent *e) override {
        if (e->type() == QEvent::KeyPress)
            f_();
        return QObject::eventFilter(o, e);
    }

private:
    std::function<void()> f_;
};

class FiltroDobleClic : public QObject {
public:
    FiltroDobleClic(std::function<void()> f, QObject *padre) : QObject(padre), f_(std::move(f)) {}
    bool eventFilter(QObject *o, QEvent *e) override {
        if (e->type() != QEvent::MouseButtonDblClick)
            return QObject::eventFilter(o, e);
        f_();
        return true;
    }

private:
    std::function<void()> f_;
};

bool terminaEnMin(const std::string &t) {
    return t.size() >= 4 && QString::fromLatin1(t.substr(t.size() - 4).c_str()).toLower() == ".min";
}

int minutos(const QTime &t) {
    return t.hour() * 60 + t.minute();
}

QTime horaDeTexto(const std::string &t) {
    return QTime(LeeEntero(t.substr(0, 2)), t.size() > 3 ? LeeEntero(t.substr(3, 2)) : 0);
}

} // namespace

std::string TextoCeldaHuellas(const StringGrid &g, int col, int fila, bool conRol) {
    const std::string &t = g.Celda(col, fila);
    if (fila < 1)
        return t;
    if (col == 2)
        return TextoConRol(t, conRol);
    if (col < 4)
        return t;
    const std::string &primera = g.Celda(4, fila);
    if (primera == kSinAcceso || primera == TRegistroMin::FranjaLibreTexto) {
        if (col > 4)
            return "";
        return primera == kSinAcceso ? "Sin acceso   " : "Con acceso  ";
    }
    return t == TRegistroMin::FranjaLibreTexto ? std::string() : t;
}

void TPaginaHuellas::CreaPaginaHuellas(QWidget *pagina) {
    pagina_ = pagina;
    auto *l = new QVBoxLayout(pagina);
    auto *arriba = new QHBoxLayout();
    auto *rotulo = new QLabel("Archivo de  huellas", pagina);
    Edit1 = new QLineEdit(pagina);
    rotulo->setBuddy(Edit1);
    BitBtn1 = new QPushButton("Enviar todo", pagina);
    BitBtn8 = new QPushButton(aQ(Ansi("Enviar selección")), pagina);
    for (QPushButton *b : {BitBtn1, BitBtn8})
        b->setToolTip("Enviar lista de huellas al terminal seleccionado");
    EDDir = new QLineEdit(pagina);
    EDPuerta = new QLineEdit(pagina);
    for (QLineEdit *e : {EDDir, EDPuerta})
        e->setReadOnly(true);
    arriba->addWidget(rotulo);
    arriba->addWidget(Edit1, 1);
    arriba->addWidget(BitBtn1);
    arriba->addWidget(BitBtn8);
    arriba->addWidget(EDDir);
    arriba->addWidget(EDPuerta);
    l->addLayout(arriba);
    creaGrids(pagina);
    creaEdicion(pagina);
    conecta();
    for (int c = 1; c <= 7; ++c)
        SG1.Cells[c][0] = SG2.Cells[c][0] = kTitulos[c];
    // Double clicks on the name field or its label open the file dialog.
    auto *doble = new FiltroDobleClic([this] { Edit1DblClick(); }, pagina);
    Edit1->installEventFilter(doble);
    rotulo->installEventFilter(doble);
}

void TPaginaHuellas::creaGrids(QWidget *pagina) {
    auto *l = static_cast<QVBoxLayout *>(pagina->layout());
    SG1.ColWidths = {40, 63, 137, 39, 64, 64, 62, 61};
    SG2.ColWidths = {40, 63, 134, 42, 64, 63, 61, 62};
    SG1.SetRowCount(1);
    SG2.SetRowCount(1);
    VistaSG1 = new TStringGridView(&SG1, pagina);
    VistaSG1->SetSeleccionFilas(true);
    VistaSG1->setSelectionMode(QAbstractItemView::ContiguousSelection);
    VistaSG1->setItemDelegate(new DelegadoHuellas(
        SG1, [this](int c, int r) { return TextoCeldaHuellas(SG1, c, r, false); },
        [this](int c, int r, bool elegida) -> QColor {
            if (r < 1)
                return {};
            const std::string &f = SG1.Celda(4, r);
            if (c == 4 && (f == kSinAcceso || f == TRegistroMin::FranjaLibreTexto))
                return f == kSinAcceso ? QColor(Qt::red) : QColor(Qt::blue);
            if (Denegados.Contiene(EntradaDenegados(SG1.Celda(1, r), SG1.Celda(2, r))))
                return Qt::red;
            return elegida ? QColor(Qt::lightGray) : QColor(Qt::black);
        },
        nullptr, VistaSG1));
    VistaSG1->setContextMenuPolicy(Qt::CustomContextMenu);
    DenegList = new QListWidget(pagina);
    BitBtn7 = new QPushButton("Enviar", pagina);
    auto *medio = new QHBoxLayout();
    auto *denegados = new QVBoxLayout();
    denegados->addWidget(new QLabel("Denegados", pagina));
    denegados->addWidget(DenegList, 1);
    denegados->addWidget(BitBtn7);
    medio->addWidget(VistaSG1, 1);
    medio->addLayout(denegados);
    l->addLayout(medio, 1);

    VistaSG2 = new TStringGridView(&SG2, pagina);
    VistaSG2->SetEditable(true);
    VistaSG2->Modelo()->CeldaElegible = [](int c, int) { return c != 3; };
    VistaSG2->setItemDelegate(new DelegadoHuellas(
        SG2,
        [this](int c, int r) {
            if (r >= 1 && r == FilaEditada && c == FranjaEditada + 3)
                return SG2.Celda(c, r);
            return TextoCeldaHuellas(SG2, c, r, true);
        },
        [this](int c, int r, bool) -> QColor {
            const std::string &f = SG2.Celda(4, r);
            if (r >= 1 && c == 4 && (f == kSinAcceso || f == TRegistroMin::FranjaLibreTexto))
                return f == kSinAcceso ? QColor(Qt::red) : QColor(Qt::blue);
            return {};
        },
        [this](int c, int r) -> QColor {
            return r >= 1 && r == FilaEditada && c == FranjaEditada + 3 ? QColor(Qt::yellow) : QColor();
        },
        VistaSG2));
    VistaSG2->setContextMenuPolicy(Qt::CustomContextMenu);
    VistaSG2->installEventFilter(new FiltroTeclas([this] { ListaModificada = true; }, VistaSG2));

    PopupSG1 = new QMenu(VistaSG1);
    Denega1 = PopupSG1->addAction("Denegar acceso");
    Cambiarcdigo1 = PopupSG1->addAction(aQ(Ansi("Cambiar código")));
    PopupSG2 = new QMenu(VistaSG2);
    CopiarModo1 = PopupSG2->addAction("Copiar modo de acceso");
    PegarModo1 = PopupSG2->addAction("Pegar modo de acceso");
}

void TPaginaHuellas::creaEdicion(QWidget *pagina) {
    auto *l = static_cast<QVBoxLayout *>(pagina->layout());
    auto *botones = new QHBoxLayout();
    BitBtn3 = new QPushButton(aQ(Ansi("Añadir")), pagina);
    BitBtn3->setToolTip(aQ(Ansi("Añadir las huellas seleccionadas")));
    BitBtn2 = new QPushButton(aQ(Ansi("Añadir todo")), pagina);
    BitBtn2->setToolTip(aQ(Ansi("Añadir toda la lista")));
    BitBtn5 = new QPushButton("Quitar", pagina);
    BitBtn5->setToolTip("Quitar las huellas seleccionadas");
    BitBtn4 = new QPushButton("Quitar todo", pagina);
    BitBtn4->setToolTip("Quitar todas las huellas de la lista");
    Edit5 = new QLineEdit("empresa", pagina);
    Button4 = new QPushButton("Guardar", pagina);
    Button4->setToolTip("Guardar lista de huellas en un archivo");
    OrdNom = new QPushButton("Nombre", pagina);
    OrdMin = new QPushButton("Min %", pagina);
    Button1 = new QPushButton(aQ(Ansi("Código")), pagina);
    for (QWidget *w : std::initializer_list<QWidget *>{BitBtn3, BitBtn2, BitBtn5, BitBtn4, Edit5, Button4})
        botones->addWidget(w);
    auto *orden = new QGroupBox("Ordenar por", pagina);
    auto *lo = new QHBoxLayout(orden);
    for (QPushButton *b : {OrdNom, OrdMin, Button1})
        lo->addWidget(b);
    botones->addWidget(orden);
    botones->addStretch();
    l->addLayout(botones);

    auto *abajo = new QHBoxLayout();
    abajo->addWidget(VistaSG2, 1);
    auto *derecha = new QVBoxLayout();
    auto *grupo = new QGroupBox("Permisos de acceso", pagina);
    auto *lg = new QVBoxLayout(grupo);
    RG1 = new QButtonGroup(grupo);
    const char *const modos[] = {"Permitir siempre", "S\xF3lo en franja horaria", "No permitir nunca"};
    for (int i = 0; i < 3; ++i) {
        auto *b = new QRadioButton(aQ(modos[i]), grupo);
        RG1->addButton(b, i);
        lg->addWidget(b);
    }
    Label7 = new QLabel("Franja horaria 1", pagina);
    DTFHi = new QTimeEdit(pagina);
    DTFHf = new QTimeEdit(pagina);
    for (QTimeEdit *t : {DTFHi, DTFHf}) {
        t->setDisplayFormat("HH:mm");
        SeleccionaParteAlPulsar(t);
    }
    derecha->addWidget(grupo);
    derecha->addWidget(Label7);
    derecha->addWidget(DTFHi);
    derecha->addWidget(DTFHf);
    derecha->addStretch();
    abajo->addLayout(derecha);
    l->addLayout(abajo, 1);
}

void TPaginaHuellas::conecta() {
    QObject::connect(Edit1, &QLineEdit::returnPressed, Edit1, [this] { Edit1KeyPress('\r'); });
    QObject::connect(Edit1, &QLineEdit::textChanged, Edit1,
                     [this](const QString &t) { Edit1EsRuta = EsRutaLista(deQ(t)); });
    QObject::connect(BitBtn1, &QPushButton::clicked, BitBtn1, [this] { BitBtn1Click(); });
    QObject::connect(BitBtn8, &QPushButton::clicked, BitBtn8, [this] { BitBtn8Click(); });
    QObject::connect(BitBtn7, &QPushButton::clicked, BitBtn7, [this] { BitBtn7Click(); });
    QObject::connect(BitBtn3, &QPushButton::clicked, BitBtn3, [this] { BitBtn3Click(); });
    QObject::connect(BitBtn2, &QPushButton::clicked, BitBtn2, [this] { BitBtn2Click(); });
    QObject::connect(BitBtn5, &QPushButton::clicked, BitBtn5, [this] { BitBtn5Click(); });
    QObject::connect(BitBtn4, &QPushButton::clicked, BitBtn4, [this] { BitBtn4Click(); });
    QObject::connect(Button4, &QPushButton::clicked, Button4, [this] { Button4Click(); });
    QObject::connect(OrdNom, &QPushButton::clicked, OrdNom, [this] { OrdNomClick(); });
    QObject::connect(OrdMin, &QPushButton::clicked, OrdMin, [this] { OrdMinClick(); });
    QObject::connect(Button1, &QPushButton::clicked, Button1, [this] { Button1Click(); });
    QObject::connect(RG1, &QButtonGroup::idClicked, RG1, [this](int i) { RG1Click(i); });
    QObject::connect(DTFHi, &QTimeEdit::timeChanged, DTFHi, [this] { DTFHiChange(); });
    QObject::connect(DTFHf, &QTimeEdit::timeChanged, DTFHf, [this] { DTFHiChange(); });
    QObject::connect(VistaSG2, &TStringGridView::SelectCell, VistaSG2,
                     [this](int c, int r) { SG2SelectCell(c, r); });
    QObject::connect(VistaSG2, &TStringGridView::CellEdited, VistaSG2, [this](int, int r) {
        ListaModificada = true;
        FilaEditada = r;
    });
    QObject::connect(VistaSG1, &QWidget::customContextMenuRequested, VistaSG1, [this](const QPoint &p) {
        SG1ContextPopup();
        PopupSG1->popup(VistaSG1->viewport()->mapToGlobal(p));
    });
    QObject::connect(VistaSG2, &QWidget::customContextMenuRequested, VistaSG2,
                     [this](const QPoint &p) { PopupSG2->popup(VistaSG2->viewport()->mapToGlobal(p)); });
    QObject::connect(Denega1, &QAction::triggered, Denega1, [this] { Denega1Click(); });
    QObject::connect(Cambiarcdigo1, &QAction::triggered, Cambiarcdigo1, [this] { Cambiarcdigo1Click(); });
    QObject::connect(CopiarModo1, &QAction::triggered, CopiarModo1, [this] { CopiarModo1Click(); });
    QObject::connect(PegarModo1, &QAction::triggered, PegarModo1, [this] { PegarModo1Click(); });
}

void TPaginaHuellas::refrescaSG2() {
    if (VistaSG2)
        VistaSG2->viewport()->update();
}

void TPaginaHuellas::CargaListaMin() {
    CargaListaEnGrid(ListaTrabajo, SG2);
    if (FilaEditada >= SG2.RowCount())
        FilaEditada = SG2.RowCount() - 1;
    if (FilaModoCopiado >= SG2.RowCount())
        FilaModoCopiado = 0;
}

void TPaginaHuellas::CargaArchivoHuellas() {
    const std::string nombre = deQ(Edit1->text());
    NombreListaSG1 = terminaEnMin(nombre) ? nombre : nombre + ".min";
    ListaSG1 = RutaListaHuellas(nombre);
    CargaListaEnGrid(ListaSG1, SG1);
    if (VistaSG1)
        VistaSG1->viewport()->update();
}

void TPaginaHuellas::Edit1KeyPress(char key) {
    if (key == '\r')
        CargaArchivoHuellas();
}

void TPaginaHuellas::Edit1DblClick() {
    Dialogos::PeticionArchivo p;
    p.directorio = Configuracion().DirHuellas;
    p.filtro = "Archivos de huellas|*.min";
    std::string ruta;
    if (!Dialogos::AbrirArchivo(p, ruta))
        return;
    Edit1->setText(aQ(ruta));
    CargaArchivoHuellas();
}

std::pair<int, int> TPaginaHuellas::SeleccionSG1() const {
    int primera = 0, ultima = 0;
    if (VistaSG1)
        for (const QModelIndex &i : VistaSG1->selectionModel()->selectedIndexes()) {
            primera = primera == 0 ? i.row() : std::min(primera, i.row());
            ultima = std::max(ultima, i.row());
        }
    if (primera == 0 && SG1.RowCount() > 1 && SG1.Row() >= 1)
        primera = ultima = SG1.Row();
    return {primera, std::min(ultima, SG1.RowCount() - 1)};
}

void TPaginaHuellas::SeleccionaSG1(int primera, int ultima) {
    SG1.SetRow(primera);
    if (!VistaSG1)
        return;
    const QAbstractItemModel *m = VistaSG1->model();
    VistaSG1->selectionModel()->select(QItemSelection(m->index(primera, 0), m->index(ultima, 7)),
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TPaginaHuellas::guardaSiModificada() {
    if (ListaModificada)
        GuardaListaMin(SG2, ListaTrabajo, Configuracion().DirHuellas + ListaTrabajo2);
    ListaModificada = false;
}

void TPaginaHuellas::BitBtn3Click() {
    const auto [primera, ultima] = SeleccionSG1();
    if (primera < 1)
        return;
    guardaSiModificada();
    AnadeRegistros(ListaSG1, primera, ultima, ListaTrabajo);
    ListaModificada = false;
    CargaListaMin();
    SG2.SetRow(SG2.RowCount() - 1);
}

void TPaginaHuellas::BitBtn2Click() {
    if (SG1.RowCount() < 2)
        return;
    SeleccionaSG1(1, SG1.RowCount() - 1);
    BitBtn3Click();
}

void TPaginaHuellas::BitBtn5Click() {
    if (FilaEditada < 1)
        return;
    guardaSiModificada();
    const int arriba = VistaSG2 ? VistaSG2->verticalScrollBar()->value() : 0;
    QuitaRegistro(ListaTrabajo, FilaEditada);
    CargaListaMin();
    if (FilaEditada >= 1) {
        SG2.SetRow(FilaEditada);
        if (VistaSG2)
            VistaSG2->verticalScrollBar()->setValue(arriba);
    }
}

void TPaginaHuellas::BitBtn4Click() {
    QFile::remove(RutaQ(ListaTrabajo));
    ListaModificada = false;
    FilaEditada = 0;
    CargaListaMin();
}

void TPaginaHuellas::Button4Click() {
    if (SG2.RowCount() < 2) {
        Dialogos::MuestraMensaje("No hay nada que guardar");
        return;
    }
    std::string destino = Configuracion().DirHuellas + deQ(Edit5->text());
    if (!terminaEnMin(destino))
        destino += ".min";
    if (!GuardaListaMin(SG2, ListaTrabajo, destino)) {
        Dialogos::Error("No se pudo guardar el archivo " + destino);
        return;
    }
    ListaModificada = false;
}

void TPaginaHuellas::ordena(int orden) {
    guardaSiModificada();
    OrdenaLista(SG2, ListaTrabajo, static_cast<OrdenLista>(orden));
    CargaListaMin();
}

void TPaginaHuellas::OrdNomClick() {
    ordena(static_cast<int>(OrdenLista::Nombre));
}
void TPaginaHuellas::OrdMinClick() {
    ordena(static_cast<int>(OrdenLista::Minucias));
}
void TPaginaHuellas::Button1Click() {
    ordena(static_cast<int>(OrdenLista::Codigo));
}

void TPaginaHuellas::SG2SelectCell(int col, int row) {
    if (row < 1)
        return;
    if (col == 3) { // the minutiae column cannot be selected: back to the previous cell
        if (FilaEditada >= 1)
            SG2.SetRow(FilaEditada);
        SG2.SetCol(colSG2_);
        return;
    }
    colSG2_ = col;
    FilaEditada = row;
    SG2.SetRow(row);
    if (col < 4) {
        refrescaSG2();
        return;
    }
    const TFranjaElegida e = FranjaAEditar(SG2, row, col);
    FranjaEditada = e.Franja;
    if (QAbstractButton *b = RG1->button(static_cast<int>(e.Modo)))
        b->setChecked(true);
    const std::string &texto = SG2.Celda(e.Columna, row);
    const QSignalBlocker b1(DTFHi), b2(DTFHf);
    DTFHi->setTime(horaDeTexto(texto));
    DTFHf->setTime(horaDeTexto(texto.size() > 6 ? texto.substr(6) : std::string()));
    Label7->setText("Franja horaria " + QString::number(FranjaEditada));
    refrescaSG2();
}

void TPaginaHuellas::RG1Click(int indice) {
    ListaModificada = true;
    const int fila = SG2.Row();
    if (fila >= 1 && fila < SG2.RowCount())
        AplicaModo(SG2, fila, static_cast<Modo>(indice));
    refrescaSG2();
}

void TPaginaHuellas::DTFHiChange() {
    ListaModificada = true;
    const int fila = SG2.Row();
    if (RG1->checkedId() != static_cast<int>(Modo::Franjas) || fila < 1 || fila >= SG2.RowCount())
        return;
    SG2.Cells[3 + FranjaEditada][fila] = TextoFranja(minutos(DTFHi->time()), minutos(DTFHf->time()));
    refrescaSG2();
}

void TPaginaHuellas::CopiarModo1Click() {
    FilaModoCopiado = FilaEditada;
}

void TPaginaHuellas::PegarModo1Click() {
    if (FilaModoCopiado < 1 || FilaModoCopiado == FilaEditada || FilaEditada < 1 ||
        FilaModoCopiado >= SG2.RowCount() || FilaEditada >= SG2.RowCount())
        return;
    for (int c = 4; c <= 7; ++c)
        SG2.Cells[c][FilaEditada] = SG2.Celda(c, FilaModoCopiado);
    ListaModificada = true;
    refrescaSG2();
}

void TPaginaHuellas::SG1ContextPopup() {
    const int fila = SeleccionSG1().first;
    if (fila < 1)
        return;
    const bool denegado = Denegados.Contiene(EntradaDenegados(SG1.Celda(1, fila), SG1.Celda(2, fila)));
    Denega1->setText(denegado ? "Permitir acceso" : "Denegar acceso");
}

void TPaginaHuellas::Denega1Click() {
    const auto [primera, ultima] = SeleccionSG1();
    std::vector<std::string> entradas;
    for (int r = std::max(primera, 1); r <= ultima; ++r)
        entradas.push_back(EntradaDenegados(SG1.Celda(1, r), SG1.Celda(2, r)));
    Denegados.Cambia(entradas);
    Denegados.Guarda(NombreDenegados);
    MuestraDenegados();
    BitBtn7->setEnabled(true);
    DenegadosCambiados();
}

void TPaginaHuellas::CargaDenegados(unsigned terminal) {
    NombreDenegados = ArchivoDenegados(terminal);
    Denegados.Lee(NombreDenegados);
    MuestraDenegados();
    BitBtn7->setEnabled(true);
}

void TPaginaHuellas::MuestraDenegados() {
    DenegList->clear();
    for (const std::string &l : Denegados.Lineas())
        DenegList->addItem(aQ(l));
    if (VistaSG1)
        VistaSG1->viewport()->update();
}
