#include "common/presencia.h"

#include "common/configuracion.h"
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "platform/numeros.h"
#include "platform/rutas.h"
#include "platform/stringgrid.h"

#include <QFile>
#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TRegistroPresencia TablaPresencia[PlazasPresencia + 1];
TRegistroPresencia TablaPresenciaLeida[PlazasPresencia + 1];
std::string RutaPresentes;

namespace {
void pon16(std::string &b, size_t o, uint16_t v) {
    b[o] = static_cast<char>(v & 0xFF);
    b[o + 1] = static_cast<char>(v >> 8);
}
uint16_t lee16(const std::string &b, size_t o) {
    return static_cast<uint16_t>(static_cast<unsigned char>(b[o]) |
                                 (static_cast<unsigned char>(b[o + 1]) << 8));
}
} // namespace

std::string BytesDeTabla(const TRegistroPresencia *tabla) {
    std::string b(BytesPresentes, '\0');
    for (int k = 1; k <= PlazasPresencia; ++k) {
        const TRegistroPresencia &r = tabla[k];
        size_t o = static_cast<size_t>(BytesRegistroPresencia * (k - 1));
        pon16(b, o, r.HoraEntrada);
        pon16(b, o + 2, r.MinutoEntrada);
        pon16(b, o + 4, r.HoraSalida);
        pon16(b, o + 6, r.MinutoSalida);
        b[o + 8] = static_cast<char>(r.Presente);
        uint32_t s = static_cast<uint32_t>(r.SiguienteFila);
        for (int i = 0; i < 4; ++i)
            b[o + 12 + static_cast<size_t>(i)] = static_cast<char>((s >> (8 * i)) & 0xFF);
    }
    return b;
}

void TablaDeBytes(const std::string &bytes, TRegistroPresencia *tabla) {
    std::string b = bytes.substr(0, BytesPresentes);
    b.resize(BytesPresentes, '\0');
    for (int k = 1; k <= PlazasPresencia; ++k) {
        TRegistroPresencia &r = tabla[k];
        size_t o = static_cast<size_t>(BytesRegistroPresencia * (k - 1));
        r.HoraEntrada = lee16(b, o);
        r.MinutoEntrada = lee16(b, o + 2);
        r.HoraSalida = lee16(b, o + 4);
        r.MinutoSalida = lee16(b, o + 6);
        r.Presente = static_cast<uint8_t>(b[o + 8]);
    }
}

bool GuardaPresentes(const std::string &ruta, const TRegistroPresencia *tabla) {
    return GuardaBytes(ruta, BytesDeTabla(tabla));
}

bool ActualizaPresentes(const std::string &ruta, const TRegistroPresencia *tabla) {
    const std::string bytes = BytesDeTabla(tabla);
    const int fd = ::open(QFile::encodeName(RutaQ(ruta)).constData(), O_WRONLY | O_CLOEXEC);
    struct stat st;
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size != BytesPresentes) {
        if (fd >= 0)
            ::close(fd);
        return GuardaPresentes(ruta, tabla);
    }
    const bool ok = ::pwrite(fd, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size());
    return ::close(fd) == 0 && ok;
}

bool LeePresentes(const std::string &ruta, TRegistroPresencia *tabla) {
    std::string b;
    if (!LeeBytes(ruta, b))
        return false;
    TablaDeBytes(b, tabla);
    return true;
}

bool AlternaPresencia(TRegistroPresencia *tabla, const StringGrid &empleados, int empleado, int hora,
                      int minuto) {
    bool cambiado = false;
    const int ultima = std::min(empleados.RowCount() - 1, PlazasPresencia);
    for (int k = 1; k <= ultima; ++k) {
        const std::string &id = empleados.Celda(0, k);
        if (id.empty() || LeeEntero(id) != empleado)
            continue;
        TRegistroPresencia &r = tabla[k];
        r.Presente = r.Presente ? 0 : 1;
        if (r.Presente) {
            r.HoraEntrada = static_cast<uint16_t>(hora);
            r.MinutoEntrada = static_cast<uint16_t>(minuto);
        } else {
            r.HoraSalida = static_cast<uint16_t>(hora);
            r.MinutoSalida = static_cast<uint16_t>(minuto);
        }
        cambiado = true;
    }
    return cambiado;
}

namespace {
std::string sonidoPresencia(const char *nombre, int empleado) {
    const std::string propio = Configuracion().DirFotos + Formato("%s%d.wav", nombre, empleado);
    if (ExisteArchivo(propio))
        return propio;
    const std::string comun = Configuracion().DirFotos + nombre + ".wav";
    return ExisteArchivo(comun) ? comun : std::string();
}
} // namespace

bool CambiosPresencia(const StringGrid &empleados, bool forzado, std::vector<TAvisoPresencia> &avisos) {
    avisos.clear();
    if (Configuracion().PuestoMaestro == 0 &&
        (RutaPresentes.empty() || !LeePresentes(RutaPresentes, TablaPresenciaLeida)))
        return false;
    const int ultima = std::min(empleados.RowCount() - 1, PlazasPresencia);
    for (int k = 1; k <= ultima; ++k) {
        if (!forzado && TablaPresencia[k].Presente == TablaPresenciaLeida[k].Presente)
            continue;
        const TRegistroPresencia &r = TablaPresencia[k] = TablaPresenciaLeida[k];
        TAvisoPresencia a;
        a.Fila = k;
        const std::string &foto = empleados.Celda(9, k);
        if (!foto.empty() && ExisteArchivo(foto))
            a.Foto = foto;
        a.Nombre = empleados.Celda(2, k);
        a.Apellidos = empleados.Celda(1, k);
        a.Titulo = empleados.Celda(0, k);
        if (r.Presente == 1) {
            a.Estado = TEstadoPresencia::Entro;
            a.Texto = Ansi("Entró a las ") + Formato("%d:%02d", r.HoraEntrada, r.MinutoEntrada);
        } else if (r.HoraSalida == 100) {
            a.Estado = TEstadoPresencia::NoVino;
            a.Texto = "No ha venido";
        } else {
            a.Estado = TEstadoPresencia::Salio;
            a.Texto = Ansi("Salió a las ") + Formato("%d:%02d", r.HoraSalida, r.MinutoSalida);
        }
        if (!forzado && a.Estado != TEstadoPresencia::NoVino)
            a.Sonido =
                sonidoPresencia(a.Estado == TEstadoPresencia::Entro ? "entra" : "sale", LeeEntero(a.Titulo));
        avisos.push_back(std::move(a));
    }
    return true;
}
