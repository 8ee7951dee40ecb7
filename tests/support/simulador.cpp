#include "support/simulador.h"

#include "platform/numeros.h"
#include "terminal/enlace.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QTimerEvent>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <termios.h>
#include <unistd.h>

namespace {
constexpr char SOH = 0x01, STX = 0x02, EOT = 0x04, ENQ = 0x05, ACK = 0x06, BEL = 0x07, NAK = 0x08, CR = 0x0D;

std::string hex2(unsigned v) {
    return Formato("%02X", v & 0xFF);
}
} // namespace

std::string RegistroFichaje(unsigned terminal, const QDateTime &t, const std::string &empleado,
                            int incidencia, const std::string &produccion) {
    static const char *const dias[] = {"Lun", "Mar", "Mie", "Jue", "Vie", "Sab", "Dom"};
    const QDate d = t.date();
    const QTime h = t.time();
    std::string r =
        "\r\n" + Formato("%03u %s %02d/%02d/%04d %02d:%02d:%02d %03d ", terminal, dias[d.dayOfWeek() - 1],
                         d.day(), d.month(), d.year(), h.hour(), h.minute(), h.second(), incidencia);
    r += Formato("%-54.54s%-8.8s T-0000", empleado.c_str(), produccion.c_str());
    return r;
}

std::string TramaFichaje(const std::string &registro, bool sumaMala) {
    std::string s = registro + EOT;
    unsigned char x = 0;
    for (char c : s)
        x ^= static_cast<unsigned char>(c);
    if (sumaMala)
        x ^= 0x5A;
    return s + hex2(x);
}

std::string TramaRegistroLista(const std::string &r, bool sumaMala) {
    std::string s;
    unsigned char x = 0;
    for (char c : r) {
        s += hex2(static_cast<unsigned char>(c));
        x ^= static_cast<unsigned char>(c);
    }
    if (sumaMala)
        x ^= 0x01;
    return s + hex2(x);
}

std::string RegistroLista(const std::string &codigo, const std::string &nombre, int minucias,
                          int porcentaje) {
    std::string r(512, '\0');
    r[0] = 0x11, r[1] = 0x22, r[2] = 0x33, r[3] = 0x44;
    const std::string texto = codigo + " " + nombre;
    for (int i = 4; i < 132; ++i)
        r[i] = static_cast<char>(0xFF);
    for (size_t i = 0; i < texto.size() && i < 127; ++i)
        r[4 + i] = texto[i];
    r[4 + std::min<size_t>(texto.size(), 127)] = 0;
    r[132] = static_cast<char>(minucias);
    r[133] = 0x01;
    for (int i = 134; i < 392; ++i)
        r[i] = i < 134 + 4 * minucias ? static_cast<char>(i * 7) : static_cast<char>(0xFF);
    for (int i = 400; i < 416; ++i)
        r[i] = static_cast<char>(0xFF);
    r[419] = static_cast<char>(porcentaje);
    for (int i = 420; i < 512; ++i)
        r[i] = static_cast<char>(i);
    return r;
}

// ---- loader ----

std::string CargadorSimulado::Entrada(char c) {
    if (cabecera_.empty() && c == NAK) {
        Terminado = true;
        return "";
    }
    if (cabecera_.size() < 9) {
        cabecera_ += c;
        return "";
    }
    auto palabra = [this](int i) {
        uint32_t v = 0;
        for (int k = 3; k >= 0; --k)
            v = v << 8 | static_cast<unsigned char>(cabecera_[static_cast<size_t>(i + k)]);
        return v;
    };
    datos_ += c;
    if (datos_.size() < palabra(5) + 1)
        return "";
    unsigned char x = 0;
    for (char d : datos_)
        x ^= static_cast<unsigned char>(d);
    const uint32_t direccion = palabra(1);
    datos_.pop_back();
    std::string d;
    d.swap(datos_);
    cabecera_.clear();
    Direcciones.push_back(direccion);
    if (x != 0)
        ++XorMalos;
    if (Modo == Respuesta::Nada)
        return "";
    if (x != 0 || Modo == Respuesta::Nak || Rechazos > 0) {
        if (x == 0 && Rechazos > 0)
            --Rechazos;
        return "\x15";
    }
    Imagen[direccion] = std::move(d);
    return std::string(1, ACK);
}

// ---- terminal ----

TerminalSimulado::TerminalSimulado(unsigned numero) : Numero(numero) {}

void TerminalSimulado::envia(const std::string &s) {
    const QByteArray b(s.data(), static_cast<qsizetype>(s.size()));
    if (RetrasoMs <= 0) {
        if (Salida)
            Salida(b);
        return;
    }
    QTimer::singleShot(RetrasoMs, [vivo = std::weak_ptr<bool>(vivo_), this, b] {
        if (vivo.lock() && Salida)
            Salida(b);
    });
}

void TerminalSimulado::responde(char c) {
    if (!Silencio)
        envia(std::string(1, c));
}

void TerminalSimulado::Anuncia() {
    envia(std::string(1, BEL) + hex2(Numero));
}

void TerminalSimulado::PideLista(const std::string &codigo) {
    envia(std::string(1, STX) + hex2(Numero) + codigo + CR);
}

void TerminalSimulado::SubeLista(const std::vector<std::string> &registros, std::vector<int> malos) {
    lista_ = registros;
    malos_ = std::move(malos);
    siguiente_ = 0;
    subiendo_ = true;
    esperaPrimerAck_ = true;
    FinLista = false;
    envia(std::string(1, SOH) + "B");
}

void TerminalSimulado::Entrada(const QByteArray &bytes) {
    if (EnCargador) {
        for (char c : bytes)
            envia(Cargador.Entrada(c));
        return;
    }
    for (char c : bytes) {
        switch (estado_) {
        case Libre:
            if (c == ENQ) {
                estado_ = Cabecera;
                hdr_.clear();
            } else if (c == ACK || c == NAK) {
                acuse(c == ACK);
            }
            break;
        case Cabecera:
            hdr_ += c;
            if (hdr_.size() == 2) {
                estado_ = hdr_ == hex2(Numero) || hdr_ == "FF" ? Orden : Ajena;
                orden_.clear();
            }
            break;
        case Orden:
            if (orden_.empty() && c == SOH) {
                estado_ = Soh;
            } else if (c == CR) {
                estado_ = Libre;
                comando(orden_ + CR);
            } else {
                orden_ += c;
            }
            break;
        case Soh:
            estado_ = Libre;
            comando(std::string(1, SOH) + c);
            break;
        case Carga:
            cargaByte(c);
            break;
        case FinCarga:
            if (c == CR) {
                estado_ = Libre;
                ++CargasCompletas;
            }
            break;
        case Denegada:
            denegadaByte(c);
            break;
        case Ajena:
            if (orden_.empty() && c == SOH)
                orden_ = "skip";
            else if (c == CR || orden_ == "skip")
                estado_ = Libre;
            else
                orden_ += c;
            break;
        }
    }
}

void TerminalSimulado::comando(const std::string &c) {
    if (hdr_ == "FF" && c == "\r") {
        ++Saludos;
        return;
    }
    Comandos.push_back(c);
    if (c == "borra lista\r") {
        Memoria.clear();
        ++Borrados;
        return;
    }
    if (c == std::string(1, SOH) + "A" || c == std::string(1, SOH) + "R") {
        if (c[1] == 'R')
            Ram.clear();
        carga_ = c[1] == 'R' ? &Ram : &Memoria;
        RegistrosCargados = 0;
        hex_.clear();
        fallo_ = false;
        estado_ = RechazaCarga ? Libre : Carga;
        responde(RechazaCarga ? NAK : ACK);
        return;
    }
    if (c == "qi\r") {
        estado_ = Denegada;
        hex_.clear();
        return;
    }
    if (c[0] == 'D')
        Pantalla.push_back(c.substr(0, c.size() - 1));
    if (Silencio)
        return;
    if (c.size() == 24 && c[0] == 'H') {
        ponHora(c);
        return;
    }
    if (c == "m\r") {
        if (Pendientes.empty())
            return; // drained: nothing to send
        const bool mala = SumasMalas > 0;
        if (mala)
            --SumasMalas;
        std::string trama = TramaFichaje(Pendientes.front(), mala);
        if (CorteFichaje) {
            trama.resize(std::min(trama.size(), CorteFichaje));
            CorteFichaje = 0;
        } else {
            enVuelo_ = true;
        }
        Entregados.push_back(trama);
        envia(trama);
    }
}

void TerminalSimulado::cargaByte(char c) {
    if (hex_.empty() && c == EOT) {
        estado_ = FinCarga;
        return;
    }
    hex_ += c;
    if (hex_.size() < 1026)
        return;
    std::string registro;
    unsigned char suma = 0;
    bool bien = true;
    for (size_t i = 0; i < hex_.size(); i += 2) {
        const unsigned long v = std::strtoul(hex_.substr(i, 2).c_str(), nullptr, 16);
        bien = bien && std::isxdigit(static_cast<unsigned char>(hex_[i])) &&
               std::isxdigit(static_cast<unsigned char>(hex_[i + 1]));
        suma ^= static_cast<unsigned char>(v);
        if (i < 1024)
            registro.push_back(static_cast<char>(v));
    }
    hex_.clear();
    if (CallaTrasRegistros >= 0 && RegistrosCargados >= CallaTrasRegistros)
        return;
    const auto nak = std::find(NakRegistros.begin(), NakRegistros.end(), RegistrosCargados);
    if (nak != NakRegistros.end() || !bien || suma != 0) {
        if (nak != NakRegistros.end())
            NakRegistros.erase(nak);
        responde(NAK);
        return;
    }
    carga_->push_back(registro);
    ++RegistrosCargados;
    responde(ACK);
}

void TerminalSimulado::denegadaByte(char c) {
    hex_ += c;
    const size_t eot = hex_.find(EOT);
    if (eot == std::string::npos || hex_.size() < eot + 3)
        return;
    estado_ = Libre;
    unsigned char suma = 0;
    for (size_t i = 0; i <= eot; ++i)
        suma ^= static_cast<unsigned char>(hex_[i]);
    if (hex2(suma) != hex_.substr(eot + 1, 2)) {
        ++DenegadasMalas;
        responde(NAK);
        return;
    }
    Denegados.clear();
    for (size_t i = 0, fin; (fin = hex_.find("\r\n", i)) != std::string::npos && fin < eot; i = fin + 2)
        Denegados.push_back(hex_.substr(i, fin - i));
    responde(ACK);
}

// "H", "dd-mm-yyyy hh:mm:ss ", the sum of those 21 characters in hexadecimal, CR.
void TerminalSimulado::ponHora(const std::string &c) {
    unsigned suma = 0;
    for (size_t i = 0; i < 21; ++i)
        suma += static_cast<unsigned char>(c[i]);
    if (c.substr(21, 2) != hex2(suma)) {
        ++HorasMalas;
        return;
    }
    Reloj = QDateTime::fromString(QString::fromStdString(c.substr(1, 19)), "dd-MM-yyyy HH:mm:ss");
}

void TerminalSimulado::acuse(bool ack) {
    ack ? ++Acks : ++Naks;
    if (Silencio)
        return;
    if (subiendo_) {
        if (esperaPrimerAck_) {
            if (!ack)
                return;
            esperaPrimerAck_ = false;
        } else if (ack) {
            ++RegistrosSubidos;
            ++siguiente_;
        }
        if (siguiente_ < lista_.size()) {
            bool mala = false;
            for (auto it = malos_.begin(); it != malos_.end(); ++it)
                if (*it == static_cast<int>(siguiente_)) {
                    mala = true;
                    malos_.erase(it);
                    break;
                }
            envia(TramaRegistroLista(lista_[siguiente_], mala));
        } else {
            subiendo_ = false;
            FinLista = true;
            envia(std::string(1, EOT));
        }
        return;
    }
    if (!enVuelo_)
        return;
    enVuelo_ = false;
    if (ack)
        Pendientes.pop_front();
    else if (AnunciaTrasNak)
        Anuncia();
}

// ---- TCP ----

ServidorTerminal::ServidorTerminal(TerminalSimulado &t, quint16 puerto)
    : t_(t), puerto_(puerto), servidor_(new QTcpServer(this)) {
    QObject::connect(servidor_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *s = servidor_->nextPendingConnection()) {
            if (conexion_)
                conexion_->abort();
            conexion_ = s;
            ++Conexiones;
            QObject::connect(s, &QTcpSocket::readyRead, this, [this, s] {
                const QByteArray b = s->readAll();
                if (s != conexion_)
                    return;
                Recibido.append(b);
                t_.Entrada(b);
            });
            QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        }
    });
    t_.Salida = [this](const QByteArray &b) {
        if (conexion_ && conexion_->state() == QAbstractSocket::ConnectedState)
            conexion_->write(b);
    };
    Escucha();
}

ServidorTerminal::~ServidorTerminal() {
    t_.Salida = nullptr;
}

bool ServidorTerminal::Escucha() {
    return servidor_->isListening() || servidor_->listen(QHostAddress::LocalHost, puerto_);
}
bool ServidorTerminal::Escuchando() const {
    return servidor_->isListening();
}
bool ServidorTerminal::Conectado() const {
    return conexion_ && conexion_->state() == QAbstractSocket::ConnectedState;
}
void ServidorTerminal::CortaConexion() {
    if (conexion_)
        conexion_->close();
}
void ServidorTerminal::DejaDeEscuchar() {
    servidor_->close();
}

int BuscaBaseLibre(const std::vector<unsigned> &numeros) {
    // Seeded apart in every process: test runs side by side must not pick the same ports.
    std::mt19937 azar(std::random_device{}());
    for (int intento = 0; intento < 200; ++intento) {
        const int base = 20000 + static_cast<int>(azar() % 30000);
        bool libre = true;
        for (unsigned n : numeros) {
            QTcpServer prueba;
            if (!prueba.listen(QHostAddress::LocalHost, static_cast<quint16>(base + n))) {
                libre = false;
                break;
            }
        }
        if (libre)
            return base;
    }
    return 0;
}

// ---- pseudo-terminal ----

LineaSimulada::LineaSimulada(bool radio) : radio_(radio) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
        return;
    esclavo_ = ::ptsname(master_);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    // The simulator keeps the slave open too, so the master never sees a hang-up.
    esclavoFd_ = ::open(esclavo_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios t;
    if (esclavoFd_ >= 0 && ::tcgetattr(esclavoFd_, &t) == 0) {
        ::cfmakeraw(&t);
        ::tcsetattr(esclavoFd_, TCSANOW, &t);
    }
    aviso_ = new QSocketNotifier(master_, QSocketNotifier::Read, this);
    QObject::connect(aviso_, &QSocketNotifier::activated, this, [this] { Atiende(); });
}

LineaSimulada::~LineaSimulada() {
    for (Miembro &m : terminales_)
        m.t->Salida = nullptr;
    delete aviso_;
    if (esclavoFd_ >= 0)
        ::close(esclavoFd_);
    if (master_ >= 0)
        ::close(master_);
}

void LineaSimulada::Agrega(TerminalSimulado &t, uint32_t direccionRadio) {
    terminales_.push_back({&t, direccionRadio});
    t.Salida = [this](const QByteArray &b) {
        qsizetype hecho = 0;
        QElapsedTimer reloj;
        reloj.start();
        while (hecho < b.size() && reloj.elapsed() < 2000) {
            const ssize_t w = ::write(master_, b.constData() + hecho, static_cast<size_t>(b.size() - hecho));
            if (w > 0)
                hecho += w;
            else
                QCoreApplication::processEvents();
        }
    };
}

void LineaSimulada::Atiende() {
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n <= 0)
            break;
        const QByteArray b(buf, static_cast<qsizetype>(n));
        Recibido.append(b);
        reparte(b);
    }
}

void LineaSimulada::reparte(const QByteArray &bytes) {
    if (!radio_) {
        // A loader hears every byte; ACK and NAK go to the first terminal in conversation only.
        for (char c : bytes) {
            const QByteArray uno(1, c);
            bool dado = false;
            for (Miembro &m : terminales_) {
                if (m.t->EnCargador || (c != ACK && c != NAK)) {
                    m.t->Entrada(uno);
                } else if (!dado && m.t->EnConversacion()) {
                    m.t->Entrada(uno);
                    dado = true;
                }
            }
        }
        return;
    }
    for (char c : bytes) {
        if (enInicio_) {
            inicio_ += c;
            if (c == EOT) {
                TramasInicio.push_back(inicio_);
                enInicio_ = false;
            }
            continue;
        }
        if (enPrefijo_) {
            prefijo_ += c;
            if (prefijo_.size() == 4) {
                enPrefijo_ = false;
                uint32_t d = 0;
                for (char p : prefijo_)
                    d = d << 8 | static_cast<unsigned char>(p);
                Prefijos.push_back(d);
                destino_ = nullptr;
                for (Miembro &m : terminales_)
                    if (m.direccion == d)
                        destino_ = m.t;
            }
            continue;
        }
        // Outside a command (the radio prefix is sent ahead of every command), SOH starts the
        // start frame and STX the address prefix; a loader's section passes whole.
        if (c == SOH && inicio_.empty() && TramasInicio.empty() && !destino_) {
            enInicio_ = true;
            inicio_ = c;
            continue;
        }
        if (c == STX && !(destino_ && destino_->EnCargador && destino_->Cargador.EnSeccion())) {
            enPrefijo_ = true;
            prefijo_.clear();
            continue;
        }
        if (destino_)
            destino_->Entrada(QByteArray(1, c));
    }
}

void CapturaRecepcion(TEntornoRecepcion &entorno, std::string &consola, std::vector<std::string> &guardados) {
    entorno.Traza = [&consola](const std::string &t) { consola += t; };
    entorno.Guarda = [&guardados](char *r) {
        guardados.emplace_back(r, 103);
        return true;
    };
}

// ---- driver ----

MotorEnlace::MotorEnlace(TEnlaces &enlaces) : enlaces_(&enlaces), propios_(&enlaces) {
    t1_ = startTimer(1, Qt::PreciseTimer);
    t2_ = startTimer(10, Qt::PreciseTimer);
    enlaces.DatosRecibidos = [&enlaces] {
        if (enlaces.Entorno.ModoSondeo == 0)
            enlaces.ProcesaRecepcion();
    };
}

void MotorEnlace::Para() {
    killTimer(t1_);
    killTimer(t2_);
    t1_ = t2_ = 0;
}

MotorEnlace::~MotorEnlace() {
    propios_->DatosRecibidos = nullptr;
}

void MotorEnlace::timerEvent(QTimerEvent *e) {
    if (e->timerId() == t1_) {
        enlaces_->CuentaReconexiones();
        if (enlaces_->Entorno.ModoSondeo == 0)
            enlaces_->ProcesaRecepcion();
    } else if (e->timerId() == t2_) {
        enlaces_->TickRespuestas();
    }
}

bool MotorEnlace::EsperaHasta(const std::function<bool()> &cond, int ms) {
    QElapsedTimer reloj;
    reloj.start();
    while (!cond()) {
        if (reloj.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}
