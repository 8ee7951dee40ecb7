#pragma once
// Incidence records: one incidence of one employee on one day, three text lines, kept in one
// file per year ("incidencias." + yyyy in the data directory), newest date first. Also the
// editor's add, delete and date-range rules, without widgets.
#include "platform/stringgrid.h"

#include <QColor>
#include <QDate>
#include <map>
#include <string>
#include <utility>
#include <vector>

// Lines of the incidence file being handled (the editor's list, also the listings' buffer).
extern std::vector<std::string> ListaIncidencias;
// Current incidence file name, without directory.
extern std::string ArchivoIncidencias;

constexpr int LineasPorIncidencia = 3;

struct TRegistroIncidencia {
    std::string Fecha;      // "dd/mm/yyyy HH:mm"
    std::string Empleado;   // leading integer = employee number
    std::string Incidencia; // code, " ", name, " *", charge

    std::string TextoFecha() const;  // first ten characters
    QDate Dia() const;               // date of the first ten characters; invalid when unreadable
    std::string TextoTiempo() const; // characters 12 to 16 ("HH:mm")
    int Minutos() const;             // time to justify; 0 = the whole day
    int NumeroEmpleado() const;
    int CodigoIncidencia() const;
    std::string Cargo() const; // text after the first '*'
    bool ATrabajador() const;  // charged to the worker
};

// Number of records of a list of lines (a short last record counts, its missing lines empty).
size_t NumIncidencias(const std::vector<std::string> &lista);
TRegistroIncidencia Incidencia(const std::vector<std::string> &lista, size_t n);

// The records of a list of lines by day and employee, indexed once: what a presence run looks up
// for every employee and day.
class TIndiceIncidencias {
public:
    explicit TIndiceIncidencias(const std::vector<std::string> &lista);
    // Records whose date line begins with the day as TextoDia() writes it and whose employee
    // line's number is numero, in the order of the list.
    const std::vector<TRegistroIncidencia> &Registros(const QDate &dia, int numero) const;

private:
    std::map<std::pair<int, qint64>, std::vector<TRegistroIncidencia>> registros_; // by number, day
};

std::string NombreArchivoIncidencias(int anio); // "incidencias.2011"
std::string RutaIncidencias(int anio);          // DirDatos + name
// Clears the list and loads the year's file; false when there is no file.
bool CargaIncidencias(int anio, std::vector<std::string> &lista);
// Replaces the year's file atomically; false when it could not be written.
bool GuardaIncidencias(int anio, const std::vector<std::string> &lista);

std::string TextoDia(const QDate &d); // "dd/mm/yyyy"
// Leading decimal integer after blanks: false when the text does not start with one.
bool NumeroInicial(const std::string &texto, int &valor);
// Text after the first '*' ("" when there is none), and whether it is exactly "Trabajador".
std::string CargoDe(const std::string &incidencia);
bool CargoTrabajador(const std::string &incidencia);
// Removes CR and LF from a typed text, so it stays one line of the record.
std::string UnaLinea(const std::string &texto);

// Index of the line where a record of day d goes: before the first record whose date is on or
// before d; the end of the list when none is.
size_t PuntoInsercion(const std::vector<std::string> &lista, const QDate &d);
void InsertaIncidencia(std::vector<std::string> &lista, const QDate &d, const std::string &hora,
                       const std::string &empleado, const std::string &incidencia);

// Incidence line left by an addition: "\t\tINCIDENCIA " + the item, and for a company-charged
// type the time it justifies.
std::string TextoIncidenciaAnadida(const std::string &incidencia, int minutos);

// Adding one employee's incidence to every day of a range.
struct PeticionIncidencia {
    QDate Desde;
    QDate Hasta;
    int Minutos = 0; // time to justify, 0 = whole day
    std::string Empleado;
    std::string Incidencia;
};
struct ResultadoIncidencia {
    bool Hecho = false;
    std::string Mensaje;            // for the operator; empty when nothing is to be said
    int Anio = 0;                   // year of the last file handled
    std::vector<std::string> Lista; // that file's lines after the addition
    std::string TextoIncidencia;    // the incidence line of the addition, as a report writes it
};
ResultadoIncidencia AnadeIncidencias(const PeticionIncidencia &p);

// Deletes the first record equal to the three cells; Hecho false when none matched or the
// file is missing (Mensaje set only when the file could not be written).
ResultadoIncidencia BorraIncidencia(const std::string &fecha, const std::string &empleado,
                                    const std::string &incidencia);

// Date pickers: after a change (an end before the start moves the start; at most 365 days) and
// when a calendar closes (a start after the end moves the end; at most 365 days).
void AjustaFechasCambio(QDate &desde, QDate &hasta);
void AjustaFechasCierre(QDate &desde, QDate &hasta);

// Grid of records: title row "Fecha", "Trabajador", "Incidencia", then one row per record.
void TitulosIncidencias(StringGrid &g);
void LlenaRejillaIncidencias(StringGrid &g, const std::vector<std::string> &lista);
// Records of the end date's year, then those of the start date's year when it differs.
std::vector<std::string> IncidenciasPeriodo(const QDate &desde, const QDate &hasta);
// Row drawn highlighted: its employee and code match the boxes (a box without a number matches all).
bool FilaResaltada(const StringGrid &g, int fila, const std::string &empleado, const std::string &incidencia);
