#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "common/sesion.h"
#include "frame/documento.h"
#include "frame/ordenprueba.h"
#include "frame/previsualizacion.h"
#include "frame/principal.h"
#include "platform/codepage.h"
#include "platform/informe.h"
#include "platform/lineas.h"
#include "platform/rtf.h"
#include "platform/rutas.h"
#include "platform/ui/impresion.h"
#include "presence/listadoaccesos.h"
#include "production/obras.h"
#include "production/ordenimpresa.h"
#include "support/codigobarras.h"
#include "support/dirtemporal.h"
#include "support/fallosdisco.h"
#include "support/pdf.h"
#include "support/respuestas.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Answers the print dialog with a chosen page range.
class RespuestasImpresion : public RespuestasPrueba {
public:
    int Desde = 0, Hasta = 0; // 0: the whole range
    int Dialogos = 0;
    int PaginasOfrecidas = 0;
    bool Imprimir(int &desde, int &hasta, int paginas) override {
        ++Dialogos;
        PaginasOfrecidas = paginas;
        if (!ImprimirAcepta)
            return false;
        if (Desde)
            desde = Desde;
        if (Hasta)
            hasta = Hasta;
        return true;
    }
};

// A report of n pages, "Hoja k" on page k.
void hojas(TInformeRTF &inf, int n) {
    for (int k = 1; k <= n; ++k) {
        if (k > 1)
            inf.SaltoPagina();
        inf.Linea("Hoja " + std::to_string(k));
    }
}

QRegularExpression cabecera(int n, int t) {
    return CabeceraPdf("Talleres Soler", n, t);
}

class Documentos : public ::testing::Test {
protected:
    void SetUp() override {
        AjustesPrueba() = LeeConfiguracion("velkatron.ini");
        Sesion().NombreEmpresa = "Talleres Soler";
        QPrinter &p = Impresora();
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QString::fromStdString(d.Archivo("salida.pdf")));
        p.setPageSize(QPageSize(QPageSize::A4));
        if (!PreviewForm)
            PreviewForm = new TPreviewForm();
    }
    void TearDown() override {
        TPreviewForm::Respuesta = nullptr;
        for (TMDIChild *w : ventanas)
            delete w;
    }
    // What the operator does on the next preview, once it has painted its page.
    void conVistaPrevia(std::function<void()> accion) {
        TPreviewForm::Respuesta = [accion](TPreviewForm &f) {
            f.Panel->grab();
            accion();
        };
    }
    TMDIChild *guarda(TMDIChild *w) {
        ventanas.push_back(w);
        return w;
    }
    bool impreso() const { return QFile::exists(QString::fromStdString(d.Archivo("salida.pdf"))); }

    DirectorioTrabajo d;
    RespuestasImpresion r;
    std::vector<QPointer<TMDIChild>> ventanas;
};

} // namespace

TEST(Informe, LineasYRunsConSusAtributos) {
    TInformeRTF inf(Ansi("Listado de presencia"), DocumentoPresencia);
    inf.Atributos(TAtributos::Titulo());
    inf.Linea(inf.Titulo());
    inf.Linea();
    inf.Atributos(TAtributos::Color(ColorGrupo));
    inf.Texto(Ansi("Día 01/02/2024\t"));
    inf.Atributos(TAtributos::Color(ColorTotal, true));
    inf.Linea(Ansi("Total 3,50 €"));
    inf.Atributos(TAtributos::Normal());
    inf.Texto("fin");
    EXPECT_EQ(inf.TextoPlano(), Ansi("Listado de presencia\n\nDía 01/02/2024\tTotal 3,50 €\nfin"));
    const QTextDocument &doc = inf.Documento();
    ASSERT_EQ(doc.blockCount(), 4);
    QTextCharFormat titulo = doc.begin().begin().fragment().charFormat();
    EXPECT_EQ(titulo.foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(titulo.fontPointSize(), 16);
    EXPECT_EQ(titulo.fontWeight(), QFont::Bold);
    EXPECT_EQ(doc.findBlockByNumber(1).charFormat().fontPointSize(), 16); // empty line in the title's size
    auto it = doc.findBlockByNumber(2).begin();
    EXPECT_EQ(it.fragment().charFormat().foreground().color(), QColor(0, 128, 0));
    EXPECT_EQ(it.fragment().charFormat().fontPointSize(), 8);
    ++it;
    EXPECT_EQ(it.fragment().text(), QString::fromUtf8("Total 3,50 €"));
    EXPECT_EQ(it.fragment().charFormat().foreground().color(), QColor(0, 0, 128));
    EXPECT_EQ(it.fragment().charFormat().fontWeight(), QFont::Bold);
    // what "Guardar" writes carries the same
    EXPECT_NE(inf.RTF().find("\\fs32\\cf1\\b Listado de presencia\\par"), std::string::npos) << inf.RTF();
    EXPECT_NE(inf.RTF().find("Total 3,50 \\'80"), std::string::npos);
}

TEST(Informe, TabuladoresAlineacionYSaltoDePagina) {
    TInformeRTF inf;
    inf.Tabuladores({1440, 2880});
    inf.Alineacion(Qt::AlignRight);
    inf.Linea("a\tb\tc");
    inf.SaltoPagina();
    inf.Linea("d");
    const QTextDocument &doc = inf.Documento();
    ASSERT_EQ(doc.blockCount(), 2);
    QTextBlockFormat a = doc.begin().blockFormat(), b = doc.lastBlock().blockFormat();
    ASSERT_EQ(a.tabPositions().size(), 2);
    EXPECT_DOUBLE_EQ(a.tabPositions()[1].position, 192); // two inches
    EXPECT_EQ(a.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_TRUE(b.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
    EXPECT_EQ(b.tabPositions().size(), 2); // settings go on to the next lines
    EXPECT_NE(inf.RTF().find("\\pard\\tx1440\\tx2880\\qr\\fs16\\cf1 a\\tab b\\tab c\\par\r\n"
                             "\\page\\pard\\tx1440\\tx2880\\qr d}"),
              std::string::npos)
        << inf.RTF();
}

TEST(Informe, UnRunEnOtraFuenteYLaFuenteDelInforme) {
    // a barcode between blanks in its own font, then the quantity and task in the report's font
    TInformeRTF inf;
    inf.Fuente("Courier New", 10);
    TAtributos codigo;
    codigo.fuente = "IDAutomationHC39M";
    codigo.puntos = 20;
    inf.Atributos(codigo);
    inf.Texto("\t\t*00120001*\t\t");
    inf.Atributos(TAtributos::Normal());
    inf.Linea("5\tCortar");
    EXPECT_EQ(inf.RTF(),
              "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deftab720"
              "{\\fonttbl{\\f0\\fnil\\fcharset0 Courier New;}{\\f1\\fnil\\fcharset0 IDAutomationHC39M;}}\r\n"
              "{\\colortbl ;\\red0\\green0\\blue0;}\r\n"
              "\\viewkind4\\uc1\\pard\\f1\\fs40\\cf1\\tab\\tab *00120001*\\tab\\tab\\f0\\fs20 "
              "5\\tab Cortar}\r\n");
}

TEST_F(Documentos, MuestraAbreUnaVentanaHijaConTituloTipoYTexto) {
    TMainForm principal;
    TInformeRTF inf(Ansi("Producción por obra"), DocumentoProduccion);
    inf.Linea("Obra 12");
    inf.FijaNombreArchivo(Configuracion().DirArchivosProd + "Obra*12 01_02_2024.rtf");
    TMDIChild *w = guarda(MuestraInforme(inf));
    ASSERT_EQ(principal.Area()->subWindowList().size(), 1);
    EXPECT_EQ(principal.Area()->subWindowList()[0]->widget(), w);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("Producción por obra"));
    EXPECT_EQ(w->Tipo, DocumentoProduccion);
    EXPECT_EQ(w->Memo1()->toPlainText(), "Obra 12");
    EXPECT_TRUE(w->BotonRec->isEnabled());
    EXPECT_EQ(w->BotonRec->text(), "Guardar");
    EXPECT_EQ(w->BotonRec->toolTip(), "Guardar archivo");
    EXPECT_EQ(w->Imprimir->toolTip(), "Imprimir");
    EXPECT_EQ(w->Memo1()->lineWrapMode(), QTextEdit::NoWrap);
    EXPECT_FALSE(w->REGr->isVisible());
    EXPECT_TRUE(w->testAttribute(Qt::WA_DeleteOnClose));
    // big enough to read a report, not the editor's bare minimum
    EXPECT_GE(principal.Area()->subWindowList()[0]->width(), 640);
    EXPECT_GE(principal.Area()->subWindowList()[0]->height(), 480);

    // a report without a file name cannot be saved
    TInformeRTF sinArchivo("Accesos");
    TMDIChild *v = guarda(MuestraInforme(sinArchivo));
    EXPECT_FALSE(v->BotonRec->isEnabled());
    EXPECT_EQ(v->Tipo, 0);
    principal.Area()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(ventanas[0].isNull()); // freed when closed
}

TEST_F(Documentos, GuardarCambiaAsteriscosPorBlancosYSeDesactiva) {
    CreaDirectorio(Configuracion().DirArchivosPres);
    TInformeRTF inf("Presencia");
    inf.Atributos(TAtributos::Titulo());
    inf.Linea(Ansi("Título"));
    inf.FijaNombreArchivo(Configuracion().DirArchivosPres + "Presencia*de*Juan.rtf");
    Escribe(Configuracion().DirArchivosPres + "Presencia de Juan.rtf", "viejo");
    TMDIChild *w = guarda(MuestraInforme(inf));
    w->BotonRec->click();
    EXPECT_TRUE(r.Mensajes.empty());
    EXPECT_EQ(Contenido(Configuracion().DirArchivosPres + "Presencia de Juan.rtf"), inf.RTF());
    EXPECT_FALSE(ExisteArchivo(Configuracion().DirArchivosPres + "Presencia*de*Juan.rtf"));
    EXPECT_FALSE(w->BotonRec->isEnabled());

    // a failed save says so and leaves "Guardar" enabled
    TInformeRTF otro("Otro");
    otro.FijaNombreArchivo("no/hay/tal.rtf");
    TMDIChild *v = guarda(MuestraInforme(otro));
    v->BotonRec->click();
    ASSERT_EQ(r.Mensajes.size(), 1u);
    EXPECT_EQ(r.Mensajes[0].tipo, Dialogos::Tipo::Error);
    EXPECT_EQ(r.Mensajes[0].texto, "No se puede guardar el archivo no/hay/tal.rtf");
    EXPECT_TRUE(v->BotonRec->isEnabled());
}

// The access listing's window saves the listing as built, its title block's empty first line in
// the title's size, bold and blue.
TEST_F(Documentos, ListadoDeAccesosSeGuardaComoSeHizo) {
    CreaDirectorio(Configuracion().DirArchivosPres);
    TPeticionListadoAccesos p;
    p.Empleados = {"7 Dure Ana"};
    p.Desde = p.Hasta = QDate(2011, 2, 3);
    const auto docs = InformesAccesos(p);
    ASSERT_EQ(docs.size(), 1u);
    const std::string rtf = docs[0]->RTF();
    ASSERT_NE(rtf.find("\\uc1\\pard\\fs32\\cf1\\b\\par\r\n"), std::string::npos);
    guarda(MuestraInforme(*docs[0]))->BotonRec->click();
    EXPECT_EQ(Contenido(docs[0]->NombreArchivo()), rtf);
}

TEST_F(Documentos, AbreDocumentoMuestraLoGuardadoYDecideElTipo) {
    EXPECT_EQ(AbreDocumento(d.Archivo("no existe.rtf")), nullptr);
    EXPECT_TRUE(r.Mensajes.empty());

    TInformeRTF inf("Informe");
    inf.Atributos(TAtributos::Color(ColorFalta, true));
    inf.Linea(Ansi("Falta: José 1:30 €"));
    CreaDirectorio(Configuracion().DirArchivosProd);
    CreaDirectorio("otro");
    GuardaBytes(Configuracion().DirArchivosProd + "a.rtf", inf.RTF());
    GuardaBytes("otro/a.rtf", inf.RTF());

    std::string ruta = d.Archivo(Configuracion().DirArchivosProd + "a.rtf");
    TMDIChild *w = guarda(AbreDocumento(ruta));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), RutaQ(ruta));
    EXPECT_EQ(w->Tipo, DocumentoProduccion);
    EXPECT_EQ(w->Memo1()->toPlainText(), QString::fromUtf8("Falta: José 1:30 €"));
    QTextCharFormat f = w->Memo1()->document()->begin().begin().fragment().charFormat();
    EXPECT_EQ(f.foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(f.fontWeight(), QFont::Bold);
    EXPECT_FALSE(w->BotonRec->isEnabled());
    EXPECT_TRUE(w->NombreArchivo.empty());

    TMDIChild *v = guarda(AbreDocumento(d.Archivo("otro/a.rtf")));
    EXPECT_EQ(v->Tipo, DocumentoPresencia);

    // a report saved under a name with accents opens again under it
    TInformeRTF acentos(Ansi("Núñez"));
    acentos.Linea("x");
    acentos.FijaNombreArchivo(Ansi("otro/Presencia Núñez.rtf"));
    guarda(MuestraInforme(acentos))->BotonRecClick();
    TMDIChild *n = guarda(AbreDocumento(Ansi("otro/Presencia Núñez.rtf")));
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(n->windowTitle(), QString::fromUtf8("otro/Presencia Núñez.rtf"));
    EXPECT_EQ(n->Memo1()->toPlainText(), "x");

    // a file that is not RTF shows as text
    Escribe("INCIDENCIAS.RTF", "Vacaciones\r\nBaja m\xE9"
                               "dica\r\n");
    TMDIChild *t = guarda(AbreDocumento("INCIDENCIAS.RTF"));
    EXPECT_EQ(t->Memo1()->toPlainText(), QString::fromUtf8("Vacaciones\nBaja médica\n"));
    EXPECT_TRUE(r.Mensajes.empty());
}

TEST_F(Documentos, ImprimeTodasLasPaginasConSuCabecera) {
    TInformeRTF inf("Cinco hojas");
    hojas(inf, 5);
    TMDIChild *w = guarda(MuestraInforme(inf));
    int paginasVistas = 0, primeraVista = -1;
    PaginaActual = 3; // left by an earlier preview
    conVistaPrevia([&] {
        paginasVistas = NumPaginas;
        primeraVista = PaginaActual;
        PreviewForm->SpeedButton3->click();
    });
    w->Imprimir->trigger();
    EXPECT_EQ(paginasVistas, 5);
    EXPECT_EQ(primeraVista, 0);
    EXPECT_EQ(r.Dialogos, 1);
    EXPECT_EQ(r.PaginasOfrecidas, 5);
    EXPECT_EQ(EditorVistaPrevia, w->Memo1());
    ASSERT_TRUE(impreso());
    EXPECT_EQ(TamanosPdf(d.Archivo("salida.pdf")).size(), 5u);
    QStringList p = PaginasPdf(d.Archivo("salida.pdf"));
    if (p.isEmpty())
        GTEST_SKIP() << "pdftotext no instalado";
    ASSERT_EQ(p.size(), 5);
    for (int k = 1; k <= 5; ++k) {
        EXPECT_TRUE(p[k - 1].contains(cabecera(k, 5))) << p[k - 1].toStdString();
        EXPECT_EQ(p[k - 1].count(QRegularExpression(QString::fromUtf8("Página"))), 1);
        EXPECT_TRUE(p[k - 1].contains(QString("Hoja %1").arg(k)));
    }
}

TEST_F(Documentos, ImprimeElRangoElegidoAjustadoAlDocumento) {
    TInformeRTF inf("Cinco hojas");
    hojas(inf, 5);
    TMDIChild *w = guarda(MuestraInforme(inf));
    r.Desde = 2;
    r.Hasta = 3;
    conVistaPrevia([] { PreviewForm->SpeedButton3->click(); });
    w->ImprimirExecute();
    ASSERT_TRUE(impreso());
    EXPECT_EQ(TamanosPdf(d.Archivo("salida.pdf")).size(), 2u);
    QStringList p = PaginasPdf(d.Archivo("salida.pdf"));
    if (!p.isEmpty()) {
        ASSERT_EQ(p.size(), 2);
        EXPECT_TRUE(p[0].contains(cabecera(2, 5)));
        EXPECT_TRUE(p[1].contains(cabecera(3, 5)));
    }

    // a range past the end prints only the pages there are
    QFile::remove(QString::fromStdString(d.Archivo("salida.pdf")));
    r.Desde = 4;
    r.Hasta = 9;
    conVistaPrevia([] { PreviewForm->SpeedButton3->click(); });
    w->ImprimirExecute();
    EXPECT_EQ(TamanosPdf(d.Archivo("salida.pdf")).size(), 2u);
    p = PaginasPdf(d.Archivo("salida.pdf"));
    if (!p.isEmpty()) {
        ASSERT_EQ(p.size(), 2);
        EXPECT_TRUE(p[1].contains(cabecera(5, 5)));
    }
}

// A print whose file cannot be written whole says so, naming the file, and leaves no cut file; the
// next print is whole, without a restart.
TEST_F(Documentos, UnaImpresionQueNoSeEscribeLoDiceYLaSiguienteImprime) {
    TInformeRTF inf("Cinco hojas");
    hojas(inf, 5);
    TMDIChild *w = guarda(MuestraInforme(inf));
    const std::string salida = d.Archivo("salida.pdf");
    for (const FalloEscritura &c : FallosEscritura(salida)) {
        r.Mensajes.clear();
        Impresora().setOutputFileName(QString::fromStdString(c.ruta));
        conVistaPrevia([] { PreviewForm->SpeedButton3->click(); });
        {
            const auto fallo = c.Provoca();
            w->Imprimir->trigger();
        }
        ASSERT_EQ(r.Mensajes.size(), 1u) << c.nombre;
        EXPECT_EQ(r.Mensajes[0].texto,
                  "No se puede imprimir: no se pudo escribir el archivo " + c.ruta + ".");
        EXPECT_FALSE(impreso()) << c.nombre;
        Impresora().setOutputFileName(QString::fromStdString(salida));
        conVistaPrevia([] { PreviewForm->SpeedButton3->click(); });
        w->Imprimir->trigger();
        EXPECT_EQ(r.Mensajes.size(), 1u) << c.nombre;
        EXPECT_EQ(TamanosPdf(salida).size(), 5u) << c.nombre;
        QStringList p = PaginasPdf(salida);
        if (!p.isEmpty()) {
            ASSERT_EQ(p.size(), 5) << c.nombre;
            EXPECT_TRUE(p[4].contains("Hoja 5")) << c.nombre;
        }
        QFile::remove(QString::fromStdString(salida));
    }
}

// In a long report of lines in two sizes every line is printed once, whole, on one page: none is
// repeated at the bottom of a page and the top of the next.
TEST_F(Documentos, CadaLineaSeImprimeEnUnaSolaPagina) {
    TInformeRTF inf("Largo");
    const int lineas = 1500;
    for (int i = 1; i <= lineas; ++i) {
        inf.Atributos(i % 7 ? TAtributos::Normal() : TAtributos::Titulo());
        inf.Linea("Linea " + std::to_string(i));
    }
    TMDIChild *w = guarda(MuestraInforme(inf));
    conVistaPrevia([] { PreviewForm->SpeedButton3->click(); });
    w->Imprimir->trigger();
    QStringList p = PaginasPdf(d.Archivo("salida.pdf"));
    if (p.isEmpty())
        GTEST_SKIP() << "pdftotext no instalado";
    ASSERT_GT(p.size(), 10);
    EXPECT_EQ(NumPaginas, p.size()); // as many as the preview showed
    QRegularExpression linea("Linea (\\d+)");
    int vistas = 0, ultima = 0;
    for (int k = 0; k < p.size(); ++k) {
        QList<int> numeros;
        for (auto it = linea.globalMatch(p[k]); it.hasNext();)
            numeros.append(it.next().captured(1).toInt());
        ASSERT_FALSE(numeros.isEmpty()) << "pagina " << k + 1;
        EXPECT_EQ(numeros.front(), ultima + 1) << "pagina " << k + 1;
        ultima = numeros.back();
        vistas += numeros.size();
    }
    EXPECT_EQ(vistas, lineas);
}

TEST_F(Documentos, DocumentoVacioImprimeUnaPaginaConCabecera) {
    TInformeRTF inf("Nada");
    TMDIChild *w = guarda(MuestraInforme(inf));
    conVistaPrevia([] { PreviewForm->SpeedButton3->click(); });
    w->ImprimirExecute();
    ASSERT_TRUE(impreso());
    EXPECT_EQ(TamanosPdf(d.Archivo("salida.pdf")).size(), 1u);
    QStringList p = PaginasPdf(d.Archivo("salida.pdf"));
    if (!p.isEmpty()) {
        ASSERT_EQ(p.size(), 1);
        EXPECT_TRUE(p[0].contains(cabecera(1, 1)));
    }
}

TEST_F(Documentos, ProduccionImprimeApaisadoYLoDemasVertical) {
    CreaDirectorio(Configuracion().DirArchivosProd);
    TInformeRTF inf("Orden");
    inf.Linea("Tarea 0001");
    GuardaBytes(Configuracion().DirArchivosProd + "orden.rtf", inf.RTF());
    GuardaBytes("orden.rtf", inf.RTF());

    TMDIChild *w = guarda(AbreDocumento(d.Archivo(Configuracion().DirArchivosProd + "orden.rtf")));
    QSize panel;
    conVistaPrevia([&] {
        panel = PreviewForm->Panel->size();
        PreviewForm->SpeedButton3->click();
    });
    w->ImprimirExecute();
    auto t = TamanosPdf(d.Archivo("salida.pdf"));
    ASSERT_EQ(t.size(), 1u);
    EXPECT_GT(t[0].first, t[0].second);       // landscape
    EXPECT_GT(panel.width(), panel.height()); // and so is the page in the preview

    QFile::remove(QString::fromStdString(d.Archivo("salida.pdf")));
    TMDIChild *v = guarda(AbreDocumento(d.Archivo("orden.rtf")));
    conVistaPrevia([] { PreviewForm->SpeedButton3->click(); });
    v->ImprimirExecute();
    t = TamanosPdf(d.Archivo("salida.pdf"));
    ASSERT_EQ(t.size(), 1u);
    EXPECT_LT(t[0].first, t[0].second);
}

TEST_F(Documentos, CerrarLaVistaPreviaNoImprime) {
    TInformeRTF inf("Informe");
    inf.Linea("x");
    TMDIChild *w = guarda(MuestraInforme(inf));
    ImprimirPedido = 1; // left by an earlier print
    conVistaPrevia([] { PreviewForm->close(); });
    w->ImprimirExecute();
    EXPECT_EQ(ImprimirPedido, 0);
    EXPECT_EQ(r.Dialogos, 0);
    EXPECT_FALSE(impreso());

    // cancelling the print dialog prints nothing either
    r.ImprimirAcepta = false;
    conVistaPrevia([] { PreviewForm->SpeedButton3->click(); });
    w->ImprimirExecute();
    EXPECT_EQ(r.Dialogos, 1);
    EXPECT_FALSE(impreso());
}

TEST_F(Documentos, UnClicEnLaBarraDeHerramientasNoImprime) {
    TInformeRTF inf("Informe");
    inf.Linea("x");
    TMDIChild *w = guarda(MuestraInforme(inf));
    w->resize(600, 400);
    int vistas = 0;
    TPreviewForm::Respuesta = [&](TPreviewForm &) { ++vistas; };
    QTest::mouseClick(w->ToolBar1, Qt::LeftButton, {}, QPoint(w->ToolBar1->width() - 5, 5));
    EXPECT_EQ(vistas, 0);
    w->Imprimir->trigger();
    EXPECT_EQ(vistas, 1);
}

TEST_F(Documentos, LaVistaPreviaPasaPaginasDentroDeLimites) {
    TInformeRTF inf("Tres");
    hojas(inf, 3);
    TMDIChild *w = guarda(MuestraInforme(inf));
    EditorVistaPrevia = w->Memo1();
    PaginaActual = 0;
    PreviewForm->Panel->grab();
    EXPECT_EQ(NumPaginas, 3);
    EXPECT_EQ(PreviewForm->Label1->text(), QString::fromUtf8("  Talleres Soler  -  Página 1 de 3"));
    PreviewForm->menospg->click();
    EXPECT_EQ(PaginaActual, 0);
    for (int i = 0; i < 5; ++i)
        PreviewForm->maspg->click();
    EXPECT_EQ(PaginaActual, 2);
    PreviewForm->Panel->grab();
    EXPECT_EQ(PreviewForm->Label1->text(), QString::fromUtf8("  Talleres Soler  -  Página 3 de 3"));
    PreviewForm->menospg->click();
    EXPECT_EQ(PaginaActual, 1);
    EXPECT_EQ(PreviewForm->windowTitle(), "Vista preliminar");
    EXPECT_EQ(PreviewForm->menospg->text(), "Anterior");
    EXPECT_EQ(PreviewForm->maspg->text(), "Siguiente");
    EXPECT_EQ(PreviewForm->SpeedButton3->text(), "Imprimir");
    EXPECT_FALSE(impreso());
}

// The work-order sheet keeps its runs in the bar-code font when saved, and the saved sheet opened
// again prints bars that a real reader reads back in order.
TEST_F(Documentos, HojaDeOrdenGuardadaImprimeCodigosDeBarras) {
    if (!HayZbar() || !HayPdfToPpm())
        GTEST_SKIP() << "zbarimg o pdftoppm no instalados";
    TInformeRTF inf;
    HojaDeOrden(inf);
    TMDIChild *w = guarda(MuestraInforme(inf));
    w->FijaNombreArchivo(d.Archivo("orden.rtf"));
    w->BotonRec->click();
    const std::string rtf = Contenido(d.Archivo("orden.rtf"));
    EXPECT_NE(rtf.find("IDAutomationHC39M;"), std::string::npos);
    EXPECT_NE(rtf.find("*00010000*"), std::string::npos);
    conVistaPrevia([] { PreviewForm->SpeedButton3->click(); });
    guarda(AbreDocumento(d.Archivo("orden.rtf")))->ImprimirExecute();
    EXPECT_EQ(LeeCodigosBarrasPdf(d.Archivo("salida.pdf")),
              (std::vector<std::string>{"CODE-39:00010001", "CODE-39:00010002", "CODE-39:00010000"}));
}

TEST(VistaPrevia, DisposicionDelPanel) {
    const QSize a4(2100, 2970);
    // wide and low: as tall as the window, centred
    QRect r = TPreviewForm::DisposicionPanel(QSize(1000, 594), a4);
    EXPECT_EQ(r, QRect(290, 50, 420, 544));
    // tall and narrow: the full width, at the left edge
    r = TPreviewForm::DisposicionPanel(QSize(300, 900), a4);
    EXPECT_EQ(r, QRect(0, 50, 300, 424 - 50));
    // a window lower than the button band gives an empty panel, never a negative one
    r = TPreviewForm::DisposicionPanel(QSize(300, 30), a4);
    EXPECT_EQ(r.height(), 0);
    // no page measures: an A4 page
    EXPECT_NEAR(TPreviewForm::DisposicionPanel(QSize(1000, 594), QSize()).width(), 420, 1);
}

TEST_F(Documentos, CadaDocumentoSeAbreDentroDeLaVentanaPrincipal) {
    Sesion().NivelUsuario = 1; // already logged in: showing the frame starts nothing
    TMainForm principal;
    principal.resize(560, 420); // smaller than a document window
    principal.show();
    QApplication::processEvents();
    for (int i = 0; i < 4; ++i) {
        guarda(MuestraInforme(TInformeRTF("Presencia", DocumentoPresencia)));
        const QRect marco = principal.Area()->subWindowList().back()->geometry();
        EXPECT_TRUE(principal.Area()->viewport()->rect().contains(marco)) << i;
    }
    principal.hide();
    Sesion().NivelUsuario = 0;
}

// A minimised document window chosen in the "Ventanas" menu comes back and is the active one.
TEST_F(Documentos, VentanaMinimizadaElegidaEnElMenuVentanasSeRestaura) {
    Sesion().NivelUsuario = 1; // already logged in: showing the frame starts nothing
    TMainForm principal;
    principal.show();
    auto marco = [](TMDIChild *w) { return qobject_cast<QMdiSubWindow *>(w->parentWidget()); };
    QMdiSubWindow *minimizada = marco(guarda(MuestraInforme(TInformeRTF("Presencia", DocumentoPresencia))));
    QMdiSubWindow *otra = marco(guarda(MuestraInforme(TInformeRTF("Produccion", DocumentoProduccion))));
    ASSERT_TRUE(minimizada && otra);
    minimizada->showMinimized();
    principal.Area()->setActiveSubWindow(otra);
    QMenu *ventanas = nullptr;
    for (QAction *a : principal.menuBar()->actions())
        if (a->text() == "Ventanas")
            ventanas = a->menu();
    ASSERT_TRUE(ventanas);
    ventanas->popup(principal.geometry().center());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(ventanas));
    const QList<QAction *> acciones = ventanas->actions();
    const auto elegida = std::find_if(acciones.begin(), acciones.end(), [&](QAction *a) {
        return a->text().endsWith(" " + minimizada->windowTitle());
    });
    ASSERT_NE(elegida, acciones.end());
    QTest::mouseClick(ventanas, Qt::LeftButton, {}, ventanas->actionGeometry(*elegida).center());
    EXPECT_FALSE(minimizada->isMinimized());
    EXPECT_TRUE(minimizada->widget()->isVisible());
    EXPECT_EQ(principal.Area()->activeSubWindow(), minimizada);
    Sesion().NivelUsuario = 0;
}
