#include "terminal/firmware.h"

#include "platform/codepage.h"
#include "platform/numeros.h"
#include "platform/rutas.h"
#include "terminal/enlace.h"

#include <QFile>
#include <algorithm>

namespace {

uint32_t palabra(const QByteArray &b, int i) {
    return static_cast<uint32_t>(static_cast<unsigned char>(b[i])) << 24 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[i + 1])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[i + 2])) << 8 |
           static_cast<unsigned char>(b[i + 3]);
}

unsigned media(const QByteArray &b, int i) {
    return static_cast<unsigned>(static_cast<unsigned char>(b[i])) << 8 |
           static_cast<unsigned char>(b[i + 1]);
}

void menosSignificativoPrimero(std::string &s, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        s.push_back(static_cast<char>(v >> (8 * i)));
}

} // namespace

bool TProgramaFirmware::falla(const std::string &texto) {
    error_ = texto;
    Secciones.clear();
    return false;
}

bool TProgramaFirmware::Lee(const std::string &ruta) {
    Secciones.clear();
    error_.clear();
    QFile f(RutaQ(RutaLocal(ruta)));
    abierto_ = f.open(QIODevice::ReadOnly);
    if (!abierto_)
        return falla("No se puede abrir el programa " + ruta);
    const qint64 tam = f.size();
    const QByteArray cab = f.read(1024);
    static const char magia[4] = {0x7F, 'E', 'L', 'F'};
    const bool elf = cab.size() >= 52 && cab.startsWith(QByteArrayView(magia, 4));
    if (!elf || cab[4] != 1 || cab[5] != 2) // 32-bit class, big-endian
        return falla(ruta + Ansi(" no es un ejecutable ELF de 32 bits big-endian"));
    if (palabra(cab, 28) != 52 || media(cab, 42) != 32)
        return falla(Ansi("La tabla de cabeceras de programa no está en el desplazamiento 52"));
    const int entradas = static_cast<int>(media(cab, 44));
    if (entradas == 0)
        return falla(Ansi("El programa no tiene cabeceras de programa"));
    if (52 + 32 * static_cast<qint64>(entradas) > tam)
        return falla(Ansi("La tabla de cabeceras de programa se sale del archivo"));

    for (int k = 0; k < std::min(entradas, MaxEntradas); ++k) {
        const int e = 52 + 32 * k;
        TSeccionFirmware s;
        s.Desplazamiento = palabra(cab, e + 4);
        s.Direccion = palabra(cab, e + 12);
        const uint32_t n = palabra(cab, e + 16);
        if (k >= 2 && (s.Direccion & BitsCarga) != BitsCarga)
            break;
        if (n > static_cast<uint32_t>(TamBuffer))
            return falla(Formato(Ansi("La sección %d (%u bytes) no cabe en el buffer de %d bytes").c_str(), k,
                                 n, TamBuffer));
        if (s.Desplazamiento > tam || n > tam - s.Desplazamiento || !f.seek(s.Desplazamiento))
            return falla(Formato(Ansi("La sección %d se sale del archivo").c_str(), k));
        const QByteArray datos = f.read(n);
        if (datos.size() != static_cast<qsizetype>(n))
            return falla(Formato(Ansi("Lectura incompleta de la sección %d").c_str(), k));
        s.Datos.assign(datos.constData(), static_cast<size_t>(datos.size()));
        Secciones.push_back(std::move(s));
    }
    return true;
}

std::string CabeceraSeccion(const TSeccionFirmware &s) {
    std::string c(1, '\0');
    menosSignificativoPrimero(c, s.Direccion);
    menosSignificativoPrimero(c, static_cast<uint32_t>(s.Datos.size()));
    return c;
}

std::string DatosSeccion(const TSeccionFirmware &s) {
    unsigned char x = 0;
    for (char c : s.Datos)
        x ^= static_cast<unsigned char>(c);
    return s.Datos + static_cast<char>(x);
}

void TCargadorEnFila::Envia(const char *datos, int n) {
    enlaces_.EnviaAFila(fila_, datos, n);
}

void TCargadorEnFila::EnviaDireccionRadio() {
    enlaces_.EnviaDireccionRadioFila(fila_);
}

QByteArray TCargadorEnFila::Recibe() {
    return enlaces_.TomaRecibido(fila_);
}

TSubidaFirmware::TSubidaFirmware(TEnlaceCargador &enlace, int &cuentaSegundos,
                                 std::function<void(const std::string &)> traza)
    : enlace_(enlace), CuentaSegundos(cuentaSegundos), traza_(std::move(traza)) {}

void TSubidaFirmware::Arranca(std::vector<TSeccionFirmware> secciones, int segundosEspera) {
    secciones_ = std::move(secciones);
    segundos_ = segundosEspera;
    actual_ = 0;
    reenvios_ = 0;
    correcta_ = secciones_.empty();
    if (correcta_)
        termina(FinCorrecto, "");
    else
        enviaSeccion();
}

void TSubidaFirmware::enviaSeccion() {
    const TSeccionFirmware &s = secciones_[actual_];
    if (reenvios_ == 0)
        traza_(Formato("%08x %08x %08x\r\n", s.Desplazamiento, s.Direccion,
                       static_cast<unsigned>(s.Datos.size())));
    enlace_.Recibe(); // a reply is only what comes after the section
    const std::string cabecera = CabeceraSeccion(s);
    const std::string datos = DatosSeccion(s);
    enlace_.EnviaDireccionRadio();
    enlace_.Envia(cabecera.data(), static_cast<int>(cabecera.size()));
    enlace_.Envia(datos.data(), static_cast<int>(datos.size()));
    CuentaSegundos = segundos_;
    estado_ = Estado::Espera;
}

bool TSubidaFirmware::Tick() {
    switch (estado_) {
    case Estado::Espera: {
        const QByteArray r = enlace_.Recibe();
        if (!r.isEmpty()) {
            respuesta_ = r[0];
            estado_ = Estado::Pausa;
        } else if (CuentaSegundos == 0) {
            termina(FinError, "ERROR: No hay respuesta del cargador");
        }
        break;
    }
    case Estado::Pausa:
        if (respuesta_ != ACK) {
            if (++reenvios_ > MaxReenvios)
                termina(FinError,
                        Formato(Ansi("ERROR: El cargador rechaza la sección tras %d reenvíos").c_str(),
                                MaxReenvios));
            else
                enviaSeccion();
        } else if (++actual_ == secciones_.size()) {
            correcta_ = true;
            termina(FinCorrecto, "");
        } else {
            reenvios_ = 0;
            enviaSeccion();
        }
        break;
    case Estado::Fin:
        break;
    }
    return estado_ != Estado::Fin;
}

void TSubidaFirmware::termina(char final, const std::string &error) {
    if (!error.empty())
        traza_(CharToOem(error) + "\r\n");
    enlace_.EnviaDireccionRadio();
    enlace_.Envia(&final, 1);
    estado_ = Estado::Fin;
}
