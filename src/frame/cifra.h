#pragma once
// The users file "rondal.usr": records of three fields (name, password, level text), each field
// enciphered with the program's byte-stream cipher and escaped into one text line. The first
// record is the company record, enciphered with ClaveCifraDefecto; every other one with
// ClaveUsuarios (the company name followed by the default key).
#include <cstdint>
#include <string>
#include <vector>

// Default key of the company record.
inline constexpr const char *ClaveCifraDefecto = "4170395862241";
// An escaped field line of the file holds at most this many characters (other installations
// read it into an 80-byte buffer).
inline constexpr size_t MaxLineaCampo = 79;

struct TRegistroUsuario {
    std::string Usuario;
    std::string Clave;
    std::string Nivel;
};

// Fields of the record being handled (at login, the record that matched).
extern TRegistroUsuario UsuarioActual;

// Cipher state, one per record.
struct TEstadoCifra {
    unsigned char S[256];
    unsigned char Reserva;
    unsigned char K[257];
    int32_t i;
    int32_t j;
    unsigned char t;
};

void IniciaCifra(TEstadoCifra &e);
// Copies the key bytes into K up to its first zero byte or 256 bytes; the rest stays 0.
void PoneClaveCifra(TEstadoCifra &e, const std::string &clave);
void MezclaClaveCifra(TEstadoCifra &e);
unsigned char SiguienteByteCifra(TEstadoCifra &e);
unsigned char CifraByte(TEstadoCifra &e, unsigned char dato);
// A fresh state for one record: IniciaCifra, PoneClaveCifra, MezclaClaveCifra.
void PreparaCifra(TEstadoCifra &e, const std::string &clave);

// Escaping of the enciphered bytes 0x00, 0x0A, 0x0D and '\' into text, and back. A backslash
// at the very end of a line ends the field.
std::string EscapaCampo(const std::string &cifrado);
std::string DesescapaCampo(const std::string &linea);

// Enciphers one record (three fields, one running keystream) into its three lines.
std::vector<std::string> CifraRegistro(const std::string &clave, const TRegistroUsuario &r);
// Deciphers three lines into one record; a field ends at its first zero byte.
TRegistroUsuario DescifraRegistro(const std::string &clave, const std::string &l0, const std::string &l1,
                                  const std::string &l2);

// Result of reading the file's lines.
struct UsuariosDescifrados {
    std::vector<std::string> Lista; // three entries per whole record, the company record first
    std::string Empresa;            // "Telmoria" when the first field is empty
    std::string Clave;              // key of the user records
};
// Deciphers whole records only: an incomplete last record is ignored.
UsuariosDescifrados DescifraLineas(const std::vector<std::string> &lineas);

// Builds the file's lines: the company record's three stored lines kept as they are, then every
// user record of lista (entries 3, 4, 5 ...) enciphered with clave. False with a Spanish message
// in error when the stored company record is incomplete or a field is too long for the format.
bool CifraLineas(const std::vector<std::string> &lineasEmpresa, const std::vector<std::string> &lista,
                 const std::string &clave, std::vector<std::string> &lineas, std::string &error);

// Start-up: LineasUsuarios into ListaUsuarios, NombreEmpresa and ClaveUsuarios.
void DescifraUsuarios();
// Save: lista (company entries first) enciphered into LineasUsuarios and written to
// DirDatos + "rondal.usr" atomically. Nothing changes when it is refused; when only the write
// fails, the lists keep the new contents. False with a Spanish message in error.
bool GuardaUsuarios(const std::vector<std::string> &lista, std::string &error);
