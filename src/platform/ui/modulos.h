#pragma once
// Modules: shared libraries of ours beside the executable, loaded when first needed, so that what
// only they use (the audio and chart libraries) is not loaded at start-up.
#include <QtGlobal>
#include <string>

// The function `funcion` of the module `modulo`, loaded from exactly "lib<modulo>.so" in the
// executable's directory, where it stays loaded. Null when it cannot be had; error then says in
// one Spanish sentence which file, where, and what does not work without it (sinModulo, e.g.
// "no se oirán los sonidos").
QFunctionPointer FuncionDeModulo(const char *modulo, const char *funcion, const std::string &sinModulo,
                                 std::string &error);
// Tests look for the modules in another directory (empty: the executable's again).
void FijaDirectorioModulos(const std::string &directorio);
