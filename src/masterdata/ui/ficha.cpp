#include "masterdata/ui/ficha.h"

#include "masterdata/ui/impresionpaneles.h"
#include "platform/code39.h"
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "platform/ui/impresion.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>

QPointer<TFormFicha> FormFicha;

namespace {

constexpr double PixelesPorPulgadaFicha = 300;

QLabel *rotulo(QWidget *padre, const QRect &r, int alto, Qt::Alignment alineacion, bool marco) {
    auto *l = new QLabel(padre);
    l->setGeometry(r);
    QFont f("Arial");
    f.setPixelSize(alto);
    l->setFont(f);
    l->setAlignment(alineacion);
    if (marco)
        l->setFrameShape(QFrame::Box);
    return l;
}

} // namespace

void MuestraFoto(QLabel *etiqueta, const std::string &ruta, bool estirada) {
    etiqueta->clear();
    std::string bytes;
    QPixmap imagen;
    if (ruta.empty() || !LeeBytes(ruta, bytes) ||
        !imagen.loadFromData(reinterpret_cast<const uchar *>(bytes.data()), static_cast<uint>(bytes.size())))
        return;
    etiqueta->setPixmap(imagen.scaled(
        etiqueta->size(), estirada ? Qt::IgnoreAspectRatio : Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void TCodigoBarras::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const QRectF barras(0, 0, width(), height() * 0.75);
    if (!Code39::Pinta(p, barras, Texto))
        return;
    p.setFont(font());
    p.drawText(QRectF(0, barras.bottom(), width(), height() - barras.height()), Qt::AlignCenter, aQ(Texto));
}

TFormFicha::TFormFicha(QWidget *padre) : QWidget(padre) {
    setObjectName("FormFicha");
    setWindowFlag(Qt::Window); // a window of its own, never shown inside its owner
    setFixedSize(1036, 749);
    setAutoFillBackground(true);
    QPalette blanco = palette();
    blanco.setColor(QPalette::Window, Qt::white);
    setPalette(blanco);

    Cabecera = rotulo(this, QRect((1036 - 695) / 2, 16, 695, 90), 64, Qt::AlignCenter, false);
    Foto = rotulo(this, QRect(16, 136, 297, 297), 48, Qt::AlignCenter, true);
    rotulo(this, QRect(336, 123, 665, 64), 48, Qt::AlignLeft | Qt::AlignVCenter, false)->setText("Nombre");
    Nombre = rotulo(this, QRect(336, 192, 665, 73), 48, Qt::AlignLeft | Qt::AlignVCenter, true);
    rotulo(this, QRect(336, 291, 665, 64), 48, Qt::AlignLeft | Qt::AlignVCenter, false)->setText("Apellidos");
    Apellidos = rotulo(this, QRect(336, 360, 665, 73), 48, Qt::AlignLeft | Qt::AlignVCenter, true);
    Codigo = new TCodigoBarras(this);
    Codigo->setGeometry(128, 488, 777, 201);
    QFont f("Arial");
    f.setPixelSize(40);
    Codigo->setFont(f);
}

void TFormFicha::Rellena(const std::string &foto, const std::string &nombre, const std::string &apellidos,
                         const std::string &empresa, const std::string &codigo) {
    MuestraFoto(Foto, foto, true);
    Nombre->setText(aQ(nombre));
    Apellidos->setText(aQ(apellidos));
    Cabecera->setText(aQ(empresa));
    Codigo->Texto = codigo;
    update();
}

bool TFormFicha::Imprime() {
    const double escala = Impresora().resolution() / PixelesPorPulgadaFicha;
    return ImprimeEnPagina({this}, QPointF(50, 50), escala);
}
