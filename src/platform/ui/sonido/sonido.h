#pragma once
// The sound module (vk_sonido), loaded by ReproduceSonido at the first sound.
#include <QString>

// Plays a WAV file without waiting.
using TReproduceWav = void (*)(const QString &ruta);
inline constexpr const char *ModuloSonido = "vk_sonido";
inline constexpr const char *FuncionReproduceWav = "VkReproduceWav";
