#include "platform/codepage.h"
#include "platform/ui/paginacion.h"
#include "support/dirtemporal.h"
#include "support/pdf.h"

#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <gtest/gtest.h>

namespace {

// A PDF printer on an A4 page with 10 mm margins.
void pdf(QPrinter &impresora, const std::string &ruta) {
    impresora.setOutputFormat(QPrinter::PdfFormat);
    impresora.setOutputFileName(QString::fromStdString(ruta));
    impresora.setPageSize(QPageSize(QPageSize::A4));
    impresora.setPageOrientation(QPageLayout::Portrait);
    impresora.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

// Document of n pages, each forced by a page break and holding "Hoja k".
void hojas(QTextDocument &doc, int n) {
    QTextCursor c(&doc);
    for (int k = 1; k <= n; ++k) {
        if (k > 1) {
            QTextBlockFormat f;
            f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            c.insertBlock(f);
        }
        c.insertText(QString("Hoja %1").arg(k));
    }
}

// The header of the tests' company.
QRegularExpression cabecera(int pagina, int total) {
    return CabeceraPdf("Empresa SA", pagina, total);
}

} // namespace

TEST(Paginacion, CabeceraYMedidas) {
    EXPECT_EQ(CabeceraPagina("Empresa SA", 2, 5), "  Empresa SA  -  P\xE1gina 2 de 5");
    TMedidasPagina m;
    m.ppiX = 720;
    m.ppiY = 360;
    m.papel = QSize(6000, 4000);
    m.imprimible = QRect(100, 50, 5800, 3900);
    EXPECT_EQ(m.ImprimibleTwips(), QSize(11600, 15600));
    EXPECT_EQ(m.TextoTwips(), QRect(QPoint(0, 250), QPoint(11599, 15099)));
    // 250 twips = 62 px and 500 twips = 125 px at 360 ppi
    EXPECT_EQ(m.TextoPixeles(), QRect(0, 62, 5800, 3900 - 125 - 62));
    TMedidasPagina a4 = MedidasA4(254);
    EXPECT_EQ(a4.papel, QSize(2100, 2970));
    EXPECT_EQ(a4.imprimible, QRect(0, 0, 2100, 2970));
}

TEST(Paginacion, LaImpresoraDaElAreaImprimible) {
    QPrinter impresora(QPrinter::HighResolution);
    pdf(impresora, "/dev/null");
    TMedidasPagina m = MedidasPagina(impresora);
    EXPECT_EQ(m.ppiY, 1200);
    EXPECT_NEAR(m.papel.width(), 9921, 8);
    EXPECT_NEAR(m.imprimible.left(), 472, 8); // 10 mm
    EXPECT_NEAR(m.imprimible.width(), 9921 - 2 * 472, 16);
}

TEST(Paginacion, DocumentoVacioEsUnaPagina) {
    QTextDocument doc;
    QPrinter impresora(QPrinter::HighResolution);
    pdf(impresora, "/dev/null");
    TPaginacion p(doc, MedidasPagina(impresora), &impresora);
    ASSERT_EQ(p.NumPaginas(), 1);
    EXPECT_EQ(p.Paginas()[0].primero, 0);
    EXPECT_EQ(p.Paginas()[0].rect, MedidasPagina(impresora).TextoTwips());
}

TEST(Paginacion, LasPaginasCubrenElTextoSinHuecos) {
    QTextDocument doc;
    doc.setDefaultFont(QFont("DejaVu Sans", 12));
    QTextCursor c(&doc);
    for (int i = 0; i < 300; ++i) {
        if (i)
            c.insertBlock();
        c.insertText(QString("Linea %1").arg(i, 3, 10, QChar('0')));
    }
    QPrinter impresora(QPrinter::HighResolution);
    pdf(impresora, "/dev/null");
    TPaginacion p(doc, MedidasPagina(impresora), &impresora);
    ASSERT_GE(p.NumPaginas(), 4);
    const auto &pag = p.Paginas();
    EXPECT_EQ(pag[0].primero, 0);
    for (size_t i = 1; i < pag.size(); ++i) {
        EXPECT_EQ(pag[i].primero, pag[i - 1].ultimo + 1);
        // every page starts at the beginning of a line
        EXPECT_EQ(doc.findBlock(pag[i].primero).position(), pag[i].primero);
    }
    EXPECT_EQ(pag.back().ultimo, doc.characterCount() - 2);
    // the pages are full: about the same number of lines on each but the last
    int lineas0 = doc.findBlock(pag[1].primero).blockNumber();
    int lineas1 = doc.findBlock(pag[2].primero).blockNumber() - lineas0;
    EXPECT_EQ(lineas0, lineas1);
}

TEST(Paginacion, UnObjetoMasAltoQueLaPaginaNoDetieneElRecuento) {
    QTextDocument doc;
    doc.addResource(QTextDocument::ImageResource, QUrl("img"), QImage(4, 4, QImage::Format_RGB32));
    QTextCursor c(&doc);
    c.insertText("antes");
    c.insertBlock();
    QTextImageFormat img;
    img.setName("img");
    img.setWidth(100);
    img.setHeight(5000); // taller than an A4 page
    c.insertImage(img);
    c.insertBlock();
    c.insertText("despues");
    QPrinter impresora(QPrinter::HighResolution);
    pdf(impresora, "/dev/null");
    TPaginacion p(doc, MedidasPagina(impresora), &impresora);
    EXPECT_GE(p.NumPaginas(), 3);
    EXPECT_LT(p.NumPaginas(), 100);
    for (size_t i = 1; i < p.Paginas().size(); ++i)
        EXPECT_GE(p.Paginas()[i].primero, p.Paginas()[i - 1].primero);
}

TEST(Paginacion, ImprimeElRangoConSuCabeceraYLoAjustaAlDocumento) {
    DirectorioTrabajo d;
    QTextDocument doc;
    hojas(doc, 5);
    QPrinter impresora(QPrinter::HighResolution);
    pdf(impresora, d.Archivo("a.pdf"));
    TPaginacion p(doc, MedidasPagina(impresora), &impresora);
    ASSERT_EQ(p.NumPaginas(), 5);
    std::string error;
    ASSERT_TRUE(ImprimePaginas(p, impresora, 1, 3, "Empresa SA", QFont("DejaVu Sans", 8), error));
    pdf(impresora, d.Archivo("b.pdf"));
    ASSERT_TRUE(ImprimePaginas(p, impresora, 3, 99, "Empresa SA", QFont("DejaVu Sans", 8), error));
    pdf(impresora, d.Archivo("c.pdf"));
    ASSERT_TRUE(ImprimePaginas(p, impresora, 7, 9, "Empresa SA", QFont("DejaVu Sans", 8), error));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(d.Archivo("c.pdf")))); // nothing to print
    if (!HayPdfToText())
        GTEST_SKIP() << "pdftotext no instalado";
    QStringList a = PaginasPdf(d.Archivo("a.pdf"));
    ASSERT_EQ(a.size(), 2);
    EXPECT_TRUE(a[0].contains(cabecera(2, 5))) << a[0].toStdString();
    EXPECT_TRUE(a[0].contains("Hoja 2"));
    EXPECT_TRUE(a[1].contains(cabecera(3, 5)));
    EXPECT_FALSE(a[1].contains(cabecera(2, 5)));
    EXPECT_TRUE(a[1].contains("Hoja 3"));
    QStringList b = PaginasPdf(d.Archivo("b.pdf"));
    ASSERT_EQ(b.size(), 2);
    EXPECT_TRUE(b[0].contains(cabecera(4, 5)));
    EXPECT_TRUE(b[1].contains(cabecera(5, 5)));
    EXPECT_TRUE(b[1].contains("Hoja 5"));
}

TEST(Paginacion, ElTextoQuedaDentroDelAreaImprimible) {
    if (!HayPdfToText())
        GTEST_SKIP() << "pdftotext no instalado";
    DirectorioTrabajo d;
    QTextDocument doc;
    doc.setDefaultFont(QFont("DejaVu Sans", 10));
    QString largo;
    for (int i = 0; i < 60; ++i)
        largo += QString("palabra%1 ").arg(i);
    doc.setPlainText(largo);
    QPrinter impresora(QPrinter::HighResolution);
    pdf(impresora, d.Archivo("a.pdf"));
    impresora.setPageMargins(QMarginsF(30, 25, 30, 25), QPageLayout::Millimeter);
    TPaginacion p(doc, MedidasPagina(impresora), &impresora);
    std::string error;
    ASSERT_TRUE(ImprimePaginas(p, impresora, 0, 1, "Empresa", QFont("DejaVu Sans", 8), error));
    QProcess pr;
    pr.start("pdftotext", {"-bbox", QString::fromStdString(d.Archivo("a.pdf")), "-"});
    ASSERT_TRUE(pr.waitForFinished(20000));
    QString html = QString::fromUtf8(pr.readAllStandardOutput());
    QRegularExpression palabra("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\"");
    int n = 0;
    const double mm = 72 / 25.4;
    for (auto it = palabra.globalMatch(html); it.hasNext(); ++n) {
        auto m = it.next();
        EXPECT_GE(m.captured(1).toDouble(), 30 * mm - 1);
        EXPECT_LE(m.captured(3).toDouble(), (210 - 30) * mm + 1);
        EXPECT_GE(m.captured(2).toDouble(), 25 * mm - 1);
        EXPECT_LE(m.captured(4).toDouble(), (297 - 25) * mm + 1);
    }
    EXPECT_GT(n, 60); // the words and the header, wrapped over several lines
}

// A printer that cannot be used says so, and leaves the next print to a file working.
TEST(Paginacion, UnaImpresoraInutilizableLoDiceYLaSiguienteImprime) {
    DirectorioTrabajo d;
    QTextDocument doc;
    hojas(doc, 2);
    for (const std::string &mala : {std::string(), d.Archivo("no/existe/a.pdf")}) {
        QPrinter impresora(QPrinter::HighResolution);
        pdf(impresora, mala);
        impresora.setOutputFormat(QPrinter::PdfFormat); // no file name: no printer installed
        TPaginacion p(doc, MedidasPagina(impresora), &impresora);
        std::string error;
        EXPECT_FALSE(ImprimePaginas(p, impresora, 0, 2, "Empresa", QFont("DejaVu Sans", 8), error)) << mala;
        EXPECT_EQ(error, "No se puede imprimir: la impresora no est\xE1 disponible.");
        pdf(impresora, d.Archivo("b.pdf"));
        EXPECT_TRUE(ImprimePaginas(p, impresora, 0, 2, "Empresa", QFont("DejaVu Sans", 8), error)) << mala;
        if (HayPdfToText())
            EXPECT_EQ(PaginasPdf(d.Archivo("b.pdf")).filter("Hoja").size(), 2) << mala;
        QFile::remove(QString::fromStdString(d.Archivo("b.pdf")));
    }
}
