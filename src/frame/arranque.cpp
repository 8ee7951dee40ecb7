#include "frame/arranque.h"

#include "common/configuracion.h"
#include "common/sesion.h"
#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/lineas.h"
#include "platform/rutas.h"

#include <QDir>

namespace {

// Directory text as shown to the user: the stored form, with '\'; an absolute one as the system
// names it.
std::string visible(const std::string &dir) {
    if (!dir.empty() && dir[0] == '/')
        return dir;
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
    if (!ExisteDirectorio(Configuracion().DirDatos)) {
        if (!PreguntaCrearDirectorio(Configuracion().DirDatos, " para guardar los datos ?") ||
            !CreaDirectorioAvisando(Configuracion().DirDatos))
            return false;
        CopiaArchivo("rondal.usr", Configuracion().DirDatos + "rondal.usr", false);
    }
    if (!ExisteDirectorio(Configuracion().DirFichajes)) {
        if (!PreguntaCrearDirectorio(Configuracion().DirFichajes, " para guardar los fichajes ?") ||
            !CreaDirectorioAvisando(Configuracion().DirFichajes))
            return false;
    }
    if (!ExisteDirectorio(Configuracion().DirArchivosPres)) {
        if (PreguntaCrearDirectorio(Configuracion().DirArchivosPres,
                                    " para guardar los archivos generados de presencia ?")) {
            CreaDirectorio("archivos");
            if (!CreaDirectorioAvisando(Configuracion().DirArchivosPres))
                return false;
        }
    }
    if (!ExisteDirectorio(Configuracion().DirArchivosProd)) {
        if (PreguntaCrearDirectorio(Configuracion().DirArchivosProd,
                                    " para guardar los archivos generados de producción ?") &&
            !CreaDirectorioAvisando(Configuracion().DirArchivosProd))
            return false;
    }
    return true;
}

bool CargaArchivoUsuarios() {
    Sesion().LineasUsuarios.clear();
    const std::string ruta = Configuracion().DirDatos + "rondal.usr";
    if (!ExisteArchivo(ruta)) {
        if (!ExisteArchivo("rondal.usr"))
            return false;
        if (!CopiaArchivo("rondal.usr", ruta, false))
            return LeeLineas("rondal.usr", Sesion().LineasUsuarios);
    }
    return LeeLineas(ruta, Sesion().LineasUsuarios);
}

bool CopiaSeguridad(const QDate &fecha, std::string &destino, int &copiados) {
    copiados = 0;
    destino = Configuracion().DirBackup + fecha.toString("dd'-'MM'-'yyyy").toStdString() + "/";
    CreaDirectorio(Configuracion().DirBackup);
    if (!CreaDirectorio(destino))
        return false;
    QDir datos(Configuracion().DirDatos.empty() ? QString(".") : RutaQ(Configuracion().DirDatos));
    if (!datos.exists())
        return false;
    bool ok = true;
    for (const QString &nombre : datos.entryList(QDir::Files)) {
        std::string n = RutaDeQ(nombre);
        if (CopiaArchivo(Configuracion().DirDatos + n, destino + n, true))
            ++copiados;
        else
            ok = false;
    }
    return ok;
}
