#pragma once
// The presence run: for every chosen employee, every day of the period is computed and written
// as the listings "Detallado", "Simple" or "Resumen", with the employee's and the run's totals,
// the optional day graph and the run's incidence text (written to the working directory and
// opened by the one name NombreInformeIncidencias). A function of its inputs: the windows'
// grids come in as data, clockings, documents and the incidence editor through
// TServiciosPresencia.
#include "masterdata/horarios.h"
#include "platform/informe.h"
#include "presence/calculopresencia.h"
#include "presence/peticionpresencia.h"
#include "presence/totalespresencia.h"

#include <string>
#include <vector>

class TServiciosPresencia {
public:
    virtual ~TServiciosPresencia() = default;
    // Lists the employee's clockings of the period (the search text is the item up to and
    // including its first blank) and returns their reader.
    virtual TLectorPares &ListaFichajes(const std::string &busca) = 0;
    // Stops for the operator at an unjustified day: the incidence editor on that day.
    virtual void EditaIncidencias(const QDate &dia) = 0;
    // A new document window's report: caption and the file "Guardar" writes.
    virtual TEscritorInforme *NuevoDocumento(const std::string &titulo, const std::string &archivo) = 0;
    // The report is done: shown in its window, or dropped (incidences mode).
    virtual void TerminaDocumento(TEscritorInforme *d, bool mostrar) = 0;
    // Incidences mode: the incidence text file shown as a document.
    virtual void AbreDocumento(const std::string &ruta) = 0;
};

struct TEntradaPresencia {
    PeticionPresencia Peticion;
    TMaestrosPresencia Maestros;
    TOpcionesPresencia Opciones;
    const StringGrid *Empleados = nullptr;       // the employees grid (row 0 titles)
    const StringGrid *TiposIncidencia = nullptr; // the incidence-types grid (row 0 titles)
};

// Calendar code and price increments of an employee from the employees grid (the last row
// with the number wins); false when no row has it.
bool DatosEmpleado(const StringGrid &empleados, int numero, int &calendario,
                   std::vector<double> &incrementos);
// Minimum overtime from the employee's personnel card (line 19); 0 and 1 give 0.
int MinimoExtraEmpleado(int numero);

// The whole run; returns the incidence text as written (TABs made blanks).
std::string EjecutaPresencia(const TEntradaPresencia &entrada, TServiciosPresencia &s);
