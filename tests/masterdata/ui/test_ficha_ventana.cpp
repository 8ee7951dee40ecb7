// The "Ficha" tab of the employees window, its documents and prints, and the identity card.
#include "common/configuracion.h"
#include "masterdata/ui/empleadosorg.h"
#include "masterdata/ui/ficha.h"
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "platform/ui/escritorio.h"
#include "platform/ui/impresion.h"

#include "common/ajustesprueba.h"
#include "support/codigobarras.h"
#include "support/dirtemporal.h"
#include "support/fallosdisco.h"
#include "support/pdf.h"
#include "support/respuestas.h"

#include <QImage>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

// Employees 7 (no photo file) and 120 of "Talleres Soler"; prints go to a PDF file.
class VentanaFicha : public ::testing::Test {
protected:
    void SetUp() override {
        CreaDirectorio("d");
        AjustesPrueba().DirDatos = "d/";
        AjustesPrueba().DirPdf = "pdf/";
        Escribe("d/empresa.org", Ansi("Talleres Soler\r\n\tTaller\r\n\t\t7 Eva\r\n\t\t120 Luis Pérez\r\n"));
        Escribe("d/empleados.dat",
                Ansi("7 Eva\r\nRuiz\r\nEva\r\n\r\n\r\n\r\n\r\n\r\n\r\nf.png\r\n\r\n\r\n\r\n\r\n"
                     "120 Luis Pérez\r\nPérez\r\nLuis\r\nCalle Mayor 3\r\nBarbastro\r\n12345678Z\r\n974 123 "
                     "456\r\n"
                     "02/05/1970\r\n01/09/2001\r\nluis.png\r\n\r\n\r\n\r\n\r\n"));
        QImage foto(60, 80, QImage::Format_RGB32);
        foto.fill(Qt::darkBlue);
        foto.save("luis.png");
        QPrinter &p = Impresora();
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QString::fromStdString(pdf));
        p.setPageSize(QPageSize(QPageSize::A4));
        f.FormActivate(); // the window was made before the files
    }
    void TearDown() override {
        AjustesPrueba().DirDatos = dirDatos;
        AjustesPrueba().DirPdf = dirPdf;
        FijaAbridor(nullptr);
        Impresora().setOutputFileName(QString());
    }
    void elige(int fila) {
        f.SG1.SetRow(fila);
        f.SG1SelectCell(0, fila);
    }
    // The box of the printed page's non-white pixels at 150 pixels per inch; the PDF is removed.
    QRect impreso() {
        QRect caja;
        if (PaginaPdfAImagen(pdf, dir.Archivo("p.png"))) {
            const QImage img(QString::fromStdString(dir.Archivo("p.png")));
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    if (qGray(img.pixel(x, y)) < 250)
                        caja |= QRect(x, y, 1, 1);
        }
        QFile::remove(QString::fromStdString(pdf));
        return caja;
    }

    DirectorioTrabajo dir;
    RespuestasPrueba respuestas;
    std::string dirDatos = Configuracion().DirDatos, dirPdf = Configuracion().DirPdf,
                pdf = dir.Archivo("salida.pdf");
    TFormEmpleados f;
};

} // namespace

TEST_F(VentanaFicha, FichaNuevaCortaYDocumentos) {
    ASSERT_EQ(f.SG1.Celda(0, 2), Ansi("120 Luis Pérez"));
    elige(2);
    f.PageControl1->setCurrentWidget(f.TSFicha);
    EXPECT_EQ(f.LENumero->text(), "120");
    EXPECT_FALSE(ExisteArchivo("d/empleado.120")); // nothing written before "Guardar"
    ASSERT_TRUE(f.SpeedButton2Click());
    std::string ficha = Ansi("Luis\r\nPérez\r\n\r\n12345678Z\r\n02/05/1970\r\n01/09/2001\r\nCalle Mayor 3\r\n"
                             "Barbastro\r\n\r\n974 123 456\r\n") +
                        std::string(18, '\n');
    for (size_t i = ficha.size() - 18; i < ficha.size(); i += 2)
        ficha[i] = '\r';
    EXPECT_EQ(ficha.size(), 109u);
    EXPECT_EQ(Contenido("d/empleado.120"), ficha);

    // An 18-line card: "Mínimo Extra" empty, saved with 19 lines.
    std::string corta;
    for (int i = 0; i < 18; ++i)
        corta += "L" + std::to_string(i) + "\r\n";
    Escribe("d/empleado.7", corta);
    f.PageControl1->setCurrentWidget(f.TSEmpleados);
    elige(1);
    f.PageControl1->setCurrentWidget(f.TSFicha);
    EXPECT_EQ(f.LE[17]->text(), "L17");
    f.LE[18]->setText("30");
    ASSERT_TRUE(f.SpeedButton2Click());
    EXPECT_EQ(Contenido("d/empleado.7"), corta + "30\r\n");

    // The documents open through the desktop, or say which file is missing.
    std::vector<std::string> abiertos;
    FijaAbridor([&](const std::string &r) {
        abiertos.push_back(r);
        return true;
    });
    CreaDirectorio("pdf");
    Escribe("pdf/contratos_7.pdf", "%PDF");
    f.BDocumentos[1]->click();
    f.BDocumentos[3]->click();
    EXPECT_EQ(abiertos, std::vector<std::string>{"pdf/contratos_7.pdf"});
    ASSERT_EQ(respuestas.Mensajes.size(), 1u);
    EXPECT_EQ(respuestas.Mensajes[0].texto, "No existe el documento pdf/varios_7.pdf");

    AjustesPrueba().DirPdf.clear();
    f.FormActivate();
    EXPECT_FALSE(f.PageControl1->isTabVisible(f.PageControl1->indexOf(f.TSFicha)));
}

TEST_F(VentanaFicha, FichaDeIdentidadConCodigoDeBarras) {
    if (!HayPdfToText() || !HayZbar())
        GTEST_SKIP() << "poppler-utils o zbar-tools no instalados";
    TFormFicha ficha;
    FormFicha = &ficha;
    for (int fila : {2, 1}) {
        elige(fila);
        f.ImpFicha->click();
        ASSERT_TRUE(PaginaPdfAImagen(pdf, dir.Archivo("ficha.png")));
        EXPECT_EQ(LeeCodigosBarras(dir.Archivo("ficha.png")),
                  std::vector<std::string>{fila == 2 ? "CODE-39:120" : "CODE-39:007"});
        const QString texto = PaginasPdf(pdf).join("");
        for (const char *t : {"Talleres Soler", "Nombre", "Apellidos", fila == 2 ? "Pérez" : "Ruiz"})
            EXPECT_TRUE(texto.contains(QString::fromUtf8(t))) << t;
        EXPECT_EQ(ficha.Foto.isNull(), fila == 1); // 7's photo file is missing: an empty box
    }
    FormFicha = nullptr;
}

// A card that could not be printed (no printer installed) leaves the printer usable: the absence
// sheet then goes to its PDF file.
TEST_F(VentanaFicha, TrasUnaFichaSinImpresoraLaHojaDeFaltasVaAlArchivo) {
    if (!HayPdfToText())
        GTEST_SKIP() << "poppler-utils no instalado";
    Impresora().setOutputFileName(QString());
    Impresora().setOutputFormat(QPrinter::PdfFormat);
    elige(2);
    f.ImpFicha->click();
    ASSERT_EQ(respuestas.Mensajes.size(), 1u);
    EXPECT_EQ(respuestas.Mensajes[0].texto, "No se puede imprimir: la impresora no est\xE1 disponible.");
    Impresora().setOutputFileName(QString::fromStdString(pdf));
    f.ImprimirFaltas->click();
    EXPECT_FALSE(impreso().isEmpty());
}

// A sheet whose file cannot be written whole says so and leaves no cut file; the next sheet is
// printed whole, without a restart.
TEST_F(VentanaFicha, HojaDeFaltasQueNoSeEscribeLoDiceYLaSiguienteSeImprime) {
    if (!HayPdfToText())
        GTEST_SKIP() << "poppler-utils no instalado";
    elige(2);
    f.PageControl1->setCurrentWidget(f.TSFaltas);
    for (const FalloEscritura &c : FallosEscritura(pdf)) {
        respuestas.Mensajes.clear();
        Impresora().setOutputFileName(QString::fromStdString(c.ruta));
        {
            const auto fallo = c.Provoca();
            f.ImprimirFaltas->click();
        }
        ASSERT_EQ(respuestas.Mensajes.size(), 1u) << c.nombre;
        EXPECT_EQ(respuestas.Mensajes[0].texto,
                  "No se puede imprimir: no se pudo escribir el archivo " + c.ruta + ".");
        EXPECT_FALSE(ExisteArchivo(pdf)) << c.nombre;
        Impresora().setOutputFileName(QString::fromStdString(pdf));
        f.ImprimirFaltas->click();
        EXPECT_EQ(respuestas.Mensajes.size(), 1u) << c.nombre;
        EXPECT_FALSE(impreso().isEmpty()) << c.nombre;
    }
}

// The panels are printed as one picture stretched by "factorx" (4.5 when 0) from the page's corner.
TEST_F(VentanaFicha, ImprimirPanelesDeLaFicha) {
    if (!HayPdfToText())
        GTEST_SKIP() << "poppler-utils no instalado";
    const float factorAntes = Configuracion().FactorImpresion;
    AjustesPrueba().FactorImpresion = 0;
    f.show();
    f.PageControl1->setCurrentWidget(f.TSFicha);
    const double escala = 4.5 * 150 / Impresora().resolution();
    f.AImprimir->click();
    const QRect uno = impreso();
    EXPECT_NEAR(uno.width(), f.Panel1->width() * escala, 3);
    EXPECT_NEAR(uno.height(), f.Panel1->height() * escala, 3);
    f.AImprimirTo->click(); // the lower panel right below the upper one
    const QRect dos = impreso();
    EXPECT_EQ(dos.top(), uno.top());
    EXPECT_NEAR(dos.height(), (f.Panel1->height() + f.Panel2->height()) * escala, 3);
    respuestas.ImprimirAcepta = false; // the printer set-up cancelled
    f.AImprimirTo->click();
    EXPECT_FALSE(ExisteArchivo(pdf));
    f.hide();
    AjustesPrueba().FactorImpresion = factorAntes;
}
