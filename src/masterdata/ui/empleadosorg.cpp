#include "masterdata/ui/empleadosorg.h"

#include "common/configuracion.h"
#include "masterdata/empleados.h"
#include "masterdata/horarios.h"
#include "masterdata/ui/horariosorg.h"
#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/lineas.h"
#include "platform/numeros.h"
#include "platform/reloj.h"
#include "platform/ui/arbolwidget.h"
#include "platform/ui/controles.h"
#include "platform/ui/stringgridview.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

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

} // namespace

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
        d->calendarWidget()->installEventFilter(this);
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
    for (QPushButton *b : {BAnt, BSig, BGuar})
        botones->addWidget(b);
    botones->addStretch();

    SG1.ColWidths.assign(ColumnasEmpleado, 90);
    SG1.ColWidths[0] = 200;
    VistaSG1 = new TStringGridView(&SG1, this);
    VistaSG1->setSelectionBehavior(QAbstractItemView::SelectRows);
    VistaSG1->setMaximumHeight(160);
    principal->addWidget(VistaSG1);

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

void TFormEmpleados::FormCreate() {
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
    std::vector<std::string> lineas;
    if (LeeLineas(Configuracion().DirDatos + "empresa.org", lineas)) {
        lineasArbol_.clear();
        for (const auto &l : lineas)
            if (l.find_first_not_of(" \t") != std::string::npos)
                lineasArbol_.push_back(l);
        QSignalBlocker b(TV1);
        CargaArbol(TV1, lineasArbol_);
        TV1->expandAll();
    }
    lineas.clear();
    LeeLineas(Configuracion().DirDatos + "empleados.dat", lineas);
    LlenaEmpleados(SG1, NodosEmpleado(lineasArbol_), lineas);
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
    muestraFoto(rutaFoto_);
    CB1->setCurrentText(aQ(SG1.Celda(ColCalendario, row)));
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
        const QDate d = fechas[i]->date();
        std::string v = d == fechaMostrada_[i] ? fechaCelda_[i] : d == SinFecha ? "" : FechaCorta(d);
        SG1.SetCelda(ColNacimiento + i, r, v);
        fechaCelda_[i] = v;
        fechaMostrada_[i] = d;
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
    muestraFoto(rutaFoto_);
}

void TFormEmpleados::muestraFoto(const std::string &ruta) {
    Foto->clear();
    std::string bytes;
    QPixmap imagen;
    if (ruta.empty() || !LeeBytes(ruta, bytes) ||
        !imagen.loadFromData(reinterpret_cast<const uchar *>(bytes.data()), static_cast<uint>(bytes.size())))
        return;
    Foto->setPixmap(imagen.scaled(Foto->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

bool TFormEmpleados::eventFilter(QObject *o, QEvent *e) {
    if (o == Foto && e->type() == QEvent::MouseButtonDblClick) {
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
