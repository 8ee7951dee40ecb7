#include "production/datosproduccion.h"

#include "common/configuracion.h"
#include "platform/lineas.h"

#include <cstdint>

namespace {

std::vector<int> enteros(const std::string &bytes, size_t desde, size_t n) {
    std::vector<int> r;
    for (size_t i = 0; i < n; ++i) {
        uint32_t v = 0;
        for (size_t b = 0; b < 4; ++b)
            v |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[desde + 4 * i + b])) << (8 * b);
        r.push_back(static_cast<int32_t>(v));
    }
    return r;
}

void anade(std::string &bytes, const std::vector<int> &anchos) {
    for (int a : anchos)
        for (size_t b = 0; b < 4; ++b)
            bytes += static_cast<char>((static_cast<uint32_t>(a) >> (8 * b)) & 0xFF);
}

} // namespace

std::string RutaClientes() {
    return Configuracion().DirDatos + "clientes.dat";
}

std::string RutaAnchosProd() {
    return Configuracion().DirDatos + "anchosprod.dat";
}

bool LeeClientes(const std::string &ruta, std::vector<std::string> &clientes, std::string &error) {
    if (LeeLineasSiExiste(ruta, clientes))
        return true;
    error = "No se puede leer el archivo " + ruta;
    return false;
}

bool LeeAnchos(const std::string &ruta, size_t n2, size_t n3, std::vector<int> &a2, std::vector<int> &a3) {
    std::string bytes;
    if (!LeeBytes(ruta, bytes) || bytes.size() < 4 * (n2 + n3))
        return false;
    std::vector<int> l2 = enteros(bytes, 0, n2), l3 = enteros(bytes, 4 * n2, n3);
    for (const auto *l : {&l2, &l3})
        for (int a : *l)
            if (a <= 0)
                return false;
    a2 = std::move(l2);
    a3 = std::move(l3);
    return true;
}

bool GuardaAnchos(const std::string &ruta, const std::vector<int> &a2, const std::vector<int> &a3) {
    std::string bytes;
    anade(bytes, a2);
    anade(bytes, a3);
    return GuardaBytes(ruta, bytes);
}
