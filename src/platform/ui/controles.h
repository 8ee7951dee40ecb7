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
//
// Digits are typed into the field's own copy of its parts, starting at the part under the cursor
// (a click selects the part under it): day and month take two digits, the year four, and a full
// part moves the typing to the next one; a separator ends a part early, and one typed right after
// such a move is taken as that move. The date is finished when its year is typed in full, or when
// the typing leaves the field (Tab, Enter, the focus or a click elsewhere, the calendar, the
// wheel, an arrow key up or down; not another window taking the focus). Only then does the field take it, so
// the month or year shown before never limits what is typed and dateChanged is emitted once, for the finished
// date. A finished date that does not exist ("31/04/2026") is refused with "La fecha dd/mm/aaaa no existe."
// and the field keeps the date it had. Escape drops the typing.
class TSelectorFecha : public QDateEdit {
    Q_OBJECT
public:
    TSelectorFecha(QWidget *padre, const QDate &vacia = QDate());
    bool Vacia() const { return vacia_.isValid() && date() == vacia_; }
    // Takes the date being typed, if any: false (after the message) when it does not exist.
    bool TerminaTecleo();

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *objeto, QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    bool focusNextPrevChild(bool siguiente) override;
    void focusOutEvent(QFocusEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    QValidator::State validate(QString &texto, int &pos) const override;

private:
    // The typing in progress: the digits of each part (day, month, year) typed so far, and the
    // parts of the date it started from for those not typed.
    struct Tecleo {
        bool activo = false;
        int parte = 0;         // 0 day, 1 month, 2 year
        bool entrando = false; // the part was just entered: its next digit replaces it
        QString cifras[3];     // digits typed into each part (none: the part as it was)
        int base[3] = {};      // day, month and year of the date the typing started from
        QString texto;         // the text shown for it
    };

    void empiezaTecleo(int parte);
    void entraEnParte(int parte);
    void tecleaCifra(QChar c);
    void borraCifra();
    void dejaTecleo(); // drops the typing and shows the field's date again
    void muestraTecleo();
    int parteEn(int posicion) const;
    QString textoParte(int parte, bool rellena) const;

    QDate vacia_;
    mutable Tecleo tecleo_; // validate drops it when the text is set from elsewhere
};
