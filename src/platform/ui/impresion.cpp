#include "platform/ui/impresion.h"

#include <QPainter>
#include <QPrinter>

QPrinter &Impresora() {
    static QPrinter *impresora = new QPrinter(QPrinter::HighResolution);
    return *impresora;
}

namespace {

// A begin that failed can leave the print engine active, and an active printer refuses every later
// change (output file, printer name). A new engine, which QPrinter makes with the same settings,
// starts idle.
void liberaImpresora(QPrinter &impresora) {
    if (impresora.printerState() == QPrinter::Idle)
        return;
    if (impresora.outputFormat() == QPrinter::PdfFormat) {
        const QPrinter::PdfVersion version = impresora.pdfVersion();
        impresora.setPdfVersion(version == QPrinter::PdfVersion_1_4 ? QPrinter::PdfVersion_1_6
                                                                    : QPrinter::PdfVersion_1_4);
        impresora.setPdfVersion(version);
    } else {
        const QString nombre = impresora.printerName();
        impresora.setOutputFormat(QPrinter::PdfFormat);
        impresora.setPrinterName(nombre);
    }
}

} // namespace

TResultadoImpresion Imprime(QPrinter &impresora, const std::function<bool(QPainter &)> &pinta) {
    QPainter p;
    if (!p.begin(&impresora)) {
        liberaImpresora(impresora);
        return TResultadoImpresion::SinImpresora;
    }
    const bool pintado = pinta(p);
    const bool terminado = p.end();
    liberaImpresora(impresora);
    return pintado && terminado ? TResultadoImpresion::Hecha : TResultadoImpresion::Interrumpida;
}
