#include "production/ui/paginaempleado.h"

#include "common/configuracion.h"
#include "platform/codepage.h"
#include "platform/reloj.h"
#include "platform/ui/controles.h"
#include "platform/ui/stringgridview.h"
#include "presence/seleccion.h"
#include "production/informeproduccion.h"
#include "production/ui/vistasproduccion.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <set>

void TPaginaEmpleado::CreaPaginaEmpleado(QWidget *pagina) {
    CLB1 = new QListWidget(pagina);
    CLB1->setContextMenuPolicy(Qt::CustomContextMenu);
    MenuEmpleados = new QMenu(pagina);
    QAction *todos = MenuEmpleados->addAction("Marcar todos");
    QAction *ninguno = MenuEmpleados->addAction("Desmarcar todos");
    DTP1 = new TSelectorFecha(pagina);
    DTP2 = new TSelectorFecha(pagina);
    SpeedButton9 = new QPushButton("Mostrar", pagina);
    SpeedButton8 = new QPushButton("Imprimir", pagina);
    Button1 = new QPushButton(aQ("Ordenar por " + Configuracion().RotuloEmpleado), pagina);
    VistaSG3 = new TStringGridView(&SG3, pagina);
    VistaSG3->setContextMenuPolicy(Qt::CustomContextMenu);
    SeleccionPorBloques(VistaSG3, [this] { return std::make_pair(PrimeraFilaEmpleado, UltimaFilaEmpleado); });

    auto *arriba = new QHBoxLayout();
    for (QWidget *w :
         std::initializer_list<QWidget *>{new QLabel("Desde", pagina), DTP1, new QLabel("Hasta", pagina),
                                          DTP2, SpeedButton9, Button1, SpeedButton8})
        arriba->addWidget(w);
    arriba->addStretch();
    auto *campos = new QGridLayout();
    LEemple = CampoProduccion(pagina, campos, "Empleados", 0, 0);
    LEEmptt = CampoProduccion(pagina, campos, "Tiempo total", 0, 2);
    LEEmpct = CampoProduccion(pagina, campos, "Coste total", 0, 4);
    LEEmptp = CampoProduccion(pagina, campos, "Tiempo parcial", 0, 6);
    LEEmpcp = CampoProduccion(pagina, campos, "Coste parcial", 0, 8);
    auto *l = new QGridLayout(pagina);
    l->addLayout(arriba, 0, 0, 1, 2);
    l->addWidget(CLB1, 1, 0, 2, 1);
    l->addWidget(VistaSG3, 1, 1);
    l->addLayout(campos, 2, 1);
    l->setColumnStretch(1, 3);

    QObject::connect(CLB1, &QWidget::customContextMenuRequested, pagina,
                     [this](const QPoint &p) { MenuEmpleados->popup(CLB1->viewport()->mapToGlobal(p)); });
    QObject::connect(todos, &QAction::triggered, pagina, [this] { MarcaTodos(true); });
    QObject::connect(ninguno, &QAction::triggered, pagina, [this] { MarcaTodos(false); });
    QObject::connect(SpeedButton9, &QPushButton::clicked, pagina, [this] { CLB1ClickCheck(); });
    QObject::connect(Button1, &QPushButton::clicked, pagina, [this] { Button1Click(); });
    QObject::connect(SpeedButton8, &QPushButton::clicked, pagina, [this] { SpeedButton8Click(); });
    QObject::connect(VistaSG3, &TStringGridView::SelectCell, pagina,
                     [this](int c, int r) { SG3SelectCell(c, r); });
    QObject::connect(VistaSG3, &QWidget::customContextMenuRequested, pagina, [this](const QPoint &p) {
        if (MenuSG3)
            MenuSG3->popup(VistaSG3->viewport()->mapToGlobal(p));
    });
}

void TPaginaEmpleado::RellenaEmpleados() {
    const std::vector<std::string> marcados = EmpleadosMarcados();
    const std::set<std::string> marca(marcados.begin(), marcados.end());
    std::vector<std::string> ids;
    IdentificadoresEmpleados(ids);
    CLB1->clear();
    for (const std::string &id : ids) {
        auto *item = new QListWidgetItem(aQ(id), CLB1);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(marca.count(id) ? Qt::Checked : Qt::Unchecked);
    }
}

void TPaginaEmpleado::MarcaTodos(bool marca) {
    for (int i = 0; i < CLB1->count(); ++i)
        CLB1->item(i)->setCheckState(marca ? Qt::Checked : Qt::Unchecked);
}

std::vector<std::string> TPaginaEmpleado::EmpleadosMarcados() const {
    std::vector<std::string> r;
    for (int i = 0; i < CLB1->count(); ++i)
        if (CLB1->item(i)->checkState() == Qt::Checked)
            r.push_back(deQ(CLB1->item(i)->text()));
    return r;
}

void TPaginaEmpleado::CLB1ClickCheck() {
    TPeticionPorEmpleado p;
    p.Empleados = EmpleadosMarcados();
    p.Listado = {DTP1->date(), DTP2->date(), TerminalesProduccion(), ""};
    p.Directorio = Configuracion().DirProduccion;
    p.GridEmpleados = GridEmpleados();
    p.Ahora = Ahora();
    p.Horas = Horas();
    Totales = ProduccionPorEmpleado(p, SG3);
    EmpleadosListados = Totales.Empleados;
    EmpleadoProduccion = p.Empleados.empty() ? std::string() : p.Empleados.back();
    LEemple->setText(QString::number(Totales.Empleados));
    LEEmptt->setText(aQ(TextoTiempoTotal(Totales.Minutos, Horas())));
    LEEmpct->setText(aQ(TextoCosteTotal(Totales.Coste)));
}

void TPaginaEmpleado::SG3SelectCell(int col, int fila) {
    if (fila < 1 || fila >= SG3.RowCount())
        return;
    const TBloqueObra b = BloqueEmpleado(SG3, col, fila);
    PrimeraFilaEmpleado = b.Primera;
    UltimaFilaEmpleado = b.Ultima;
    MenuSG3 = col == 9 ? MenuTiempo() : nullptr;
    const TSumaBloque s = SumaBloque(SG3, b.Primera, b.Ultima);
    LEEmptp->setText(aQ(TextoTiempoTotal(s.Minutos, Horas())));
    LEEmpcp->setText(aQ(TextoCosteTotal(s.Coste)));
    Button1->setText(aQ("Ordenar por " + SG3.Celda(col, 0)));
    ColumnaOrdenacion = col;
}

void TPaginaEmpleado::Button1Click() {
    OrdenaPorColumna(SG3, ColumnaOrdenacion);
}

void TPaginaEmpleado::SpeedButton8Click() {
    TPeticionInformeEmpleados p;
    p.SG3 = &SG3;
    p.Titulo = TituloPeriodo(Configuracion().RotuloEmpleado, DTP1->date(), DTP2->date());
    p.Marcados = EmpleadosListados;
    p.Total = CLB1->count();
    p.Empleado = EmpleadoProduccion;
    p.Desde = DTP1->date();
    p.Hasta = DTP2->date();
    p.Totales = Totales;
    p.Horas = Horas();
    ImprimeProdEmpleExecute(p);
}
