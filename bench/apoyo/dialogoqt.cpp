// The bare Qt program that the start-up bench compares with: one QDialog shown.
#include <QApplication>
#include <QDialog>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QDialog d;
    d.show();
    return QApplication::exec();
}
