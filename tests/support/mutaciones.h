#pragma once
// Damaged copies of a valid file, as a hand edit, a half copy or a crash leave them: empty,
// truncated, a byte changed, line ends removed or doubled, numbers huge, negative or not numbers,
// an overlong line, a NUL byte, no final line end. Deterministic for a given seed.
#include <functional>
#include <string>
#include <vector>

struct Mutacion {
    std::string Nombre;
    std::string Bytes;
};

std::vector<Mutacion> Mutaciones(const std::string &valido, unsigned semilla = 1);

// One reader under test: the file it reads (a path from the working directory), a valid sample
// and the call of its entry point with its checks.
struct CasoArchivo {
    const char *Ruta;
    std::string Valido;
    std::function<void(const std::string &ruta, const Mutacion &m)> Lee;
};
// Writes each damaged copy of each sample to its path and calls its reader; the file must keep
// its bytes.
void PruebaArchivos(const std::vector<CasoArchivo> &casos, unsigned semilla = 1);
