#include "frame/password.h"
#include "frame/arranque.h"

#include "common/configuracion.h"
#include "common/registromin.h"
#include "common/sesion.h"
#include "frame/cifra.h"
#include "frame/principal.h"
#include "frame/usuarios.h"
#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/lineas.h"
#include "platform/ui/ventanas.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

QPointer<TPWD1> PWD1;
std::function<void(TPWD1 &)> TPWD1::Prueba;

TPWD1::TPWD1(QWidget *padre) : QDialog(padre) {
    setObjectName("PWD1");
    setWindowTitle("Usuario y Clave");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    auto *rejilla = new QGridLayout(this);
    Label1 = new QLabel("Usuario", this);
    Label2 = new QLabel("Clave", this);
    CBUsuario = new QComboBox(this);
    CBUsuario->setObjectName("CBUsuario");
    CBUsuario->setEditable(true);
    CBUsuario->setInsertPolicy(QComboBox::NoInsert);
    CBUsuario->setMinimumWidth(220);
    EDClave = new QLineEdit(this);
    EDClave->setObjectName("EDClave");
    EDClave->setEchoMode(QLineEdit::Password);
    EDClave->setStyleSheet("QLineEdit { lineedit-password-character: 42; }");
    QFont negrita = EDClave->font();
    negrita.setBold(true);
    EDClave->setFont(negrita);
    LabelMayus = new QLabel("Mayus", this);
    LabelShift = new QLabel("Shift", this);
    SpeedButton1 = new QPushButton("Aceptar", this);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton2 = new QPushButton("Cancelar", this);
    SpeedButton2->setObjectName("SpeedButton2");
    // Enter counts as a try only in the password: no default button.
    SpeedButton1->setAutoDefault(false);
    SpeedButton2->setAutoDefault(false);
    rejilla->addWidget(Label1, 0, 0);
    rejilla->addWidget(CBUsuario, 0, 1, 1, 2);
    rejilla->addWidget(Label2, 1, 0);
    rejilla->addWidget(EDClave, 1, 1, 1, 2);
    rejilla->addWidget(LabelMayus, 2, 1);
    rejilla->addWidget(LabelShift, 2, 2);
    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(SpeedButton1);
    botones->addWidget(SpeedButton2);
    rejilla->addLayout(botones, 3, 0, 1, 3);
    // Either button or Enter in the password closes; the caller reads the texts.
    connect(SpeedButton1, &QPushButton::clicked, this, &QDialog::accept);
    connect(SpeedButton2, &QPushButton::clicked, this, &QDialog::accept);
    connect(EDClave, &QLineEdit::returnPressed, this, &QDialog::accept);
}

void TPWD1::showEvent(QShowEvent *e) {
    QDialog::showEvent(e);
    FormActivate();
}

void TPWD1::FormActivate() {
    // The typed name stays (empty at first); filling the items selects none.
    const QString escrito = CBUsuario->currentText();
    CBUsuario->clear();
    if (!Sesion().ListaUsuarios.empty())
        CBUsuario->addItem(aQ(Sesion().ListaUsuarios[0]));
    for (const std::string &t : TextosListaMin(Configuracion().DirHuellas + "empresa.min"))
        CBUsuario->addItem(aQ(t));
    CBUsuario->setCurrentIndex(-1);
    CBUsuario->setEditText(escrito);
}

void TPWD1::Muestra() {
    if (Prueba) {
        FormActivate();
        Prueba(*this);
        return;
    }
    adjustSize();
    if (QScreen *pantalla = screen())
        move(pantalla->availableGeometry().center() - rect().center());
    exec();
}

std::string TPWD1::Usuario() const {
    return deQ(CBUsuario->currentText());
}
std::string TPWD1::Clave() const {
    return deQ(EDClave->text());
}

int BuscaUsuario(const std::vector<std::string> &lista, const std::string &usuario, const std::string &clave,
                 std::string &caption) {
    int nivel = 0;
    for (size_t k = 0; k + 3 <= lista.size() && nivel == 0; k += 3) {
        UsuarioActual = {lista[k], lista[k + 1], lista[k + 2]};
        if (usuario == UsuarioActual.Usuario && clave == UsuarioActual.Clave) {
            caption += " Usuario: " + UsuarioActual.Usuario + " Nivel: " + UsuarioActual.Nivel;
            nivel = NivelDeTexto(UsuarioActual.Nivel);
        }
    }
    return nivel;
}

bool Login() {
    if (Sesion().ListaUsuarios.size() < 3) {
        Dialogos::Error(Ansi("El archivo de usuarios \"rondal.usr\" no contiene ningún usuario válido. "
                             "El programa terminará."),
                        "Usuario y Clave");
        return false;
    }
    if (!PWD1)
        return false;
    int intentos = 3;
    while (Sesion().NivelUsuario == 0 && intentos != 0) {
        PWD1->Muestra();
        std::string extension;
        Sesion().NivelUsuario =
            BuscaUsuario(Sesion().ListaUsuarios, PWD1->Usuario(), PWD1->Clave(), extension);
        if (!extension.empty() && MainForm)
            MainForm->setWindowTitle(MainForm->windowTitle() + aQ(extension));
        --intentos;
    }
    if (Sesion().NivelUsuario < 1 || Sesion().NivelUsuario > 6)
        return false;
    Sesion().NivelUsuario = AplicaDerechos(Sesion().NivelUsuario);
    return true;
}

namespace {

// The main window's actions that the rights name.
QAction *accionPorNombre(const std::string &nombre) {
    if (!MainForm)
        return nullptr;
    static const std::pair<const char *, QAction * TMainForm::*> kAcciones[] = {
        {"CfgEmpresa", &TMainForm::CfgEmpresa},     {"CfgEmpleados", &TMainForm::CfgEmpleados},
        {"CfgHorarios", &TMainForm::CfgHorarios},   {"CfgIncidencias", &TMainForm::CfgIncidencias},
        {"CfgProd", &TMainForm::CfgProd},           {"cfgTerminales", &TMainForm::cfgTerminales},
        {"ListarPre", &TMainForm::ListarPre},       {"ToolButton19", &TMainForm::ToolButton19},
        {"Incidencias", &TMainForm::Incidencias},   {"Fichar1", &TMainForm::Fichar1},
        {"ListaAccesos", &TMainForm::ListaAccesos}, {"OrdenTrabajo", &TMainForm::OrdenTrabajo},
        {"PPorObra", &TMainForm::PPorObra},         {"PPorTio", &TMainForm::PPorTio},
    };
    for (const auto &[n, miembro] : kAcciones)
        if (nombre == n)
            return MainForm.data()->*miembro;
    return nullptr;
}

} // namespace

int AplicaDerechos(int nivel) {
    if (nivel == 1 && !ExisteDirectorio(Configuracion().DirProduccion) &&
        (!PreguntaCrearDirectorio(Configuracion().DirProduccion, " para guardar los datos de producción ?") ||
         !CreaDirectorioAvisando(Configuracion().DirProduccion)))
        nivel = 2;
    const DerechosNivel d = DerechosDe(nivel);
    Sesion().PresenciaActiva = d.PresenciaActiva;
    for (const std::string &a : d.AccionesDesactivadas)
        if (QAction *accion = accionPorNombre(a))
            accion->setEnabled(false);
    for (const std::string &v : d.VentanasDestruidas)
        DestruyeVentana(v);
    if (FormUsuarios) {
        FormUsuarios->CBNivel->clear();
        for (const std::string &t : d.ItemsNivel)
            FormUsuarios->CBNivel->addItem(aQ(t));
    }
    return nivel;
}
