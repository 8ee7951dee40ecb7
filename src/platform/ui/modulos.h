#pragma once
// Modules: shared libraries of ours beside the executable, loaded when first needed, so that what
// only they use (the audio and chart libraries) is not loaded at start-up.
#include <QtGlobal>
#include <string>

// The function `funcion` of the module `modulo` ("lib<modulo>.so" in the executable's directory),
// which stays loaded. Null when it cannot be had; error then says why, in Spanish.
QFunctionPointer FuncionDeModulo(const char *modulo, const char *funcion, std::string &error);
