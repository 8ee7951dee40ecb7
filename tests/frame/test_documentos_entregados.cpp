// A report opened by the viewer hands its document to the window: the window shows, saves and
// paginates the document the builder wrote, and lays out only the lines it shows.
#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "common/sesion.h"
#include "frame/documento.h"
#include "frame/ordenprueba.h"
#include "frame/principal.h"
#include "platform/codepage.h"
#include "platform/informe.h"
#include "platform/lineas.h"
#include "platform/ui/barrasdocumento.h"
#include "platform/ui/paginacion.h"
#include "support/codigobarras.h"
#include "support/dirtemporal.h"
#include "support/respuestas.h"

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A day of a presence report: title, headings and lines in their colours, sizes and styles.
void presencia(TInformeRTF &inf) {
    inf.Atributos(TAtributos::Titulo());
    inf.Linea();
    inf.Linea(Ansi("Listado de presencia   de 12 Ana Núñez"));
    inf.Linea();
    inf.Estilo(false, true);
    inf.Color(ColorGrupo);
    inf.Linea("Partida\tEntra \tSale\t");
    inf.Tamano(10);
    inf.Color(ColorFalta);
    inf.Linea("03/01/2011 lun\t08:05 (T)\t13:00\t");
    inf.Estilo(true, false);
    inf.Color(ColorIncidenciaEmpresa);
    inf.Linea("Vacaciones");
    inf.Color(ColorTotal);
    inf.Linea(Ansi("\t\tH.Teor\tH.Trab\t08:00\t07:55 €"));
}

class DocumentosEntregados : public ::testing::Test {
protected:
    void SetUp() override {
        AjustesPrueba() = LeeConfiguracion("velkatron.ini");
        Sesion().NivelUsuario = 1; // showing the main window starts nothing
        principal.resize(1000, 800);
        principal.show();
        QApplication::processEvents();
    }
    void TearDown() override { Sesion().NivelUsuario = 0; }

    // The report through the viewer the program installs.
    TMDIChild *muestra(TInformeRTF &inf) {
        TMDIChild *w = nullptr;
        FijaVisorInformes([&w](TInformeRTF &i) { w = MuestraInforme(std::move(i)); });
        inf.Muestra();
        FijaVisorInformes(nullptr);
        return w;
    }

    DirectorioTrabajo d;
    RespuestasPrueba r;
    TMainForm principal;
};

} // namespace

TEST_F(DocumentosEntregados, LaVentanaTomaElDocumentoYLoGuardaComoSeEscribio) {
    const std::vector<std::pair<const char *, std::function<void(TInformeRTF &)>>> informes = {
        {"presencia", presencia}, {"orden", HojaDeOrden}, {"vacio", [](TInformeRTF &) {}}};
    for (const auto &[nombre, escribe] : informes) {
        TInformeRTF inf(nombre, DocumentoPresencia);
        escribe(inf);
        inf.FijaNombreArchivo(d.Archivo(std::string(nombre) + ".rtf"));
        const std::string rtf = inf.RTF();
        const QString texto = aQ(inf.TextoPlano());
        const QTextDocument *escrito = &inf.Documento();
        TMDIChild *w = muestra(inf);
        ASSERT_NE(w, nullptr) << nombre;
        EXPECT_EQ(w->Memo1()->document(), escrito) << nombre; // no copy
        EXPECT_EQ(w->Memo1()->toPlainText(), texto) << nombre;
        EXPECT_EQ(inf.TextoPlano(), "") << nombre; // the report was given up
        w->BotonRec->click();
        EXPECT_EQ(Contenido(d.Archivo(std::string(nombre) + ".rtf")), rtf) << nombre;
    }
    EXPECT_TRUE(r.Mensajes.empty());
}

TEST_F(DocumentosEntregados, SoloSeMaquetaLoQueSeVeEnSusColores) {
    TInformeRTF inf("Largo");
    presencia(inf);
    for (int k = 0; k < 3000; ++k)
        inf.Linea("linea " + std::to_string(k));
    TMDIChild *w = muestra(inf);
    const QImage imagen = w->Memo1()->viewport()->grab().toImage();
    const QTextDocument &doc = *w->Memo1()->document();
    EXPECT_GT(doc.firstBlock().layout()->lineCount(), 0);
    const QTextBlock medio = doc.findBlockByNumber(doc.blockCount() / 2); // far below the window
    EXPECT_EQ(medio.layout()->lineCount(), 0);
    // the title's blue and the shortfall's red are on screen
    auto hay = [&imagen](auto es) {
        for (int y = 0; y < imagen.height(); ++y)
            for (int x = 0; x < imagen.width(); ++x)
                if (es(imagen.pixelColor(x, y)))
                    return true;
        return false;
    };
    EXPECT_TRUE(hay([](QColor c) { return c.blue() > 200 && c.red() < 60 && c.green() < 60; }));
    EXPECT_TRUE(hay([](QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; }));
}

TEST_F(DocumentosEntregados, LosCodigosDeBarrasSeVenEnLaVentana) {
    if (!HayZbar())
        GTEST_SKIP() << "zbarimg no instalado";
    TInformeRTF inf("Orden");
    HojaDeOrden(inf);
    TMDIChild *w = muestra(inf);
    w->parentWidget()->resize(900, 700);
    ASSERT_TRUE(w->Memo1()->viewport()->grab().save(QString::fromStdString(d.Archivo("ventana.png"))));
    EXPECT_EQ(LeeCodigosBarrasEnOrden(d.Archivo("ventana.png")),
              (std::vector<std::string>{"CODE-39:00010001", "CODE-39:00010002", "CODE-39:00010000"}));
}

TEST_F(DocumentosEntregados, SePaginaComoElDocumentoEscrito) {
    TInformeRTF inf("Paginas");
    for (int k = 0; k < 400; ++k)
        presencia(inf);
    TPaginacion escrito(inf.Documento(), MedidasA4(300), nullptr);
    TMDIChild *w = muestra(inf);
    w->Memo1()->viewport()->grab();
    TPaginacion mostrado(*w->Memo1()->document(), MedidasA4(300), nullptr);
    ASSERT_GT(escrito.NumPaginas(), 3);
    ASSERT_EQ(mostrado.NumPaginas(), escrito.NumPaginas());
    for (int n = 0; n < escrito.NumPaginas(); ++n) {
        EXPECT_EQ(mostrado.Paginas()[n].primero, escrito.Paginas()[n].primero) << n;
        EXPECT_EQ(mostrado.Paginas()[n].ultimo, escrito.Paginas()[n].ultimo) << n;
    }
}

TEST_F(DocumentosEntregados, UnaVentanaTapadaHaceSuDocumentoCuandoSeVe) {
    // two reports not yet built; the second window covers the first one wholly
    TInformeRTF a("Tapada", DocumentoPresencia), b("Encima"), gemelo;
    for (TInformeRTF *inf : {&a, &gemelo})
        presencia(*inf);
    b.Linea("b");
    a.FijaNombreArchivo(d.Archivo("tapada.rtf"));
    TMDIChild *tapada = muestra(a);
    TMDIChild *encima = muestra(b);
    for (TMDIChild *w : {tapada, encima})
        w->parentWidget()->setGeometry(10, 10, 500, 400);
    encima->parentWidget()->raise();
    QApplication::processEvents();
    EXPECT_FALSE(encima->DocumentoPendiente());
    EXPECT_TRUE(tapada->DocumentoPendiente());
    principal.Area()->setActiveSubWindow(static_cast<QMdiSubWindow *>(tapada->parentWidget()));
    QApplication::processEvents();
    EXPECT_FALSE(tapada->DocumentoPendiente());
    tapada->BotonRec->click();
    EXPECT_EQ(Contenido(d.Archivo("tapada.rtf")), gemelo.RTF());
}

// The text of a window not yet seen is read as any editor's: by an accessibility client, and by
// code that takes the window's editor as a plain text editor. Neither leaves it empty.
TEST_F(DocumentosEntregados, TextoDeUnaVentanaTapadaSeLeeComoElDeCualquierEditor) {
    TInformeRTF a("Tapada", DocumentoPresencia), b("Tapada 2", DocumentoPresencia), c("Encima");
    for (TInformeRTF *inf : {&a, &b})
        presencia(*inf);
    c.Linea("c");
    TMDIChild *tapadas[] = {muestra(a), muestra(b)};
    TMDIChild *encima = muestra(c);
    for (TMDIChild *w : {tapadas[0], tapadas[1], encima})
        w->parentWidget()->setGeometry(10, 10, 500, 400);
    encima->parentWidget()->raise();
    QApplication::processEvents();

    ASSERT_TRUE(tapadas[1]->DocumentoPendiente());
    QPlainTextEdit *texto = tapadas[1]->Memo1();
    EXPECT_EQ(texto->toPlainText(), texto->document()->toPlainText());
    EXPECT_TRUE(texto->toPlainText().contains("Vacaciones"));

    auto *editor = tapadas[0]->findChild<TEditorDocumento *>();
    ASSERT_TRUE(tapadas[0]->DocumentoPendiente());
    QAccessible::setActive(true); // a client reads the screen
    QAccessibleInterface *accesible = QAccessible::queryAccessibleInterface(editor);
    ASSERT_TRUE(accesible && accesible->textInterface());
    const QString leido = accesible->textInterface()->text(0, accesible->textInterface()->characterCount());
    QAccessible::setActive(false);
    EXPECT_EQ(leido, static_cast<QPlainTextEdit *>(editor)->toPlainText());
    EXPECT_TRUE(leido.contains("Vacaciones"));
}
