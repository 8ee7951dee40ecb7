#include "masterdata/ui/incidenciasorg.h"

#include "masterdata/tiposincidencia.h"
#include "masterdata/ui/edicionrejilla.h"
#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/ui/stringgridview.h"

#include <QComboBox>
#include <QPushButton>
#include <QVBoxLayout>

QPointer<TFormCIncidencias> FormCIncidencias;

namespace {
const char *const kCodigoValido = "el código de una incidencia debe ser un número entre 0 y 999.";
} // namespace

TFormCIncidencias::TFormCIncidencias(QWidget *padre) : QDialog(padre) {
    setObjectName("FormCIncidencias");
    setWindowTitle("Configurar incidencias");
    resize(460, 360);
    auto *l = new QVBoxLayout(this);
    SG1.ColWidths = {60, 250, 100};
    VistaSG1 = new TStringGridView(&SG1, this);
    l->addWidget(VistaSG1);
    CB1 = ComboDeCelda(VistaSG1, CargosIncidencia());
    l->addLayout(Botonera(this, {{&SpeedButton1, "Nuevo", "Crear nuevo tipo de incidencia"},
                                 {&SpeedButton2, "Eliminar", "Eliminar tipo de incidencia"},
                                 {&botonrec, "Guardar", "Guardar tipos de incidencias"}}));

    connect(botonrec, &QPushButton::clicked, this, [this] { botonrecClick(); });
    connect(SpeedButton1, &QPushButton::clicked, this, &TFormCIncidencias::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TFormCIncidencias::SpeedButton2Click);
    connect(VistaSG1, &TStringGridView::SelectCell, this, &TFormCIncidencias::SG1SelectCell);
    connect(CB1, &QComboBox::activated, this, &TFormCIncidencias::CB1Change);
    connect(VistaSG1, &TStringGridView::CellEdited, this, [this](int col, int row) {
        int codigo = 0;
        if (col == 0 && row >= 1 && !CodigoIncidenciaValido(SG1.Celda(0, row), codigo))
            Dialogos::Aviso(Ansi("El código \"") + SG1.Celda(0, row) + Ansi("\" no vale: ") +
                                Ansi(kCodigoValido),
                            "Configurar incidencias");
    });
    FormCreate();
}

void TFormCIncidencias::FormCreate() {
    const std::string ruta = RutaIncidencias();
    ilegible_ = ArchivoIlegible(LeeTiposIncidencia(ruta, SG1), ruta, "Configurar incidencias");
}

bool TFormCIncidencias::botonrecClick() {
    CB1->hide();
    if (GuardadoRechazado(ilegible_, RutaIncidencias(), "Configurar incidencias"))
        return false;
    const int mala = PrimerTipoInvalido(SG1);
    if (mala >= 0) {
        SG1.SetRow(mala);
        SG1.SetCol(0);
        Dialogos::Error(Ansi("La incidencia \"") + SG1.Celda(0, mala) + " " + SG1.Celda(1, mala) +
                            Ansi("\" no tiene un código válido: ") + Ansi(kCodigoValido) +
                            Ansi("\r\nNo se han guardado las incidencias."),
                        "Configurar incidencias");
        SG1SelectCell(0, mala); // the code is edited in place
        VistaSG1->EditaCelda(0, mala);
        return false;
    }
    const std::string ruta = RutaIncidencias();
    if (GuardaTiposIncidencia(ruta, SG1))
        return true;
    Dialogos::Error("No se pudo guardar el archivo " + ruta);
    return false;
}

void TFormCIncidencias::SpeedButton1Click() {
    AnadeFilaVacia(SG1);
}

void TFormCIncidencias::SpeedButton2Click() {
    if (BorraFilaElegida(SG1))
        CB1->hide();
}

void TFormCIncidencias::SG1SelectCell(int col, int row) {
    if (col != 2 || row < 1) {
        CB1->hide();
        VistaSG1->SetEditable(true);
        return;
    }
    VistaSG1->SetEditable(false);
    ColocaCombo(CB1, VistaSG1, col, row);
}

void TFormCIncidencias::CB1Change() {
    SG1.SetCelda(2, SG1.Row(), ItemElegido(CB1, CargosIncidencia()));
}
