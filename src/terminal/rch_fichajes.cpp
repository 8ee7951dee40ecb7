#include "terminal/rch_fichajes.h"

#include "platform/stringgridview.h"
#include "platform/reloj.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

void TPaginaFichajes::CreaPaginaFichajes(QWidget *pagina) {
    auto *l = new QGridLayout(pagina);
    DTP1 = new QDateEdit(Hoy(), pagina);
    DTP2 = new QDateEdit(Hoy(), pagina);
    DTP1->setCalendarPopup(true);
    DTP2->setCalendarPopup(true);
    EDBusca = new QLineEdit(pagina);
    BListar = new QPushButton("Listar", pagina);
    RadioButton2 = new QRadioButton("Parcial", pagina);
    RadioButton3 = new QRadioButton("Presencia", pagina);
    VistaFichajes = new TStringGridView(&SGFichajes, pagina);
    l->addWidget(DTP1, 0, 0);
    l->addWidget(DTP2, 0, 1);
    l->addWidget(EDBusca, 0, 2);
    l->addWidget(RadioButton2, 0, 3);
    l->addWidget(RadioButton3, 0, 4);
    l->addWidget(BListar, 0, 5);
    l->addWidget(VistaFichajes, 1, 0, 1, 6);
}
