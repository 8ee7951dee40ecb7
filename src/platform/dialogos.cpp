#include "platform/dialogos.h"

#include "platform/codepage.h"
#include "platform/rutas.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace Dialogos {

namespace {
Respondedor *respondedor = nullptr;
QPointer<QWidget> padre;

QString filtroQt(const std::string &filtro) {
    // "(*.rtf)|*.rtf|Todos|*.*" -> "(*.rtf) (*.rtf);;Todos (*.*)"
    QStringList partes = aQ(filtro).split('|');
    QStringList r;
    for (int i = 0; i + 1 < partes.size(); i += 2)
        r << partes[i] + " (" + QString(partes[i + 1]).replace(';', ' ') + ")";
    return r.join(";;");
}

Respuesta muestra(Tipo tipo, const std::string &texto, const std::string &titulo, bool siNo, bool cancelar) {
    if (respondedor)
        return respondedor->Mensaje(tipo, texto, titulo, siNo, cancelar);
    QMessageBox caja(padre);
    caja.setWindowTitle(aQ(titulo));
    caja.setText(aQ(texto));
    caja.setIcon(tipo == Tipo::Error     ? QMessageBox::Critical
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
} // namespace

Respondedor *Instala(Respondedor *r) {
    Respondedor *antes = respondedor;
    respondedor = r;
    return antes;
}
Respondedor *Actual() { return respondedor; }
void FijaPadre(QWidget *p) { padre = p; }

void MuestraMensaje(const std::string &texto) {
    muestra(Tipo::Informacion, texto, deQ(QApplication::applicationName()), false, false);
}
void Aviso(const std::string &texto, const std::string &titulo) { muestra(Tipo::Aviso, texto, titulo, false, false); }
void Error(const std::string &texto, const std::string &titulo) { muestra(Tipo::Error, texto, titulo, false, false); }
bool Pregunta(const std::string &texto, const std::string &titulo) {
    return muestra(Tipo::Pregunta, texto, titulo, true, false) == Respuesta::Si;
}
Respuesta PreguntaCancelar(const std::string &texto, const std::string &titulo) {
    return muestra(Tipo::Pregunta, texto, titulo, true, true);
}

bool AbrirArchivo(const PeticionArchivo &p, std::string &ruta) {
    if (respondedor)
        return respondedor->AbrirArchivo(p, ruta);
    QString r = QFileDialog::getOpenFileName(padre, aQ(p.titulo), RutaQ(p.directorio), filtroQt(p.filtro));
    if (r.isEmpty())
        return false;
    ruta = RutaDeQ(r);
    return true;
}

bool GuardarArchivo(const PeticionArchivo &p, std::string &ruta) {
    if (respondedor)
        return respondedor->GuardarArchivo(p, ruta);
    QString inicial = RutaQ(p.directorio + p.nombre);
    QString r = QFileDialog::getSaveFileName(padre, aQ(p.titulo), inicial, filtroQt(p.filtro));
    if (r.isEmpty())
        return false;
    ruta = RutaDeQ(r);
    return true;
}

bool ElegirColor(QColor &color) {
    if (respondedor)
        return respondedor->ElegirColor(color);
    QColor c = QColorDialog::getColor(color, padre);
    if (!c.isValid())
        return false;
    color = c;
    return true;
}

bool PedirTexto(const std::string &titulo, const std::string &rotulo, std::string &valor) {
    if (respondedor)
        return respondedor->PedirTexto(titulo, rotulo, valor);
    bool ok = false;
    QString r = QInputDialog::getText(padre, aQ(titulo), aQ(rotulo), QLineEdit::Normal, aQ(valor), &ok);
    if (ok)
        valor = deQ(r);
    return ok;
}

bool Imprimir(int &desde, int &hasta, int paginas) {
    if (respondedor)
        return respondedor->Imprimir(desde, hasta, paginas);
    // The real print dialog is shown by the printing layer itself.
    desde = 1;
    hasta = paginas;
    return true;
}

} // namespace Dialogos
