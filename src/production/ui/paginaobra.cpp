#include "production/ui/paginaobra.h"

#include "common/configuracion.h"
#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/reloj.h"
#include "platform/ui/controles.h"
#include "platform/ui/stringgridview.h"
#include "production/obras.h"
#include "production/ordenimpresa.h"

#include <QAction>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kEntrada = Qt::UserRole; // LB1: "name\tdate"
} // namespace

void TPaginaObra::CreaPaginaObra(QWidget *pagina) {
    LB1 = new QListWidget(pagina);
    TitulosPorObra(SG2);
    SG2.ColWidths = {70, 50, 90, 55, 140, 110, 110, 110, 110, 60, 80};
    VistaSG2 = new TStringGridView(&SG2, pagina);
    VistaSG2->setContextMenuPolicy(Qt::CustomContextMenu);
    BProdObra = new QPushButton(aQ(Ansi("Mostrar selección")), pagina);
    SpeedButton3 = new QPushButton("Ampliar", pagina);
    SpeedButton3->setToolTip("Ampliar obra");
    SpeedButton3->setEnabled(false);
    ST1 = new TRotuloRecortado(pagina);
    ST2 = new TRotuloRecortado(pagina);
    STFObra = new TRotuloRecortado(pagina);
    DTP4 = new TSelectorFecha(pagina);
    DTP3 = new TSelectorFecha(pagina);
    MenuImprimir = new QMenu(pagina);
    QAction *sinCierre = MenuImprimir->addAction("Imprimir Orden");
    QAction *conCierre = MenuImprimir->addAction("Imprimir Orden+Cierre");

    auto *fechas = new QHBoxLayout();
    fechas->addWidget(new QLabel("Desde", pagina));
    fechas->addWidget(DTP4);
    fechas->addWidget(new QLabel("Hasta", pagina));
    fechas->addWidget(DTP3);
    fechas->addWidget(BProdObra);
    fechas->addWidget(SpeedButton3);
    fechas->addStretch();
    auto *izquierda = new QVBoxLayout();
    izquierda->addWidget(LB1);
    izquierda->addWidget(ST1);
    izquierda->addWidget(ST2);
    izquierda->addWidget(STFObra);
    auto *l = new QGridLayout(pagina);
    l->addLayout(fechas, 0, 0, 1, 2);
    l->addLayout(izquierda, 1, 0);
    l->addWidget(VistaSG2, 1, 1);
    l->setColumnStretch(1, 3);

    QObject::connect(LB1, &QListWidget::itemPressed, pagina,
                     [this](QListWidgetItem *i) { marcaPulsada_ = i->checkState(); });
    QObject::connect(LB1, &QListWidget::itemClicked, pagina,
                     [this](QListWidgetItem *i) { LB1Click(i, i->checkState() != marcaPulsada_); });
    QObject::connect(BProdObra, &QPushButton::clicked, pagina, [this] { BProdObraClick(); });
    QObject::connect(SpeedButton3, &QPushButton::clicked, pagina, [this] { AmpliaOrden(); });
    QObject::connect(VistaSG2, &TStringGridView::SelectCell, pagina,
                     [this](int c, int r) { SG2SelectCell(c, r); });
    QObject::connect(VistaSG2, &QWidget::customContextMenuRequested, pagina, [this](const QPoint &p) {
        if (ObraSeleccionada)
            MenuImprimir->popup(VistaSG2->viewport()->mapToGlobal(p));
    });
    QObject::connect(sinCierre, &QAction::triggered, pagina, [this] { ImprimeOrden(false); });
    QObject::connect(conCierre, &QAction::triggered, pagina, [this] { ImprimeOrden(true); });
}

void TPaginaObra::PageControl1Change() {
    LB1->clear();
    for (const std::string &entrada : ListaOrdenes(Configuracion().DirProduccion)) {
        auto *item =
            new QListWidgetItem(aQ(NombreEntrada(entrada) + "\n" + entrada.substr(entrada.find('\t') + 1)));
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

void TPaginaObra::BProdObraClick() {
    SG2.SetRowCount(1);
    int mostradas = 0;
    for (const std::string &entrada : Marcadas()) {
        const std::string nombre = NombreEntrada(entrada);
        if (!leeObra(nombre))
            continue;
        ++mostradas;
        AnadeTareas(SG2, nombre, UltimaObra);
    }
    if (SG2.RowCount() < 2)
        SG2.SetRowCount(2);
    SpeedButton3->setEnabled(mostradas == 1);
}

void TPaginaObra::SG2SelectCell(int col, int fila) {
    const TBloqueObra b = BloqueObra(SG2, col, fila);
    PrimeraFilaObra = b.Primera;
    UltimaFilaObra = b.Ultima;
    ObraSeleccionada = b.Carpeta ? 1 : 0;
    if (fila < 1 || fila >= SG2.RowCount())
        return;
    const std::string nombre = NombreDeIdentidad(SG2.Celda(5, fila));
    if (!nombre.empty() && leeObra(nombre))
        STFObra->setText(
            aQ("Fecha       : " + TextoFechaOrden(FechaOrden(Configuracion().DirProduccion + nombre))));
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
