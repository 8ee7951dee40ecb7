#include "platform/lineas.h"

#include "platform/rutas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
QString q(const std::string &ruta) {
    return RutaQ(ruta);
}

bool escribe(QSaveFile &f, const char *datos, qint64 n) {
    if (f.write(datos, n) == n)
        return true;
    f.cancelWriting();
    return false;
}

// The flush inside commit() goes unchecked, so buffered data is flushed and checked first: a
// failure discards the temporary file and the old one stays as it was.
bool confirma(QSaveFile &f) {
    if (!f.flush()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}
} // namespace

std::vector<std::string> PartirLineas(const std::string &texto) {
    std::vector<std::string> r;
    const size_t n = texto.size();
    size_t inicio = 0;
    while (inicio < n) {
        const size_t fin = texto.find_first_of("\r\n", inicio);
        if (fin == std::string::npos) {
            r.push_back(texto.substr(inicio));
            break;
        }
        r.push_back(texto.substr(inicio, fin - inicio));
        size_t p = fin;
        while (p < n && texto[p] == '\r')
            ++p;
        if (p < n && texto[p] == '\n') { // CRs before an LF are part of its line end
            inicio = p + 1;
            continue;
        }
        r.resize(r.size() + (p - fin - 1)); // each CR without an LF ends a line
        inicio = p;
    }
    return r;
}

bool LeeBytes(const std::string &ruta, std::string &bytes) {
    bytes.clear();
    QFile f(q(ruta));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QByteArray datos = f.readAll();
    bytes.assign(datos.constData(), static_cast<size_t>(datos.size()));
    return true;
}

bool LeeLineas(const std::string &ruta, std::vector<std::string> &lineas) {
    lineas.clear();
    std::string bytes;
    if (!LeeBytes(ruta, bytes))
        return false;
    lineas = PartirLineas(bytes);
    return true;
}

bool LeeLineasSiExiste(const std::string &ruta, std::vector<std::string> &lineas) {
    lineas.clear();
    return !QFileInfo::exists(q(ruta)) || LeeLineas(ruta, lineas);
}

bool GuardaBytes(const std::string &ruta, const std::string &bytes) {
    QSaveFile f(q(ruta));
    return f.open(QIODevice::WriteOnly) && escribe(f, bytes.data(), static_cast<qint64>(bytes.size())) &&
           confirma(f);
}

std::string UneLineas(const std::vector<std::string> &lineas) {
    std::string texto;
    for (const auto &l : lineas) {
        texto += l;
        texto += "\r\n";
    }
    return texto;
}

bool GuardaLineas(const std::string &ruta, const std::vector<std::string> &lineas) {
    return GuardaBytes(ruta, UneLineas(lineas));
}

bool AnadeBytes(const std::string &ruta, const std::string &bytes) {
    QFile f(q(ruta));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    bool ok = f.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
    return f.flush() && ok;
}

bool ExisteArchivo(const std::string &ruta) {
    QFileInfo i(q(ruta));
    return i.exists() && i.isFile();
}

bool ExisteDirectorio(const std::string &ruta) {
    if (ruta.empty())
        return true; // the working directory
    return QFileInfo(q(ruta)).isDir();
}

bool CreaDirectorio(const std::string &ruta) {
    if (ruta.empty())
        return true;
    return QDir().mkpath(q(ruta));
}

bool CopiaArchivo(const std::string &origen, const std::string &destino, bool sobrescribir) {
    if (ExisteArchivo(destino) && !sobrescribir)
        return false;
    QFile entrada(q(origen));
    QSaveFile salida(q(destino));
    if (!entrada.open(QIODevice::ReadOnly) || !salida.open(QIODevice::WriteOnly))
        return false;
    char bloque[1 << 16];
    for (;;) {
        const qint64 n = entrada.read(bloque, sizeof bloque);
        if (n == 0)
            return confirma(salida);
        if (n < 0) {
            salida.cancelWriting();
            return false;
        }
        if (!escribe(salida, bloque, n))
            return false;
    }
}
