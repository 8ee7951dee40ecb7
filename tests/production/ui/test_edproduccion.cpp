// The production editor driven through its controls: composing, saving and extending work orders,
// the by-order page's print of a folder, and the production code dialog.
#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "platform/codepage.h"
#include "platform/informe.h"
#include "platform/lineas.h"
#include "platform/reloj.h"
#include "platform/ui/barrasdocumento.h"
#include "platform/ui/stringgridview.h"
#include "production/ui/edproduccion.h"
#include "production/ui/producod.h"
#include "support/codigobarras.h"
#include "support/dirtemporal.h"
#include "support/respuestas.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

const char *const kEsquemas = "Mesa$4\r\n\tPata\r\n\t\tCortar\r\n\t\tLijar\r\n\tTablero\r\n\t\tPintar\r\n"
                              "Varios\r\n\tCaja\r\n\t\tMontar\r\n\tTapa\r\n\t\tPegar\r\n";

std::string texto(const QTreeWidgetItem *i) {
    return i ? deQ(i->text(0)) : "(nada)";
}

class EdProduccion : public ::testing::Test {
protected:
    void SetUp() override {
        FijaReloj([] { return QDateTime(QDate(2024, 3, 5), QTime(10, 0)); });
        Escribe("velkatron.ini", "[Produccion]\r\nNumeroDeCarpeta=7\r\n");
        AjustesPrueba() = LeeConfiguracion("velkatron.ini");
        ASSERT_TRUE(CreaDirectorio("datos"));
        ASSERT_TRUE(CreaDirectorio("produccion"));
        Escribe("datos/produccion.org", kEsquemas);
        Escribe("datos/clientes.dat", "ACME\r\n");
        FijaVisorInformes(
            [this](const TInformeRTF &i) { hojas.push_back(i.Titulo() + "|" + i.TextoPlano()); });
        f = std::make_unique<TFormEdProduccion>();
        f->FormActivate();
    }
    void TearDown() override {
        f.reset();
        FijaVisorInformes(nullptr);
        FijaReloj(nullptr);
    }
    QTreeWidgetItem *tipo(int i) const { return f->TV1->topLevelItem(i); }
    void elige(QTreeWidgetItem *i) {
        ASSERT_TRUE(i);
        if (f->TV1->currentItem() == i)
            f->TV1Change();
        else
            f->TV1->setCurrentItem(i);
    }
    // The order type, then each part named (children of the type by index).
    void compone(std::initializer_list<int> partes) {
        QTreeWidgetItem *mesa = tipo(0);
        elige(mesa);
        f->SpeedButton1Click();
        for (int p : partes) {
            elige(mesa->child(p));
            f->SpeedButton1Click();
        }
    }
    std::string ini(const char *seccion, const char *clave) const {
        return Configuracion().ArchivoIni->ReadString(seccion, clave, "(nada)");
    }
    std::vector<std::string> columna(int c) const {
        std::vector<std::string> r;
        for (int i = 1; i < f->Composicion.SG1.RowCount(); ++i)
            r.push_back(f->Composicion.SG1.Celda(c, i));
        return r;
    }

    DirectorioTrabajo d;
    RespuestasPrueba r;
    std::unique_ptr<TFormEdProduccion> f;
    std::vector<std::string> hojas;
};

} // namespace

TEST_F(EdProduccion, ComponerYGuardarUnaOrden) {
    EXPECT_EQ(f->PageControl1->tabText(1), QString::fromUtf8("Producción por Obra"));
    ASSERT_EQ(f->TV1->topLevelItemCount(), 2);
    EXPECT_EQ(deQ(f->Carpeta->text()), "7");
    EXPECT_FALSE(f->botonrec->isEnabled());
    elige(tipo(0));
    EXPECT_EQ(texto(f->TV2->topLevelItem(0)), "2024_0001.Mesa");
    f->SpeedButton1Click();
    EXPECT_EQ(f->TV1->topLevelItemCount(), 1); // only this type's parts remain
    EXPECT_FALSE(f->LE1->isEnabled());
    elige(tipo(0)->child(0));
    EXPECT_EQ(texto(f->TV2->topLevelItem(0)), "Pata-1");
    f->SpeedButton1Click();
    EXPECT_EQ(texto(f->TV2->topLevelItem(0)), "Pata-2"); // the preview of the next instance
    EXPECT_EQ(deQ(f->Carpeta->text()), "8");
    elige(tipo(0)->child(1));
    f->SpeedButton1Click();
    EXPECT_TRUE(f->botonrec->isEnabled());
    f->LE2->setText("Mesa roble");
    f->CB1->setCurrentText("ACME");
    ASSERT_TRUE(f->botonrecClick());

    EXPECT_EQ(
        Contenido("produccion/2024_0001.Mesa"),
        "Mesa roble\r\nACME\r\n00010001\r\n7\r\nPata-1\r\n1\r\nCortar\r\n00010002\r\n7\r\nPata-1\r\n1\r\n"
        "Lijar\r\n00010003\r\n8\r\nTablero-1\r\n1\r\nPintar\r\n");
    EXPECT_EQ(ini("Produccion", "Pata"), "2");
    EXPECT_EQ(ini("Produccion", "Tablero"), "2");
    EXPECT_EQ(ini("Produccion", "NumeroDeCarpeta"), "9");
    EXPECT_TRUE(Configuracion().ArchivoIni->ReadSection("Prov").empty());
    EXPECT_TRUE(r.Mensajes.empty());

    // back to empty, and the by-order page shows the new order
    EXPECT_EQ(f->Composicion.Filas(), 0);
    EXPECT_EQ(f->TV1->topLevelItemCount(), 2);
    EXPECT_TRUE(f->LE1->isEnabled());
    EXPECT_FALSE(f->botonrec->isEnabled());
    EXPECT_EQ(deQ(f->Carpeta->text()), "9");
    EXPECT_EQ(f->PageControl1->currentIndex(), 1);
    ASSERT_EQ(f->LB1->count(), 1);
    EXPECT_EQ(f->Marcadas().size(), 1u);
    EXPECT_EQ(f->Marcadas()[0].substr(0, 15), "2024_0001.Mesa\t");

    // printing folder 7 with and without the closing code
    f->BProdObraClick();
    ASSERT_EQ(f->SG2.RowCount(), 4);
    f->SG2SelectCell(1, 2);
    EXPECT_EQ(f->PrimeraFilaObra, 0);
    EXPECT_EQ(f->UltimaFilaObra, 3);
    EXPECT_EQ(f->ObraSeleccionada, 1);
    EXPECT_EQ(deQ(f->ST1->text()), Ansi("Descripción : Mesa roble"));
    f->ImprimeOrden(true);
    f->ImprimeOrden(false);
    ASSERT_EQ(hojas.size(), 2u);
    EXPECT_EQ(hojas[0].substr(0, 15), "2024_0001.Mesa\t");
    const std::string conCierre = hojas[0].substr(hojas[0].find("*0001"));
    EXPECT_EQ(conCierre, "*00010001*\t\t1\tCortar\n\n\n\n\n\t\t*00010002*\t\t1\tLijar\n\n\n\n\n"
                         "\t\t*00010000*\t\t1\tCerrar trabajo");
    EXPECT_EQ(hojas[1].substr(hojas[1].find("*0001")),
              "*00010001*\t\t1\tCortar\n\n\n\n\n\t\t*00010002*\t\t1\tLijar");
    EXPECT_EQ(f->OrdenConCierre, 0);

    // an order composed while another is shown is saved under its own name
    const std::string primera = Contenido("produccion/2024_0001.Mesa");
    compone({1});
    f->BProdObraClick();
    ASSERT_TRUE(f->botonrecClick());
    EXPECT_EQ(Contenido("produccion/2024_0001.Mesa"), primera);
    EXPECT_EQ(Contenido("produccion/2024_0002.Mesa"),
              "\r\n\r\n00020001\r\n9\r\nTablero-2\r\n1\r\nPintar\r\n");
}

TEST_F(EdProduccion, NumeracionYAmpliacionConFechaConservada) {
    for (const char *a : {"2024_0025.A", "2024_0026.B", "2023_0027.Mesa"})
        Escribe(std::string("produccion/") + a, "");
    elige(tipo(0));
    QTest::keyClicks(f->LE1, "25");
    EXPECT_EQ(texto(f->TV2->topLevelItem(0)), "2024_0027.Mesa");
    compone({0});
    ASSERT_TRUE(f->botonrecClick());
    const std::string ruta = "produccion/2024_0027.Mesa";
    const auto fecha = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 10);
    std::filesystem::last_write_time(ruta, fecha);

    // the order shown alone on the by-order page is taken back and extended
    f->PageControl1Change();
    const auto items = f->LB1->findItems("2024_0027.Mesa", Qt::MatchStartsWith);
    ASSERT_EQ(items.size(), 1);
    f->LB1Click(items[0], false);
    f->BProdObraClick();
    ASSERT_TRUE(f->SpeedButton3->isEnabled());
    f->SpeedButton3->click();
    EXPECT_EQ(f->PageControl1->currentIndex(), 0);
    EXPECT_EQ(texto(f->TV3->topLevelItem(0)), "Mesa0027");
    EXPECT_EQ(f->TV1->topLevelItemCount(), 1);
    EXPECT_EQ(columna(2), (std::vector<std::string>{"Pata-1", "Pata-1"}));
    EXPECT_TRUE(f->botonrec->isEnabled());
    elige(tipo(0)->child(1));
    f->SpeedButton1Click();
    EXPECT_EQ(columna(0), (std::vector<std::string>{"00270001", "00270002", "00270003"}));
    f->LE2->setText("otra");
    ASSERT_TRUE(f->botonrecClick());
    EXPECT_EQ(Contenido(ruta),
              "otra\r\n\r\n00270001\r\n7\r\nPata-1\r\n1\r\nCortar\r\n00270002\r\n7\r\nPata-1\r\n1\r\n"
              "Lijar\r\n00270003\r\n8\r\nTablero-1\r\n1\r\nPintar\r\n");
    EXPECT_EQ(std::filesystem::last_write_time(ruta), fecha);
}

TEST_F(EdProduccion, GuardadoFallidoConservaLaComposicionYLosContadores) {
    ASSERT_TRUE(std::filesystem::remove("produccion"));
    compone({0});
    f->CB1->setCurrentText("acme");
    r.Respuestas = {Dialogos::Respuesta::Si};
    EXPECT_FALSE(f->botonrecClick());
    ASSERT_EQ(r.Mensajes.size(), 2u);
    EXPECT_EQ(r.Mensajes[0].texto, Ansi("acme\r\nNo está en la lista.\r\n¿ Quiere añadirlo ahora ?"));
    EXPECT_EQ(r.Mensajes[0].titulo, "Cliente");
    EXPECT_EQ(Contenido("datos/clientes.dat"), "ACME\r\nacme\r\n");
    EXPECT_EQ(r.Mensajes[1].texto, "No se puede guardar el archivo produccion/2024_0001.Mesa");
    EXPECT_EQ(f->Composicion.Filas(), 2);
    EXPECT_TRUE(f->botonrec->isEnabled());
    EXPECT_EQ(ini("Produccion", "NumeroDeCarpeta"), "7");
    EXPECT_EQ(ini("Prov", "Pata"), "2");

    ASSERT_TRUE(CreaDirectorio("produccion"));
    ASSERT_TRUE(f->botonrecClick());
    EXPECT_EQ(r.Mensajes.size(), 2u); // the client is in the list now
    EXPECT_EQ(ini("Produccion", "Pata"), "2");
    EXPECT_EQ(ini("Produccion", "NumeroDeCarpeta"), "8");
}

TEST_F(EdProduccion, PartesRepetidasYEliminar) {
    ASSERT_TRUE(Configuracion().ArchivoIni->WriteString("Produccion", "Pata", "5"));
    compone({0, 0, 0, 1});
    EXPECT_EQ(columna(2), (std::vector<std::string>{"Pata-5", "Pata-5", "Pata-6", "Pata-6", "Pata-7",
                                                    "Pata-7", "Tablero-1"}));
    EXPECT_EQ(columna(1), (std::vector<std::string>{"7", "7", "8", "8", "9", "9", "10"}));
    EXPECT_EQ(deQ(f->Carpeta->text()), "11");
    f->FormActivate(); // an activation while composing keeps the folder number and the type's parts
    EXPECT_EQ(deQ(f->Carpeta->text()), "11");
    EXPECT_EQ(f->TV1->topLevelItemCount(), 1);
    // a folder number typed that a part carries moves on
    f->Carpeta->clear();
    QTest::keyClicks(f->Carpeta, "9");
    EXPECT_EQ(deQ(f->Carpeta->text()), "11");

    // removing the first instance's node removes the last instance, and the rows after it move up
    QTreeWidgetItem *raiz = f->TV3->topLevelItem(0);
    f->TV3->setCurrentItem(raiz->child(0));
    f->SpeedButton2Click();
    EXPECT_EQ(columna(2), (std::vector<std::string>{"Pata-5", "Pata-5", "Pata-6", "Pata-6", "Tablero-1"}));
    EXPECT_EQ(columna(0),
              (std::vector<std::string>{"00010001", "00010002", "00010003", "00010004", "00010005"}));
    EXPECT_EQ(deQ(f->Carpeta->text()), "9");
    EXPECT_EQ(ini("Prov", "Pata"), "7");
    ASSERT_EQ(raiz->childCount(), 3);
    EXPECT_EQ(texto(raiz->child(2)), "Tablero-1");

    // removing the order discards the composition and its provisional counters
    f->LE2->setText("x");
    f->TV3->setCurrentItem(raiz);
    f->SpeedButton2Click();
    EXPECT_EQ(f->TV3->topLevelItemCount(), 0);
    EXPECT_EQ(f->Composicion.Filas(), 0);
    EXPECT_TRUE(f->LE2->text().isEmpty());
    EXPECT_EQ(deQ(f->Carpeta->text()), "7");
    EXPECT_EQ(f->TV1->topLevelItemCount(), 2);
    EXPECT_TRUE(Configuracion().ArchivoIni->ReadSection("Prov").empty());
    EXPECT_EQ(ini("Produccion", "Pata"), "5");
}

TEST_F(EdProduccion, TipoSinNumeracionComponeTodoDeUnaVez) {
    elige(tipo(1));
    EXPECT_EQ(f->TV1->topLevelItemCount(), 0);
    EXPECT_EQ(f->TV2->topLevelItemCount(), 0);
    EXPECT_EQ(texto(f->TV3->topLevelItem(0)), "2024_0000.Varios");
    EXPECT_EQ(columna(0), (std::vector<std::string>{"00000001", "00000002"}));
    EXPECT_EQ(columna(1), (std::vector<std::string>{"0", "0"}));
    EXPECT_EQ(columna(2), (std::vector<std::string>{"Caja-1", "Tapa-1"}));
    EXPECT_EQ(deQ(f->Carpeta->text()), "7");
    f->TV3->setCurrentItem(f->TV3->topLevelItem(0)->child(0));
    f->SpeedButton2Click(); // parts of an un-numbered order are not removed one by one
    EXPECT_EQ(f->Composicion.Filas(), 2);
    ASSERT_TRUE(f->botonrecClick());
    EXPECT_TRUE(ExisteArchivo("produccion/2024_0000.Varios"));
    EXPECT_EQ(ini("Produccion", "NumeroDeCarpeta"), "7");

    // shown alone it cannot be extended: "Ampliar" leaves the by-order page as it is
    f->BProdObraClick();
    ASSERT_TRUE(f->SpeedButton3->isEnabled());
    f->SpeedButton3->click();
    EXPECT_EQ(f->PageControl1->currentIndex(), 1);
    EXPECT_EQ(f->TV3->topLevelItemCount(), 0);
}

TEST_F(EdProduccion, ClientesAusentesYAnchosDeColumna) {
    std::filesystem::remove("datos/clientes.dat");
    f->CB1->setCurrentText("ACME");
    f->FormActivate();
    EXPECT_EQ(f->CB1->count(), 0);
    EXPECT_TRUE(r.Mensajes.empty());

    f->VistaSG2->setColumnWidth(2, 123);
    f->close();
    const std::string anchos = Contenido("datos/anchosprod.dat");
    ASSERT_EQ(anchos.size(), 88u);
    EXPECT_EQ(anchos.substr(8, 4), std::string("\x7B\0\0\0", 4));
    TFormEdProduccion otro;
    EXPECT_EQ(otro.VistaSG2->columnWidth(2), 123);
}

TEST(Producod, ElCodigoTecleadoSeVeComoBarras) {
    if (!HayZbar())
        GTEST_SKIP() << "zbarimg no instalado";
    DirectorioTrabajo d;
    TFormProducod f;
    EXPECT_EQ(f.windowTitle(), QString::fromUtf8("Códigos de producción"));
    f.resize(600, 200);
    f.show();
    QTest::keyClicks(f.Edit1, "*00250001*");
    EXPECT_EQ(f.RE1->toPlainText(), "*00250001*");
    ASSERT_TRUE(f.RE1->viewport()->grab().save(QString::fromStdString(d.Archivo("pantalla.png"))));
    EXPECT_EQ(LeeCodigosBarras(d.Archivo("pantalla.png")), (std::vector<std::string>{"CODE-39:00250001"}));
}

TEST_F(EdProduccion, DobleClicEnElFondoReduceYDevuelveLaEscala) {
    f->resize(1280, 800);
    f->show();
    const qreal puntos = f->font().pointSizeF();
    QTest::mouseDClick(f.get(), Qt::LeftButton);
    EXPECT_EQ(f->size(), QSize(1000, 625));
    EXPECT_NEAR(f->font().pointSizeF(), puntos * 800 / 1024, 0.01);
    QTest::mouseDClick(f.get(), Qt::LeftButton);
    EXPECT_EQ(f->size(), QSize(1280, 800));
    EXPECT_NEAR(f->font().pointSizeF(), puntos, 0.01);
}
