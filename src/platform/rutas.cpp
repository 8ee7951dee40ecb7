#include "platform/rutas.h"

#include "platform/codepage.h"
#include "platform/numeros.h"

#include <cstring>

std::string ConSeparador(const std::string &directorio) {
    if (directorio.empty() || (directorio.back() != '\\' && directorio.back() != '/'))
        return directorio + "\\";
    return directorio;
}

std::string RutaLocal(const std::string &ruta) {
    std::string r = ruta;
    for (char &c : r)
        if (c == '\\')
            c = '/';
    return r;
}

std::string DirectorioLocal(const std::string &configurado) {
    // An empty value means the working directory, never the root of the file system.
    if (configurado.empty() || configurado == "\\" || configurado == "/")
        return "";
    return RutaLocal(ConSeparador(configurado));
}

QString RutaQ(const std::string &ruta) {
    return aQ(RutaLocal(ruta));
}
std::string RutaDeQ(const QString &ruta) {
    return deQ(ruta);
}

std::string ParteNombreArchivo(const std::string &texto, const char *otros) {
    std::string s = texto;
    for (char &c : s)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 32 || std::strchr(otros, c))
            c = '_';
    return s;
}

std::string FechaNombreArchivo(const QDate &fecha) {
    return Formato("%02d_%02d_%04d", fecha.day(), fecha.month(), fecha.year());
}
