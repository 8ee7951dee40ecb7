// Modules loaded at run time: the sound module from beside the binary, and the reason, in Spanish,
// when a module or its function is missing.
#include "platform/codepage.h"
#include "platform/ui/modulos.h"
#include "platform/ui/sonido/sonido.h"

#include <gtest/gtest.h>

TEST(Modulos, SeCarganDeJuntoAlEjecutableODicenPorQueNo) {
    const struct {
        const char *modulo, *funcion, *error; // error: "" when the function is found
    } casos[] = {
        {ModuloSonido, FuncionReproduceWav, ""},
        {ModuloSonido, "NoExiste", "/libvk_sonido.so\" no tiene la función NoExiste."},
        {"vk_no_existe", FuncionReproduceWav, "No se puede cargar la biblioteca \""},
    };
    for (const auto &c : casos) {
        std::string error;
        const bool hallada = FuncionDeModulo(c.modulo, c.funcion, error) != nullptr;
        EXPECT_EQ(hallada, *c.error == 0) << c.modulo << " " << c.funcion;
        if (*c.error) {
            EXPECT_NE(error.find(Ansi(c.error)), std::string::npos) << error;
        } else {
            EXPECT_EQ(error, "");
        }
    }
}
