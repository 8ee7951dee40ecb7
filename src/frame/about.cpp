#include "frame/about.h"

#include "platform/codepage.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QPointer<TAboutBox> AboutBox;

TAboutBox::TAboutBox(QWidget *padre) : QDialog(padre) {
    setObjectName("AboutBox");
    setWindowTitle("Acerca de");
    auto *l = new QVBoxLayout(this);
    auto *producto = new QLabel("<b>Velkatron</b>", this);
    producto->setObjectName("ProductName");
    l->addWidget(producto);
    l->addWidget(new QLabel(aQ(Ansi("Sistema de Control de presencia y producción")), this));
    l->addWidget(new QLabel(aQ(Ansi("Versión 1.0")), this));
    l->addWidget(new QLabel("www.velkatron.es", this));
    l->addWidget(new QLabel("soporte@velkatron.es", this));
    auto *ok = new QPushButton("Aceptar", this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    l->addWidget(ok);
}
