#pragma once
// A temporary directory made the working directory for the life of the object.
#include <QTemporaryDir>
#include <string>

class DirectorioTrabajo {
public:
    DirectorioTrabajo();
    ~DirectorioTrabajo();
    std::string Ruta() const;
    // Path of a file inside the directory.
    std::string Archivo(const std::string &nombre) const;

private:
    QTemporaryDir dir_;
    QString anterior_;
};

// Whole file as bytes ("" when missing).
std::string Contenido(const std::string &ruta);
void Escribe(const std::string &ruta, const std::string &bytes);
