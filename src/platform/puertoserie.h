#pragma once
// Serial port over termios: raw bytes, 8 data bits, no parity, 2 stop bits, non-blocking reads
// (polled from timer handlers), DTR as the RS-485 transmit enable and the UART's line status.
#include <string>

class TPuertoSerie {
public:
    TPuertoSerie() = default;
    ~TPuertoSerie();
    TPuertoSerie(const TPuertoSerie &) = delete;
    TPuertoSerie &operator=(const TPuertoSerie &) = delete;

    // Opens the port exclusively and configures it. nombre: a device path, or "COMn", which
    // names /dev/ttyS<n-1>. xonxoff turns on output XON/XOFF (17/19). False on failure (Error()).
    bool Abre(const std::string &nombre, int velocidad, bool xonxoff);
    void Cierra();
    bool Abierto() const { return fd_ >= 0; }
    // The open port's file descriptor, to watch for received bytes (-1 when closed).
    int Descriptor() const { return fd_; }
    // The last failure, in Spanish (Windows-1252).
    const std::string &Error() const { return error_; }

    // Reads what has arrived, at most max bytes, without waiting; 0 when nothing (or closed).
    int Lee(char *buf, int max);
    // Writes every byte, waiting at most limiteMs in all for room. False when closed or failed.
    bool Escribe(const char *datos, int n, int limiteMs = 2000);
    // Bytes not yet sent from the output queue (0 when closed).
    int ColaSalida() const;
    // DTR raised (true) or dropped.
    void Dtr(bool activo);
    // The UART's line-status register: 0x40 transmitter empty, 0x20 holding register empty. A
    // device without the register (a pseudo-terminal) reports empty once its output queue is.
    unsigned char EstadoLinea() const;
    // Discards received bytes not yet read and output not yet sent.
    void Purga();

    // Device path of a configured port name.
    static std::string RutaDispositivo(const std::string &nombre);

private:
    int fd_ = -1;
    std::string error_;
};
