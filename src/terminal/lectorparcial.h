#pragma once
// The day-file line reader: how every reader of the clocking files (the listings, the annul
// toggle, the rebuild, the writer's duplicate check) cuts a file into its stored lines and reads
// one. Lines are pieces of the format's line length; a scrambled line (bit 7 of its second byte)
// is unscrambled with the file's key; bit 7 of the first byte is the annulled mark.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The whole file into bytes, keeping their room for the next file: a listing reads a file a day
// and terminal. False when it cannot be opened.
bool LeeParcial(const std::string &ruta, std::string &bytes);

// Where each employee's lines lie in a file read with one set of rules (line length, alignment,
// key, the employee field): the reading position before each line, by the number it carries.
// A listing of one employee reads only the lines at those positions.
struct TIndiceParcial {
    std::array<int, 6> Reglas{};
    std::unordered_map<int, std::vector<uint32_t>> Posiciones;
};

// The files one run reads, each read once and kept for the run's other listings (a missing file
// as missing). Lives only as long as the run: the panel's own listings read the disk each time.
class TParcialesLeidos {
public:
    // The bytes of the file at ruta, read on the first call; null when it cannot be opened.
    const std::string *Lee(const std::string &ruta);
    // The index of the file at ruta for reglas; nuevo: still to be made by the caller.
    TIndiceParcial &Indice(const std::string &ruta, const std::array<int, 6> &reglas, bool &nuevo);
    // Everything read so far is forgotten: the files may have been written since.
    void Olvida() {
        archivos_.clear();
        indices_.clear();
    }

private:
    std::unordered_map<std::string, std::optional<std::string>> archivos_;
    std::unordered_map<std::string, std::vector<TIndiceParcial>> indices_;
};

// One stored line as read: unscrambled when it carried the marker, the annulled mark still on.
struct TLineaParcial {
    size_t Offset = 0; // of the line in its file
    std::string Texto;
    bool Anulada = false;

    // A stored line's bytes read as a line (descifra false: never scrambled, the history file).
    static TLineaParcial Lee(std::string bytes, unsigned char clave, bool descifra = true);
    // The text without the annulled mark: the line as the rebuild compares it.
    std::string SinMarca() const;
};

// How a listing finds a line out of step.
enum class TAlineacion {
    Ninguna,
    CRLF, // the format does not begin with CR: a piece beginning with CR LF is the line two bytes on
    CR,   // the format begins with CR: a piece that does not is read again from its next CR
};

class TLectorParcial {
public:
    // bytes: the whole file (kept by the caller); clave: the file's scramble key.
    TLectorParcial(std::string_view bytes, unsigned char clave, bool descifra = true)
        : bytes_(bytes), clave_(clave), descifra_(descifra) {}

    // Forward from the start. The piece of longitud bytes at the reading position, read as a line;
    // false when fewer bytes remain.
    bool Mira(size_t longitud, TLineaParcial &l) const;
    void Avanza(size_t n) { pos_ += n; }
    size_t Posicion() const { return pos_; }
    bool Fin() const { return pos_ >= bytes_.size(); }

    // The next line of longitud bytes, realigned as a says; false at the end (a short last piece
    // ends the file). pasa, when given, sees a plain piece that is in step as stored, before it is
    // copied: false passes over it.
    bool Siguiente(size_t longitud, TAlineacion a, TLineaParcial &l,
                   const std::function<bool(std::string_view)> &pasa = {});

    // Backward: the lines as stored (scrambled, marked), pieces of longitud counted back from the
    // end of the file, so that lines of an older format before them do not shift them.
    std::vector<std::string_view> DesdeElFinal(size_t longitud) const;

private:
    std::string_view bytes_;
    unsigned char clave_;
    bool descifra_;
    size_t pos_ = 0;
};
