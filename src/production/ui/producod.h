#pragma once
// "Códigos de producción": what is typed in Edit1 shown in RE1 in the bar-code font, so that a
// production code can be seen (and scanned) as its bar code.
#include <QDialog>
#include <QPointer>

class QLineEdit;
class TEditorCodigos;

class TFormProducod : public QDialog {
    Q_OBJECT
public:
    explicit TFormProducod(QWidget *padre = nullptr);

    QLineEdit *Edit1 = nullptr;
    TEditorCodigos *RE1 = nullptr;

    void Edit1Change();
};

extern QPointer<TFormProducod> FormProducod;
