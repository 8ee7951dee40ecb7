#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "common/sesion.h"
#include "frame/cifra.h"
#include "frame/usuariosprueba.h"
#include "platform/lineas.h"
#include "support/dirtemporal.h"

#include <QDir>
#include <filesystem>
#include <gtest/gtest.h>

namespace {
const std::string kNivel3 = "3 Usuario presencia             ";
const std::vector<std::string> kListaEjemplo = {
    "Velkatron SA", "empresa1", "1 Admin.  presencia y produccion",
    "Ottlago1b",    "clave123", kNivel3,
    "Ana Perez",    "abcd",     "2 Admin.  presencia"};
const std::string kClaveEjemplo = "Velkatron SA4170395862241";
} // namespace

TEST(EstadoCifra, IniciaYClaveCortadaA256) {
    TEstadoCifra e;
    IniciaCifra(e);
    EXPECT_EQ(e.S[0], 0);
    EXPECT_EQ(e.S[200], 200);
    EXPECT_EQ(e.S[255], 255);
    PoneClaveCifra(e, std::string(300, 'k'));
    EXPECT_EQ(e.K[0], 'k');
    EXPECT_EQ(e.K[255], 'k');
    EXPECT_EQ(e.K[256], 0);
    IniciaCifra(e);
    PoneClaveCifra(e, std::string("ab\0cd", 5));
    EXPECT_EQ(e.K[1], 'b');
    EXPECT_EQ(e.K[2], 0);
    EXPECT_EQ(e.K[3], 0);
    // The schedule runs 255 steps: key bytes from the 256th on change nothing.
    TRegistroUsuario u{"usuario", "clave", "1"};
    EXPECT_EQ(CifraRegistro(std::string(255, 'n'), u), CifraRegistro(std::string(255, 'n') + "otra", u));
    EXPECT_NE(CifraRegistro(std::string(200, 'n'), u), CifraRegistro(std::string(200, 'n') + "x", u));
}

TEST(Escape, CuatroBytesEspeciales) {
    EXPECT_EQ(EscapaCampo(std::string("a\0b\nc\rd\\e", 9)), "a\\0b\\nc\\rd\\\\e");
    EXPECT_EQ(DesescapaCampo("a\\0b\\nc\\rd\\\\e"), std::string("a\0b\nc\rd\\e", 9));
    EXPECT_EQ(DesescapaCampo("\\x\\\""), "x\"");
    // A backslash at the very end ends the field.
    EXPECT_EQ(DesescapaCampo("ab\\"), "ab");
    EXPECT_EQ(DesescapaCampo("\\"), "");
}

TEST(Registros, CifradoByteAByte) {
    EXPECT_EQ(
        CifraRegistro(ClaveCifraDefecto, {"Velkatron SA", "empresa1", "1 Admin.  presencia y produccion"}),
        LineasEmpresa());
    // Name enciphered to 5C .. 00 .. 0A 0D: each one written escaped.
    std::vector<std::string> l = CifraRegistro(kClaveEjemplo, {"Ottlago1b", "clave123", kNivel3});
    std::vector<std::string> esperado = LineasEjemplo();
    EXPECT_EQ(l, std::vector<std::string>(esperado.begin() + 3, esperado.begin() + 6));
    EXPECT_EQ(l[0], "\\\\\xE0\x86\\0d\xBCr\\n\\r");
    // The keystream runs on between fields: the password depends on the name's length.
    EXPECT_NE(CifraRegistro(kClaveEjemplo, {"abcd", "clave", ""})[1],
              CifraRegistro(kClaveEjemplo, {"abcde", "clave", ""})[1]);
    // A fresh state per record: equal records give equal lines.
    EXPECT_EQ(CifraRegistro(kClaveEjemplo, {"Ana Perez", "abcd", "2 Admin.  presencia"}),
              std::vector<std::string>(esperado.begin() + 6, esperado.end()));
}

TEST(Registros, LecturaDeArchivoCompleto) {
    UsuariosDescifrados d = DescifraLineas(LineasEjemplo());
    EXPECT_EQ(d.Lista, kListaEjemplo);
    EXPECT_EQ(d.Empresa, "Velkatron SA");
    EXPECT_EQ(d.Clave, kClaveEjemplo);
}

TEST(Registros, ArchivoDanado) {
    // Incomplete last record ignored, nothing read past the end.
    std::vector<std::string> l = LineasEjemplo();
    l.resize(7);
    UsuariosDescifrados d = DescifraLineas(l);
    EXPECT_EQ(d.Lista, std::vector<std::string>(kListaEjemplo.begin(), kListaEjemplo.begin() + 6));
    // Fewer than three lines: no record at all.
    d = DescifraLineas({LineasEmpresa()[0], LineasEmpresa()[1]});
    EXPECT_TRUE(d.Lista.empty());
    EXPECT_EQ(d.Empresa, "Telmoria");
    d = DescifraLineas({});
    EXPECT_TRUE(d.Lista.empty());
    // A long garbled line deciphers to something without any check; the other records stay.
    l = LineasEjemplo();
    l[4] = std::string(500, '\\') + "\\";
    d = DescifraLineas(l);
    ASSERT_EQ(d.Lista.size(), 9u);
    EXPECT_EQ(d.Lista[3], "Ottlago1b");
    EXPECT_EQ(d.Lista[6], "Ana Perez");
    EXPECT_EQ(d.Lista[7], "abcd");
    // Fields longer than the 79 bytes other installations read are read whole.
    l = LineasEjemplo();
    std::vector<std::string> largo = CifraRegistro(kClaveEjemplo, {std::string(120, 'n'), "clave", "4"});
    std::copy(largo.begin(), largo.end(), l.begin() + 3);
    d = DescifraLineas(l);
    ASSERT_EQ(d.Lista.size(), 9u);
    EXPECT_EQ(d.Lista[3], std::string(120, 'n'));
    EXPECT_EQ(d.Lista[4], "clave");
    // A plaintext zero byte ends the field but the keystream still runs over the whole line.
    std::vector<std::string> cero = CifraRegistro(kClaveEjemplo, {std::string("ab\0cd", 5), "clave", "4"});
    TRegistroUsuario r = DescifraRegistro(kClaveEjemplo, cero[0], cero[1], cero[2]);
    EXPECT_EQ(r.Usuario, "ab");
    EXPECT_EQ(r.Clave, "clave");
    EXPECT_EQ(r.Nivel, "4");
}

TEST(Registros, RenombrarLaEmpresaDejaIlegiblesLosUsuarios) {
    std::vector<std::string> l = LineasEjemplo();
    std::vector<std::string> otra = CifraRegistro(ClaveCifraDefecto, {"Velkatron SL", "empresa1", "1"});
    std::copy(otra.begin(), otra.end(), l.begin());
    UsuariosDescifrados d = DescifraLineas(l);
    EXPECT_EQ(d.Empresa, "Velkatron SL");
    ASSERT_EQ(d.Lista.size(), 9u);
    EXPECT_NE(d.Lista[3], "Ottlago1b");
    EXPECT_NE(d.Lista[7], "abcd");
}

TEST(Registros, EmpresaVaciaEsTelmoriaYLaClaveSaleDelNombreVacio) {
    std::vector<std::string> l = {
        "", Hex("8F A4 FA 0E 8B FF 32"), Hex("BE"), Hex("8C A4 E9 19"), Hex("9E EE 2D EE"), Hex("B3")};
    UsuariosDescifrados d = DescifraLineas(l);
    EXPECT_EQ(d.Empresa, "Telmoria");
    EXPECT_EQ(d.Clave, ClaveCifraDefecto);
    EXPECT_EQ(d.Lista, (std::vector<std::string>{"", "secreto", "1", "pepe", "pepa", "4"}));
}

// The users file shipped for a new installation: "Mi Empresa" / "empresa", then "admin" / "admin",
// both at level 1, exactly as this program writes them.
TEST(Registros, ArchivoDeInstalacion) {
    const std::string fuente = __FILE__;
    const std::string ruta = fuente.substr(0, fuente.rfind("tests/frame/")) + "instalacion/rondal.usr";
    std::vector<std::string> lineas;
    ASSERT_TRUE(LeeLineas(ruta, lineas)) << ruta;
    const std::string admin = "1 Admin.  presencia y produccion";
    UsuariosDescifrados d = DescifraLineas(lineas);
    EXPECT_EQ(d.Lista, (std::vector<std::string>{"Mi Empresa", "empresa", admin, "admin", "admin", admin}));
    EXPECT_EQ(d.Empresa, "Mi Empresa");
    std::vector<std::string> esperado = CifraRegistro(ClaveCifraDefecto, {"Mi Empresa", "empresa", admin});
    for (const std::string &l : CifraRegistro("Mi Empresa4170395862241", {"admin", "admin", admin}))
        esperado.push_back(l);
    std::string bytes;
    ASSERT_TRUE(LeeBytes(ruta, bytes));
    EXPECT_EQ(bytes, ArchivoDe(esperado));
}

class GuardaUsuariosArchivo : public ::testing::Test {
protected:
    void SetUp() override {
        AjustesPrueba().DirDatos = "datos/";
        CreaDirectorio("datos");
        Sesion().LineasUsuarios = LineasEjemplo();
        DescifraUsuarios();
    }
    DirectorioTrabajo d;
};

TEST_F(GuardaUsuariosArchivo, DescifraDejaLosGlobales) {
    EXPECT_EQ(Sesion().ListaUsuarios, kListaEjemplo);
    EXPECT_EQ(Sesion().NombreEmpresa, "Velkatron SA");
    EXPECT_EQ(Sesion().ClaveUsuarios, kClaveEjemplo);
}

TEST_F(GuardaUsuariosArchivo, GuardarEscribeElArchivoExacto) {
    // Company lines stored in a form this program would not write: kept byte for byte.
    Sesion().LineasUsuarios[2] = Sesion().LineasUsuarios[2] + "\\q";
    std::vector<std::string> lista = Sesion().ListaUsuarios;
    lista.resize(6);
    std::string error;
    ASSERT_TRUE(GuardaUsuarios(lista, error)) << error;
    std::vector<std::string> esperado = LineasEjemplo();
    esperado[2] += "\\q";
    esperado.resize(6);
    EXPECT_EQ(Contenido("datos/rondal.usr"), ArchivoDe(esperado));
    EXPECT_EQ(Sesion().LineasUsuarios, esperado);
    EXPECT_EQ(Sesion().ListaUsuarios, lista);
    EXPECT_EQ(QDir("datos").entryList(QDir::Files), QStringList{"rondal.usr"});
    // What was written reads back to the same records.
    std::vector<std::string> leidas;
    ASSERT_TRUE(LeeLineas("datos/rondal.usr", leidas));
    UsuariosDescifrados d = DescifraLineas(leidas);
    EXPECT_EQ(std::vector<std::string>(d.Lista.begin() + 3, d.Lista.end()),
              std::vector<std::string>(lista.begin() + 3, lista.end()));
}

TEST_F(GuardaUsuariosArchivo, SoloEmpresa) {
    std::string error;
    ASSERT_TRUE(GuardaUsuarios({"x", "y", "z"}, error));
    EXPECT_EQ(Contenido("datos/rondal.usr"), ArchivoDe(LineasEmpresa()));
    // The company entries of the list are never enciphered again.
    EXPECT_EQ(Sesion().LineasUsuarios, LineasEmpresa());
}

TEST_F(GuardaUsuariosArchivo, CampoDemasiadoLargoSeRechazaSinTocarNada) {
    // The limit is on the escaped line: 79 "u" encipher to 79 plain bytes, 78 "!" to 4 bytes that
    // need escaping.
    std::vector<std::string> lista = kListaEjemplo;
    lista[3] = std::string(79, 'u');
    std::string error;
    ASSERT_TRUE(GuardaUsuarios(lista, error)) << error;
    ASSERT_EQ(Sesion().LineasUsuarios[3].size(), 79u);
    const std::vector<std::string> guardadas = Sesion().LineasUsuarios;
    const std::string archivo = Contenido("datos/rondal.usr");
    for (const std::string &nombre : {std::string(80, 'u'), std::string(78, '!')}) {
        std::vector<std::string> otra = lista;
        otra[3] = nombre;
        EXPECT_FALSE(GuardaUsuarios(otra, error));
        EXPECT_NE(error.find("\"Usuario\" del usuario \"" + nombre + "\""), std::string::npos);
    }
    lista[7] = std::string(80, 'c');
    EXPECT_FALSE(GuardaUsuarios(lista, error));
    EXPECT_NE(error.find("\"Clave\" del usuario \"Ana Perez\""), std::string::npos);
    EXPECT_EQ(Sesion().LineasUsuarios, guardadas);
    EXPECT_EQ(Sesion().ListaUsuarios[3], std::string(79, 'u'));
    EXPECT_EQ(Contenido("datos/rondal.usr"), archivo);
}

TEST_F(GuardaUsuariosArchivo, ElArchivoSeReemplazaNoSeReescribe) {
    Escribe("datos/rondal.usr", "previo");
    std::filesystem::create_hard_link("datos/rondal.usr", "enlace");
    std::string error;
    ASSERT_TRUE(GuardaUsuarios(kListaEjemplo, error)) << error;
    EXPECT_EQ(Contenido("datos/rondal.usr"), ArchivoDe(LineasEjemplo()));
    EXPECT_EQ(Contenido("enlace"), "previo");
}

TEST_F(GuardaUsuariosArchivo, SinRegistroDeEmpresaNoSeGuarda) {
    Sesion().LineasUsuarios.resize(2);
    Escribe("datos/rondal.usr", "dos\r\nlineas\r\n");
    std::vector<std::string> lista = kListaEjemplo;
    std::string error;
    EXPECT_FALSE(GuardaUsuarios(lista, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Sesion().LineasUsuarios.size(), 2u);
    EXPECT_EQ(Contenido("datos/rondal.usr"), "dos\r\nlineas\r\n");
}

TEST_F(GuardaUsuariosArchivo, FalloDeEscrituraSeInforma) {
    AjustesPrueba().DirDatos = "no_existe/";
    std::string error;
    std::vector<std::string> lista(kListaEjemplo.begin(), kListaEjemplo.begin() + 6);
    EXPECT_FALSE(GuardaUsuarios(lista, error));
    EXPECT_NE(error.find("no_existe/rondal.usr"), std::string::npos);
    EXPECT_EQ(Sesion().ListaUsuarios, lista); // the lists keep the new contents
    AjustesPrueba().DirDatos = "datos/";
}
