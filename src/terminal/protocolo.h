#pragma once
// The terminal protocol's receive state machine: clocking announcements and fetches, uploaded
// user lists, list requests and the reply to a denied list. Every link (the serial line, each
// TCP connection) has its own machine, so the bytes of two links never mix and every answer goes
// back on the link that the bytes came from.
#include <cstdio>
#include <functional>
#include <string>

class StringGrid;

namespace Control {
constexpr char SOH = 0x01, STX = 0x02, EOT = 0x04, ENQ = 0x05, ACK = 0x06, BEL = 0x07, NAK = 0x08, CR = 0x0D;
}

// Terminal number of a bare reply byte (ACK, NAK), which carries no address; and of a header
// whose two characters are not hexadecimal, which no terminal carries.
constexpr unsigned SinDireccion = 0xFFFFFFFFu, NumeroIlegible = 0x100;

// What a machine needs of its link.
class TEnlaceRecepcion {
public:
    virtual ~TEnlaceRecepcion() = default;
    // Bytes to terminal numero (SinDireccion: a reply byte to whoever is talking).
    virtual void Envia(unsigned numero, const char *datos, int n) = 0;
    // Radio address prefix ahead of a command to terminal numero (nothing outside radio mode).
    virtual void EnviaDireccionRadio(unsigned numero) = 0;
    // Discards what the link has received and not yet processed.
    virtual void Purga() = 0;
};

// The states of a receive machine: what the next byte is taken as.
enum class TEstadoRecepcion {
    Reposo = 0,             // idle: SOH, STX or BEL starts a frame
    ListaOfrecida = 1,      // after SOH: "B" starts a list upload
    RegistrosLista = 2,     // hexadecimal pairs of the uploaded records, EOT ends the list
    Anuncio = 3,            // after BEL: the announcing terminal's number
    Fichaje = 4,            // the characters of the fetched clocking, up to EOT
    SumaFichaje = 5,        // the clocking's checksum
    RespuestaDenegados = 6, // the one reply byte to a denied list
    NumeroPeticion = 7,     // after STX: the number of the terminal asking for a list
    CodigoPeticion = 8,     // the user code of the list asked for, up to CR
};

// The panel's side, shared by every machine: its callbacks, and the panel state shared with the
// list sender and the waits of other operations.
struct TEntornoRecepcion {
    TEntornoRecepcion() = default;
    ~TEntornoRecepcion(); // closes a list still waiting for the list sender
    TEntornoRecepcion(const TEntornoRecepcion &) = delete;
    TEntornoRecepcion &operator=(const TEntornoRecepcion &) = delete;

    std::function<void(const std::string &)> Traza;         // console text (OEM bytes)
    std::function<bool(char *)> Guarda;                     // clocking writer; GuardaFichaje when empty
    std::function<void(const std::string &)> ListaRecibida; // name of a list being uploaded
    StringGrid *SG1 = nullptr;                              // users grid of the lists page
    std::function<void(bool)> RespuestaDenegados;           // reply to a denied list (true = ACK)

    int ModoSondeo = 0;     // 1: Timer1 runs the list sender instead of the machines
    int CuentaSegundos = 0; // coarse countdown, one step per 100 Timer2 ticks
    int SubcuentaSegundos = 100;
    int CuentaEspera = 0;                       // countdown in Timer1 ticks
    int ReintentosRestantes = 0;                // tries of the list sender
    std::FILE *ArchivoListaRam = nullptr;       // list asked for by a terminal, handed to the list sender
    int RegistrosLista = 0;                     // records of the list received or being sent
    int RegistrosEnviados = 0;                  // records handed over by the list sender
    TEnlaceRecepcion *EnlaceListaRam = nullptr; // link of the terminal that asked for the list
    char CabeceraListaRam[4] = {Control::ENQ, '6', '4', 0}; // its command header
};

class TRecepcion {
public:
    static constexpr int MaxFichaje = 128;
    static constexpr int LongitudRegistro = 103;
    static constexpr int MinimoFichaje = 61; // shorter clockings are answered with NAK
    static constexpr int MaxTraza = 2047;
    static constexpr int TamRegistroLista = 512;
    static constexpr int MaxCodigo = 16;

    TRecepcion(TEnlaceRecepcion &enlace, TEntornoRecepcion &entorno);
    ~TRecepcion();
    TRecepcion(const TRecepcion &) = delete;
    TRecepcion &operator=(const TRecepcion &) = delete;

    // Runs the machine over the bytes of one read. Returns how many were taken: fewer than n
    // when a list request handed the link over to the list sender (the rest is the sender's).
    int Procesa(const char *datos, int n);
    // One Timer2 tick of the reply time-out.
    void TickRespuesta();
    // The console asked terminal numero for a clocking: Fichaje, counters cleared.
    void EsperaFichaje(unsigned numero);
    // A denied list was sent to terminal numero: its one-byte reply is awaited.
    void EsperaRespuestaDenegados(unsigned numero);
    // Back to idle with nothing half received; an upload in course is abandoned (its file removed).
    void Reinicia();
    TEnlaceRecepcion &Enlace() { return enlace_; }

    TEstadoRecepcion EstadoRecepcion = TEstadoRecepcion::Reposo;
    char ParHex[2] = {0, 0};
    int LongitudParHex = 0;
    char FichajeRecibido[MaxFichaje + 1] = {};
    int LongitudFichaje = 0;
    unsigned char XorFichaje = 0;
    bool MascaraCodigo = false;
    bool SinSumaControl = false;
    char PeticionFichaje[5] = {Control::ENQ, '6', '4', 'm', Control::CR};
    char CabeceraRecepcion[4] = {Control::ENQ, '6', '4', 0}; // terminal this machine talks to
    unsigned TerminalRecepcion = 0x64;
    unsigned char RegistroLista[TamRegistroLista] = {};
    int PosicionRegistro = 0;
    unsigned char SumaControl = 0;
    std::FILE *ArchivoListaRecibida = nullptr; // the temporary file of the list being uploaded
    std::string RutaListaRecibida;             // the list's name, given when the list is complete
    std::string CodigoPedido;
    std::string TextoTraza;
    // Reply time-out in Timer2 ticks, while records, a reply or the rest of a clocking are awaited.
    int CuentaRespuesta = 0;
    int Reintentos = 0; // tries left of the upload

private:
    // One byte in the current state; one step function per state.
    void paso(char c);
    void pasoReposo(char c);
    void pasoListaOfrecida(char c);
    void pasoRegistrosLista(char c);
    void pasoAnuncio(char c);
    void pasoFichaje(char c);
    void pasoSumaFichaje(char c);
    void pasoRespuestaDenegados(char c);
    void pasoNumeroPeticion(char c);
    void pasoCodigoPeticion(char c);
    void estado(TEstadoRecepcion e);
    // NAK, back to Reposo with the clocking dropped.
    void rechazaFichaje();
    void traza(char c);
    void vuelcaTraza();
    void mensaje(const std::string &texto);
    bool juntaPar(char c);
    void envia(const char *datos, int n) { enlace_.Envia(TerminalRecepcion, datos, n); }
    void enviaByte(char c) { enlace_.Envia(SinDireccion, &c, 1); }
    // Fichaje with the clocking buffer cleared.
    void esperaFichajeVacio();
    void pideFichaje();
    void iniciaLista();
    // Temporary file of a new list: the first free name of base.min, base_2.min, ... (one that
    // neither exists nor is being uploaded) goes to nombre.
    std::FILE *creaListaNueva(const std::string &base, std::string &nombre);
    void finRegistro();
    // NAK and a retry of the record, or the end of the upload when no try is left (porTiempo: the
    // reply time-out ran out; the link is purged before a retry and the end goes without NAK).
    void otraVezRegistro(bool porTiempo);
    void terminaLista(); // complete: synced and renamed to its name
    void cierraLista();  // abandoned: the temporary file is removed
    void guardaFichaje();
    void atiendePeticion();
    // The reply to a denied list (or its time-out), then the announcement that came meanwhile.
    void respuestaDenegados(bool ack);
    void purga();

    TEnlaceRecepcion &enlace_;
    TEntornoRecepcion &entorno_;
    std::string codigo_;
    std::string temporalLista_;
    bool purgado_ = false;
    bool registroMalo_ = false; // a pair of the record was not hexadecimal
    int anuncioEnEspera_ = 0;   // while a denied-list reply is awaited: 1 number coming, 2 complete
    char anuncio_[2] = {};
};
