#include "terminal/ui/camcod.h"

#include "platform/codepage.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

QPointer<TFormCamCod> FormCamCod;

TFormCamCod::TFormCamCod(QWidget *padre) : QDialog(padre) {
    setObjectName("FormCamCod");
    setWindowTitle(aQ(Ansi("Cambiar código de empleado")));
    auto *l = new QFormLayout(this);
    LE1 = new QLineEdit(this);
    LE2 = new QLineEdit(this);
    l->addRow(aQ(Ansi("Cambiar código ")), LE1);
    l->addRow("Por ", LE2);
    BitBtn1 = new QPushButton("Aceptar", this);
    BitBtn2 = new QPushButton("Cancelar", this);
    BitBtn1->setDefault(true);
    auto *botones = new QHBoxLayout();
    botones->addWidget(BitBtn1);
    botones->addWidget(BitBtn2);
    l->addRow(botones);
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        CambioCodigoAceptado = 1;
        accept();
    });
    connect(BitBtn2, &QPushButton::clicked, this, [this] {
        CambioCodigoAceptado = 0;
        reject();
    });
}

void TFormCamCod::FormShow() {
    CambioCodigoAceptado = 0;
}

void TFormCamCod::showEvent(QShowEvent *e) {
    FormShow();
    QDialog::showEvent(e);
}

bool TFormCamCod::Pide(const std::string &viejo, std::string &antiguo, std::string &nuevo) {
    CambioCodigoAceptado = 0;
    LE1->setText(aQ(viejo));
    LE2->clear();
    LE2->setFocus();
    exec();
    antiguo = deQ(LE1->text());
    nuevo = deQ(LE2->text());
    return CambioCodigoAceptado == 1;
}
