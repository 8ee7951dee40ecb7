#include "terminal/rch.h"

#include "common/configuracion.h"
#include "platform/codepage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

QPointer<TFormVelka> FormVelka;

TFormVelka::TFormVelka(QWidget *padre) : QWidget(padre) {
    setObjectName("FormVelka");
    setWindowTitle("Panel de control del Velkatron");
    auto *l = new QVBoxLayout(this);
    auto *cabecera = new QHBoxLayout();
    stPuerto = new QLabel(this);
    Velocidad = new QLabel(this);
    Edit2 = new QLineEdit(this);
    AbrirPuerta = new QPushButton("Abrir puerta", this);
    BRecons = new QPushButton("Nuevo formato", this);
    cabecera->addWidget(stPuerto);
    cabecera->addWidget(Velocidad);
    cabecera->addWidget(Edit2);
    cabecera->addWidget(AbrirPuerta);
    cabecera->addWidget(BRecons);
    l->addLayout(cabecera);
    PageControl1 = new QTabWidget(this);
    l->addWidget(PageControl1);
    auto *fichajes = new QWidget(PageControl1);
    PageControl1->addTab(fichajes, "Fichajes");
    CreaPaginaFichajes(fichajes);
    FormCreate();
}

void TFormVelka::FormCreate() {
    LeeConfiguracion();
    stPuerto->setText(aQ(NombrePuerto));
    Velocidad->setText(QString::number(VelocidadPuerto));
    Edit2->setText(aQ(TextoPrograma));
    AbrirPuerta->setVisible(!TextoAbrirPuerta.empty());
    BRecons->setVisible(FormatoCambiado);
}
