#pragma once
// A terminal simulator for the link tests, written from the protocol: terminals that announce
// and deliver clockings, upload user lists and ask for them, with faults on demand. A terminal
// is reached over loopback TCP (one server per terminal) or over a pseudo-terminal pair that
// stands for the RS-485 line or for the radio coordinator.
#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QSocketNotifier;
class QTcpServer;
class QTcpSocket;
class TEnlaces;
struct TEntornoRecepcion;

// A raw 103-character clocking record.
std::string RegistroFichaje(unsigned terminal, const QDateTime &t, const std::string &empleado,
                            int incidencia = 0, const std::string &produccion = "        ");
// Clocking frame as a terminal sends it: record, EOT, XOR checksum as two hex digits.
std::string TramaFichaje(const std::string &registro, bool sumaMala = false);
// Wire form of a 512-byte list record: 1026 hex characters (check byte spoiled on request).
std::string TramaRegistroLista(const std::string &registro512, bool sumaMala = false);
// A 512-byte list record with a code and a name (OEM text), N minutiae and a percentage.
std::string RegistroLista(const std::string &codigo, const std::string &nombre, int minucias, int porcentaje);

// A terminal's firmware loader: sections of a 9-byte header (0x00, load address and byte count
// least significant byte first), the data and their XOR byte, each answered with ACK (0x06),
// 0x15 or nothing; a byte 0x08 in place of a header ends the upload.
class CargadorSimulado {
public:
    enum class Respuesta { Ack, Nak, Nada };
    Respuesta Modo = Respuesta::Ack;
    int Rechazos = 0;                       // the next N good sections are answered 0x15 all the same
    std::map<uint32_t, std::string> Imagen; // loaded sections by load address
    std::vector<uint32_t> Direcciones;      // address of every section received whole
    int XorMalos = 0;
    bool Terminado = false; // the final 0x08 arrived
    // One byte from the panel; the reply to send back ("" none).
    std::string Entrada(char c);
    // A section is in course: its bytes are data whatever their value.
    bool EnSeccion() const { return !cabecera_.empty(); }

private:
    std::string cabecera_, datos_;
};

class TerminalSimulado {
public:
    explicit TerminalSimulado(unsigned numero);

    unsigned Numero;
    std::deque<std::string> Pendientes;  // raw records not yet acknowledged
    int SumasMalas = 0;                  // the next N clockings go out with a wrong checksum
    bool Silencio = false;               // answers nothing
    bool AnunciaTrasNak = true;          // announces again after a NAK
    size_t CorteFichaje = 0;             // the next clocking goes out cut to this many bytes
    std::vector<std::string> Entregados; // each clocking frame sent
    std::vector<std::string> Comandos;   // text commands addressed to it (CR included)
    int Acks = 0, Naks = 0;
    int Saludos = 0;          // greetings "FF"
    int RegistrosSubidos = 0; // list records acknowledged
    bool FinLista = false;    // the EOT of an upload went out
    bool EnCargador = false;  // the loader takes every byte instead of the protocol
    CargadorSimulado Cargador;
    QDateTime Reloj;    // set by a clock command whose sum is right
    int HorasMalas = 0; // clock commands refused for their sum

    // Its lists, 512-byte records as they arrived (OEM text, filler as sent): the FLASH list that
    // "borra lista" empties and loads add to, the RAM list a RAM load replaces, the codes of the
    // denied list.
    std::vector<std::string> Memoria, Ram, Denegados;
    int Borrados = 0;                  // "borra lista" taken
    int CargasCompletas = 0;           // loads ended by EOT, header and CR
    int RegistrosCargados = 0;         // records taken in the load in course
    std::vector<int> NakRegistros;     // records of a load (from 0) refused once with NAK
    int CallaTrasRegistros = -1;       // after that many records of a load, answers nothing more
    bool RechazaCarga = false;         // answers a load command with NAK
    int DenegadasMalas = 0;            // denied lists refused because the check did not match
    int RetrasoMs = 0;                 // every reply goes out this late
    std::vector<std::string> Pantalla; // texts sent to the display ("D..." commands)

    // Bytes toward the panel.
    std::function<void(const QByteArray &)> Salida;

    void Anuncia();
    // Offers a list: SOH "B", then each record as the panel acknowledges it, then EOT. The
    // records listed in malos (by index) go out once with a wrong check byte.
    void SubeLista(const std::vector<std::string> &registros, std::vector<int> malos = {});
    void PideLista(const std::string &codigo);
    // Bytes from the panel that reached this terminal.
    void Entrada(const QByteArray &bytes);
    // A byte that only the terminal in conversation takes (bus: ACK and NAK carry no address).
    bool EnConversacion() const { return enVuelo_ || subiendo_; }

private:
    void comando(const std::string &c);
    void ponHora(const std::string &c);
    void acuse(bool ack);
    void envia(const std::string &s);
    void responde(char c);
    void cargaByte(char c);
    void denegadaByte(char c);
    enum { Libre, Cabecera, Orden, Ajena, Soh, Carga, FinCarga, Denegada } estado_ = Libre;
    std::vector<std::string> *carga_ = nullptr; // list being loaded
    std::string hex_;                           // hexadecimal characters of the record in course
    bool fallo_ = false;                        // a character of the record was not hexadecimal
    std::string hdr_, orden_;
    bool enVuelo_ = false;
    bool subiendo_ = false;
    std::vector<std::string> lista_;
    std::vector<int> malos_;
    size_t siguiente_ = 0;
    bool esperaPrimerAck_ = false;
    std::shared_ptr<bool> vivo_ = std::make_shared<bool>(true);
};

// Ethernet terminal: listens on 127.0.0.1:puerto and talks to the one connection it accepts.
class ServidorTerminal : public QObject {
public:
    ServidorTerminal(TerminalSimulado &t, quint16 puerto);
    ~ServidorTerminal() override;
    bool Escuchando() const;
    bool Conectado() const;
    int Conexiones = 0;   // connections accepted
    void CortaConexion(); // drops the connection in course
    void DejaDeEscuchar();
    bool Escucha();
    QByteArray Recibido; // every byte from the panel

private:
    TerminalSimulado &t_;
    quint16 puerto_;
    QTcpServer *servidor_;
    QPointer<QTcpSocket> conexion_;
};

// First base port b such that b + numero is free on loopback for every numero given.
int BuscaBaseLibre(const std::vector<unsigned> &numeros);

// Serial line on a pseudo-terminal: the panel opens RutaEsclavo(); the simulator holds the
// master. As a bus every terminal hears every byte; as a radio coordinator the address prefix
// chooses the terminal and the start frame is recorded.
class LineaSimulada : public QObject {
public:
    explicit LineaSimulada(bool radio = false);
    ~LineaSimulada() override;
    std::string RutaEsclavo() const { return esclavo_; }
    void Agrega(TerminalSimulado &t, uint32_t direccionRadio = 0);
    QByteArray Recibido;                   // every byte from the panel
    std::vector<std::string> TramasInicio; // radio start frames
    std::vector<uint32_t> Prefijos;        // radio addresses chosen
    void Atiende();                        // reads what the panel wrote (also done by a notifier)

private:
    void reparte(const QByteArray &b);
    int master_ = -1;
    int esclavoFd_ = -1;
    std::string esclavo_;
    bool radio_;
    QSocketNotifier *aviso_ = nullptr;
    struct Miembro {
        TerminalSimulado *t;
        uint32_t direccion;
    };
    std::vector<Miembro> terminales_;
    TerminalSimulado *destino_ = nullptr;
    std::string prefijo_;
    std::string inicio_;
    bool enPrefijo_ = false, enInicio_ = false;
};

// The receive machines' console and clocking writer captured into the given strings.
void CapturaRecepcion(TEntornoRecepcion &entorno, std::string &consola, std::vector<std::string> &guardados);

// Runs the panel's link work on the given links as its timers do (1 ms: reconnections and receive
// machines; 10 ms: reply time-outs) without the panel window.
class MotorEnlace : public QObject {
public:
    explicit MotorEnlace(TEnlaces &enlaces);
    ~MotorEnlace() override;
    // The timers drive these links from now on (their received-bytes hook is left as it is).
    void Conduce(TEnlaces &enlaces) { enlaces_ = &enlaces; }
    // Processes events until cond holds or ms pass; true when it held.
    static bool EsperaHasta(const std::function<bool()> &cond, int ms = 5000);
    // Stops the timers (the panel's own timers then drive the links).
    void Para();

private:
    TEnlaces *enlaces_;
    TEnlaces *propios_;
    int t1_ = 0, t2_ = 0;
    void timerEvent(QTimerEvent *e) override;
};
