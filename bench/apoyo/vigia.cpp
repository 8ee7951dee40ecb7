// Preloaded into a program by the start-up bench (LD_PRELOAD), it watches the program's dialogs
// without changing it. VK_VIGIA says what to do when a dialog is first painted:
//   "dialogo": any dialog: write one byte on descriptor 3 and end the process;
//   "login":   the login dialog ("PWD1"): the same;
//   "reposo":  the login dialog: log in as admin/admin, and write the byte half a second later.
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QLineEdit>
#include <QTimer>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

void avisa() {
    const char c = 'x';
    (void)!write(3, &c, 1);
}

class Vigia : public QObject {
public:
    explicit Vigia(std::string modo) : modo_(std::move(modo)) {}
    bool eventFilter(QObject *o, QEvent *e) override {
        auto *d = e->type() == QEvent::Paint ? qobject_cast<QDialog *>(o) : nullptr;
        if (!d || hecho_)
            return false;
        const bool login = d->objectName() == "PWD1";
        if (modo_ == "dialogo" || (modo_ == "login" && login)) {
            avisa();
            _exit(0);
        }
        if (modo_ == "reposo" && login) {
            hecho_ = true;
            d->findChild<QComboBox *>("CBUsuario")->setEditText("admin");
            d->findChild<QLineEdit *>("EDClave")->setText("admin");
            QMetaObject::invokeMethod(d, "accept", Qt::QueuedConnection);
            QTimer::singleShot(500, [] { avisa(); });
        }
        return false;
    }

private:
    std::string modo_;
    bool hecho_ = false;
};

void instala() {
    if (const char *modo = std::getenv("VK_VIGIA"))
        QCoreApplication::instance()->installEventFilter(new Vigia(modo));
}

const int registrada = (qAddPreRoutine(instala), 0);

} // namespace
