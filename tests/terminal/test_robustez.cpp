// Damaged clocking files, user lists, alias pairs and firmware through their readers: each
// returns, lists no more than the file holds and leaves the file as it was.
#include "common/ajustesprueba.h"
#include "support/mutaciones.h"
#include "terminal/fichaje.h"
#include "terminal/fichajesprueba.h"
#include "terminal/firmware.h"
#include "terminal/listadofichajes.h"
#include "terminal/listasusuarios.h"

#include <gtest/gtest.h>

namespace {

const QDate kDia(2024, 5, 3);
const std::string kDiaFichajes = "fichajes/030524.005";

// Listed rows (row 1 of an empty listing is blank).
int filas(const StringGrid &g) {
    return g.Celda(0, 1).empty() ? 0 : g.RowCount() - 1;
}

// Every kind of listing over the file, from the disk and from a run's files.
void listados(const Mutacion &m, bool historico) {
    TParcialesLeidos leidos;
    for (int tipo : {ListadoPresencia, ListadoProduccion, ListadoAccesos})
        for (const char *busca : {"", "12"})
            for (bool externa : {false, true}) {
                TPeticionListado p;
                p.Desde = p.Hasta = kDia;
                p.Terminales = {{'E', 'T', 5, true}};
                p.Historico = historico;
                p.Tipo = tipo;
                p.Busca = busca;
                p.Externa = externa;
                p.Leidos = externa ? &leidos : nullptr;
                StringGrid g;
                const TResultadoListado r = ListaFichajes(p, g, {});
                ASSERT_GT(r.Columnas.LongitudLinea, 0);
                EXPECT_LE(filas(g), static_cast<int>(m.Bytes.size()) / r.Columnas.LongitudLinea);
            }
}

void diaFichajes(const std::string &, const Mutacion &m) {
    listados(m, false);
    // A clocking stored into a copy of the damaged file goes after every byte it had.
    const std::string otro = Registro(6, 3, 5, 2024, 10, 0, "12 Ana");
    OlvidaParciales();
    Escribe(RutaParcial(otro), m.Bytes);
    ASSERT_TRUE(Guarda(otro));
    EXPECT_EQ(Contenido(RutaParcial(otro)), m.Bytes + FormateaFichaje(FormatoDefecto, otro));
}

void historico(const std::string &, const Mutacion &m) {
    listados(m, true);
    std::string error;
    EXPECT_TRUE(ReconstruyeFichajes(&error)) << error;
}

void listaUsuarios(const std::string &ruta, const Mutacion &m) {
    StringGrid g(8, 1);
    ASSERT_TRUE(CargaListaEnGrid(ruta, g));
    EXPECT_EQ(static_cast<size_t>(g.RowCount()), m.Bytes.size() / TRegistroMin::Tamano + 1);
    EXPECT_TRUE(AnadeRegistros(ruta, 1, g.RowCount(), ListaTrabajo));
    for (int f = 1; f < g.RowCount(); ++f)
        FranjaAEditar(g, f, 7);
}

void alias(const std::string &, const Mutacion &) {
    for (int n : {12, 40, 7, -1, 99})
        BuscaAlias(n);
}

// A whole reading, or a refusal with its reason; a cut file is always refused.
void firmware(const std::string &ruta, const Mutacion &m) {
    TProgramaFirmware f;
    const bool leido = f.Lee(ruta);
    EXPECT_TRUE(f.Abierto());
    EXPECT_EQ(leido, f.error().empty());
    if (m.Nombre.rfind("cortado", 0) == 0 || m.Bytes.empty()) {
        EXPECT_FALSE(leido);
    }
    for (const TSeccionFirmware &s : f.Secciones)
        EXPECT_LE(s.Desplazamiento + s.Datos.size(), m.Bytes.size());
}

void pon32(std::string &b, size_t o, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[o + static_cast<size_t>(i)] = static_cast<char>(v >> (24 - 8 * i));
}

// A 32-bit big-endian ELF with two loadable segments, the second one ending the file.
std::string elf() {
    std::string b(116, '\0');
    b.replace(0, 6,
              "\x7F"
              "ELF\x01\x02",
              6);
    pon32(b, 28, 52);
    b[43] = 32;
    b[45] = 2;
    const uint32_t datos[2][3] = {{116, 0x83000000u, 40}, {156, 0x83010000u, 24}};
    for (int k = 0; k < 2; ++k) {
        pon32(b, 52 + 32 * k + 4, datos[k][0]);
        pon32(b, 52 + 32 * k + 12, datos[k][1]);
        pon32(b, 52 + 32 * k + 16, datos[k][2]);
    }
    for (int i = 0; i < 64; ++i)
        b += static_cast<char>(i * 5);
    return b;
}

// A table of 65535 entries whose sections lie past the file or exceed the buffer.
std::string absurdo() {
    std::string b = elf();
    b[44] = b[45] = '\xFF';
    pon32(b, 52 + 4, 0xFFFFFFF0u);
    pon32(b, 52 + 32 + 16, TProgramaFirmware::TamBuffer + 1);
    return b + std::string(32 * 70000, '\x83');
}

std::string registroMin(const std::string &texto) {
    std::string b(TRegistroMin::Tamano, '\xFF');
    b.replace(TRegistroMin::PosTexto, texto.size() + 1, texto + '\0');
    b[TRegistroMin::PosMinucias] = 3;
    return b;
}

TEST(Robustez, ArchivosDeFichajesListasYFirmwareDanados) {
    EntornoFichajes e;
    CreaDirectorio("huellas");
    const std::string a = Registro(5, 3, 5, 2024, 8, 30, "12 Ana"),
                      b = Registro(5, 3, 5, 2024, 9, 0, "40 Luis", 3);
    std::string dia = FormateaFichaje(FormatoDefecto, a), cifrada = FormateaFichaje(FormatoDefecto, b);
    CodificaLinea(cifrada, ClaveFichajes("030524.005"));
    dia += cifrada;
    dia[0] = static_cast<char>(dia[0] | 0x80); // annulled
    PruebaArchivos({{kDiaFichajes.c_str(), dia, diaFichajes},
                    {"fichajes/historico", a + b, historico},
                    {"huellas/lista.min",
                     registroMin("0042 Ana") + registroMin("7 Luis \xAC"
                                                           "0"),
                     listaUsuarios},
                    {"datos/alias.dat", "12 40\r\n 7  9\r\n", alias},
                    {"programa.elf", elf(), firmware},
                    {"absurdo.elf", absurdo(), firmware}});
}

} // namespace
