// A damaged users file through its reader: it returns, deciphers every whole record, and the
// login and the users editor work on what it gave.
#include "common/ajustesprueba.h"
#include "common/sesion.h"
#include "frame/arranque.h"
#include "frame/cifra.h"
#include "frame/password.h"
#include "frame/usuariosedicion.h"
#include "support/dirtemporal.h"
#include "support/mutaciones.h"

#include <gtest/gtest.h>

namespace {

void usuarios(const std::string &, const Mutacion &) {
    ASSERT_TRUE(CargaArchivoUsuarios());
    DescifraUsuarios();
    const std::vector<std::string> &lista = Sesion().ListaUsuarios;
    EXPECT_EQ(lista.size(), Sesion().LineasUsuarios.size() / 3 * 3);
    std::string caption;
    BuscaUsuario(lista, "Ana Gil", "clave1", caption);
    StringGrid g;
    LlenaRejillaUsuarios(g, lista);
    const ListaGuardada guardada = ListaDeRejilla(g, lista, 1);
    std::vector<std::string> lineas;
    std::string error;
    if (lista.size() >= 3 &&
        CifraLineas(Sesion().LineasUsuarios, guardada.Lista, Sesion().ClaveUsuarios, lineas, error)) {
        EXPECT_EQ(DescifraLineas(lineas).Lista, guardada.Lista);
    }
}

TEST(Robustez, ArchivoDeUsuariosDanado) {
    TRestauraAjustes ajustes;
    DirectorioTrabajo d;
    AjustesPrueba().DirDatos = "";
    const std::string clave = std::string("Velkatron SA") + ClaveCifraDefecto;
    std::vector<std::string> l = CifraRegistro(ClaveCifraDefecto, {"Velkatron SA", "empresa1", "1 Admin."});
    for (const TRegistroUsuario &u : {TRegistroUsuario{"Ana Gil", "clave1", "2 Jefe"},
                                      TRegistroUsuario{"Luis Paz", "\\\r\n0x", "5 Operador"}})
        for (const std::string &x : CifraRegistro(clave, u))
            l.push_back(x);
    std::string valido;
    for (const std::string &x : l)
        valido += x + "\r\n";
    PruebaArchivos({{"rondal.usr", valido, usuarios}});
    Sesion().ListaUsuarios.clear();
    Sesion().LineasUsuarios.clear();
}

} // namespace
