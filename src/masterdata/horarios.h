#pragma once
// Working time: hour types ("horarios.def"), daily schedules made of bands ("horarios.dat"),
// calendars ("calendarios.dat") and the yearly day maps of every calendar.
#include "platform/stringgrid.h"

#include <QColor>
#include <QDate>
#include <array>
#include <string>
#include <vector>

constexpr int LineasTipoHora = 4;
constexpr int LineasJornada = 3;
constexpr int LineasCalendario = 3;
constexpr int MinutosDia = 1440;
constexpr unsigned char SinJornada = 255;
constexpr int MaxCodigoJornada = 254; // day maps hold one byte per day, 255 meaning none

// Defaults used in memory when the files are missing.
std::vector<std::string> TiposHoraPorDefecto();
std::vector<std::string> JornadasPorDefecto();

// Hour types: row 0 the titles, row i + 1 the hour type of index i (name, Precio, Modo, Color).
// Loads from lines (the defaults when the file is missing); returns the names in index order.
std::vector<std::string> LlenaTiposHora(StringGrid &sg3, const std::vector<std::string> &lineas);
std::vector<std::string> CargaTiposHora(StringGrid &sg3, const std::string &ruta);
std::vector<std::string> LineasTiposHora(const StringGrid &sg3);
std::vector<std::string> NombresTiposHora(const StringGrid &sg3);
// Writes every price with a decimal point; returns the first row whose price is neither empty nor
// a number not below zero, -1 when all are.
int NormalizaPrecios(StringGrid &sg3);

// Schedules: rows from 0, no title row; code, name, band string.
void LlenaJornadas(StringGrid &sg1, const std::vector<std::string> &lineas);
void CargaJornadas(StringGrid &sg1, const std::string &ruta);
std::vector<std::string> LineasJornadas(const StringGrid &sg1);
// A schedule code as the day maps store it: a whole number from 0 to 254.
bool CodigoJornadaValido(const std::string &texto, int &codigo);
// First row whose code is not valid, -1 when all are.
int PrimeraJornadaInvalida(const StringGrid &sg1);
// Deletes a schedule row (never the only one) and returns the row to select afterwards.
int BorraJornada(StringGrid &sg1, int fila);

// One band of a schedule: minutes and hour-type index.
struct TTramoJornada {
    int Minutos = 0;
    int Tipo = 0;
};
// The bands of a band string (" 480 1 60 2"); parsing stops at the first malformed band: not two
// numbers, or minutes outside 0..1440.
std::vector<TTramoJornada> LeeTramos(const std::string &bandas);
// First schedule row whose band string holds a band with minutes outside 0..1440; -1 when none does.
int PrimeraJornadaFueraDeRango(const StringGrid &sg1);
// The band string with one band appended.
std::string AnadeTramo(const std::string &bandas, int minutos, int tipo);
// The band string without its last band.
std::string QuitaUltimoTramo(const std::string &bandas);

// A band placed on the day.
struct TramoDia {
    int Inicio = 0; // minutes from 00:00
    int Fin = 0;    // Inicio + minutes (1440 = midnight)
    int Minutos = 0;
    int Tipo = 0;
    bool Error = false; // hour type not in the list
    std::string Etiqueta;
};
// The day as the schedules window shows it.
struct LineaTiempo {
    std::vector<TramoDia> Tramos;
    int MinutosLibres = MinutosDia;
    int Siguiente = 0; // where the next band would start (0 when the day is full or empty)
    bool HayError = false;
};
// Places the bands of a band string on the day; nombres are the hour-type names in index order.
LineaTiempo CalculaLineaTiempo(const std::string &bandas, const std::vector<std::string> &nombres);
std::string HoraMinutos(int minutos); // "hh:mm"

// Windows colour value (red in the low byte) <-> QColor.
QColor ColorWindows(int valor);
int ValorWindows(const QColor &color);

// Calendars, three lines each: Codigo, Anio, Nombre.
struct TCalendario {
    std::string Codigo;
    std::string Anio;
    std::string Nombre;
};
std::vector<TCalendario> CalendariosDeLineas(const std::vector<std::string> &lineas);
std::vector<TCalendario> LeeCalendarios(const std::string &ruta);
bool GuardaCalendarios(const std::string &ruta, const std::vector<TCalendario> &calendarios);
// Combo items "Codigo Nombre", one per run of consecutive records of the same code.
std::vector<std::string> ItemsCalendarios(const std::vector<std::string> &lineas);

// The day map of one calendar in one year: byte i is the schedule of day i of the year.
using TDiasCalendario = std::array<unsigned char, 366>;
TDiasCalendario DiasVacios();
// "H%4d.%03d" from the year and the calendar code.
std::string NombreDiasCalendario(int anio, int codigo);
// Day of the year counted from 0 (1 January).
int IndiceDia(const QDate &fecha);
// Reads a day map; missing bytes (short or missing file) read as 255. False when the file is missing.
bool LeeDiasCalendario(const std::string &ruta, TDiasCalendario &dias);
bool GuardaDiasCalendario(const std::string &ruta, const TDiasCalendario &dias);
