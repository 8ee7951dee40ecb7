#include "presence/ui/incidenciased.h"

#include "common/globales.h"
#include "masterdata/tiposincidencia.h"
#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/reloj.h"
#include "platform/ui/controles.h"
#include "platform/ui/stringgridview.h"
#include "platform/ui/ventanas.h"
#include "presence/incidencias.h"
#include "presence/informeincidencias.h"
#include "presence/seleccion.h"
#include "presence/ui/ficharpre.h"
#include "terminal/ui/panel.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimeEdit>

QPointer<TFormEditaIncidencias> FormEditaIncidencias;

namespace {
std::string texto(const QComboBox *cb) {
    return deQ(cb->currentText());
}
} // namespace

TFormEditaIncidencias::TFormEditaIncidencias(QWidget *padre) : QDialog(padre) {
    setObjectName("FormEditaIncidencias");
    auto *l = new QGridLayout(this);
    DT1 = new TSelectorFecha(this);
    DT2 = new TSelectorFecha(this);
    CB1 = new QComboBox(this);
    CB1->setEditable(true);
    CB1->setInsertPolicy(QComboBox::NoInsert);
    CB2 = new QComboBox(this);
    HIni = new QTimeEdit(QTime(0, 0), this);
    HIni->setDisplayFormat("HH:mm");
    SeleccionaParteAlPulsar(HIni);
    SG1.ColWidths = {120, 220, 220};
    VistaSG1 = new TStringGridView(&SG1, this);
    VistaSG1->SetSeleccionFilas(true);
    VistaSG1->horizontalHeader()->setStretchLastSection(true);
    SpeedButton1 = new QPushButton(aQ(Ansi("Añadir")), this);
    SpeedButton1->setToolTip(aQ(Ansi("Añadir incidencia")));
    SpeedButton2 = new QPushButton("Eliminar", this);
    SpeedButton2->setToolTip("Eliminar incidencia");
    SpeedButton3 = new QPushButton("Fichar", this);
    SpeedButton3->setToolTip("Fichar");
    ListarIn = new QPushButton("Listar", this);
    // Enter in a field does not press a button.
    for (QPushButton *b : {SpeedButton1, SpeedButton2, SpeedButton3, ListarIn})
        b->setAutoDefault(false);

    l->addWidget(new QLabel("Desde", this), 0, 0);
    l->addWidget(DT1, 0, 1);
    l->addWidget(new QLabel("hasta", this), 0, 2);
    l->addWidget(DT2, 0, 3);
    l->addWidget(new QLabel("Trabajador", this), 1, 0);
    l->addWidget(CB1, 1, 1, 1, 3);
    l->addWidget(new QLabel("Incidencia", this), 2, 0);
    l->addWidget(CB2, 2, 1, 1, 3);
    l->addWidget(new QLabel("Tiempo a justificar", this), 3, 0);
    l->addWidget(HIni, 3, 1);
    l->addWidget(SpeedButton1, 4, 0);
    l->addWidget(SpeedButton2, 4, 1);
    l->addWidget(SpeedButton3, 4, 2);
    l->addWidget(ListarIn, 4, 3);
    l->addWidget(VistaSG1, 5, 0, 1, 4);

    VistaSG1->Modelo()->ColorTexto = [this](int, int r) {
        return FilaResaltada(SG1, r, texto(CB1), texto(CB2)) ? QColor(Qt::red) : QColor();
    };
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });
    connect(SpeedButton3, &QPushButton::clicked, this, [this] { SpeedButton3Click(); });
    connect(ListarIn, &QPushButton::clicked, this, [this] { ListarInClick(); });
    for (QDateEdit *d : {DT1, DT2}) {
        connect(d, &QDateEdit::dateChanged, this, [this] { DT1Change(); });
        connect(d, &QDateEdit::editingFinished, this, [this] { DT1CloseUp(); });
    }
    connect(CB1, &QComboBox::currentTextChanged, this, [this] { CB1Change(); });
    connect(CB2, &QComboBox::currentTextChanged, this, [this] { CB1Change(); });
    FormCreate();
}

TFormEditaIncidencias::~TFormEditaIncidencias() {
    // The date fields outlive this part of the dialog: losing the focus as it goes must not reach it.
    for (QDateEdit *d : {DT1, DT2})
        d->disconnect(this);
}

void TFormEditaIncidencias::FormCreate() {
    llenaListas();
    const QDate hoy = Ahora().date();
    ponFechas(hoy, hoy);
    ArchivoIncidencias = NombreArchivoIncidencias(hoy.year());
    ListaIncidencias.clear();
    CargaIncidencias(hoy.year(), ListaIncidencias);
    LlenaRejillaIncidencias(SG1, ListaIncidencias);
    ponTitulo();
}

void TFormEditaIncidencias::showEvent(QShowEvent *e) {
    QDialog::showEvent(e);
    FormActivate();
}

void TFormEditaIncidencias::llenaListas() {
    {
        // One item per incidence type, after the title row; the choice stays when still listed.
        const QString elegida = CB2->currentText();
        StringGrid tipos;
        LeeTiposIncidencia(RutaIncidencias(), tipos);
        QSignalBlocker b(CB2);
        CB2->clear();
        for (int r = 1; r < tipos.RowCount(); ++r) {
            const std::vector<std::string> t = tipos.Fila(r);
            if (!(t[0] + t[1] + t[2]).empty())
                CB2->addItem(aQ(t[0] + " " + t[1] + " *" + t[2]));
        }
        CB2->setCurrentIndex(CB2->findText(elegida));
    }
    {
        const QString texto = CB1->currentText();
        QSignalBlocker b(CB1);
        CB1->clear();
        std::vector<std::string> ids;
        IdentificadoresEmpleados(ids);
        OrdenaComoCombo(ids);
        for (const std::string &id : ids)
            CB1->addItem(aQ(id));
        CB1->setCurrentIndex(-1);
        CB1->setEditText(texto);
    }
}

void TFormEditaIncidencias::FormActivate() {
    // Employees and incidence types added since the last showing are listed.
    llenaListas();
    if (!EmpleadoPedido.empty() || (FormVelka && FormVelka->EDBusca)) {
        QSignalBlocker b(CB1);
        CB1->setEditText(EmpleadoPedido.empty() ? FormVelka->EDBusca->text() : aQ(EmpleadoPedido));
    }
    EmpleadoPedido.clear();
    if (FechaFichaje.isValid())
        ponFechas(FechaFichaje.date(), FechaFichaje.date());
    VistaSG1->Modelo()->Refresca();
}

void TFormEditaIncidencias::ponFechas(const QDate &desde, const QDate &hasta) {
    QSignalBlocker b1(DT1), b2(DT2);
    DT1->setDate(desde);
    DT2->setDate(hasta);
}

void TFormEditaIncidencias::ponTitulo() {
    setWindowTitle(aQ("Editar incidencias de " + std::to_string(DT1->date().year())));
}

void TFormEditaIncidencias::SpeedButton1Click() {
    PeticionIncidencia p;
    p.Desde = DT1->date();
    p.Hasta = DT2->date();
    p.Minutos = HIni->time().hour() * 60 + HIni->time().minute();
    p.Empleado = texto(CB1);
    p.Incidencia = texto(CB2);
    ResultadoIncidencia r = AnadeIncidencias(p);
    if (!r.Mensaje.empty())
        Dialogos::MuestraMensaje(r.Mensaje);
    if (!r.Hecho)
        return;
    ArchivoIncidencias = NombreArchivoIncidencias(r.Anio);
    TextoIncidencia = r.TextoIncidencia;
    ListaIncidencias = std::move(r.Lista);
    LlenaRejillaIncidencias(SG1, ListaIncidencias);
    VistaSG1->Modelo()->Refresca();
}

void TFormEditaIncidencias::SpeedButton2Click() {
    const int fila = SG1.Row();
    if (fila < 1 || fila >= SG1.RowCount())
        return;
    ResultadoIncidencia r = BorraIncidencia(SG1.Cells[0][fila], SG1.Cells[1][fila], SG1.Cells[2][fila]);
    if (!r.Mensaje.empty())
        Dialogos::Error(r.Mensaje);
    if (!r.Hecho)
        return;
    ListaIncidencias = std::move(r.Lista);
    SG1.BorraFila(fila);
    VistaSG1->Modelo()->Refresca();
}

void TFormEditaIncidencias::DT1Change() {
    QDate desde = DT1->date(), hasta = DT2->date();
    AjustaFechasCambio(desde, hasta);
    ponFechas(desde, hasta);
    ArchivoIncidencias = NombreArchivoIncidencias(desde.year());
    LlenaRejillaIncidencias(SG1, IncidenciasPeriodo(desde, hasta));
    ponTitulo();
    VistaSG1->Modelo()->Refresca();
}

void TFormEditaIncidencias::DT1CloseUp() {
    QDate desde = DT1->date(), hasta = DT2->date();
    AjustaFechasCierre(desde, hasta);
    ponFechas(desde, hasta);
}

void TFormEditaIncidencias::CB1Change() {
    VistaSG1->Modelo()->Refresca();
}

void TFormEditaIncidencias::SpeedButton3Click() {
    TPeticionFichaje p;
    p.FechaFichaje = FechaFichaje;
    p.EmpleadoFichaje = texto(CB1);
    p.CodigoFichaje = std::string(8, ' ');
    MuestraFichar(p);
}

void TFormEditaIncidencias::ListarInClick() {
    const std::string empleado = texto(CB1), incidencia = texto(CB2);
    const QDate desde = DT1->date(), hasta = DT2->date();
    close();
    ImprimeIncidenciasExecute(empleado, incidencia, desde, hasta);
}
