// Modules loaded at run time: the sound module from beside the binary, and when a module cannot be
// had, one Spanish sentence naming the file, the folder it was looked for in and what is lost.
#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/ui/escritorio.h"
#include "platform/ui/modulos.h"
#include "platform/ui/sonido/sonido.h"
#include "support/dirtemporal.h"
#include "support/respuestas.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

TEST(Modulos, SeCarganDeJuntoAlEjecutableODicenPorQueNo) {
    DirectorioTrabajo otra;
    Escribe(otra.Archivo("libvk_sonido.so"), "no es una biblioteca");
    const std::string programa = deQ(QCoreApplication::applicationDirPath());
    const struct {
        std::string carpeta; // "": the executable's
        const char *funcion;
        std::string error; // "" when the function is found
    } casos[] = {
        {"", FuncionReproduceWav, ""},
        {"", "NoExiste",
         "El archivo libvk_sonido.so de la carpeta del programa (" + programa +
             ") no tiene la función NoExiste, así que nada suena."},
        {otra.Ruta(), FuncionReproduceWav,
         "El archivo libvk_sonido.so de la carpeta del programa (" + otra.Ruta() +
             ") no se puede cargar, así que nada suena."},
    };
    for (const auto &c : casos) {
        FijaDirectorioModulos(c.carpeta);
        std::string error;
        const bool hallada = FuncionDeModulo(ModuloSonido, c.funcion, "nada suena", error) != nullptr;
        EXPECT_EQ(hallada, c.error.empty()) << c.funcion;
        EXPECT_EQ(error, Ansi(c.error.c_str()));
    }
    FijaDirectorioModulos("");
}

// The first sound without its module says so once; later sounds say nothing more.
TEST(Modulos, SinModuloDeSonidoUnSoloAviso) {
    DirectorioTrabajo vacia;
    Escribe(vacia.Archivo("timbre.wav"), "RIFF");
    RespuestasPrueba respuestas;
    FijaDirectorioModulos(vacia.Ruta());
    ReproduceSonido(vacia.Archivo("timbre.wav"));
    ReproduceSonido(vacia.Archivo("timbre.wav"));
    FijaDirectorioModulos("");
    ASSERT_EQ(respuestas.Mensajes.size(), 1u);
    EXPECT_EQ(respuestas.Mensajes[0].texto, "Falta el archivo libvk_sonido.so en la carpeta del programa (" +
                                                vacia.Ruta() + Ansi("), así que no se oirán los sonidos."));
}
