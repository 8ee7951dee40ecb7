#include "platform/reloj.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace {
std::function<QDateTime()> reloj;
std::function<qint64()> monotono;
} // namespace

QDateTime Ahora() {
    return reloj ? reloj() : QDateTime::currentDateTime();
}
QDate Hoy() {
    return Ahora().date();
}
void FijaReloj(std::function<QDateTime()> r) {
    reloj = std::move(r);
}

qint64 MilisegundosMonotonos() {
    if (monotono)
        return monotono();
    static QElapsedTimer t;
    if (!t.isValid())
        t.start();
    return t.elapsed();
}
void FijaRelojMonotono(std::function<qint64()> r) {
    monotono = std::move(r);
}

void Espera(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
}
