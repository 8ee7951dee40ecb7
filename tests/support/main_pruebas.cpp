// Entry point of every test binary: the application object (headless) in the C numeric locale. The
// tests of windows get a QApplication; the tests of the core libraries a QGuiApplication, so they
// link no QtWidgets.
#include "platform/dialogos.h"

#ifdef VK_PRUEBAS_VENTANAS
#include <QApplication>
using Aplicacion = QApplication;
#else
#include <QGuiApplication>
using Aplicacion = QGuiApplication;
#endif
#include <QLocale>
#include <clocale>
#include <gtest/gtest.h>

namespace {
// Answers any dialog that a test did not expect: the test fails instead of hanging on a modal box.
class DialogoInesperado : public Dialogos::Respondedor {
public:
    Dialogos::Respuesta Mensaje(Dialogos::Tipo, const std::string &texto, const std::string &titulo, bool,
                                bool) override {
        ADD_FAILURE() << "mensaje inesperado: [" << titulo << "] " << texto;
        return Dialogos::Respuesta::No;
    }
    bool AbrirArchivo(const Dialogos::PeticionArchivo &p, std::string &) override { return falla(p.titulo); }
    bool GuardarArchivo(const Dialogos::PeticionArchivo &p, std::string &) override {
        return falla(p.titulo);
    }
    bool ElegirColor(QColor &) override { return falla("color"); }
    bool PedirTexto(const std::string &titulo, const std::string &, std::string &) override {
        return falla(titulo);
    }
    bool Imprimir(int &, int &, int) override { return falla("imprimir"); }

private:
    static bool falla(const std::string &que) {
        ADD_FAILURE() << "diálogo inesperado: " << que;
        return false;
    }
};
} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    Aplicacion app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); // as the program does
    DialogoInesperado inesperado;
    Dialogos::Instala(&inesperado);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
