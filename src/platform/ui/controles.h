#pragma once
// Small controls the windows share: a label that elides a text too long for it, and a date field
// that may stand empty and takes a date typed into it.
#include <QDateEdit>
#include <QLabel>
#include <functional>

class QCalendarWidget;

// A one-line label whose text never widens its window: what does not fit is elided. text()
// keeps the whole text.
class TRotuloRecortado : public QLabel {
    Q_OBJECT
public:
    explicit TRotuloRecortado(QWidget *padre = nullptr, Qt::TextElideMode modo = Qt::ElideRight);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // The text as drawn at the label's present width.
    QString TextoVisible() const;

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    Qt::TextElideMode modo_;
};

// A click into a date or time field selects the part under it (day, month, hour ...), so that the
// digits typed next replace it.
void SeleccionaParteAlPulsar(QDateTimeEdit *campo);

// Calls alCrear with the field's calendar pop-up once, when it may be about to open (the first
// press of a mouse button or a key on the field), rather than making it with the field: a calendar
// takes long to make.
void AlCrearCalendario(QDateTimeEdit *campo, std::function<void(QCalendarWidget *)> alCrear);

// A "dd/MM/yyyy" date field with a calendar. With an empty date (a date before any real one) it
// shows a blank; typing a date into the blank starts from the first of January of this year.
// A separator typed right after an automatic jump to the next part is taken as that jump. A click
// selects the part under it. A key that would make a day the month lacks ("31/02") is refused
// with a message, the text left for correction.
class TSelectorFecha : public QDateEdit {
    Q_OBJECT
public:
    TSelectorFecha(QWidget *padre, const QDate &vacia = QDate());
    bool Vacia() const { return vacia_.isValid() && date() == vacia_; }

protected:
    void keyPressEvent(QKeyEvent *e) override;
    QValidator::State validate(QString &texto, int &pos) const override;

private:
    QDate vacia_;
    mutable QString imposible_; // the text of a day the month lacks, refused by validate
};
