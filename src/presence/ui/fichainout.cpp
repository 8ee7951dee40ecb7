#include "presence/ui/fichainout.h"

#include "common/presencia.h"
#include "common/sesion.h"
#include "platform/codepage.h"
#include "platform/rutas.h"
#include "platform/ui/escritorio.h"
#include "platform/ui/ventanas.h"
#include "presence/ui/presenciainicio.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QProgressBar>
#include <QTimer>
#include <algorithm>

TFichaPopup::TFichaPopup(QWidget *padre) : QWidget(padre) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(472, 334);
    setAutoFillBackground(true);
    QPalette fondo = palette();
    fondo.setColor(QPalette::Window, QColor(0, 128, 192));
    setPalette(fondo);

    Label3 = new QLabel(this);
    Label3->setGeometry(8, 8, 268, 44);
    Label3->setAlignment(Qt::AlignCenter);
    Label3->setStyleSheet(
        "background-color: rgb(0, 128, 0); color: white; font-weight: bold; font-size: 16pt;");
    Label2 = new QLabel("Nombre", this);
    Label2->setGeometry(8, 64, 268, 18);
    STNombre = new QLabel(this);
    STNombre->setGeometry(8, 84, 268, 26);
    Label1 = new QLabel("Apellidos", this);
    Label1->setGeometry(8, 120, 268, 18);
    STApellidos = new QLabel(this);
    STApellidos->setGeometry(8, 140, 268, 26);
    for (QLabel *l : {Label1, Label2})
        l->setStyleSheet("color: white;");
    for (QLabel *l : {STNombre, STApellidos}) {
        l->setAutoFillBackground(true);
        l->setStyleSheet("background-color: white; color: black; font-size: 12pt;");
    }
    FotoTio = new QLabel(this);
    FotoTio->setGeometry(284, 8, 180, 200);
    FotoTio->setScaledContents(true);
    LEEmpresa = new QLineEdit(this);
    LEEmpresa->setGeometry(8, 226, 456, 30);
    LEEmpresa->setReadOnly(true);
    LEEmpresa->setAlignment(Qt::AlignCenter);
    LEEmpresa->setStyleSheet("background-color: rgb(255, 251, 240); color: navy; font-weight: bold;");
    PB1 = new QProgressBar(this);
    PB1->setGeometry(8, 300, 456, 22);
    PB1->setTextVisible(false);
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TFichaPopup::Timer1Timer);
    Timer1->start();
}

void TFichaPopup::Muestra(const TAvisoPresencia &a, int segundos) {
    if (!a.Foto.empty())
        FotoTio->setPixmap(QPixmap(RutaQ(a.Foto)));
    STNombre->setText(aQ(a.Nombre));
    STApellidos->setText(aQ(a.Apellidos));
    setWindowTitle(aQ(a.Titulo));
    LEEmpresa->setText(aQ(Sesion().NombreEmpresa));
    SegundosFicha = std::max(segundos, 0);
    PB1->setMaximum(std::max(SegundosFicha, 1));
    PB1->setValue(SegundosFicha);
    const char *estilo = "";
    switch (a.Estado) {
    case TEstadoPresencia::Entro:
        estilo = "background-color: rgb(0, 255, 0); color: black;";
        break;
    case TEstadoPresencia::NoVino:
        estilo = "background-color: black; color: white;";
        break;
    case TEstadoPresencia::Salio:
        estilo = "background-color: rgb(255, 0, 0); color: white;";
        break;
    }
    Label3->setStyleSheet(QString(estilo) + " font-weight: bold; font-size: 16pt;");
    Label3->setText(aQ(a.Texto));
}

void TFichaPopup::Timer1Timer() {
    if (SegundosFicha == 0)
        return;
    PB1->setValue(SegundosFicha);
    if (SegundosFicha-- == 1)
        Cierra();
}

void TFichaPopup::Cierra() {
    Timer1->stop();
    if (auto *hija = qobject_cast<QMdiSubWindow *>(parentWidget()))
        hija->close();
    else
        close();
}

void TFichaPopup::closeEvent(QCloseEvent *e) {
    Timer1->stop();
    e->accept();
}

std::vector<TFichaPopup *> FichasPresentes(int segundos, bool forzado) {
    std::vector<TFichaPopup *> abiertas;
    const StringGrid *empleados = EmpleadosPresencia();
    if (!empleados)
        return abiertas;
    std::vector<TAvisoPresencia> avisos;
    if (!CambiosPresencia(*empleados, forzado, avisos))
        return abiertas;
    for (const TAvisoPresencia &a : avisos) {
        auto *w = new TFichaPopup();
        w->Muestra(a, segundos);
        if (QMdiSubWindow *hija = AnadeHija(w)) {
            hija->setWindowFlags(Qt::SubWindow | Qt::FramelessWindowHint);
            hija->resize(472, 334);
            hija->show();
        } else {
            w->show();
        }
        if (!a.Sonido.empty())
            ReproduceSonido(a.Sonido);
        abiertas.push_back(w);
    }
    return abiertas;
}
