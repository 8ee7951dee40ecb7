// Clocking listings into the clockings grid, the alias pairs and the annul toggle.
#include "common/ajustesprueba.h"
#include "terminal/fichaje.h"
#include "terminal/fichajesprueba.h"
#include "terminal/listadofichajes.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const QDate k3(2024, 5, 3), k4(2024, 5, 4);

TTerminalListado Terminal(int numero, char modo = 'E') {
    return {'E', modo, numero, true};
}

TPeticionListado Peticion(QDate desde, QDate hasta, std::vector<TTerminalListado> t,
                          int tipo = ListadoPresencia, const std::string &busca = "") {
    TPeticionListado p;
    p.Desde = desde;
    p.Hasta = hasta;
    p.Terminales = std::move(t);
    p.Tipo = tipo;
    p.Busca = busca;
    return p;
}

// "hh:mm terminal" of every listed row, in grid order.
std::vector<std::string> Filas(const StringGrid &g, const TResultadoListado &r) {
    std::vector<std::string> v;
    for (int f = 1; f < g.RowCount(); ++f)
        if (!g.Celda(0, f).empty())
            v.push_back(g.Celda(r.Columnas.Dia, f) + " " + g.Celda(r.Columnas.Hora, f) + ":" +
                        g.Celda(r.Columnas.Minuto, f) + " " + g.Celda(r.Columnas.Terminal, f));
    return v;
}

using V = std::vector<std::string>;

TEST(ListaFichajes, ColumnasTitulosYOrden) {
    EntornoFichajes e;
    Guarda(Registro(5, 3, 5, 2024, 9, 0, "12 JUAN"));
    Guarda(Registro(7, 3, 5, 2024, 8, 0, "12 JUAN"));
    Guarda(Registro(5, 4, 5, 2024, 7, 0, "40 ANA"));
    Guarda(Registro(7, 2, 5, 2024, 10, 0, "12 JUAN"));
    StringGrid g(3, 3);
    TResultadoListado r = ListaFichajes(Peticion(k3, k4, {Terminal(5), Terminal(7)}), g, {});
    const V titulos = {"",
                       "Terminal",
                       "C\xF3"
                       "digo",
                       "Incidencia",
                       "Nombre",
                       "Producci\xF3n",
                       "Dia",
                       "Mes",
                       "A\xF1o",
                       "Hora",
                       "Minuto"};
    EXPECT_EQ(g.Fila(0), titulos);
    const TColumnasFichajes &c = r.Columnas;
    EXPECT_EQ(c.Terminal, 1);
    EXPECT_EQ(c.Codigo, 2);
    EXPECT_EQ(c.Incidencia, 3);
    EXPECT_EQ(c.Nombre, 4);
    EXPECT_EQ(c.Produccion, 5);
    EXPECT_EQ(c.Dia, 6);
    EXPECT_EQ(c.Anio, 8);
    EXPECT_EQ(c.Minuto, 10);
    EXPECT_EQ(c.Segundo, 0);
    EXPECT_EQ(c.LongitudLinea, 69);
    EXPECT_EQ(Filas(g, r), (V{"03 08:00 007", "03 09:00 005", "04 07:00 005"}));
    EXPECT_EQ(g.Fila(1), (V{"0", "007", "12", "0", "12 JUAN" + std::string(25, ' '), "        ", "03", "05",
                            "2024", "08", "00"}));
    EXPECT_EQ(g.ColWidths[1], 27);
    EXPECT_EQ(g.ColWidths[4], 288);
    // Widths remembered by the annul toggle win.
    TPeticionListado p = Peticion(k3, k4, {Terminal(5)});
    p.Anchos = {0, 50};
    ListaFichajes(p, g, {});
    EXPECT_EQ(g.ColWidths[1], 50);
    EXPECT_EQ(g.ColWidths[2], 18);
}

TEST(ListaFichajes, ColumnaCeroGuardaLaPosicion) {
    EntornoFichajes e;
    Guarda(Registro(5, 3, 5, 2024, 8, 0, "12 JUAN"));
    Guarda(Registro(5, 3, 5, 2024, 7, 0, "40 ANA"));
    StringGrid g;
    TResultadoListado r = ListaFichajes(Peticion(k3, k3, {Terminal(5)}), g, {});
    EXPECT_EQ(g.Celda(0, 1), "69");
    EXPECT_EQ(g.Celda(0, 2), "0");
    ASSERT_EQ(r.ArchivoFila.size(), 3u);
    EXPECT_EQ(r.Archivos[static_cast<size_t>(r.ArchivoFila[1])], "fichajes/030524.005");
}

// More rows than the listing keeps in one block: every line once, in order, with its offset.
TEST(ListaFichajes, MuchasFilasEnOrdenConSuPosicion) {
    EntornoFichajes e;
    const int n = 70000;
    const TFormatoAnalizado f = AnalizaFormato(Configuracion().FormatoFichaje);
    std::string dia;
    for (int k = n; k >= 1; --k)
        dia += FormateaFichaje(f, Registro(5, 3, 5, 2024, 8, 0, std::to_string(k) + " E"));
    Escribe("fichajes/030524.005", dia);
    StringGrid g;
    const TResultadoListado r = ListaFichajes(Peticion(k3, k3, {Terminal(5)}), g, {});
    ASSERT_EQ(g.RowCount(), n + 1);
    std::string anterior;
    std::set<int> vistos;
    for (int fila = 1; fila <= n; ++fila) {
        const std::string &nombre = g.Celda(r.Columnas.Nombre, fila);
        EXPECT_LT(anterior, nombre);
        const int k = LeeEntero(nombre);
        vistos.insert(k);
        EXPECT_EQ(g.Celda(0, fila), std::to_string(69 * (n - k)));
        anterior = nombre;
    }
    EXPECT_EQ(vistos.size(), static_cast<size_t>(n));
}

TEST(ListaFichajes, BuscaEmpleadoYSuAlias) {
    EntornoFichajes e;
    Guarda(Registro(5, 3, 5, 2024, 8, 0, "12 JUAN"));
    Guarda(Registro(5, 3, 5, 2024, 9, 0, "40 JUAN B"));
    Guarda(Registro(5, 3, 5, 2024, 10, 0, "12 JUAN"));
    Guarda(Registro(5, 3, 5, 2024, 11, 0, "7 OTRO"));
    StringGrid g;
    auto r = ListaFichajes(Peticion(k3, k3, {Terminal(5)}, ListadoPresencia, "12 "), g, {});
    EXPECT_EQ(Filas(g, r), (V{"03 08:00 005", "03 10:00 005"}));
    Escribe("datos/alias.dat", "5 6\r\n40 12\r\n12 7\r\n");
    r = ListaFichajes(Peticion(k3, k3, {Terminal(5)}, ListadoPresencia, "12 "), g, {});
    EXPECT_EQ(Filas(g, r), (V{"03 08:00 005", "03 09:00 005", "03 10:00 005"}));
    r = ListaFichajes(Peticion(k3, k3, {Terminal(5)}, ListadoPresencia, "40"), g, {});
    EXPECT_EQ(Filas(g, r), (V{"03 08:00 005", "03 09:00 005", "03 10:00 005"}));
    EXPECT_EQ(BuscaAlias(7), 12);
    EXPECT_EQ(BuscaAlias(99), 0);
}

TEST(ListaFichajes, TiposDeListado) {
    EntornoFichajes e;
    AjustesPrueba().FormatoFichaje =
        "$3t-$2c $1i $32n $8p $2d/$2m/$4a $2H:$2M $1u\\r\\n"; // with the access character
    Guarda(Registro(5, 3, 5, 2024, 8, 0, "12 A"));
    Guarda(Registro(5, 3, 5, 2024, 8, 30, "12 A", 0, "00120034"));
    Guarda(Registro(8, 3, 5, 2024, 9, 0, "12 A"));
    Guarda(Registro(8, 3, 5, 2024, 9, 30, "12 A", 0, "        ", 'N'));
    Guarda(Registro(9, 3, 5, 2024, 10, 0, "12 A"));
    const std::vector<TTerminalListado> t = {Terminal(5, 'E'), Terminal(8, 'A'), Terminal(9, 'T')};
    StringGrid g;
    auto r = ListaFichajes(Peticion(k3, k3, t, ListadoPresencia), g, {});
    EXPECT_EQ(Filas(g, r), (V{"03 08:00 005", "03 09:00 008", "03 09:30 008", "03 10:00 009"}));
    r = ListaFichajes(Peticion(k3, k3, t, ListadoProduccion), g, {});
    EXPECT_EQ(Filas(g, r),
              (V{"03 08:00 005", "03 08:30 005", "03 09:00 008", "03 09:30 008", "03 10:00 009"}));
    r = ListaFichajes(Peticion(k3, k3, t, ListadoAccesos), g, {});
    EXPECT_EQ(Filas(g, r), (V{"03 09:00 008", "03 10:00 009"}));
    // With no access terminal checked nothing is listed: the titles and one empty row.
    r = ListaFichajes(Peticion(k3, k3, {Terminal(5, 'E')}, ListadoAccesos), g, {});
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.Celda(0, 1), "");
}

TEST(ListaFichajes, FichajesIgualesQuedanEnUno) {
    EntornoFichajes e;
    Guarda(Registro(5, 3, 5, 2024, 8, 0, "12 A"));
    Guarda(Registro(7, 3, 5, 2024, 8, 0, "12 A"));
    Guarda(Registro(7, 3, 5, 2024, 8, 0, "40 B"));
    StringGrid g;
    auto r = ListaFichajes(Peticion(k3, k3, {Terminal(5), Terminal(7)}, ListadoPresencia, "12"), g, {});
    EXPECT_EQ(Filas(g, r), (V{"03 08:00 007"})); // the one listed later stays
    // Listing everybody, another employee's clocking of the same minute stays.
    r = ListaFichajes(Peticion(k3, k3, {Terminal(5), Terminal(7)}), g, {});
    ASSERT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.Celda(r.Columnas.Terminal, 1), "007");
    EXPECT_EQ(g.Celda(r.Columnas.Codigo, 1), "12");
    EXPECT_EQ(g.Celda(r.Columnas.Codigo, 2), "40");
    // The production twin keys by employee first: both employees stay.
    TPeticionListado p = Peticion(k3, k3, {Terminal(5), Terminal(7)}, ListadoProduccion);
    p.Produccion = true;
    r = ListaFichajes(p, g, {});
    ASSERT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.Celda(r.Columnas.Codigo, 1), "12");
    EXPECT_EQ(g.Celda(r.Columnas.Codigo, 2), "40");
}

TEST(ListaFichajes, GemeloDeProduccionOrdenaPorEmpleado) {
    EntornoFichajes e;
    Guarda(Registro(5, 3, 5, 2024, 8, 0, "40 B"));
    Guarda(Registro(5, 3, 5, 2024, 9, 0, "12 A"));
    StringGrid g;
    TPeticionListado p = Peticion(k3, k3, {Terminal(5)}, ListadoProduccion);
    auto r = ListaFichajes(p, g, {});
    EXPECT_EQ(g.Celda(r.Columnas.Codigo, 1), "40");
    p.Produccion = true;
    r = ListaFichajes(p, g, {});
    EXPECT_EQ(g.Celda(r.Columnas.Codigo, 1), "12");
}

TEST(ListaFichajes, AnuladosYSuMarca) {
    EntornoFichajes e;
    Guarda(Registro(5, 3, 5, 2024, 8, 0, "12 A"));
    Guarda(Registro(5, 3, 5, 2024, 9, 0, "12 A"));
    const std::string antes = Contenido("fichajes/030524.005");
    StringGrid g;
    auto r = ListaFichajes(Peticion(k3, k3, {Terminal(5)}), g, {});
    ASSERT_TRUE(AlternaAnulado(r, g, 2));
    std::string esperado = antes;
    esperado[69] = static_cast<char>(esperado[69] | 0x80);
    EXPECT_EQ(Contenido("fichajes/030524.005"), esperado);
    r = ListaFichajes(Peticion(k3, k3, {Terminal(5)}), g, {});
    EXPECT_EQ(g.Celda(0, 2), "69-A");
    EXPECT_EQ(g.Celda(r.Columnas.Terminal, 2), "005"); // mark cleared in the cells
    TPeticionListado externa = Peticion(k3, k3, {Terminal(5)});
    externa.Externa = true;
    ListaFichajes(externa, g, {});
    EXPECT_EQ(g.RowCount(), 2);
    // Twice restores the line.
    r = ListaFichajes(Peticion(k3, k3, {Terminal(5)}), g, {});
    ASSERT_TRUE(AlternaAnulado(r, g, 2));
    EXPECT_EQ(Contenido("fichajes/030524.005"), antes);
    // A row whose line changed since the listing is left alone.
    EXPECT_FALSE(AlternaAnulado(r, g, 2));
    EXPECT_EQ(Contenido("fichajes/030524.005"), antes);
    EXPECT_FALSE(AlternaAnulado(r, g, 0));
    EXPECT_FALSE(AlternaAnulado(r, g, 9));
    // The writer takes a resend of an annulled clocking as a new line.
    r = ListaFichajes(Peticion(k3, k3, {Terminal(5)}), g, {});
    ASSERT_TRUE(AlternaAnulado(r, g, 2));
    EXPECT_TRUE(Guarda(Registro(5, 3, 5, 2024, 9, 0, "12 A")));
    EXPECT_EQ(Contenido("fichajes/030524.005"), esperado + antes.substr(69));
}

TEST(ListaFichajes, LineasCifradasYPlanasMezcladas) {
    EntornoFichajes e;
    AjustesPrueba().EncriptarFichajes = 1;
    Guarda(Registro(5, 3, 5, 2024, 8, 0, "12 A"));
    AjustesPrueba().EncriptarFichajes = 0;
    Guarda(Registro(5, 3, 5, 2024, 9, 0, "12 A"));
    const std::string bytes = Contenido("fichajes/030524.005");
    ASSERT_NE(bytes[1] & 0x80, 0);
    ASSERT_EQ(bytes[70], '0');
    StringGrid g;
    auto r = ListaFichajes(Peticion(k3, k3, {Terminal(5)}), g, {});
    EXPECT_EQ(Filas(g, r), (V{"03 08:00 005", "03 09:00 005"}));
    // The annul toggle works through the key too.
    ASSERT_TRUE(AlternaAnulado(r, g, 1));
    r = ListaFichajes(Peticion(k3, k3, {Terminal(5)}), g, {});
    EXPECT_EQ(g.Celda(0, 1), "0-A");
    EXPECT_EQ(g.Celda(r.Columnas.Hora, 1), "08");
}

// Annulled under the key '7', the access letter "V" is stored as a CR: still the line's first
// byte, not a line out of step.
TEST(ListaFichajes, LineaCifradaQueEmpiezaPorCR) {
    EntornoFichajes e;
    AjustesPrueba().EncriptarFichajes = 1;
    AjustesPrueba().FormatoFichaje = "$1u$3t $2d $2H:$2M\\r\\n";
    ASSERT_TRUE(Guarda(Registro(5, 7, 5, 2024, 8, 0, "12 A", 0, "        ", 'V')));
    StringGrid g;
    const QDate k7(2024, 5, 7);
    auto r = ListaFichajes(Peticion(k7, k7, {Terminal(5)}), g, {});
    ASSERT_TRUE(AlternaAnulado(r, g, 1));
    ASSERT_EQ(Contenido("fichajes/070524.005")[0], '\r');
    r = ListaFichajes(Peticion(k7, k7, {Terminal(5)}), g, {});
    EXPECT_EQ(Filas(g, r), (V{"07 08:00 005"}));
    EXPECT_EQ(g.Celda(0, 1), "0-A");
}

TEST(ListaFichajes, OrdenSinMayusculasNiAcentosHastaElFinDelNombre) {
    // One minute: names told apart past their third character, by case or accent only, or not at all.
    EntornoFichajes e;
    for (const char *nombre : {"12 ANA", "12 \xC1LVARO", "12 alba", "12 ALBA", "12 ABEL", "12 ANA"})
        Escribe("fichajes/030524.005",
                Contenido("fichajes/030524.005") +
                    FormateaFichaje(Configuracion().FormatoFichaje, Registro(5, 3, 5, 2024, 8, 0, nombre)));
    StringGrid g;
    auto r = ListaFichajes(Peticion(k3, k3, {Terminal(5)}), g, {});
    V nombres;
    for (int f = 1; f < g.RowCount(); ++f)
        nombres.push_back(g.Celda(0, f) + " " + g.Celda(r.Columnas.Nombre, f).substr(0, 9));
    EXPECT_EQ(nombres,
              (V{"276 12 ABEL  ", "138 12 alba  ", "207 12 ALBA  ", "69 12 \xC1LVARO", "345 12 ANA   "}));
}

// Day 3: terminal 5 with scrambled, then plain lines; terminal 7 a line out of step.
void LineasCifradasYDesalineadas(const char *tercero) {
    AjustesPrueba().EncriptarFichajes = 1;
    Guarda(Registro(5, 3, 5, 2024, 8, 0, "12 A"));
    Guarda(Registro(5, 3, 5, 2024, 8, 5, "40 B"));
    AjustesPrueba().EncriptarFichajes = 0;
    Guarda(Registro(5, 3, 5, 2024, 9, 0, "12 A"));
    Guarda(Registro(5, 3, 5, 2024, 9, 5, tercero));
    const auto linea = [](int h, const char *nombre) {
        return FormateaFichaje(Configuracion().FormatoFichaje, Registro(7, 3, 5, 2024, h, 0, nombre));
    };
    Escribe("fichajes/030524.007", "\r\n" + linea(10, "40 B") + linea(11, "12 A") + linea(12, tercero));
}

TEST(ListaFichajes, BuscaEntreLineasCifradasYDesalineadas) {
    EntornoFichajes e;
    LineasCifradasYDesalineadas("40 B");
    StringGrid g;
    TPeticionListado p = Peticion(k3, k3, {Terminal(5), Terminal(7)}, ListadoPresencia, "12 ");
    p.Externa = true;
    auto r = ListaFichajes(p, g, {});
    EXPECT_EQ(Filas(g, r), (V{"03 08:00 005", "03 09:00 005", "03 11:00 007"}));
    p.Busca = "40";
    r = ListaFichajes(p, g, {});
    EXPECT_EQ(Filas(g, r), (V{"03 08:05 005", "03 09:05 005", "03 10:00 007", "03 12:00 007"}));
}

// A run's listings share the files and their index by employee: each lists what a listing from
// the disk lists, for every employee and alias, in either kind, scrambled and out-of-step lines too.
TEST(ListaFichajes, ListadosDeUnaEjecucionComoDesdeElDisco) {
    EntornoFichajes e;
    LineasCifradasYDesalineadas("7 C");
    Escribe("datos/alias.dat", "7 40\r\n");
    TParcialesLeidos leidos;
    auto todas = [](const StringGrid &g) {
        std::vector<V> v;
        for (int f = 0; f < g.RowCount(); ++f)
            v.push_back(g.Fila(f));
        return v;
    };
    for (int vuelta = 0; vuelta < 2; ++vuelta)
        for (bool produccion : {false, true})
            for (const char *busca : {"12 ", "40", "7", "99"}) {
                TPeticionListado p = Peticion(k3, k3, {Terminal(5), Terminal(7)}, ListadoPresencia, busca);
                p.Produccion = produccion;
                StringGrid disco, ejecucion;
                ListaFichajes(p, disco, {});
                p.Leidos = &leidos;
                ListaFichajes(p, ejecucion, {});
                EXPECT_EQ(todas(ejecucion), todas(disco)) << busca << " " << produccion;
            }
    TPeticionListado p = Peticion(k3, k3, {Terminal(5), Terminal(7)}, ListadoPresencia, "7");
    p.Leidos = &leidos;
    StringGrid g;
    auto r = ListaFichajes(p, g, {});
    EXPECT_EQ(Filas(g, r), (V{"03 08:05 005", "03 09:05 005", "03 10:00 007", "03 12:00 007"}));
    // Forgotten, the files are read again.
    Guarda(Registro(5, 3, 5, 2024, 13, 0, "7 C"));
    leidos.Olvida();
    r = ListaFichajes(p, g, {});
    EXPECT_EQ(Filas(g, r).back(), "03 13:00 005");
}

TEST(ListaFichajes, UnListadoSobreOtroNoDejaRestos) {
    EntornoFichajes e;
    Guarda(Registro(5, 3, 5, 2024, 8, 0, "12 A"));
    Guarda(Registro(5, 3, 5, 2024, 9, 0, "40 B"));
    StringGrid g(14, 6);
    for (int c = 0; c < g.ColCount(); ++c)
        for (int f = 0; f < g.RowCount(); ++f)
            g.Cells[c][f] = "resto";
    auto r = ListaFichajes(Peticion(k3, k3, {Terminal(5)}), g, {});
    ASSERT_EQ(g.ColCount(), 11);
    ASSERT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.Fila(2), (V{"69", "005", "40", "0", "40 B" + std::string(28, ' '), "        ", "03", "05",
                            "2024", "09", "00"}));
    EXPECT_EQ(g.Celda(0, 0), "");
    // A shorter format, then nothing listed: the titles and one empty row.
    AjustesPrueba().FormatoFichaje = "$2d/$2m/$4a $2H:$2M $3t\r\n";
    Escribe("fichajes/030524.005",
            FormateaFichaje(Configuracion().FormatoFichaje, Registro(5, 3, 5, 2024, 7, 0, "12 A")));
    r = ListaFichajes(Peticion(k3, k3, {Terminal(5)}), g, {});
    EXPECT_EQ(g.Fila(1), (V{"0", "03", "05", "2024", "07", "00", "005"}));
    ListaFichajes(Peticion(k4, k4, {Terminal(5)}), g, {});
    EXPECT_EQ(g.Fila(0), (V{"", "Dia", "Mes", "A\xF1o", "Hora", "Minuto", "Terminal"}));
    EXPECT_EQ(g.Fila(1), V(7, ""));
}

TEST(ListaFichajes, HistoricoEnteroEnOrdenDeFecha) {
    EntornoFichajes e;
    const std::string r1 = Registro(5, 4, 5, 2024, 8, 0, "12 A");
    const std::string r2 = Registro(7, 1, 5, 2023, 9, 0, "12 A");
    // Leading garbage: the reader finds the first CR and goes on from it.
    Escribe("fichajes/historico", "xyz" + r1 + r2);
    StringGrid g;
    TPeticionListado p = Peticion(k3, k3, {Terminal(9)});
    p.Historico = true;
    auto r = ListaFichajes(p, g, {});
    EXPECT_EQ(r.Columnas.Segundo, 8);
    EXPECT_EQ(r.Columnas.LongitudLinea, 103);
    EXPECT_EQ(Filas(g, r), (V{"01 09:00 007", "04 08:00 005"}));
    EXPECT_EQ(g.Celda(0, 1), "106");
    EXPECT_EQ(g.Celda(2, 1), "Jue");
    EXPECT_FALSE(AlternaAnulado(r, g, 1));
    EXPECT_EQ(Contenido("fichajes/historico"), "xyz" + r1 + r2);
}

TEST(ListaFichajes, LineaDesalineadaPorCRLF) {
    EntornoFichajes e;
    const std::string l1 =
        FormateaFichaje(Configuracion().FormatoFichaje, Registro(5, 3, 5, 2024, 8, 0, "12 A"));
    const std::string l2 =
        FormateaFichaje(Configuracion().FormatoFichaje, Registro(5, 3, 5, 2024, 9, 0, "12 A"));
    Escribe("fichajes/030524.005", "\r\n" + l1 + l2);
    StringGrid g;
    auto r = ListaFichajes(Peticion(k3, k3, {Terminal(5)}), g, {});
    EXPECT_EQ(Filas(g, r), (V{"03 08:00 005", "03 09:00 005"}));
    EXPECT_EQ(g.Celda(0, 1), "2");
    EXPECT_EQ(g.Celda(0, 2), "71");
}

TEST(ListaFichajes, RangoAlReves0LongitudCeroNoListan) {
    EntornoFichajes e;
    Guarda(Registro(5, 3, 5, 2024, 8, 0, "12 A"));
    StringGrid g;
    ListaFichajes(Peticion(k4, k3, {Terminal(5)}), g, {});
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.Celda(0, 1), "");
    AjustesPrueba().FormatoFichaje = "";
    auto r = ListaFichajes(Peticion(k3, k3, {Terminal(5)}), g, {});
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.ColCount(), 1);
    EXPECT_EQ(r.Columnas.LongitudLinea, 0);
    // Columns missing from the format keep their previous value, but for the seconds.
    TColumnasFichajes antes;
    antes.Dia = 6;
    antes.Segundo = 4;
    r = ListaFichajes(Peticion(k3, k3, {Terminal(5)}), g, antes);
    EXPECT_EQ(r.Columnas.Dia, 6);
    EXPECT_EQ(r.Columnas.Segundo, 0);
}

TEST(ListaFichajes, ArchivoDefectuoso) {
    EntornoFichajes e;
    const std::string l1 =
        FormateaFichaje(Configuracion().FormatoFichaje, Registro(5, 3, 5, 2024, 8, 0, "12 A"));
    const std::string l2 =
        FormateaFichaje(Configuracion().FormatoFichaje, Registro(5, 3, 13, 2024, 9, 0, "12 A"));
    const std::string l3 =
        FormateaFichaje(Configuracion().FormatoFichaje, Registro(5, 3, 5, 2024, 10, 0, "12 A"));
    Escribe("fichajes/030524.005", l1 + l2 + l3);
    Guarda(Registro(5, 4, 5, 2024, 7, 0, "12 A"));
    StringGrid g;
    auto r = ListaFichajes(Peticion(k3, k4, {Terminal(5)}), g, {});
    EXPECT_EQ(r.Defectuosos, V{"fichajes/030524.005"});
    EXPECT_EQ(Filas(g, r), (V{"03 08:00 005", "04 07:00 005", "03 09:00 005"}));
    // The production twin does not check.
    TPeticionListado p = Peticion(k3, k4, {Terminal(5)});
    p.Produccion = true;
    r = ListaFichajes(p, g, {});
    EXPECT_TRUE(r.Defectuosos.empty());
    EXPECT_EQ(g.RowCount(), 5);
    // A two-digit year is not taken for a year out of range.
    AjustesPrueba().FormatoFichaje = "$2d/$2m/$2a $2H:$2M $3t\\r\\n";
    Escribe("fichajes/030524.005",
            FormateaFichaje(Configuracion().FormatoFichaje, Registro(5, 3, 5, 2024, 8, 0, "12 A")) +
                FormateaFichaje(Configuracion().FormatoFichaje, Registro(5, 3, 5, 2024, 9, 0, "12 A")));
    r = ListaFichajes(Peticion(k3, k3, {Terminal(5)}), g, {});
    EXPECT_TRUE(r.Defectuosos.empty());
    EXPECT_EQ(Filas(g, r), (V{"03 08:00 005", "03 09:00 005"}));
}

TEST(ListaFichajes, NumeroDeTerminalComoElEnlace) {
    TTerminalListado t = TerminalDeItem("AT BA000012 Puerta", true);
    EXPECT_EQ(t.Numero, 18);
    EXPECT_EQ(t.Modo, 'T');
    EXPECT_EQ(TerminalDeItem("SE 7 Entrada", true).Numero, 7);
    EXPECT_EQ(TerminalDeItem("EA 192.168.1.20:3 Sala", true).Numero, 3);
    EXPECT_FALSE(TerminalDeItem("?E 4 x", true).Marcado);

    EntornoFichajes e;
    Guarda(Registro(18, 3, 5, 2024, 8, 0, "12 A"));
    StringGrid g;
    auto r = ListaFichajes(Peticion(k3, k3, {t}), g, {});
    EXPECT_EQ(Filas(g, r), V{"03 08:00 018"});
}

TEST(ListaFichajes, AclaradoDeDiasDeAcceso) {
    EntornoFichajes e;
    const int horas[][3] = {{8, 0, 0},  {8, 10, 0}, {8, 20, 0}, {12, 0, 5},
                            {13, 0, 0}, {14, 0, 0}, {15, 0, 0}};
    for (const auto &h : horas)
        Guarda(Registro(8, 3, 5, 2024, h[0], h[1], "12 A", h[2]));
    Guarda(Registro(8, 4, 5, 2024, 9, 0, "12 A"));
    Guarda(Registro(8, 4, 5, 2024, 10, 0, "12 A"));
    StringGrid g;
    TPeticionListado p = Peticion(k3, k4, {Terminal(8, 'A')}, ListadoPresencia, "12");
    auto r = ListaFichajes(p, g, {});
    EXPECT_EQ(g.RowCount(), 10);
    p.Externa = true;
    r = ListaFichajes(p, g, {});
    EXPECT_EQ(Filas(g, r), (V{"03 08:00 008", "03 12:00 008", "03 13:00 008", "03 15:00 008", "04 09:00 008",
                              "04 10:00 008"}));
    // Other terminals are not thinned.
    p.Terminales = {Terminal(8, 'E')};
    ListaFichajes(p, g, {});
    EXPECT_EQ(g.RowCount(), 10);
}

} // namespace

namespace {

// Manual clockings are written as terminal 000: listed once, with or without a terminal 0.
TEST(ListaFichajes, FichajesManualesCuentanUnaVez) {
    EntornoFichajes e;
    Guarda(Registro(0, 3, 5, 2024, 8, 0, "12 A", 0, "        ", 'N'));
    Guarda(Registro(5, 3, 5, 2024, 12, 0, "12 A"));
    StringGrid g;
    const V ambos = {"03 08:00 000", "03 12:00 005"};
    const struct {
        std::vector<TTerminalListado> terminales;
        int tipo;
        bool historico;
        V filas;
    } casos[] = {{{Terminal(5)}, ListadoPresencia, false, ambos},
                 {{Terminal(5)}, ListadoProduccion, false, ambos},
                 {{}, ListadoPresencia, false, {"03 08:00 000"}},
                 {{Terminal(0), Terminal(5)}, ListadoPresencia, false, ambos},
                 {{Terminal(5, 'A')}, ListadoAccesos, false, {"03 12:00 005"}},
                 {{Terminal(5)}, ListadoPresencia, true, ambos}};
    for (const auto &c : casos) {
        TPeticionListado p = Peticion(k3, k4, c.terminales, c.tipo);
        p.Historico = c.historico;
        const auto r = ListaFichajes(p, g, {});
        EXPECT_EQ(Filas(g, r), c.filas) << c.tipo << " " << c.terminales.size();
        std::set<std::string> distintos(r.Archivos.begin(), r.Archivos.end());
        EXPECT_EQ(distintos.size(), r.Archivos.size()); // no file read twice
    }
}

// On a day of an access terminal a manual clocking does not stop the thinning.
TEST(ListaFichajes, FichajeManualNoQuitaElAclaradoDelDia) {
    EntornoFichajes e;
    for (int h : {8, 9, 10})
        Guarda(Registro(8, 3, 5, 2024, h, 0, "12 A"));
    Guarda(Registro(0, 3, 5, 2024, 12, 0, "12 A", 0, "        ", 'N'));
    StringGrid g;
    TPeticionListado p = Peticion(k3, k3, {Terminal(8, 'A')}, ListadoPresencia, "12");
    p.Externa = true;
    EXPECT_EQ(Filas(g, ListaFichajes(p, g, {})), (V{"03 08:00 008", "03 12:00 000"}));
}

} // namespace
