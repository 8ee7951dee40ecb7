#pragma once
// Period totals of an employee and of a summary run, and the amounts that price the balance by
// hour type.
#include "platform/informe.h"
#include "presence/calculopresencia.h"

#include <string>
#include <vector>

// Totals of a run over all its employees.
struct TTotalesRun {
    std::vector<int> TotalesPorTipo;     // entry k = minutes of hour type k + 1
    std::vector<double> ImportesPorTipo; // entry k = amount of hour type k + 1
    int Teorico = 0;
    int Saldo = 0;
};

// "%5.2f" with a decimal point in any locale, and the value as read back from that text.
std::string TextoImporte(double valor);
double ImporteLeido(double valor);

// The employee's totals and amounts (adds the employee to the run's totals).
// incrementos: entry k = the employee's increment of hour type k + 1.
void EscribeTotalesEmpleado(TEscritorInforme &d, const TEmpleadoPresencia &e,
                            const std::vector<double> &incrementos, const std::vector<TTipoHoraPres> &tipos,
                            TTotalesRun &run);
// The run's totals after the last employee of a summary.
void EscribeTotalesResumen(TEscritorInforme &d, const std::vector<TTipoHoraPres> &tipos,
                           const TTotalesRun &run);
