#pragma once
// The presence run as the program runs it, without windows: each employee's clockings come from
// the clockings listing service over the period of the run and the terminals the control panel
// shows, and are read by the pair reader; the reports are written as rich text and handed to the
// report viewer. The windows' grids, the period and the panel's terminals come in as data; what
// only windows do (the incidence editor, opening a document) comes in as callbacks.
#include "platform/informe.h"
#include "presence/informepresencia.h"
#include "terminal/listadofichajes.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Pairs of a listing's grid, read with the pair reader in the columns the listing gave.
class TLectorRejilla : public TLectorPares {
public:
    TLectorRejilla(const StringGrid *grid, const TColumnasFichajes &columnas)
        : grid_(grid), columnas_(columnas) {}
    int Filas() const override;
    TRegistroPresencia Lee(const QDate &dia, int fila, unsigned char modo, TContadoresIncidencia &c) override;

private:
    const StringGrid *grid_;
    TColumnasFichajes columnas_;
};

// Where a run's clockings come from, as the control panel stands when the run starts.
struct TOrigenFichajes {
    std::vector<TTerminalListado> Terminales; // those a presence listing of the panel reads
    TColumnasFichajes Columnas;               // of the panel's last listing
};

// What only the windows do for a run.
struct TVentanasPresencia {
    // Stopped at an unjustified day: the incidence editor on that day and employee (the search
    // text), shown modally.
    std::function<void(const std::string &empleado, const QDate &dia)> EditaIncidencias;
    // Incidences mode: the incidence text file shown as a document.
    std::function<void(const std::string &ruta)> AbreDocumento;
};

// One presence run. Its state: the day files read, the listing of the employee being computed and
// the reports being written. Without an origin (no control panel) no clockings are listed.
class TEjecucionPresencia : public TServiciosPresencia {
public:
    TEjecucionPresencia(TEntradaPresencia entrada, std::optional<TOrigenFichajes> origen,
                        TVentanasPresencia ventanas);

    // The whole run (EjecutaPresencia over this run's services); returns the incidence text.
    std::string Ejecuta();

    TLectorPares &ListaFichajes(const std::string &busca) override;
    void EditaIncidencias(const QDate &dia) override;
    TEscritorInforme *NuevoDocumento(const std::string &titulo, const std::string &archivo) override;
    void TerminaDocumento(TEscritorInforme *d, bool mostrar) override;
    void AbreDocumento(const std::string &ruta) override;

    std::string Busca;          // the search text of the employee being computed
    StringGrid Fichajes{10, 2}; // the employee's listed clockings
    TResultadoListado Listado;  // ... and where their fields lie

private:
    TEntradaPresencia entrada_;
    std::optional<TOrigenFichajes> origen_;
    TVentanasPresencia ventanas_;
    std::unique_ptr<TLectorRejilla> lector_;
    TParcialesLeidos leidos_; // the day files, read once for all the run's listings
    std::vector<std::unique_ptr<TInformeRTF>> documentos_;
};
