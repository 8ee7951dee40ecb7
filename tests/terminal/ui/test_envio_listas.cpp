// The control panel loads user lists and denied lists into simulated terminals over loopback TCP
// and over a pseudo-terminal, serves their list requests, and changes a user's code.
#include "common/ajustesprueba.h"
#include "masterdata/terminales.h"
#include "masterdata/ui/terminalesorg.h"
#include "platform/codepage.h"
#include "support/respuestas.h"
#include "terminal/enlacesprueba.h"
#include "terminal/fichajesprueba.h"
#include "terminal/listasusuarios.h"
#include "terminal/ui/camcod.h"
#include "terminal/ui/panel.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class EnvioListas : public Simulador {
protected:
    void SetUp() override {
        Simulador::SetUp();
        Escribe(dir.Archivo("velkatron.ini"),
                "[config]\r\ndatos=" + dir.Ruta() + "/\r\nhuellas=" + dir.Ruta() + "/huellas/\r\n");
        CreaDirectorio(dir.Ruta() + "/huellas");
        FormTerminales = new TFormTerminales();
        AjustesPrueba() = LeeConfiguracion(); // as the program reads it before the panel
        panel = std::make_unique<TFormVelka>();
        enlaces = &panel->Enlaces;
        motor.Conduce(panel->Enlaces);
        panel->Enlaces.Entorno.Guarda = [this](char *r) {
            guardados.emplace_back(r, 103);
            return true;
        };
    }
    void TearDown() override {
        enlaces = &propios;
        motor.Conduce(propios);
        panel.reset();
        delete FormTerminales;
        Simulador::TearDown();
    }
    // Terminals 3 and 4 on rows 1 and 2, over TCP or both on the serial line.
    void monta(bool serie) {
        auto carga = [this] {
            StringGrid &t = FormTerminales->SGTerminales;
            t.SetRowCount(g.RowCount());
            for (int r = 1; r < g.RowCount(); ++r)
                for (int c = 0; c < 6; ++c)
                    t.Cells[c][r] = g.Celda(c, r);
            ASSERT_TRUE(GuardaTerminales(RutaTerminales(), t));
            panel->CargaTerminales(t);
        };
        if (!serie) {
            dosEthernet(t3, t4, s3, s4, carga);
        } else {
            linea = std::make_unique<LineaSimulada>();
            linea->Agrega(t3);
            linea->Agrega(t4);
            g.SetRowCount(3);
            g.Cells[0][1] = g.Cells[0][2] = "Serie";
            g.Cells[1][1] = "3";
            g.Cells[1][2] = "4";
            carga();
            ASSERT_TRUE(panel->Enlaces.AbrePuertoSerie(linea->RutaEsclavo()));
        }
        selecciona(2);
    }
    void selecciona(int fila) {
        panel->CLBTerminales->setCurrentRow(fila - 1);
        panel->CLBTerminalesDblClick();
    }
    void cargaLista(const std::string &nombre, const std::string &bytes) {
        Escribe(Configuracion().DirHuellas + nombre + ".min", bytes);
        panel->Edit1->setText(aQ(nombre));
        panel->CargaArchivoHuellas();
    }
    TEntornoRecepcion &e() { return panel->Enlaces.Entorno; }
    QByteArray recibido() const { return linea ? linea->Recibido : s4->Recibido; }
    std::string visor() const { return deQ(panel->visor->toPlainText()); }
    // The record as the terminal must get it: OEM text, filler after the template.
    void peticion(bool serie);
    static std::string preparado(std::string r) {
        const size_t fin = r.find('\0', 4);
        r.replace(4, fin - 4, CharToOem(r.substr(4, fin - 4)));
        for (size_t i = 134 + 4 * static_cast<size_t>(r[132]); i < 392; ++i)
            r[i] = '\xFF';
        return r;
    }

    RespuestasPrueba respuestas;
    std::unique_ptr<TFormVelka> panel;
    TerminalSimulado t3{3}, t4{4};
    std::unique_ptr<ServidorTerminal> s3, s4;
    std::unique_ptr<LineaSimulada> linea;
};

// A list uploaded by terminal 3 is filtered, edited, sorted, saved and loaded whole into terminal 4.
TEST_F(EnvioListas, ListaRecibidaEditadaYEnviadaEntera) {
    monta(false);
    std::string conBanda = RegistroLista("300", "CARLOS", 10, 255);
    for (int i = 134 + 40; i < 392; ++i)
        conBanda[i] = 0x11; // filler of its own, which the terminal must not get
    std::vector<std::string> subida = {RegistroLista("100", "ZOE", 3, 255),
                                       RegistroLista("200", "BEA", 2, 80), conBanda};
    ASSERT_TRUE(subeLista(t3, subida, {}, kHora));
    EXPECT_EQ(deQ(panel->Edit1->text()), "L1401260800.min");
    ASSERT_EQ(panel->SG1.RowCount(), 4);
    panel->SeleccionaSG1(1, 1);
    panel->BitBtn3->click();
    panel->SeleccionaSG1(3, 3);
    panel->BitBtn3->click();
    panel->SG2.Cells[1][1] = "77";
    panel->SG2.Cells[2][2] = "MAR\xCD"
                             "A";
    panel->SG2SelectCell(4, 2);
    panel->RG1Click(2); // "No permitir nunca"
    panel->OrdNom->click();
    panel->Edit5->setText("nave");
    panel->Button4->click();
    cargaLista("nave", Contenido(Configuracion().DirHuellas + "nave.min"));
    ASSERT_EQ(panel->SG1.RowCount(), 3);

    FormTerminales->SGTerminales.Cells[ColDenegados][2] = "denegados.004";
    panel->BitBtn1->click();
    ASSERT_TRUE(espera([&] { return t4.Borrados == 1; }));
    EXPECT_EQ(e().ModoSondeo, 0); // clockings are still collected while the terminal empties its list
    e().CuentaSegundos = 0;
    ASSERT_TRUE(espera([&] { return t4.CargasCompletas == 1; }));
    const std::string nave = Contenido(Configuracion().DirHuellas + "nave.min");
    ASSERT_EQ(t4.Memoria.size(), 2u);
    EXPECT_EQ(t4.Memoria[0], preparado(nave.substr(0, 512)));
    EXPECT_EQ(t4.Memoria[1], preparado(nave.substr(512)));
    EXPECT_EQ(t4.Memoria[0].substr(4, 8), std::string("300 MAR\xD6", 8));
    EXPECT_EQ(t4.Memoria[0].substr(400, 4), std::string(4, '\0'));
    EXPECT_EQ(t4.Memoria[1].substr(4, 7), std::string("77 ZOE\0", 7));
    EXPECT_NE(visor().find("Enviando lista a FLASH"), std::string::npos);
    EXPECT_NE(visor().find("   2 - 77 ZOE  3 minucias"), std::string::npos);
    // Terminal 4 holds the list now: recorded and saved, and no link was dropped.
    ASSERT_TRUE(espera([&] { return e().ModoSondeo == 0; }));
    StringGrid leido(6, 1);
    LeeTerminales(RutaTerminales(), leido);
    EXPECT_EQ(leido.Celda(ColPermitidos, 2), "nave.min");
    EXPECT_EQ(leido.Celda(ColPermitidos, 1), "");
    EXPECT_FALSE(TerminalActualizado(2)); // a new list: its denied list must go again
    EXPECT_EQ(s3->Conexiones + s4->Conexiones, 2);
}

TEST_F(EnvioListas, SeleccionConNakYListaVacia) {
    monta(false);
    std::string lista;
    for (int i = 1; i <= 6; ++i)
        lista += RegistroLista(std::to_string(i), "U" + std::to_string(i), i, 255);
    cargaLista("seis", lista);
    t4.NakRegistros = {1};
    panel->SeleccionaSG1(3, 5);
    panel->BitBtn8->click();
    ASSERT_TRUE(espera([&] { return t4.CargasCompletas == 1; }));
    ASSERT_EQ(t4.Memoria.size(), 3u);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(t4.Memoria[i], preparado(lista.substr(512 * (i + 2), 512))) << i;
    const QByteArray cuarto =
        QByteArray::fromStdString(TramaRegistroLista(preparado(lista.substr(1536, 512))));
    EXPECT_EQ(recibido().count(cuarto), 2); // refused once, sent again
    EXPECT_EQ(t4.Borrados, 0);

    // An empty list: the end sequence right after the load command's ACK.
    cargaLista("vacia", "");
    s4->Recibido.clear();
    panel->BitBtn1->click();
    ASSERT_TRUE(espera([&] { return t4.Borrados == 1; }));
    e().CuentaSegundos = 0;
    ASSERT_TRUE(espera([&] { return t4.CargasCompletas == 2; }));
    EXPECT_TRUE(s4->Recibido.endsWith(QByteArray("\x05"
                                                 "04\x01"
                                                 "A\x04\x05"
                                                 "04\r")));
}

TEST_F(EnvioListas, TerminalCalladoDaErrorTrasSusTiempos) {
    monta(false);
    cargaLista("tres", RegistroLista("1", "A", 1, 255) + RegistroLista("2", "B", 1, 255) +
                           RegistroLista("3", "C", 1, 255));
    t4.CallaTrasRegistros = 1;
    panel->SeleccionaSG1(1, 3);
    panel->BitBtn8->click();
    ASSERT_TRUE(espera([&] { return panel->Envio.RegistrosEnviados() == 2; }));
    // From here the test is the clock, from the moment the second record went: 100 Timer2 ticks a
    // second.
    panel->Timer1->stop();
    panel->Timer2->stop();
    motor.Para();
    e().CuentaSegundos = 8;
    e().SubcuentaSegundos = 100;
    int ticks = 0;
    while (visor().find("ERROR DE COMUNICACION") == std::string::npos && ticks < 4000) {
        panel->Timer2Timer();
        panel->Timer1Timer();
        ++ticks;
    }
    EXPECT_EQ(ticks, 2801); // 8 seconds, then 5 for each of four more tries
    EXPECT_EQ(e().ModoSondeo, 0);
    EXPECT_FALSE(panel->Envio.Activo());
    EXPECT_EQ(t4.Memoria.size(), 1u);
}

// A terminal asks for the list of a code: the known one goes into its RAM, an unknown one is refused.
void EnvioListas::peticion(bool serie) {
    monta(serie);
    const std::string u = RegistroLista("123",
                                        "PE\xD1"
                                        "A",
                                        4, 255) +
                          RegistroLista("123", "OTRA", 2, 255);
    Escribe(Configuracion().DirHuellas + "U123.min", u);
    const std::string terminales = Contenido(RutaTerminales());
    t4.PideLista("123");
    ASSERT_TRUE(espera([&] { return t4.CargasCompletas == 1 && e().ModoSondeo == 0; }));
    EXPECT_EQ(t4.Ram, (std::vector<std::string>{preparado(u.substr(0, 512)), preparado(u.substr(512))}));
    EXPECT_TRUE(t4.Memoria.empty());
    t4.PideLista("999");
    ASSERT_TRUE(espera([&] { return t4.Pantalla.size() == 1; }));
    EXPECT_EQ(t4.Pantalla[0], "D05 ACCESO DENEGADO");
    EXPECT_TRUE(recibido().endsWith("\x05"
                                    "04D05 ACCESO DENEGADO\r"));
    // The terminals file and the other links are untouched.
    EXPECT_EQ(Contenido(RutaTerminales()), terminales);
    if (!serie) {
        EXPECT_EQ(s3->Conexiones + s4->Conexiones, 2);
    }
    EXPECT_EQ(FormTerminales->SGTerminales.Celda(ColPermitidos, 2), "");
}

TEST_F(EnvioListas, PeticionDeListaPorTcp) {
    peticion(false);
}
TEST_F(EnvioListas, PeticionDeListaPorLaLineaSerie) {
    peticion(true);
}

TEST_F(EnvioListas, DenegadosConSuSumaYUnAnuncioAjeno) {
    monta(true);
    cargaLista("nave", RegistroLista("12", "ANA", 1, 255) + RegistroLista("345", "BEA", 1, 255) +
                           RegistroLista("9",
                                         "JEFE\xAC"
                                         "1",
                                         1, 255));
    panel->SeleccionaSG1(1, 3);
    panel->SG1ContextPopup();
    EXPECT_EQ(deQ(panel->Denega1->text()), "Denegar acceso");
    panel->Denega1->trigger();
    panel->SG1ContextPopup();
    EXPECT_EQ(deQ(panel->Denega1->text()), "Permitir acceso");
    EXPECT_EQ(Contenido("denegados.004"), "12 ANA\r\n345 BEA\r\n9 JEFE (SUPERVISOR)\r\n");
    // Terminal 3 announces a clocking while terminal 4's reply is on its way.
    t3.Pendientes.push_back(registros(3, 1)[0]);
    t4.RetrasoMs = 150;
    panel->BitBtn7->click();
    t3.Anuncia();
    ASSERT_TRUE(espera([&] { return !panel->BitBtn7->isEnabled(); }));
    EXPECT_EQ(t4.Denegados, (std::vector<std::string>{"12", "345"}));
    EXPECT_TRUE(linea->Recibido.contains("\x05"
                                         "04qi\r12\r\n345\r\n\x04"
                                         "35"));
    EXPECT_NE(visor().find("Lista enviada correctamente."), std::string::npos);
    EXPECT_EQ(FormTerminales->SGTerminales.Celda(ColDenegados, 2), "denegados.004");
    EXPECT_TRUE(TerminalActualizado(2));
    EXPECT_FALSE(TerminalActualizado(1));
    ASSERT_TRUE(espera([&] { return t3.Pendientes.empty(); })); // the announcement is served after
    EXPECT_EQ(guardados.size(), 1u);
}

TEST(CambioCodigoPanel, ListaHistoricoYListado) {
    FijaReloj([] { return QDateTime(QDate(2026, 1, 14), QTime(12, 0)); });
    EntornoFichajes e;
    RespuestasPrueba respuestas;
    TFormVelka panel;
    EntornoFichajes ajustes; // the panel read its own settings: the test's again
    AjustesPrueba().DirHuellas = "";
    StringGrid g(6, 2);
    g.Cells[0][1] = "Serie";
    g.Cells[1][1] = "7";
    panel.CargaTerminales(g);
    Escribe("a.min", RegistroLista("123", "ANA", 2, 255));
    std::string historico;
    for (const std::string empleado : {"123 ANA", "124 LUIS"}) {
        std::string r = Registro(7, 14, 1, 2026, 8, 0, empleado);
        historico += r;
        Guarda(r);
    }
    panel.Edit1->setText("a");
    panel.CargaArchivoHuellas();
    panel.SG1.SetRow(1);
    QTimer::singleShot(0, [] {
        auto *d = qobject_cast<TFormCamCod *>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->LE1->text(), "123");
        d->LE2->setText("45");
        d->BitBtn1->click();
    });
    panel.Cambiarcdigo1Click();
    EXPECT_EQ(panel.SG1.Celda(1, 1), "45");
    EXPECT_EQ(Contenido(Configuracion().RutaHistorico),
              Registro(7, 14, 1, 2026, 8, 0, "45 ANA") + historico.substr(103));
    EXPECT_EQ(deQ(panel.EDBusca->text()), "45");
    ASSERT_EQ(panel.SGFichajes.RowCount(), 2);
    EXPECT_NE(panel.SGFichajes.Fila(1)[2].find("45"), std::string::npos);
    FijaReloj(nullptr);
}

} // namespace
