#pragma once
// Firmware upload to a terminal's loader: the loadable sections of a 32-bit big-endian ELF file,
// sent one by one (a 9-byte header, the data and their XOR), each acknowledged by the loader.
#include <QByteArray>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TEnlaces;

struct TSeccionFirmware {
    uint32_t Desplazamiento = 0; // file offset (p_offset)
    uint32_t Direccion = 0;      // load address (p_paddr)
    std::string Datos;           // p_filesz bytes
};

// The sections to upload, from the program header table at offset 52: at most 4 entries, the
// first two always, a later one whose load address lacks any of the bits 0x83000000 ends the table.
class TProgramaFirmware {
public:
    static constexpr int TamBuffer = 262144; // largest section
    static constexpr int MaxEntradas = 4;
    static constexpr uint32_t BitsCarga = 0x83000000u;

    // Reads and checks the whole table and every section; false (error()) when the file cannot be
    // opened, is not a 32-bit big-endian ELF, or has a table or a section out of bounds.
    bool Lee(const std::string &ruta);
    const std::string &error() const { return error_; }
    // False when the file could not be opened at all.
    bool Abierto() const { return abierto_; }
    std::vector<TSeccionFirmware> Secciones;

private:
    bool falla(const std::string &texto);
    std::string error_;
    bool abierto_ = false;
};

// 0x00, the load address and the byte count, both least significant byte first.
std::string CabeceraSeccion(const TSeccionFirmware &s);
// The data followed by the XOR of all of them.
std::string DatosSeccion(const TSeccionFirmware &s);

// What the upload needs of the link to the selected terminal.
class TEnlaceCargador {
public:
    virtual ~TEnlaceCargador() = default;
    virtual void Envia(const char *datos, int n) = 0;
    // The radio address prefix ahead of each send (nothing outside radio mode).
    virtual void EnviaDireccionRadio() = 0;
    // Takes what the terminal has sent and has not been taken yet.
    virtual QByteArray Recibe() = 0;
};

// The link of a row of the terminal tables, read directly (the receive machines must not run).
class TCargadorEnFila : public TEnlaceCargador {
public:
    TCargadorEnFila(TEnlaces &enlaces, int fila) : enlaces_(enlaces), fila_(fila) {}
    void Envia(const char *datos, int n) override;
    void EnviaDireccionRadio() override;
    QByteArray Recibe() override;

private:
    TEnlaces &enlaces_;
    int fila_;
};

// The upload, stepped by the 10 ms timer. Each section waits for one reply byte while
// CuentaSegundos (the panel's coarse countdown) runs down from the given time-out; after a reply one tick
// passes, then ACK moves to the next section and any other byte sends the same one again (at most MaxReenvios
// times). The end sends 0x08 after the last section, 0x00 after a failure.
class TSubidaFirmware {
public:
    static constexpr char ACK = 0x06, FinCorrecto = 0x08, FinError = 0x00;
    static constexpr int MaxReenvios = 10;

    TSubidaFirmware(TEnlaceCargador &enlace, int &cuentaSegundos,
                    std::function<void(const std::string &)> traza);
    // The first section goes out at once; the table's lines go to the console as each section
    // starts. A program without sections ends at once.
    void Arranca(std::vector<TSeccionFirmware> secciones, int segundosEspera);
    // One tick; false once the upload has ended.
    bool Tick();
    bool Activa() const { return estado_ != Estado::Fin; }
    bool Correcta() const { return correcta_; }

private:
    enum class Estado { Espera, Pausa, Fin };
    void enviaSeccion();
    void termina(char final, const std::string &error);

    TEnlaceCargador &enlace_;
    int &CuentaSegundos;
    std::function<void(const std::string &)> traza_;
    std::vector<TSeccionFirmware> secciones_;
    size_t actual_ = 0;
    int reenvios_ = 0;
    int segundos_ = 0;
    char respuesta_ = 0;
    Estado estado_ = Estado::Fin;
    bool correcta_ = false;
};
