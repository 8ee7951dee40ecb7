#include "masterdata/ui/impresionpaneles.h"

#include "common/configuracion.h"
#include "platform/dialogos.h"
#include "platform/ui/impresion.h"

#include <QImage>
#include <QLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>
#include <algorithm>

bool PreparaImpresora(QWidget *padre) {
    if (Dialogos::Actual()) {
        int desde = 1, hasta = 1;
        return Dialogos::Imprimir(desde, hasta, 1);
    }
    QPrintDialog dialogo(&Impresora(), padre);
    return dialogo.exec() == QDialog::Accepted;
}

bool ImprimeDibujo(const std::function<void(QPainter &)> &dibujo, const QPointF &origen, double escala) {
    std::string error;
    const bool hecha = Imprime(
        Impresora(),
        [&](QPainter &p) {
            p.translate(origen);
            p.scale(escala, escala);
            dibujo(p);
            return true;
        },
        error);
    if (!hecha)
        Dialogos::Error(error);
    return hecha;
}

bool ImprimePaneles(const std::vector<QWidget *> &paneles) {
    int ancho = 0, alto = 0;
    for (QWidget *w : paneles) {
        if (QLayout *l = w->layout()) // a panel not shown yet gets its children placed
            l->activate();
        ancho = std::max(ancho, w->width());
        alto += w->height();
    }
    // A new picture for every print, white where no panel paints.
    QImage imagen(std::max(ancho, 1), std::max(alto, 1), QImage::Format_RGB32);
    imagen.fill(Qt::white);
    QPainter q(&imagen);
    int y = 0;
    for (QWidget *w : paneles) {
        w->render(&q, QPoint(0, y));
        y += w->height();
    }
    q.end();
    // Stretched by the factor, each side truncated to whole printer pixels.
    const double f = Configuracion().FactorImpresion > 0 ? Configuracion().FactorImpresion : 4.5;
    const QRect destino(0, 0, static_cast<int>(imagen.width() * f), static_cast<int>(imagen.height() * f));
    return ImprimeDibujo([&](QPainter &p) { p.drawImage(destino, imagen); }, QPointF(0, 0), 1);
}
