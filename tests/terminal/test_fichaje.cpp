// The clocking record, the format language, day-file names, scrambling and the writer.
#include "common/ajustesprueba.h"
#include "terminal/fichaje.h"
#include "terminal/fichajesprueba.h"

#include "platform/archivoini.h"
#include "platform/codepage.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

const std::string kJuan = "1234 GARCIA LOPEZ JUAN";

TEST(FormatoFichaje, LineaPorDefectoYNombreDelDia) {
    const std::string r = Registro(5, 3, 5, 2024, 8, 7, kJuan);
    ASSERT_EQ(r.size(), 103u);
    const std::string linea = FormateaFichaje(FormatoDefecto, r);
    EXPECT_EQ(linea, "005-34 0 1234 GARCIA LOPEZ JUAN" + std::string(20, ' ') + "03/05/2024 08:07\r\n");
    EXPECT_EQ(LongitudFormato(AnalizaFormato(FormatoDefecto)), 69);
    EXPECT_EQ(NombreParcial("$2d$2m$2a.$3t", r), "030524.005");
    // The stand-by record names the same file and is a whole record.
    const std::string espera = FichajeEnEspera(5, 3, 5, 2024);
    EXPECT_EQ(espera.size(), 103u);
    EXPECT_EQ(NombreParcial("$2d$2m$2a.$3t", espera), "030524.005");
}

TEST(FormatoFichaje, RegistroEnEsperaConNumerosDeCualquierAncho) {
    // Terminal, day and month zero-padded as printf's "%03d" and "%02d" pad them, the year as it is.
    const struct {
        int terminal, dia, mes, anio;
        const char *cabecera;
    } casos[] = {
        {5, 3, 5, 2024, "\r\n005 ??? 03/05/2024 ??:??:?? "},
        {1234, 31, 12, 999, "\r\n1234 ??? 31/12/999 ??:??:?? "},
        {-5, -1, 0, 12345, "\r\n-05 ??? -1/00/12345 ??:??:?? "},
        {0, 0, 0, -2, "\r\n000 ??? 00/00/-2 ??:??:?? "},
    };
    for (const auto &c : casos) {
        const std::string r = FichajeEnEspera(c.terminal, c.dia, c.mes, c.anio);
        const std::string cabecera = c.cabecera;
        EXPECT_EQ(r, (cabecera + std::string(64, '?') + " ???" + std::string(103, '?')).substr(0, 103))
            << c.terminal << " " << c.anio;
    }
}

TEST(FormatoFichaje, EjemplosDeAnchos) {
    const std::string r = Registro(5, 3, 5, 2024, 8, 7, kJuan, 12, "00120034");
    EXPECT_EQ(FormateaFichaje("$2a", r), "24");
    EXPECT_EQ(FormateaFichaje("$5t", r), "00005");
    EXPECT_EQ(FormateaFichaje("$1i", r), "2");
    EXPECT_EQ(FormateaFichaje("$32n", r), kJuan + std::string(10, ' '));
    EXPECT_EQ(FormateaFichaje("$0n", r), "");
    EXPECT_EQ(FormateaFichaje("$255n", r), std::string(201, ' ') + r.substr(34, 54));
    EXPECT_EQ(FormateaFichaje("$6c", r), "001234");
    EXPECT_EQ(FormateaFichaje("$4p", r), "0034");
    EXPECT_EQ(FormateaFichaje("$3u$4s", r), "  E Jue");
    EXPECT_EQ(FormateaFichaje("$4c", Registro(5, 3, 5, 2024, 8, 7, "GARCIA")), "0000");
    // An unknown letter right after a field repeats that field.
    EXPECT_EQ(FormateaFichaje("$2d$2x", r), "0303");
}

TEST(FormatoFichaje, LiteralesYEscapes) {
    const std::string r = Registro(5, 3, 5, 2024, 8, 7, kJuan);
    EXPECT_EQ(FormateaFichaje("", r), "");
    EXPECT_EQ(FormateaFichaje("abc\\n\\t\\\\\\r\\q.", r), "abc\n\t\\\r.");
    EXPECT_EQ(FormateaFichaje("a\r\nb", r), "a\r\nb");
    // The raw template gives the record back.
    EXPECT_EQ(FormateaFichaje(PlantillaBruta, r), r);
}

TEST(FormatoFichaje, FormatosMalFormadosNoLeenFueraNiDesalinean) {
    const std::string r1 = Registro(5, 3, 5, 2024, 8, 7, kJuan);
    const std::string r2 = Registro(123, 28, 12, 2031, 23, 59, "9 X", 255, "87654321", 'N');
    EXPECT_EQ(FormateaFichaje("$2d$", r1), "03$");
    EXPECT_EQ(FormateaFichaje("$2d\\", r1), "03");
    EXPECT_EQ(FormateaFichaje("$xd", r1), "$xd");
    EXPECT_EQ(FormateaFichaje("$2d$3", r1), "03");
    EXPECT_EQ(FormateaFichaje("$3x-$2d", r1), "   -03"); // unknown first letter: blanks
    EXPECT_EQ(FormateaFichaje("$999n", r1).size(), 255u);
    for (const std::string f : {"$2d$", "\\q$3x\\", "$3x$2z\\9$", "$12c$7i\\", "$300n$2m$"}) {
        const int l = LongitudFormato(AnalizaFormato(f));
        EXPECT_EQ(FormateaFichaje(f, r1).size(), static_cast<size_t>(l)) << f;
        EXPECT_EQ(FormateaFichaje(f, r2).size(), static_cast<size_t>(l)) << f;
    }
    // A short record reads blanks past its end.
    EXPECT_EQ(FormateaFichaje("$2d|$4o|", std::string("\r\n005 Jue 03")), "03|    |");
}

TEST(FormatoFichaje, NombreDelDiaNoSaleDelDirectorio) {
    std::string r = Registro(5, 3, 5, 2024, 8, 7, kJuan);
    r.replace(2, 3, "/.\\");
    EXPECT_EQ(NombreParcial("$2d$2m$2a.$3t", r), "030524._._");
    r.replace(2, 3, std::string("\0\x01\n", 3));
    EXPECT_EQ(NombreParcial("$3t$2d", r), "___03");
    EXPECT_EQ(NombreParcial("../$2d", r), ".._03");
}

TEST(FormatoFichaje, Cifrado) {
    std::string l = "0123\r\n";
    CodificaLinea(l, 0x31);
    EXPECT_EQ(l, "a\xE2"
                 "cd\r\n");
    std::string copia = l;
    EXPECT_TRUE(DescodificaLinea(copia, 0x31));
    EXPECT_EQ(copia, "0123\r\n");
    // The annulled mark (bit 7 of the first byte) reads back through the key.
    l[0] = static_cast<char>(l[0] ^ 0x80);
    EXPECT_TRUE(DescodificaLinea(l, 0x31));
    EXPECT_EQ(l, "\xB0"
                 "123\r\n");
    // A second byte that would reach 0x80 keeps the line plain: nothing lost.
    std::string alta = "0\x60xx\r\n";
    CodificaLinea(alta, 0x31);
    EXPECT_EQ(alta, "0\x60xx\r\n");
    EXPECT_FALSE(DescodificaLinea(alta, 0x31));
    EXPECT_EQ(ClaveFichajes("030524.005"), '3');
}

TEST(GuardaFichaje, EscribeDiaEHistoricoYNoDuplica) {
    EntornoFichajes e;
    std::string r = Registro(5, 3, 5, 2024, 8, 7,
                             "12 PE\xA4"
                             "A"); // OEM 850: 0xA4 is n tilde
    EXPECT_TRUE(Guarda(r));
    const std::string linea = "005-12 0 12 PE\xF1"
                              "A" +
                              std::string(25, ' ') + std::string(10, ' ') + "03/05/2024 08:07\r\n";
    EXPECT_EQ(Contenido("fichajes/030524.005"), linea);
    std::string ansi = r;
    ansi[39] = '\xF1';
    EXPECT_EQ(Contenido("fichajes/historico"), ansi);
    // The same clocking again (a resend) is stored once.
    EXPECT_TRUE(Guarda(r));
    EXPECT_EQ(Contenido("fichajes/030524.005"), linea);
    EXPECT_EQ(Contenido("fichajes/historico"), ansi);
    // A clocking that differs only where the line does not show is a duplicate as well.
    EXPECT_TRUE(Guarda(Registro(5, 3, 5, 2024, 8, 7,
                                "12 PE\xA4"
                                "A",
                                0, "        ", 'E', 42)));
    EXPECT_EQ(Contenido("fichajes/historico"), ansi);
    // A new clocking is appended; a file changed behind the writer's back is read again.
    EXPECT_TRUE(Guarda(Registro(5, 3, 5, 2024, 9, 0, "12")));
    EXPECT_EQ(Contenido("fichajes/030524.005").size(), 2 * linea.size());
    Escribe("fichajes/030524.005", "");
    EXPECT_TRUE(Guarda(r));
    EXPECT_EQ(Contenido("fichajes/030524.005"), linea);
}

TEST(GuardaFichaje, FalloDelDiaNoEscribeNadaMas) {
    EntornoFichajes e;
    CreaDirectorio("fichajes/030524.005"); // cannot be opened as a file
    EXPECT_FALSE(Guarda(Registro(5, 3, 5, 2024, 8, 7, "12 JUAN")));
    EXPECT_FALSE(ExisteArchivo("fichajes/historico"));
}

TEST(GuardaFichaje, FalloDelHistoricoRecortaElDia) {
    EntornoFichajes e;
    const std::string primero = Registro(5, 3, 5, 2024, 7, 0, "12 JUAN");
    ASSERT_TRUE(Guarda(primero));
    const std::string antes = Contenido("fichajes/030524.005");
    AjustesPrueba().RutaHistorico = "fichajes/otro";
    CreaDirectorio("fichajes/otro");
    const std::string r = Registro(5, 3, 5, 2024, 8, 7, "12 JUAN");
    EXPECT_FALSE(Guarda(r));
    EXPECT_EQ(Contenido("fichajes/030524.005"), antes);
    // On a new day file the file is removed again.
    EXPECT_FALSE(Guarda(Registro(5, 4, 5, 2024, 8, 7, "12 JUAN")));
    EXPECT_FALSE(ExisteArchivo("fichajes/040524.005"));
    // The terminal's resend is then stored, not taken for a duplicate.
    AjustesPrueba().RutaHistorico = "fichajes/historico";
    EXPECT_TRUE(Guarda(r));
    EXPECT_EQ(Contenido("fichajes/030524.005"), antes + FormateaFichaje(Configuracion().FormatoFichaje, r));
    EXPECT_EQ(Contenido("fichajes/historico"), primero + r);
}

// A file that opens but whose writes fail (the disk is full).
TEST(GuardaFichaje, EscrituraFallidaNoCuentaComoGuardada) {
    if (!QFileInfo::exists("/dev/full"))
        GTEST_SKIP() << "sin /dev/full";
    EntornoFichajes e;
    const std::string r = Registro(5, 3, 5, 2024, 8, 7, "12 JUAN");
    AjustesPrueba().DirFichajes = "/dev/";
    AjustesPrueba().PatronParcial = "full";
    EXPECT_FALSE(Guarda(r));
    EXPECT_FALSE(ExisteArchivo("fichajes/historico"));

    AjustesPrueba().DirFichajes = "fichajes/";
    AjustesPrueba().PatronParcial = "$2d$2m$2a.$3t";
    AjustesPrueba().RutaHistorico = "/dev/full";
    EXPECT_FALSE(Guarda(r));
    EXPECT_EQ(Contenido("fichajes/030524.005"), "");
}

// Written but not on the disk: not stored either (the terminal keeps the clocking).
TEST(GuardaFichaje, SinSincronizarNoCuentaComoGuardada) {
    EntornoFichajes e;
    AjustesPrueba().RutaHistorico = "/dev/null"; // takes the bytes, cannot be synced
    EXPECT_FALSE(Guarda(Registro(5, 3, 5, 2024, 8, 7, "12 JUAN")));
    EXPECT_FALSE(ExisteArchivo("fichajes/030524.005"));
}

TEST(GuardaFichaje, LineaCifrada) {
    EntornoFichajes e;
    AjustesPrueba().EncriptarFichajes = 1;
    AjustesPrueba().FormatoFichaje = "$3t $2H:$2M\\r\\n";
    const std::string r = Registro(5, 3, 5, 2024, 8, 7, "12 JUAN");
    EXPECT_TRUE(Guarda(r));
    EXPECT_TRUE(Guarda(r));
    EXPECT_EQ(Contenido("fichajes/030524.005"), "c\xE3"
                                                "hSckmcj\r\n");
}

TEST(ReconstruyeFichajes, NuevoFormatoConservaAnulados) {
    EntornoFichajes e;
    auto ini = std::make_shared<TIniFile>("velkatron.ini");
    AjustesPrueba().ArchivoIni = ini;
    ASSERT_TRUE(Guarda(Registro(5, 3, 5, 2024, 8, 7, "1234 A")));
    ASSERT_TRUE(Guarda(Registro(5, 3, 5, 2024, 17, 0, "1234 A")));
    ASSERT_TRUE(Guarda(Registro(5, 4, 5, 2024, 9, 0, "99 B")));
    // Annul the second line of the 3rd.
    std::string dia = Contenido("fichajes/030524.005");
    dia[69] = static_cast<char>(dia[69] ^ 0x80);
    Escribe("fichajes/030524.005", dia);
    Escribe("fichajes/010524.005", "otro");

    AjustesPrueba().FormatoFichaje = "$2d/$2m/$4a $2H:$2M $4c\\r\\n";
    AjustesPrueba().FormatoCambiado = true;
    EXPECT_TRUE(ReconstruyeFichajes());
    EXPECT_EQ(Contenido("fichajes/030524.005"), "03/05/2024 08:07 1234\r\n\xB0"
                                                "3/05/2024 17:00 1234\r\n");
    EXPECT_EQ(Contenido("fichajes/040524.005"), "04/05/2024 09:00 0099\r\n");
    EXPECT_EQ(Contenido("fichajes/010524.005"), "otro");
    EXPECT_EQ(ini->ReadString("config", "formato_anterior", ""), Configuracion().FormatoFichaje);
    EXPECT_EQ(Configuracion().FormatoAnterior, Configuracion().FormatoFichaje);
    EXPECT_FALSE(Configuracion().FormatoCambiado);

    // Without a history file nothing is recorded.
    ini->DeleteKey("config", "formato_anterior");
    AjustesPrueba().RutaHistorico = "fichajes/no_existe";
    AjustesPrueba().FormatoCambiado = true;
    EXPECT_FALSE(ReconstruyeFichajes());
    EXPECT_EQ(ini->ReadString("config", "formato_anterior", "ninguno"), "ninguno");
    EXPECT_TRUE(Configuracion().FormatoCambiado);
    // An empty one rewrites nothing but records the format.
    Escribe("fichajes/vacio", "");
    AjustesPrueba().RutaHistorico = "fichajes/vacio";
    EXPECT_TRUE(ReconstruyeFichajes());
    EXPECT_EQ(ini->ReadString("config", "formato_anterior", ""), Configuracion().FormatoFichaje);
    AjustesPrueba().FormatoCambiado = false;
}

// Day 7: the key is '7', under which the Windows-1252 letters of "ÓSCAR MÖLLER" scramble to
// LF and CR. Stored lines are told apart by their length, never by those bytes.
TEST(GuardaFichaje, LineasCifradasConCRyLF) {
    EntornoFichajes e;
    auto ini = std::make_shared<TIniFile>("velkatron.ini");
    AjustesPrueba().ArchivoIni = ini;
    AjustesPrueba().EncriptarFichajes = 1;
    const std::string oscar = "7 " + CharToOem(Ansi("ÓSCAR MÖLLER"));
    const std::string r1 = Registro(5, 7, 5, 2024, 8, 0, oscar), r2 = Registro(5, 7, 5, 2024, 9, 0, oscar);
    ASSERT_TRUE(Guarda(r1));
    ASSERT_TRUE(Guarda(r2));
    std::string dia = Contenido("fichajes/070524.005");
    ASSERT_EQ(dia.size(), 138u);
    ASSERT_NE(dia.substr(0, 67).find('\n'), std::string::npos);
    ASSERT_NE(dia.substr(0, 67).find('\r'), std::string::npos);
    const std::string historico = Contenido("fichajes/historico");
    // A resend after a lost ACK, with the writer's memory of the file and without it.
    for (bool olvida : {false, true}) {
        if (olvida)
            OlvidaParciales();
        EXPECT_TRUE(Guarda(r1));
        EXPECT_EQ(Contenido("fichajes/070524.005"), dia);
        EXPECT_EQ(Contenido("fichajes/historico"), historico);
    }
    // "Nuevo formato" keeps the annulled mark of the second line. With the weekday first the
    // marker would hide the second byte, so the new lines stay plain, and read back plain they
    // keep the mark on the way back to the old format.
    dia[69] = static_cast<char>(dia[69] ^ 0x80);
    Escribe("fichajes/070524.005", dia);
    AjustesPrueba().FormatoFichaje = "$3s $2H:$2M $12n\\r\\n";
    EXPECT_TRUE(ReconstruyeFichajes());
    EXPECT_EQ(Contenido("fichajes/070524.005"),
              "Jue 08:00 7 " + Ansi("ÓSCAR MÖLL") + "\r\n\xCA" + "ue 09:00 7 " + Ansi("ÓSCAR MÖLL") + "\r\n");
    AjustesPrueba().FormatoFichaje = FormatoDefecto;
    EXPECT_TRUE(ReconstruyeFichajes());
    EXPECT_EQ(Contenido("fichajes/070524.005"), dia);
}

// A day file that cannot be rewritten fails the rebuild; the format is not recorded as done.
TEST(ReconstruyeFichajes, ArchivoDelDiaQueNoSeEscribe) {
    EntornoFichajes e;
    ASSERT_TRUE(Guarda(Registro(5, 3, 5, 2024, 8, 7, "1234 A")));
    ASSERT_TRUE(Guarda(Registro(5, 4, 5, 2024, 9, 0, "99 B")));
    QFile::remove("fichajes/040524.005");
    CreaDirectorio("fichajes/040524.005");
    AjustesPrueba().FormatoFichaje = "$2H:$2M\\r\\n";
    AjustesPrueba().FormatoCambiado = true;
    std::string error;
    EXPECT_FALSE(ReconstruyeFichajes(&error));
    EXPECT_NE(error.find("fichajes/040524.005"), std::string::npos);
    EXPECT_EQ(Contenido("fichajes/030524.005"), "08:07\r\n");
    EXPECT_TRUE(Configuracion().FormatoCambiado);
    EXPECT_EQ(Configuracion().FormatoAnterior, FormatoDefecto);
    AjustesPrueba().FormatoCambiado = false;
}

} // namespace
