#include "common/registromin.h"

#include "support/dirtemporal.h"

#include <gtest/gtest.h>

namespace {

// A record as a terminal would deliver it, laid out by hand: every terminal byte distinct so
// any shift shows.
std::string RegistroAMano(const std::string &texto, int minucias, unsigned char porcentaje) {
    std::string b(512, '\0');
    for (int i = 0; i < 512; ++i)
        b[i] = static_cast<char>((i * 7 + 3) & 0xFF);
    for (int i = 4; i < 132; ++i)
        b[i] = '\xFF';
    std::copy(texto.begin(), texto.end(), b.begin() + 4);
    b[4 + texto.size()] = '\0';
    b[132] = static_cast<char>(minucias);
    for (int i = 0; i < 16; ++i)
        b[400 + i] = '\xFF';
    b[419] = static_cast<char>(porcentaje);
    return b;
}

} // namespace

TEST(RegistroMin, CodigoYNombre) {
    auto r = TRegistroMin::DeBytes(RegistroAMano("0042 Ana P\xE9rez", 23, 87));
    EXPECT_EQ(r.Texto(), "0042 Ana P\xE9rez");
    EXPECT_EQ(r.Codigo(), "0042");
    EXPECT_EQ(r.Nombre(), "Ana P\xE9rez");
    EXPECT_EQ(r.TextoMinucias(), "23-87%");
    r.Bytes[419] = 255;
    EXPECT_EQ(r.TextoMinucias(), "23");

    // Sixteen digits end the code; the next byte is the separator, even a letter.
    r = TRegistroMin::DeBytes(RegistroAMano("12345678901234567XJuan", 0, 255));
    EXPECT_EQ(r.Codigo(), "1234567890123456");
    EXPECT_EQ(r.Nombre(), "XJuan");

    // No leading digit: empty code, the first byte is the separator.
    r = TRegistroMin::DeBytes(RegistroAMano(" Visita", 0, 255));
    EXPECT_EQ(r.Codigo(), "");
    EXPECT_EQ(r.Nombre(), "Visita");
    r = TRegistroMin::DeBytes(RegistroAMano("Visita", 0, 255));
    EXPECT_EQ(r.Codigo(), "");
    EXPECT_EQ(r.Nombre(), "isita");
    r = TRegistroMin::DeBytes(RegistroAMano("12:30 Turno", 0, 255));
    EXPECT_EQ(r.Codigo(), "12");
    r = TRegistroMin::DeBytes(RegistroAMano("7", 0, 255));
    EXPECT_EQ(r.Codigo(), "7");
    EXPECT_EQ(r.Nombre(), "");
}

TEST(RegistroMin, TextoSinNulNoSaleDelCampo) {
    std::string b = RegistroAMano("", 0, 255);
    for (int i = 4; i < 132; ++i)
        b[i] = 'A';
    auto r = TRegistroMin::DeBytes(b);
    EXPECT_EQ(r.Texto(), std::string(128, 'A'));
    r.TextoAOem(); // converts only the field
    EXPECT_EQ(r.ABytes().substr(132), b.substr(132));
    EXPECT_EQ(TextoEnmascarado(r.Texto()).size(), 128u);
}

TEST(RegistroMin, FijaTextoRellenaYCorta) {
    auto r = TRegistroMin::DeBytes(RegistroAMano("1 X", 5, 255));
    std::string antes = r.ABytes();
    r.FijaTexto("15", "Luis");
    std::string esperado = antes;
    std::string campo = std::string("15 Luis") + '\0' + std::string(120, '\xFF');
    esperado.replace(4, 128, campo);
    EXPECT_EQ(r.ABytes(), esperado);

    r.FijaTexto("1", std::string(200, 'n'));
    EXPECT_EQ(r.Texto().size(), 127u);
    EXPECT_EQ(r.Bytes[131], 0);
    EXPECT_EQ(r.ABytes().substr(132), esperado.substr(132));
}

TEST(RegistroMin, CuentaDeMinuciasAcotada) {
    auto r = TRegistroMin::DeBytes(RegistroAMano("1 A", 0x7F, 255));
    EXPECT_EQ(r.Minucias(), 64);
    r.RellenaPlantilla();
    EXPECT_EQ(r.Bytes[389], (389 * 7 + 3) & 0xFF); // last template byte kept
    EXPECT_EQ(r.Bytes[390], 0xFF);
    EXPECT_EQ(r.Bytes[391], 0xFF);
    EXPECT_EQ(r.Bytes[392], (392 * 7 + 3) & 0xFF);

    r.Bytes[132] = 0xF0; // -16 as a signed byte
    EXPECT_EQ(r.Minucias(), 0);
    EXPECT_EQ(r.TextoMinucias(), "0");
    TRegistroMin otro = r;
    otro.Bytes[134] ^= 1; // no template to compare
    EXPECT_TRUE(r.MismoUsuario(otro));
}

TEST(RegistroMin, Franjas) {
    auto r = TRegistroMin::DeBytes(RegistroAMano("1 A", 0, 255));
    EXPECT_EQ(r.Modo(), TRegistroMin::ModoAcceso::Siempre);
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(r.Franja(k), "00:00/23:59");

    r.FijaFranja(1, "08:00/14:30");
    r.FijaFranja(2, "16:05/19:00");
    EXPECT_EQ(r.ABytes().substr(400, 8), std::string("\x08\x00\x14\x30\x16\x05\x19\x00", 8));
    EXPECT_EQ(r.Franja(1), "08:00/14:30");
    EXPECT_EQ(r.Franja(2), "16:05/19:00");
    EXPECT_TRUE(r.FranjaLibre(3));
    EXPECT_EQ(r.Modo(), TRegistroMin::ModoAcceso::Franjas);

    // The whole day and a free band are one value.
    r.FijaFranja(2, "00:00/23:59");
    EXPECT_EQ(r.ABytes().substr(404, 4), std::string(4, '\xFF'));
    EXPECT_EQ(r.Franja(2), "00:00/23:59");

    r.FijaModo(TRegistroMin::ModoAcceso::Nunca);
    EXPECT_EQ(r.ABytes().substr(400, 16), std::string(4, '\0') + std::string(12, '\xFF'));
    EXPECT_EQ(r.Modo(), TRegistroMin::ModoAcceso::Nunca);
    EXPECT_EQ(r.Franja(1), "00:00/00:00");
    r.FijaFranja(3, "10:00/11:00");
    EXPECT_EQ(r.Modo(), TRegistroMin::ModoAcceso::Franjas);
    r.FijaModo(TRegistroMin::ModoAcceso::Siempre);
    EXPECT_EQ(r.ABytes().substr(400, 16), std::string(16, '\xFF'));
    EXPECT_EQ(r.Modo(), TRegistroMin::ModoAcceso::Siempre);

    // Short or odd texts stay inside the band.
    r.FijaFranja(4, "9");
    EXPECT_EQ(r.ABytes().substr(412, 4), std::string("\x09\x00\x00\x00", 4));
    EXPECT_EQ(r.ABytes().substr(416), RegistroAMano("1 A", 0, 255).substr(416));
    r.FijaFranja(5, "08:00/09:00"); // no such band
    EXPECT_EQ(r.ABytes().substr(416), RegistroAMano("1 A", 0, 255).substr(416));
}

TEST(RegistroMin, PruebaDeDuplicado) {
    auto a = TRegistroMin::DeBytes(RegistroAMano("3 Eva", 2, 90));
    TRegistroMin b = a;
    b.Bytes[142] ^= 0x55; // past the 8 template bytes: filler
    b.Bytes[500] ^= 1;    // terminal data after the header
    EXPECT_TRUE(a.MismoUsuario(b));
    b = a;
    b.Bytes[141] ^= 1; // last template byte
    EXPECT_FALSE(a.MismoUsuario(b));
    b = a;
    b.Bytes[133] ^= 1;
    EXPECT_FALSE(a.MismoUsuario(b));
    b = a;
    b.Bytes[0] ^= 1;
    EXPECT_FALSE(a.MismoUsuario(b));
}

TEST(RegistroMin, EnvioYRecepcion) {
    // "Peña¬0123": Windows ñ = F1, marker AC; OEM ñ = A4, marker AA.
    std::string archivo = RegistroAMano("7 Pe\xF1"
                                        "a\xAC"
                                        "0123",
                                        2, 255);
    auto r = TRegistroMin::DeBytes(archivo);
    TRegistroMin envio = r;
    envio.PreparaEnvio();
    std::string esperado = archivo;
    esperado.replace(4, 11,
                     "7 Pe\xA4"
                     "a\xAA"
                     "0123");
    for (int i = 142; i < 392; ++i)
        esperado[i] = '\xFF';
    EXPECT_EQ(envio.ABytes(), esperado);
    EXPECT_EQ(r.ABytes(), archivo); // the file copy keeps its own filler

    std::string hex = envio.FormaHex();
    ASSERT_EQ(hex.size(), 1026u);
    EXPECT_EQ(hex.substr(0, 12), "030A11183720"); // terminal bytes, then "7 "
    unsigned char x = 0;
    for (unsigned char c : esperado)
        x ^= c;
    char check[3];
    snprintf(check, sizeof check, "%02X", x);
    EXPECT_EQ(hex.substr(1024), check);

    TRegistroMin recibido;
    ASSERT_TRUE(TRegistroMin::DeFormaHex(hex, recibido));
    recibido.TextoDeOem();
    EXPECT_EQ(recibido.Texto(), r.Texto());
    EXPECT_EQ(recibido.Nombre(), "Pe\xF1"
                                 "a\xAC"
                                 "0123");
    EXPECT_TRUE(r.MismoUsuario(recibido));

    std::string malo = hex;
    malo[1025] = malo[1025] == '0' ? '1' : '0';
    EXPECT_FALSE(TRegistroMin::DeFormaHex(malo, recibido));
    malo = hex;
    malo[10] = 'G';
    EXPECT_FALSE(TRegistroMin::DeFormaHex(malo, recibido));
    EXPECT_FALSE(TRegistroMin::DeFormaHex(hex.substr(0, 1024), recibido));
}

TEST(RegistroMin, MarcaDeNombre) {
    EXPECT_EQ(TextoEnmascarado("5 Jefe\xAC"
                               "123"),
              "5 Jefe ***");
    EXPECT_EQ(TextoEnmascarado("5 Jefe"), "5 Jefe");
    EXPECT_EQ(TextoConRol("Jefe\xAC"
                          "0123",
                          true),
              "Jefe (C\xD3"
              "DIGO)");
    EXPECT_EQ(TextoConRol("Jefe\xAC"
                          "0123",
                          false),
              "Jefe (SUPERVISOR)");
    EXPECT_EQ(TextoConRol("Jefe\xAC"
                          "9",
                          true),
              "Jefe (SUPERVISOR)");
    EXPECT_EQ(TextoConRol("Jefe\xAC", true), "Jefe (SUPERVISOR)");
}

TEST(RegistroMin, ArchivosDeLista) {
    DirectorioTrabajo dir;
    std::string a = RegistroAMano("1 Uno", 1, 255), b = RegistroAMano("2 Dos\xAC"
                                                                      "55",
                                                                      3, 40);
    ASSERT_TRUE(EscribeListaMin("lista.min", {TRegistroMin::DeBytes(a)}));
    ASSERT_TRUE(AnadeRegistroMin("lista.min", TRegistroMin::DeBytes(b)));
    EXPECT_EQ(Contenido("lista.min"), a + b);

    // A partial last record is ignored.
    Escribe("lista.min", a + b + b.substr(0, 300));
    std::vector<TRegistroMin> regs;
    ASSERT_TRUE(LeeListaMin("lista.min", regs));
    ASSERT_EQ(regs.size(), 2u);
    EXPECT_EQ(regs[1].ABytes(), b);
    EXPECT_EQ(TextosListaMin("lista.min"), (std::vector<std::string>{"1 Uno", "2 Dos **"}));
    EXPECT_TRUE(TextosListaMin("no.min").empty());
    EXPECT_FALSE(LeeListaMin("no.min", regs));
    EXPECT_TRUE(regs.empty());
}
