#include "platform/ui/modulos.h"

#include "platform/codepage.h"
#include "platform/rutas.h"

#include <QCoreApplication>
#include <QFile>
#include <dlfcn.h>

namespace {
std::string directorioPrueba;
} // namespace

QFunctionPointer FuncionDeModulo(const char *modulo, const char *funcion, const std::string &sinModulo,
                                 std::string &error) {
    const QString dir =
        directorioPrueba.empty() ? QCoreApplication::applicationDirPath() : RutaQ(directorioPrueba);
    const std::string archivo = std::string("lib") + modulo + ".so";
    const QString ruta = dir + "/" + aQ(archivo);
    const std::string carpeta = "la carpeta del programa (" + deQ(dir) + ")";
    const std::string fin = Ansi(", así que ") + sinModulo + ".";
    if (!QFile::exists(ruta)) {
        error = "Falta el archivo " + archivo + " en " + carpeta + fin;
        return nullptr;
    }
    // A path with a '/' is opened as it is: no search path, no other name.
    void *biblioteca = dlopen(QFile::encodeName(ruta).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!biblioteca) {
        error = "El archivo " + archivo + " de " + carpeta + " no se puede cargar" + fin;
        return nullptr;
    }
    auto f = reinterpret_cast<QFunctionPointer>(dlsym(biblioteca, funcion));
    if (!f)
        error = "El archivo " + archivo + " de " + carpeta + Ansi(" no tiene la función ") + funcion + fin;
    return f;
}

void FijaDirectorioModulos(const std::string &directorio) {
    directorioPrueba = directorio;
}
