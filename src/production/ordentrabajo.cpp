#include "production/ordentrabajo.h"

#include "platform/codepage.h"
#include "platform/lineas.h"
#include "platform/numeros.h"
#include "platform/rutas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>

namespace {

std::filesystem::path ruta(const std::string &r) {
    return std::filesystem::path(QFile::encodeName(RutaQ(r)).toStdString());
}

// The plain file of the directory whose name is prefijo or prefijo + "." + anything.
std::string conExtension(const std::string &directorio, const std::string &prefijo) {
    const QDir dir(RutaQ(directorio.empty() ? "." : directorio));
    const QStringList nombres = dir.entryList({RutaQ(prefijo), RutaQ(prefijo + ".*")}, QDir::Files);
    return nombres.isEmpty() ? std::string() : RutaDeQ(nombres.first());
}

bool lineasOrden(const std::string &r, std::vector<std::string> &lineas, std::string &error) {
    if (LeeLineas(r, lineas))
        return true;
    error = "No se puede leer el archivo " + r;
    return false;
}

} // namespace

std::vector<std::string> TOrdenTrabajo::Lineas() const {
    std::vector<std::string> l{Descripcion, Cliente};
    for (const TFilaOrden &f : Filas)
        l.insert(l.end(), {f.Codigo, f.Carpeta, f.Pieza, f.Cantidad, f.Trabajo});
    return l;
}

TOrdenTrabajo TOrdenTrabajo::DeLineas(const std::vector<std::string> &lineas) {
    TOrdenTrabajo o;
    if (!lineas.empty())
        o.Descripcion = lineas[0];
    if (lineas.size() > 1)
        o.Cliente = lineas[1];
    for (size_t i = 2; i + 5 <= lineas.size(); i += 5)
        o.Filas.push_back({lineas[i], lineas[i + 1], lineas[i + 2], lineas[i + 3], lineas[i + 4]});
    return o;
}

bool LeeOrden(const std::string &r, TOrdenTrabajo &orden, std::string &error) {
    std::vector<std::string> lineas;
    if (!lineasOrden(r, lineas, error))
        return false;
    orden = TOrdenTrabajo::DeLineas(lineas);
    return true;
}

bool LeeOrdenEntera(const std::string &r, TOrdenTrabajo &orden, std::string &error) {
    std::vector<std::string> lineas;
    if (!lineasOrden(r, lineas, error))
        return false;
    bool entera = lineas.size() >= 2 && (lineas.size() - 2) % 5 == 0;
    for (size_t i = 2; entera && i < lineas.size(); i += 5)
        entera = lineas[i].size() == 8 && lineas[i].find_first_not_of("0123456789") == std::string::npos;
    if (!entera) {
        error = "El archivo " + r + Ansi(" no es una orden de trabajo completa");
        return false;
    }
    orden = TOrdenTrabajo::DeLineas(lineas);
    return true;
}

bool GuardaOrden(const std::string &r, const TOrdenTrabajo &orden, std::string &error) {
    std::error_code ec;
    const auto antes = std::filesystem::last_write_time(ruta(r), ec);
    const bool existia = !ec;
    if (!GuardaLineas(r, orden.Lineas())) {
        error = "No se puede guardar el archivo " + r;
        return false;
    }
    if (existia)
        std::filesystem::last_write_time(ruta(r), antes, ec); // the order keeps its date
    return true;
}

QDateTime FechaOrden(const std::string &r) {
    const QFileInfo f(RutaQ(r));
    return f.exists() ? f.lastModified() : QDateTime();
}

std::string TextoFechaOrden(const QDateTime &fecha) {
    return deQ(fecha.toString("dd/MM/yyyy hh:mm:ss"));
}

std::string CodigoTarea(const std::string &numero, int fila) {
    return numero + Formato("%04d", fila);
}

std::string CodigoCierre(const std::string &codigo) {
    return codigo.substr(0, 4) + "0000";
}

std::string BuscaOrdenPorNumero(const std::string &directorio, int anio, int numero) {
    int a = anio;
    do {
        const std::string nombre = conExtension(directorio, Formato("%d_%04d", a, numero));
        if (!nombre.empty())
            return directorio + nombre;
    } while (a-- > 2000);
    return "";
}
