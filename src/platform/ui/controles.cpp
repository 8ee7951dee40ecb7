#include "platform/ui/controles.h"

#include "platform/reloj.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>

TRotuloRecortado::TRotuloRecortado(QWidget *padre, Qt::TextElideMode modo) : QLabel(padre), modo_(modo) {
    setWordWrap(false);
}

QSize TRotuloRecortado::sizeHint() const {
    QSize s = QLabel::sizeHint();
    s.setWidth(std::min(s.width(), fontMetrics().averageCharWidth() * 30));
    return s;
}

QSize TRotuloRecortado::minimumSizeHint() const {
    QSize s = QLabel::minimumSizeHint();
    s.setWidth(std::min(s.width(), fontMetrics().averageCharWidth() * 4));
    return s;
}

QString TRotuloRecortado::TextoVisible() const {
    return fontMetrics().elidedText(text(), modo_, contentsRect().width());
}

void TRotuloRecortado::paintEvent(QPaintEvent *) {
    QPainter p(this);
    drawFrame(&p);
    style()->drawItemText(&p, contentsRect(), QStyle::visualAlignment(layoutDirection(), alignment()),
                          palette(), isEnabled(), TextoVisible(), foregroundRole());
}

TSelectorFecha::TSelectorFecha(QWidget *padre, const QDate &vacia) : QDateEdit(padre), vacia_(vacia) {
    setDisplayFormat("dd/MM/yyyy");
    setCalendarPopup(true);
    if (vacia_.isValid()) {
        setMinimumDate(vacia_);
        setSpecialValueText(" ");
    }
}

void TSelectorFecha::keyPressEvent(QKeyEvent *e) {
    const QString t = e->text();
    if (Vacia() && !t.isEmpty() && t[0].isDigit()) {
        // The blank has no parts to type into: the typing goes into a date's day.
        setDate(QDate(Hoy().year(), 1, 1));
        setSelectedSection(QDateTimeEdit::DaySection);
    } else if (t == "/") {
        const QLineEdit *l = lineEdit();
        const int c = l->hasSelectedText() ? l->selectionStart() : l->cursorPosition();
        if (c > 0 && l->text().at(c - 1) == '/') {
            e->accept();
            return;
        }
    }
    QDateEdit::keyPressEvent(e);
}
