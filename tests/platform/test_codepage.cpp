#include "platform/codepage.h"

#include <gtest/gtest.h>
#include <iconv.h>

namespace {
// The reference conversion of the C library.
std::string iconvierte(const char *a, const char *de, const std::string &s) {
    iconv_t cd = iconv_open(a, de);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return "<sin iconv>";
    std::string entrada = s, salida(s.size() * 4 + 4, '\0');
    char *in = entrada.data(), *out = salida.data();
    size_t ni = entrada.size(), no = salida.size();
    size_t r = iconv(cd, &in, &ni, &out, &no);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1))
        return "<error>";
    salida.resize(salida.size() - no);
    return salida;
}
} // namespace

TEST(CodePage, Windows1252IdaYVueltaConQString) {
    std::string todos;
    for (int i = 1; i < 256; ++i)
        todos.push_back(static_cast<char>(i));
    EXPECT_EQ(deQ(aQ(todos)), todos);
    EXPECT_EQ(aQ("\x80"), QString(QChar(0x20AC)));
    EXPECT_EQ(Ansi("Página"), "P\xE1gina");
    EXPECT_EQ(deQ(QString::fromUtf8("日")), "?");
}

TEST(CodePage, Oem850CoincideConLaTablaDeReferencia) {
    for (int o = 0x80; o < 0x100; ++o) {
        std::string oem(1, static_cast<char>(o));
        std::string esperado = iconvierte("CP1252", "CP850", oem);
        if (esperado.size() != 1)
            esperado = "?"; // no equivalent in Windows-1252
        EXPECT_EQ(OemToChar(oem), esperado) << "OEM " << o;
    }
    EXPECT_EQ(CharToOem(Ansi("ÑñáéíóúÜ¿¡ºª")), "\xA5\xA4\xA0\x82\xA1\xA2\xA3\x9A\xA8\xAD\xA7\xA6");
    EXPECT_EQ(OemToChar(CharToOem(Ansi("José Muñoz"))), Ansi("José Muñoz"));
    EXPECT_EQ(CharToOem("\x80"), "?"); // the euro sign has no OEM 850 form
}
