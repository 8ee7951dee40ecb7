// The "Ficha" tab of the employees window, its documents and the printed identity card.
#include "common/configuracion.h"
#include "masterdata/ui/empleadosorg.h"
#include "masterdata/ui/ficha.h"
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "platform/reloj.h"
#include "platform/ui/escritorio.h"
#include "platform/ui/impresion.h"

#include "support/codigobarras.h"
#include "support/dirtemporal.h"
#include "support/pdf.h"
#include "support/respuestas.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

// Employees 120 (with a photo) and 7 (without one) of "Talleres Soler"; printing goes to a PDF file.
class VentanaFicha : public ::testing::Test {
protected:
    void SetUp() override {
        CreaDirectorio("d");
        CreaDirectorio("f");
        DirDatos = "d/";
        DirPdf = "pdf/";
        FijaReloj([] { return QDateTime(QDate(2011, 3, 15), QTime(9, 0)); });
        Escribe("d/empresa.org", Ansi("Talleres Soler\r\n\tTaller\r\n\t\t7 Eva\r\n\t\t120 Luis Pérez\r\n"));
        Escribe("d/empleados.dat",
                Ansi("7 Eva\r\nRuiz\r\nEva\r\n\r\n\r\n\r\n\r\n\r\n\r\nf/no.png\r\n\r\n\r\n\r\n\r\n"
                     "120 Luis Pérez\r\nPérez\r\nLuis\r\nCalle Mayor 3\r\nBarbastro\r\n12345678Z\r\n974 123 "
                     "456\r\n"
                     "02/05/1970\r\n01/09/2001\r\nf/luis.png\r\n\r\n\r\n\r\n\r\n"));
        QImage foto(60, 80, QImage::Format_RGB32);
        foto.fill(Qt::darkBlue);
        foto.save("f/luis.png");
        QPrinter &p = Impresora();
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QString::fromStdString(dir.Archivo("salida.pdf")));
        p.setPageSize(QPageSize(QPageSize::A4));
    }
    void TearDown() override {
        DirDatos = dirDatos;
        DirPdf = dirPdf;
        FijaReloj(nullptr);
        FijaAbridor(nullptr);
        Impresora().setOutputFileName(QString());
    }
    void elige(TFormEmpleados &f, int fila) {
        f.SG1.SetRow(fila);
        f.SG1SelectCell(0, fila);
    }
    // The PDF's text, and that the file is gone for the next print.
    QString impreso() {
        const QStringList paginas = PaginasPdf(dir.Archivo("salida.pdf"));
        QFile::remove(QString::fromStdString(dir.Archivo("salida.pdf")));
        return paginas.join("\f");
    }

    DirectorioTrabajo dir;
    RespuestasPrueba respuestas;
    std::string dirDatos = DirDatos, dirPdf = DirPdf;
};

} // namespace

TEST_F(VentanaFicha, FichaNuevaCortaYDocumentos) {
    TFormEmpleados f;
    ASSERT_EQ(f.SG1.Celda(0, 2), Ansi("120 Luis Pérez"));
    EXPECT_TRUE(f.PageControl1->isTabVisible(f.PageControl1->indexOf(f.TSFicha)));
    elige(f, 2);
    f.PageControl1->setCurrentWidget(f.TSFicha);
    EXPECT_EQ(f.LENumero->text(), "120");
    EXPECT_EQ(f.RutaFichaPersonal, "d/empleado.120");
    EXPECT_FALSE(ExisteArchivo("d/empleado.120")); // nothing written before "Guardar"
    ASSERT_TRUE(f.SpeedButton2Click());
    std::string ficha = Ansi("Luis\r\nPérez\r\n\r\n12345678Z\r\n02/05/1970\r\n01/09/2001\r\nCalle Mayor 3\r\n"
                             "Barbastro\r\n\r\n974 123 456\r\n");
    for (int i = 10; i < 19; ++i)
        ficha += "\r\n";
    EXPECT_EQ(Contenido("d/empleado.120"), ficha);
    EXPECT_EQ(ficha.size(), 109u);

    // An 18-line card: "Mínimo Extra" empty, saved with 19 lines.
    std::string corta;
    for (int i = 0; i < 18; ++i)
        corta += "L" + std::to_string(i) + "\r\n";
    Escribe("d/empleado.7", corta);
    f.PageControl1->setCurrentWidget(f.TSEmpleados);
    elige(f, 1);
    f.PageControl1->setCurrentWidget(f.TSFicha);
    EXPECT_EQ(f.LE[17]->text(), "L17");
    EXPECT_EQ(f.LE[18]->text(), "");
    f.LE[18]->setText("30");
    ASSERT_TRUE(f.SpeedButton2Click());
    EXPECT_EQ(Contenido("d/empleado.7"), corta + "30\r\n");

    // The documents open through the desktop, or say which file is missing.
    EXPECT_EQ(f.BDocumentos[0]->toolTip(), "pdf/nominas_7.pdf");
    std::vector<std::string> abiertos;
    FijaAbridor([&](const std::string &r) {
        abiertos.push_back(r);
        return true;
    });
    CreaDirectorio("pdf");
    Escribe("pdf/contratos_7.pdf", "%PDF");
    f.BDocumentos[1]->click();
    EXPECT_EQ(abiertos, std::vector<std::string>{"pdf/contratos_7.pdf"});
    f.BDocumentos[3]->click();
    ASSERT_EQ(respuestas.Mensajes.size(), 1u);
    EXPECT_EQ(respuestas.Mensajes[0].texto, "No existe el documento pdf/varios_7.pdf");
    EXPECT_EQ(abiertos.size(), 1u);

    DirPdf.clear();
    f.FormActivate();
    EXPECT_FALSE(f.PageControl1->isTabVisible(f.PageControl1->indexOf(f.TSFicha)));
}

TEST_F(VentanaFicha, FichaDeIdentidadConCodigoDeBarras) {
    if (!HayPdfToText() || !HayZbar())
        GTEST_SKIP() << "pdftotext o zbarimg no instalados";
    TFormFicha ficha;
    FormFicha = &ficha;
    TFormEmpleados f;
    const struct {
        int fila;
        const char *nombre, *apellidos, *codigo;
    } casos[] = {{2, "Luis", "Pérez", "CODE-39:120"}, {1, "Eva", "Ruiz", "CODE-39:007"}};
    for (const auto &c : casos) {
        elige(f, c.fila);
        f.ImpFicha->click();
        ASSERT_TRUE(PaginaPdfAImagen(dir.Archivo("salida.pdf"), dir.Archivo("ficha.png"))) << c.codigo;
        EXPECT_EQ(LeeCodigosBarras(dir.Archivo("ficha.png")), std::vector<std::string>{c.codigo});
        EXPECT_EQ(ficha.Foto.isNull(), c.fila == 1); // 7's photo file is missing: an empty box
        const QString texto = impreso();
        for (const char *t : {"Talleres Soler", "Nombre", "Apellidos", c.nombre, c.apellidos})
            EXPECT_TRUE(texto.contains(QString::fromUtf8(t))) << t << " / " << texto.toStdString();
    }
    FormFicha = nullptr;
}

namespace {
// The box of the non-white pixels of the printed page (at 150 pixels per inch).
QRect impresoEnPagina(const std::string &pdf, const std::string &png) {
    if (!PaginaPdfAImagen(pdf, png))
        return {};
    const QImage img(QString::fromStdString(png));
    QRect caja;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 250)
                caja |= QRect(x, y, 1, 1);
    return caja;
}
} // namespace

// The panels are printed as one picture stretched by "factorx" (4.5 when 0) from the page's corner.
TEST_F(VentanaFicha, ImprimirPanelesDeLaFicha) {
    if (!HayPdfToText())
        GTEST_SKIP() << "poppler-utils no instalado";
    const float factorAntes = FactorImpresion;
    FactorImpresion = 0;
    TFormEmpleados f;
    f.show();
    elige(f, 2);
    f.PageControl1->setCurrentWidget(f.TSFicha);
    const double escala = 4.5 * 150 / Impresora().resolution();
    f.AImprimir->click();
    const QRect uno = impresoEnPagina(dir.Archivo("salida.pdf"), dir.Archivo("uno.png"));
    EXPECT_NEAR(uno.width(), f.Panel1->width() * escala, 3);
    EXPECT_NEAR(uno.height(), f.Panel1->height() * escala, 3);
    QFile::remove(QString::fromStdString(dir.Archivo("salida.pdf")));
    // "Imprimir completo": the lower panel right below the upper one.
    f.AImprimirTo->click();
    const QRect dos = impresoEnPagina(dir.Archivo("salida.pdf"), dir.Archivo("dos.png"));
    EXPECT_EQ(dos.top(), uno.top());
    EXPECT_NEAR(dos.height(), (f.Panel1->height() + f.Panel2->height()) * escala, 3);
    QFile::remove(QString::fromStdString(dir.Archivo("salida.pdf")));
    // The printer set-up cancelled: nothing is printed.
    respuestas.ImprimirAcepta = false;
    f.AImprimirTo->click();
    EXPECT_FALSE(ExisteArchivo(dir.Archivo("salida.pdf")));
    f.hide();
    FactorImpresion = factorAntes;
}
