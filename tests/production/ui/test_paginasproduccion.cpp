// The production editor's pages by order and by employee driven through their controls, over real
// order and clocking files: the worked example, the block selection and its menus, the manual
// clockings of a task, the date filter and the searches, the time display and the reports in PDF.
#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "masterdata/empleados.h"
#include "masterdata/ui/empleadosorg.h"
#include "platform/codepage.h"
#include "platform/informe.h"
#include "platform/lineas.h"
#include "platform/reloj.h"
#include "platform/rtf.h"
#include "platform/ui/paginacion.h"
#include "platform/ui/stringgridview.h"
#include "platform/ui/ventanas.h"
#include "presence/fichajemanual.h"
#include "presence/ui/ficharpre.h"
#include "production/ui/edproduccion.h"
#include "support/dirtemporal.h"
#include "support/pdf.h"
#include "support/respuestas.h"
#include "terminal/guardafichaje.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

const std::string kBlancos(8, ' ');

std::string texto(const QLineEdit *e) {
    return deQ(e->text());
}

class PaginasProduccion : public ::testing::Test {
protected:
    void SetUp() override {
        FijaReloj([] { return QDateTime(QDate(2024, 3, 5), QTime(18, 0)); });
        Escribe("velkatron.ini", "[Config]\r\nFTPro=Horas y minutos\r\n");
        AjustesPrueba() = LeeConfiguracion("velkatron.ini");
        for (const std::string &dir :
             {Configuracion().DirDatos, Configuracion().DirProduccion, Configuracion().DirFichajes})
            ASSERT_TRUE(CreaDirectorio(dir));
        OlvidaParciales();
        Escribe(
            Configuracion().DirProduccion + "2024_0001.Mesa",
            "Mesa roble\r\nACME\r\n00010001\r\n7\r\nPata-1\r\n1\r\nCortar\r\n00010002\r\n7\r\nPata-1\r\n1\r\n"
            "Lijar\r\n00010003\r\n8\r\nTablero-1\r\n1\r\nPintar\r\n");
        std::vector<std::string> registros;
        for (const char *id : {"12 Juan", "13 Ana"}) {
            registros.push_back(id);
            registros.resize(registros.size() + static_cast<size_t>(LineasPorEmpleado) - 1);
        }
        GuardaLineas(Configuracion().DirDatos + "empleados.dat", registros);
        FormEmpleados = new TFormEmpleados();
        FormEmpleados->SG1.SetRowCount(3);
        FormEmpleados->SG1.SetFila(1, {"12 Juan"});
        FormEmpleados->SG1.Cells[ColCostes][1] = "01/01/2024 30,";
        FormEmpleados->SG1.SetFila(2, {"13 Ana"});
        FijaVisorInformes([this](const TInformeRTF &i) {
            informes.push_back(i.Titulo() + "|" + i.NombreArchivo());
            rtf = i.RTF();
        });
        f = std::make_unique<TFormEdProduccion>();
        f->FormActivate();
        f->MuestraPagina(1);
    }
    void TearDown() override {
        f.reset();
        delete FormEmpleados;
        FijaVisorInformes(nullptr);
        FijaReloj(nullptr);
    }
    void ficha(int hora, const char *empleado, const std::string &codigo) {
        ASSERT_EQ(GuardaFichajeManual(LineaFichaje(QDate(2024, 3, 5), QTime(hora, 0), "0", empleado, codigo)),
                  ResultadoFichaje::Guardado);
    }
    void ejemplo() {
        ficha(8, "12 Juan", "00010001");
        ficha(10, "12 Juan", "00010002");
        ficha(12, "12 Juan", kBlancos);
        ficha(13, "12 Juan", kBlancos);
        ficha(15, "12 Juan", "00010000");
    }
    QColor colorTexto(int fila) const {
        return f->VistaSG2->model()->index(fila, 0).data(Qt::ForegroundRole).value<QBrush>().color();
    }

    DirectorioTrabajo d;
    RespuestasPrueba r;
    std::unique_ptr<TFormEdProduccion> f;
    std::vector<std::string> informes;
    std::string rtf;
};

} // namespace

TEST_F(PaginasProduccion, EjemploPorObraYPorEmpleado) {
    ejemplo();
    f->BProdObra->click();
    ASSERT_EQ(f->SG2.RowCount(), 5);
    const std::vector<std::string> contadores = {texto(f->LEttra), texto(f->LEtfin), texto(f->LEtpen),
                                                 texto(f->LEtsin), texto(f->LEtenp), texto(f->LEObras)};
    EXPECT_EQ(contadores, (std::vector<std::string>{"    3", "    2", "    1", "    1", "    0", "    1"}));
    EXPECT_EQ(texto(f->LETTotal), "    6:00");
    EXPECT_EQ(texto(f->LECTotal), "    180.00 \x80");
    EXPECT_EQ(colorTexto(1), QColor(0, 0, 0));
    EXPECT_EQ(colorTexto(4), QColor(255, 0, 0));
    EXPECT_TRUE(f->SpeedButton3->isEnabled());
    EXPECT_EQ(f->TituloProduccion, "Listado de produccion de 1 Obra seleccionada");

    // a task's block: its partial sums, the menu of its column, and the whole block selected
    f->resize(1200, 700);
    f->show();
    f->MuestraPagina(1);
    const QRect celda = f->VistaSG2->visualRect(f->VistaSG2->model()->index(2, 4));
    QTest::mouseClick(f->VistaSG2->viewport(), Qt::LeftButton, {}, celda.center());
    QTest::qWait(20);
    EXPECT_EQ(f->PrimeraFilaObra, 1);
    EXPECT_EQ(f->UltimaFilaObra, 4);
    EXPECT_EQ(texto(f->LETParcial), "    4:00");
    EXPECT_EQ(texto(f->LECParcial), "    120.00 \x80");
    EXPECT_EQ(f->MenuSG2, f->MenuFichar);
    EXPECT_EQ(f->VistaSG2->selectionModel()->selectedIndexes().size(), 22);
    f->SG2SelectCell(9, 1);
    EXPECT_EQ(f->MenuSG2, f->MenuTiempos);
    f->SG2SelectCell(1, 1);
    EXPECT_EQ(f->MenuSG2, f->MenuImprimir);
    f->DTP2->setDate(QDate(2024, 3, 6)); // the by-employee page's "Hasta" dates the by-order report
    f->SpeedButton6->click();            // the selected folder only
    EXPECT_EQ(f->ObraSeleccionada, 0);

    f->MuestraPagina(2);
    ASSERT_EQ(f->CLB1->count(), 2);
    f->CLB1->item(0)->setCheckState(Qt::Checked);
    f->DTP1->setDate(QDate(2024, 3, 1));
    f->DTP2->setDate(QDate(2024, 3, 5));
    f->SpeedButton9->click();
    ASSERT_EQ(f->SG3.RowCount(), 4);
    EXPECT_EQ(texto(f->LEemple), "1");
    EXPECT_EQ(texto(f->LEEmptt), "    6:00");
    f->SG3SelectCell(0, 1);
    EXPECT_EQ(f->UltimaFilaEmpleado, 2);
    EXPECT_EQ(f->UltimaFilaObra, 4); // the by-order page's block stays
    f->SG3SelectCell(6, 2);
    EXPECT_EQ(texto(f->LEEmptp), "    6:00");
    EXPECT_EQ(deQ(f->Button1->text()), "Ordenar por Empleado");
    f->SpeedButton8->click();
    ASSERT_EQ(informes.size(), 2u);
    EXPECT_EQ(informes[0], "Listado de produccion de 1 Obra seleccionada - Carpeta  |archivos/produccion/"
                           "Obra-Mesa 0001 2024-7-06_03_2024.rtf");
    EXPECT_EQ(informes[1], "Listado de produccion por Empleado desde 01/03/2024  hasta 05/03/2024 |"
                           "archivos/produccion/Prod-12 Juan de 01_03_2024 a 05_03_2024.rtf");

    // minutes instead of hours and minutes: stored, and the page shown computed again
    f->TiempoMinutos->trigger();
    EXPECT_EQ(Configuracion().ArchivoIni->ReadString("Config", "FTPro", ""), "Minutos");
    EXPECT_EQ(f->SG3.Celda(9, 1), "   120");
    EXPECT_EQ(texto(f->LEEmptt), "     360");
}

TEST_F(PaginasProduccion, FicharYCerrarTrabajoConElFichajeManual) {
    auto *ventana = new TFormFichar(f.get());
    RegistraVentana("FormFichar", ventana);
    ficha(8, "12 Juan", "00010001");
    f->BProdObra->click();
    EXPECT_EQ(colorTexto(1), QColor(0, 128, 0)); // open: green, timed up to now
    EXPECT_EQ(f->SG2.Celda(9, 1), " 10:00");
    std::string titulo;
    auto responde = [&](int indice, int hora) {
        QTimer::singleShot(0, [&, indice, hora] {
            titulo = deQ(ventana->windowTitle());
            if (indice >= 0)
                ventana->CB1->setCurrentIndex(indice);
            ventana->DT2->setTime(QTime(hora, 0));
            ventana->SpeedButton1Click();
            ventana->accept();
        });
    };
    f->SG2SelectCell(8, 1);
    ASSERT_EQ(f->MenuSG2, f->MenuCerrar);
    responde(-1, 17); // the row's employee comes preset
    f->MenuCerrar->actions()[0]->trigger();
    EXPECT_EQ(titulo, "Cerrar trabajo 00010001 Carpeta (7) Pata-1 1 Cortar");
    f->SG2SelectCell(4, 2);
    responde(1, 16);
    f->MenuFichar->actions()[0]->trigger();
    EXPECT_EQ(titulo, Ansi("Fichar producción 00010002 Carpeta (7) Pata-1 1 Lijar"));
    EXPECT_EQ(f->Marcadas().size(), 1u);
    f->BProdObra->click();
    EXPECT_EQ(f->SG2.Celda(8, 1), "05/03/2024 17:00 C");
    EXPECT_EQ(f->SG2.Celda(6, 2).substr(0, 6), "13 Ana");
    EXPECT_EQ(f->SG2.Celda(7, 2), "05/03/2024 16:00 P");
    EXPECT_EQ(texto(f->LEtenp), "    1");
    DestruyeVentana("FormFichar");
}

TEST_F(PaginasProduccion, FiltroEntreFechasYBusquedas) {
    Escribe(Configuracion().DirProduccion + "2024_0002.Silla",
            "d\r\nc\r\n00020001\r\n9\r\nAsiento-1\r\n1\r\nTapizar\r\n");
    Escribe(Configuracion().DirProduccion + "2024_0003.Mesa",
            "d\r\nc\r\n00030001\r\n10\r\nPata-2\r\n1\r\nCortar\r\n");
    const auto hace = [](int dias) {
        return std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * dias);
    };
    std::filesystem::last_write_time(Configuracion().DirProduccion + "2024_0001.Mesa", hace(30));
    std::filesystem::last_write_time(Configuracion().DirProduccion + "2024_0002.Silla", hace(20));
    f->PageControl1Change();
    ASSERT_EQ(f->LB1->count(), 3);
    EXPECT_EQ(deQ(f->LB1->item(0)->text()), "2024_0003.Mesa"); // newest first

    f->DTP4->setDate(QDate::currentDate().addDays(-25));
    f->DTP3->setDate(QDate::currentDate());
    f->SpeedButton7->click();
    ASSERT_EQ(f->Marcadas().size(), 2u);
    f->BProdObra->click();
    const std::string desde = f->DTP4->date().toString("dd/MM/yyyy").toStdString();
    EXPECT_EQ(f->TituloProduccion, "Listado de produccion por Obra desde " + desde + "  hasta " +
                                       QDate::currentDate().toString("dd/MM/yyyy").toStdString() +
                                       "  ( 2 Obras )");
    EXPECT_FALSE(f->SpeedButton3->isEnabled());

    f->LEBObra->setText("Silla2");
    f->SpeedButton4->click();
    EXPECT_EQ(f->LB1->currentRow(), 1);
    EXPECT_EQ(f->SG2.Celda(5, 1), "Silla 0002 2024");
    f->LEBObra->setText("Mesa3"); // from the current order on only
    f->SpeedButton4->click();
    ASSERT_EQ(r.Mensajes.size(), 1u);
    EXPECT_EQ(r.Mensajes[0].texto,
              Ansi("La Obra : Mesa3 no se encuentra desde la posición actual hasta el final"));

    f->LEBCarpeta->setText("8");
    f->SpeedButton5->click();
    EXPECT_EQ(f->LB1->currentRow(), 2);
    EXPECT_EQ(f->PrimeraFilaObra, 2);
    EXPECT_EQ(f->UltimaFilaObra, 4);
    EXPECT_EQ(f->ObraSeleccionada, 1);
}

TEST_F(PaginasProduccion, InformeImpresoEnPdfConLetraDeAnchoFijo) {
    if (!HayPdfToText())
        GTEST_SKIP() << "pdftotext no instalado";
    ejemplo();
    f->BProdObra->click();
    f->SpeedButton6->click();
    ASSERT_EQ(informes.size(), 1u);
    QTextDocument doc;
    ASSERT_TRUE(LeeRTF(rtf, doc));
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setOutputFormat(QPrinter::PdfFormat);
    impresora.setPageOrientation(QPageLayout::Landscape);
    impresora.setOutputFileName(QString::fromStdString(d.Archivo("obra.pdf")));
    TPaginacion paginas(doc, MedidasPagina(impresora), &impresora);
    std::string error;
    ASSERT_TRUE(ImprimePaginas(paginas, impresora, 0, paginas.NumPaginas(), "Empresa",
                               QFont("DejaVu Sans", 8), error));
    const QString texto = PaginasPdf(d.Archivo("obra.pdf")).join("\n");
    EXPECT_TRUE(texto.contains(QRegularExpression("Total obras :\\s+1"))) << texto.toStdString();
    EXPECT_TRUE(texto.contains("Cortar12 Juan")) << texto.toStdString();
    QProcess fuentes;
    fuentes.start("pdffonts", {QString::fromStdString(d.Archivo("obra.pdf"))});
    ASSERT_TRUE(fuentes.waitForFinished(20000));
    EXPECT_TRUE(fuentes.readAllStandardOutput().contains("Mono"));
}
