#pragma once
// The dialog "Cambiar código de empleado": the old and the new code of a user.
#include <QDialog>
#include <QPointer>
#include <string>

class QLineEdit;
class QPushButton;

class TFormCamCod : public QDialog {
    Q_OBJECT
public:
    explicit TFormCamCod(QWidget *padre = nullptr);

    QLineEdit *LE1 = nullptr;       // "Cambiar código "
    QLineEdit *LE2 = nullptr;       // "Por "
    QPushButton *BitBtn1 = nullptr; // "Aceptar"
    QPushButton *BitBtn2 = nullptr; // "Cancelar"
    int CambioCodigoAceptado = 0;

    void FormShow();
    // Shows the dialog modally with viejo in LE1 and LE2 empty; true when accepted, with the texts
    // of LE1 and LE2 (Windows-1252).
    bool Pide(const std::string &viejo, std::string &antiguo, std::string &nuevo);

protected:
    void showEvent(QShowEvent *e) override;
};

extern QPointer<TFormCamCod> FormCamCod;
