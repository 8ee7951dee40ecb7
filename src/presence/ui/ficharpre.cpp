#include "presence/ui/ficharpre.h"

#include "masterdata/tiposincidencia.h"
#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/numeros.h"
#include "platform/ui/controles.h"
#include "platform/ui/ventanas.h"
#include "presence/fichajemanual.h"
#include "presence/seleccion.h"
#include "terminal/ui/panel.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimeEdit>

QPointer<TFormFichar> FormFichar;

TFormFichar::TFormFichar(QWidget *padre) : QDialog(padre) {
    setObjectName("FormFichar");
    setWindowTitle("Fichar");
    auto *l = new QGridLayout(this);
    DT1 = new TSelectorFecha(this);
    DT2 = new QTimeEdit(QTime(0, 0), this);
    DT2->setDisplayFormat("HH:mm");
    SeleccionaParteAlPulsar(DT2);
    CB1 = new QComboBox(this);
    LEInci = new QLineEdit("000", this);
    ST1 = new QLabel(this);
    ST1->setFont(QFont("Courier New"));
    // Wide enough for the whole record.
    ST1->setMinimumWidth(ST1->fontMetrics().horizontalAdvance(QString(102, '0')));
    ST1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    SpeedButton1 = new QPushButton("Fichar", this);
    SpeedButton1->setToolTip("Fichar");
    SpeedButton1->setAutoDefault(false); // Enter in a field does not store a clocking
    l->addWidget(new QLabel("Fecha", this), 0, 0);
    l->addWidget(DT1, 0, 1);
    l->addWidget(new QLabel("Hora", this), 0, 2);
    l->addWidget(DT2, 0, 3);
    l->addWidget(new QLabel("Empleado", this), 1, 0);
    l->addWidget(CB1, 1, 1, 1, 3);
    l->addWidget(new QLabel("Incidencia", this), 2, 0);
    l->addWidget(LEInci, 2, 1);
    l->addWidget(SpeedButton1, 2, 3);
    l->addWidget(ST1, 3, 0, 1, 4);
    connect(DT1, &QDateEdit::dateChanged, this, [this] { DT1Change(); });
    connect(DT2, &QTimeEdit::timeChanged, this, [this] { DT1Change(); });
    connect(CB1, &QComboBox::currentIndexChanged, this, [this] { DT1Change(); });
    connect(LEInci, &QLineEdit::textChanged, this, [this] { DT1Change(); });
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
}

void TFormFichar::showEvent(QShowEvent *e) {
    QDialog::showEvent(e);
    FormActivate();
}

void TFormFichar::FormActivate() {
    {
        QSignalBlocker b1(CB1), b2(DT1), b3(DT2);
        CB1->clear();
        if (Peticion.FechaFichaje.isValid())
            DT1->setDate(Peticion.FechaFichaje.date());
        DT2->setTime(Peticion.FechaFichajeFin.isValid() ? Peticion.FechaFichajeFin.time() : QTime(0, 0));
        std::vector<std::string> ids;
        if (IdentificadoresEmpleados(ids)) {
            OrdenaComoCombo(ids);
            for (const std::string &id : ids)
                CB1->addItem(aQ(id));
        }
        // The last item with the preset employee's number; none when no item has it.
        int elegido = -1;
        if (!Peticion.EmpleadoFichaje.empty()) {
            const int numero = LeeEntero(Peticion.EmpleadoFichaje);
            for (int i = 0; i < CB1->count(); ++i)
                if (LeeEntero(deQ(CB1->itemText(i))) == numero)
                    elegido = i;
        }
        CB1->setCurrentIndex(elegido);
    }
    // The box was emptied: the line follows what it shows now, never a previous choice.
    DT1Change();
}

void TFormFichar::DT1Change() {
    EmpleadoSeleccionado = CB1->currentIndex();
    const std::string empleado = EmpleadoSeleccionado >= 0 ? deQ(CB1->itemText(EmpleadoSeleccionado)) : "";
    Linea = LineaFichaje(DT1->date(), DT2->time(), deQ(LEInci->text()), empleado, Peticion.CodigoFichaje);
    ST1->setText(aQ(Linea));
}

void TFormFichar::SpeedButton1Click() {
    if (EmpleadoSeleccionado < 0)
        return;
    // The code as typed: a text that is not a number is refused, not stored as 000.
    const std::string inci = deQ(LEInci->text());
    int codigo = 0;
    if (inci.find_first_not_of(' ') != std::string::npos && !CodigoIncidenciaValido(inci, codigo)) {
        Dialogos::Aviso(Ansi("El código de incidencia debe estar entre 0 y 999"));
        LEInci->setFocus();
        LEInci->selectAll();
        return;
    }
    DT1Change();
    std::string aviso;
    const ResultadoFichaje r = GuardaFichajeManual(Linea, &aviso);
    if (r == ResultadoFichaje::SinLinea)
        return;
    if (r == ResultadoFichaje::NoGuardado)
        Dialogos::Error("No se pudo guardar el fichaje");
    else if (!aviso.empty())
        Dialogos::Aviso(aviso);
    if (FormVelka && FormVelka->EDBusca)
        FormVelka->ListaEmpleado(deQ(CB1->itemText(EmpleadoSeleccionado)));
}

void MuestraFichar(const TPeticionFichaje &p, const std::string &titulo) {
    auto *f = qobject_cast<TFormFichar *>(Ventana("FormFichar"));
    if (!f)
        return;
    f->Peticion = p;
    f->setWindowTitle(aQ(titulo));
    MuestraModal("FormFichar");
}
