#pragma once
// Terminal links: the terminal tables built from the terminals grid, the shared RS-485 serial
// line, one TCP connection per Ethernet terminal and the radio network on the serial port, all
// held by one TEnlaces (the control panel's). EnviaATerminal sends to a terminal by its
// connection; ProcesaRecepcion feeds every link's received bytes to that link's receive machine.
#include "platform/puertoserie.h"
#include "terminal/protocolo.h"

#include <QByteArray>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QSocketNotifier;
class QTcpSocket;
class StringGrid;

// The tables always have at least MinEntradas entries and every row of the grid has its own.
constexpr int MinEntradas = 257;
constexpr uint32_t TerminalNoValido = 0xFFFFFFFFu; // number of a refused row: never addressed

struct TDestinoEnchufe {
    std::string Ip, Host;
    int Puerto = 0;
};

// One row of the terminals grid as a link row.
struct TFilaEnlace {
    char TipoConexion = ' ';     // S serial, E Ethernet, A radio (the grid's O too); '-' refused
    char ModoTerminal = ' ';     // E, S, B, A, P or T
    uint32_t NumTerminal = 0;    // TerminalNoValido when refused
    uint32_t DireccionRadio = 0; // A rows
    TDestinoEnchufe Destino;     // where an accepted E row connects
    std::string Texto;           // item text of the terminal list: "%c%c %s %s"
    std::string Rechazo;         // why the row is not used; empty when it is
};

// The rows 1.. of a grid shaped like the terminals grid (6 columns, row 0 titles); Ethernet ports
// count from puertoBase. Nothing is opened.
std::vector<TFilaEnlace> LeeFilasTerminales(const StringGrid &sg, int puertoBase);

class TEnlaces {
public:
    TEnlaces();
    ~TEnlaces();
    TEnlaces(const TEnlaces &) = delete;
    TEnlaces &operator=(const TEnlaces &) = delete;

    // Tables, one entry per terminal row r = 1..NumTerminales of the terminals grid (row r is item
    // r - 1 of the panel's terminal list); entry 0 holds no terminal.
    std::vector<char> TablaTipoConexion; // S serial, E Ethernet, A radio; '-' refused
    std::vector<char> TablaModoTerminal; // E, S, B, A, P or T
    std::vector<uint32_t> TablaNumTerminal;
    std::vector<uint32_t> TablaDireccionRadio;
    std::vector<QTcpSocket *> TablaEnchufes;
    std::vector<uint32_t> TablaReconexion;      // seconds to the next connection attempt
    std::vector<uint32_t> TablaEstadoEnchufe;   // connection attempts left, 0 = given up
    std::vector<TDestinoEnchufe> TablaDestinos; // where each Ethernet row connects
    std::vector<std::string> TextosTerminales;  // item texts of the terminal list
    int NumTerminales = 0;
    int UltimaFilaRadio = -1; // list position of the last radio row (-1 none)
    char CabeceraComando[4] = {Control::ENQ, '6', '4', 0};
    unsigned TerminalActual = 0x64;
    char TipoConexionActual = 'S';
    int FilaActual = 0; // row selected by the operator (0 none)
    unsigned char TramaRadio[5] = {};
    TPuertoSerie PuertoSerie;

    // The panel's side of the receive machines, shared by all of them.
    TEntornoRecepcion Entorno;
    // Panel hooks: the connection state of a terminal changed; bytes arrived on a socket or on
    // the serial port.
    std::function<void()> CambioEstado;
    std::function<void()> DatosRecibidos;

    // Rebuilds the tables, the TCP connections and the item texts from a grid shaped like the
    // terminals grid. Returns one message per refused row.
    std::vector<std::string> CargaTerminales(const StringGrid &sg);
    // Destroys every connection, empties the tables and closes the serial port.
    void CierraEnlaces();

    // Opens the serial port with the configured speed; a failure is shown in the console.
    bool AbrePuertoSerie(const std::string &nombre);
    // Radio start frame to the coordinator, addressed to the last radio row.
    void EnviaTramaInicioRadio();

    // CabeceraComando = ENQ and numero as two upper-case hexadecimal digits.
    void FijaCabecera(unsigned numero);
    // Row of the first terminal numbered numero (0 none).
    int FilaDeTerminal(unsigned numero) const;
    // Sends to the terminal named in CabeceraComando (the selected row when it carries that number).
    void EnviaATerminal(const char *datos, int n);
    // Sends on the link of a row; nothing for a row with no usable link.
    void EnviaAFila(int fila, const char *datos, int n);
    // Radio address prefix of the terminal named in CabeceraComando (radio mode, radio rows only).
    void EnviaDireccionRadio();
    void EnviaDireccionRadioFila(int fila);

    // Timer1: reconnection countdowns (one step a second); the receive machines.
    void CuentaReconexiones();
    void ProcesaRecepcion();
    // Timer2: reply time-outs of the receive machines.
    void TickRespuestas();
    // Received bytes wait on a link (in its queue, or on the serial port unread). Between bytes the
    // links need no ticks: socket bytes and serial bytes are told through DatosRecibidos.
    bool EnlacesConTrabajo() const;
    // Milliseconds until the reconnection countdowns' next step falls due (0: due now); -1 when
    // no countdown runs.
    qint64 ProximaReconexion() const;
    // A receive machine waits for a reply against its time-out (Timer2 steps it).
    bool EsperaRespuesta() const;

    // Connection state text of an Ethernet row ("" for other rows).
    std::string EstadoEnchufe(int fila) const;
    // What is sent to the row goes out now: its socket is connected, or for a serial or radio row
    // the serial port is open.
    bool FilaConectada(int fila) const;
    // The receive machine of the link that serves a row (the serial line for S and A rows).
    TRecepcion &RecepcionDeFila(int fila);
    // Bytes received on the link of a row and not yet processed; they are taken from the link.
    QByteArray TomaRecibido(int fila);
    // Row of terminal numero on the link of a receive machine (0 none).
    int FilaDeEnlace(const TEnlaceRecepcion *enlace, unsigned numero) const;

private:
    class TEnlaceSerie;
    class TEnlaceEnchufe;
    struct TConexion;

    // Socket event handlers, bound to every Ethernet connection.
    void EnchufeConnect(QTcpSocket *s);
    void EnchufeError(QTcpSocket *s, int codigo);
    void EnchufeRead(QTcpSocket *s);
    void EnchufeDisconnect(QTcpSocket *s);

    void traza(const std::string &texto);
    bool cuentaReconexion(int fila) const; // an Ethernet row's reconnection countdown runs
    void vaciaTablas(int entradas);
    void destruyeEnchufes();
    void abreEnchufe(int fila);
    void activa(int fila);
    int filaDe(QTcpSocket *s) const;
    int filaSerie(unsigned numero) const;
    int filaDeCabecera() const;
    void reiniciaConexion(int fila);
    void enviaSerie(const char *datos, int n);
    void vigilaSerie();
    void cierraSerie();
    int leeSerie();

    std::unique_ptr<TEnlaceSerie> enlaceSerie_;
    std::unique_ptr<TRecepcion> maquinaSerie_;
    std::vector<std::unique_ptr<TConexion>> conexiones_;
    qint64 ultimoSegundo_ = -1;
    // Bytes waiting on the serial port: told through DatosRecibidos, then quiet until they are read.
    QPointer<QSocketNotifier> avisoSerie_;
    bool uartRegistrada_ = false;
    bool procesando_ = false;
    std::vector<char> lectura_; // one serial read
};
