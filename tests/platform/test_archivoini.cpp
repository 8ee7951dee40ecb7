#include "platform/archivoini.h"
#include "support/dirtemporal.h"
#include "support/fallosdisco.h"

#include <gtest/gtest.h>

TEST(ArchivoIni, LecturaSinDistinguirMayusculasYValoresLiterales) {
    DirectorioTrabajo d;
    Escribe("a.ini", "[Config]\r\nDatos = C:\\velka\\datos\\ \r\nnum=12\r\nmal=12x\r\n[otra]\r\nnum=5\r\n");
    TIniFile ini("a.ini");
    EXPECT_EQ(ini.ReadString("config", "DATOS", "x"), "C:\\velka\\datos\\");
    EXPECT_EQ(ini.ReadInteger("CONFIG", "num", 0), 12);
    EXPECT_EQ(ini.ReadInteger("config", "mal", 7), 7);
    EXPECT_EQ(ini.ReadInteger("config", "falta", 9), 9);
    EXPECT_EQ(ini.ReadInteger("otra", "num", 0), 5);
    EXPECT_EQ(ini.ReadString("nada", "num", "def"), "def");
}

TEST(ArchivoIni, EscrituraReemplazaEnSuSitioYAnadeAlFinalDeLaSeccion) {
    DirectorioTrabajo d;
    Escribe("a.ini", "; comentario\r\n[config]\r\nTNREC=1\r\nb=2\r\n\r\n[Festivos]\r\n1=255\r\n");
    TIniFile ini("a.ini");
    ASSERT_TRUE(ini.WriteInteger("config", "tnrec", 400));
    ASSERT_TRUE(ini.WriteString("Config", "nueva", "v\\a"));
    ASSERT_TRUE(ini.WriteString("extra", "k", "1"));
    EXPECT_EQ(Contenido("a.ini"), "; comentario\r\n[config]\r\nTNREC=400\r\nb=2\r\nnueva=v\\a\r\n\r\n"
                                  "[Festivos]\r\n1=255\r\n[extra]\r\nk=1\r\n");
}

TEST(ArchivoIni, ArchivoNuevoYBytesWindows1252) {
    DirectorioTrabajo d;
    TIniFile ini("nuevo.ini");
    ASSERT_TRUE(ini.WriteString("config", "Descripcion", "Descripci\xF3n"));
    EXPECT_EQ(Contenido("nuevo.ini"), "[config]\r\nDescripcion=Descripci\xF3n\r\n");
    EXPECT_EQ(ini.ReadString("config", "descripcion", ""), "Descripci\xF3n");
}

TEST(ArchivoIni, ListaYBorraClaves) {
    DirectorioTrabajo d;
    Escribe("a.ini", "[s]\na=1\nB=2\n[t]\nc=3\n");
    TIniFile ini("a.ini");
    EXPECT_EQ(ini.ReadSection("S"), (std::vector<std::string>{"a", "B"}));
    EXPECT_EQ(ini.ReadSectionValues("s"), (std::vector<std::string>{"a=1", "B=2"}));
    ASSERT_TRUE(ini.DeleteKey("s", "b"));
    EXPECT_EQ(ini.ReadSection("s"), (std::vector<std::string>{"a"}));
    ASSERT_TRUE(ini.EraseSection("S"));
    EXPECT_EQ(Contenido("a.ini"), "[t]\r\nc=3\r\n");
}

TEST(ArchivoIni, MueveSeccionEnUnaEscritura) {
    DirectorioTrabajo d;
    Escribe(
        "a.ini",
        "[Produccion]\r\nNumeroDeCarpeta=7\r\npata=3\r\n\r\n[Prov]\r\nPata=5\r\nTablero=2\r\n[x]\r\ny=1\r\n");
    TIniFile ini("a.ini");
    ASSERT_TRUE(ini.MueveSeccion("prov", "PRODUCCION"));
    EXPECT_EQ(Contenido("a.ini"), "[Produccion]\r\nNumeroDeCarpeta=7\r\npata=5\r\nTablero=2\r\n\r\n[Prov]\r\n"
                                  "[x]\r\ny=1\r\n");
    ASSERT_TRUE(ini.MueveSeccion("Prov", "Produccion")); // nothing left to move: nothing written
    ASSERT_TRUE(ini.MueveSeccion("x", "nueva"));
    EXPECT_EQ(ini.ReadString("nueva", "y", ""), "1");
    EXPECT_TRUE(ini.ReadSection("x").empty());
    {
        SinLectura ilegible("a.ini");
        EXPECT_FALSE(ini.MueveSeccion("nueva", "x"));
    }
    EXPECT_EQ(ini.ReadString("nueva", "y", ""), "1");
}

TEST(ArchivoIni, ArchivoIlegibleNoSeReescribe) {
    DirectorioTrabajo d;
    Escribe("a.ini", "[s]\r\na=1\r\n");
    TIniFile ini("a.ini");
    {
        SinLectura ilegible("a.ini");
        EXPECT_FALSE(ini.Legible());
        EXPECT_EQ(ini.ReadString("s", "a", "def"), "def");
        EXPECT_FALSE(ini.WriteString("s", "b", "2"));
        EXPECT_FALSE(ini.DeleteKey("s", "a"));
        EXPECT_FALSE(ini.EraseSection("s"));
    }
    EXPECT_EQ(Contenido("a.ini"), "[s]\r\na=1\r\n");
    EXPECT_TRUE(TIniFile("falta.ini").Legible());
}

// Several keys in one write, as one write each would leave them; a file that already holds them
// as written is not written again (so a full disk refuses nothing).
TEST(ArchivoIni, VariasClavesEnUnaEscritura) {
    DirectorioTrabajo d;
    Escribe("a.ini", "[config]\nTNREC=1\n\n[otra]\nk=2\n");
    Escribe("b.ini", Contenido("a.ini"));
    TIniFile a("a.ini"), b("b.ini"), nuevo("nuevo.ini");
    const std::vector<std::pair<std::string, std::string>> claves = {{"tnrec", "400"}, {"datos", "d\\"}};
    ASSERT_TRUE(a.WriteStrings("Config", claves));
    for (const auto &[clave, valor] : claves)
        ASSERT_TRUE(b.WriteString("Config", clave, valor));
    EXPECT_EQ(Contenido("a.ini"), "[config]\r\nTNREC=400\r\ndatos=d\\\r\n\r\n[otra]\r\nk=2\r\n");
    EXPECT_EQ(Contenido("a.ini"), Contenido("b.ini"));
    ASSERT_TRUE(nuevo.WriteStrings("config", claves));
    EXPECT_EQ(Contenido("nuevo.ini"), "[config]\r\ntnrec=400\r\ndatos=d\\\r\n");
    {
        DiscoLleno lleno;
        EXPECT_TRUE(a.WriteStrings("config", claves));
        EXPECT_FALSE(a.WriteStrings("config", {{"tnrec", "401"}}));
    }
    EXPECT_EQ(Contenido("a.ini"), Contenido("b.ini"));
}
