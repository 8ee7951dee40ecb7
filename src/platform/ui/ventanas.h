#pragma once
// Registry of the single-instance windows by their global name ("FormEmpresa" ...), so the main
// window can enable its actions for the windows that exist and show them.
#include <QPointer>
#include <QWidget>
#include <string>

void RegistraVentana(const std::string &nombre, QWidget *ventana);
QWidget *Ventana(const std::string &nombre); // nullptr when absent or destroyed
// Destroys a window (user rights); it stays destroyed for the rest of the run.
void DestruyeVentana(const std::string &nombre);
// Shows a window modally (a dialog) or brings it up (any other window).
void MuestraModal(const std::string &nombre);
