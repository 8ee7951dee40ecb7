#include "frame/arranque.h"

#include "common/configuracion.h"
#include "common/globales.h"
#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/lineas.h"
#include "platform/rutas.h"

#include <QDir>

namespace {

// Directory text as shown to the user: the stored form, with '\'.
std::string visible(const std::string &dir) {
    std::string r = dir;
    for (char &c : r)
        if (c == '/')
            c = '\\';
    return r;
}

} // namespace

bool PreguntaCrearDirectorio(const std::string &dir, const char *proposito) {
    return Dialogos::Pregunta(Ansi("¿ Quiere crear el directorio ") + visible(dir) + Ansi(proposito),
                              "No existe el directorio " + visible(dir));
}

bool CreaDirectorioAvisando(const std::string &dir) {
    if (CreaDirectorio(dir))
        return true;
    Dialogos::Error("No se ha podido crear el directorio " + visible(dir));
    return false;
}

bool CompruebaDirectorios() {
    if (!ExisteDirectorio(DirDatos)) {
        if (!PreguntaCrearDirectorio(DirDatos, " para guardar los datos ?") ||
            !CreaDirectorioAvisando(DirDatos))
            return false;
        CopiaArchivo("rondal.usr", DirDatos + "rondal.usr", false);
    }
    if (!ExisteDirectorio(DirFichajes)) {
        if (!PreguntaCrearDirectorio(DirFichajes, " para guardar los fichajes ?") ||
            !CreaDirectorioAvisando(DirFichajes))
            return false;
    }
    if (!ExisteDirectorio(DirArchivosPres)) {
        if (PreguntaCrearDirectorio(DirArchivosPres, " para guardar los archivos generados de presencia ?")) {
            CreaDirectorio("archivos");
            if (!CreaDirectorioAvisando(DirArchivosPres))
                return false;
        }
    }
    if (!ExisteDirectorio(DirArchivosProd)) {
        if (PreguntaCrearDirectorio(DirArchivosProd,
                                    " para guardar los archivos generados de producción ?") &&
            !CreaDirectorioAvisando(DirArchivosProd))
            return false;
    }
    return true;
}

bool CargaArchivoUsuarios() {
    LineasUsuarios.clear();
    const std::string ruta = DirDatos + "rondal.usr";
    if (!ExisteArchivo(ruta)) {
        if (!ExisteArchivo("rondal.usr"))
            return false;
        if (!CopiaArchivo("rondal.usr", ruta, false))
            return LeeLineas("rondal.usr", LineasUsuarios);
    }
    return LeeLineas(ruta, LineasUsuarios);
}

bool CopiaSeguridad(const QDate &fecha, std::string &destino, int &copiados) {
    copiados = 0;
    destino = DirBackup + fecha.toString("dd'-'MM'-'yyyy").toStdString() + "/";
    CreaDirectorio(DirBackup);
    if (!CreaDirectorio(destino))
        return false;
    QDir datos(DirDatos.empty() ? QString(".") : RutaQ(DirDatos));
    if (!datos.exists())
        return false;
    bool ok = true;
    for (const QString &nombre : datos.entryList(QDir::Files)) {
        std::string n = RutaDeQ(nombre);
        if (CopiaArchivo(DirDatos + n, destino + n, true))
            ++copiados;
        else
            ok = false;
    }
    return ok;
}
