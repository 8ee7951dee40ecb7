#pragma once
// The calendar editor without widgets: the month grid, the day map of the calendars-grid row being
// edited and the apply actions that write a schedule code into it.
#include "masterdata/horarios.h"
#include "platform/stringgrid.h"

#include <QDate>
#include <string>
#include <vector>

// FilaCalendario while no calendar row is loaded.
constexpr int SinCalendario = 1000;
constexpr int AnioMaximoCalendario = 9999;

// Year and code of a calendars-grid row (SG2: Código, Año, Nombre from row 1) as their leading
// integers; false when the year is outside 1..9999 or the code is negative.
bool AnioCodigoCalendario(const StringGrid &sg2, int fila, int &anio, int &codigo);
// Código of a calendar added for the year: the new row's index, or the next number above it
// when another row of that year already uses it.
std::string CodigoNuevoCalendario(const StringGrid &sg2, int anio);

// The month grid SGCal: row 0 the day titles, rows 1..6 the weeks from Monday to Sunday.
void TitulosMes(StringGrid &sgcal);
// Rows 1..6 get the day numbers of the month; with year 0 they are only cleared.
void RellenaMes(StringGrid &sgcal, int anio, int mes);
// Cell of a day of the month: column (Monday = 0) and row (from 1).
void CeldaDia(const QDate &fecha, int &col, int &fila);

// Names of the schedules (SG1 rows) whose code, read as a whole number (0 when it is not one),
// equals codigo.
std::vector<std::string> NombresJornada(const StringGrid &sg1, int codigo);

// The calendar being edited: the loaded row of the calendars grid, its day map and the shown date.
class TCalendarioEditado {
public:
    explicit TCalendarioEditado(const StringGrid &sg2) : sg2_(sg2) {}

    TDiasCalendario Dias = DiasVacios(); // DiasCalendarioEditado
    bool Modificado = false;             // CalendarioModificado
    int Fila = SinCalendario;            // FilaCalendario: the row whose map is loaded
    // The shown date; Anio is 0 while the loaded row has no valid year.
    int Anio = 0, Mes = 1, Dia = 1;

    // Loads the map of a row: its file when it exists (missing days read as 255), otherwise 255s
    // written to a new file at once. A row without a valid year loads an empty map and creates
    // nothing. False, with the reason, when the new file could not be written, or when the existing
    // one cannot be read (nothing is loaded then).
    bool Carga(int fila, std::string &error);
    // Follows an edit of the loaded row: the shown year becomes its current year (0 when invalid).
    void Refresca();
    // Writes "calendarios.dat" from the grid, then the map under the name the loaded row's current
    // year and code give. False, with the reason, when something was not written.
    bool Guarda(std::string &error) const;
    // Row fila of the grid was deleted: the loaded row is followed. True when it was the loaded one
    // (nothing is loaded then).
    bool FilaBorrada(int fila);

    // A map is loaded for a valid year, so the apply actions can write into it.
    bool Aplicable() const;
    QDate Fecha() const;
    // The apply actions (each sets Modificado): the shown day, that weekday in the shown month, that
    // weekday over the year (every 7th byte from the day's, below 366) and the whole month. False,
    // with nothing written, for a code outside 0..254, while no map can be applied to or while the
    // shown date is not a day.
    bool AplicaDia(int codigo);
    bool AplicaDiaDelMes(int codigo);
    bool AplicaDiaDelAnio(int codigo);
    bool AplicaMes(int codigo);

private:
    bool aplica(int codigo, int desde, int hasta, int paso);
    const StringGrid &sg2_;
};
