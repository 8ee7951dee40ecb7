#include "platform/ui/modulos.h"

#include "platform/codepage.h"

#include <QCoreApplication>
#include <QLibrary>

QFunctionPointer FuncionDeModulo(const char *modulo, const char *funcion, std::string &error) {
    QLibrary biblioteca(QCoreApplication::applicationDirPath() + "/lib" + modulo + ".so");
    if (!biblioteca.load()) {
        error = Ansi("No se puede cargar la biblioteca \"") + deQ(biblioteca.fileName()) +
                "\": " + deQ(biblioteca.errorString()) + ".";
        return nullptr;
    }
    QFunctionPointer f = biblioteca.resolve(funcion);
    if (!f)
        error = Ansi("La biblioteca \"") + deQ(biblioteca.fileName()) + Ansi("\" no tiene la función ") +
                funcion + ".";
    return f;
}
