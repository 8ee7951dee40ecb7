// Damaged incidence year files through their readers: each returns, shows every record it read,
// and an addition to a damaged file keeps every line it had.
#include "common/ajustesprueba.h"
#include "platform/lineas.h"
#include "presence/incidencias.h"
#include "support/dirtemporal.h"
#include "support/mutaciones.h"

#include <gtest/gtest.h>

namespace {

using V = std::vector<std::string>;

void incidencias(const std::string &, const Mutacion &m) {
    V lista;
    ASSERT_TRUE(CargaIncidencias(2024, lista));
    StringGrid g;
    LlenaRejillaIncidencias(g, lista);
    EXPECT_EQ(static_cast<size_t>(g.RowCount()), NumIncidencias(lista) + 1);
    for (int f = 1; f < g.RowCount(); ++f)
        FilaResaltada(g, f, "7", "3");
    const TIndiceIncidencias indice(lista);
    for (size_t k = 0; k < NumIncidencias(lista); ++k) {
        const TRegistroIncidencia r = Incidencia(lista, k);
        r.Minutos();
        r.Cargo();
        if (r.Dia().isValid())
            indice.Registros(r.Dia(), r.NumeroEmpleado());
    }
    IncidenciasPeriodo(QDate(2023, 12, 1), QDate(2024, 1, 31));

    // The same bytes as another year's file take one addition: the old lines all stay, in order.
    Escribe(RutaIncidencias(2023), m.Bytes);
    ASSERT_TRUE(
        AnadeIncidencias({QDate(2023, 6, 1), QDate(2023, 6, 1), 0, "7 Ana", "3 Baja *Empresa"}).Hecho);
    V antes, despues;
    ASSERT_TRUE(CargaIncidencias(2023, despues));
    PartirLineas(m.Bytes).swap(antes);
    size_t i = 0;
    for (const auto &l : despues)
        if (i < antes.size() && l == antes[i])
            ++i;
    EXPECT_EQ(i, antes.size());
    EXPECT_EQ(despues.size(), (antes.size() + 2) / 3 * 3 + 3);
}

TEST(Robustez, ArchivosDeIncidenciasDanados) {
    TRestauraAjustes ajustes;
    DirectorioTrabajo d;
    AjustesPrueba().DirDatos = "";
    PruebaArchivos({{"incidencias.2024",
                     "03/02/2024 00:00\r\n7 Ana\r\n3 Vacaciones *Empresa\r\n"
                     "01/02/2024 01:30\r\n12 Luis\r\n5 Falta *Trabajador\r\n",
                     incidencias}});
}

} // namespace
