#include "platform/ui/controles.h"

#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/reloj.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>
#include <algorithm>

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

namespace {
// Selects the field's current part when a plain click has placed the cursor in it.
class TParteAlPulsar : public QObject {
public:
    explicit TParteAlPulsar(QDateTimeEdit *campo) : QObject(campo), campo_(campo) {}
    bool eventFilter(QObject *linea, QEvent *e) override {
        if (e->type() != QEvent::MouseButtonRelease ||
            static_cast<QMouseEvent *>(e)->button() != Qt::LeftButton)
            return false;
        linea->event(e); // the cursor goes where the click was
        if (!static_cast<QLineEdit *>(linea)->hasSelectedText())
            campo_->setSelectedSection(campo_->currentSection());
        return true;
    }

private:
    QDateTimeEdit *campo_;
};

// Hands the field's calendar over at the first press on the field, before the field handles it.
class TCalendarioAlPulsar : public QObject {
public:
    TCalendarioAlPulsar(QDateTimeEdit *campo, std::function<void(QCalendarWidget *)> alCrear)
        : QObject(campo), campo_(campo), alCrear_(std::move(alCrear)) {}
    bool eventFilter(QObject *, QEvent *e) override {
        if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::KeyPress) {
            campo_->removeEventFilter(this);
            alCrear_(campo_->calendarWidget());
            deleteLater();
        }
        return false;
    }

private:
    QDateTimeEdit *campo_;
    std::function<void(QCalendarWidget *)> alCrear_;
};
} // namespace

void AlCrearCalendario(QDateTimeEdit *campo, std::function<void(QCalendarWidget *)> alCrear) {
    campo->installEventFilter(new TCalendarioAlPulsar(campo, std::move(alCrear)));
}

void SeleccionaParteAlPulsar(QDateTimeEdit *campo) {
    if (auto *linea = campo->findChild<QLineEdit *>())
        linea->installEventFilter(new TParteAlPulsar(campo));
}

namespace {
constexpr int kCifrasParte[3] = {2, 2, 4};

bool esCifra(const QKeyEvent *e) {
    const QString t = e->text();
    return t.size() == 1 && t[0].isDigit() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

bool esSeparador(const QKeyEvent *e) {
    const QString t = e->text();
    return t == "/" || t == "-" || t == ".";
}

QDateTimeEdit::Section seccionDeParte(int parte) {
    return parte == 1   ? QDateTimeEdit::MonthSection
           : parte == 2 ? QDateTimeEdit::YearSection
                        : QDateTimeEdit::DaySection;
}
} // namespace

TSelectorFecha::TSelectorFecha(QWidget *padre, const QDate &vacia) : QDateEdit(padre), vacia_(vacia) {
    setDisplayFormat("dd/MM/yyyy");
    setCalendarPopup(true);
    if (vacia_.isValid()) {
        setMinimumDate(vacia_);
        setSpecialValueText(" ");
    }
    SeleccionaParteAlPulsar(this);
}

QString TSelectorFecha::textoParte(int parte, bool rellena) const {
    const Tecleo &t = tecleo_;
    if (t.cifras[parte].isEmpty())
        return QString::number(t.base[parte]).rightJustified(kCifrasParte[parte], '0');
    return rellena ? t.cifras[parte].rightJustified(kCifrasParte[parte], '0') : t.cifras[parte];
}

int TSelectorFecha::parteEn(int posicion) const {
    const QString texto = lineEdit()->text();
    int parte = 0;
    for (int i = 0; i < posicion && i < texto.size(); ++i)
        parte += texto[i] == '/';
    return std::min(parte, 2);
}

void TSelectorFecha::empiezaTecleo(int parte) {
    const QDate d = Vacia() ? QDate(Hoy().year(), 1, 1) : date();
    tecleo_ = Tecleo();
    tecleo_.activo = true;
    tecleo_.base[0] = d.day();
    tecleo_.base[1] = d.month();
    tecleo_.base[2] = d.year();
    qApp->installEventFilter(this);
    entraEnParte(parte);
}

void TSelectorFecha::entraEnParte(int parte) {
    tecleo_.parte = std::clamp(parte, 0, 2);
    tecleo_.entrando = true;
    muestraTecleo();
}

void TSelectorFecha::muestraTecleo() {
    Tecleo &t = tecleo_;
    QString texto;
    int inicio = 0;
    for (int p = 0; p < 3; ++p) {
        if (p == t.parte)
            inicio = static_cast<int>(texto.size());
        texto += textoParte(p, p != t.parte || t.entrando);
        if (p < 2)
            texto += '/';
    }
    t.texto = texto;
    // The spin box must not see the text as its own: it would parse it and put its date back.
    QLineEdit *l = lineEdit();
    const QSignalBlocker b(l);
    l->setText(texto);
    const int largo = static_cast<int>(textoParte(t.parte, t.entrando).size());
    if (t.entrando)
        l->setSelection(inicio, largo);
    else
        l->setCursorPosition(inicio + largo);
}

void TSelectorFecha::tecleaCifra(QChar c) {
    Tecleo &t = tecleo_;
    QString &cifras = t.cifras[t.parte];
    if (t.entrando)
        cifras.clear();
    t.entrando = false;
    cifras += c;
    // A part is full with its digits, or when no further digit could follow the first.
    const bool llena = cifras.size() >= kCifrasParte[t.parte] ||
                       (cifras.size() == 1 && ((t.parte == 0 && c > '3') || (t.parte == 1 && c > '1')));
    if (!llena)
        muestraTecleo();
    else if (t.parte < 2)
        entraEnParte(t.parte + 1);
    else
        TerminaTecleo();
}

void TSelectorFecha::borraCifra() {
    Tecleo &t = tecleo_;
    // Nothing typed in this part yet: the key takes back the last digit of the part before.
    if ((t.entrando || t.cifras[t.parte].isEmpty()) && t.parte > 0)
        --t.parte;
    t.cifras[t.parte].chop(1);
    t.entrando = t.cifras[t.parte].isEmpty();
    if (std::all_of(std::begin(t.cifras), std::end(t.cifras), [](const QString &c) { return c.isEmpty(); })) {
        const int parte = t.parte;
        dejaTecleo();
        setSelectedSection(seccionDeParte(parte));
        return;
    }
    muestraTecleo();
}

void TSelectorFecha::dejaTecleo() {
    if (!tecleo_.activo)
        return;
    tecleo_.activo = false;
    qApp->removeEventFilter(this);
    // The same date again makes the spin box show its own text.
    const QSignalBlocker b(this);
    setDate(date());
}

bool TSelectorFecha::TerminaTecleo() {
    if (!tecleo_.activo)
        return true;
    const Tecleo t = tecleo_;
    const int parte = t.parte;
    bool ok = t.cifras[2].isEmpty() || t.cifras[2].size() == 4;
    const QDate d(textoParte(2, true).toInt(), textoParte(1, true).toInt(), textoParte(0, true).toInt());
    ok = ok && d.isValid() && d >= minimumDate() && d <= maximumDate() && !(vacia_.isValid() && d == vacia_);
    dejaTecleo();
    if (!ok) {
        const QString texto = textoParte(0, true) + '/' + textoParte(1, true) + '/' + textoParte(2, false);
        Dialogos::Aviso("La fecha " + deQ(texto) + " no existe.", "Fecha");
        return false;
    }
    setDate(d);
    setSelectedSection(seccionDeParte(parte));
    return true;
}

QValidator::State TSelectorFecha::validate(QString &texto, int &pos) const {
    if (tecleo_.activo) {
        if (texto == tecleo_.texto)
            return QValidator::Intermediate;
        // Set from elsewhere (a date set by the program): the typing is over.
        tecleo_.activo = false;
        qApp->removeEventFilter(const_cast<TSelectorFecha *>(this));
    }
    return QDateEdit::validate(texto, pos);
}

void TSelectorFecha::keyPressEvent(QKeyEvent *e) {
    if (esCifra(e)) {
        if (!tecleo_.activo) {
            const QLineEdit *l = lineEdit();
            const int c = l->hasSelectedText() ? l->selectionStart() : l->cursorPosition();
            empiezaTecleo(Vacia() ? 0 : parteEn(c));
        }
        tecleaCifra(e->text()[0]);
        e->accept();
        return;
    }
    if (!tecleo_.activo) {
        QDateEdit::keyPressEvent(e);
        return;
    }
    switch (e->key()) {
    case Qt::Key_Backspace:
        borraCifra();
        break;
    case Qt::Key_Escape:
        dejaTecleo();
        break;
    case Qt::Key_Left:
    case Qt::Key_Right: {
        Tecleo &t = tecleo_;
        const int parte = t.parte + (e->key() == Qt::Key_Left ? -1 : 1);
        if (parte >= 0 && parte <= 2)
            entraEnParte(parte);
        break;
    }
    default:
        if (esSeparador(e)) {
            Tecleo &t = tecleo_;
            if (!t.entrando && !t.cifras[t.parte].isEmpty() && t.parte < 2)
                entraEnParte(t.parte + 1);
        } else if (e->text().isEmpty() || !e->text()[0].isPrint() || (e->modifiers() & Qt::ControlModifier)) {
            // Up, down, Enter and the like act on the finished date.
            if (TerminaTecleo())
                QDateEdit::keyPressEvent(e);
            return;
        }
        break;
    }
    e->accept();
}

bool TSelectorFecha::event(QEvent *e) {
    // A shortcut (Alt+letter, a menu key) acts on the finished date.
    if (e->type() == QEvent::ShortcutOverride && tecleo_.activo) {
        const auto *k = static_cast<QKeyEvent *>(e);
        if (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            TerminaTecleo();
    }
    return QDateEdit::event(e);
}

bool TSelectorFecha::eventFilter(QObject *objeto, QEvent *e) {
    // Filters the whole application while typing: a click in the text moves the typing to the part
    // clicked (before the field's own selection of the part, which would read the typing as a date).
    if (!tecleo_.activo)
        return false;
    if (objeto == lineEdit() && e->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton) {
        objeto->event(e); // the cursor goes where the click was
        entraEnParte(parteEn(lineEdit()->cursorPosition()));
        return true;
    }
    // A press anywhere else finishes the typing first; a refused date keeps the press.
    if (e->type() == QEvent::MouseButtonPress && objeto->isWidgetType()) {
        auto *w = static_cast<QWidget *>(objeto);
        if (w != this && !isAncestorOf(w))
            return !TerminaTecleo();
    }
    return QDateEdit::eventFilter(objeto, e);
}

bool TSelectorFecha::focusNextPrevChild(bool siguiente) {
    // Tab takes the date typed, then goes on from the part the typing was in.
    if (tecleo_.activo && !TerminaTecleo())
        return true;
    return QDateEdit::focusNextPrevChild(siguiente);
}

void TSelectorFecha::focusOutEvent(QFocusEvent *e) {
    // Another window taking the focus leaves the typing to go on when it comes back; so does a
    // window being closed or destroyed, which drops it.
    if (e->reason() != Qt::ActiveWindowFocusReason)
        TerminaTecleo();
    QDateEdit::focusOutEvent(e);
}

void TSelectorFecha::hideEvent(QHideEvent *e) {
    dejaTecleo();
    QDateEdit::hideEvent(e);
}

void TSelectorFecha::mousePressEvent(QMouseEvent *e) {
    if (TerminaTecleo())
        QDateEdit::mousePressEvent(e);
}

void TSelectorFecha::wheelEvent(QWheelEvent *e) {
    if (TerminaTecleo())
        QDateEdit::wheelEvent(e);
}
