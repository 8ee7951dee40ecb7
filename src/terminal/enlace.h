#pragma once
// Terminal links: the terminal tables built from the terminals grid, the shared RS-485 serial
// line, one TCP connection per Ethernet terminal and the radio network on the serial port.
// EnviaATerminal sends to a terminal by its connection; ProcesaRecepcion feeds every link's
// received bytes to that link's receive machine.
#include "platform/puertoserie.h"
#include "terminal/protocolo.h"

#include <QByteArray>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QTcpSocket;
class StringGrid;

// Tables, one entry per terminal row r = 1..NumTerminales of the terminals grid (row r is item
// r - 1 of the panel's terminal list); entry 0 holds no terminal. They always have at least
// MinEntradas entries and every row of the grid has its own.
constexpr int MinEntradas = 257;
constexpr uint32_t TerminalNoValido = 0xFFFFFFFFu; // number of a refused row: never addressed
extern std::vector<char> TablaTipoConexion;        // S serial, E Ethernet, A radio; '-' refused
extern std::vector<char> TablaModoTerminal;        // E, S, B, A, P or T
extern std::vector<uint32_t> TablaNumTerminal;
extern std::vector<uint32_t> TablaDireccionRadio;
extern std::vector<QTcpSocket *> TablaEnchufes;
extern std::vector<uint32_t> TablaReconexion;    // seconds to the next connection attempt
extern std::vector<uint32_t> TablaEstadoEnchufe; // connection attempts left, 0 = given up
struct TDestinoEnchufe {
    std::string Ip, Host;
    int Puerto = 0;
};
extern std::vector<TDestinoEnchufe> TablaDestinos; // where each Ethernet row connects
extern std::vector<std::string> TextosTerminales;  // item texts of the terminal list
extern int NumTerminales;
extern int UltimaFilaRadio; // list position of the last radio row (-1 none)
extern char CabeceraComando[4];
extern unsigned TerminalActual;
extern char TipoConexionActual;
extern int FilaActual; // row selected by the operator (0 none)
extern unsigned char TramaRadio[5];
extern TPuertoSerie PuertoSerie;

// Panel hooks: the connection state of a terminal changed; bytes arrived on a socket or on the
// serial port.
namespace AvisosEnlace {
extern std::function<void()> CambioEstado;
extern std::function<void()> DatosRecibidos;
} // namespace AvisosEnlace

// Rebuilds the tables, the TCP connections and the item texts from a grid shaped like the
// terminals grid (6 columns, row 0 titles). Returns one message per refused row.
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
int FilaDeTerminal(unsigned numero);
// Sends to the terminal named in CabeceraComando (the selected row when it carries that number).
void EnviaATerminal(const char *datos, int n);
// Sends on the link of a row; nothing for a row with no usable link.
void EnviaAFila(int fila, const char *datos, int n);
// Radio address prefix of the terminal named in CabeceraComando (radio mode, radio rows only).
void EnviaDireccionRadio();
void EnviaDireccionRadioFila(int fila);

// Socket event handlers, bound to every Ethernet connection.
void EnchufeConnect(QTcpSocket *s);
void EnchufeError(QTcpSocket *s, int codigo);
void EnchufeRead(QTcpSocket *s);
void EnchufeDisconnect(QTcpSocket *s);

// Timer1: reconnection countdowns (one step a second); the receive machines.
void CuentaReconexiones();
void ProcesaRecepcion();
// Timer2: reply time-outs of the receive machines.
void TickRespuestas();
// Received bytes wait on a link (in its queue, or on the serial port unread). Between bytes the
// links need no ticks: socket bytes and serial bytes are told through DatosRecibidos.
bool EnlacesConTrabajo();

// Connection state text of an Ethernet row ("" for other rows).
std::string EstadoEnchufe(int fila);
// The receive machine of the link that serves a row (the serial line for S and A rows).
TRecepcion &RecepcionDeFila(int fila);
// Bytes received on the link of a row and not yet processed; they are taken from the link.
QByteArray TomaRecibido(int fila);
// Row of terminal numero on the link of a receive machine (0 none).
int FilaDeEnlace(const TEnlaceRecepcion *enlace, unsigned numero);
