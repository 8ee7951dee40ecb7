#pragma once
// The presence state of one employee and the 30-slot presence tables, stored in "presentes".
#include <cstdint>
#include <string>

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
// False when the file cannot be read (the table is left untouched).
bool LeePresentes(const std::string &ruta, TRegistroPresencia *tabla);
