#include "platform/ui/escritorio.h"

#include "platform/rutas.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace {
std::function<bool(const std::string &)> abridor;
std::function<void(const std::string &)> reproductor;
} // namespace

bool AbreConAplicacion(const std::string &ruta) {
    if (abridor)
        return abridor(ruta);
    QFileInfo info(RutaQ(ruta));
    if (!info.exists())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}
void FijaAbridor(std::function<bool(const std::string &)> a) {
    abridor = std::move(a);
}

void ReproduceSonido(const std::string &ruta) {
    if (reproductor) {
        reproductor(ruta);
        return;
    }
    static QSoundEffect *efecto = nullptr;
    if (!efecto)
        efecto = new QSoundEffect();
    QFileInfo info(RutaQ(ruta));
    if (!info.exists())
        return;
    efecto->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    efecto->play();
}
void FijaReproductor(std::function<void(const std::string &)> r) {
    reproductor = std::move(r);
}
