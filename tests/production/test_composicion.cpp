// Composing an order, the by-order rows and blocks, and the work-order sheet.
#include "platform/code39.h"
#include "platform/codepage.h"
#include "production/composicion.h"
#include "production/obras.h"
#include "production/ordenimpresa.h"
#include "support/dirtemporal.h"

#include <QTextBlock>
#include <gtest/gtest.h>

namespace {

TNumeracion numeracion(const std::string &numero) {
    return {"2024_" + numero + ".Mesa", numero, false};
}

std::vector<std::string> columna(const StringGrid &g, int c) {
    std::vector<std::string> r;
    for (int f = 1; f < g.RowCount(); ++f)
        r.push_back(g.Celda(c, f));
    return r;
}

// The grid of a by-order page showing one order: rows of folder 7 (two tasks, the second clocked
// twice), folder 8, and a second order.
void porObra(StringGrid &g) {
    TitulosPorObra(g);
    g.SetRowCount(1);
    AnadeTareas(g, "2024_0001.Mesa",
                {"d",
                 "c",
                 {{"00010001", "7", "Pata-1", "1", "Cortar"},
                  {"00010002", "7", "Pata-1", "2", "Lijar"},
                  {"00010002", "7", "Pata-1", "2", "Lijar"},
                  {"00010003", "8", "Tablero-1", "1", "Pintar"}}});
    AnadeTareas(g, "2024_0002.Silla", {"", "", {{"00020001", "9", "Asiento-1", "1", "Tapizar"}}});
}

} // namespace

TEST(Composicion, PartesConSusFilasCodigosYCarpetas) {
    TComposicion c;
    c.Inicia(numeracion("0003"), "produccion/");
    EXPECT_EQ(c.Ruta, "produccion/2024_0003.Mesa");
    int pata1 = 0, tapa = 0, pata2 = 0, tablero = 0;
    std::string error;
    ASSERT_TRUE(c.AnadeParte("Pata", 1, {"Cortar", "Lijar"}, "7", pata1, error));
    ASSERT_TRUE(c.AnadeParte("Tapa grande", 1, {"Cortar"}, "8", tapa, error));
    ASSERT_TRUE(c.AnadeParte("Pata", 2, {"Cortar", "Lijar"}, "9", pata2, error));
    ASSERT_TRUE(c.AnadeParte("Tablero", 1, {"Pintar"}, "10", tablero, error));
    EXPECT_EQ(columna(c.SG1, 0), (std::vector<std::string>{"00030001", "00030002", "00030003", "00030004",
                                                           "00030005", "00030006"}));
    EXPECT_EQ(c.SiguienteNumero("Pata"), 3);
    EXPECT_EQ(c.SiguienteNumero("Tapa"), 0); // names are compared whole
    EXPECT_EQ(c.CarpetaLibre(7), 11);
    EXPECT_EQ(c.CarpetaLibre(12), 12);

    // cells: the folder on a part's first row, the quantity anywhere; a folder edit fills the part
    EXPECT_TRUE(c.CeldaElegible(1, 1));
    EXPECT_FALSE(c.CeldaElegible(1, 2));
    EXPECT_TRUE(c.CeldaElegible(3, 2));
    EXPECT_FALSE(c.CeldaElegible(0, 1));
    EXPECT_FALSE(c.CeldaElegible(3, 0));
    EXPECT_FALSE(c.CeldaElegible(3, 9));
    c.SG1.SetCelda(1, 1, "20");
    c.CarpetaEditada(1);
    EXPECT_EQ(columna(c.SG1, 1), (std::vector<std::string>{"20", "20", "8", "9", "9", "10"}));
}

TEST(Composicion, AmpliarConservaLasFilasGuardadas) {
    StringGrid g;
    porObra(g);
    g.SetRowCount(5);             // the first order only
    g.SetCelda(0, 4, "00010005"); // a gap left in the file: its codes stay as they are
    TComposicion c;
    c.Amplia("0001", "produccion/2024_0001.Mesa", g);
    EXPECT_EQ(columna(c.SG1, 0), (std::vector<std::string>{"00010001", "00010002", "00010005"}));
    int id = 0;
    std::string error, carpeta;
    ASSERT_TRUE(c.AnadeParte("Pata", 2, {"Cortar"}, "11", id, error));
    EXPECT_EQ(columna(c.SG1, 0), (std::vector<std::string>{"00010001", "00010002", "00010005", "00010004"}));
    EXPECT_EQ(c.SiguienteNumero("Pata"), 3);
    EXPECT_EQ(c.UltimaInstancia("Tablero"), 0); // saved rows belong to no part
    ASSERT_TRUE(c.EliminaParte(id, carpeta));
    EXPECT_EQ(c.Filas(), 3);
    EXPECT_EQ(c.SG1.Celda(2, 3), "Tablero-1");

    const std::vector<std::string> tareas(9997, "t");
    EXPECT_FALSE(c.AnadeParte("Mucho", 1, tareas, "1", id, error));
    EXPECT_EQ(c.Filas(), 3);
    EXPECT_TRUE(c.AnadeParte("Justo", 1, std::vector<std::string>(9996, "t"), "1", id, error));
    EXPECT_EQ(c.SG1.Celda(0, 9999), "00019999");
}

TEST(PorObra, IdentidadesYBloques) {
    EXPECT_EQ(IdentidadOrden("2024_0001.Mesa"), "Mesa 0001 2024");
    EXPECT_EQ(NombreDeIdentidad("Mesa 0001 2024"), "2024_0001.Mesa");
    EXPECT_EQ(NombreDeIdentidad("Mesa.v2 0001 2024"), "2024_0001.Mesa.v2");
    EXPECT_EQ(NombreDeIdentidad("0001 2024"), "");
    EXPECT_EQ(TipoDeNombre("2024_0001.Mesa.v2"), "Mesa.v2");

    StringGrid g;
    porObra(g);
    struct Caso {
        int col, fila, primera, ultima;
        bool carpeta;
    };
    const Caso casos[] = {{1, 2, 0, 4, true},   {2, 1, 0, 4, true},  {1, 4, 3, 5, true},
                          {5, 3, 0, 5, false},  {0, 2, 1, 4, false}, {8, 2, 1, 3, false},
                          {4, 0, -1, 1, false}, {1, 9, 8, 10, false}};
    for (const Caso &c : casos) {
        const TBloqueObra b = BloqueObra(g, c.col, c.fila);
        EXPECT_EQ(b.Primera, c.primera) << c.col << "," << c.fila;
        EXPECT_EQ(b.Ultima, c.ultima) << c.col << "," << c.fila;
        EXPECT_EQ(b.Carpeta, c.carpeta) << c.col << "," << c.fila;
    }
    // a folder number shared by two orders (un-numbered orders carry 0) stays within its order
    g.SetCelda(1, 5, "8");
    EXPECT_EQ(BloqueObra(g, 1, 4).Ultima, 5);
}

namespace {

std::string hoja(const StringGrid &g, int primera, int ultima, bool cierre) {
    TPeticionOrdenImpresa p{
        &g,    primera, ultima, "2024_0001.Mesa\t01/02/2024 10:00:00", Ansi("Descripción : d"), "Cliente : c",
        cierre};
    TInformeRTF inf;
    EscribeOrdenImpresa(p, inf);
    return inf.TextoPlano();
}

const std::string kCabecera = "Mesa 0001\t\t01/02/2024 10:00:00\n" + Ansi("Descripción : d") +
                              "\nCliente : c\n\nORDEN : Pata-1\n" + Ansi("CARPETA Nº:7") + "\n\n" +
                              Ansi("\t\tCódigo\t\tCantidad\tTrabajo") + "\n\n";
const std::string kHueco(4, '\n');

} // namespace

TEST(OrdenImpresa, CodigosDelBloqueConYSinCierre) {
    StringGrid g;
    porObra(g);
    EXPECT_EQ(hoja(g, 0, 4, false), kCabecera + "\t\t*00010001*\t\t1\tCortar\n" + kHueco +
                                        "\t\t*00010002*\t\t2\tLijar"); // the repeated code once
    EXPECT_EQ(hoja(g, 0, 4, true), kCabecera + "\t\t*00010001*\t\t1\tCortar\n" + kHueco +
                                       "\t\t*00010002*\t\t2\tLijar\n" + kHueco +
                                       "\t\t*00010000*\t\t1\tCerrar trabajo");
    // the closing code is that of the block's own order; rows past the grid are never read
    const std::string silla = hoja(g, 4, 99, true);
    EXPECT_NE(silla.find("*00020001*\t\t1\tTapizar\n"), std::string::npos) << silla;
    EXPECT_NE(silla.find("*00020000*\t\t1\tCerrar trabajo"), std::string::npos);
    EXPECT_EQ(silla.find("*00010000*"), std::string::npos);
    EXPECT_NE(hoja(g, -7, 2, false).find("*00010001*\t\t1\tCortar"), std::string::npos);
    EXPECT_EQ(hoja(g, 9, 12, true) + "\n", kCabecera.substr(0, kCabecera.find("ORDEN")) + "ORDEN : \n" +
                                               Ansi("CARPETA Nº:") +
                                               kCabecera.substr(kCabecera.find("\n\n\t\t")));
}

TEST(OrdenImpresa, DiezCodigosLlevanTresLineasDeSeparacion) {
    StringGrid g;
    TitulosPorObra(g);
    g.SetRowCount(1);
    TOrdenTrabajo o;
    for (int r = 1; r <= 10; ++r)
        o.Filas.push_back({CodigoTarea("0001", r), "7", "Pata-1", "1", "T"});
    AnadeTareas(g, "2024_0001.Mesa", o);
    const std::string t = hoja(g, 0, 11, false);
    EXPECT_NE(t.find("*00010001*\t\t1\tT\n\n\n\n\t\t*00010002*"), std::string::npos);
    EXPECT_EQ(t.find("\n\n\n\n\n\t\t*"), std::string::npos);
}

TEST(OrdenImpresa, ElCodigoVaEnLaFuenteDeBarras) {
    StringGrid g;
    porObra(g);
    TPeticionOrdenImpresa p{&g, 0, 3, "2024_0001.Mesa\t01/02/2024 10:00:00", "", "", false};
    TInformeRTF inf;
    EscribeOrdenImpresa(p, inf);
    EXPECT_EQ(inf.Titulo(), p.Entrada);
    EXPECT_EQ(inf.Tipo(), 1);
    int barras = 0;
    for (QTextBlock b = inf.Documento().begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().fontFamilies().toStringList().value(0) == Code39::Fuente) {
                EXPECT_EQ(it.fragment().text(), "\t\t*0001000" + QString::number(++barras) + "*\t\t");
                EXPECT_EQ(it.fragment().charFormat().fontPointSize(),
                          inf.Documento().defaultFont().pointSize());
            }
    EXPECT_EQ(barras, 2);
    EXPECT_EQ(inf.Documento().defaultFont().pointSize(), 12); // 16 pixels at 96 per inch
}

TEST(OrdenImpresa, PeticionDelBloqueLeeSuOrden) {
    DirectorioTrabajo d;
    Escribe("2024_0002.Silla", "Silla alta\r\nACME\r\n00020001\r\n9\r\nAsiento-1\r\n1\r\nTapizar\r\n");
    StringGrid g;
    porObra(g);
    TPeticionOrdenImpresa p;
    std::string error;
    ASSERT_TRUE(PeticionDeBloque(g, 4, 6, true, "", p, error)) << error;
    EXPECT_EQ(p.Entrada.substr(0, 16), "2024_0002.Silla\t");
    EXPECT_EQ(p.Descripcion, Ansi("Descripción : Silla alta"));
    EXPECT_EQ(p.Cliente, "Cliente : ACME");
    EXPECT_TRUE(p.ConCierre);
    EXPECT_FALSE(PeticionDeBloque(g, 0, 2, true, "", p, error)); // its order's file is missing
    EXPECT_FALSE(PeticionDeBloque(g, 5, 6, true, "", p, error)); // no rows
}
