#include "support/elfprueba.h"

#include "support/dirtemporal.h"

#include <QProcess>
#include <QStringList>

namespace {

const char *const kFuente = R"(        .text
        .globl  inicio
inicio: lea     tabla,%a0
        moveq   #9,%d0
1:      move.l  (%a0)+,%d1
        eor.l   %d1,%d2
        dbra    %d0,1b
        bra.s   inicio
        .org    1000
        .data
tabla:  .long   0x06060606, 0x08080808, 0x15151515, 0x00000000, 0x83000000
        .ascii  "Velkatron cargador de prueba\r\n"
        .byte   0x05, 0x02, 0x01, 0x04, 0x0d, 0xff
        .section .vectores,"aw"
        .long   0x83000000, inicio, 0xdeadbeef
)";

const char *const kEnlazado = R"(ENTRY(inicio)
PHDRS { texto PT_LOAD; datos PT_LOAD; vectores PT_LOAD; }
SECTIONS {
  . = 0x83000000;
  .text : { *(.text) } :texto
  . = 0x83010000;
  .data : { *(.data) } :datos
  . = 0x00001000;
  .vectores : { *(.vectores) } :vectores
  /DISCARD/ : { *(.note*) *(.comment) }
}
)";

bool ejecuta(const QString &programa, const QStringList &argumentos, std::string &error) {
    QProcess p;
    p.start(programa, argumentos);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        error = programa.toStdString() + ": " + p.errorString().toStdString() + " " +
                p.readAllStandardError().toStdString() + " (paquete binutils-m68k-linux-gnu)";
        return false;
    }
    return true;
}

} // namespace

bool ConstruyeElfPrueba(const std::string &directorio, ElfPrueba &elf) {
    const QString d = QString::fromStdString(directorio);
    Escribe(directorio + "programa.s", kFuente);
    Escribe(directorio + "programa.ld", kEnlazado);
    elf.Ruta = directorio + "programa.elf";
    if (!ejecuta("m68k-linux-gnu-as", {"-o", d + "programa.o", d + "programa.s"}, elf.Error) ||
        !ejecuta("m68k-linux-gnu-ld", {"-T", d + "programa.ld", "-o", d + "programa.elf", d + "programa.o"},
                 elf.Error))
        return false;
    const std::pair<const char *, uint32_t> secciones[] = {
        {".text", ElfPrueba::Texto}, {".data", ElfPrueba::Datos}, {".vectores", ElfPrueba::Vectores}};
    for (const auto &[nombre, direccion] : secciones) {
        const QString salida = d + "seccion" + nombre;
        if (!ejecuta("m68k-linux-gnu-objcopy", {"-O", "binary", "-j", nombre, d + "programa.elf", salida},
                     elf.Error))
            return false;
        elf.Secciones[direccion] = Contenido(salida.toStdString());
    }
    return true;
}
