#include "platform/ui/escritorio.h"

#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/rutas.h"
#include "platform/ui/modulos.h"
#include "platform/ui/sonido/sonido.h"

#include <QDesktopServices>
#include <QFileInfo>
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
    QFileInfo info(RutaQ(ruta));
    if (!info.exists())
        return;
    // The audio libraries are loaded with the module, at the first sound.
    static std::string error;
    static const auto reproduce = reinterpret_cast<TReproduceWav>(
        FuncionDeModulo(ModuloSonido, FuncionReproduceWav, Ansi("no se oirán los sonidos"), error));
    if (!reproduce) {
        static bool avisado = false;
        if (!avisado)
            Dialogos::Error(error, "Sonido");
        avisado = true;
        return;
    }
    reproduce(info.absoluteFilePath());
}
void FijaReproductor(std::function<void(const std::string &)> r) {
    reproductor = std::move(r);
}
