#include "masterdata/organizacion.h"
#include "platform/lineas.h"

#include <gtest/gtest.h>

namespace {

const char *kProduccion = "Pedido-$4n\r\n\tCorte\r\n\t\tSierra\r\n\t\t\tAjuste\r\n\tMontaje\r\nObra-$5n\r\n";

} // namespace

TEST(Organizacion, ReglasDelArbolDeEmpresa) {
    TArbolOrganizacion a;
    NodoArbol *raiz = NuevoGrupoEmpresa(a, nullptr, "ACME");
    NodoArbol *grupo = NuevoGrupoEmpresa(a, raiz, "ACME");
    NodoArbol *otro = NuevoGrupoEmpresa(a, raiz, "ACME");
    EXPECT_EQ(a.Lineas(), (std::vector<std::string>{"ACME", "\tNUEVO", "\tNUEVO"}));
    EXPECT_TRUE(AsignaEmpleado(a, grupo, "12 Ana"));
    EXPECT_FALSE(AsignaEmpleado(a, otro, "12 Ana")); // already in the tree
    EXPECT_FALSE(AsignaEmpleado(a, nullptr, "13 Luis"));
    EXPECT_EQ(a.Lineas(), (std::vector<std::string>{"ACME", "\t12 Ana", "\tNUEVO"}));
    EXPECT_FALSE(EliminaGrupoEmpresa(a, raiz));
    EXPECT_TRUE(EliminaGrupoEmpresa(a, otro));
    EXPECT_EQ(a.Lineas(), (std::vector<std::string>{"ACME", "\t12 Ana"}));
}

TEST(Organizacion, ReglasDelArbolDeProduccion) {
    TArbolOrganizacion a;
    a.Raices = ArbolDeLineas(PartirLineas(kProduccion));
    NodoArbol *pedido = a.Raices[0].get();
    NodoArbol *corte = pedido->Hijos[0].get();
    NodoArbol *sierra = corte->Hijos[0].get();
    EXPECT_EQ(NuevoNodoProduccion(a, sierra), nullptr);
    EXPECT_EQ(DuplicaProduccion(a, sierra), nullptr);
    EXPECT_EQ(DuplicaProduccion(a, nullptr), nullptr);

    // An order type copies two levels below it, not the deeper one.
    NodoArbol *copia = DuplicaProduccion(a, pedido);
    ASSERT_NE(copia, nullptr);
    EXPECT_EQ(a.Lineas(), PartirLineas(std::string(kProduccion) +
                                       "Pedido-$4n\r\n\tCorte\r\n\t\tSierra\r\n\tMontaje\r\n"));
    a.Elimina(copia);

    // A part is copied with its tasks at the end of its order type.
    DuplicaProduccion(a, corte);
    EXPECT_EQ(a.Lineas(), PartirLineas("Pedido-$4n\r\n\tCorte\r\n\t\tSierra\r\n\t\t\tAjuste\r\n\tMontaje\r\n"
                                       "\tCorte\r\n\t\tSierra\r\nObra-$5n\r\n"));

    NuevoNodoProduccion(a, nullptr);
    NuevoNodoProduccion(a, a.Raices[1].get());
    NuevoNodoProduccion(a, a.Raices[1]->Hijos[0].get());
    EXPECT_EQ(LineasDeArbol(std::vector<std::unique_ptr<NodoArbol>>()).size(), 0u);
    std::vector<std::string> l = a.Lineas();
    EXPECT_EQ(std::vector<std::string>(l.end() - 4, l.end()),
              (std::vector<std::string>{"Obra-$5n", "\tOrden", "\t\tTrabajo", "Tipo-$4n"}));
    // Roots of the production tree can be deleted.
    EXPECT_TRUE(a.Elimina(a.Raices[0].get()));
    EXPECT_EQ(a.Raices[0]->Texto, "Obra-$5n");
}
