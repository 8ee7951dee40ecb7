// Damaged user lists and presence tables through their readers: each returns, reads every whole
// record at its offset and leaves the file as it was.
#include "common/presencia.h"
#include "common/registromin.h"
#include "support/dirtemporal.h"
#include "support/mutaciones.h"

#include <gtest/gtest.h>

namespace {

void listaMin(const std::string &ruta, const Mutacion &m) {
    std::vector<TRegistroMin> r;
    ASSERT_TRUE(LeeListaMin(ruta, r));
    ASSERT_EQ(r.size(), m.Bytes.size() / TRegistroMin::Tamano);
    for (size_t k = 0; k < r.size(); ++k) {
        EXPECT_EQ(r[k].ABytes(), m.Bytes.substr(k * TRegistroMin::Tamano, TRegistroMin::Tamano));
        EXPECT_LE(r[k].Texto().size(), static_cast<size_t>(TRegistroMin::TamTexto));
        r[k].Nombre();
        r[k].TextoMinucias();
        for (int f = 1; f <= 4; ++f)
            EXPECT_EQ(r[k].Franja(f).size(), 11u);
        TextoConRol(r[k].Texto(), true);
        TRegistroMin copia = r[k];
        copia.PreparaEnvio();
    }
    EXPECT_EQ(TextosListaMin(ruta).size(), r.size());
}

void presentes(const std::string &ruta, const Mutacion &m) {
    TRegistroPresencia tabla[PlazasPresencia + 1];
    ASSERT_TRUE(LeePresentes(ruta, tabla));
    std::string esperado = m.Bytes.substr(0, BytesPresentes);
    esperado.resize(BytesPresentes, '\0');
    const std::string leido = BytesDeTabla(tabla);
    for (int k = 0; k < PlazasPresencia; ++k) // the first nine bytes of each slot are read
        EXPECT_EQ(leido.substr(k * BytesRegistroPresencia, 9),
                  esperado.substr(k * BytesRegistroPresencia, 9));
}

std::string registro(const std::string &texto, char relleno) {
    std::string b(TRegistroMin::Tamano, relleno);
    b.replace(TRegistroMin::PosTexto, texto.size() + 1, texto + '\0');
    b[TRegistroMin::PosMinucias] = 23;
    b.replace(TRegistroMin::PosFranjas, 8, "\x08\x00\x14\x30\xFF\xFF\xFF\xFF", 8);
    return b;
}

TEST(Robustez, ListasDeUsuariosYTablaDePresentesDanadas) {
    DirectorioTrabajo d;
    std::string tabla;
    for (int k = 0; k < PlazasPresencia; ++k)
        tabla += std::string("\x08\x00\x1E\x00\x64\x00\x00\x00\x01\x00\x00\x00\x02\x00\x00\x00", 16);
    PruebaArchivos({{"lista.min",
                     registro("0042 Ana \xAC"
                              "0",
                              '\x11') +
                         registro("7 Luis", '\xFF'),
                     listaMin},
                    {"presentes", tabla, presentes}});
}

} // namespace
