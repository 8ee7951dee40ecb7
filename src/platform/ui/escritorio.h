#pragma once
// Opening a document with its associated application (never through a shell) and playing sounds.
#include <functional>
#include <string>

// Opens a local file with the desktop's viewer. False when it could not be opened.
bool AbreConAplicacion(const std::string &ruta);
void FijaAbridor(std::function<bool(const std::string &)> abridor);

// Plays a WAV file without waiting.
void ReproduceSonido(const std::string &ruta);
void FijaReproductor(std::function<void(const std::string &)> reproductor);
