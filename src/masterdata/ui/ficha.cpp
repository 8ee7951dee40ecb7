#include "masterdata/ui/ficha.h"

#include "masterdata/ui/impresionpaneles.h"
#include "platform/code39.h"
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "platform/ui/impresion.h"

#include <QLabel>
#include <QPainter>
#include <QPrinter>

QPointer<TFormFicha> FormFicha;

namespace {

constexpr double PixelesPorPulgadaFicha = 300;

void texto(QPainter &p, const QRect &r, int alto, const std::string &t, Qt::Alignment alineacion, bool caja) {
    QFont f("Arial");
    f.setPixelSize(alto);
    p.setFont(f);
    if (caja)
        p.drawRect(r);
    p.drawText(r.adjusted(caja ? 8 : 0, 0, 0, 0), alineacion | Qt::TextSingleLine, aQ(t));
}

} // namespace

QPixmap LeeFoto(const std::string &ruta) {
    std::string bytes;
    QPixmap imagen;
    if (!ruta.empty() && LeeBytes(ruta, bytes))
        imagen.loadFromData(reinterpret_cast<const uchar *>(bytes.data()), static_cast<uint>(bytes.size()));
    return imagen;
}

void MuestraFoto(QLabel *etiqueta, const std::string &ruta) {
    etiqueta->clear();
    const QPixmap imagen = LeeFoto(ruta);
    if (!imagen.isNull())
        etiqueta->setPixmap(imagen.scaled(etiqueta->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

TFormFicha::TFormFicha(QWidget *padre) : QWidget(padre) {
    setObjectName("FormFicha");
    setWindowFlag(Qt::Window); // a window of its own, never shown inside its owner
    setFixedSize(1036, 749);
}

void TFormFicha::Rellena(const std::string &foto, const std::string &nombre, const std::string &apellidos,
                         const std::string &empresa, const std::string &codigo) {
    Foto = LeeFoto(foto);
    Nombre = nombre;
    Apellidos = apellidos;
    Cabecera = empresa;
    Codigo = codigo;
    update();
}

void TFormFicha::Dibuja(QPainter &p) const {
    p.save();
    p.fillRect(rect(), Qt::white);
    p.setPen(Qt::black);
    texto(p, QRect((width() - 695) / 2, 16, 695, 90), 64, Cabecera, Qt::AlignCenter, false);
    const QRect foto(16, 136, 297, 297);
    if (!Foto.isNull())
        p.drawPixmap(foto, Foto); // stretched
    p.drawRect(foto);
    const Qt::Alignment izquierda = Qt::AlignLeft | Qt::AlignVCenter;
    texto(p, QRect(336, 123, 665, 64), 48, "Nombre", izquierda, false);
    texto(p, QRect(336, 192, 665, 73), 48, Nombre, izquierda, true);
    texto(p, QRect(336, 291, 665, 64), 48, "Apellidos", izquierda, false);
    texto(p, QRect(336, 360, 665, 73), 48, Apellidos, izquierda, true);
    // The bar code with its text below, as a bar-code font draws it.
    const QRect codigo(128, 488, 777, 201);
    if (Code39::Pinta(p, QRectF(codigo.x(), codigo.y(), codigo.width(), 150), Codigo))
        texto(p, QRect(codigo.x(), codigo.y() + 150, codigo.width(), 51), 40, Codigo, Qt::AlignCenter, false);
    p.restore();
}

bool TFormFicha::Imprime() const {
    return ImprimeDibujo([this](QPainter &p) { Dibuja(p); }, QPointF(50, 50),
                         Impresora().resolution() / PixelesPorPulgadaFicha);
}

void TFormFicha::paintEvent(QPaintEvent *) {
    QPainter p(this);
    Dibuja(p);
}
