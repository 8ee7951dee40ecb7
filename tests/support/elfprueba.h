#pragma once
// A firmware file for the upload tests, assembled and linked by the m68k binutils when asked
// for: a 32-bit big-endian ELF whose sections each have their own loadable segment.
#include <cstdint>
#include <map>
#include <string>

struct ElfPrueba {
    static constexpr uint32_t Texto = 0x83000000u;    // .text, 1000 bytes
    static constexpr uint32_t Datos = 0x83010000u;    // .data
    static constexpr uint32_t Vectores = 0x00001000u; // .vectores, third segment
    std::string Ruta;
    // Every section's bytes by load address, as objcopy extracts them.
    std::map<uint32_t, std::string> Secciones;
    std::string Error;
};

// Builds the file in directorio; false with elf.Error when a tool is missing or fails.
bool ConstruyeElfPrueba(const std::string &directorio, ElfPrueba &elf);
