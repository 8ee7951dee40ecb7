#pragma once
// The clock seam: everything that reads the date and time or sleeps goes through here.
#include <QDateTime>
#include <functional>

QDateTime Ahora();
QDate Hoy();
// Tests fix the clock (nullptr restores the real one).
void FijaReloj(std::function<QDateTime()> reloj);
// Milliseconds since an arbitrary start, for time-outs.
qint64 MilisegundosMonotonos();
void FijaRelojMonotono(std::function<qint64()> reloj);
// Sleeps the given milliseconds while processing events.
void Espera(int ms);
