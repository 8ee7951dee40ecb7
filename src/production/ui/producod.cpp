#include "production/ui/producod.h"

#include "platform/code39.h"
#include "platform/codepage.h"
#include "platform/ui/barrasdocumento.h"

#include <QLineEdit>
#include <QVBoxLayout>

QPointer<TFormProducod> FormProducod;

TFormProducod::TFormProducod(QWidget *padre) : QDialog(padre) {
    setObjectName("FormProducod");
    setWindowTitle(aQ(Ansi("Códigos de producción")));
    resize(420, 160);
    Edit1 = new QLineEdit(this);
    RE1 = new TEditorCodigos(this);
    RE1->setReadOnly(true);
    RE1->setLineWrapMode(QTextEdit::NoWrap);
    QFont barras(QString::fromLatin1(Code39::Fuente));
    barras.setPixelSize(27);
    RE1->setFont(barras);
    auto *l = new QVBoxLayout(this);
    l->addWidget(Edit1);
    l->addWidget(RE1);
    connect(Edit1, &QLineEdit::textChanged, this, [this] { Edit1Change(); });
}

void TFormProducod::Edit1Change() {
    RE1->setPlainText(Edit1->text());
    PreparaCodigosBarras(*RE1->document());
}
