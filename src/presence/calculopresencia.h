#pragma once
// Presence of one employee and day, in whole minutes: the schedule's bands, the clocked pairs
// distributed over them by hour-type Modo, the day's incidences, the balances and the clocking
// lines of the listing. No widgets: the presence run gathers grids, clockings and files into
// these inputs.
#include "common/presencia.h"
#include "platform/paleta.h"
#include "platform/stringgrid.h"
#include "presence/incidencias.h"

#include <QColor>
#include <QDate>
#include <array>
#include <string>
#include <vector>

// An hour type as the computation reads it (hour-type grid row t + 1 = index t).
struct TTipoHoraPres {
    std::string Nombre;
    double Precio = 0;
    int Modo = 1;
    unsigned Color = 0; // Windows colour value (red in the low byte)
};

// A schedule row of the schedules grid.
struct TFilaHorario {
    int Codigo = 0;
    std::string Nombre;
    std::string Bandas;
};

// Master data of a run, read once from the grids.
struct TMaestrosPresencia {
    std::vector<TTipoHoraPres> Tipos;
    std::vector<TFilaHorario> Horarios;
};
std::vector<TTipoHoraPres> TiposHoraDeRejilla(const StringGrid &sg3);
std::vector<TFilaHorario> HorariosDeRejilla(const StringGrid &sg1);

// Modo of an hour type; a type that the grid does not hold is "not counted" (1).
int ModoTipo(const std::vector<TTipoHoraPres> &tipos, int tipo);

struct TBandaHorario {
    int Minutos = 0;
    int Tipo = 0;
};
// A scheduled band: the time it asks for, with the courtesy margin of a type-0 band before it.
struct TTramoDia {
    int Inicio = 0;
    int Cortesia = 0;
    int Fin = 0;
};

// The schedule of a day, placed on the day.
struct THorarioDia {
    int Codigo = -1;
    std::string Nombre; // schedule name followed by a TAB, or "Sin Horario"
    std::vector<TBandaHorario> Limites;
    std::vector<TTramoDia> Tramos;
    int Teorico = 0;
    int ModoFinDia = 0;            // 2 when the last band ends at 24:00 after starting later than 00:00
    bool EmpiezaPresencia = false; // the first band is of hour type 1
    // Scheduled band of a column; past the last one the all-zero closing entry.
    TTramoDia Tramo(size_t i) const { return i < Tramos.size() ? Tramos[i] : TTramoDia{}; }
};
// The last schedules row with the code gives name and bands; none gives "Sin Horario".
THorarioDia PreparaHorario(int codigo, const TMaestrosPresencia &m);

// Counters of the clockings' incidence codes, index = code 1..255 (index 0 unused).
using TContadoresIncidencia = std::array<int, 256>;

// Where the day's clockings come from: the employee's clockings sorted by date and time, walked
// pair by pair (the control panel's grid and its pair reader in the program).
class TLectorPares {
public:
    virtual ~TLectorPares() = default;
    // Rows of the clockings grid (row 0 the titles).
    virtual int Filas() const = 0;
    // One pair of the day from the row; counts the incidence codes it passes.
    virtual TRegistroPresencia Lee(const QDate &dia, int fila, unsigned char modo,
                                   TContadoresIncidencia &contadores) = 0;
};

enum class TMarcaSalida { Ninguna, FaltaFichaje, Presente, Anticipada };

// A counted piece of a pair, for the day graph.
struct TPiezaPar {
    int Minutos = 0;
    int Tipo = 0;
};

struct TParDia {
    int HoraEntrada = 0, MinutoEntrada = 0, HoraSalida = 0, MinutoSalida = 0; // as read
    int Entrada = 0, Salida = 0; // minutes counted from, to (after margins)
    int Columna = 0;
    bool Tarde = false;
    TMarcaSalida Marca = TMarcaSalida::Ninguna;
    std::vector<TPiezaPar> Piezas;
};

// Per employee state of a run.
struct TEmpleadoPresencia {
    std::string Item; // the chosen item: number, a blank, the name
    int Numero = 0;
    int MinimoExtra = 0;
    int Fila = 1;  // first clockings row still to read
    int Saldo = 0; // running balance
    int TotalTeorico = 0;
    std::vector<int> TotalesPorTipo; // entry k = minutes of hour type k + 1
};

struct TOpcionesPresencia {
    int MinutosRedondeoExtras = 0;
    int MinutosExtraGratis = 0;
};

struct TResultadoDia {
    QDate Dia;
    int Codigo = 255;
    int Teorico = 0;
    int Trabajado = 0;
    int Antes = 0;   // early minutes put aside
    int Despues = 0; // late minutes put aside
    int SaldoDia = 0;
    int SaldoTotal = 0; // running balance after the day, as printed
    std::vector<int> MinutosPorTipo;
    TContadoresIncidencia ContadorIncidencias{};
    std::vector<TParDia> Pares;
    bool UltimoPresente = false;     // the day's last reader call left a pair open
    std::vector<std::string> Lineas; // finished clocking lines of the day
    std::string TextoIncidencia;
    QColor ColorTexto = ColorNormal;
    bool FaltaSalida = false; // a pair of a past day lacks its exit
    bool NoJustificado = false;
    bool JustificaEmpresa = false; // a company-charged record of the day applies
    std::string TextoInforme;      // the day's part of the run's incidence text

    // State after the pairs, so that the incidences can be applied again.
    int TrabajadoPares = 0;
    std::vector<int> MinutosPares;
    std::string TextoPares;
    QColor ColorPares = ColorNormal;
    std::string TextoInformePares;
};

// "dd/mm/yyyy ddd\t": the beginning of a day's clocking line.
std::string CabeceraDiaListado(const QDate &d);
// Three-letter Spanish weekday name (Windows-1252).
std::string DiaSemanaListado(const QDate &d);

// Steps of one day: pairs (reader modes, margins, distribution over the bands) ...
TResultadoDia CalculaPares(const QDate &dia, const THorarioDia &h, const TMaestrosPresencia &m,
                           TEmpleadoPresencia &e, const TOpcionesPresencia &o, TLectorPares &lector);
// ... then the incidences of the day from the lines of the year's incidence file, the shortfall
// make-up, the balance and the unjustified shortfall (may be applied again after an edit) ...
void AplicaIncidencias(TResultadoDia &r, const std::vector<std::string> &incidencias,
                       const TEmpleadoPresencia &e);
// The same from the year's records indexed by day and employee.
void AplicaIncidencias(TResultadoDia &r, const TIndiceIncidencias &incidencias, const TEmpleadoPresencia &e);
// ... and the running balance, the rounding of a day with figures and the employee's totals.
void CierraDia(TResultadoDia &r, TEmpleadoPresencia &e, const TOpcionesPresencia &o);
// After the operator, stopped at an unjustified day, edited the incidences: a company-charged
// record justifies as one that was in the file before the run; without one (nothing added, or
// worker-charged only) the day stays unjustified and keeps its place in the incidence text.
void AplicaIncidenciasEditadas(TResultadoDia &r, const std::vector<std::string> &incidencias,
                               const TEmpleadoPresencia &e);
void AplicaIncidenciasEditadas(TResultadoDia &r, const TIndiceIncidencias &incidencias,
                               const TEmpleadoPresencia &e);

// The day figures: "\t\tHH:MM\tHH:MM\t+H:MM\t+H:MM" and the minutes per hour type.
std::string LineaCifrasDia(const TResultadoDia &r, size_t numTipos);
// Hours and minutes with a sign, as balances print ("+1:05", "-0:30").
std::string SaldoTexto(int minutos);
