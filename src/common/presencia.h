#pragma once
// The presence state of one employee and the 30-slot presence tables, stored in "presentes".
#include <cstdint>
#include <string>
#include <vector>

class StringGrid;

struct TRegistroPresencia {
    uint16_t HoraEntrada = 100;
    uint16_t MinutoEntrada = 0;
    uint16_t HoraSalida = 100;
    uint16_t MinutoSalida = 0;
    uint8_t Presente = 0;
    int32_t SiguienteFila = 0;
};

constexpr int PlazasPresencia = 30;
constexpr int BytesRegistroPresencia = 16;
constexpr int BytesPresentes = PlazasPresencia * BytesRegistroPresencia; // 480

// Row 0 is the pair reader's scratch record; rows 1..30 belong to employee grid rows 1..30.
extern TRegistroPresencia TablaPresencia[PlazasPresencia + 1];
extern TRegistroPresencia TablaPresenciaLeida[PlazasPresencia + 1];
extern std::string RutaPresentes;

// Rows 1..30 as the 480 bytes of "presentes" (little-endian, reserved bytes zero), and back.
std::string BytesDeTabla(const TRegistroPresencia *tabla);
// Bytes missing from a short file read as zero; SiguienteFila is not read back.
void TablaDeBytes(const std::string &bytes, TRegistroPresencia *tabla);
bool GuardaPresentes(const std::string &ruta, const TRegistroPresencia *tabla);
// The same bytes written over a whole 480-byte file in place (one write within one disk block,
// no temporary file and no sync: the table can always be built again from the day files); a
// missing or other-sized file is written whole as GuardaPresentes does.
bool ActualizaPresentes(const std::string &ruta, const TRegistroPresencia *tabla);
// False when the file cannot be read (the table is left untouched).
bool LeePresentes(const std::string &ruta, TRegistroPresencia *tabla);

// One presence clocking of an employee: every employees-grid row 1..30 whose column 0 starts
// with that number has its Presente flag inverted and takes the time as its entry (now in) or
// exit (now out). Rows beyond the 30th are left out. True when a row changed.
bool AlternaPresencia(TRegistroPresencia *tabla, const StringGrid &empleados, int empleado, int hora,
                      int minuto);

// What one pop-up of the presence monitor shows.
enum class TEstadoPresencia { Entro, NoVino, Salio };
struct TAvisoPresencia {
    int Fila = 0;          // employees-grid row and table row
    std::string Foto;      // photo path when the file exists, else empty
    std::string Nombre;    // column 2
    std::string Apellidos; // column 1
    std::string Titulo;    // column 0: the employee's identifier
    TEstadoPresencia Estado = TEstadoPresencia::NoVino;
    std::string Texto;  // "Entró a las 8:05", "No ha venido", "Salió a las 17:30"
    std::string Sonido; // WAV to play, empty for none
};

// One refresh of the monitor without its windows: reads "presentes" (RutaPresentes) unless this
// is the master station, then, for employee rows 1..30 whose presence changed (every row when
// forzado), copies the row read into TablaPresencia and gives what its pop-up shows. Sounds only
// when not forzado. False when the file could not be read (nothing shown).
bool CambiosPresencia(const StringGrid &empleados, bool forzado, std::vector<TAvisoPresencia> &avisos);
