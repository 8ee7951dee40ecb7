// Broken lines into the receive machine: seeded streams of mutated frames, fed in reads of any
// size as the links feed them. After each stream nothing of it is stored, no list file is left,
// and a good clocking that follows is stored once and acknowledged.
#include "common/ajustesprueba.h"
#include "platform/reloj.h"
#include "support/simulador.h"
#include "terminal/fichajesprueba.h"
#include "terminal/protocolo.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <random>

namespace {

constexpr char SOH = 0x01, STX = 0x02, EOT = 0x04, ACK = 0x06, BEL = 0x07;

class EnlaceGrabado : public TEnlaceRecepcion {
public:
    std::string Enviado;
    void Envia(unsigned, const char *d, int n) override { Enviado.append(d, static_cast<size_t>(n)); }
    void EnviaDireccionRadio(unsigned) override {}
    void Purga() override {}
};

// Bytes, then the connection dropped (as the links tell the machine) or the line quiet for the
// reply time-out.
enum class Luego { Sigue, Corta, Calla };
struct Trozo {
    std::string Bytes;
    Luego Despues = Luego::Sigue;
};
using Flujo = std::vector<Trozo>;

const std::string kAnuncio = std::string(1, BEL) + "07", kPeticion = "\x05"
                                                                     "07m\r";

std::string registro(int n) {
    return RegistroFichaje(7, QDateTime(QDate(2026, 1, 14), QTime(8, 0, 0)).addSecs(60 * n),
                           std::to_string(100 + n) + " EMPLEADO");
}
std::string lista(int n) {
    return TramaRegistroLista(RegistroLista(std::to_string(n), "NOMBRE", 20, 90));
}
std::string basura(std::mt19937 &g, size_t n) {
    std::string s(n, 0);
    for (char &c : s)
        c = static_cast<char>(g() & 0xFF);
    return s;
}
// Cuts of a frame, each followed by a dropped connection or a quiet line: every cut of a short
// frame; of a long one (list records) the cuts around each record's ends and some others.
std::vector<Flujo> cortes(const std::string &trama, Luego despues = Luego::Corta) {
    std::vector<Flujo> v;
    for (size_t p = 0; p < trama.size(); ++p) {
        const size_t r = (p + 1024) % 1026;
        if (trama.size() < 200 || r < 4 || r > 1022 || p % 97 == 0)
            v.push_back({{trama.substr(0, p), despues}});
    }
    return v;
}

const struct {
    const char *nombre;
    std::function<std::vector<Flujo>(std::mt19937 &)> flujos;
} kCasos[] = {
    {"rafagas de basura",
     [](std::mt19937 &g) {
         std::vector<Flujo> v;
         for (int i = 0; i < 24; ++i)
             v.push_back({{basura(g, 4096)}});
         return v;
     }},
    {"basura entre tramas rotas",
     [](std::mt19937 &g) {
         std::vector<Flujo> v;
         for (int i = 0; i < 40; ++i)
             v.push_back(
                 {{basura(g, g() % 40) + kAnuncio + TramaFichaje(registro(0), true) + basura(g, g() % 40)}});
         return v;
     }},
    {"fichaje cortado y enlace caido",
     [](std::mt19937 &) { return cortes(kAnuncio + TramaFichaje(registro(0))); }},
    {"fichaje cortado y linea callada",
     [](std::mt19937 &) { return cortes(kAnuncio + TramaFichaje(registro(0)), Luego::Calla); }},
    {"lista cortada y enlace caido",
     [](std::mt19937 &) { return cortes(std::string(1, SOH) + "B" + lista(1) + lista(2)); }},
    {"caida y el resto de la trama tras reconectar",
     [](std::mt19937 &g) {
         std::vector<Flujo> v;
         const std::string t = kAnuncio + TramaFichaje(registro(0));
         for (int i = 0; i < 40; ++i) {
             const size_t p = 4 + g() % (t.size() - 4);
             v.push_back({{t.substr(0, p), Luego::Corta}, {t.substr(p)}});
         }
         return v;
     }},
    {"suma, longitud o campos malos",
     [](std::mt19937 &g) {
         const std::string r = registro(0);
         const std::string t = TramaFichaje(r);
         return std::vector<Flujo>{
             {{kAnuncio + TramaFichaje(r, true)}},
             {{kAnuncio + t.substr(0, t.size() - 2) + "G?"}},
             {{kAnuncio + TramaFichaje(r.substr(0, 60))}},
             {{kAnuncio + TramaFichaje(r + std::string(40, '9'))}},
             {{kAnuncio + TramaFichaje(r.substr(0, 34) + std::string(200, '1'))}},
             {{std::string(1, STX) + "07" + std::string(300, '5') + "\r"}},
             {{std::string(1, BEL) + "\xFF\x80" + basura(g, 200)}},
         };
     }},
    {"lista con un registro malo en medio",
     [](std::mt19937 &) {
         const std::string inicio = std::string(1, SOH) + "B" + lista(1), segundo = lista(2);
         std::string noHex = segundo;
         noHex[500] = 'X';
         std::string sumaMala = segundo;
         sumaMala[1025] ^= 1;
         std::string corto = segundo.substr(0, 600) + EOT;
         return std::vector<Flujo>{
             {{inicio + sumaMala, Luego::Corta}},
             {{inicio + noHex, Luego::Corta}},
             {{inicio + corto + lista(3) + EOT}},
             {{inicio + sumaMala + sumaMala + sumaMala + sumaMala}},
         };
     }},
    {"bytes tras cerrar el enlace",
     [](std::mt19937 &g) {
         std::vector<Flujo> v;
         for (int i = 0; i < 10; ++i)
             v.push_back({{kAnuncio + registro(0).substr(0, 80), Luego::Corta},
                          {registro(0).substr(80) + std::string(1, EOT) + basura(g, 2), Luego::Corta}});
         return v;
     }},
};

class RobustezEnlace : public ::testing::Test {
protected:
    void SetUp() override {
        FijaReloj([] { return QDateTime(QDate(2026, 1, 15), QTime(9, 30, 0)); });
        CreaDirectorio("huellas");
        AjustesPrueba().DirHuellas = "huellas/";
        AjustesPrueba().TiempoRespuesta = 5;
        AjustesPrueba().NumReintentos = 3;
    }
    void TearDown() override { FijaReloj(nullptr); }

    void recibe(const std::string &b, std::mt19937 &g) {
        for (size_t i = 0; i < b.size();) {
            const size_t n = std::min(b.size() - i, static_cast<size_t>(1 + g() % 300));
            m.Procesa(b.data() + i, static_cast<int>(n));
            i += n;
        }
    }
    // Names and sizes: the files only grow.
    static std::string archivos(const char *carpeta) {
        std::string s;
        for (const QFileInfo &f : QDir(carpeta).entryInfoList(QDir::Files, QDir::Name))
            s += f.fileName().toStdString() + ":" + std::to_string(f.size()) + " ";
        return s;
    }
    // The terminal announces until it is asked (a NAK or a silence makes it announce again), then
    // sends clocking n: stored once, acknowledged, and the next one asked for.
    void fichajeBueno(int n, std::mt19937 &g, const std::string &caso) {
        const std::string antes = Contenido("fichajes/historico");
        bool pedido = false;
        for (int i = 0; i < 10 && !pedido; ++i) {
            enlace.Enviado.clear();
            recibe(kAnuncio, g);
            pedido = enlace.Enviado.ends_with(kPeticion);
            for (int t = 0; t < Configuracion().TiempoRespuesta && !pedido; ++t)
                m.TickRespuesta();
        }
        ASSERT_TRUE(pedido) << caso;
        enlace.Enviado.clear();
        const std::string r = registro(n);
        recibe(TramaFichaje(r), g);
        EXPECT_EQ(enlace.Enviado, ACK + kPeticion) << caso;
        EXPECT_EQ(Contenido("fichajes/historico"), antes + r) << caso;
    }

    EntornoFichajes fichajes;
    EnlaceGrabado enlace;
    TEntornoRecepcion entorno;
    TRecepcion m{enlace, entorno};
};

TEST_F(RobustezEnlace, NadaDeUnaTramaRotaSeGuardaYElSiguienteFichajeSi) {
    std::mt19937 g(20260115);
    int n = 1;
    for (const auto &caso : kCasos) {
        int k = 0;
        for (const Flujo &f : caso.flujos(g)) {
            const std::string etiqueta = std::string(caso.nombre) + " #" + std::to_string(k++);
            const std::string antes = archivos("fichajes");
            for (const Trozo &t : f) {
                recibe(t.Bytes, g);
                if (t.Despues == Luego::Corta)
                    m.Reinicia();
                for (int i = 0; t.Despues == Luego::Calla && i < Configuracion().TiempoRespuesta; ++i)
                    m.TickRespuesta();
            }
            EXPECT_EQ(archivos("fichajes"), antes) << etiqueta;
            fichajeBueno(n++, g, etiqueta);
            EXPECT_EQ(archivos("huellas"), "") << etiqueta;
            if (HasFailure())
                return;
        }
    }
}

} // namespace
