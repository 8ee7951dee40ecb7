#include "platform/ui/impresion.h"

#include "platform/codepage.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryFile>
#include <algorithm>

QPrinter &Impresora() {
    static QPrinter *impresora = new QPrinter(QPrinter::HighResolution);
    return *impresora;
}

namespace {

enum class TFallo { Ninguno, SinImpresora, Archivo, Pagina };

// Gives the printer a new engine, which QPrinter makes with the same settings. An engine keeps what
// went wrong in its print: after a begin that failed it stays active and refuses every change
// (output file, printer name); after a write that failed it writes nothing more, and a print to a
// printer cannot be read back to see it.
void renuevaImpresora(QPrinter &impresora) {
    if (impresora.outputFormat() == QPrinter::PdfFormat) {
        const QPrinter::PdfVersion version = impresora.pdfVersion();
        impresora.setPdfVersion(version == QPrinter::PdfVersion_1_4 ? QPrinter::PdfVersion_1_6
                                                                    : QPrinter::PdfVersion_1_4);
        impresora.setPdfVersion(version);
    } else {
        // through a PDF engine, which drops the duplex setting
        const QString nombre = impresora.printerName();
        const QPrinter::DuplexMode duplex = impresora.duplex();
        impresora.setOutputFormat(QPrinter::PdfFormat);
        impresora.setPrinterName(nombre);
        impresora.setDuplex(duplex);
    }
}

// A PDF written whole ends with the offset of its cross-reference table and "%%EOF", and the table
// is at that offset: a write that failed midway leaves neither.
bool pdfEntero(const QString &ruta) {
    QFile f(ruta);
    if (!QFileInfo(ruta).isFile() || !f.open(QIODevice::ReadOnly) ||
        !f.seek(std::max<qint64>(0, f.size() - 64)))
        return false;
    const QByteArray cola = f.readAll();
    const qsizetype marca = cola.lastIndexOf("startxref");
    const qsizetype fin = cola.lastIndexOf("%%EOF");
    if (marca < 0 || fin < marca || !cola.mid(fin + 5).trimmed().isEmpty())
        return false;
    bool numero = false;
    const qint64 tabla = cola.mid(marca + 9, fin - marca - 9).trimmed().toLongLong(&numero);
    return numero && f.seek(tabla) && f.read(4) == "xref";
}

// Copies origen to destino, every write checked.
bool copia(const QString &origen, const QString &destino) {
    QFile de(origen), a(destino);
    if (!de.open(QIODevice::ReadOnly) || !a.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    while (!de.atEnd()) {
        const QByteArray trozo = de.read(1 << 16);
        if (trozo.isEmpty() || a.write(trozo) != trozo.size())
            return false;
    }
    return true;
}

std::string mensaje(TFallo fallo, const QString &archivo) {
    switch (fallo) {
    case TFallo::SinImpresora:
        return Ansi("No se puede imprimir: la impresora no está disponible.");
    case TFallo::Archivo:
        return "No se puede imprimir: no se pudo escribir el archivo " + deQ(archivo) + ".";
    case TFallo::Pagina:
        return Ansi("No se puede imprimir: la impresora no acepta una página nueva.");
    case TFallo::Ninguno:
        break;
    }
    return {};
}

} // namespace

bool Imprime(QPrinter &impresora, const std::function<bool(QPainter &)> &pinta, std::string &error) {
    const QString destino = impresora.outputFileName();
    const QFileInfo info(destino);
    // A device cannot be read back: the print goes to a temporary file, copied to it when whole.
    const bool dispositivo = !destino.isEmpty() && info.exists() && !info.isFile() && !info.isDir();
    QTemporaryFile temporal;
    if (dispositivo) {
        if (!temporal.open()) {
            error = mensaje(TFallo::Archivo, destino);
            return false;
        }
        impresora.setOutputFileName(temporal.fileName());
    }
    const QString archivo = impresora.outputFileName();

    QPainter p;
    const bool empezada = p.begin(&impresora);
    const bool pintada = empezada && pinta(p);
    const bool terminada = empezada && p.end();
    TFallo fallo = TFallo::Ninguno;
    if (!empezada)
        fallo = TFallo::SinImpresora;
    else if (!archivo.isEmpty() && !pdfEntero(archivo))
        fallo = TFallo::Archivo;
    else if (!pintada || !terminada)
        fallo = TFallo::Pagina;
    else if (archivo != destino && !copia(archivo, destino))
        fallo = TFallo::Archivo;
    const QFileInfo escrito(archivo);
    if (empezada && fallo != TFallo::Ninguno && !dispositivo && escrito.isFile())
        QFile::remove(escrito.canonicalFilePath()); // what is left is no print

    renuevaImpresora(impresora);
    if (archivo != destino)
        impresora.setOutputFileName(destino);
    if (fallo == TFallo::Ninguno)
        return true;
    error = mensaje(fallo, destino);
    return false;
}
