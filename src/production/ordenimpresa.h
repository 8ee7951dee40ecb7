#pragma once
// The work-order print: the shop-floor sheet of a block of the by-order grid, one Code 39 bar
// code per task (a run "\t\t*code*\t\t" in the bar-code font) with its quantity and task, and
// optionally the code that closes the whole order, in a document window.
#include "platform/informe.h"
#include "platform/stringgrid.h"

#include <string>

struct TPeticionOrdenImpresa {
    const StringGrid *Tareas = nullptr; // columns 0 code, 1 folder, 2 part, 3 quantity, 4 task
    int Primera = 0;                    // the row just above the block (PrimeraFilaObra)
    int Ultima = 0;                     // the row just below it (UltimaFilaObra)
    std::string Entrada;                // the block's order: file name, TAB, date
    std::string Descripcion, Cliente;   // the order's ST1 and ST2 texts
    bool ConCierre = false;             // OrdenConCierre: end with the order's closing code
};

// The block's order read from its file (the order of the block's first row): its entry and
// texts. False with a Spanish message when the block is empty or its order cannot be read.
bool PeticionDeBloque(const StringGrid &tareas, int primera, int ultima, bool conCierre,
                      const std::string &directorio, TPeticionOrdenImpresa &p, std::string &error);

// Writes the sheet into inf (a presence-kind document titled with the entry). Rows outside the
// grid are never read.
void EscribeOrdenImpresa(const TPeticionOrdenImpresa &p, TInformeRTF &inf);
// Writes the sheet and shows it.
void ImprimeOrdenExecute(const TPeticionOrdenImpresa &p);
