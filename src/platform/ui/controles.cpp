#include "platform/ui/controles.h"

#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/reloj.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
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

// Day, month and year typed in full as "dd/mm/yyyy" that make no date.
bool fechaImposible(const QString &texto) {
    const QStringList partes = texto.split('/');
    if (partes.size() != 3)
        return false;
    bool dia = false, mes = false, anio = false;
    const QDate d(partes[2].toInt(&anio), partes[1].toInt(&mes), partes[0].toInt(&dia));
    return dia && mes && anio && !d.isValid();
}

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

TSelectorFecha::TSelectorFecha(QWidget *padre, const QDate &vacia) : QDateEdit(padre), vacia_(vacia) {
    setDisplayFormat("dd/MM/yyyy");
    setCalendarPopup(true);
    if (vacia_.isValid()) {
        setMinimumDate(vacia_);
        setSpecialValueText(" ");
    }
    SeleccionaParteAlPulsar(this);
}

QValidator::State TSelectorFecha::validate(QString &texto, int &pos) const {
    const QString tecleado = texto;
    const QValidator::State estado = QDateEdit::validate(texto, pos);
    // The field would take the month's last day instead.
    if (estado == QValidator::Acceptable && fechaImposible(tecleado)) {
        texto = tecleado;
        imposible_ = tecleado;
        return QValidator::Invalid;
    }
    return estado;
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
    imposible_.clear();
    QDateEdit::keyPressEvent(e);
    if (!imposible_.isEmpty()) {
        const std::string fecha = deQ(imposible_);
        imposible_.clear();
        Dialogos::Aviso("La fecha " + fecha + " no existe.", "Fecha");
    }
}
