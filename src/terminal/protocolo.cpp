#include "terminal/protocolo.h"

#include "common/configuracion.h"
#include "common/registromin.h"
#include "platform/codepage.h"
#include "platform/numeros.h"
#include "platform/reloj.h"
#include "platform/rutas.h"
#include "platform/stringgrid.h"
#include "terminal/guardafichaje.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Value of a hexadecimal pair; -1 when a character is not a digit.
int valorPar(const char *par) {
    int a = ValorHex(par[0]), b = ValorHex(par[1]);
    return a < 0 || b < 0 ? -1 : a * 16 + b;
}

// The head of a raw record: CR LF, then terminal, day, month, hour and minute in digits with
// their separators (the fields that name the day file and date the line).
bool cabeceraDeRegistro(const char *r) {
    if (r[0] != '\r' || r[1] != '\n' || r[12] != '/' || r[15] != '/' || r[23] != ':')
        return false;
    for (int i : {2, 3, 4, 10, 11, 13, 14, 21, 22, 24, 25})
        if (r[i] < '0' || r[i] > '9')
            return false;
    return true;
}

bool todoDigitos(const std::string &t) {
    if (t.empty())
        return false;
    for (char c : t)
        if (c < '0' || c > '9')
            return false;
    return true;
}

} // namespace

TEntornoRecepcion::~TEntornoRecepcion() {
    if (ArchivoListaRam)
        std::fclose(ArchivoListaRam);
}

TRecepcion::TRecepcion(TEnlaceRecepcion &enlace, TEntornoRecepcion &entorno)
    : enlace_(enlace), entorno_(entorno) {}

TRecepcion::~TRecepcion() {
    cierraLista();
    if (entorno_.EnlaceListaRam == &enlace_)
        entorno_.EnlaceListaRam = nullptr;
}

void TRecepcion::Reinicia() {
    cierraLista();
    estado(TEstadoRecepcion::Reposo);
    LongitudFichaje = 0;
    LongitudParHex = 0;
}

void TRecepcion::estado(TEstadoRecepcion e) {
    using E = TEstadoRecepcion;
    EstadoRecepcion = e;
    if (e != E::RegistrosLista && e != E::RespuestaDenegados && e != E::Fichaje && e != E::SumaFichaje)
        CuentaRespuesta = 0;
}

void TRecepcion::traza(char c) {
    TextoTraza.push_back(c);
    if (static_cast<int>(TextoTraza.size()) >= MaxTraza)
        vuelcaTraza();
}

void TRecepcion::vuelcaTraza() {
    if (TextoTraza.empty())
        return;
    if (entorno_.Traza)
        entorno_.Traza(TextoTraza);
    TextoTraza.clear();
}

void TRecepcion::mensaje(const std::string &texto) {
    vuelcaTraza();
    if (entorno_.Traza)
        entorno_.Traza(texto);
}

bool TRecepcion::juntaPar(char c) {
    ParHex[LongitudParHex++] = c;
    if (LongitudParHex < 2)
        return false;
    LongitudParHex = 0;
    return true;
}

void TRecepcion::purga() {
    enlace_.Purga();
    purgado_ = true;
}

int TRecepcion::Procesa(const char *datos, int n) {
    purgado_ = false;
    int i = 0;
    while (i < n) {
        paso(datos[i++]);
        if (purgado_) {
            i = n; // the rest of the read was part of the refused record
            break;
        }
        if (entorno_.ModoSondeo == 1 && entorno_.EnlaceListaRam == &enlace_)
            break; // the list sender takes the link's next bytes
    }
    vuelcaTraza();
    return i;
}

void TRecepcion::paso(char c) {
    using E = TEstadoRecepcion;
    switch (EstadoRecepcion) {
    case E::Reposo:
        return pasoReposo(c);
    case E::ListaOfrecida:
        return pasoListaOfrecida(c);
    case E::RegistrosLista:
        return pasoRegistrosLista(c);
    case E::Anuncio:
        return pasoAnuncio(c);
    case E::Fichaje:
        return pasoFichaje(c);
    case E::SumaFichaje:
        return pasoSumaFichaje(c);
    case E::RespuestaDenegados:
        return pasoRespuestaDenegados(c);
    case E::NumeroPeticion:
        return pasoNumeroPeticion(c);
    case E::CodigoPeticion:
        return pasoCodigoPeticion(c);
    }
    estado(E::Reposo);
}

void TRecepcion::pasoReposo(char c) {
    traza(c);
    if (c == Control::SOH) {
        estado(TEstadoRecepcion::ListaOfrecida);
    } else if (c == Control::STX || c == Control::BEL) {
        estado(c == Control::STX ? TEstadoRecepcion::NumeroPeticion : TEstadoRecepcion::Anuncio);
        LongitudParHex = 0;
    }
}

void TRecepcion::pasoListaOfrecida(char c) {
    if (c == 'B')
        iniciaLista();
    else
        estado(TEstadoRecepcion::Reposo);
}

void TRecepcion::pasoRegistrosLista(char c) {
    CuentaRespuesta = Configuracion().TiempoRespuesta;
    if (PosicionRegistro == 0 && LongitudParHex == 0 && c == Control::EOT) {
        terminaLista();
        estado(TEstadoRecepcion::Reposo);
        return;
    }
    if (!juntaPar(c))
        return;
    const int v = valorPar(ParHex);
    const unsigned char b = static_cast<unsigned char>(v < 0 ? 0 : v);
    SumaControl ^= b;
    if (v < 0)
        registroMalo_ = true;
    if (PosicionRegistro < TamRegistroLista)
        RegistroLista[PosicionRegistro++] = b;
    else
        finRegistro();
}

void TRecepcion::pasoAnuncio(char c) {
    traza(c);
    if (!juntaPar(c))
        return;
    CabeceraRecepcion[1] = PeticionFichaje[1] = ParHex[0];
    CabeceraRecepcion[2] = PeticionFichaje[2] = ParHex[1];
    const int v = valorPar(ParHex);
    TerminalRecepcion = v < 0 ? NumeroIlegible : static_cast<unsigned>(v);
    pideFichaje();
}

void TRecepcion::pasoFichaje(char c) {
    if (LongitudFichaje == 0 && (c == Control::SOH || c == Control::STX)) {
        // Nothing of a clocking came: the terminal was drained and now starts a new frame.
        estado(TEstadoRecepcion::Reposo);
        return paso(c);
    }
    if (c == Control::BEL && LongitudFichaje > 60) {
        c = Control::EOT;
        SinSumaControl = true;
    } else if (c == Control::BEL) {
        if (LongitudFichaje == 0)
            traza(c);
        estado(TEstadoRecepcion::Anuncio);
        LongitudParHex = 0;
        return;
    }
    XorFichaje ^= static_cast<unsigned char>(c);
    CuentaRespuesta = Configuracion().TiempoRespuesta; // a clocking begun must go on
    if (c == Control::EOT) {
        estado(TEstadoRecepcion::SumaFichaje);
        LongitudParHex = 0;
        return;
    }
    if (LongitudFichaje >= MaxFichaje)
        return rechazaFichaje();
    if (MascaraCodigo) {
        if (c >= '0' && c <= '9')
            c = '*';
        else
            MascaraCodigo = false;
    }
    if (static_cast<unsigned char>(c) == 0xAA) {
        c = ' ';
        MascaraCodigo = true;
    }
    traza(c);
    FichajeRecibido[LongitudFichaje++] = c;
    if (LongitudFichaje == 3 && static_cast<unsigned char>(c) > '9') {
        estado(TEstadoRecepcion::Reposo);
        LongitudFichaje = 0;
    }
}

void TRecepcion::pasoSumaFichaje(char c) {
    CuentaRespuesta = Configuracion().TiempoRespuesta;
    if (!juntaPar(c))
        return;
    const int v = valorPar(ParHex);
    // Without a checksum only the record's own shape tells a clocking from line noise.
    const bool bueno = SinSumaControl ? cabeceraDeRegistro(FichajeRecibido) : v == XorFichaje;
    if (!bueno || LongitudFichaje < MinimoFichaje)
        rechazaFichaje();
    else
        guardaFichaje();
}

void TRecepcion::pasoRespuestaDenegados(char c) {
    // An announcement of a clocking is no reply: it is served once the reply is in.
    if (anuncioEnEspera_ == 1) {
        if (juntaPar(c)) {
            std::copy(ParHex, ParHex + 2, anuncio_);
            anuncioEnEspera_ = 2;
        }
    } else if (c == Control::BEL && anuncioEnEspera_ == 0) {
        anuncioEnEspera_ = 1;
        LongitudParHex = 0;
    } else {
        respuestaDenegados(c == Control::ACK);
    }
}

void TRecepcion::respuestaDenegados(bool ack) {
    mensaje(ack ? "Lista enviada correctamente.\r\n" : "Error de comunicacion: lista no enviada.\r\n");
    estado(TEstadoRecepcion::Reposo);
    const bool anuncio = anuncioEnEspera_ == 2;
    anuncioEnEspera_ = 0;
    LongitudParHex = 0;
    if (entorno_.RespuestaDenegados)
        entorno_.RespuestaDenegados(ack);
    if (anuncio) {
        for (char c : {Control::BEL, anuncio_[0], anuncio_[1]})
            paso(c);
        vuelcaTraza();
    }
}

void TRecepcion::pasoNumeroPeticion(char c) {
    if (!juntaPar(c))
        return;
    estado(TEstadoRecepcion::CodigoPeticion);
    codigo_.clear();
    CabeceraRecepcion[1] = ParHex[0];
    CabeceraRecepcion[2] = ParHex[1];
    const int v = valorPar(ParHex);
    TerminalRecepcion = v < 0 ? NumeroIlegible : static_cast<unsigned>(v);
}

void TRecepcion::pasoCodigoPeticion(char c) {
    if (c != Control::CR && static_cast<int>(codigo_.size()) < MaxCodigo)
        codigo_.push_back(c);
    else
        atiendePeticion();
}

void TRecepcion::rechazaFichaje() {
    enviaByte(Control::NAK);
    estado(TEstadoRecepcion::Reposo);
    LongitudFichaje = 0;
}

void TRecepcion::esperaFichajeVacio() {
    estado(TEstadoRecepcion::Fichaje);
    CuentaRespuesta = 0; // a terminal with nothing to send may stay silent
    LongitudFichaje = 0;
    SinSumaControl = false;
    XorFichaje = 0;
    MascaraCodigo = false;
    std::memset(FichajeRecibido, 0, sizeof FichajeRecibido);
}

void TRecepcion::pideFichaje() {
    enlace_.EnviaDireccionRadio(TerminalRecepcion);
    esperaFichajeVacio();
    envia(PeticionFichaje, 5);
}

void TRecepcion::EsperaFichaje(unsigned numero) {
    const std::string h = Formato("%02X", numero & 0xFF);
    CabeceraRecepcion[1] = PeticionFichaje[1] = h[0];
    CabeceraRecepcion[2] = PeticionFichaje[2] = h[1];
    TerminalRecepcion = numero;
    cierraLista();
    esperaFichajeVacio();
}

void TRecepcion::EsperaRespuestaDenegados(unsigned numero) {
    const std::string h = Formato("%02X", numero & 0xFF);
    CabeceraRecepcion[1] = h[0];
    CabeceraRecepcion[2] = h[1];
    TerminalRecepcion = numero;
    cierraLista();
    estado(TEstadoRecepcion::RespuestaDenegados);
    anuncioEnEspera_ = 0;
    CuentaRespuesta = Configuracion().TiempoRespuesta > 0 ? Configuracion().TiempoRespuesta : 1;
}

void TRecepcion::guardaFichaje() {
    // Year correction: a year two or more back, or a later one, becomes the current year.
    const int anio = LeeEntero(std::string(FichajeRecibido + 16, 4));
    const int actual = Hoy().year();
    if (static_cast<unsigned short>(actual - anio) > 1) {
        const std::string a = Formato("%04d", actual);
        std::memcpy(FichajeRecibido + 16, a.data(), 4);
    }
    // A clocking shorter than a record is completed with blanks, never with older bytes.
    for (int i = LongitudFichaje; i < LongitudRegistro; ++i)
        FichajeRecibido[i] = ' ';
    FichajeRecibido[LongitudFichaje > LongitudRegistro ? LongitudFichaje : LongitudRegistro] = 0;
    std::string copia(FichajeRecibido, LongitudRegistro);

    std::string aviso;
    const bool guardado =
        entorno_.Guarda ? entorno_.Guarda(FichajeRecibido) : GuardaFichaje(FichajeRecibido, &aviso);
    if (guardado) {
        if (!aviso.empty())
            mensaje(CharToOem(aviso) + "\r\n");
        enviaByte(Control::ACK);
        pideFichaje();
    } else {
        mensaje("ERROR de acceso a disco al escribir el fichaje:" + copia + "\r\n");
        rechazaFichaje();
    }
}

void TRecepcion::iniciaLista() {
    const QDateTime t = Ahora();
    const std::string base = Formato("L%02d%02d%02d%02d%02d", t.date().day(), t.date().month(),
                                     t.date().year() % 100, t.time().hour(), t.time().minute());
    entorno_.RegistrosLista = 0;
    cierraLista();
    std::string nombre;
    ArchivoListaRecibida = creaListaNueva(base, nombre);
    if (entorno_.ListaRecibida)
        entorno_.ListaRecibida(nombre);
    mensaje("  Recibiendo lista\r\n");
    RutaListaRecibida = Configuracion().DirHuellas + nombre;
    if (!ArchivoListaRecibida) {
        mensaje(CharToOem("ERROR: no se puede crear la lista " + RutaListaRecibida) + "\r\n");
        estado(TEstadoRecepcion::Reposo);
        return;
    }
    estado(TEstadoRecepcion::RegistrosLista);
    CuentaRespuesta = Configuracion().TiempoRespuesta;
    Reintentos = Configuracion().NumReintentos;
    enviaByte(Control::ACK);
    SumaControl = 0;
    registroMalo_ = false;
    PosicionRegistro = 0;
    LongitudParHex = 0;
}

std::FILE *TRecepcion::creaListaNueva(const std::string &base, std::string &nombre) {
    for (int n = 1; n <= 999; ++n) {
        nombre = base + (n == 1 ? std::string() : "_" + std::to_string(n)) + ".min";
        if (QFileInfo::exists(RutaQ(Configuracion().DirHuellas + nombre)))
            continue;
        temporalLista_ = Configuracion().DirHuellas + nombre + ".part";
        const int fd = ::open(QFile::encodeName(RutaQ(temporalLista_)).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (std::FILE *f = ::fdopen(fd, "wb"))
                return f;
            ::close(fd);
            QFile::remove(RutaQ(temporalLista_));
            break;
        }
        if (errno != EEXIST)
            break; // not a name in use: the list cannot be created there
    }
    temporalLista_.clear();
    nombre = base + ".min";
    return nullptr;
}

void TRecepcion::terminaLista() {
    if (!ArchivoListaRecibida)
        return;
    std::FILE *f = ArchivoListaRecibida;
    ArchivoListaRecibida = nullptr;
    const bool escrito = std::fflush(f) == 0 && ::fdatasync(::fileno(f)) == 0;
    if (std::fclose(f) == 0 && escrito && QFile::rename(RutaQ(temporalLista_), RutaQ(RutaListaRecibida))) {
        temporalLista_.clear();
        return;
    }
    mensaje(CharToOem("ERROR: no se puede escribir la lista " + RutaListaRecibida) + "\r\n");
    cierraLista();
}

void TRecepcion::cierraLista() {
    if (ArchivoListaRecibida) {
        std::fclose(ArchivoListaRecibida);
        ArchivoListaRecibida = nullptr;
    }
    if (!temporalLista_.empty()) {
        QFile::remove(RutaQ(temporalLista_));
        temporalLista_.clear();
    }
}

void TRecepcion::finRegistro() {
    if (SumaControl != 0 || registroMalo_) {
        purga();
        otraVezRegistro(false);
        return;
    }
    Reintentos = Configuracion().NumReintentos;
    TRegistroMin registro;
    std::copy(RegistroLista, RegistroLista + TRegistroMin::Tamano, registro.Bytes.begin());
    registro.TextoDeOem();
    if (std::fwrite(registro.Bytes.data(), 1, TRegistroMin::Tamano, ArchivoListaRecibida) !=
            static_cast<size_t>(TRegistroMin::Tamano) ||
        std::fflush(ArchivoListaRecibida) != 0) {
        mensaje(CharToOem("ERROR: no se puede escribir la lista " + RutaListaRecibida) + "\r\n");
        enviaByte(Control::NAK);
        cierraLista();
        estado(TEstadoRecepcion::Reposo);
        return;
    }
    ++entorno_.RegistrosLista;
    enviaByte(Control::ACK);
    if (StringGrid *g = entorno_.SG1) {
        const int fila = entorno_.RegistrosLista;
        g->SetRowCount(fila + 1);
        g->Cells[0][fila] = std::to_string(fila);
        g->Cells[1][fila] = registro.Codigo();
        g->Cells[2][fila] = registro.Nombre();
        g->Cells[3][fila] = registro.TextoMinucias();
        g->SetRow(fila);
    }
    PosicionRegistro = 0;
}

void TRecepcion::otraVezRegistro(bool porTiempo) {
    if (--Reintentos > 0) {
        if (porTiempo)
            enlace_.Purga();
        enviaByte(Control::NAK);
        SumaControl = 0;
        registroMalo_ = false;
        PosicionRegistro = 0;
        LongitudParHex = 0;
        return;
    }
    if (!porTiempo) // a bad record is refused; a silence that used up the last try is not answered
        enviaByte(Control::NAK);
    estado(TEstadoRecepcion::Reposo);
    cierraLista();
    mensaje("ERROR DE COMUNICACION\r\n");
}

void TRecepcion::TickRespuesta() {
    if (CuentaRespuesta == 0 || --CuentaRespuesta != 0)
        return;
    if (EstadoRecepcion == TEstadoRecepcion::RegistrosLista) {
        otraVezRegistro(true);
    } else if (EstadoRecepcion == TEstadoRecepcion::RespuestaDenegados) {
        respuestaDenegados(false);
    } else if (EstadoRecepcion == TEstadoRecepcion::Fichaje ||
               EstadoRecepcion == TEstadoRecepcion::SumaFichaje) {
        Reinicia(); // the clocking stopped part-way: dropped without a reply, as the line is quiet
    }
}

void TRecepcion::atiendePeticion() {
    CodigoPedido = "U" + codigo_ + ".min";
    estado(TEstadoRecepcion::Reposo);
    std::FILE *f = nullptr;
    if (todoDigitos(codigo_))
        f = std::fopen(RutaQ(Configuracion().DirHuellas + CodigoPedido).toLocal8Bit().constData(), "rb");
    if (!f) {
        static const char negativa[] = "D05 ACCESO DENEGADO\r";
        enlace_.EnviaDireccionRadio(TerminalRecepcion);
        std::string trama(CabeceraRecepcion, 3);
        trama += negativa;
        envia(trama.data(), static_cast<int>(trama.size()));
        return;
    }
    TEntornoRecepcion &e = entorno_;
    if (e.ArchivoListaRam)
        std::fclose(e.ArchivoListaRam);
    e.ArchivoListaRam = f;
    e.CuentaSegundos = 30;
    enlace_.EnviaDireccionRadio(TerminalRecepcion);
    char orden[5] = {CabeceraRecepcion[0], CabeceraRecepcion[1], CabeceraRecepcion[2], Control::SOH, 'R'};
    envia(orden, 5);
    mensaje("Enviando lista a RAM \r\n" + CodigoPedido + "\r\n");
    e.RegistrosLista = 0;
    e.RegistrosEnviados = 0;
    e.EnlaceListaRam = &enlace_;
    std::memcpy(e.CabeceraListaRam, CabeceraRecepcion, 4);
    e.ModoSondeo = 1;
    e.ReintentosRestantes = 1;
}
