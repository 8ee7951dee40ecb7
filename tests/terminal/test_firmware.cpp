// The firmware file reader and the upload's steps against a simulated loader, on a real ELF.
#include "support/dirtemporal.h"
#include "support/elfprueba.h"
#include "support/simulador.h"
#include "terminal/firmware.h"
#include "terminal/protocolo.h"

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
    QByteArray Recibe() override { return std::exchange(respuesta_, QByteArray()); }
    CargadorSimulado Cargador;
    QByteArray Enviado;

private:
    QByteArray respuesta_;
};

class Firmware : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ConstruyeElfPrueba(dir.Ruta(), elf)) << elf.Error; }
    void TearDown() override { CuentaSegundos = 0; }
    // Runs an upload of the test file to completion (CuentaSegundos held at 0 when silent).
    void sube(EnlaceMemoria &e, bool silencio = false) {
        TProgramaFirmware p;
        ASSERT_TRUE(p.Lee(elf.Ruta)) << p.error();
        TSubidaFirmware s(e, [this](const std::string &t) { consola += t; });
        s.Arranca(p.Secciones, 10);
        for (int i = 0; i < 1000 && s.Tick(); ++i)
            if (silencio)
                CuentaSegundos = 0;
        EXPECT_FALSE(s.Activa());
        correcta = s.Correcta();
    }
    DirectorioTrabajo dir;
    ElfPrueba elf;
    std::string consola;
    bool correcta = false;
};

TEST_F(Firmware, LeeLasSeccionesHastaLaTerceraFueraDeCarga) {
    TProgramaFirmware p;
    ASSERT_TRUE(p.Lee(elf.Ruta)) << p.error();
    ASSERT_EQ(p.Secciones.size(), 2u);
    EXPECT_EQ(p.Secciones[0].Direccion, ElfPrueba::Texto);
    EXPECT_EQ(p.Secciones[0].Datos, elf.Secciones[ElfPrueba::Texto]);
    EXPECT_EQ(p.Secciones[1].Direccion, ElfPrueba::Datos);
    EXPECT_EQ(p.Secciones[1].Datos, elf.Secciones[ElfPrueba::Datos]);
    EXPECT_EQ(CabeceraSeccion(p.Secciones[0]), std::string("\x00\x00\x00\x00\x83\xE8\x03\x00\x00", 9));
    const std::string d = DatosSeccion(p.Secciones[0]);
    ASSERT_EQ(d.size(), 1001u);
    unsigned char x = 0;
    for (char c : d)
        x ^= static_cast<unsigned char>(c);
    EXPECT_EQ(x, 0);
}

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

TEST_F(Firmware, CargaCadaSeccionYTerminaCon08) {
    EnlaceMemoria e;
    e.Cargador.Rechazos = 1;
    sube(e);
    EXPECT_TRUE(correcta);
    EXPECT_TRUE(e.Cargador.Terminado);
    // 0x15 to the first try: the same section goes again.
    EXPECT_EQ(e.Cargador.Direcciones,
              (std::vector<uint32_t>{ElfPrueba::Texto, ElfPrueba::Texto, ElfPrueba::Datos}));
    elf.Secciones.erase(ElfPrueba::Vectores);
    EXPECT_EQ(e.Cargador.Imagen, elf.Secciones);
    EXPECT_EQ(e.Enviado.back(), '\x08');
    EXPECT_NE(consola.find("00002000 83000000 000003e8\r\n"), std::string::npos) << consola;
}

TEST_F(Firmware, FallosTerminanCon00) {
    const struct {
        CargadorSimulado::Respuesta modo;
        size_t envios;
        const char *mensaje;
    } casos[] = {
        {CargadorSimulado::Respuesta::Nada, 1, "ERROR: No hay respuesta del cargador\r\n"},
        {CargadorSimulado::Respuesta::Nak, 1 + TSubidaFirmware::MaxReenvios, "ERROR: El cargador rechaza"},
    };
    for (const auto &c : casos) {
        EnlaceMemoria e;
        e.Cargador.Modo = c.modo;
        consola.clear();
        sube(e, c.modo == CargadorSimulado::Respuesta::Nada);
        EXPECT_FALSE(correcta);
        EXPECT_EQ(e.Cargador.Direcciones, std::vector<uint32_t>(c.envios, ElfPrueba::Texto));
        EXPECT_EQ(e.Enviado.back(), '\x00');
        EXPECT_EQ(e.Enviado.size(), static_cast<qsizetype>(c.envios * 1010 + 1));
        EXPECT_NE(consola.find(c.mensaje), std::string::npos) << consola;
    }
}

} // namespace
