#include "masterdata/ui/horariosorg.h"

#include "common/configuracion.h"
#include "masterdata/empleados.h"
#include "masterdata/horarios.h"
#include "masterdata/ui/edicionrejilla.h"
#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/fechatexto.h"
#include "platform/lineas.h"
#include "platform/numeros.h"
#include "platform/reloj.h"
#include "platform/ui/controles.h"
#include "platform/ui/modulos.h"
#include "platform/ui/stringgridview.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLinearGradient>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTimeEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

QPointer<TFormHorarios> FormHorarios;

namespace {

class SinEdicion : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *, const QStyleOptionViewItem &, const QModelIndex &) const override {
        return nullptr;
    }
};

constexpr int ColorNavy = 8388608;
constexpr int ColorRojo = 255;
constexpr int ColorGris = 8421504;
constexpr int ColorPlata = 12632256;
constexpr int ColorVerde = 32768;

const char *const TituloCalendarios = "Calendarios";

// A day of the month grid with its schedule: the code at the right (silver for none, red for 0,
// green for the others), the schedule's name below and the day number in a white box.
class DelegadoCalendario : public QStyledItemDelegate {
public:
    DelegadoCalendario(const TFormHorarios &f, QObject *padre) : QStyledItemDelegate(padre), f_(f) {}
    void paint(QPainter *p, const QStyleOptionViewItem &o, const QModelIndex &i) const override {
        const std::string &texto = f_.SGCal.Celda(i.column(), i.row());
        if (i.row() == 0) {
            PintaTituloDia(p, o.rect, aQ(texto));
            return;
        }
        QStyleOptionViewItem fondo = o; // the cell's ground and selection, without its text
        initStyleOption(&fondo, i);
        fondo.text.clear();
        const QWidget *w = fondo.widget;
        (w ? w->style() : QApplication::style())->drawControl(QStyle::CE_ItemViewItem, &fondo, p, w);
        const TCalendarioEditado &cal = f_.Calendario;
        const QDate dia(cal.Anio, cal.Mes, LeeEntero(texto));
        if (texto.empty() || !dia.isValid())
            return;
        const int codigo = cal.Dias[static_cast<size_t>(IndiceDia(dia))];
        p->save();
        p->setPen(ColorWindows(codigo == SinJornada ? ColorPlata : codigo == 0 ? ColorRojo : ColorVerde));
        const QRect r = o.rect;
        p->drawText(r.adjusted(44, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop, QString::number(codigo));
        for (const std::string &nombre : NombresJornada(f_.SG1, codigo)) {
            p->drawText(r.adjusted(2, 18, 0, 0), Qt::AlignLeft | Qt::AlignTop, aQ(nombre));
            p->setPen(Qt::black);
        }
        p->fillRect(QRect(r.topLeft(), QSize(24, 16)), Qt::white);
        QFont f = o.font;
        f.setBold(true);
        p->setFont(f);
        p->drawText(r.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop, aQ(texto));
        p->restore();
    }

private:
    const TFormHorarios &f_;
};

int minutosDe(const QTimeEdit *t) {
    return t->time().hour() * 60 + t->time().minute();
}

void fijaHora(QTimeEdit *t, int minutos) {
    QSignalBlocker b(t);
    t->setTime(QTime((minutos / 60) % 24, minutos % 60));
}

QPushButton *boton(const char *texto, const char *pista, QWidget *padre) {
    auto *b = new QPushButton(aQ(Ansi(texto)), padre);
    b->setToolTip(aQ(Ansi(pista)));
    return b;
}

} // namespace

void ColumnaNoEditable(TStringGridView *vista, int col) {
    vista->setItemDelegateForColumn(col, new SinEdicion(vista));
}

void PintaColumnaColor(TStringGridView *vista, int col) {
    StringGrid *g = vista->Grid();
    auto color = [g, col](int c, int r) {
        if (c != col || r < 1)
            return QColor();
        return ColorWindows(LeeEntero(g->Celda(c, r)));
    };
    vista->Modelo()->ColorFondo = color;
    vista->Modelo()->ColorTexto = color;
}

void PintaTituloDia(QPainter *p, const QRect &celda, const QString &texto) {
    p->save();
    p->fillRect(celda, QColor(58, 110, 165));
    p->setPen(Qt::white);
    p->drawText(celda.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop, texto);
    p->restore();
}

void ColoresVacios(StringGrid &g, int col) {
    for (int r = 1; r < g.RowCount(); ++r)
        if (g.Celda(col, r).empty())
            g.SetCelda(col, r, "0");
}

TFormHorarios::TFormHorarios(QWidget *padre) : QDialog(padre) {
    setObjectName("FormHorarios");
    setWindowTitle("Horarios");
    resize(940, 680);
    SG1.FixedRows = 0;

    auto *principal = new QVBoxLayout(this);
    PgC1 = new QTabWidget(this);
    TS1 = new QWidget();
    PgC1->addTab(TS1, "Jornadas");
    principal->addWidget(PgC1, 3);

    // "Jornadas": the chart and the band controls on the left, the hour types on the right.
    auto *jornadas = new QHBoxLayout(TS1);
    auto *izquierda = new QVBoxLayout();
    jornadas->addLayout(izquierda, 3);
    ZonaChart1 = new QWidget(TS1);
    ZonaChart1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    (new QVBoxLayout(ZonaChart1))->setContentsMargins(0, 0, 0, 0);
    izquierda->addWidget(ZonaChart1, 1);

    auto *tramos = new QHBoxLayout();
    izquierda->addLayout(tramos);
    CB1 = new QComboBox(TS1);
    CB1->setEditable(false); // only the listed hour types
    CB1->setMinimumWidth(140);
    DT1 = new QTimeEdit(TS1);
    DT2 = new QTimeEdit(TS1);
    for (QTimeEdit *t : {DT1, DT2}) {
        t->setDisplayFormat("HH:mm");
        SeleccionaParteAlPulsar(t);
    }
    DT1->setEnabled(false);
    Button1 = boton("Añadir", "Añadir tramo", TS1);
    Button2 = boton("Quitar", "Quitar el último tramo", TS1);
    tramos->addWidget(new QLabel("Tipo de hora", TS1));
    tramos->addWidget(CB1);
    tramos->addWidget(new QLabel("Desde", TS1));
    tramos->addWidget(DT1);
    tramos->addWidget(new QLabel("Hasta", TS1));
    tramos->addWidget(DT2);
    tramos->addWidget(Button1);
    tramos->addWidget(Button2);

    auto *derecha = new QVBoxLayout();
    jornadas->addLayout(derecha, 2);
    SG3.ColWidths = {120, 50, 45, 45};
    VistaSG3 = new TStringGridView(&SG3, TS1);
    VistaSG3->SetEditable(true);
    ColumnaNoEditable(VistaSG3, 3);
    PintaColumnaColor(VistaSG3, 3);
    derecha->addWidget(VistaSG3, 1);
    auto *tipos = new QHBoxLayout();
    derecha->addLayout(tipos);
    SpeedButton8 = boton("Nuevo", "Crear nuevo tipo de hora", TS1);
    SpeedButton9 = boton("Eliminar", "Eliminar tipo de hora", TS1);
    SpeedButton5 = boton("Guardar", "Guardar tipos de horas", TS1);
    for (QPushButton *b : {SpeedButton8, SpeedButton9, SpeedButton5})
        tipos->addWidget(b);

    // The schedules grid below the page control.
    SG1.ColWidths = {50, 180, 400};
    VistaSG1 = new TStringGridView(&SG1, this);
    VistaSG1->SetEditable(true); // cell by cell on "Jornadas"
    ColumnaNoEditable(VistaSG1, 2);
    principal->addWidget(VistaSG1, 2);
    auto *botones = new QHBoxLayout();
    principal->addLayout(botones);
    SpeedButton1 = boton("Nuevo", "Nueva jornada", this);
    SpeedButton2 = boton("Eliminar", "Eliminar jornada", this);
    menoshora = boton("Anterior", "Jornada anterior", this);
    mashora = boton("Siguiente", "Jornada siguiente", this);
    botonrec = boton("Guardar", "Guardar jornadas", this);
    for (QPushButton *b : {SpeedButton1, SpeedButton2, menoshora, mashora, botonrec})
        botones->addWidget(b);
    botones->addStretch();

    connect(Button1, &QPushButton::clicked, this, &TFormHorarios::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFormHorarios::Button2Click);
    connect(DT2, &QTimeEdit::timeChanged, this, &TFormHorarios::DT2Change);
    connect(mashora, &QPushButton::clicked, this, &TFormHorarios::mashoraClick);
    connect(menoshora, &QPushButton::clicked, this, &TFormHorarios::menoshoraClick);
    connect(botonrec, &QPushButton::clicked, this, &TFormHorarios::botonrecClick);
    connect(SpeedButton1, &QPushButton::clicked, this, &TFormHorarios::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TFormHorarios::SpeedButton2Click);
    connect(SpeedButton5, &QPushButton::clicked, this, &TFormHorarios::SpeedButton5Click);
    connect(SpeedButton8, &QPushButton::clicked, this, &TFormHorarios::SpeedButton8Click);
    connect(SpeedButton9, &QPushButton::clicked, this, &TFormHorarios::SpeedButton9Click);
    creaCalendarios();
    connect(PgC1, &QTabWidget::currentChanged, this, &TFormHorarios::PgC1Change);
    connect(VistaSG1, &TStringGridView::SelectCell, this, &TFormHorarios::SG1SelectCell);
    connect(VistaSG1, &TStringGridView::CellEdited, this, [this](int col, int row) {
        int codigo = 0;
        if (col == 0 && !CodigoJornadaValido(SG1.Celda(0, row), codigo))
            Dialogos::Aviso(Ansi("El código de una jornada debe ser un número entre 0 y 254."), "Horarios");
        if (row == FilaJornada)
            FormActivate();
    });
    connect(VistaSG3, &TStringGridView::CellEdited, this, [this](int col, int row) {
        if (col == 1 && row >= 1 && !CosteValido(SG3.Celda(1, row)))
            Dialogos::Aviso(AvisoPrecio(SG3.Celda(1, row)), "Horarios");
    });
    connect(VistaSG3, &TStringGridView::SelectCell, this, [this](int col, int row) {
        // The colour dialog opens once the selection has settled.
        if (col == 3)
            QTimer::singleShot(0, this, [this, col, row] { SG3SelectCell(col, row); });
    });

    FormCreate();
}

void TFormHorarios::FormCreate() {
    ListaHorarios.clear();
    const std::string def = Configuracion().DirDatos + "horarios.def";
    if (!LeeLineas(def, ListaHorarios)) {
        tiposIlegibles_ = ArchivoIlegible(false, def, "Horarios");
        ListaHorarios = TiposHoraPorDefecto();
    }
    LlenaTiposHora(SG3, ListaHorarios);
    ColoresVacios(SG3, 3);
    rellenaCB1();

    ListaHorarios.clear();
    const std::string dat = Configuracion().DirDatos + "horarios.dat";
    if (!LeeLineas(dat, ListaHorarios)) {
        jornadasIlegibles_ = ArchivoIlegible(false, dat, "Horarios");
        ListaHorarios = JornadasPorDefecto();
    }
    LlenaJornadas(SG1, ListaHorarios);
    if (const int mala = PrimeraJornadaFueraDeRango(SG1); mala >= 0)
        Dialogos::Error(Ansi("La jornada \"") + SG1.Celda(0, mala) + " " + SG1.Celda(1, mala) + "\" de " +
                            Configuracion().DirDatos +
                            Ansi("horarios.dat tiene un tramo de minutos fuera de 0 a 1440: no se tienen en "
                                 "cuenta sus tramos desde ese."),
                        "Horarios");

    FilaJornada = 0;
    MinutosLibres = MinutosDia;
    fijaHora(DT1, 0);
    fijaHora(DT2, 0);
    Button2->setEnabled(false);
    SG1.SetRow(0);
    SG1.SetCol(1);
    FormActivate();

    // The calendars: the month of today, then the first calendar's year.
    TitulosMes(SGCal);
    const QDate hoy = Hoy();
    Calendario.Anio = hoy.year();
    Calendario.Mes = hoy.month();
    Calendario.Dia = hoy.day();
    Calendario.Fila = SinCalendario;
    std::vector<std::string> lineas;
    const std::string cal = Configuracion().DirDatos + "calendarios.dat";
    calendariosIlegibles_ = ArchivoIlegible(LeeLineas(cal, lineas), cal, TituloCalendarios);
    const std::vector<TCalendario> calendarios = CalendariosDeLineas(lineas);
    SG2.SetRowCount(1 + static_cast<int>(calendarios.size()));
    SG2.SetFila(0, {Ansi("Código"), Ansi("Año"), "Nombre"});
    for (size_t k = 0; k < calendarios.size(); ++k)
        SG2.SetFila(static_cast<int>(k) + 1,
                    {calendarios[k].Codigo, calendarios[k].Anio, calendarios[k].Nombre});
    jornadaAplicar(0);
    if (SG2.RowCount() > 1) {
        SG2.SetRow(1);
        SG2.SetCol(0);
        SG2SelectCell(0, 1);
    } else {
        RellenaCalendario();
    }
}

TGraficoJornada *TFormHorarios::Chart1() {
    if (grafico_ || sinGrafico_)
        return grafico_;
    std::string error;
    if (auto crea = reinterpret_cast<TCreaGraficoJornada>(FuncionDeModulo(
            ModuloGrafico, FuncionCreaGrafico, Ansi("las jornadas se muestran sin su gráfico"), error))) {
        grafico_ = crea(ZonaChart1);
        ZonaChart1->layout()->addWidget(grafico_->Vista());
        muestraDia();
    } else {
        sinGrafico_ = true;
        Dialogos::Error(error, "Horarios");
    }
    return grafico_;
}

void TFormHorarios::muestraDia() {
    if (grafico_)
        grafico_->Muestra(tituloDia_, rebanadas_, fondoDia_);
}

void TFormHorarios::showEvent(QShowEvent *e) {
    Chart1();
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormActivate();
}

void TFormHorarios::rellenaCB1() {
    CB1->clear();
    for (const auto &n : NombresTiposHora(SG3))
        CB1->addItem(aQ(n));
}

void TFormHorarios::FormActivate() {
    if (FilaJornada >= SG1.RowCount())
        FilaJornada = std::max(0, SG1.RowCount() - 1);
    tituloDia_ = aQ(SG1.Celda(0, FilaJornada) + " " + SG1.Celda(1, FilaJornada));
    rebanadas_.clear();

    const std::string &bandas = SG1.Celda(2, FilaJornada);
    const LineaTiempo lt = CalculaLineaTiempo(bandas, NombresTiposHora(SG3));
    Button2->setEnabled(bandas.find(' ') != std::string::npos);
    for (const TramoDia &t : lt.Tramos)
        rebanadas_.push_back({aQ(t.Etiqueta), t.Tipo == 0 ? 0 : std::max(0, t.Minutos),
                              ColorWindows(LeeEntero(SG3.Celda(3, t.Tipo + 1)))});
    MinutosLibres = lt.MinutosLibres;
    if (MinutosLibres != 0)
        rebanadas_.push_back({"Indefinido", std::max(0, MinutosLibres), ColorWindows(ColorGris)});
    else
        rebanadas_.push_back({"HORARIO COMPLETO", 0, ColorWindows(ColorGris)});
    Button1->setEnabled(MinutosLibres != 0);

    QLinearGradient fondo(0, 0, 0, 1);
    fondo.setCoordinateMode(QGradient::ObjectBoundingMode);
    fondo.setColorAt(0, ColorWindows(lt.HayError ? ColorRojo : ColorNavy));
    fondo.setColorAt(1, Qt::white);
    fondoDia_ = fondo;
    muestraDia();

    fijaHora(DT1, lt.Siguiente);
    fijaHora(DT2, lt.Siguiente);
}

void TFormHorarios::Button1Click() {
    if (CB1->currentText().isEmpty() || CB1->currentIndex() < 0)
        return;
    Button2->setEnabled(true);
    const int t = CB1->currentIndex();
    const int inicio = minutosDe(DT1);
    int fin = minutosDe(DT2);
    if (fin == 0) {
        fin = MinutosDia;
        Button1->setEnabled(false);
    }
    const int m = fin - inicio;
    if (m < 0)
        return;
    SG1.SetCelda(2, FilaJornada, AnadeTramo(SG1.Celda(2, FilaJornada), m, t));
    if (t != 0) {
        MinutosLibres -= m;
        fijaHora(DT1, fin);
    }
    FormActivate();
}

void TFormHorarios::Button2Click() {
    SG1.SetCelda(2, FilaJornada, QuitaUltimoTramo(SG1.Celda(2, FilaJornada)));
    FormActivate();
}

void TFormHorarios::DT2Change() {
    // 00:00 as the end stands for midnight, the end of the day.
    const int fin = minutosDe(DT2);
    if (fin != 0 && fin < minutosDe(DT1))
        fijaHora(DT2, minutosDe(DT1));
}

void TFormHorarios::seleccionaJornada(int fila) {
    FilaJornada = fila;
    SG1.SetRow(fila);
    FormActivate();
}

void TFormHorarios::mashoraClick() {
    if (FilaJornada < SG1.RowCount() - 1)
        seleccionaJornada(FilaJornada + 1);
}

void TFormHorarios::menoshoraClick() {
    if (FilaJornada > 0)
        seleccionaJornada(FilaJornada - 1);
}

bool TFormHorarios::botonrecClick() {
    if (GuardadoRechazado(jornadasIlegibles_, Configuracion().DirDatos + "horarios.dat", "Horarios"))
        return false;
    const int mala = PrimeraJornadaInvalida(SG1);
    if (mala >= 0) {
        seleccionaJornada(mala);
        Dialogos::Error(Ansi("La jornada \"") + SG1.Celda(0, mala) + " " + SG1.Celda(1, mala) +
                            Ansi("\" no tiene un código válido: debe ser un número entre 0 y 254.\r\n"
                                 "No se han guardado las jornadas."),
                        "Horarios");
        return false;
    }
    if (!GuardaLineas(Configuracion().DirDatos + "horarios.dat", LineasJornadas(SG1))) {
        Dialogos::Error("No se ha podido guardar " + Configuracion().DirDatos + "horarios.dat", "Horarios");
        return false;
    }
    return true;
}

void TFormHorarios::SpeedButton1Click() {
    SG1.InsertaFila(SG1.RowCount());
    seleccionaJornada(SG1.RowCount() - 1);
}

void TFormHorarios::SpeedButton2Click() {
    seleccionaJornada(BorraJornada(SG1, FilaJornada));
}

bool TFormHorarios::SpeedButton5Click() {
    if (GuardadoRechazado(tiposIlegibles_, Configuracion().DirDatos + "horarios.def", "Horarios"))
        return false;
    const int mala = NormalizaPrecios(SG3);
    if (mala >= 0) {
        SG3.SetRow(mala);
        SG3.SetCol(1);
        Dialogos::Error(Ansi("Tipo de hora \"") + SG3.Celda(0, mala) +
                            "\": " + AvisoPrecio(SG3.Celda(1, mala)) +
                            Ansi("\r\nNo se han guardado los tipos de horas."),
                        "Horarios");
        return false;
    }
    rellenaCB1();
    ListaHorarios = LineasTiposHora(SG3);
    if (!GuardaLineas(Configuracion().DirDatos + "horarios.def", ListaHorarios)) {
        Dialogos::Error("No se ha podido guardar " + Configuracion().DirDatos + "horarios.def", "Horarios");
        return false;
    }
    return true;
}

void TFormHorarios::SpeedButton8Click() {
    SG3.InsertaFila(SG3.RowCount());
    ColoresVacios(SG3, 3);
    SG3.SetRow(SG3.RowCount() - 1);
}

void TFormHorarios::SpeedButton9Click() {
    // Hour types 0 (courtesy) and 1 (presence) always stay.
    if (SG3.Row() > 2)
        SG3.BorraFila(SG3.Row());
    FormActivate();
}

void TFormHorarios::SG1SelectCell(int col, int row) {
    if (PgC1->currentWidget() == TS2) {
        jornadaAplicar(row);
        return;
    }
    if (row >= 0 && row < SG1.RowCount() && row != FilaJornada) {
        FilaJornada = row;
        FormActivate();
    }
    if (col == 2) // the band string is built with the band controls
        SG1.SetCol(1);
}

void TFormHorarios::SG3SelectCell(int col, int row) {
    if (col != 3 || row < 1 || row >= SG3.RowCount())
        return;
    SG3.SetRow(row);
    SG3.SetCol(0);
    QColor color = ColorWindows(LeeEntero(SG3.Celda(3, row)));
    if (Dialogos::ElegirColor(color)) {
        SG3.SetCelda(3, row, std::to_string(ValorWindows(color)));
        FormActivate();
    }
}

void TFormHorarios::creaCalendarios() {
    TS2 = new QWidget();
    PgC1->addTab(TS2, "Calendarios");
    auto *l = new QHBoxLayout(TS2);

    auto *izquierda = new QVBoxLayout();
    l->addLayout(izquierda, 2);
    SG2.ColWidths = {60, 60, 160};
    VistaSG2 = new TStringGridView(&SG2, TS2);
    VistaSG2->SetEditable(true);
    izquierda->addWidget(VistaSG2, 1);
    auto *botones = new QHBoxLayout();
    izquierda->addLayout(botones);
    SpeedButton6 = boton("Nuevo", "Nuevo calendario", TS2);
    SpeedButton7 = boton("Eliminar", "Eliminar calendario", TS2);
    SBG2 = boton("Guardar", "Guardar calendario", TS2);
    for (QPushButton *b : {SpeedButton6, SpeedButton7, SBG2})
        botones->addWidget(b);

    auto *derecha = new QVBoxLayout();
    l->addLayout(derecha, 5);
    auto *mes = new QHBoxLayout();
    derecha->addLayout(mes);
    SpeedButton3 = boton("Mes anterior", "Mes anterior", TS2);
    SpeedButton4 = boton("Mes siguiente", "Mes siguiente", TS2);
    ST1 = new QLabel(TS2);
    ST1->setAlignment(Qt::AlignCenter);
    QFont negrita = ST1->font();
    negrita.setBold(true);
    ST1->setFont(negrita);
    mes->addWidget(SpeedButton3);
    mes->addWidget(ST1, 1);
    mes->addWidget(SpeedButton4);
    SGCal.ColWidths.assign(7, 96);
    VistaSGCal = new TStringGridView(&SGCal, TS2);
    VistaSGCal->verticalHeader()->setDefaultSectionSize(36);
    VistaSGCal->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    VistaSGCal->setItemDelegate(new DelegadoCalendario(*this, VistaSGCal));
    VistaSGCal->setContextMenuPolicy(Qt::CustomContextMenu);
    derecha->addWidget(VistaSGCal, 1);
    Label3 = new QLabel(TS2);
    Label3->setFont(negrita);
    derecha->addWidget(Label3);

    PM1 = new QMenu(this);
    Aphoy = PM1->addAction("Aplicar hoy");
    Apdmes = PM1->addAction("");
    Apdano = PM1->addAction("");
    Aptomes = PM1->addAction("");

    connect(VistaSG2, &TStringGridView::SelectCell, this, &TFormHorarios::SG2SelectCell);
    connect(VistaSG2, &TStringGridView::CellEdited, this, [this](int col, int row) {
        if (row == Calendario.Fila && col <= 1) {
            Calendario.Refresca();
            RellenaCalendario();
        }
    });
    connect(VistaSGCal, &TStringGridView::SelectCell, this, &TFormHorarios::SGCalSelectCell);
    connect(VistaSGCal, &QAbstractItemView::doubleClicked, this, &TFormHorarios::AphoyExecute);
    connect(VistaSGCal, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { PM1->popup(VistaSGCal->viewport()->mapToGlobal(p)); });
    connect(SBG2, &QPushButton::clicked, this, &TFormHorarios::SBG2Click);
    connect(SpeedButton6, &QPushButton::clicked, this, &TFormHorarios::SpeedButton6Click);
    connect(SpeedButton7, &QPushButton::clicked, this, &TFormHorarios::SpeedButton7Click);
    connect(SpeedButton3, &QPushButton::clicked, this, &TFormHorarios::SpeedButton3Click);
    connect(SpeedButton4, &QPushButton::clicked, this, &TFormHorarios::SpeedButton4Click);
    connect(Aphoy, &QAction::triggered, this, &TFormHorarios::AphoyExecute);
    connect(Apdmes, &QAction::triggered, this, &TFormHorarios::ApdmesExecute);
    connect(Apdano, &QAction::triggered, this, &TFormHorarios::ApdanoExecute);
    connect(Aptomes, &QAction::triggered, this, &TFormHorarios::AptomesExecute);
}

void TFormHorarios::PgC1Change(int) {
    const bool calendarios = PgC1->currentWidget() == TS2;
    // The schedules grid: whole rows to choose from on "Calendarios", cell editing on "Jornadas".
    VistaSG1->SetEditable(!calendarios);
    VistaSG1->SetSeleccionFilas(calendarios);
    if (!calendarios)
        return;
    SG1.SetRow(0);
    jornadaAplicar(0);
    // The calendars grid shows the calendar being edited (the first when none is).
    if (Calendario.Fila >= 1 && Calendario.Fila < SG2.RowCount()) {
        SG2.SetRow(Calendario.Fila);
    } else if (SG2.RowCount() > 1) {
        SG2.SetRow(1);
        SG2SelectCell(0, 1);
    }
    SG2.SetCol(0);
}

void TFormHorarios::jornadaAplicar(int fila) {
    Label3->setText(aQ("Aplicar jornada " + SG1.Celda(0, fila) + " " + SG1.Celda(1, fila)));
    int codigo = 0;
    JornadaAplicar = CodigoJornadaValido(SG1.Celda(0, fila), codigo) ? codigo : -1;
}

void TFormHorarios::SG2SelectCell(int, int row) {
    if (row >= 1 && row < SG2.RowCount() && row != Calendario.Fila)
        cambiaCalendario(row);
}

void TFormHorarios::cambiaCalendario(int fila) {
    if (Calendario.Modificado) {
        if (Dialogos::Pregunta(Ansi(" Se han realizado cambios en el calendario.\r\n¿ Quiere guardarlos ?"),
                               TituloCalendarios))
            SBG2Click(); // still the map of the calendar being left
        Calendario.Modificado = false;
    }
    std::string error;
    if (!Calendario.Carga(fila, error))
        Dialogos::Error(error, TituloCalendarios);
    RellenaCalendario();
}

bool TFormHorarios::SBG2Click() {
    if (GuardadoRechazado(calendariosIlegibles_, Configuracion().DirDatos + "calendarios.dat",
                          TituloCalendarios))
        return false;
    std::string error;
    if (!Calendario.Guarda(error)) {
        Dialogos::Error(error, TituloCalendarios);
        return false;
    }
    return true;
}

void TFormHorarios::SpeedButton6Click() {
    const int anio = Calendario.Anio != 0 ? Calendario.Anio : Hoy().year();
    const int fila = SG2.RowCount();
    const std::string codigo = CodigoNuevoCalendario(SG2, anio);
    SG2.InsertaFila(fila);
    SG2.SetFila(fila, {codigo, std::to_string(anio), ""});
    SG2.SetRow(fila);
    SG2.SetCol(0);
    SG2SelectCell(0, fila);
}

void TFormHorarios::SpeedButton7Click() {
    const int fila = SG2.Row();
    if (SG2.RowCount() <= 2 || fila < 1 || fila >= SG2.RowCount())
        return;
    SG2.BorraFila(fila);
    if (Calendario.FilaBorrada(fila)) {
        // The deleted calendar's map is not kept under another row: the row now selected is loaded.
        const int nueva = std::min(fila, SG2.RowCount() - 1);
        SG2.SetRow(nueva);
        cambiaCalendario(nueva);
    } else {
        SG2.SetRow(Calendario.Fila);
    }
}

void TFormHorarios::SpeedButton3Click() {
    if (Calendario.Mes > 1) {
        --Calendario.Mes;
        RellenaCalendario();
    }
}

void TFormHorarios::SpeedButton4Click() {
    if (Calendario.Mes < 12) {
        ++Calendario.Mes;
        RellenaCalendario();
    }
}

void TFormHorarios::RellenaCalendario() {
    RellenaMes(SGCal, Calendario.Anio, Calendario.Mes);
    for (QAction *a : {Aphoy, Apdmes, Apdano, Aptomes})
        a->setEnabled(Calendario.Aplicable());
    ST1->clear();
    if (Calendario.Anio != 0) {
        int col = 0, fila = 0;
        CeldaDia(QDate(Calendario.Anio, Calendario.Mes, 1), col, fila);
        SGCal.SetCol(col);
        SGCal.SetRow(fila);
        SGCalSelectCell(col, fila);
    }
    VistaSGCal->viewport()->update();
}

void TFormHorarios::SGCalSelectCell(int col, int row) {
    const int dia = row >= 1 ? LeeEntero(SGCal.Celda(col, row)) : 0;
    if (dia == 0 || Calendario.Anio == 0) {
        // Cells without a day cannot be selected.
        int c = 0, f = 0;
        if (Calendario.Anio != 0)
            CeldaDia(Calendario.Fecha(), c, f);
        SGCal.SetRow(f);
        SGCal.SetCol(c);
        return;
    }
    Calendario.Dia = dia;
    const QDate fecha = Calendario.Fecha();
    ST1->setText(aQ(FormatoFecha(fecha, "dddd d 'de' mmmm 'de' yyyy")));
    Apdmes->setText(aQ(FormatoFecha(fecha, "'Todos los' dddd 'de' mmmm")));
    Apdano->setText(aQ(FormatoFecha(fecha, Ansi("'Todos los' dddd 'del año'"))));
    Aptomes->setText(aQ(FormatoFecha(fecha, "'Todo el mes de ' mmmm")));
}

void TFormHorarios::aplica(bool (TCalendarioEditado::*accion)(int)) {
    if (!Calendario.Aplicable())
        return;
    if (JornadaAplicar < 0) {
        Dialogos::Aviso(Ansi("La jornada elegida no tiene un código entre 0 y 254: no se aplica."),
                        TituloCalendarios);
        return;
    }
    (Calendario.*accion)(JornadaAplicar);
    VistaSGCal->viewport()->update();
}

void TFormHorarios::AphoyExecute() {
    aplica(&TCalendarioEditado::AplicaDia);
}
void TFormHorarios::ApdmesExecute() {
    aplica(&TCalendarioEditado::AplicaDiaDelMes);
}
void TFormHorarios::ApdanoExecute() {
    aplica(&TCalendarioEditado::AplicaDiaDelAnio);
}
void TFormHorarios::AptomesExecute() {
    aplica(&TCalendarioEditado::AplicaMes);
}
