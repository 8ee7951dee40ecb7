#include "app/creacion.h"
#include "frame/principal.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <clocale>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    // Numbers in files are always read and written in the C locale; widgets speak Spanish.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    QTranslator traductor;
    if (traductor.load(QLocale(), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traductor);
    QApplication::setApplicationName("Velkatron");
    CreaVentanas();
    QObject::connect(MainForm, &TMainForm::Cerrada, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    MainForm->showMaximized();
    return QApplication::exec();
}
