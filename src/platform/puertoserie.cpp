#include "platform/puertoserie.h"

#include "platform/codepage.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <strings.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <QElapsedTimer>

namespace {
// Spanish text (Windows-1252) of a system error of the port.
std::string textoError(int e) {
    switch (e) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return "el puerto no existe";
    case EACCES:
    case EPERM:
        return "sin permiso de acceso al puerto";
    case EBUSY:
        return Ansi("el puerto está ocupado");
    case ENOTTY:
        return "no es un puerto serie";
    default:
        return "error del sistema " + std::to_string(e);
    }
}
} // namespace

TPuertoSerie::~TPuertoSerie() {
    Cierra();
}

std::string TPuertoSerie::RutaDispositivo(const std::string &nombre) {
    if (nombre.size() > 3 && strncasecmp(nombre.c_str(), "COM", 3) == 0) {
        int n = 0;
        size_t i = 3;
        for (; i < nombre.size() && nombre[i] >= '0' && nombre[i] <= '9' && n < 1000; ++i)
            n = n * 10 + (nombre[i] - '0');
        if (i == nombre.size() && n >= 1)
            return "/dev/ttyS" + std::to_string(n - 1);
    }
    return nombre;
}

bool TPuertoSerie::Abre(const std::string &nombre, int velocidad, bool xonxoff) {
    Cierra();
    error_.clear();
    const std::string ruta = RutaDispositivo(nombre);
    int fd = ::open(ruta.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error_ = textoError(errno);
        return false;
    }
    termios t;
    if (::tcgetattr(fd, &t) != 0) {
        error_ = textoError(errno);
        ::close(fd);
        return false;
    }
    // Settings built from nothing: raw binary bytes, no line discipline.
    std::memset(&t, 0, sizeof t);
    t.c_cflag = CS8 | CSTOPB | CREAD | CLOCAL;
    t.c_iflag = IGNBRK;
    if (xonxoff)
        t.c_iflag |= IXON;
    t.c_cc[VSTART] = 17;
    t.c_cc[VSTOP] = 19;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    if (::cfsetspeed(&t, static_cast<speed_t>(velocidad)) != 0) {
        error_ = "velocidad no admitida";
        ::close(fd);
        return false;
    }
    if (::tcsetattr(fd, TCSANOW, &t) != 0) {
        error_ = textoError(errno);
        ::close(fd);
        return false;
    }
    ::ioctl(fd, TIOCEXCL);
    // Opening raises DTR and RTS; both stay down (DTR is the RS-485 transmit enable).
    int lineas = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd, TIOCMBIC, &lineas);
    ::tcflush(fd, TCIOFLUSH);
    fd_ = fd;
    return true;
}

void TPuertoSerie::Cierra() {
    if (fd_ >= 0) {
        ::ioctl(fd_, TIOCNXCL);
        ::close(fd_);
        fd_ = -1;
    }
}

int TPuertoSerie::Lee(char *buf, int max) {
    if (fd_ < 0 || max <= 0)
        return 0;
    ssize_t n = ::read(fd_, buf, static_cast<size_t>(max));
    return n > 0 ? static_cast<int>(n) : 0;
}

bool TPuertoSerie::Escribe(const char *datos, int n, int limiteMs) {
    if (fd_ < 0)
        return false;
    QElapsedTimer reloj;
    reloj.start();
    int hecho = 0;
    while (hecho < n) {
        ssize_t w = ::write(fd_, datos + hecho, static_cast<size_t>(n - hecho));
        if (w > 0) {
            hecho += static_cast<int>(w);
            continue;
        }
        if (w < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            error_ = textoError(errno);
            return false;
        }
        const qint64 resta = limiteMs - reloj.elapsed();
        if (resta <= 0) {
            error_ = "tiempo de escritura agotado";
            return false;
        }
        pollfd p{fd_, POLLOUT, 0};
        ::poll(&p, 1, static_cast<int>(resta));
    }
    return true;
}

int TPuertoSerie::ColaSalida() const {
    int n = 0;
    if (fd_ < 0 || ::ioctl(fd_, TIOCOUTQ, &n) != 0)
        return 0;
    return n;
}

void TPuertoSerie::Dtr(bool activo) {
    if (fd_ < 0)
        return;
    int bits = TIOCM_DTR;
    ::ioctl(fd_, activo ? TIOCMBIS : TIOCMBIC, &bits); // a pseudo-terminal has no modem lines
}

unsigned char TPuertoSerie::EstadoLinea() const {
    if (fd_ < 0)
        return 0x60;
    unsigned int lsr = 0;
    if (::ioctl(fd_, TIOCSERGETLSR, &lsr) == 0)
        return (lsr & TIOCSER_TEMT) ? 0x60 : 0x00;
    return ColaSalida() == 0 ? 0x60 : 0x00;
}

void TPuertoSerie::Purga() {
    if (fd_ >= 0)
        ::tcflush(fd_, TCIOFLUSH);
}
