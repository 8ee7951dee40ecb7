#pragma once
// The access listing: who passed which door and when over a period, one document per chosen
// employee ("Por persona": each day with the employee's incidence and clockings, and the terminal of
// each) or one per ticked terminal ("Por puerta": each day with the clockings there and the name of
// each employee). The clockings come from the clockings listing, asked for by the listing itself.
#include "platform/informe.h"

#include <QDate>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct TPeticionListadoAccesos {
    std::vector<std::string> Empleados; // the chosen items: number, a blank and the name
    bool PorPersona = true;             // otherwise "Por puerta"
    QDate Desde, Hasta;
    // The panel's terminal list: item texts ("%c%c %s %s") and tick marks. "Por puerta" lists each
    // ticked terminal whose address begins with a non-zero hexadecimal number; "Por persona" reads
    // the ticked terminals.
    std::vector<std::pair<std::string, bool>> Terminales;
};

// The documents, in order: their captions are their titles, and a document of "Por persona" has its
// file name in the presence output directory. None when nothing was chosen.
std::vector<std::unique_ptr<TInformeRTF>> InformesAccesos(const TPeticionListadoAccesos &p);
