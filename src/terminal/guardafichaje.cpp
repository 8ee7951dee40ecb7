#include "terminal/guardafichaje.h"

#include "common/configuracion.h"
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "platform/rutas.h"
#include "terminal/fichaje.h"

#include <QFile>
#include <map>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <unordered_set>

namespace {

QString q(const std::string &ruta) {
    return RutaQ(ruta);
}

// What the writer knows of a day file: its stored lines as the duplicate check compares them,
// valid while the file keeps the size, times and inode seen after the last write. Lines are
// pieces of the line length counted back from the end of the file, so the bytes of a scrambled
// line (which may be CR or LF) never split it, and lines of an older format before them do not
// shift the ones written since.
struct EstadoParcial {
    struct stat visto {};
    size_t longitud = 0;
    std::unordered_set<std::string> lineas;
};
std::unordered_map<std::string, EstadoParcial> parciales;

bool mismoArchivo(const struct stat &a, const struct stat &b) {
    return a.st_ino == b.st_ino && a.st_dev == b.st_dev && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
           a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

bool estado(const std::string &ruta, struct stat &st) {
    return ::stat(QFile::encodeName(q(ruta)).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

// The day file's state for lines of the given length, read again when the file changed.
EstadoParcial *conoceParcial(const std::string &ruta, const struct stat &st, size_t longitud) {
    auto it = parciales.find(ruta);
    if (it != parciales.end() && it->second.longitud == longitud && mismoArchivo(it->second.visto, st))
        return &it->second;
    std::string bytes;
    if (longitud == 0 || !LeeBytes(ruta, bytes)) {
        parciales.erase(ruta);
        return nullptr;
    }
    if (parciales.size() > 64)
        parciales.clear();
    EstadoParcial &e = parciales[ruta];
    e.longitud = longitud;
    e.lineas.clear();
    for (size_t fin = bytes.size(); fin >= longitud; fin -= longitud)
        e.lineas.insert(bytes.substr(fin - longitud, longitud));
    if (!estado(ruta, e.visto))
        e.visto = {};
    return &e;
}

// After appending linea to the day file: keeps its known state in step.
void anotaLinea(const std::string &ruta, const std::string &linea, bool conocido) {
    if (!conocido) {
        EstadoParcial &nuevo = parciales[ruta];
        nuevo.longitud = linea.size();
        nuevo.lineas.clear();
    }
    auto it = parciales.find(ruta);
    if (it == parciales.end())
        return;
    if (it->second.longitud != linea.size() || !estado(ruta, it->second.visto)) {
        parciales.erase(it);
        return;
    }
    it->second.lineas.insert(linea);
}

// Bytes appended to a file, to be synced or undone: on failure the file is put back to its old
// size, or removed when it was new.
class Anexo {
public:
    explicit Anexo(const std::string &ruta) : f_(q(ruta)) {}
    bool Anade(const std::string &bytes) {
        existia_ = f_.exists();
        if (!f_.open(QIODevice::WriteOnly | QIODevice::Append))
            return false;
        tamano_ = f_.size();
        const qint64 n = static_cast<qint64>(bytes.size());
        return f_.write(bytes.data(), n) == n && f_.flush();
    }
    bool Sincroniza() { return f_.isOpen() && ::fdatasync(f_.handle()) == 0; }
    void Deshace() {
        if (!f_.isOpen())
            return;
        f_.close();
        if (existia_)
            QFile::resize(f_.fileName(), tamano_);
        else
            QFile::remove(f_.fileName());
    }

private:
    QFile f_;
    qint64 tamano_ = 0;
    bool existia_ = false;
};

} // namespace

std::string RutaParcial(const std::string &registro) {
    return Configuracion().DirFichajes + NombreParcial(Configuracion().PatronParcial, registro);
}

void OlvidaParciales() {
    parciales.clear();
}

namespace {
TFichajeGuardado fichajeGuardado;
}

void FijaFichajeGuardado(TFichajeGuardado aviso) {
    fichajeGuardado = std::move(aviso);
}

bool GuardaFichaje(char *registro, std::string *aviso) {
    OemToCharBuf(registro, LongitudFichaje);
    const std::string bruto(registro, LongitudFichaje);

    const std::string nombre = NombreParcial(Configuracion().PatronParcial, bruto);
    const std::string ruta = Configuracion().DirFichajes + nombre;
    std::string linea = FormateaFichaje(Configuracion().FormatoFichaje, bruto);
    if (Configuracion().EncriptarFichajes)
        CodificaLinea(linea, ClaveFichajes(nombre));

    struct stat st;
    const bool conocido = estado(ruta, st);
    if (conocido) {
        if (EstadoParcial *e = conoceParcial(ruta, st, linea.size()); e && e->lineas.count(linea))
            return true; // already stored
    }

    // Both files reach the disk before the terminal is acknowledged; a failure anywhere undoes
    // both, so the terminal's resend is stored and not taken for a duplicate.
    Anexo dia(ruta), historico(Configuracion().RutaHistorico);
    if (!dia.Anade(linea) || !historico.Anade(bruto) || !dia.Sincroniza() || !historico.Sincroniza()) {
        historico.Deshace();
        dia.Deshace();
        parciales.erase(ruta);
        return false;
    }
    anotaLinea(ruta, linea, conocido);

    if (fichajeGuardado) {
        const std::string a = fichajeGuardado(bruto);
        if (!a.empty() && aviso)
            *aviso = a;
    }
    return true;
}

namespace {

// A stored line as the rebuild compares it: unscrambled, without its annulled mark.
std::string lineaLimpia(std::string linea, unsigned char clave, bool &anulado) {
    DescodificaLinea(linea, clave);
    anulado = !linea.empty() && (static_cast<unsigned char>(linea[0]) & 0x80);
    if (anulado)
        linea[0] = static_cast<char>(static_cast<unsigned char>(linea[0]) & 0x7F);
    return linea;
}

// Annulled lines of one day file, cleaned and counted. The file is read in pieces of a line
// length: the previous format's or the current one's, whichever piece is a line that one of the
// day's records gives (a file may hold both), else the previous format's.
std::unordered_map<std::string, int> anuladosDe(const std::string &bytes, unsigned char clave,
                                                const std::unordered_set<std::string> &esperadas,
                                                size_t anterior, size_t nuevo) {
    std::unordered_map<std::string, int> marcas;
    const size_t salto = anterior ? anterior : nuevo;
    size_t pos = 0;
    while (salto && pos < bytes.size()) {
        size_t usada = salto;
        for (size_t l : {anterior, nuevo}) {
            bool anulado = false;
            if (l == 0 || pos + l > bytes.size())
                continue;
            const std::string limpia = lineaLimpia(bytes.substr(pos, l), clave, anulado);
            if (esperadas.count(limpia)) {
                usada = l;
                if (anulado)
                    ++marcas[limpia];
                break;
            }
        }
        pos += usada;
    }
    return marcas;
}

} // namespace

bool ReconstruyeFichajes(std::string *error) {
    std::string historico;
    if (!LeeBytes(Configuracion().RutaHistorico, historico)) {
        if (error)
            *error =
                Ansi("No se puede leer el archivo de fichajes histórico ") + Configuracion().RutaHistorico;
        return false;
    }
    OlvidaParciales();
    const TFormatoAnalizado patron = AnalizaFormato(Configuracion().PatronParcial);
    const TFormatoAnalizado nuevo = AnalizaFormato(Configuracion().FormatoFichaje);
    const TFormatoAnalizado anterior = AnalizaFormato(Configuracion().FormatoAnterior);
    const size_t registros = historico.size() / LongitudFichaje;
    auto registro = [&](size_t k) {
        return std::string_view(historico.data() + k * LongitudFichaje, LongitudFichaje);
    };

    // The day's lines in either format, then the annulled ones of each day file to rewrite.
    std::map<std::string, std::unordered_set<std::string>> esperadas;
    for (size_t k = 0; k < registros; ++k) {
        auto &e = esperadas[NombreParcial(patron, registro(k))];
        for (const TFormatoAnalizado *f : {&anterior, &nuevo}) {
            bool anulado = false;
            e.insert(lineaLimpia(FormateaFichaje(*f, registro(k)), 0, anulado));
        }
    }
    std::map<std::string, std::unordered_map<std::string, int>> anulados;
    for (const auto &[nombre, lineas] : esperadas) {
        std::string bytes;
        if (LeeBytes(Configuracion().DirFichajes + nombre, bytes))
            anulados[nombre] = anuladosDe(bytes, ClaveFichajes(nombre), lineas,
                                          static_cast<size_t>(LongitudFormato(anterior)),
                                          static_cast<size_t>(LongitudFormato(nuevo)));
    }

    std::map<std::string, std::string> contenido;
    for (size_t k = 0; k < registros; ++k) {
        const std::string nombre = NombreParcial(patron, registro(k));
        std::string linea = FormateaFichaje(nuevo, registro(k));
        auto &marcas = anulados[nombre];
        if (!marcas.empty() && !linea.empty()) {
            for (const std::string &visto : {FormateaFichaje(anterior, registro(k)), linea}) {
                auto m = marcas.find(visto);
                if (m != marcas.end() && m->second > 0) {
                    --m->second;
                    linea[0] = static_cast<char>(static_cast<unsigned char>(linea[0]) | 0x80);
                    break;
                }
            }
        }
        if (Configuracion().EncriptarFichajes)
            CodificaLinea(linea, ClaveFichajes(nombre));
        contenido[nombre] += linea;
    }
    std::string fallos;
    for (const auto &[nombre, bytes] : contenido)
        if (!GuardaBytes(Configuracion().DirFichajes + nombre, bytes))
            fallos += "\n" + Configuracion().DirFichajes + nombre;
    if (!fallos.empty()) {
        if (error)
            *error = "No se pueden escribir estos archivos de fichajes:" + fallos;
        return false; // "formato_anterior" is not recorded: the rebuild can be run again
    }

    CambiaConfiguracion().FormatoAnterior = Configuracion().FormatoFichaje;
    CambiaConfiguracion().FormatoCambiado = false;
    if (Configuracion().ArchivoIni && !Configuracion().ArchivoIni->WriteString(
                                          "config", "formato_anterior", Configuracion().FormatoFichaje)) {
        if (error)
            *error = Ansi("No se puede guardar \"formato_anterior\" en la configuración ") +
                     Configuracion().ArchivoIni->Ruta();
        return false;
    }
    return true;
}
