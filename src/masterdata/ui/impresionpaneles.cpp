#include "masterdata/ui/impresionpaneles.h"

#include "common/configuracion.h"
#include "platform/dialogos.h"
#include "platform/ui/impresion.h"

#include <QLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

bool PreparaImpresora(QWidget *padre) {
    if (Dialogos::Actual()) {
        int desde = 1, hasta = 1;
        return Dialogos::Imprimir(desde, hasta, 1);
    }
    QPrintDialog dialogo(&Impresora(), padre);
    return dialogo.exec() == QDialog::Accepted;
}

bool ImprimeEnPagina(const std::vector<QWidget *> &paneles, const QPointF &origen, double escala) {
    QPainter p;
    if (!p.begin(&Impresora())) {
        Dialogos::Error("No se ha podido imprimir: la impresora no responde.");
        return false;
    }
    p.translate(origen);
    p.scale(escala, escala);
    int y = 0;
    for (QWidget *w : paneles) {
        if (QLayout *l = w->layout()) // a panel not shown yet gets its children placed
            l->activate();
        p.fillRect(QRect(0, y, w->width(), w->height()), Qt::white);
        w->render(&p, QPoint(0, y));
        y += w->height();
    }
    return p.end();
}

double FactorPaneles() {
    return FactorImpresion > 0 ? FactorImpresion : 4.5;
}
