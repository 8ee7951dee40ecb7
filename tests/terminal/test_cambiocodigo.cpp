// Code change in a user list and in the history file, byte for byte.
#include "support/dirtemporal.h"
#include "support/fallosdisco.h"
#include "support/simulador.h"
#include "terminal/cambiocodigo.h"

#include <gtest/gtest.h>

namespace {

const QDateTime kHora(QDate(2026, 1, 14), QTime(8, 0, 0));

std::string fichaje(const std::string &empleado, int minuto = 0) {
    return RegistroFichaje(7, kHora.addSecs(60 * minuto), empleado, 0, "00120034");
}

// The record text of a list record: code and name, NUL, 0xFF up to the minutiae count.
std::string texto(const std::string &t) {
    return t + '\0' + std::string(127 - t.size(), '\xFF');
}

TEST(CambioCodigo, CodigosQueSeAceptan) {
    const std::vector<std::pair<std::string, std::string>> casos = {
        {"123", "123"},
        {" 0045 ", "45"},
        {"1234567890123456", "1234567890123456"},
        {"0", ""},
        {"", ""},
        {"12a", ""},
        {"12345678901234567", ""},
        {"-5", ""},
    };
    for (const auto &[texto, valor] : casos) {
        std::string v;
        EXPECT_EQ(CodigoValido(texto, v), !valor.empty()) << texto;
        if (!valor.empty())
            EXPECT_EQ(v, valor) << texto;
    }
}

TEST(CambioCodigo, ListaEHistorico) {
    for (const std::string nuevo : {"45", "123456", "1", "456"}) {
        DirectorioTrabajo dir;
        const std::string lista = RegistroLista("123", "ANA", 3, 255) +
                                  RegistroLista("1234", "OTRO", 2, 255) + RegistroLista("0123", "BEA", 4, 80);
        std::string sinBlanco = RegistroLista("123", "X", 1, 255);
        sinBlanco.replace(4, 5, std::string("123\0\xFF", 5));
        Escribe("a.min", lista + sinBlanco);
        // A line of 102 characters is not a record; the file does not end with a line end.
        const std::string largo = "\r\n" + fichaje("123 LARGO").substr(2) + "Z";
        Escribe("historico",
                fichaje("123 PEREZ GARCIA") + fichaje("1234 OTRO", 1) + largo + fichaje("0123 CERO", 2));
        std::string error;
        ASSERT_TRUE(CambiaCodigo("a.min", "historico", "123", nuevo, error)) << error;

        const std::string l = Contenido("a.min");
        ASSERT_EQ(l.size(), 2048u);
        EXPECT_EQ(l.substr(4, 128), texto(nuevo + " ANA")) << nuevo;
        EXPECT_EQ(l.substr(512, 512), lista.substr(512, 512));
        EXPECT_EQ(l.substr(1024 + 4, 128), texto(nuevo + " BEA"));
        EXPECT_EQ(l.substr(1536 + 4, 128), texto(nuevo + " "));
        for (size_t i : {0u, 132u, 200u, 419u, 1024u, 1156u, 1535u})
            EXPECT_EQ(l[i], (lista + sinBlanco)[i]) << i;
        // The employee field moves; the production code and the access character stay in place.
        EXPECT_EQ(Contenido("historico"), fichaje(nuevo + " PEREZ GARCIA") + fichaje("1234 OTRO", 1) + largo +
                                              fichaje(nuevo + " CERO", 2))
            << nuevo;
    }
}

TEST(CambioCodigo, CampoLlenoSinBlancoYCodigoQueNoCabe) {
    std::string linea = fichaje("123" + std::string(51, 'N')).substr(2);
    ASSERT_TRUE(CambiaCodigoLinea(linea, "123", "4567"));
    EXPECT_EQ(linea, fichaje("4567").substr(2));
    linea = fichaje("99 X").substr(2);
    EXPECT_FALSE(CambiaCodigoLinea(linea, "123", "4"));
    EXPECT_EQ(linea, fichaje("99 X").substr(2));
}

TEST(CambioCodigo, NadaCambiaSiUnArchivoNoSePuedeEscribir) {
    DirectorioTrabajo dir;
    const std::string lista = RegistroLista("123", "ANA", 3, 255) + RegistroLista("5", "B", 3, 255);
    std::string historico;
    for (int i = 0; i < 20; ++i)
        historico += fichaje("123 PEREZ", i);
    Escribe("a.min", lista);
    Escribe("historico", historico);
    std::string error;
    {
        DiscoLleno lleno(1500); // the list fits, the history does not
        EXPECT_FALSE(CambiaCodigo("a.min", "historico", "123", "45", error));
    }
    EXPECT_NE(error.find("historico"), std::string::npos);
    EXPECT_EQ(Contenido("a.min"), lista);
    EXPECT_EQ(Contenido("historico"), historico);
    // Missing files change nothing and are no failure.
    EXPECT_TRUE(CambiaCodigo("no.min", "nohistorico", "123", "45", error));
}

} // namespace
