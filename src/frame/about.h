#pragma once
// The about box.
#include <QDialog>
#include <QPointer>

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *padre = nullptr);
};

extern QPointer<TAboutBox> AboutBox;
