#include "production/ui/paginaobra.h"

#include "common/configuracion.h"
#include "common/globales.h"
#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/numeros.h"
#include "platform/paleta.h"
#include "platform/reloj.h"
#include "platform/ui/controles.h"
#include "platform/ui/stringgridview.h"
#include "presence/ui/ficharpre.h"
#include "production/informeproduccion.h"
#include "production/obras.h"
#include "production/ordenimpresa.h"
#include "production/ui/vistasproduccion.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {
constexpr int kEntrada = Qt::UserRole; // LB1: "name\tdate"

// LB1's items: the check box, then the file name and below it the order's date.
class TDelegadoObras : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *p, const QStyleOptionViewItem &o, const QModelIndex &i) const override {
        QStyleOptionViewItem op(o);
        initStyleOption(&op, i);
        const std::string entrada = deQ(i.data(kEntrada).toString());
        op.text.clear();
        QStyle *estilo = op.widget ? op.widget->style() : QApplication::style();
        estilo->drawControl(QStyle::CE_ItemViewItem, &op, p, op.widget);
        const QRect r = estilo->subElementRect(QStyle::SE_ItemViewItemText, &op, op.widget);
        p->save();
        p->setPen(
            op.palette.color(op.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
        const int linea = op.fontMetrics.ascent();
        p->drawText(r.left() + 2, r.top() + 2 + linea, aQ(NombreEntrada(entrada)));
        const size_t tab = entrada.find('\t');
        p->drawText(r.left() + 2, r.top() + 15 + linea,
                    aQ(tab == std::string::npos ? "" : entrada.substr(tab + 1)));
        p->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem &o, const QModelIndex &i) const override {
        QSize s = QStyledItemDelegate::sizeHint(o, i);
        s.setHeight(std::max(s.height(), 17 + o.fontMetrics.height()));
        return s;
    }
};

// Text of a data row: black when it has an end, green with only a start, red with neither;
// silver for a row that is not counted (quantity 0).
QColor colorFila(const StringGrid &g, int fila) {
    if (fila < 1)
        return {};
    if (LeeEntero(g.Celda(3, fila)) == 0)
        return QColor(192, 192, 192);
    if (!g.Celda(8, fila).empty())
        return QColor(0, 0, 0);
    return g.Celda(7, fila).empty() ? ColorRojo : ColorVerde;
}

} // namespace

void TPaginaObra::CreaPaginaObra(QWidget *pagina) {
    LB1 = new QListWidget(pagina);
    LB1->setItemDelegate(new TDelegadoObras(LB1));
    TitulosPorObra(SG2);
    SG2.ColWidths = {70, 50, 90, 55, 140, 110, 110, 110, 110, 60, 80};
    VistaSG2 = new TStringGridView(&SG2, pagina);
    VistaSG2->setContextMenuPolicy(Qt::CustomContextMenu);
    VistaSG2->Modelo()->ColorTexto = [this](int, int r) { return colorFila(SG2, r); };
    SeleccionPorBloques(VistaSG2, [this] { return std::make_pair(PrimeraFilaObra, UltimaFilaObra); });
    BProdObra = new QPushButton(aQ(Ansi("Mostrar selección")), pagina);
    SpeedButton3 = new QPushButton("Ampliar", pagina);
    SpeedButton3->setToolTip("Ampliar obra");
    SpeedButton3->setEnabled(false);
    SpeedButton7 = new QPushButton("Filtro entre fechas", pagina);
    SpeedButton6 = new QPushButton("Imprimir", pagina);
    SpeedButton4 = new QPushButton(aQ("Buscar " + Configuracion().RotuloObra), pagina);
    SpeedButton5 = new QPushButton(aQ("Buscar " + Configuracion().RotuloCarpeta), pagina);
    LEBObra = new QLineEdit(pagina);
    LEBCarpeta = new QLineEdit(pagina);
    ST1 = new TRotuloRecortado(pagina);
    ST2 = new TRotuloRecortado(pagina);
    STFObra = new TRotuloRecortado(pagina);
    DTP4 = new TSelectorFecha(pagina);
    DTP3 = new TSelectorFecha(pagina);
    MenuImprimir = new QMenu(pagina);
    QAction *sinCierre = MenuImprimir->addAction("Imprimir Orden");
    QAction *conCierre = MenuImprimir->addAction("Imprimir Orden+Cierre");
    MenuFichar = new QMenu(pagina);
    QAction *fichar = MenuFichar->addAction("Fichar");
    MenuCerrar = new QMenu(pagina);
    QAction *cerrar = MenuCerrar->addAction("Cerrar trabajo");

    auto *fechas = new QHBoxLayout();
    for (QWidget *w : std::initializer_list<QWidget *>{
             new QLabel("Desde", pagina), DTP4, new QLabel("Hasta", pagina), DTP3, SpeedButton7, BProdObra,
             SpeedButton3, SpeedButton6, LEBObra, SpeedButton4, LEBCarpeta, SpeedButton5})
        fechas->addWidget(w);
    fechas->addStretch();
    auto *izquierda = new QVBoxLayout();
    for (QWidget *w : std::initializer_list<QWidget *>{LB1, ST1, ST2, STFObra})
        izquierda->addWidget(w);
    auto *campos = new QGridLayout();
    LEttra = CampoProduccion(pagina, campos, "Total trabajos", 0, 0);
    LEtfin = CampoProduccion(pagina, campos, "Finalizados", 0, 2);
    LEtpen = CampoProduccion(pagina, campos, "Pendientes", 0, 4);
    LEtsin = CampoProduccion(pagina, campos, "Sin iniciar", 0, 6);
    LEtenp = CampoProduccion(pagina, campos, "En proceso", 0, 8);
    LEObras = CampoProduccion(pagina, campos, "Obras", 1, 0);
    LETTotal = CampoProduccion(pagina, campos, "Tiempo total", 1, 2);
    LECTotal = CampoProduccion(pagina, campos, "Coste total", 1, 4);
    LETParcial = CampoProduccion(pagina, campos, "Tiempo parcial", 1, 6);
    LECParcial = CampoProduccion(pagina, campos, "Coste parcial", 1, 8);
    auto *derecha = new QVBoxLayout();
    derecha->addWidget(VistaSG2);
    derecha->addLayout(campos);
    auto *l = new QGridLayout(pagina);
    l->addLayout(fechas, 0, 0, 1, 2);
    l->addLayout(izquierda, 1, 0);
    l->addLayout(derecha, 1, 1);
    l->setColumnStretch(1, 3);

    QObject::connect(LB1, &QListWidget::itemPressed, pagina,
                     [this](QListWidgetItem *i) { marcaPulsada_ = i->checkState(); });
    QObject::connect(LB1, &QListWidget::itemClicked, pagina,
                     [this](QListWidgetItem *i) { LB1Click(i, i->checkState() != marcaPulsada_); });
    QObject::connect(BProdObra, &QPushButton::clicked, pagina, [this] { BProdObraClick(); });
    QObject::connect(SpeedButton3, &QPushButton::clicked, pagina, [this] { AmpliaOrden(); });
    QObject::connect(SpeedButton7, &QPushButton::clicked, pagina, [this] { SpeedButton7Click(); });
    QObject::connect(SpeedButton6, &QPushButton::clicked, pagina, [this] { SpeedButton6Click(); });
    QObject::connect(SpeedButton4, &QPushButton::clicked, pagina, [this] { SpeedButton4Click(); });
    QObject::connect(SpeedButton5, &QPushButton::clicked, pagina, [this] { SpeedButton5Click(); });
    QObject::connect(VistaSG2, &TStringGridView::SelectCell, pagina,
                     [this](int c, int r) { SG2SelectCell(c, r); });
    QObject::connect(VistaSG2, &QWidget::customContextMenuRequested, pagina, [this](const QPoint &p) {
        if (MenuSG2)
            MenuSG2->popup(VistaSG2->viewport()->mapToGlobal(p));
    });
    QObject::connect(sinCierre, &QAction::triggered, pagina, [this] { ImprimeOrden(false); });
    QObject::connect(conCierre, &QAction::triggered, pagina, [this] { ImprimeOrden(true); });
    QObject::connect(fichar, &QAction::triggered, pagina, [this] { Fichar(false); });
    QObject::connect(cerrar, &QAction::triggered, pagina, [this] { Fichar(true); });
}

QDate TPaginaObra::FechaInforme() const {
    return DTP3->date();
}

void TPaginaObra::PageControl1Change() {
    LB1->clear();
    for (const std::string &entrada : ListaOrdenes(Configuracion().DirProduccion)) {
        auto *item = new QListWidgetItem(aQ(NombreEntrada(entrada)));
        item->setData(kEntrada, aQ(entrada));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        LB1->addItem(item);
    }
    TitulosPorObra(SG2);
    DTP4->setDate(Hoy().addDays(-1));
    DTP3->setDate(Hoy());
    if (LB1->count() > 0) {
        LB1->setCurrentRow(0);
        LB1Click(LB1->item(0), false);
    }
    SpeedButton3->setEnabled(false);
}

void TPaginaObra::LB1Click(QListWidgetItem *item, bool casillaCambiada) {
    if (casillaCambiada || !item)
        return;
    for (int i = 0; i < LB1->count(); ++i)
        LB1->item(i)->setCheckState(LB1->item(i) == item ? Qt::Checked : Qt::Unchecked);
}

std::vector<std::string> TPaginaObra::Marcadas() const {
    std::vector<std::string> r;
    for (int i = 0; i < LB1->count(); ++i)
        if (LB1->item(i)->checkState() == Qt::Checked)
            r.push_back(deQ(LB1->item(i)->data(kEntrada).toString()));
    return r;
}

void TPaginaObra::SpeedButton7Click() {
    TituloProduccion = TituloPeriodo(Configuracion().RotuloObra, DTP4->date(), DTP3->date());
    const std::vector<std::string> lista = entradas();
    for (int i = 0; i < LB1->count(); ++i) {
        const QDate dia =
            FechaOrden(Configuracion().DirProduccion + NombreEntrada(lista[static_cast<size_t>(i)])).date();
        const bool dentro = dia >= DTP4->date() && dia <= DTP3->date();
        LB1->item(i)->setCheckState(dentro ? Qt::Checked : Qt::Unchecked);
    }
    FiltroFechasProduccion = 1;
}

bool TPaginaObra::leeObra(const std::string &nombre) {
    std::string error;
    TOrdenTrabajo orden;
    if (!LeeOrden(Configuracion().DirProduccion + nombre, orden, error)) {
        Dialogos::Error(error);
        return false;
    }
    UltimaObra = orden;
    RutaObra = Configuracion().DirProduccion + nombre;
    TipoOrdenActual = TipoDeNombre(nombre);
    ST1->setText(aQ(TextoDescripcion(orden)));
    ST2->setText(aQ(TextoCliente(orden)));
    return true;
}

void TPaginaObra::muestraContadores() {
    const TContadoresObra &c = Contadores;
    LEttra->setText(aQ(TextoContador(c.Trabajos)));
    LEtfin->setText(aQ(TextoContador(c.Finalizados)));
    LEtpen->setText(aQ(TextoContador(c.Pendientes)));
    LEtsin->setText(aQ(TextoContador(c.SinIniciar)));
    LEtenp->setText(aQ(TextoContador(c.EnProceso)));
    LEObras->setText(aQ(TextoContador(c.Obras)));
    LETTotal->setText(aQ(TextoTiempoTotal(c.Minutos, Horas())));
    LECTotal->setText(aQ(TextoCosteTotal(c.Coste)));
}

void TPaginaObra::BProdObraClick() {
    const std::vector<std::string> marcadas = Marcadas();
    SG2.SetRowCount(2);
    SG2.SetFila(1, std::vector<std::string>(11));
    if (marcadas.empty())
        return;
    TPeticionPorObra p;
    for (const std::string &e : marcadas)
        p.Nombres.push_back(NombreEntrada(e));
    p.Directorio = Configuracion().DirProduccion;
    p.Listado = {DTP4->date(), DTP3->date(), TerminalesProduccion(), ""};
    p.Empleados = GridEmpleados();
    p.Ahora = Ahora();
    p.Horas = Horas();
    const TResultadoPorObra res = ProduccionPorObra(p, SG2);
    for (const std::string &e : res.Errores)
        Dialogos::Error(e);
    if (!res.UltimoNombre.empty()) {
        UltimaObra = res.UltimaOrden;
        RutaObra = Configuracion().DirProduccion + res.UltimoNombre;
        TipoOrdenActual = TipoDeNombre(res.UltimoNombre);
        ST1->setText(aQ(TextoDescripcion(UltimaObra)));
        ST2->setText(aQ(TextoCliente(UltimaObra)));
    }
    Contadores = res.Contadores;
    muestraContadores();
    TituloProduccion = TituloSeleccion(Contadores.Obras, FiltroFechasProduccion ? TituloProduccion : "");
    FiltroFechasProduccion = 0;
    SpeedButton3->setEnabled(Contadores.Obras == 1);
}

void TPaginaObra::SG2SelectCell(int col, int fila) {
    const TBloqueObra b = BloqueObra(SG2, col, fila);
    PrimeraFilaObra = b.Primera;
    UltimaFilaObra = b.Ultima;
    ObraSeleccionada = b.Carpeta ? 1 : 0;
    fila_ = fila;
    if (fila < 1 || fila >= SG2.RowCount())
        return;
    const std::string nombre = NombreDeIdentidad(SG2.Celda(5, fila));
    if (!nombre.empty() && leeObra(nombre))
        STFObra->setText(aQ(TextoFechaObra(Configuracion().DirProduccion + nombre)));
    const bool abierta = !SG2.Celda(7, fila).empty() && SG2.Celda(8, fila).empty();
    MenuSG2 = col == 1 || col == 2  ? MenuImprimir
              : col == 9            ? MenuTiempo()
              : col == 8 && abierta ? MenuCerrar
                                    : MenuFichar;
    const TSumaBloque s = SumaBloque(SG2, PrimeraFilaObra, UltimaFilaObra);
    LETParcial->setText(aQ(TextoTiempoTotal(s.Minutos, Horas())));
    LECParcial->setText(aQ(TextoCosteTotal(s.Coste)));
}

void TPaginaObra::Fichar(bool cerrar) {
    const std::string codigo = SG2.Celda(0, fila_);
    if (codigo.empty())
        return;
    FechaFichaje = Ahora();
    TPeticionFichaje p;
    p.FechaFichaje = p.FechaFichajeFin = FechaFichaje;
    p.EmpleadoFichaje = cerrar ? SG2.Celda(6, fila_) : std::string();
    p.CodigoFichaje = cerrar ? CodigoCierre(codigo) : codigo;
    MuestraFichar(p, (cerrar ? "Cerrar trabajo " : Ansi("Fichar producción ")) + codigo + " Carpeta (" +
                         SG2.Celda(1, fila_) + ") " + SG2.Celda(2, fila_) + " " + SG2.Celda(3, fila_) + " " +
                         SG2.Celda(4, fila_));
    LB1Click(LB1->currentItem(), false);
}

void TPaginaObra::ImprimeOrden(bool conCierre) {
    OrdenConCierre = conCierre ? 1 : 0;
    TPeticionOrdenImpresa p;
    std::string error;
    if (!PeticionDeBloque(SG2, PrimeraFilaObra, UltimaFilaObra, conCierre, Configuracion().DirProduccion, p,
                          error)) {
        Dialogos::Error(error);
        return;
    }
    ImprimeOrdenExecute(p);
}

void TPaginaObra::muestra(int i) {
    LB1->setCurrentRow(i);
    LB1Click(LB1->item(i), false);
    BProdObraClick();
}

std::vector<std::string> TPaginaObra::entradas() const {
    std::vector<std::string> r;
    for (int i = 0; i < LB1->count(); ++i)
        r.push_back(deQ(LB1->item(i)->data(kEntrada).toString()));
    return r;
}

void TPaginaObra::SpeedButton4Click() {
    const std::string texto = deQ(LEBObra->text());
    const int i = BuscaObra(entradas(), LB1->currentRow(), texto);
    if (i < 0) {
        Dialogos::MuestraMensaje("La " + Configuracion().RotuloObra + " : " + texto +
                                 Ansi(" no se encuentra desde la posición actual hasta el final"));
        return;
    }
    muestra(i);
}

void TPaginaObra::SpeedButton5Click() {
    const std::string texto = deQ(LEBCarpeta->text());
    const int i = BuscaCarpeta(entradas(), LB1->currentRow(), texto, Configuracion().DirProduccion);
    if (i < 0) {
        Dialogos::MuestraMensaje("La carpeta : " + texto +
                                 Ansi(" no se encuentra desde la posición actual hasta el final"));
        return;
    }
    muestra(i);
    const int carpeta = PrefijoYNumero(texto).second;
    for (int r = 1; r < SG2.RowCount(); ++r) {
        if (LeeEntero(SG2.Celda(1, r)) != carpeta)
            continue;
        SG2.SetCol(1);
        SG2.SetRow(r);
        SG2SelectCell(1, r);
        SeleccionaBloque(VistaSG2, PrimeraFilaObra, UltimaFilaObra);
        break;
    }
}

void TPaginaObra::SpeedButton6Click() {
    TPeticionInformeObras p;
    p.SG2 = &SG2;
    p.Titulo = TituloProduccion;
    p.Seleccionada = ObraSeleccionada != 0;
    p.Primera = PrimeraFilaObra;
    p.Ultima = UltimaFilaObra;
    p.Fecha = FechaInforme();
    p.Contadores = Contadores;
    p.Horas = Horas();
    p.Directorio = Configuracion().DirProduccion;
    ImprimeProdObrasExecute(p);
    ObraSeleccionada = 0;
}
