#include "common/presencia.h"

#include "platform/lineas.h"

TRegistroPresencia TablaPresencia[PlazasPresencia + 1];
TRegistroPresencia TablaPresenciaLeida[PlazasPresencia + 1];
std::string RutaPresentes;

namespace {
void pon16(std::string &b, size_t o, uint16_t v) {
    b[o] = static_cast<char>(v & 0xFF);
    b[o + 1] = static_cast<char>(v >> 8);
}
uint16_t lee16(const std::string &b, size_t o) {
    return static_cast<uint16_t>(static_cast<unsigned char>(b[o]) | (static_cast<unsigned char>(b[o + 1]) << 8));
}
} // namespace

std::string BytesDeTabla(const TRegistroPresencia *tabla) {
    std::string b(BytesPresentes, '\0');
    for (int k = 1; k <= PlazasPresencia; ++k) {
        const TRegistroPresencia &r = tabla[k];
        size_t o = static_cast<size_t>(BytesRegistroPresencia * (k - 1));
        pon16(b, o, r.HoraEntrada);
        pon16(b, o + 2, r.MinutoEntrada);
        pon16(b, o + 4, r.HoraSalida);
        pon16(b, o + 6, r.MinutoSalida);
        b[o + 8] = static_cast<char>(r.Presente);
        uint32_t s = static_cast<uint32_t>(r.SiguienteFila);
        for (int i = 0; i < 4; ++i)
            b[o + 12 + static_cast<size_t>(i)] = static_cast<char>((s >> (8 * i)) & 0xFF);
    }
    return b;
}

void TablaDeBytes(const std::string &bytes, TRegistroPresencia *tabla) {
    std::string b = bytes.substr(0, BytesPresentes);
    b.resize(BytesPresentes, '\0');
    for (int k = 1; k <= PlazasPresencia; ++k) {
        TRegistroPresencia &r = tabla[k];
        size_t o = static_cast<size_t>(BytesRegistroPresencia * (k - 1));
        r.HoraEntrada = lee16(b, o);
        r.MinutoEntrada = lee16(b, o + 2);
        r.HoraSalida = lee16(b, o + 4);
        r.MinutoSalida = lee16(b, o + 6);
        r.Presente = static_cast<uint8_t>(b[o + 8]);
    }
}

bool GuardaPresentes(const std::string &ruta, const TRegistroPresencia *tabla) {
    return GuardaBytes(ruta, BytesDeTabla(tabla));
}

bool LeePresentes(const std::string &ruta, TRegistroPresencia *tabla) {
    std::string b;
    if (!LeeBytes(ruta, b))
        return false;
    TablaDeBytes(b, tabla);
    return true;
}
