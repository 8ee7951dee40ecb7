#include "masterdata/ui/terminalesorg.h"

#include "common/configuracion.h"
#include "common/globales.h"
#include "masterdata/terminales.h"
#include "masterdata/ui/edicionrejilla.h"
#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/ui/stringgridview.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QPointer<TFormTerminales> FormTerminales;

TFormTerminales::TFormTerminales(QWidget *padre) : QDialog(padre) {
    setObjectName("FormTerminales");
    setWindowTitle("Terminales");
    resize(780, 320);
    auto *l = new QVBoxLayout(this);
    Label1 = new QLabel(this);
    l->addWidget(Label1);
    SGTerminales.ColWidths = {125, 150, 150, 100, 110, 105};
    VistaSGTerminales = new TStringGridView(&SGTerminales, this);
    l->addWidget(VistaSGTerminales);
    CB1 = ComboDeCelda(VistaSGTerminales, TiposConexion());
    CB2 = ComboDeCelda(VistaSGTerminales, ModosTerminal());
    l->addLayout(Botonera(this, {{&SpeedButton1, "Nuevo", "Añadir terminal"},
                                 {&SpeedButton2, "Eliminar", "Eliminar terminal"},
                                 {&botonrec, "Guardar", "Guardar configuración de terminales"}}));

    connect(botonrec, &QPushButton::clicked, this, [this] { botonrecClick(); });
    connect(SpeedButton1, &QPushButton::clicked, this, &TFormTerminales::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TFormTerminales::SpeedButton2Click);
    connect(VistaSGTerminales, &TStringGridView::SelectCell, this, &TFormTerminales::SGTerminalesSelectCell);
    connect(CB1, &QComboBox::activated, this, &TFormTerminales::CB1Change);
    connect(CB2, &QComboBox::activated, this, &TFormTerminales::CB2Change);
    FormCreate();
}

void TFormTerminales::FormCreate() {
    // The data directory comes from the settings file, so the list is never read from (and later
    // saved over) the wrong place.
    CambiaConfiguracion().DirDatos = DirDatosDeIni("velkatron.ini");
    ilegible_ =
        ArchivoIlegible(LeeTerminales(RutaTerminales(), SGTerminales), RutaTerminales(), "Terminales");
}

bool TFormTerminales::botonrecClick() {
    const std::string ruta = RutaTerminales();
    if (GuardadoRechazado(ilegible_, ruta, "Terminales"))
        return false;
    const bool ok = GuardaTerminales(ruta, SGTerminales);
    if (!ok)
        Dialogos::Error("No se pudo guardar el archivo " + ruta);
    if (Ganchos::CargaTerminales)
        Ganchos::CargaTerminales();
    return ok;
}

void TFormTerminales::SpeedButton1Click() {
    AnadeFilaVacia(SGTerminales);
}

void TFormTerminales::SpeedButton2Click() {
    if (BorraFilaElegida(SGTerminales)) {
        CB1->hide();
        CB2->hide();
    }
}

void TFormTerminales::SGTerminalesSelectCell(int col, int row) {
    if (row < 1)
        return;
    Label1->setText(aQ(SGTerminales.Cells[ColPermitidos][row]));
    CB1->hide();
    CB2->hide();
    VistaSGTerminales->SetEditable(false);
    switch (col) {
    case ColConexion:
        ColocaCombo(CB1, VistaSGTerminales, col, row);
        break;
    case ColModo:
        ColocaCombo(CB2, VistaSGTerminales, col, row);
        break;
    case ColPermitidos:
    case ColDenegados:
        // Only the list sends change these: back to the previous cell.
        SGTerminales.SetCol(colAnterior_);
        return;
    default:
        VistaSGTerminales->SetEditable(true);
        break;
    }
    colAnterior_ = col;
}

void TFormTerminales::CB1Change() {
    SGTerminales.SetCelda(ColConexion, SGTerminales.Row(), ItemElegido(CB1, TiposConexion()));
}

void TFormTerminales::CB2Change() {
    SGTerminales.SetCelda(ColModo, SGTerminales.Row(), ItemElegido(CB2, ModosTerminal()));
}
