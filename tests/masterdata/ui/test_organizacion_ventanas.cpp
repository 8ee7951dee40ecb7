#include "common/ajustesprueba.h"
#include "common/configuracion.h"
#include "common/registromin.h"
#include "masterdata/organizacion.h"
#include "masterdata/ui/arbolvista.h"
#include "masterdata/ui/empresaorg.h"
#include "masterdata/ui/produccionorg.h"
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "platform/ui/ventanas.h"

#include "common/sesion.h"
#include "support/dirtemporal.h"
#include "support/respuestas.h"

#include <QListWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

struct EntornoArboles {
    DirectorioTrabajo dir;
    RespuestasPrueba respuestas;
    TRestauraAjustes ajustes;
    std::string empresa = Sesion().NombreEmpresa;
    EntornoArboles() {
        AjustesPrueba().DirDatos = "d/";
        AjustesPrueba().DirHuellas = "h/";
        Sesion().NombreEmpresa = "Talleres Ib\xE1\xF1"
                                 "ez";
        CreaDirectorio("d");
        CreaDirectorio("h");
    }
    ~EntornoArboles() { Sesion().NombreEmpresa = empresa; }
};

std::string RegistroConTexto(const std::string &texto) {
    std::string b(512, '\x11');
    std::string campo = texto + '\0';
    campo.resize(128, '\xFF');
    b.replace(4, 128, campo);
    return b;
}

QTreeWidgetItem *ItemDeTexto(QTreeWidget *tv, const std::string &texto) {
    QTreeWidgetItem *hallado = nullptr;
    RecorreItems(tv, [&](QTreeWidgetItem *it) {
        if (!hallado && NodoDe(it)->Texto == texto)
            hallado = it;
    });
    return hallado;
}

const char *kProduccion = "Pedido-$4n\r\n\tCorte\r\n\t\tSierra\r\n\t\t\tAjuste\r\n\tMontaje\r\nObra-$5n\r\n";

} // namespace

TEST(Organizacion, VentanaEmpresa) {
    EntornoArboles e;
    const std::string org = "Talleres\r\n\tOficina\r\n\t\t0007 Mar\xED"
                            "a\r\n\tTaller\r\n";
    Escribe("d/empresa.org", org);
    Escribe("h/empresa.min", RegistroConTexto("0007 Mar\xED"
                                              "a") +
                                 RegistroConTexto("0009 Jefe\xAC"
                                                  "12") +
                                 RegistroConTexto("0010 Pepe") + std::string(100, 'x'));
    TFormEmpresa f;
    f.FormActivate();
    ASSERT_EQ(f.ListaEmpresa, (std::vector<std::string>{"0007 Mar\xED"
                                                        "a",
                                                        "0009 Jefe **", "0010 Pepe"}));
    EXPECT_EQ(f.LB1->count(), 3);
    EXPECT_EQ(f.LB1->item(0)->foreground().color(), QColor(Qt::blue));
    EXPECT_NE(f.LB1->item(1)->foreground().color(), QColor(Qt::blue));

    // New group under "Taller", then the masked entry placed in it.
    QTreeWidgetItem *taller = ItemDeTexto(f.TV1, "Taller");
    f.TV1->setCurrentItem(taller);
    f.NGrupoClick();
    ASSERT_EQ(taller->childCount(), 1);
    f.TV1->setCurrentItem(taller->child(0));
    f.LB1->setCurrentRow(1);
    f.LB1DblClick();
    EXPECT_EQ(taller->child(0)->text(0), "0009 Jefe **");
    EXPECT_EQ(taller->child(0)->background(0).color(), QColor(Qt::blue));

    // An entry already in the tree is not placed twice.
    f.TV1->setCurrentItem(taller);
    f.LB1->setCurrentRow(0);
    f.LB1DblClick();
    EXPECT_EQ(taller->text(0), "Taller");

    // The root stays; a group goes with its employees.
    f.TV1->setCurrentItem(f.TV1->topLevelItem(0));
    f.SpeedButton2Click();
    EXPECT_EQ(f.TV1->topLevelItemCount(), 1);
    f.TV1->setCurrentItem(ItemDeTexto(f.TV1, "Oficina"));
    f.SpeedButton2Click();
    EXPECT_EQ(f.TV1->topLevelItem(0)->childCount(), 1);

    // Undo reads the file again; an edited name is saved as typed.
    f.Button4Click();
    EXPECT_EQ(f.Arbol.Lineas(), PartirLineas(org));
    ItemDeTexto(f.TV1, "Taller")->setText(0, aQ("Almac\xE9n")); // edited in place
    f.show();
    ASSERT_TRUE(f.botonrecClick());
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(Contenido("d/empresa.org"), "Talleres\r\n\tOficina\r\n\t\t0007 Mar\xED"
                                          "a\r\n\tAlmac\xE9n\r\n");

    // No selection: a new root with the company name.
    f.TV1->clearSelection();
    f.NGrupoClick();
    EXPECT_EQ(f.Arbol.Raices.back()->Texto, "Talleres Ib\xE1\xF1"
                                            "ez");
    EXPECT_TRUE(e.respuestas.Mensajes.empty());
}

TEST(Organizacion, VentanaEmpresaSinArchivos) {
    EntornoArboles e;
    TFormEmpresa f;
    f.FormActivate();
    EXPECT_EQ(f.TV1->topLevelItemCount(), 0);
    EXPECT_EQ(f.LB1->count(), 0);
    f.LB1DblClick(); // nothing selected anywhere
    f.Button4Click();
    f.SpeedButton3Click(); // users editor not registered: nothing opens
    f.NGrupoClick();
    ASSERT_TRUE(f.botonrecClick());
    EXPECT_EQ(Contenido("d/empresa.org"), "Talleres Ib\xE1\xF1"
                                          "ez\r\n");
}

TEST(Organizacion, VentanaProduccion) {
    EntornoArboles e;
    Escribe("d/produccion.org", kProduccion);
    TFormProduccion f;
    ASSERT_EQ(f.TV1->topLevelItemCount(), 2);
    f.show();
    ASSERT_TRUE(f.SpeedButton3Click());
    EXPECT_TRUE(f.isVisible()); // stays open
    EXPECT_EQ(Contenido("d/produccion.org"), kProduccion);

    QTreeWidgetItem *pedido = f.TV1->topLevelItem(0);
    f.TV1->setCurrentItem(pedido);
    f.bduplicarClick();
    ASSERT_EQ(f.TV1->topLevelItemCount(), 3);
    EXPECT_EQ(f.TV1->topLevelItem(2)->child(0)->child(0)->text(0), "Sierra");
    EXPECT_EQ(f.TV1->topLevelItem(2)->child(0)->child(0)->childCount(), 0);

    f.TV1->setCurrentItem(pedido->child(1)); // Montaje
    f.NGrupoClick();
    EXPECT_EQ(pedido->child(1)->child(0)->text(0), "Trabajo");
    f.TV1->setCurrentItem(pedido->child(1));
    f.bduplicarClick();
    EXPECT_EQ(pedido->childCount(), 3);
    EXPECT_EQ(pedido->child(2)->child(0)->text(0), "Trabajo");

    f.TV1DblClick();
    f.NGrupoClick();
    EXPECT_EQ(f.TV1->topLevelItem(3)->text(0), "Tipo-$4n");
    f.TV1->setCurrentItem(f.TV1->topLevelItem(1));
    f.SpeedButton2Click();
    EXPECT_EQ(f.TV1->topLevelItemCount(), 3);
    ASSERT_TRUE(f.SpeedButton3Click());
    EXPECT_EQ(
        Contenido("d/produccion.org"),
        "Pedido-$4n\r\n\tCorte\r\n\t\tSierra\r\n\t\t\tAjuste\r\n\tMontaje\r\n\t\tTrabajo\r\n\tMontaje\r\n"
        "\t\tTrabajo\r\nPedido-$4n\r\n\tCorte\r\n\t\tSierra\r\n\tMontaje\r\nTipo-$4n\r\n");
    f.Button1Click();
    EXPECT_EQ(f.TV1->topLevelItemCount(), 3);
}
