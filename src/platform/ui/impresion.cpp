#include "platform/ui/impresion.h"

#include <QPrinter>

QPrinter &Impresora() {
    static QPrinter *impresora = new QPrinter(QPrinter::HighResolution);
    return *impresora;
}
