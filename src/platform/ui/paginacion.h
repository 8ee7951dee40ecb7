#pragma once
// Pages of a rich-text document laid out for a printer: the page measures, each page as a range of
// characters with its text rectangle, the drawing of one page and of its header, and the printing
// of a range of pages. The document window prints with it and the print preview draws with it, so
// both break lines and pages alike.
//
// The text rectangle lies inside the printable area of the page: 250 twips are left free at the
// top for the header and 500 at the bottom. Paging always makes progress: an object taller than a
// page runs over several pages instead of stopping the count.
#include <QFont>
#include <QRect>
#include <memory>
#include <string>
#include <vector>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class QPrinter;
class QTextDocument;

// Page measures in device pixels.
struct TMedidasPagina {
    QSize papel;      // the physical page
    QRect imprimible; // the printable area within the physical page
    int ppiX = 0, ppiY = 0;

    bool operator==(const TMedidasPagina &) const = default;

    // The printable area in twips, and the text rectangle (0, 250, width, height - 500) in twips.
    QSize ImprimibleTwips() const;
    QRect TextoTwips() const;
    // The text rectangle in device pixels, relative to the printable area.
    QRect TextoPixeles() const;
};

// a * b / c in 64 bits, truncated; 0 when c is 0.
int PorDivide(int a, int b, int c);

// The measures of a printer; an A4 page when the printer gives none.
TMedidasPagina MedidasPagina(QPrinter &impresora);
// An A4 page with no margins at the given resolution.
TMedidasPagina MedidasA4(int ppi);

// One page: its first and last character and its text rectangle in twips.
struct TPagina {
    int primero = 0;
    int ultimo = -1;
    QRect rect;
};

// Header of a printed page, Windows-1252: "  %s  -  Página %d de %d".
std::string CabeceraPagina(const std::string &empresa, int pagina, int total);

class TPaginacion {
public:
    // Lays out a copy of doc on the device whose measures are given (the printer).
    TPaginacion(const QTextDocument &doc, const TMedidasPagina &medidas, QPaintDevice *dispositivo);
    ~TPaginacion();
    TPaginacion(const TPaginacion &) = delete;
    TPaginacion &operator=(const TPaginacion &) = delete;

    int NumPaginas() const { return static_cast<int>(paginas_.size()); }
    const std::vector<TPagina> &Paginas() const { return paginas_; }
    const TMedidasPagina &Medidas() const { return medidas_; }

    // Draws page n (0-based) in the painter's coordinates: device pixels with the origin at the top
    // left corner of the printable area.
    void DibujaPagina(QPainter &p, int n) const;
    // Draws the header text (Windows-1252) at the top left corner in the given font.
    void DibujaCabecera(QPainter &p, const std::string &texto, const QFont &fuente) const;

private:
    std::unique_ptr<QTextDocument> doc_;
    TMedidasPagina medidas_;
    std::vector<TPagina> paginas_;
    std::vector<double> inicios_; // the top of each page in the laid-out document, device pixels
    double altoPagina_ = 1;
};

// Prints pages [primera, ultima) (0-based), clamped to the pages the document has, each with its
// header. False with a Spanish message when the print did not complete (see Imprime).
bool ImprimePaginas(const TPaginacion &paginas, QPrinter &impresora, int primera, int ultima,
                    const std::string &empresa, const QFont &fuente, std::string &error);
