#include "platform/ui/dialogosqt.h"

#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/rutas.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace Dialogos {

namespace {
QPointer<QWidget> padre;

QString filtroQt(const std::string &filtro) {
    // "(*.rtf)|*.rtf|Todos|*.*" -> "(*.rtf) (*.rtf);;Todos (*.*)"
    QStringList partes = aQ(filtro).split('|');
    QStringList r;
    for (int i = 0; i + 1 < partes.size(); i += 2)
        r << partes[i] + " (" + QString(partes[i + 1]).replace(';', ' ') + ")";
    return r.join(";;");
}

class DialogosQt : public Respondedor {
public:
    Respuesta Mensaje(Tipo tipo, const std::string &texto, const std::string &titulo, bool siNo,
                      bool cancelar) override {
        QMessageBox caja(padre);
        caja.setWindowTitle(aQ(titulo));
        caja.setText(aQ(texto));
        caja.setIcon(tipo == Tipo::Error      ? QMessageBox::Critical
                     : tipo == Tipo::Aviso    ? QMessageBox::Warning
                     : tipo == Tipo::Pregunta ? QMessageBox::Question
                                              : QMessageBox::Information);
        if (siNo) {
            QPushButton *si = caja.addButton("&Sí", QMessageBox::YesRole);
            QPushButton *no = caja.addButton("&No", QMessageBox::NoRole);
            QPushButton *cancela = cancelar ? caja.addButton("Cancelar", QMessageBox::RejectRole) : nullptr;
            caja.setDefaultButton(si);
            caja.exec();
            if (caja.clickedButton() == static_cast<QAbstractButton *>(si))
                return Respuesta::Si;
            if (caja.clickedButton() == static_cast<QAbstractButton *>(no))
                return Respuesta::No;
            (void)cancela;
            return cancelar ? Respuesta::Cancelar : Respuesta::No;
        }
        caja.addButton(QMessageBox::Ok);
        caja.exec();
        return Respuesta::Ok;
    }

    bool AbrirArchivo(const PeticionArchivo &p, std::string &ruta) override {
        QString r =
            QFileDialog::getOpenFileName(padre, aQ(p.titulo), RutaQ(p.directorio), filtroQt(p.filtro));
        if (r.isEmpty())
            return false;
        ruta = RutaDeQ(r);
        return true;
    }

    bool GuardarArchivo(const PeticionArchivo &p, std::string &ruta) override {
        QString inicial = RutaQ(p.directorio + p.nombre);
        QString r = QFileDialog::getSaveFileName(padre, aQ(p.titulo), inicial, filtroQt(p.filtro));
        if (r.isEmpty())
            return false;
        ruta = RutaDeQ(r);
        return true;
    }

    bool ElegirColor(QColor &color) override {
        QColor c = QColorDialog::getColor(color, padre);
        if (!c.isValid())
            return false;
        color = c;
        return true;
    }

    bool PedirTexto(const std::string &titulo, const std::string &rotulo, std::string &valor) override {
        bool ok = false;
        QString r = QInputDialog::getText(padre, aQ(titulo), aQ(rotulo), QLineEdit::Normal, aQ(valor), &ok);
        if (ok)
            valor = deQ(r);
        return ok;
    }

    // The real print dialog is shown by the printing layer itself.
    bool Imprimir(int &desde, int &hasta, int paginas) override {
        desde = 1;
        hasta = paginas;
        return true;
    }
};
} // namespace

void UsaDialogosQt() {
    static DialogosQt reales;
    FijaReales(&reales);
}

void FijaPadre(QWidget *p) {
    padre = p;
}

} // namespace Dialogos
