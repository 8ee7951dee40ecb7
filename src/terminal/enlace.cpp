#include "terminal/enlace.h"

#include "common/configuracion.h"
#include "platform/codepage.h"
#include "platform/numeros.h"
#include "platform/portio.h"
#include "platform/reloj.h"
#include "platform/stringgrid.h"

#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTcpSocket>
#include <algorithm>

namespace {

constexpr qint64 kPasoReconexion = 1000; // milliseconds per step of a reconnection countdown

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

// Terminal number of an address, by connection letter; -1 when it does not fit 32 bits.
long long numeroDeDireccion(char letra, const std::string &dir) {
    if (letra == 'A')
        return dir.size() > 6 ? leeNumero(dir, 6, 16) : 0;
    if (letra == 'E') {
        const size_t dos = dir.size() > 1 ? dir.substr(0, dir.size() - 1).find(':') : std::string::npos;
        return dos != std::string::npos ? leeNumero(dir, dos + 1, 10) : leeNumero(dir, 0, 10);
    }
    if (letra == 'S')
        return leeNumero(dir, 0, 10);
    return 0;
}

// Where an Ethernet address connects: cut at its first blank, split at its last colon.
TDestinoEnchufe destinoDe(const std::string &dir, int puertoBase) {
    TDestinoEnchufe dest;
    const std::string d = dir.substr(0, dir.find(' '));
    const size_t dos = d.rfind(':');
    if (dos != std::string::npos) {
        const std::string antes = d.substr(0, dos);
        if (LeeEntero(antes) != 0)
            dest.Ip = antes;
        else
            dest.Host = antes;
        dest.Puerto = puertoBase + LeeEntero(d.substr(dos + 1));
    } else {
        dest.Puerto = puertoBase + LeeEntero(d);
    }
    return dest;
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

std::vector<TFilaEnlace> LeeFilasTerminales(const StringGrid &sg, int puertoBase) {
    std::vector<TFilaEnlace> filas;
    for (int r = 1; r < sg.RowCount(); ++r) {
        const std::string &tipo = sg.Cells[0][r];
        const std::string &dir = sg.Cells[1][r];
        TFilaEnlace f;
        f.TipoConexion = tipo.empty() ? ' ' : (tipo[0] == 'O' ? 'A' : tipo[0]);
        f.ModoTerminal = sg.Cells[5][r].empty() ? ' ' : sg.Cells[5][r][0];
        if (f.TipoConexion == 'A') {
            const long long radio = leeNumero(dir, 0, 16);
            f.DireccionRadio = radio < 0 ? 0 : static_cast<uint32_t>(radio);
        }
        f.Texto = Formato("%c%c %s %s", f.TipoConexion, f.ModoTerminal, dir.c_str(), sg.Cells[2][r].c_str());
        const long long numero = numeroDeDireccion(f.TipoConexion, dir);
        if (numero < 0 || numero > 255) {
            f.Rechazo = Formato("Terminal de la fila %d (%s): el n\xFAmero de terminal debe estar entre 0 y "
                                "255; no se usa.",
                                r, dir.c_str());
            f.TipoConexion = '-';
            f.NumTerminal = TerminalNoValido;
        } else {
            f.NumTerminal = static_cast<uint32_t>(numero);
            if (f.TipoConexion == 'E')
                f.Destino = destinoDe(dir, puertoBase);
        }
        filas.push_back(std::move(f));
    }
    return filas;
}

// The shared line: a terminal that no serial or radio row carries gets nothing.
class TEnlaces::TEnlaceSerie : public TEnlaceRecepcion {
public:
    explicit TEnlaceSerie(TEnlaces &e) : e_(e) {}
    void Envia(unsigned numero, const char *datos, int n) override {
        if (e_.filaSerie(numero))
            e_.enviaSerie(datos, n);
    }
    void EnviaDireccionRadio(unsigned numero) override { e_.EnviaDireccionRadioFila(e_.filaSerie(numero)); }
    void Purga() override {
        e_.PuertoSerie.Purga();
        Cola.clear();
    }
    QByteArray Cola;

private:
    TEnlaces &e_;
};

class TEnlaces::TEnlaceEnchufe : public TEnlaceRecepcion {
public:
    TEnlaceEnchufe(TEnlaces &e, int fila) : e_(e), fila_(fila) {}
    void Envia(unsigned, const char *datos, int n) override { e_.EnviaAFila(fila_, datos, n); }
    void EnviaDireccionRadio(unsigned) override {}
    void Purga() override { Cola.clear(); }
    QByteArray Cola;

private:
    TEnlaces &e_;
    int fila_;
};

struct TEnlaces::TConexion {
    TConexion(TEnlaces &e, int fila) : Enlace(e, fila), Maquina(Enlace, e.Entorno) {}
    TEnlaceEnchufe Enlace;
    TRecepcion Maquina;
};

TEnlaces::TEnlaces()
    : enlaceSerie_(std::make_unique<TEnlaceSerie>(*this)),
      maquinaSerie_(std::make_unique<TRecepcion>(*enlaceSerie_, Entorno)), lectura_(16384) {
    vaciaTablas(MinEntradas);
}

TEnlaces::~TEnlaces() {
    CierraEnlaces();
}

void TEnlaces::traza(const std::string &texto) {
    if (Entorno.Traza)
        Entorno.Traza(texto);
}

// Row of the first serial or radio terminal numbered numero, or of any with SinDireccion (0 none).
int TEnlaces::filaSerie(unsigned numero) const {
    for (int r = 1; r <= NumTerminales; ++r)
        if ((TablaTipoConexion[r] == 'S' || TablaTipoConexion[r] == 'A') &&
            (numero == SinDireccion || TablaNumTerminal[r] == numero))
            return r;
    return 0;
}

void TEnlaces::vigilaSerie() {
    delete avisoSerie_;
    if (!PuertoSerie.Abierto())
        return;
    avisoSerie_ = new QSocketNotifier(PuertoSerie.Descriptor(), QSocketNotifier::Read);
    QObject::connect(avisoSerie_, &QSocketNotifier::activated, avisoSerie_, [this] {
        avisoSerie_->setEnabled(false);
        if (DatosRecibidos)
            DatosRecibidos();
    });
}

void TEnlaces::cierraSerie() {
    delete avisoSerie_;
    PuertoSerie.Cierra();
}

// Reads what the serial port holds into its link's queue; the port is watched again.
int TEnlaces::leeSerie() {
    const int n = PuertoSerie.Lee(lectura_.data(), static_cast<int>(lectura_.size()));
    if (n > 0)
        enlaceSerie_->Cola.append(lectura_.data(), n);
    if (avisoSerie_)
        avisoSerie_->setEnabled(true);
    return n > 0 ? n : 0;
}

// A connection made or lost: nothing received before it belongs to what comes after.
void TEnlaces::reiniciaConexion(int r) {
    if (r && conexiones_[r]) {
        conexiones_[r]->Maquina.Reinicia();
        conexiones_[r]->Enlace.Cola.clear();
    }
}

int TEnlaces::filaDe(QTcpSocket *s) const {
    for (int r = 1; r <= NumTerminales; ++r)
        if (TablaEnchufes[r] == s)
            return r;
    return 0;
}

void TEnlaces::activa(int r) {
    QTcpSocket *s = TablaEnchufes[r];
    if (!s)
        return;
    const TDestinoEnchufe &d = TablaDestinos[r];
    s->abort();
    s->connectToHost(QString::fromStdString(d.Ip.empty() ? d.Host : d.Ip), static_cast<quint16>(d.Puerto));
}

void TEnlaces::destruyeEnchufes() {
    for (QTcpSocket *&s : TablaEnchufes) {
        if (s) {
            QObject::disconnect(s, nullptr, nullptr, nullptr);
            s->abort();
            s->deleteLater();
            s = nullptr;
        }
    }
    conexiones_.clear();
}

// Every table sized n and emptied; no terminal.
void TEnlaces::vaciaTablas(int entradas) {
    const size_t n = static_cast<size_t>(entradas);
    TablaTipoConexion.assign(n, 0);
    TablaModoTerminal.assign(n, 0);
    TablaNumTerminal.assign(n, 0);
    TablaDireccionRadio.assign(n, 0);
    TablaEnchufes.assign(n, nullptr);
    TablaReconexion.assign(n, 0);
    TablaEstadoEnchufe.assign(n, 0);
    TablaDestinos.assign(n, TDestinoEnchufe());
    conexiones_.clear();
    conexiones_.resize(n);
    TextosTerminales.clear();
    NumTerminales = 0;
    UltimaFilaRadio = -1;
}

// RS-485: transmit enable up, bytes out, wait until the last one has left the UART, enable down.
void TEnlaces::enviaSerie(const char *datos, int n) {
    if (!PuertoSerie.Abierto() || n <= 0)
        return;
    const long limite = Configuracion().ModoRadio ? 1000000 : 200000;
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
            AbrePuertoSerie(Configuracion().NombrePuerto);
            break;
        }
    }
    // The UART's FIFO empties in the time of 16 characters of 11 bits; the wait is bounded by that.
    const qint64 limiteVacio = 50 + 176000 / std::max(Configuracion().VelocidadPuerto, 1);
    QElapsedTimer vacio;
    vacio.start();
    while (PuertoSerie.Abierto() &&
           !(inportb(static_cast<unsigned short>(Configuracion().DireccionBaseUart + 5)) & 0x40) &&
           vacio.elapsed() < limiteVacio) {
    }
    PuertoSerie.Dtr(false);
}

void TEnlaces::FijaCabecera(unsigned numero) {
    const std::string h = Formato("%02X", numero & 0xFF);
    CabeceraComando[0] = Control::ENQ;
    CabeceraComando[1] = h[0];
    CabeceraComando[2] = h[1];
    CabeceraComando[3] = 0;
}

int TEnlaces::FilaDeTerminal(unsigned numero) const {
    for (int r = 1; r <= NumTerminales; ++r)
        if (TablaNumTerminal[r] == numero)
            return r;
    return 0;
}

int TEnlaces::filaDeCabecera() const {
    const long long n = leeNumero(std::string(CabeceraComando + 1, 2), 0, 16);
    if (n < 0)
        return 0;
    const unsigned numero = static_cast<unsigned>(n);
    if (FilaActual >= 1 && FilaActual <= NumTerminales && TablaNumTerminal[FilaActual] == numero)
        return FilaActual;
    return FilaDeTerminal(numero);
}

std::vector<std::string> TEnlaces::CargaTerminales(const StringGrid &sg) {
    destruyeEnchufes();
    const std::vector<TFilaEnlace> filas = LeeFilasTerminales(sg, Configuracion().PuertoTcpBase);
    vaciaTablas(std::max(static_cast<int>(filas.size()) + 1, MinEntradas));
    std::vector<std::string> rechazos;
    for (const TFilaEnlace &f : filas) {
        const int r = ++NumTerminales;
        TablaTipoConexion[r] = f.TipoConexion;
        TablaModoTerminal[r] = f.ModoTerminal;
        TablaNumTerminal[r] = f.NumTerminal;
        TablaDireccionRadio[r] = f.DireccionRadio;
        TablaDestinos[r] = f.Destino;
        TextosTerminales.push_back(f.Texto);
        if (!f.Rechazo.empty())
            rechazos.push_back(f.Rechazo);
        if (f.TipoConexion == 'A')
            UltimaFilaRadio = r - 1;
        if (f.TipoConexion == 'E')
            abreEnchufe(r);
    }
    if (FilaActual > NumTerminales)
        FilaActual = 0;
    return rechazos;
}

// The connection of an Ethernet row: five attempts, the first one now.
void TEnlaces::abreEnchufe(int r) {
    TablaReconexion[r] = 0;
    TablaEstadoEnchufe[r] = 5;
    conexiones_[r] = std::make_unique<TConexion>(*this, r);
    auto *s = new QTcpSocket();
    TablaEnchufes[r] = s;
    QObject::connect(s, &QTcpSocket::connected, s, [this, s] { EnchufeConnect(s); });
    QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] { EnchufeRead(s); });
    QObject::connect(s, &QTcpSocket::disconnected, s, [this, s] { EnchufeDisconnect(s); });
    QObject::connect(s, &QTcpSocket::errorOccurred, s, [this, s](QAbstractSocket::SocketError e) {
        // A close by the terminal is a disconnection, not a failed attempt.
        if (e != QAbstractSocket::RemoteHostClosedError)
            EnchufeError(s, static_cast<int>(e));
    });
    activa(r);
}

void TEnlaces::CierraEnlaces() {
    destruyeEnchufes();
    vaciaTablas(MinEntradas);
    FilaActual = 0;
    maquinaSerie_->Reinicia();
    enlaceSerie_->Cola.clear();
    cierraSerie();
    if (uartRegistrada_)
        RegistraUart(0, {});
    uartRegistrada_ = false;
}

bool TEnlaces::AbrePuertoSerie(const std::string &nombre) {
    delete avisoSerie_;
    const bool ok = PuertoSerie.Abre(nombre, Configuracion().VelocidadPuerto, Configuracion().ModoRadio != 0);
    vigilaSerie();
    RegistraUart(static_cast<unsigned short>(Configuracion().DireccionBaseUart),
                 ok ? std::function<unsigned char()>([this] { return PuertoSerie.EstadoLinea(); }) : nullptr);
    uartRegistrada_ = ok;
    if (!ok)
        traza(CharToOem("ERROR: no se puede abrir el puerto serie " + nombre + " (" + PuertoSerie.Error() +
                        ")") +
              "\r\n");
    return ok;
}

void TEnlaces::EnviaTramaInicioRadio() {
    if (UltimaFilaRadio < 0)
        return;
    TerminalActual = TablaNumTerminal[UltimaFilaRadio + 1];
    FijaCabecera(TerminalActual);
    const std::string trama = Formato("\x01I%s%c90000001\x04", Configuracion().DireccionCoordinador.c_str(),
                                      static_cast<char>('0' + LeeEntero(Configuracion().CanalRadio)));
    EnviaATerminal(trama.data(), static_cast<int>(trama.size()));
}

void TEnlaces::EnviaAFila(int fila, const char *datos, int n) {
    if (fila < 1 || fila > NumTerminales)
        return;
    switch (TablaTipoConexion[fila]) {
    case 'S':
    case 'A':
        enviaSerie(datos, n);
        break;
    case 'E':
        if (FilaConectada(fila))
            TablaEnchufes[fila]->write(datos, n);
        break;
    default:
        break;
    }
}

void TEnlaces::EnviaATerminal(const char *datos, int n) {
    EnviaAFila(filaDeCabecera(), datos, n);
}

void TEnlaces::EnviaDireccionRadioFila(int fila) {
    if (!Configuracion().ModoRadio || fila < 1 || fila > NumTerminales || TablaTipoConexion[fila] != 'A')
        return;
    const uint32_t d = TablaDireccionRadio[fila];
    TramaRadio[0] = Control::STX;
    TramaRadio[1] = static_cast<unsigned char>(d >> 24);
    TramaRadio[2] = static_cast<unsigned char>(d >> 16);
    TramaRadio[3] = static_cast<unsigned char>(d >> 8);
    TramaRadio[4] = static_cast<unsigned char>(d);
    enviaSerie(reinterpret_cast<const char *>(TramaRadio), 5);
}

void TEnlaces::EnviaDireccionRadio() {
    EnviaDireccionRadioFila(filaDeCabecera());
}

void TEnlaces::EnchufeConnect(QTcpSocket *s) {
    static const char saludo[4] = {Control::ENQ, 'F', 'F', Control::CR};
    reiniciaConexion(filaDe(s));
    s->write(saludo, 4);
    for (int r = 1; r <= NumTerminales; ++r)
        if (TablaTipoConexion[r] == 'E' && TablaEnchufes[r] &&
            TablaEnchufes[r]->state() == QAbstractSocket::ConnectedState)
            TablaEstadoEnchufe[r] = 5;
    if (CambioEstado)
        CambioEstado();
}

void TEnlaces::EnchufeError(QTcpSocket *s, int) {
    const int r = filaDe(s);
    if (r && TablaEstadoEnchufe[r] != 0) {
        --TablaEstadoEnchufe[r];
        TablaReconexion[r] = 5;
    }
    if (CambioEstado)
        CambioEstado();
}

void TEnlaces::EnchufeDisconnect(QTcpSocket *s) {
    if (const int r = filaDe(s)) {
        TablaReconexion[r] = 5;
        reiniciaConexion(r);
    }
    if (CambioEstado)
        CambioEstado();
}

void TEnlaces::EnchufeRead(QTcpSocket *s) {
    const int r = filaDe(s);
    if (!r || !conexiones_[r]) {
        s->readAll();
        return;
    }
    conexiones_[r]->Enlace.Cola.append(s->readAll());
    if (DatosRecibidos)
        DatosRecibidos();
}

void TEnlaces::CuentaReconexiones() {
    const qint64 ahora = MilisegundosMonotonos();
    if (ultimoSegundo_ < 0 || ahora < ultimoSegundo_)
        ultimoSegundo_ = ahora;
    if (ahora - ultimoSegundo_ < kPasoReconexion)
        return;
    ultimoSegundo_ = ahora;
    for (int r = 1; r <= NumTerminales; ++r) {
        if (cuentaReconexion(r)) {
            if (--TablaReconexion[r] == 0)
                activa(r);
        }
    }
}

void TEnlaces::ProcesaRecepcion() {
    if (procesando_)
        return;
    procesando_ = true;
    int leidos;
    do {
        leidos = 0;
        if (Entorno.ModoSondeo == 1)
            break;
        leidos += leeSerie();
        if (!enlaceSerie_->Cola.isEmpty())
            procesaCola(*maquinaSerie_, enlaceSerie_->Cola);
        for (int r = 1; r <= NumTerminales && Entorno.ModoSondeo == 0; ++r) {
            TConexion *c = conexiones_[r].get();
            if (c && !c->Enlace.Cola.isEmpty())
                leidos += procesaCola(c->Maquina, c->Enlace.Cola);
        }
    } while (leidos > 0);
    procesando_ = false;
}

void TEnlaces::TickRespuestas() {
    maquinaSerie_->TickRespuesta();
    for (auto &c : conexiones_)
        if (c)
            c->Maquina.TickRespuesta();
}

std::string TEnlaces::EstadoEnchufe(int fila) const {
    if (fila < 1 || fila > NumTerminales || TablaTipoConexion[fila] != 'E')
        return "";
    if (FilaConectada(fila))
        return "Conectado";
    const uint32_t e = TablaEstadoEnchufe[fila];
    if (e == 0)
        return "Desconectado";
    if (e == 5)
        return "Conectando ...";
    return "Error de socket " + std::to_string(e);
}

bool TEnlaces::FilaConectada(int fila) const {
    if (fila < 1 || fila > NumTerminales)
        return false;
    switch (TablaTipoConexion[fila]) {
    case 'S':
    case 'A':
        return PuertoSerie.Abierto();
    case 'E':
        return TablaEnchufes[fila] && TablaEnchufes[fila]->state() == QAbstractSocket::ConnectedState;
    default:
        return false;
    }
}

TRecepcion &TEnlaces::RecepcionDeFila(int fila) {
    if (fila >= 1 && fila <= NumTerminales && TablaTipoConexion[fila] == 'E' && conexiones_[fila])
        return conexiones_[fila]->Maquina;
    return *maquinaSerie_;
}

QByteArray TEnlaces::TomaRecibido(int fila) {
    QByteArray r;
    if (fila >= 1 && fila <= NumTerminales && TablaTipoConexion[fila] == 'E') {
        if (conexiones_[fila])
            r.swap(conexiones_[fila]->Enlace.Cola);
        return r;
    }
    leeSerie();
    r.swap(enlaceSerie_->Cola);
    return r;
}

int TEnlaces::FilaDeEnlace(const TEnlaceRecepcion *enlace, unsigned numero) const {
    if (enlace == enlaceSerie_.get())
        return filaSerie(numero);
    for (int r = 1; r <= NumTerminales; ++r)
        if (conexiones_[r] && &conexiones_[r]->Enlace == enlace)
            return r;
    return 0;
}

bool TEnlaces::EnlacesConTrabajo() const {
    if (!enlaceSerie_->Cola.isEmpty() || (avisoSerie_ && !avisoSerie_->isEnabled()))
        return true;
    for (const auto &c : conexiones_)
        if (c && !c->Enlace.Cola.isEmpty())
            return true;
    return false;
}

qint64 TEnlaces::ProximaReconexion() const {
    for (int r = 1; r <= NumTerminales; ++r)
        if (cuentaReconexion(r)) {
            const qint64 ahora = MilisegundosMonotonos();
            if (ultimoSegundo_ < 0 || ahora < ultimoSegundo_)
                return 0; // the next CuentaReconexiones starts the count's second
            return std::max<qint64>(0, ultimoSegundo_ + kPasoReconexion - ahora);
        }
    return -1;
}

bool TEnlaces::cuentaReconexion(int r) const {
    return TablaTipoConexion[r] == 'E' && TablaReconexion[r] != 0 && TablaEstadoEnchufe[r] != 0;
}

bool TEnlaces::EsperaRespuesta() const {
    if (maquinaSerie_->CuentaRespuesta != 0)
        return true;
    for (const auto &c : conexiones_)
        if (c && c->Maquina.CuentaRespuesta != 0)
            return true;
    return false;
}
