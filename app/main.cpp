#include "frame/Main.h"
#include "frame/creacion.h"

#include <QApplication>
#include <clocale>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName("Velkatron");
    CreaVentanas();
    MainForm->showMaximized();
    return QApplication::exec();
}
