#include "masterdata/ui/empleadosorg.h"

#include "common/configuracion.h"
#include "masterdata/empleados.h"
#include "masterdata/faltas.h"
#include "masterdata/fichapersonal.h"
#include "masterdata/horarios.h"
#include "masterdata/ui/edicionrejilla.h"
#include "masterdata/ui/ficha.h"
#include "masterdata/ui/horariosorg.h"
#include "masterdata/ui/impresionpaneles.h"
#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/fechatexto.h"
#include "platform/lineas.h"
#include "platform/numeros.h"
#include "platform/reloj.h"
#include "platform/ui/arbolwidget.h"
#include "platform/ui/controles.h"
#include "platform/ui/escritorio.h"
#include "platform/ui/stringgridview.h"
#include "terminal/listadofichajes.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <memory>

QPointer<TFormEmpleados> FormEmpleados;

namespace {

// The picker shows a blank for this date: the cell has no date.
const QDate SinFecha(1800, 1, 1);

QDateEdit *selectorFecha(QWidget *padre) {
    return new TSelectorFecha(padre, SinFecha);
}

// A combo box as wide as its layout gives it, whatever the length of its items.
void anchoFijo(QComboBox *cb) {
    cb->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cb->setMinimumContentsLength(12);
}

QPushButton *boton(const char *texto, const char *pista, QWidget *padre) {
    auto *b = new QPushButton(aQ(Ansi(texto)), padre);
    if (pista)
        b->setToolTip(aQ(Ansi(pista)));
    return b;
}

QFrame *panel(QWidget *padre, bool blanco) {
    auto *p = new QFrame(padre);
    p->setFrameShape(QFrame::StyledPanel);
    if (blanco) {
        p->setAutoFillBackground(true);
        QPalette pal = p->palette();
        pal.setColor(QPalette::Window, Qt::white);
        p->setPalette(pal);
    }
    return p;
}

// A labelled edit: the caption above the edit, in the cell (fila, col) of the grid and the one below.
QLineEdit *campo(QGridLayout *g, int fila, int col, const char *rotulo, QWidget *padre) {
    g->addWidget(new QLabel(aQ(Ansi(rotulo)), padre), fila, col);
    auto *e = new QLineEdit(padre);
    g->addWidget(e, fila + 1, col);
    return e;
}

const char *const RotulosFicha[LineasFichaPersonal] = {
    "Nombre",          "Primer apellido",  "Segundo apellido", "DNI",           "Fecha de nacimiento",
    "Antigüedad",      "Dirección",        "Población",        "Código postal", "Teléfono fijo",
    "Teléfono móvil",  "Categoría",        "Sueldo mensual",   "Hora extra",    "Coste hora",
    "Datos bancarios", "Sueldo con pagas", "Hora sábado",      "Mínimo Extra"};

// The days of the absence sheet: holidays green, absences bold white on red, other days bold navy.
class DelegadoFaltas : public QStyledItemDelegate {
public:
    DelegadoFaltas(const StringGrid &g, QObject *padre) : QStyledItemDelegate(padre), g_(g) {}
    void paint(QPainter *p, const QStyleOptionViewItem &o, const QModelIndex &i) const override {
        const std::string &t = g_.Celda(i.column(), i.row());
        if (i.row() == 0) {
            PintaTituloDia(p, o.rect, aQ(t));
            return;
        }
        p->save();
        QFont f = o.font;
        QColor color = ColorWindows(8388608);
        if (t.size() > 3 && t.find('e') != std::string::npos) {
            color = ColorWindows(32768);
        } else if (t.size() > 3) {
            p->fillRect(o.rect, ColorWindows(255));
            color = Qt::white;
            f.setBold(true);
        } else {
            f.setBold(true);
        }
        p->setFont(f);
        p->setPen(color);
        p->drawText(o.rect.adjusted(2, 5, 0, 0), Qt::AlignLeft | Qt::AlignTop, aQ(t));
        p->restore();
    }

private:
    const StringGrid &g_;
};

std::function<std::vector<std::string>()> terminalesListados;

// The employee's presence clockings of a month from the partial files, listed as a request of its
// own: every terminal of the panel's list but the access-only ones, and the manual clockings.
TColumnasFichajes fichajesDelMes(int numero, const QDate &primero, StringGrid &grid) {
    TPeticionListado p;
    p.Desde = primero;
    p.Hasta = primero.addMonths(1).addDays(-1);
    p.Terminales = TerminalesSinAccesos();
    p.Tipo = ListadoPresencia;
    p.Busca = std::to_string(numero) + " ";
    p.Externa = true;
    return ListaFichajes(p, grid, TColumnasFichajes{}).Columnas;
}

} // namespace

void FijaTerminalesListados(std::function<std::vector<std::string>()> terminales) {
    terminalesListados = std::move(terminales);
}

std::vector<TTerminalListado> TerminalesSinAccesos() {
    std::vector<TTerminalListado> r;
    const std::vector<std::string> items =
        terminalesListados ? terminalesListados() : std::vector<std::string>{};
    for (const std::string &item : items) {
        TTerminalListado t = TerminalDeItem(item, true);
        t.Marcado = t.Marcado && t.Modo != 'A';
        r.push_back(t);
    }
    return r;
}

TFormEmpleados::TFormEmpleados(QWidget *padre) : QDialog(padre) {
    setObjectName("FormEmpleados");
    resize(980, 700);

    auto *principal = new QVBoxLayout(this);
    PageControl1 = new QTabWidget(this);
    TSEmpleados = new QWidget();
    PageControl1->addTab(TSEmpleados, "Empleados");
    principal->addWidget(PageControl1);

    auto *empleados = new QHBoxLayout(TSEmpleados);
    TV1 = new QTreeWidget(TSEmpleados);
    TV1->setHeaderHidden(true);
    TV1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    empleados->addWidget(TV1, 2);

    auto *centro = new QVBoxLayout();
    empleados->addLayout(centro, 5);
    ST1 = new TRotuloRecortado(TSEmpleados);
    QFont negrita = ST1->font();
    negrita.setBold(true);
    ST1->setFont(negrita);
    centro->addWidget(ST1);

    auto *datos = new QHBoxLayout();
    centro->addLayout(datos);
    auto *campos = new QFormLayout();
    datos->addLayout(campos, 3);
    const char *rotulos[] = {"Apellidos", "Nombre", "Domicilio", "Población", "DNI", "Teléfono"};
    QLineEdit **edits[] = {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit6};
    for (int i = 0; i < 6; ++i) {
        *edits[i] = new QLineEdit(TSEmpleados);
        campos->addRow(aQ(Ansi(rotulos[i])), *edits[i]);
    }
    DTNacimiento = selectorFecha(TSEmpleados);
    DTAntiguo = selectorFecha(TSEmpleados);
    for (QDateEdit *d : {DTNacimiento, DTAntiguo})
        AlCrearCalendario(d, [this](QCalendarWidget *c) { c->installEventFilter(this); });
    campos->addRow("Fecha de nacimiento", DTNacimiento);
    campos->addRow(aQ(Ansi("Antigüedad")), DTAntiguo);
    CB1 = new QComboBox(TSEmpleados);
    CB1->setEditable(true);
    CB1->setInsertPolicy(QComboBox::NoInsert); // typed text never joins the list of calendars
    anchoFijo(CB1);
    campos->addRow("Calendario laboral", CB1);

    auto *foto = new QVBoxLayout();
    datos->addLayout(foto, 2);
    Foto = new QLabel(TSEmpleados);
    Foto->setFixedSize(150, 180);
    Foto->setFrameShape(QFrame::Box);
    Foto->setAlignment(Qt::AlignCenter);
    Foto->setToolTip(aQ(Ansi("Doble clic para elegir la fotografía")));
    Foto->installEventFilter(this);
    ST2 = new TRotuloRecortado(TSEmpleados, Qt::ElideMiddle);
    ST2->setFixedWidth(Foto->width());
    foto->addWidget(Foto);
    foto->addWidget(ST2);
    foto->addStretch();

    auto *abajo = new QHBoxLayout();
    centro->addLayout(abajo);
    SG3.ColWidths = {120, 90, 0, 50};
    VistaSG3 = new TStringGridView(&SG3, TSEmpleados);
    VistaSG3->SetEditable(true);
    for (int c : {0, 2, 3})
        ColumnaNoEditable(VistaSG3, c);
    PintaColumnaColor(VistaSG3, 3);
    abajo->addWidget(VistaSG3, 3);
    auto *costes = new QFormLayout();
    abajo->addLayout(costes, 2);
    CBPreProd = new QComboBox(TSEmpleados);
    anchoFijo(CBPreProd);
    DTCProd = selectorFecha(TSEmpleados);
    Edit7 = new QLineEdit(TSEmpleados);
    SBQP = new QPushButton("Quitar precio", TSEmpleados);
    SBQP->setEnabled(false);
    costes->addRow("Precios", CBPreProd);
    costes->addRow("Desde", DTCProd);
    costes->addRow("Precio hora", Edit7);
    costes->addRow(SBQP);

    auto *botones = new QHBoxLayout();
    centro->addLayout(botones);
    BAnt = new QPushButton("Anterior", TSEmpleados);
    BSig = new QPushButton("Siguiente", TSEmpleados);
    BGuar = new QPushButton("Guardar", TSEmpleados);
    BGuar->setToolTip("Guardar datos del empleado");
    ImpFicha = boton("Imprimir Ficha", "Imprimir una ficha", TSEmpleados);
    for (QPushButton *b : {BAnt, BSig, BGuar, ImpFicha})
        botones->addWidget(b);
    botones->addStretch();

    SG1.ColWidths.assign(ColumnasEmpleado, 90);
    SG1.ColWidths[0] = 200;
    VistaSG1 = new TStringGridView(&SG1, this);
    VistaSG1->setSelectionBehavior(QAbstractItemView::SelectRows);
    VistaSG1->setMaximumHeight(160);
    principal->addWidget(VistaSG1);
    creaFicha();
    creaFaltas();

    connect(ImpFicha, &QPushButton::clicked, this, &TFormEmpleados::ImpFichaClick);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TFormEmpleados::PageControl1Change);
    connect(VistaSG1, &TStringGridView::SelectCell, this, &TFormEmpleados::SG1SelectCell);
    connect(VistaSG3, &TStringGridView::SelectCell, this, [this](int col, int) {
        if (col != 1) // only the increment is edited
            SG3.SetCol(1);
    });
    connect(BGuar, &QPushButton::clicked, this, &TFormEmpleados::BGuarClick);
    connect(BAnt, &QPushButton::clicked, this, &TFormEmpleados::BAntClick);
    connect(BSig, &QPushButton::clicked, this, &TFormEmpleados::BSigClick);
    connect(TV1, &QTreeWidget::currentItemChanged, this, &TFormEmpleados::TV1Change);
    connect(CBPreProd, &QComboBox::activated, this, &TFormEmpleados::CBPreProdSelect);
    connect(SBQP, &QPushButton::clicked, this, &TFormEmpleados::SBQPClick);
    // What the operator changes in the controls, for moving and closing.
    auto editado = [this] {
        if (!cargando_)
            editado_ = true;
    };
    for (QLineEdit *e : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7})
        connect(e, &QLineEdit::textChanged, this, editado);
    for (QDateEdit *d : {DTNacimiento, DTAntiguo})
        connect(d, &QDateEdit::dateChanged, this, editado);
    connect(CB1, &QComboBox::currentTextChanged, this, editado);
    connect(VistaSG3, &TStringGridView::CellEdited, this, editado);

    FormCreate();
}

void TFormEmpleados::creaFicha() {
    TSFicha = new QWidget();
    PageControl1->addTab(TSFicha, "Ficha");
    auto *l = new QVBoxLayout(TSFicha);

    Panel1 = panel(TSFicha, true);
    auto *arriba = new QGridLayout(Panel1);
    Foto2 = new QLabel(Panel1);
    Foto2->setFixedSize(120, 150);
    Foto2->setFrameShape(QFrame::Box);
    Foto2->setAlignment(Qt::AlignCenter);
    Foto2->setToolTip(Foto->toolTip());
    Foto2->installEventFilter(this);
    arriba->addWidget(Foto2, 0, 0, 8, 1);
    auto *titulo = new QLabel("FICHA DE PERSONAL", Panel1);
    QFont grande = titulo->font();
    grande.setBold(true);
    grande.setPointSize(grande.pointSize() + 6);
    titulo->setFont(grande);
    arriba->addWidget(titulo, 0, 1, 1, 2);
    arriba->addWidget(new QLabel(aQ(Ansi("Número")), Panel1), 0, 3);
    LENumero = new QLineEdit(Panel1);
    LENumero->setReadOnly(true);
    arriba->addWidget(LENumero, 1, 3);
    for (int i = 0; i <= 10; ++i)
        LE[static_cast<size_t>(i)] = campo(arriba, 2 + 2 * (i / 3), 1 + i % 3, RotulosFicha[i], Panel1);
    l->addWidget(Panel1);

    Panel2 = panel(TSFicha, false);
    auto *abajo = new QGridLayout(Panel2);
    for (int i = 11; i < LineasFichaPersonal; ++i)
        LE[static_cast<size_t>(i)] = campo(abajo, 2 * ((i - 11) / 4), (i - 11) % 4, RotulosFicha[i], Panel2);
    l->addWidget(Panel2);

    auto *botones = new QHBoxLayout();
    l->addLayout(botones);
    SpeedButton2 = boton("Guardar", "Guardar datos del empleado", TSFicha);
    AImprimir = boton("Imprimir", nullptr, TSFicha);
    AImprimirTo = boton("Imprimir completo", nullptr, TSFicha);
    for (QPushButton *b : {SpeedButton2, AImprimir, AImprimirTo})
        botones->addWidget(b);
    const char *documentos[] = {"Acceso a nóminas", "Acceso a contratos", "Acceso a asistencia",
                                "Acceso a varios"};
    for (int k = 0; k < 4; ++k) {
        QPushButton *b = BDocumentos[static_cast<size_t>(k)] = boton(documentos[k], nullptr, TSFicha);
        botones->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, k] { AbreDocumentoEmpleado(k); });
    }
    botones->addStretch();
    l->addStretch();
    connect(SpeedButton2, &QPushButton::clicked, this, &TFormEmpleados::SpeedButton2Click);
    connect(AImprimir, &QPushButton::clicked, this, &TFormEmpleados::AImprimirClick);
    connect(AImprimirTo, &QPushButton::clicked, this, &TFormEmpleados::AImprimirToClick);
}

void TFormEmpleados::creaFaltas() {
    TSFaltas = new QWidget();
    PageControl1->addTab(TSFaltas, "Faltas");
    auto *l = new QVBoxLayout(TSFaltas);
    Panel3 = panel(TSFaltas, true);
    auto *p = new QGridLayout(Panel3);
    Falton = new TRotuloRecortado(Panel3); // a long identifier never widens the window
    STFaltas = new QLabel(Panel3);
    Label16 = new TRotuloRecortado(Panel3);
    Label18 = new QLabel(Panel3);
    QFont negrita = Falton->font();
    negrita.setBold(true);
    for (QLabel *e : {Falton, STFaltas, Label16, Label18})
        e->setFont(negrita);
    SpeedButton3 = boton("Mes anterior", "Mes anterior", Panel3);
    SpeedButton4 = boton("Mes siguiente", "Mes siguiente", Panel3);
    p->addWidget(new QLabel("Faltas de asistencia de :", Panel3), 0, 0);
    p->addWidget(Falton, 0, 1, 1, 3);
    p->addWidget(SpeedButton3, 1, 0);
    p->addWidget(STFaltas, 1, 1, 1, 2, Qt::AlignCenter);
    p->addWidget(SpeedButton4, 1, 3);
    TitulosFaltas(SGFaltas);
    SGFaltas.ColWidths.assign(7, 90);
    VistaSGFaltas = new TStringGridView(&SGFaltas, Panel3);
    VistaSGFaltas->verticalHeader()->setDefaultSectionSize(36);
    VistaSGFaltas->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    VistaSGFaltas->setItemDelegate(new DelegadoFaltas(SGFaltas, VistaSGFaltas));
    VistaSGFaltas->setMinimumHeight(7 * 36 + 4);
    p->addWidget(VistaSGFaltas, 2, 0, 1, 4);
    p->addWidget(new QLabel("Calendario Laboral :", Panel3), 3, 0);
    p->addWidget(Label16, 3, 1, 1, 3);
    p->addWidget(new QLabel(aQ(Ansi("Número de faltas :")), Panel3), 4, 0);
    p->addWidget(Label18, 4, 1, 1, 3);
    l->addWidget(Panel3);
    ImprimirFaltas = boton("Imprimir", nullptr, TSFaltas);
    l->addWidget(ImprimirFaltas, 0, Qt::AlignLeft);
    l->addStretch();
    connect(SpeedButton3, &QPushButton::clicked, this, &TFormEmpleados::SpeedButton3Click);
    connect(SpeedButton4, &QPushButton::clicked, this, &TFormEmpleados::SpeedButton4Click);
    connect(ImprimirFaltas, &QPushButton::clicked, this, &TFormEmpleados::ImprimirFaltasClick);
}

void TFormEmpleados::FormCreate() {
    FechaFaltas = Hoy();
    setWindowTitle(aQ(Configuracion().RotuloEmpleado + "s"));
    LineasPorEmpleado = SG1.ColCount() + 1;

    std::vector<std::string> lineas;
    if (LeeLineas(Configuracion().DirDatos + "calendarios.dat", lineas))
        for (const auto &item : ItemsCalendarios(lineas))
            CB1->addItem(aQ(item));

    if (LeeLineas(Configuracion().DirDatos + "horarios.def", lineas)) {
        LlenaIncrementos(SG3, lineas);
        ColoresVacios(SG3, 3);
    } else {
        SG3.SetRowCount(1);
        SG3.SetFila(0, {"Tipo de hora", "Incremento", "", "Color"});
    }
    SG3.SetCol(1);
    FormActivate();
}

void TFormEmpleados::showEvent(QShowEvent *e) {
    QDialog::showEvent(e);
    // Rebuilt when the window is shown, not when a dialog over it closes.
    if (!e->spontaneous())
        FormActivate();
}

void TFormEmpleados::FormActivate() {
    const std::string elegido = SG1.Row() >= 1 ? SG1.Celda(0, SG1.Row()) : std::string();
    const std::string titulo = Configuracion().RotuloEmpleado + "s";
    const std::string arbol = Configuracion().DirDatos + "empresa.org";
    const std::string archivo = Configuracion().DirDatos + "empleados.dat";
    ilegible_.clear();
    std::vector<std::string> lineas;
    const bool arbolLeido = LeeLineas(arbol, lineas);
    if (ArchivoIlegible(arbolLeido, arbol, titulo))
        ilegible_ = arbol;
    if (arbolLeido) {
        lineasArbol_.clear();
        for (const auto &l : lineas)
            if (l.find_first_not_of(" \t") != std::string::npos)
                lineasArbol_.push_back(l);
        QSignalBlocker b(TV1);
        CargaArbol(TV1, lineasArbol_);
        TV1->expandAll();
    }
    if (ArchivoIlegible(LeeLineas(archivo, lineas), archivo, titulo))
        ilegible_ = archivo;
    LlenaEmpleados(SG1, NodosEmpleado(lineasArbol_), lineas);
    PageControl1->setTabVisible(PageControl1->indexOf(TSFicha), !Configuracion().DirPdf.empty());
    // The grid is the file again: what was not saved is gone.
    filaCargada_ = -1;
    editado_ = cambios_ = false;

    // The selection follows the same employee.
    int fila = FilaEmpleado(SG1, elegido);
    if (fila < 1)
        fila = 1;
    if (fila < SG1.RowCount()) {
        SG1.SetRow(fila);
        SG1SelectCell(0, fila);
    }
}

void TFormEmpleados::SG1SelectCell(int, int row) {
    if (row < 1 || row >= SG1.RowCount() || row == filaCargada_)
        return;
    // The edits of the employee left stay in its row until "Guardar".
    if (!guardaControles()) {
        SG1.SetRow(filaCargada_);
        return;
    }
    cargaFila(row);
}

void TFormEmpleados::cargaFila(int row) {
    cargando_ = true;
    filaCargada_ = row;
    ST1->setText(aQ(SG1.Celda(ColIdentificador, row)));
    Falton->setText(ST1->text());
    CalendarioEmpleado = LeeEntero(SG1.Celda(ColCalendario, row));
    QLineEdit *edits[] = {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6};
    for (int i = 0; i < 6; ++i)
        edits[i]->setText(aQ(SG1.Celda(i + 1, row)));
    QDateEdit *fechas[] = {DTNacimiento, DTAntiguo};
    for (int i = 0; i < 2; ++i) {
        fechaCelda_[i] = SG1.Celda(ColNacimiento + i, row);
        QDate d = LeeFechaCorta(fechaCelda_[i]);
        fechas[i]->setDate(d.isValid() ? d : SinFecha);
        fechaMostrada_[i] = fechas[i]->date();
    }
    rutaFoto_ = SG1.Celda(ColFoto, row);
    ST2->setText(aQ(rutaFoto_));
    MuestraFoto(Foto, rutaFoto_);
    CB1->setCurrentText(aQ(SG1.Celda(ColCalendario, row)));
    Label16->setText(CB1->currentText());
    RellenaFaltas();
    RepartirIncrementos(SG1.Celda(ColIncrementos, row), SG3);

    costes_ = EntradasCoste(SG1.Celda(ColCostes, row));
    CBPreProd->clear();
    for (const auto &e : costes_)
        CBPreProd->addItem(aQ(e));
    CBPreProd->setCurrentIndex(-1);
    DTCProd->setDate(Hoy());
    Edit7->clear();
    SBQP->setEnabled(false);
    cargando_ = false;
    editado_ = false;
}

bool TFormEmpleados::guardaControles(bool siempre) {
    const int r = filaCargada_;
    if (r < 1 || r >= SG1.RowCount() || (!siempre && !editado_))
        return true;
    const std::string precio = deQ(Edit7->text());
    const std::string entrada = EntradaCoste(DTCProd->date(), precio);
    if (!CosteValido(precio)) {
        Dialogos::Aviso(AvisoPrecio(precio), Configuracion().RotuloEmpleado + "s");
        Edit7->setFocus();
        return false;
    }
    QLineEdit *edits[] = {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6};
    for (int i = 0; i < 6; ++i)
        SG1.SetCelda(i + 1, r, deQ(edits[i]->text()));
    QDateEdit *fechas[] = {DTNacimiento, DTAntiguo};
    for (int i = 0; i < 2; ++i) {
        // An untouched picker keeps the cell as it was (an empty date stays empty).
        const std::string v = textoFecha(i);
        SG1.SetCelda(ColNacimiento + i, r, v);
        fechaCelda_[i] = v;
        fechaMostrada_[i] = fechas[i]->date();
    }
    SG1.SetCelda(ColFoto, r, rutaFoto_);
    SG1.SetCelda(ColCalendario, r, deQ(CB1->currentText()));
    if (SG3.RowCount() > 1) // without hour types the increments stay as they are
        SG1.SetCelda(ColIncrementos, r, UneIncrementos(SG3));
    if (!entrada.empty()) {
        // Rebuilt from the listed entries: an unclosed last entry must not swallow the new one.
        costes_.push_back(entrada);
        SG1.SetCelda(ColCostes, r, UneEntradasCoste(costes_));
        CBPreProd->addItem(aQ(entrada));
    }
    {
        QSignalBlocker b(Edit7);
        Edit7->clear();
    }
    CalendarioEmpleado = LeeEntero(SG1.Celda(ColCalendario, r));
    editado_ = false;
    cambios_ = true;
    return true;
}

bool TFormEmpleados::BGuarClick() {
    if (GuardadoRechazado(!ilegible_.empty(), ilegible_, Configuracion().RotuloEmpleado + "s"))
        return false;
    if (!guardaControles(true))
        return false;
    // The selection stays on the same employee after the sort.
    const int r = OrdenaEmpleados(SG1, filaCargada_ >= 1 ? filaCargada_ : SG1.Row());
    if (filaCargada_ >= 1)
        filaCargada_ = r;
    SG1.SetRow(r);
    if (!GuardaLineas(Configuracion().DirDatos + "empleados.dat", LineasEmpleados(SG1))) {
        Dialogos::Error("No se ha podido guardar " + Configuracion().DirDatos + "empleados.dat",
                        Configuracion().RotuloEmpleado + "s");
        return false;
    }
    cambios_ = false;
    return true;
}

void TFormEmpleados::reject() {
    if (editado_ || cambios_) {
        const Dialogos::Respuesta r =
            Dialogos::PreguntaCancelar(Ansi("¿ Quiere guardar los cambios de los ") +
                                           Configuracion().RotuloEmpleado + "s antes de cerrar ?",
                                       Configuracion().RotuloEmpleado + "s");
        if (r == Dialogos::Respuesta::Cancelar || (r == Dialogos::Respuesta::Si && !BGuarClick()))
            return;
        if (r == Dialogos::Respuesta::No)
            FormActivate(); // the grid that other windows read is the file's again
    }
    QDialog::reject();
}

void TFormEmpleados::BAntClick() {
    if (SG1.Row() > 1) {
        SG1.SetRow(SG1.Row() - 1);
        SG1SelectCell(0, SG1.Row());
    }
}

void TFormEmpleados::BSigClick() {
    if (SG1.Row() < SG1.RowCount() - 1) {
        SG1.SetRow(SG1.Row() + 1);
        SG1SelectCell(0, SG1.Row());
    }
}

void TFormEmpleados::TV1Change() {
    QTreeWidgetItem *actual = TV1->currentItem();
    if (!actual)
        return;
    // The node's text as stored: the tree lists the lines in order.
    size_t i = 0;
    for (QTreeWidgetItemIterator it(TV1); *it && *it != actual; ++it)
        ++i;
    if (i >= lineasArbol_.size())
        return;
    const std::string texto = lineasArbol_[i].substr(lineasArbol_[i].find_first_not_of('\t'));
    if (NumeroEmpleado(texto) == 0)
        return;
    int fila = FilaEmpleado(SG1, texto);
    if (fila >= 1) {
        SG1.SetRow(fila);
        SG1SelectCell(0, fila);
    }
}

void TFormEmpleados::FotoDblClick() {
    const int r = SG1.Row();
    if (r < 1 || r >= SG1.RowCount())
        return;
    Dialogos::PeticionArchivo p;
    p.titulo = "Fotografia para el empleado " + SG1.Celda(ColIdentificador, r);
    p.directorio = Configuracion().DirFotos;
    p.filtro = Ansi("Imágenes|*.bmp;*.jpg;*.jpeg;*.png;*.gif|Todos|*.*");
    std::string ruta;
    if (!Dialogos::AbrirArchivo(p, ruta))
        return;
    rutaFoto_ = ruta;
    editado_ = true;
    ST2->setText(aQ(rutaFoto_));
    MuestraFoto(Foto, rutaFoto_);
    MuestraFoto(Foto2, rutaFoto_);
}

bool TFormEmpleados::eventFilter(QObject *o, QEvent *e) {
    if ((o == Foto || o == Foto2) && e->type() == QEvent::MouseButtonDblClick) {
        FotoDblClick();
        return true;
    }
    // A picker without a date opens its calendar on the current month.
    if (e->type() == QEvent::Show)
        for (QDateEdit *d : {DTNacimiento, DTAntiguo})
            if (o == d->calendarWidget() && d->date() == SinFecha)
                d->calendarWidget()->setCurrentPage(Hoy().year(), Hoy().month());
    return QDialog::eventFilter(o, e);
}

void TFormEmpleados::CBPreProdSelect() {
    SBQP->setEnabled(CBPreProd->currentIndex() >= 0);
}

void TFormEmpleados::SBQPClick() {
    const int i = CBPreProd->currentIndex();
    const int r = SG1.Row();
    if (i < 0 || static_cast<size_t>(i) >= costes_.size() || r < 1 || r >= SG1.RowCount())
        return;
    costes_.erase(costes_.begin() + i);
    CBPreProd->removeItem(i);
    CBPreProd->setCurrentIndex(-1);
    SG1.SetCelda(ColCostes, r, UneEntradasCoste(costes_));
    SBQP->setEnabled(false);
    cambios_ = true;
}

std::string TFormEmpleados::textoFecha(int i) const {
    // An untouched picker keeps the cell as it was (an empty date stays empty).
    const QDate d = (i == 0 ? DTNacimiento : DTAntiguo)->date();
    return d == fechaMostrada_[i] ? fechaCelda_[i] : d == SinFecha ? "" : FechaCorta(d);
}

std::vector<std::string> TFormEmpleados::datosEmpleado() const {
    std::vector<std::string> fila = {SG1.Celda(ColIdentificador, filaCargada_)};
    for (QLineEdit *e : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6})
        fila.push_back(deQ(e->text()));
    fila.push_back(textoFecha(0));
    fila.push_back(textoFecha(1));
    return fila;
}

void TFormEmpleados::PageControl1Change(int indice) {
    if (PageControl1->widget(indice) == TSFicha)
        rellenaFicha();
}

void TFormEmpleados::rellenaFicha() {
    const bool hay = filaCargada_ >= 1 && filaCargada_ < SG1.RowCount();
    const int n = hay ? NumeroEmpleado(SG1.Celda(ColIdentificador, filaCargada_)) : 0;
    LENumero->setText(hay ? QString::number(n) : QString());
    MuestraFoto(Foto2, rutaFoto_);
    RutaFichaPersonal = hay ? ArchivoFichaPersonal(n) : std::string();
    for (int k = 0; k < 4; ++k)
        BDocumentos[static_cast<size_t>(k)]->setToolTip(
            hay ? aQ(RutaDocumentoEmpleado(static_cast<DocumentoEmpleado>(k), n)) : QString());
    std::vector<std::string> campos(LineasFichaPersonal);
    if (hay && !LeeFichaPersonal(RutaFichaPersonal, campos)) {
        if (ExisteArchivo(RutaFichaPersonal)) {
            // Never rewritten as if it were empty.
            Dialogos::Error("No se ha podido leer la ficha " + RutaFichaPersonal,
                            Configuracion().RotuloEmpleado + "s");
            RutaFichaPersonal.clear();
        } else {
            campos = FichaPrellenada(datosEmpleado());
        }
    }
    for (int i = 0; i < LineasFichaPersonal; ++i)
        LE[static_cast<size_t>(i)]->setText(aQ(campos[static_cast<size_t>(i)]));
}

bool TFormEmpleados::SpeedButton2Click() {
    if (RutaFichaPersonal.empty())
        return false;
    std::vector<std::string> campos;
    for (QLineEdit *e : LE)
        campos.push_back(deQ(e->text()));
    if (!GuardaFichaPersonal(RutaFichaPersonal, campos)) {
        Dialogos::Error("No se ha podido guardar " + RutaFichaPersonal, Configuracion().RotuloEmpleado + "s");
        return false;
    }
    return true;
}

void TFormEmpleados::AImprimirClick() {
    if (PreparaImpresora(this))
        ImprimePaneles({Panel1});
}

void TFormEmpleados::AImprimirToClick() {
    if (PreparaImpresora(this))
        ImprimePaneles({Panel1, Panel2});
}

void TFormEmpleados::AbreDocumentoEmpleado(int documento) {
    if (LENumero->text().isEmpty())
        return;
    const std::string ruta =
        RutaDocumentoEmpleado(static_cast<DocumentoEmpleado>(documento), LeeEntero(deQ(LENumero->text())));
    if (!ExisteArchivo(ruta))
        Dialogos::Error("No existe el documento " + ruta, Configuracion().RotuloEmpleado + "s");
    else if (!AbreConAplicacion(ruta))
        Dialogos::Error("No se ha podido abrir el documento " + ruta, Configuracion().RotuloEmpleado + "s");
}

void TFormEmpleados::ImpFichaClick() {
    if (filaCargada_ < 1 || filaCargada_ >= SG1.RowCount())
        return;
    std::unique_ptr<TFormFicha> propia;
    TFormFicha *ficha = FormFicha;
    if (!ficha) {
        propia = std::make_unique<TFormFicha>();
        ficha = propia.get();
    }
    // The company's name is the first node of the company tree.
    const std::string empresa = lineasArbol_.empty()
                                    ? std::string()
                                    : lineasArbol_[0].substr(lineasArbol_[0].find_first_not_of('\t'));
    ficha->Rellena(rutaFoto_, deQ(Edit2->text()), deQ(Edit1->text()), empresa,
                   CodigoFicha(SG1.Celda(ColIdentificador, filaCargada_)));
    ficha->Imprime();
}

void TFormEmpleados::RellenaFaltas() {
    FechaFaltas = QDate(FechaFaltas.year(), FechaFaltas.month(), 1);
    const int numero = filaCargada_ >= 1 ? NumeroEmpleado(SG1.Celda(ColIdentificador, filaCargada_)) : 0;
    TDiasCalendario dias;
    LeeDiasCalendario(Configuracion().DirDatos + NombreDiasCalendario(FechaFaltas.year(), CalendarioEmpleado),
                      dias);
    StringGrid fichajes(1, 1);
    TColumnasFichajes c;
    if (numero != 0) // never every employee's clockings
        c = fichajesDelMes(numero, FechaFaltas, fichajes);
    STFaltas->setText(aQ(FormatoFecha(FechaFaltas, "mmmm 'de' yyyy")));
    NumeroFaltas = RellenaHojaFaltas(SGFaltas, FechaFaltas, Hoy(), dias, CodigosFestivos(),
                                     DiasConFichajes(fichajes, c.Dia, c.Mes, c.Anio, FechaFaltas));
    Label18->setText(QString::number(NumeroFaltas));
    int col = 0, fila = 0;
    CeldaDia(FechaFaltas, col, fila);
    SGFaltas.SetRow(fila);
    SGFaltas.SetCol(col);
}

void TFormEmpleados::SpeedButton3Click() {
    FechaFaltas = MesFaltas(FechaFaltas, -1, Hoy());
    RellenaFaltas();
}

void TFormEmpleados::SpeedButton4Click() {
    FechaFaltas = MesFaltas(FechaFaltas, 1, Hoy());
    RellenaFaltas();
}

void TFormEmpleados::ImprimirFaltasClick() {
    if (PreparaImpresora(this))
        ImprimePaneles({Panel3});
}
