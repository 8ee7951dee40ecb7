#pragma once
// The login dialog PWD1 ("Usuario y Clave") and the login of the first showing of the main
// window: three tries against the users file, then the rights of the level.
#include "frame/nivelusuario.h"

#include <QDialog>
#include <QPointer>
#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TPWD1 : public QDialog {
    Q_OBJECT
public:
    explicit TPWD1(QWidget *padre = nullptr);

    // Fills CBUsuario: the company name, then the names of the company's user list.
    void FormActivate();
    // Shows the dialog modally (in tests, Prueba answers it instead).
    void Muestra();
    std::string Usuario() const;
    std::string Clave() const;

    QComboBox *CBUsuario;
    QLineEdit *EDClave;
    QLabel *Label1, *Label2, *LabelMayus, *LabelShift;
    QPushButton *SpeedButton1, *SpeedButton2;

    // Stand-in for the modal loop: types into the dialog after FormActivate.
    static std::function<void(TPWD1 &)> Prueba;

protected:
    void showEvent(QShowEvent *e) override;
};

extern QPointer<TPWD1> PWD1;

// The record of lista (three entries each, company first) whose name and password match
// exactly; its fields are left in UsuarioActual and every match extends caption. Returns the
// level of the first match with a leading number, 0 when none.
int BuscaUsuario(const std::vector<std::string> &lista, const std::string &usuario, const std::string &clave,
                 std::string &caption);

// The login: at most three tries with PWD1, then the rights of NivelUsuario. False when the
// program must end (no valid login, or an empty users list).
bool Login();
// Applies the rights of a level: the production directory question of level 1, PresenciaActiva,
// the main window's actions, the destroyed windows and the items of the users editor's CBNivel.
// Returns the level in force (level 1 may become 2).
int AplicaDerechos(int nivel);
