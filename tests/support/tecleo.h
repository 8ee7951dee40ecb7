#pragma once
// Typing into a shown window as a user does: a click on a character of a date or time field, keys
// sent to the widget that has the focus.
#include <QApplication>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QTest>

// Clicks on character k of the field's text.
inline void PulsaCaracter(QDateTimeEdit *campo, int k) {
    auto *l = campo->findChild<QLineEdit *>();
    const QFontMetrics fm(l->font());
    const int x = l->contentsRect().x() + 2 + fm.horizontalAdvance(l->text().left(k)) +
                  fm.horizontalAdvance(l->text().at(k)) / 2;
    QTest::mouseClick(l, Qt::LeftButton, {}, QPoint(x, l->height() / 2));
}

inline void Teclea(const char *texto) {
    QTest::keyClicks(QApplication::focusWidget(), texto);
}

inline void TeclaEnFoco(Qt::Key tecla) {
    QTest::keyClick(QApplication::focusWidget(), tecla);
}

// One click on the day of a "dd/MM/yyyy" field, the keys typed, then Tab.
inline void TecleaFecha(QDateTimeEdit *campo, const char *texto) {
    PulsaCaracter(campo, 0);
    Teclea(texto);
    TeclaEnFoco(Qt::Key_Tab);
}
