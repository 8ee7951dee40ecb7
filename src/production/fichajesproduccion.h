#pragma once
// What the production listings read: the production clockings of a period through the clockings
// listing, each as an employee, a code and a time in whole minutes; the hourly cost of the
// employees; and the time and cost texts of the period grids.
#include "platform/archivoini.h"
#include "platform/stringgrid.h"
#include "terminal/listadofichajes.h"

#include <QDate>
#include <QDateTime>
#include <map>
#include <string>
#include <vector>

// One production clocking as listed.
struct TFichajeProduccion {
    std::string Empleado; // the name field
    std::string Codigo;   // the production field: 8 blanks for a plain clocking
    std::string Texto;    // "dd/mm/yyyy hh:mm" as the fields are stored
    QDate Dia;
    long long Minuto = 0; // whole minutes since a fixed origin

    bool Sencillo() const; // no code: a plain entry or exit
    int Valor() const;     // the code's integer value
    bool Cierre() const;   // a code whose task number is 0 (the order's closing code)
    int NumeroOrden() const { return Valor() / 10000; }
};

// Whole minutes of a date and time, on the scale of TFichajeProduccion::Minuto.
long long MinutoDe(const QDateTime &t);

// The production clockings of a period at some terminals (the manual ones always), for one
// employee (busca, with its alias partner) or everybody (busca empty): sorted by employee, then
// by time. Rows without a valid date and time are left out.
struct TPeticionProduccion {
    QDate Desde, Hasta;
    std::vector<TTerminalListado> Terminales;
    std::string Busca;
};
std::vector<TFichajeProduccion> ListaProduccion(const TPeticionProduccion &p);
// The clockings of a listing grid, in its order.
std::vector<TFichajeProduccion> FichajesDeListado(const StringGrid &g, const TColumnasFichajes &c);

// The hourly cost of the employees: the history of the first row of the employees grid with each
// number, read through the employees' own cost routine.
class TCostesEmpleados {
public:
    explicit TCostesEmpleados(const StringGrid *empleados);
    double CosteHora(int numero, const QDate &dia) const;

private:
    std::map<int, std::string> historial_;
};

// Time display of the period grids, [Config] "FTPro": "Minutos" or hours and minutes.
bool HorasYMinutos(const TIniFile *ini);
bool FijaHorasYMinutos(TIniFile *ini, bool horas);

// A period's time in the grids ("%3d:%02d" or "%6d") and in the totals ("%5d:%02d" or "%8d").
std::string TextoTiempo(int minutos, bool horas);
std::string TextoTiempoTotal(int minutos, bool horas);
// A period's cost ("%8.2f €") and a total cost ("%10.2f €").
std::string TextoCoste(double coste);
std::string TextoCosteTotal(double coste);
// A time cell read back: "h:mm" as hours and minutes, any other text as minutes, empty as 0.
int MinutosDeTexto(const std::string &texto);

// One clocked period: its minutes and its cost (to the cent, as printed), with their texts.
struct TTramo {
    int Minutos = 0;
    double Coste = 0;
    std::string Tiempo, TextoCoste;
};
// The period from desde to hasta (a "now" before the start counts as no time).
TTramo Tramo(long long desde, long long hasta, double costeHora, bool horas);

// The time and cost of rows (primera, ultima) of a period grid, both excluded.
struct TSumaBloque {
    int Minutos = 0;
    double Coste = 0;
};
TSumaBloque SumaBloque(const StringGrid &g, int primera, int ultima);

// Rows 1 on of a period grid replaced by filas (one empty row when there are none).
void EscribeFilas(StringGrid &g, const std::vector<std::vector<std::string>> &filas);
