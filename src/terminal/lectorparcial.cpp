#include "terminal/lectorparcial.h"

#include "platform/rutas.h"
#include "terminal/fichaje.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool LeeParcial(const std::string &ruta, std::string &bytes) {
    // The system's calls alone: a year's listing opens hundreds of files.
    std::string local = RutaLocal(ruta);
    if (std::any_of(local.begin(), local.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        local = QFile::encodeName(RutaQ(ruta)).toStdString();
    const int fd = ::open(local.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return false;
    }
    bytes.resize(static_cast<size_t>(std::max<off_t>(st.st_size, 0)));
    size_t leidos = 0;
    while (leidos < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + leidos, bytes.size() - leidos);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        leidos += static_cast<size_t>(n);
    }
    ::close(fd);
    bytes.resize(leidos);
    return true;
}

const std::string *TParcialesLeidos::Lee(const std::string &ruta) {
    auto [it, nuevo] = archivos_.try_emplace(ruta);
    if (nuevo) {
        std::string bytes;
        if (LeeParcial(ruta, bytes))
            it->second = std::move(bytes);
    }
    return it->second ? &*it->second : nullptr;
}

TIndiceParcial &TParcialesLeidos::Indice(const std::string &ruta, const std::array<int, 6> &reglas,
                                         bool &nuevo) {
    std::vector<TIndiceParcial> &v = indices_[ruta];
    for (TIndiceParcial &i : v)
        if (i.Reglas == reglas) {
            nuevo = false;
            return i;
        }
    nuevo = true;
    v.push_back({reglas, {}});
    return v.back();
}

TLineaParcial TLineaParcial::Lee(std::string bytes, unsigned char clave, bool descifra) {
    TLineaParcial l;
    l.Texto = std::move(bytes);
    if (descifra)
        DescodificaLinea(l.Texto, clave);
    l.Anulada = !l.Texto.empty() && (static_cast<unsigned char>(l.Texto[0]) & 0x80);
    return l;
}

std::string TLineaParcial::SinMarca() const {
    std::string s = Texto;
    if (Anulada)
        s[0] = static_cast<char>(static_cast<unsigned char>(s[0]) & 0x7F);
    return s;
}

bool TLectorParcial::Mira(size_t longitud, TLineaParcial &l) const {
    if (pos_ + longitud > bytes_.size())
        return false;
    l = TLineaParcial::Lee(std::string(bytes_.substr(pos_, longitud)), clave_, descifra_);
    l.Offset = pos_;
    return true;
}

bool TLectorParcial::Siguiente(size_t L, TAlineacion a, TLineaParcial &l,
                               const std::function<bool(std::string_view)> &pasa) {
    std::string &linea = l.Texto;
    while (L > 0 && pos_ + L <= bytes_.size()) {
        const bool cifrada = descifra_ && L >= 2 && (static_cast<unsigned char>(bytes_[pos_ + 1]) & 0x80);
        const bool enPaso = a == TAlineacion::CR     ? bytes_[pos_] == '\r'
                            : a == TAlineacion::CRLF ? bytes_[pos_] != '\r'
                                                     : true;
        if (pasa && L >= 2 && !cifrada && enPaso && !pasa(bytes_.substr(pos_, L))) {
            pos_ += L;
            continue;
        }
        linea.assign(bytes_, pos_, L);
        pos_ += L;
        // Out of step by a leading CR LF (a scrambled line may begin with a CR byte, never with
        // CR LF: its second byte carries the marker).
        if (a == TAlineacion::CRLF && linea.compare(0, 2, "\r\n") == 0) {
            if (pos_ + 2 > bytes_.size())
                return false;
            linea.erase(0, 2);
            linea.append(bytes_, pos_, 2);
            pos_ += 2;
        }
        if (descifra_)
            DescodificaLinea(linea, clave_);
        if (a == TAlineacion::CR && linea[0] != '\r') {
            const size_t cr = linea.find('\r', 1);
            if (cr != std::string::npos) {
                pos_ = pos_ - L + cr;
                continue;
            }
        }
        l.Offset = pos_ - L;
        l.Anulada = (static_cast<unsigned char>(linea[0]) & 0x80) != 0;
        return true;
    }
    return false;
}

std::vector<std::string_view> TLectorParcial::DesdeElFinal(size_t longitud) const {
    std::vector<std::string_view> v;
    if (longitud == 0)
        return v;
    for (size_t fin = bytes_.size(); fin >= longitud; fin -= longitud)
        v.push_back(bytes_.substr(fin - longitud, longitud));
    return v;
}
