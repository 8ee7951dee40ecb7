#pragma once
// The clockings listing as a service: a request (period, source, kind, employee, terminals,
// annulled lines) fills a grid with one row per clocking and gives back where each field went
// (TColumnasFichajes), the line format and the files read. The control panel's "Listar" shows it
// in SGFichajes; every other reader of clockings asks for a listing of its own. Also the alias
// pairs and the annul toggle of a listed clocking.
#include "platform/stringgrid.h"
#include "terminal/fichaje.h"
#include "terminal/lectorparcial.h"

#include <QDate>
#include <string>
#include <vector>

enum { ListadoPresencia = 0, ListadoProduccion = 1, ListadoAccesos = 2 };

// One terminal of the panel's list: connection letter, mode letter, number, check mark.
struct TTerminalListado {
    char Conexion = 0;
    char Modo = 0;
    int Numero = 0;
    bool Marcado = false;
};
// A CLBTerminales item "%c%c %s %s"; the number is read as the link reads it (a radio
// terminal: the hexadecimal digits from the address's 7th character).
TTerminalListado TerminalDeItem(const std::string &item, bool marcado);

struct TPeticionListado {
    QDate Desde, Hasta;
    std::vector<TTerminalListado> Terminales;
    bool Historico = false; // "Histórico" (the history file) instead of "Parcial"
    int Tipo = ListadoPresencia;
    std::string Busca;       // the search field: an employee number, or empty
    bool Externa = false;    // another window reads: annulled lines left out, access days thinned
    bool Produccion = false; // the production editor's twin (BListarProdClick)
    std::vector<int> Anchos; // column widths remembered by the annul toggle (0: none)
    // A run's files, read once and shared by its listings; none: the disk each time.
    TParcialesLeidos *Leidos = nullptr;
};

struct TResultadoListado {
    TColumnasFichajes Columnas; // where each field went, and the line length
    std::string Formato;        // the line format read: the raw template for "Histórico"
    bool Historico = false;
    std::vector<std::string> Archivos;    // files read
    std::vector<unsigned char> Claves;    // scramble key of each file
    std::vector<int> ArchivoFila;         // file of each grid row (index into Archivos, -1 none)
    std::vector<std::string> Defectuosos; // files with an out-of-range date or time
};

// Fills grid with the clockings the request asks for. Column indices missing from the format
// keep their value in anteriores, except the seconds column, which is then 0.
TResultadoListado ListaFichajes(const TPeticionListado &p, StringGrid &grid,
                                const TColumnasFichajes &anteriores);

// The partner of an employee number in "alias.dat" of the data directory, 0 when none.
int BuscaAlias(int numero);

// Inverts the annulled mark of the line listed in row fila, in the file and at the offset it was
// read from, when its first byte still is as listed. False when nothing was written.
bool AlternaAnulado(const TResultadoListado &listado, const StringGrid &grid, int fila);
