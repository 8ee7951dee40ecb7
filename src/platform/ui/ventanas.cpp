#include "platform/ui/ventanas.h"

#include <QDialog>
#include <QMdiSubWindow>
#include <map>

namespace {
std::map<std::string, QPointer<QWidget>> &registro() {
    static std::map<std::string, QPointer<QWidget>> r;
    return r;
}
std::function<QMdiSubWindow *(QWidget *)> marco;
} // namespace

void RegistraVentana(const std::string &nombre, QWidget *ventana) {
    registro()[nombre] = ventana;
}

QWidget *Ventana(const std::string &nombre) {
    auto it = registro().find(nombre);
    return it == registro().end() ? nullptr : it->second.data();
}

void DestruyeVentana(const std::string &nombre) {
    if (QWidget *w = Ventana(nombre)) {
        // A window in the frame goes with its child window, so no empty frame is left behind.
        if (auto *hija = qobject_cast<QMdiSubWindow *>(w->parentWidget()))
            delete hija;
        else
            delete w;
    }
    registro()[nombre] = nullptr;
}

void MuestraModal(const std::string &nombre) {
    QWidget *w = Ventana(nombre);
    if (!w)
        return;
    if (auto *d = qobject_cast<QDialog *>(w)) {
        d->exec();
        return;
    }
    w->setWindowModality(Qt::ApplicationModal);
    w->show();
    w->raise();
    w->activateWindow();
}

QMdiSubWindow *AnadeHija(QWidget *ventana) {
    return marco ? marco(ventana) : nullptr;
}

void FijaMarco(std::function<QMdiSubWindow *(QWidget *)> anade) {
    marco = std::move(anade);
}

void VigilaActivacion(QWidget *ventana, std::function<void()> alActivar) {
    auto *s = qobject_cast<QMdiSubWindow *>(ventana->parentWidget());
    if (!s || ventana->property("vigilaActivacion").toBool())
        return;
    ventana->setProperty("vigilaActivacion", true);
    QObject::connect(s, &QMdiSubWindow::windowStateChanged, ventana,
                     [alActivar](Qt::WindowStates antes, Qt::WindowStates ahora) {
                         if (!(antes & Qt::WindowActive) && (ahora & Qt::WindowActive))
                             alActivar();
                     });
}
