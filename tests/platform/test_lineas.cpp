#include "platform/lineas.h"
#include "platform/numeros.h"
#include "platform/rutas.h"
#include "support/dirtemporal.h"
#include "support/fallosdisco.h"

#include <QDir>
#include <clocale>
#include <functional>
#include <gtest/gtest.h>

TEST(Lineas, LecturaAdmiteLFYUltimaLineaSinFin) {
    EXPECT_EQ(PartirLineas("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(PartirLineas("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_TRUE(PartirLineas("").empty());
    std::vector<std::string> l{"x"};
    EXPECT_FALSE(LeeLineas("/no/existe/nada", l));
    EXPECT_TRUE(l.empty());
}

TEST(Lineas, EscrituraConCRLFSinDejarTemporales) {
    DirectorioTrabajo d;
    Escribe("f.dat", "viejo contenido largo\r\n");
    ASSERT_TRUE(GuardaLineas("f.dat", {"uno", "dos\xF1"}));
    EXPECT_EQ(Contenido("f.dat"), "uno\r\ndos\xF1\r\n");
    EXPECT_EQ(QDir(".").entryList(QDir::Files), QStringList{"f.dat"});
    EXPECT_FALSE(GuardaLineas("no/existe/f.dat", {"a"}));
}

TEST(Lineas, DirectoriosConPadresYCopias) {
    DirectorioTrabajo d;
    ASSERT_TRUE(CreaDirectorio("archivos\\presencia/"));
    EXPECT_TRUE(ExisteDirectorio("archivos/presencia/"));
    Escribe("a.txt", "1");
    Escribe("archivos/a.txt", "2");
    EXPECT_FALSE(CopiaArchivo("a.txt", "archivos/a.txt", false));
    EXPECT_EQ(Contenido("archivos/a.txt"), "2");
    EXPECT_TRUE(CopiaArchivo("a.txt", "archivos/a.txt", true));
    EXPECT_EQ(Contenido("archivos/a.txt"), "1");
}

TEST(Lineas, DiscoLlenoDejaElArchivoViejoEnteroYDevuelveFalso) {
    DirectorioTrabajo d;
    Escribe("origen", std::string(100, 'n'));
    // Short data stays in the save file's buffer until the commit; long data is written at once.
    const std::vector<std::pair<const char *, std::function<bool()>>> escrituras = {
        {"bytes cortos", [] { return GuardaBytes("f.dat", std::string(100, 'x')); }},
        {"bytes largos", [] { return GuardaBytes("f.dat", std::string(100000, 'x')); }},
        {"lineas", [] { return GuardaLineas("f.dat", std::vector<std::string>(3, "uno")); }},
        {"copia", [] { return CopiaArchivo("origen", "f.dat", true); }},
    };
    for (const auto &[caso, escribe] : escrituras) {
        Escribe("f.dat", "viejo\r\n");
        bool hecho = true;
        {
            DiscoLleno lleno;
            hecho = escribe();
        }
        EXPECT_FALSE(hecho) << caso;
        EXPECT_EQ(Contenido("f.dat"), "viejo\r\n") << caso;
        EXPECT_EQ(QDir(".").entryList(QDir::Files).join(' ').toStdString(), "f.dat origen") << caso;
    }
}

TEST(Numeros, EnterosInicialesYValidos) {
    EXPECT_EQ(LeeEntero("  42abc"), 42);
    EXPECT_EQ(LeeEntero("-7"), -7);
    EXPECT_EQ(LeeEntero("abc"), 0);
    EXPECT_EQ(LeeEntero(""), 0);
    int v = 1;
    EXPECT_TRUE(EnteroValido(" 400 ", v));
    EXPECT_EQ(v, 400);
    EXPECT_FALSE(EnteroValido("4.5", v));
    EXPECT_FALSE(EnteroValido("", v));
    EXPECT_FALSE(EnteroValido("99999999999", v));
    EXPECT_EQ(LeeHex("2f8"), 0x2F8u);
    EXPECT_EQ(LeeHex("zz"), 0u);
}

TEST(Numeros, DecimalesNoDependenDelLocale) {
    const char *antes = std::setlocale(LC_NUMERIC, nullptr);
    std::string guardado = antes ? antes : "C";
    std::setlocale(LC_NUMERIC, "es_ES.UTF-8"); // may be missing; the result must not depend on it
    EXPECT_DOUBLE_EQ(LeeDecimal("4.5"), 4.5);
    EXPECT_DOUBLE_EQ(LeeDecimal(" 12.25x"), 12.25);
    EXPECT_DOUBLE_EQ(LeeDecimal("abc"), 0.0);
    EXPECT_EQ(FormatoDecimal(3.14159, 2), "3.14");
    EXPECT_EQ(FormatoDecimal(-0.5, 1), "-0.5");
    std::setlocale(LC_NUMERIC, guardado.c_str());
}

TEST(Numeros, FormatoDeTextosCortosYLargos) {
    for (size_t largo : {0, 1, 254, 255, 256, 1000}) {
        const std::string t(largo, 'x');
        EXPECT_EQ(Formato("%s|%02d", t.c_str(), 7), t + "|07") << largo;
    }
}

TEST(Rutas, DirectoriosConfigurados) {
    EXPECT_EQ(ConSeparador("archivos\\presencia"), "archivos\\presencia\\");
    EXPECT_EQ(ConSeparador("datos\\"), "datos\\");
    EXPECT_EQ(DirectorioLocal("archivos\\presencia"), "archivos/presencia/");
    EXPECT_EQ(DirectorioLocal("/srv/datos"), "/srv/datos/");
    EXPECT_EQ(DirectorioLocal(""), ""); // the working directory, not the root
    EXPECT_EQ(DirectorioLocal("\\"), "");
}

TEST(Rutas, NombresConAcentosSonUTF8EnDisco) {
    DirectorioTrabajo d;
    ASSERT_TRUE(GuardaLineas("a\xF1o.dat", {"x"})); // "año.dat" in Windows-1252
    EXPECT_EQ(Contenido("año.dat"), "x\r\n");
    EXPECT_TRUE(ExisteArchivo("a\xF1o.dat"));
    EXPECT_EQ(RutaDeQ(RutaQ("fotos\\Pe\xF1"
                            "a.bmp")),
              "fotos/Pe\xF1"
              "a.bmp");
}
