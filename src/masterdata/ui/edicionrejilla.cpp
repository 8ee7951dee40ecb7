#include "masterdata/ui/edicionrejilla.h"

#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/lineas.h"
#include "platform/ui/stringgridview.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>

QHBoxLayout *Botonera(QWidget *padre, std::initializer_list<DefBoton> botones) {
    auto *fila = new QHBoxLayout();
    for (const auto &d : botones) {
        auto *b = new QPushButton(aQ(Ansi(d.texto)), padre);
        if (d.pista)
            b->setToolTip(aQ(Ansi(d.pista)));
        b->setAutoDefault(false);
        fila->addWidget(b);
        *d.boton = b;
    }
    fila->addStretch();
    return fila;
}

QComboBox *ComboDeCelda(TStringGridView *vista, const std::vector<std::string> &items) {
    auto *cb = new QComboBox(vista->viewport());
    for (const auto &i : items)
        cb->addItem(aQ(i));
    cb->hide();
    return cb;
}

void ColocaCombo(QComboBox *cb, TStringGridView *vista, int col, int row) {
    cb->setGeometry(vista->visualRect(vista->Modelo()->index(row, col)));
    cb->setCurrentIndex(cb->findText(aQ(vista->Grid()->Cells[col][row])));
    cb->show();
}

std::string ItemElegido(const QComboBox *cb, const std::vector<std::string> &items) {
    const int i = cb->currentIndex();
    if (items.empty())
        return {};
    return items[i >= 0 && i < static_cast<int>(items.size()) ? static_cast<size_t>(i) : 0];
}

namespace {
std::string avisoIlegible(const std::string &ruta) {
    return "No se puede leer " + ruta + Ansi(": no se guardará encima para no perder sus datos.");
}
} // namespace

bool ArchivoIlegible(bool leido, const std::string &ruta, const std::string &titulo) {
    if (leido || !ExisteArchivo(ruta))
        return false;
    Dialogos::Error(avisoIlegible(ruta), titulo);
    return true;
}

bool GuardadoRechazado(bool ilegible, const std::string &ruta, const std::string &titulo) {
    if (ilegible)
        Dialogos::Error(avisoIlegible(ruta), titulo);
    return ilegible;
}

void AnadeFilaVacia(StringGrid &sg) {
    sg.SetRowCount(sg.RowCount() + 1);
    sg.SetRow(sg.RowCount() - 1);
}

bool BorraFilaElegida(StringGrid &sg) {
    const int r = sg.Row();
    if (sg.RowCount() <= 2 || r < 1)
        return false;
    sg.BorraFila(r);
    return true;
}
