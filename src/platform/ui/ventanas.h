#pragma once
// Registry of the single-instance windows by their global name ("FormEmpresa" ...), so the main
// window can enable its actions for the windows that exist and show them; and the main window's
// frame, into which the windows of every subsystem put their child windows.
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>

class QMdiSubWindow;

void RegistraVentana(const std::string &nombre, QWidget *ventana);
QWidget *Ventana(const std::string &nombre); // nullptr when absent or destroyed
// Destroys a window (user rights), with its child window in the frame; it stays destroyed for
// the rest of the run.
void DestruyeVentana(const std::string &nombre);
// Shows a window modally (a dialog) or brings it up (any other window).
void MuestraModal(const std::string &nombre);

// Calls alActivar each time the window's child window in the frame becomes the active one; a
// window outside the frame is left alone, and a second call for the same window does nothing.
void VigilaActivacion(QWidget *ventana, std::function<void()> alActivar);

// Puts a window into the main window as a child window; nullptr when there is no main window.
QMdiSubWindow *AnadeHija(QWidget *ventana);
// How a window becomes a child of the main window (installed by the application).
void FijaMarco(std::function<QMdiSubWindow *(QWidget *)> anade);
