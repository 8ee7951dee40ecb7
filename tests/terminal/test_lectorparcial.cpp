// The day-file line reader: pieces of the line length, realigned, unscrambled, passed over.
#include "terminal/fichaje.h"
#include "terminal/lectorparcial.h"

#include <gtest/gtest.h>

namespace {

using V = std::vector<std::string>;

// "offset:text" of every line read (annulled lines marked "*"), text without its CR LF.
V Lineas(const std::string &bytes, size_t longitud, TAlineacion a, unsigned char clave = 0,
         const std::function<bool(std::string_view)> &pasa = {}) {
    TLectorParcial lector(bytes, clave);
    TLineaParcial l;
    V v;
    while (lector.Siguiente(longitud, a, l, pasa)) {
        std::string t = l.SinMarca();
        if (t.size() >= 2 && t.compare(t.size() - 2, 2, "\r\n") == 0)
            t.resize(t.size() - 2);
        v.push_back(std::to_string(l.Offset) + ":" + (l.Anulada ? "*" : "") + t);
    }
    return v;
}

std::string Cifrada(std::string linea, unsigned char clave) {
    CodificaLinea(linea, clave);
    return linea;
}

TEST(LectorParcial, LineasRealineadasYCifradas) {
    // Lines of 6 bytes ("abcd" CR LF); a stray CR LF before the second, the third scrambled, the
    // fourth annulled, a short piece at the end.
    const std::string anulada = std::string(1, static_cast<char>('g' | 0x80)) + "hij\r\n";
    const std::string bytes = "abcd\r\n\r\nefgh\r\n" + Cifrada("wxyz\r\n", 3) + anulada + "kl";
    EXPECT_EQ(Lineas(bytes, 6, TAlineacion::CRLF, 3), (V{"0:abcd", "8:efgh", "14:wxyz", "20:*ghij"}));
    // Without realignment the stray CR LF shifts the lines that follow.
    EXPECT_EQ(Lineas(bytes, 6, TAlineacion::Ninguna, 3).at(1), "6:\r\nefgh");

    // A format that begins with CR: a piece out of step is read again from its next CR.
    const std::string cr = "\rAB\n\rCD\nxx\rEF\n";
    EXPECT_EQ(Lineas(cr, 4, TAlineacion::CR), (V{"0:\rAB\n", "4:\rCD\n", "10:\rEF\n"}));
}

TEST(LectorParcial, PasaSoloVeLineasLlanasEnPaso) {
    const std::string bytes = "12ab\r\n" + Cifrada("12cd\r\n", 2) + "\r\n40ef\r\n12gh\r\n40zz\r\n";
    std::vector<std::string> vistas;
    auto pasa = [&](std::string_view p) {
        vistas.emplace_back(p.substr(0, 4));
        return p.substr(0, 2) == "12";
    };
    EXPECT_EQ(Lineas(bytes, 6, TAlineacion::CRLF, 2, pasa), (V{"0:12ab", "6:12cd", "14:40ef", "20:12gh"}));
    // The scrambled line and the one out of step are read whole, whatever their employee.
    EXPECT_EQ(vistas, (V{"12ab", "12gh", "40zz"}));
}

TEST(LectorParcial, DesdeElFinalYPiezasDeOtraLongitud) {
    // Two lines of an older format (4 bytes) before three of the current one (6 bytes).
    const std::string bytes = "ab\r\ncd\r\n" + std::string("efgh\r\nijkl\r\nmnop\r\n");
    const TLectorParcial lector(bytes, 0);
    const auto v = lector.DesdeElFinal(6);
    EXPECT_EQ(V(v.begin(), v.end()), (V{"mnop\r\n", "ijkl\r\n", "efgh\r\n", "\r\ncd\r\n"}));
    EXPECT_TRUE(lector.DesdeElFinal(0).empty());

    TLectorParcial adelante(bytes, 0);
    TLineaParcial l;
    ASSERT_TRUE(adelante.Mira(4, l));
    EXPECT_EQ(l.Texto, "ab\r\n");
    adelante.Avanza(8);
    ASSERT_TRUE(adelante.Mira(6, l));
    EXPECT_EQ(l.Offset, 8u);
    EXPECT_EQ(l.Texto, "efgh\r\n");
    adelante.Avanza(18);
    EXPECT_TRUE(adelante.Fin());
    EXPECT_FALSE(adelante.Mira(1, l));
}

} // namespace
