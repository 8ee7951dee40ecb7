#include "terminal/enlace.h"

#include "common/configuracion.h"
#include "platform/codepage.h"
#include "platform/numeros.h"
#include "platform/portio.h"
#include "platform/reloj.h"
#include "platform/stringgrid.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QSocketNotifier>
#include <QTcpSocket>
#include <algorithm>
#include <memory>

std::vector<char> TablaTipoConexion(MinEntradas, 0);
std::vector<char> TablaModoTerminal(MinEntradas, 0);
std::vector<uint32_t> TablaNumTerminal(MinEntradas, 0);
std::vector<uint32_t> TablaDireccionRadio(MinEntradas, 0);
std::vector<QTcpSocket *> TablaEnchufes(MinEntradas, nullptr);
std::vector<uint32_t> TablaReconexion(MinEntradas, 0);
std::vector<uint32_t> TablaEstadoEnchufe(MinEntradas, 0);
std::vector<TDestinoEnchufe> TablaDestinos(MinEntradas);
std::vector<std::string> TextosTerminales;
int NumTerminales = 0;
int UltimaFilaRadio = -1;
char CabeceraComando[4] = {Control::ENQ, '6', '4', 0};
unsigned TerminalActual = 0x64;
char TipoConexionActual = 'S';
int FilaActual = 0;
unsigned char TramaRadio[5] = {};
TPuertoSerie PuertoSerie;

namespace AvisosEnlace {
std::function<void()> CambioEstado;
std::function<void()> DatosRecibidos;
} // namespace AvisosEnlace

namespace {

void traza(const std::string &texto) {
    if (EntornoRecepcion.Traza)
        EntornoRecepcion.Traza(texto);
}

void avisaCambio() {
    if (AvisosEnlace::CambioEstado)
        AvisosEnlace::CambioEstado();
}

void enviaSerie(const char *datos, int n);

// Row of the first serial or radio terminal numbered numero, or of any with SinDireccion (0 none).
int filaSerie(unsigned numero) {
    for (int r = 1; r <= NumTerminales; ++r)
        if ((TablaTipoConexion[r] == 'S' || TablaTipoConexion[r] == 'A') &&
            (numero == SinDireccion || TablaNumTerminal[r] == numero))
            return r;
    return 0;
}

// The shared line: a terminal that no serial or radio row carries gets nothing.
class TEnlaceSerie : public TEnlaceRecepcion {
public:
    void Envia(unsigned numero, const char *datos, int n) override {
        if (filaSerie(numero))
            enviaSerie(datos, n);
    }
    void EnviaDireccionRadio(unsigned numero) override { EnviaDireccionRadioFila(filaSerie(numero)); }
    void Purga() override {
        PuertoSerie.Purga();
        Cola.clear();
    }
    QByteArray Cola;
};

class TEnlaceEnchufe : public TEnlaceRecepcion {
public:
    explicit TEnlaceEnchufe(int fila) : fila_(fila) {}
    void Envia(unsigned, const char *datos, int n) override { EnviaAFila(fila_, datos, n); }
    void EnviaDireccionRadio(unsigned) override {}
    void Purga() override { Cola.clear(); }
    QByteArray Cola;

private:
    int fila_;
};

TEnlaceSerie &enlaceSerie() {
    static TEnlaceSerie e;
    return e;
}
TRecepcion &maquinaSerie() {
    static TRecepcion m(enlaceSerie());
    return m;
}

struct TConexion {
    explicit TConexion(int fila) : Enlace(fila), Maquina(Enlace) {}
    TEnlaceEnchufe Enlace;
    TRecepcion Maquina;
};
std::vector<std::unique_ptr<TConexion>> conexiones;

qint64 ultimoSegundo = -1;

// Bytes waiting on the serial port: told through DatosRecibidos, then quiet until they are read.
QPointer<QSocketNotifier> avisoSerie;

void vigilaSerie() {
    delete avisoSerie;
    if (!PuertoSerie.Abierto())
        return;
    avisoSerie = new QSocketNotifier(PuertoSerie.Descriptor(), QSocketNotifier::Read);
    QObject::connect(avisoSerie, &QSocketNotifier::activated, avisoSerie, [] {
        avisoSerie->setEnabled(false);
        if (AvisosEnlace::DatosRecibidos)
            AvisosEnlace::DatosRecibidos();
    });
}

void cierraSerie() {
    delete avisoSerie;
    PuertoSerie.Cierra();
}

// Reads what the serial port holds into its link's queue; the port is watched again.
int leeSerie() {
    static char buf[16384];
    const int n = PuertoSerie.Lee(buf, sizeof buf);
    if (n > 0)
        enlaceSerie().Cola.append(buf, n);
    if (avisoSerie)
        avisoSerie->setEnabled(true);
    return n > 0 ? n : 0;
}

// A connection made or lost: nothing received before it belongs to what comes after.
void reiniciaConexion(int r) {
    if (r && conexiones[r]) {
        conexiones[r]->Maquina.Reinicia();
        conexiones[r]->Enlace.Cola.clear();
    }
}

// Leading number in the given base, blanks skipped, optional minus sign; -1 when it does not
// fit 0..0xFFFFFFFF or is negative. Digits are read while there are any (as the runtime does).
long long leeNumero(const std::string &t, size_t desde, int base) {
    size_t i = desde;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t'))
        ++i;
    bool negativo = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+'))
        negativo = t[i++] == '-';
    long long v = 0;
    for (; i < t.size(); ++i) {
        int d;
        const char c = t[i];
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            break;
        v = v * base + d;
        if (v > 0xFFFFFFFFll)
            return -1;
    }
    return negativo && v != 0 ? -1 : v;
}

int filaDe(QTcpSocket *s) {
    for (int r = 1; r <= NumTerminales; ++r)
        if (TablaEnchufes[r] == s)
            return r;
    return 0;
}

void activa(int r) {
    QTcpSocket *s = TablaEnchufes[r];
    if (!s)
        return;
    const TDestinoEnchufe &d = TablaDestinos[r];
    s->abort();
    s->connectToHost(QString::fromStdString(d.Ip.empty() ? d.Host : d.Ip), static_cast<quint16>(d.Puerto));
}

void destruyeEnchufes() {
    for (QTcpSocket *&s : TablaEnchufes) {
        if (s) {
            QObject::disconnect(s, nullptr, nullptr, nullptr);
            s->abort();
            s->deleteLater();
            s = nullptr;
        }
    }
    conexiones.clear();
}

// Every table sized n and emptied; no terminal.
void vaciaTablas(int entradas) {
    const size_t n = static_cast<size_t>(entradas);
    TablaTipoConexion.assign(n, 0);
    TablaModoTerminal.assign(n, 0);
    TablaNumTerminal.assign(n, 0);
    TablaDireccionRadio.assign(n, 0);
    TablaEnchufes.assign(n, nullptr);
    TablaReconexion.assign(n, 0);
    TablaEstadoEnchufe.assign(n, 0);
    TablaDestinos.assign(n, TDestinoEnchufe());
    conexiones.clear();
    conexiones.resize(n);
    TextosTerminales.clear();
    NumTerminales = 0;
    UltimaFilaRadio = -1;
}

// RS-485: transmit enable up, bytes out, wait until the last one has left the UART, enable down.
void enviaSerie(const char *datos, int n) {
    if (!PuertoSerie.Abierto() || n <= 0)
        return;
    const long limite = ModoRadio ? 1000000 : 200000;
    PuertoSerie.Dtr(true);
    if (!PuertoSerie.Escribe(datos, n))
        traza(CharToOem("ERROR al escribir en el puerto serie: " + PuertoSerie.Error()) + "\r\n");
    // A stall is as many unchanged polls of the output queue as the limit, and one second at least.
    QElapsedTimer desdeCambio;
    desdeCambio.start();
    int cola = PuertoSerie.ColaSalida();
    long paradas = limite;
    while (cola != 0) {
        const int ahora = PuertoSerie.ColaSalida();
        if (ahora != cola) {
            cola = ahora;
            paradas = limite;
            desdeCambio.restart();
        } else if (--paradas <= 0 && desdeCambio.elapsed() >= 1000) {
            cierraSerie();
            AbrePuertoSerie(NombrePuerto);
            break;
        }
    }
    // The UART's FIFO empties in the time of 16 characters of 11 bits; the wait is bounded by that.
    const qint64 limiteVacio = 50 + 176000 / std::max(VelocidadPuerto, 1);
    QElapsedTimer vacio;
    vacio.start();
    while (PuertoSerie.Abierto() && !(inportb(static_cast<unsigned short>(DireccionBaseUart + 5)) & 0x40) &&
           vacio.elapsed() < limiteVacio) {
    }
    PuertoSerie.Dtr(false);
}

// Feeds a link's queue to its machine; bytes the machine leaves (list hand-over) stay queued.
int procesaCola(TRecepcion &m, QByteArray &cola) {
    QByteArray datos;
    datos.swap(cola);
    const int n = m.Procesa(datos.constData(), static_cast<int>(datos.size()));
    if (n < datos.size())
        cola.prepend(datos.mid(n));
    return n;
}

} // namespace

void FijaCabecera(unsigned numero) {
    const std::string h = Formato("%02X", numero & 0xFF);
    CabeceraComando[0] = Control::ENQ;
    CabeceraComando[1] = h[0];
    CabeceraComando[2] = h[1];
    CabeceraComando[3] = 0;
}

int FilaDeTerminal(unsigned numero) {
    for (int r = 1; r <= NumTerminales; ++r)
        if (TablaNumTerminal[r] == numero)
            return r;
    return 0;
}

namespace {
int filaDeCabecera() {
    const long long n = leeNumero(std::string(CabeceraComando + 1, 2), 0, 16);
    if (n < 0)
        return 0;
    const unsigned numero = static_cast<unsigned>(n);
    if (FilaActual >= 1 && FilaActual <= NumTerminales && TablaNumTerminal[FilaActual] == numero)
        return FilaActual;
    return FilaDeTerminal(numero);
}
} // namespace

std::vector<std::string> CargaTerminales(const StringGrid &sg) {
    std::vector<std::string> rechazos;
    destruyeEnchufes();
    const int filas = sg.RowCount() > 1 ? sg.RowCount() - 1 : 0;
    vaciaTablas(std::max(filas + 1, MinEntradas));

    for (int r = 1; r <= filas; ++r) {
        const std::string &tipo = sg.Cells[0][r];
        const std::string &dir = sg.Cells[1][r];
        char letra = tipo.empty() ? ' ' : tipo[0];
        if (letra == 'O')
            letra = 'A';
        const char modo = sg.Cells[5][r].empty() ? ' ' : sg.Cells[5][r][0];
        TablaTipoConexion[r] = letra;
        TablaModoTerminal[r] = modo;

        long long numero = 0;
        if (letra == 'A') {
            numero = dir.size() > 6 ? leeNumero(dir, 6, 16) : 0;
            const long long radio = leeNumero(dir, 0, 16);
            TablaDireccionRadio[r] = radio < 0 ? 0 : static_cast<uint32_t>(radio);
        } else if (letra == 'E') {
            const size_t dos = dir.size() > 1 ? dir.substr(0, dir.size() - 1).find(':') : std::string::npos;
            numero = dos != std::string::npos ? leeNumero(dir, dos + 1, 10) : leeNumero(dir, 0, 10);
        } else if (letra == 'S') {
            numero = leeNumero(dir, 0, 10);
        }

        if (numero < 0 || numero > 255) {
            rechazos.push_back(
                Formato("Terminal de la fila %d (%s): el n\xFAmero de terminal debe estar entre 0 y "
                        "255; no se usa.",
                        r, dir.c_str()));
            TablaTipoConexion[r] = '-';
            TablaNumTerminal[r] = TerminalNoValido;
        } else {
            TablaNumTerminal[r] = static_cast<uint32_t>(numero);
            if (letra == 'A')
                UltimaFilaRadio = r - 1;
            if (letra == 'E') {
                TablaReconexion[r] = 0;
                TablaEstadoEnchufe[r] = 5;
                std::string d = dir.substr(0, dir.find(' '));
                TDestinoEnchufe &dest = TablaDestinos[r];
                const size_t dos = d.rfind(':');
                if (dos != std::string::npos) {
                    const std::string antes = d.substr(0, dos);
                    if (LeeEntero(antes) != 0)
                        dest.Ip = antes;
                    else
                        dest.Host = antes;
                    dest.Puerto = PuertoTcpBase + LeeEntero(d.substr(dos + 1));
                } else {
                    dest.Puerto = PuertoTcpBase + LeeEntero(d);
                }
                conexiones[r] = std::make_unique<TConexion>(r);
                auto *s = new QTcpSocket();
                TablaEnchufes[r] = s;
                QObject::connect(s, &QTcpSocket::connected, s, [s] { EnchufeConnect(s); });
                QObject::connect(s, &QTcpSocket::readyRead, s, [s] { EnchufeRead(s); });
                QObject::connect(s, &QTcpSocket::disconnected, s, [s] { EnchufeDisconnect(s); });
                QObject::connect(s, &QTcpSocket::errorOccurred, s, [s](QAbstractSocket::SocketError e) {
                    // A close by the terminal is a disconnection, not a failed attempt.
                    if (e != QAbstractSocket::RemoteHostClosedError)
                        EnchufeError(s, static_cast<int>(e));
                });
                activa(r);
            }
        }
        TextosTerminales.push_back(Formato("%c%c %s %s",
                                           tipo.empty() ? ' ' : (tipo[0] == 'O' ? 'A' : tipo[0]), modo,
                                           dir.c_str(), sg.Cells[2][r].c_str()));
        ++NumTerminales;
    }
    if (FilaActual > NumTerminales)
        FilaActual = 0;
    return rechazos;
}

void CierraEnlaces() {
    destruyeEnchufes();
    vaciaTablas(MinEntradas);
    FilaActual = 0;
    maquinaSerie().Reinicia();
    enlaceSerie().Cola.clear();
    cierraSerie();
    RegistraUart(0, {});
}

bool AbrePuertoSerie(const std::string &nombre) {
    delete avisoSerie;
    const bool ok = PuertoSerie.Abre(nombre, VelocidadPuerto, ModoRadio != 0);
    vigilaSerie();
    RegistraUart(static_cast<unsigned short>(DireccionBaseUart),
                 ok ? std::function<unsigned char()>([] { return PuertoSerie.EstadoLinea(); }) : nullptr);
    if (!ok)
        traza(CharToOem("ERROR: no se puede abrir el puerto serie " + nombre + " (" + PuertoSerie.Error() +
                        ")") +
              "\r\n");
    return ok;
}

void EnviaTramaInicioRadio() {
    if (UltimaFilaRadio < 0)
        return;
    TerminalActual = TablaNumTerminal[UltimaFilaRadio + 1];
    FijaCabecera(TerminalActual);
    const std::string trama = Formato("\x01I%s%c90000001\x04", DireccionCoordinador.c_str(),
                                      static_cast<char>('0' + LeeEntero(CanalRadio)));
    EnviaATerminal(trama.data(), static_cast<int>(trama.size()));
}

void EnviaAFila(int fila, const char *datos, int n) {
    if (fila < 1 || fila > NumTerminales)
        return;
    switch (TablaTipoConexion[fila]) {
    case 'S':
    case 'A':
        enviaSerie(datos, n);
        break;
    case 'E':
        if (QTcpSocket *s = TablaEnchufes[fila]; s && s->state() == QAbstractSocket::ConnectedState)
            s->write(datos, n);
        break;
    default:
        break;
    }
}

void EnviaATerminal(const char *datos, int n) {
    EnviaAFila(filaDeCabecera(), datos, n);
}

void EnviaDireccionRadioFila(int fila) {
    if (!ModoRadio || fila < 1 || fila > NumTerminales || TablaTipoConexion[fila] != 'A')
        return;
    const uint32_t d = TablaDireccionRadio[fila];
    TramaRadio[0] = Control::STX;
    TramaRadio[1] = static_cast<unsigned char>(d >> 24);
    TramaRadio[2] = static_cast<unsigned char>(d >> 16);
    TramaRadio[3] = static_cast<unsigned char>(d >> 8);
    TramaRadio[4] = static_cast<unsigned char>(d);
    enviaSerie(reinterpret_cast<const char *>(TramaRadio), 5);
}

void EnviaDireccionRadio() {
    EnviaDireccionRadioFila(filaDeCabecera());
}

void EnchufeConnect(QTcpSocket *s) {
    static const char saludo[4] = {Control::ENQ, 'F', 'F', Control::CR};
    reiniciaConexion(filaDe(s));
    s->write(saludo, 4);
    for (int r = 1; r <= NumTerminales; ++r)
        if (TablaTipoConexion[r] == 'E' && TablaEnchufes[r] &&
            TablaEnchufes[r]->state() == QAbstractSocket::ConnectedState)
            TablaEstadoEnchufe[r] = 5;
    avisaCambio();
}

void EnchufeError(QTcpSocket *s, int) {
    const int r = filaDe(s);
    if (r && TablaEstadoEnchufe[r] != 0) {
        --TablaEstadoEnchufe[r];
        TablaReconexion[r] = 5;
    }
    avisaCambio();
}

void EnchufeDisconnect(QTcpSocket *s) {
    if (const int r = filaDe(s)) {
        TablaReconexion[r] = 5;
        reiniciaConexion(r);
    }
    avisaCambio();
}

void EnchufeRead(QTcpSocket *s) {
    const int r = filaDe(s);
    if (!r || !conexiones[r]) {
        s->readAll();
        return;
    }
    conexiones[r]->Enlace.Cola.append(s->readAll());
    if (AvisosEnlace::DatosRecibidos)
        AvisosEnlace::DatosRecibidos();
}

void CuentaReconexiones() {
    const qint64 ahora = MilisegundosMonotonos();
    if (ultimoSegundo < 0 || ahora < ultimoSegundo)
        ultimoSegundo = ahora;
    if (ahora - ultimoSegundo < 1000)
        return;
    ultimoSegundo = ahora;
    for (int r = 1; r <= NumTerminales; ++r) {
        if (TablaTipoConexion[r] == 'E' && TablaReconexion[r] != 0 && TablaEstadoEnchufe[r] != 0) {
            if (--TablaReconexion[r] == 0)
                activa(r);
        }
    }
}

void ProcesaRecepcion() {
    static bool dentro = false;
    if (dentro)
        return;
    dentro = true;
    int leidos;
    do {
        leidos = 0;
        if (ModoSondeo == 1)
            break;
        leidos += leeSerie();
        if (!enlaceSerie().Cola.isEmpty())
            procesaCola(maquinaSerie(), enlaceSerie().Cola);
        for (int r = 1; r <= NumTerminales && ModoSondeo == 0; ++r) {
            TConexion *c = conexiones[r].get();
            if (c && !c->Enlace.Cola.isEmpty())
                leidos += procesaCola(c->Maquina, c->Enlace.Cola);
        }
    } while (leidos > 0);
    dentro = false;
}

void TickRespuestas() {
    maquinaSerie().TickRespuesta();
    for (auto &c : conexiones)
        if (c)
            c->Maquina.TickRespuesta();
}

std::string EstadoEnchufe(int fila) {
    if (fila < 1 || fila > NumTerminales || TablaTipoConexion[fila] != 'E')
        return "";
    if (TablaEnchufes[fila] && TablaEnchufes[fila]->state() == QAbstractSocket::ConnectedState)
        return "Conectado";
    const uint32_t e = TablaEstadoEnchufe[fila];
    if (e == 0)
        return "Desconectado";
    if (e == 5)
        return "Conectando ...";
    return "Error de socket " + std::to_string(e);
}

TRecepcion &RecepcionDeFila(int fila) {
    if (fila >= 1 && fila <= NumTerminales && TablaTipoConexion[fila] == 'E' && conexiones[fila])
        return conexiones[fila]->Maquina;
    return maquinaSerie();
}

QByteArray TomaRecibido(int fila) {
    QByteArray r;
    if (fila >= 1 && fila <= NumTerminales && TablaTipoConexion[fila] == 'E') {
        if (conexiones[fila])
            r.swap(conexiones[fila]->Enlace.Cola);
        return r;
    }
    leeSerie();
    r.swap(enlaceSerie().Cola);
    return r;
}

int FilaDeEnlace(const TEnlaceRecepcion *enlace, unsigned numero) {
    if (enlace == &enlaceSerie())
        return filaSerie(numero);
    for (int r = 1; r <= NumTerminales; ++r)
        if (conexiones[r] && &conexiones[r]->Enlace == enlace)
            return r;
    return 0;
}

bool EnlacesConTrabajo() {
    if (!enlaceSerie().Cola.isEmpty() || (avisoSerie && !avisoSerie->isEnabled()))
        return true;
    for (const auto &c : conexiones)
        if (c && !c->Enlace.Cola.isEmpty())
            return true;
    return false;
}
