#pragma once
// The real dialogs behind the dialogs seam: Qt's message boxes and file, colour and text dialogs
// over the main window.
class QWidget;

namespace Dialogos {

// Makes the real dialogs answer whenever no responder is installed (the program does it once).
void UsaDialogosQt();
// Parent window for real dialogs.
void FijaPadre(QWidget *padre);

} // namespace Dialogos
