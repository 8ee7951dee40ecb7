#include "platform/ui/sonido/sonido.h"

#include <QSoundEffect>
#include <QUrl>

extern "C" Q_DECL_EXPORT void VkReproduceWav(const QString &ruta) {
    static QSoundEffect *efecto = new QSoundEffect();
    efecto->setSource(QUrl::fromLocalFile(ruta));
    efecto->play();
}
