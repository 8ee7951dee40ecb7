#include "terminal/guardafichaje.h"

#include "common/configuracion.h"
#include "common/presencia.h"
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "platform/numeros.h"
#include "platform/rutas.h"
#include "terminal/fichaje.h"

#include <QFile>
#include <cctype>
#include <map>
#include <sys/stat.h>
#include <unordered_map>
#include <unordered_set>

namespace {

QString q(const std::string &ruta) {
    return RutaQ(ruta);
}

// What the writer knows of a day file: its lines as the duplicate check compares them (each
// with CR LF), valid while the file keeps the size, times and inode seen after the last write.
struct EstadoParcial {
    struct stat visto {};
    bool terminaEnLinea = true;
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

// The day file's state, read again when the file changed since it was last seen.
EstadoParcial *conoceParcial(const std::string &ruta, const struct stat &st) {
    auto it = parciales.find(ruta);
    if (it != parciales.end() && mismoArchivo(it->second.visto, st))
        return &it->second;
    std::string bytes;
    if (!LeeBytes(ruta, bytes)) {
        parciales.erase(ruta);
        return nullptr;
    }
    if (parciales.size() > 64)
        parciales.clear();
    EstadoParcial &e = parciales[ruta];
    e.lineas.clear();
    for (std::string &l : PartirLineas(bytes))
        e.lineas.insert(l + "\r\n");
    e.terminaEnLinea = bytes.empty() || bytes.back() == '\n';
    if (!estado(ruta, e.visto))
        e.visto = {};
    return &e;
}

// After appending linea to a known day file: keeps the set in step, or forgets the file when
// the new line does not stand alone as one text line.
void anotaLinea(const std::string &ruta, const std::string &linea, bool conocido) {
    if (!conocido) {
        EstadoParcial &nuevo = parciales[ruta];
        nuevo.lineas.clear();
        nuevo.terminaEnLinea = true;
    }
    auto it = parciales.find(ruta);
    if (it == parciales.end())
        return;
    EstadoParcial &e = it->second;
    const bool sola = linea.size() >= 2 && linea.compare(linea.size() - 2, 2, "\r\n") == 0 &&
                      linea.find_first_of("\r\n") == linea.size() - 2;
    if (!e.terminaEnLinea || !sola || !estado(ruta, e.visto)) {
        parciales.erase(it);
        return;
    }
    e.lineas.insert(linea);
}

// Appends bytes; on any failure the file is put back to its old size (or removed when new).
bool anade(const std::string &ruta, const std::string &bytes, qint64 &tamanoAnterior, bool &existia) {
    QFile f(q(ruta));
    existia = f.exists();
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    tamanoAnterior = f.size();
    bool ok = f.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
    ok = f.flush() && ok;
    if (!ok) {
        f.close();
        if (existia)
            QFile::resize(q(ruta), tamanoAnterior);
        else
            QFile::remove(q(ruta));
    }
    return ok;
}

void recorta(const std::string &ruta, qint64 tamano, bool existia) {
    if (existia)
        QFile::resize(q(ruta), tamano);
    else
        QFile::remove(q(ruta));
    parciales.erase(ruta);
}

} // namespace

std::string RutaParcial(const std::string &registro) {
    return DirFichajes + NombreParcial(PatronParcial, registro);
}

void OlvidaParciales() {
    parciales.clear();
}

namespace {
std::function<const StringGrid *()> empleadosPresencia;
}

void FijaEmpleadosPresencia(std::function<const StringGrid *()> empleados) {
    empleadosPresencia = std::move(empleados);
}

bool GuardaFichaje(char *registro) {
    return GuardaFichajeEn(registro, empleadosPresencia ? empleadosPresencia() : nullptr);
}

bool GuardaFichajeEn(char *registro, const StringGrid *empleados) {
    OemToCharBuf(registro, LongitudFichaje);
    const std::string bruto(registro, LongitudFichaje);

    const std::string nombre = NombreParcial(PatronParcial, bruto);
    const std::string ruta = DirFichajes + nombre;
    std::string linea = FormateaFichaje(FormatoFichaje, bruto);
    if (EncriptarFichajes)
        CodificaLinea(linea, ClaveFichajes(nombre));

    struct stat st;
    const bool conocido = estado(ruta, st);
    if (conocido) {
        if (EstadoParcial *e = conoceParcial(ruta, st); e && e->lineas.count(linea))
            return true; // already stored
    }

    qint64 tamanoParcial = 0, tamanoHistorico = 0;
    bool existiaParcial = false, existiaHistorico = false;
    if (!anade(ruta, linea, tamanoParcial, existiaParcial)) {
        parciales.erase(ruta);
        return false;
    }
    if (!anade(RutaHistorico, bruto, tamanoHistorico, existiaHistorico)) {
        recorta(ruta, tamanoParcial, existiaParcial);
        return false;
    }
    anotaLinea(ruta, linea, conocido);

    if (empleados && !std::isdigit(static_cast<unsigned char>(bruto[OffsetPresencia]))) {
        const int empleado = LeeEntero(bruto.substr(OffsetEmpleado, 54));
        const int hora = LeeEntero(bruto.substr(OffsetHora, 2));
        const int minuto = LeeEntero(bruto.substr(OffsetMinuto, 2));
        if (AlternaPresencia(TablaPresenciaLeida, *empleados, empleado, hora, minuto))
            GuardaPresentes(DirFichajes + "presentes", TablaPresenciaLeida);
    }
    return true;
}

bool ReconstruyeFichajes() {
    std::string historico;
    if (!LeeBytes(RutaHistorico, historico))
        return false;
    OlvidaParciales();
    const TFormatoAnalizado patron = AnalizaFormato(PatronParcial);
    const TFormatoAnalizado nuevo = AnalizaFormato(FormatoFichaje);
    const TFormatoAnalizado anterior = AnalizaFormato(FormatoAnterior);

    // Annulled lines of the day files about to be rewritten, unscrambled and unmarked.
    std::map<std::string, std::unordered_map<std::string, int>> anulados;
    std::map<std::string, std::string> contenido;
    const size_t registros = historico.size() / LongitudFichaje;
    for (size_t k = 0; k < registros; ++k) {
        std::string_view r(historico.data() + k * LongitudFichaje, LongitudFichaje);
        const std::string nombre = NombreParcial(patron, r);
        if (contenido.count(nombre))
            continue;
        contenido[nombre];
        std::string bytes;
        if (!LeeBytes(DirFichajes + nombre, bytes))
            continue;
        const unsigned char clave = ClaveFichajes(nombre);
        auto &marcas = anulados[nombre];
        size_t inicio = 0;
        while (inicio < bytes.size()) {
            size_t fin = bytes.find('\n', inicio);
            fin = fin == std::string::npos ? bytes.size() : fin + 1;
            std::string l = bytes.substr(inicio, fin - inicio);
            inicio = fin;
            DescodificaLinea(l, clave);
            if (!l.empty() && (static_cast<unsigned char>(l[0]) & 0x80)) {
                l[0] = static_cast<char>(static_cast<unsigned char>(l[0]) & 0x7F);
                ++marcas[l];
            }
        }
    }

    for (size_t k = 0; k < registros; ++k) {
        std::string_view r(historico.data() + k * LongitudFichaje, LongitudFichaje);
        const std::string nombre = NombreParcial(patron, r);
        std::string linea = FormateaFichaje(nuevo, r);
        auto &marcas = anulados[nombre];
        if (!marcas.empty() && !linea.empty()) {
            for (const std::string &visto : {FormateaFichaje(anterior, r), linea}) {
                auto m = marcas.find(visto);
                if (m != marcas.end() && m->second > 0) {
                    --m->second;
                    linea[0] = static_cast<char>(static_cast<unsigned char>(linea[0]) | 0x80);
                    break;
                }
            }
        }
        if (EncriptarFichajes)
            CodificaLinea(linea, ClaveFichajes(nombre));
        contenido[nombre] += linea;
    }
    for (const auto &[nombre, bytes] : contenido)
        GuardaBytes(DirFichajes + nombre, bytes);

    if (ArchivoIni)
        ArchivoIni->WriteString("config", "formato_anterior", FormatoFichaje);
    FormatoAnterior = FormatoFichaje;
    FormatoCambiado = false;
    return true;
}
