#include "support/dirtemporal.h"

#include <QDir>
#include <fstream>
#include <sstream>

DirectorioTrabajo::DirectorioTrabajo() : anterior_(QDir::currentPath()) {
    QDir::setCurrent(dir_.path());
}
DirectorioTrabajo::~DirectorioTrabajo() {
    QDir::setCurrent(anterior_);
}
std::string DirectorioTrabajo::Ruta() const {
    return dir_.path().toStdString() + "/";
}
std::string DirectorioTrabajo::Archivo(const std::string &nombre) const {
    return Ruta() + nombre;
}

std::string Contenido(const std::string &ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

void Escribe(const std::string &ruta, const std::string &bytes) {
    std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
    f << bytes;
}
