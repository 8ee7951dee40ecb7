// The firmware file reader and the upload's steps against a simulated loader, on a real ELF.
#include "support/dirtemporal.h"
#include "support/elfprueba.h"
#include "support/simulador.h"
#include "terminal/firmware.h"

#include <gtest/gtest.h>

namespace {

// The loader on the other side of the link, answering as each byte arrives.
class EnlaceMemoria : public TEnlaceCargador {
public:
    void Envia(const char *datos, int n) override {
        Enviado.append(datos, n);
        for (int i = 0; i < n; ++i)
            respuesta_ += Cargador.Entrada(datos[i]);
    }
    void EnviaDireccionRadio() override {}
    QByteArray Recibe() override { return std::exchange(respuesta_, QByteArray()); }
    CargadorSimulado Cargador;
    QByteArray Enviado;

private:
    QByteArray respuesta_;
};

class Firmware : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ConstruyeElfPrueba(dir.Ruta(), elf)) << elf.Error; }
    DirectorioTrabajo dir;
    ElfPrueba elf;
    int cuentaSegundos = 0;
};

TEST_F(Firmware, ArchivosQueNoSirvenSeRechazanEnteros) {
    const std::string bueno = Contenido(elf.Ruta);
    auto con = [&](size_t pos, std::string bytes) {
        return bueno.substr(0, pos) + bytes + bueno.substr(pos + bytes.size());
    };
    const struct {
        const char *caso;
        std::string archivo;
    } casos[] = {
        {"magia", con(1, "X")},
        {"64 bits", con(4, "\x02")},
        {"little-endian", con(5, "\x01")},
        {"tabla en 64", con(28, std::string("\x00\x00\x00\x40", 4))},
        {"tabla fuera del archivo", con(44, std::string("\x7F\x00", 2))},
        {"seccion mayor que el buffer", con(52 + 16, std::string("\x00\x04\x00\x01", 4))},
        {"seccion fuera del archivo", con(52 + 32 + 4, std::string("\x00\x00\xFF\x00", 4))},
        {"corto", bueno.substr(0, 40)},
    };
    for (const auto &c : casos) {
        Escribe(dir.Archivo("malo.elf"), c.archivo);
        TProgramaFirmware p;
        EXPECT_FALSE(p.Lee(dir.Archivo("malo.elf"))) << c.caso;
        EXPECT_TRUE(p.Abierto()) << c.caso;
        EXPECT_FALSE(p.error().empty()) << c.caso;
        EXPECT_TRUE(p.Secciones.empty()) << c.caso;
    }
    TProgramaFirmware p;
    EXPECT_FALSE(p.Lee(dir.Archivo("no-existe.elf")));
    EXPECT_FALSE(p.Abierto());
}

// A loader that refuses every try gets the section MaxReenvios more times, then 0x00.
TEST_F(Firmware, ReenviosLimitadosTerminanCon00) {
    EnlaceMemoria e;
    e.Cargador.Modo = CargadorSimulado::Respuesta::Nak;
    TProgramaFirmware p;
    ASSERT_TRUE(p.Lee(elf.Ruta)) << p.error();
    std::string consola;
    TSubidaFirmware s(e, cuentaSegundos, [&](const std::string &t) { consola += t; });
    s.Arranca(p.Secciones, 10);
    for (int i = 0; i < 1000 && s.Tick(); ++i) {
    }
    EXPECT_FALSE(s.Activa());
    EXPECT_FALSE(s.Correcta());
    const size_t envios = 1 + TSubidaFirmware::MaxReenvios;
    EXPECT_EQ(e.Cargador.Direcciones, std::vector<uint32_t>(envios, ElfPrueba::Texto));
    EXPECT_EQ(e.Enviado.size(), static_cast<qsizetype>(envios * (9 + 1001) + 1));
    EXPECT_EQ(e.Enviado.back(), '\0');
    EXPECT_NE(consola.find("ERROR: El cargador rechaza"), std::string::npos) << consola;
}

} // namespace
