#pragma once
// TRegistroMin: the 512-byte record of the ".min" user lists, as it lies in a file and as it
// travels to and from a terminal. Only the fields below are read or written, each at its byte
// offset; every other byte belongs to the terminal and is carried through unchanged.
#include <array>
#include <string>
#include <vector>

class TRegistroMin {
public:
    static constexpr int Tamano = 512;
    static constexpr int PosTexto = 4; // code and name, NUL-ended
    static constexpr int TamTexto = 128;
    static constexpr int PosMinucias = 132;  // minutiae count, signed byte
    static constexpr int PosPlantilla = 134; // 4 bytes per minutia, then filler up to FinPlantilla
    static constexpr int FinPlantilla = 392;
    static constexpr int MaxMinucias = 64; // the most that fit before FinPlantilla
    static constexpr int PosFranjas = 400; // four bands of four BCD bytes
    static constexpr int PosPorcentaje = 419;
    static constexpr int MaxDigitosCodigo = 16;
    static constexpr unsigned char Marca = 0xAC; // starts the hidden part of a name
    static constexpr int LongitudHex = 2 * Tamano + 2;
    static constexpr const char *FranjaLibreTexto = "00:00/23:59";

    enum class ModoAcceso { Siempre, Franjas, Nunca };

    std::array<unsigned char, Tamano> Bytes{};

    // The first 512 bytes of datos from pos (missing bytes are left 0).
    static TRegistroMin DeBytes(const std::string &datos, size_t pos = 0);
    std::string ABytes() const;

    // Text of the field up to its NUL, never past the field.
    std::string Texto() const;
    // Leading digits of the text, at most 16.
    std::string Codigo() const;
    // The text after the code and one separator byte.
    std::string Nombre() const;
    // Writes code, a blank and the name (cut to 127 bytes), the NUL, and 0xFF up to the field's end.
    void FijaTexto(const std::string &codigo, const std::string &nombre);

    // Minutiae count taken as 0 to 64.
    int Minucias() const;
    int Porcentaje() const { return Bytes[PosPorcentaje]; }
    // "23" or "23-87%" (percentage 255 = none).
    std::string TextoMinucias() const;

    // Band k (1 to 4) as "hh:mm/hh:mm"; a free band reads "00:00/23:59".
    std::string Franja(int k) const;
    // Sets band k from its text form; "00:00/23:59" is stored as a free band (FF FF FF FF).
    void FijaFranja(int k, const std::string &texto);
    bool FranjaLibre(int k) const;
    void LiberaFranja(int k);
    ModoAcceso Modo() const;
    // Siempre frees every band, Nunca writes band 1 as 00 00 00 00 and frees the rest;
    // Franjas changes nothing.
    void FijaModo(ModoAcceso modo);

    // Same user: equal bytes before the template (the count and the byte after it included) and
    // equal template, its length taken from this record.
    bool MismoUsuario(const TRegistroMin &otro) const;

    // Filler after the template set to 0xFF.
    void RellenaPlantilla();
    // Text converted in place, up to its NUL, between the Windows and the OEM code pages.
    void TextoAOem();
    void TextoDeOem();
    // Filler and OEM text: the record as a terminal must receive it.
    void PreparaEnvio();

    // The 512 bytes as "%02X" each, then their XOR as two more digits.
    std::string FormaHex() const;
    // Reads a record from its 1026-character hexadecimal form; false when a digit is not
    // hexadecimal, the text is short or the check byte does not match.
    static bool DeFormaHex(const std::string &hex, TRegistroMin &registro);
};

// Display of a name holding the marker: the marker becomes a blank and everything after it '*'.
std::string TextoEnmascarado(const std::string &texto);
// The marker and everything after it replaced by " (SUPERVISOR)", or by " (CÓDIGO)" when
// distingueCodigo and the character after the marker is '0'.
std::string TextoConRol(const std::string &texto, bool distingueCodigo);

// List files: whole records one after another. A partial last record is ignored.
bool LeeListaMin(const std::string &ruta, std::vector<TRegistroMin> &registros);
bool EscribeListaMin(const std::string &ruta, const std::vector<TRegistroMin> &registros);
bool AnadeRegistroMin(const std::string &ruta, const TRegistroMin &registro);
// The texts of a list with the marker masked (company list shown to login and trees); empty
// when the file is missing.
std::vector<std::string> TextosListaMin(const std::string &ruta);
