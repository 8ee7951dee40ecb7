#include "production/ui/vistasproduccion.h"

#include "masterdata/ui/empleadosorg.h"
#include "platform/codepage.h"
#include "platform/ui/stringgridview.h"
#include "presence/ui/presenciainicio.h"

#include <QEvent>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace {

class TFiltroBloques : public QObject {
public:
    TFiltroBloques(TStringGridView *vista, std::function<std::pair<int, int>()> bloque)
        : QObject(vista), vista_(vista), bloque_(std::move(bloque)) {}

protected:
    bool eventFilter(QObject *o, QEvent *e) override {
        if (e->type() == QEvent::Wheel)
            return true;
        if (e->type() == QEvent::MouseButtonRelease)
            QTimer::singleShot(0, this, [this] { // after the view's own handling
                const auto [primera, ultima] = bloque_();
                SeleccionaBloque(vista_, primera, ultima);
            });
        return QObject::eventFilter(o, e);
    }

private:
    TStringGridView *vista_;
    std::function<std::pair<int, int>()> bloque_;
};

} // namespace

QLineEdit *CampoProduccion(QWidget *pagina, QGridLayout *l, const char *rotulo, int fila, int col) {
    auto *e = new QLineEdit(pagina);
    e->setReadOnly(true);
    e->setMaximumWidth(110);
    l->addWidget(new QLabel(aQ(Ansi(rotulo)), pagina), fila, col);
    l->addWidget(e, fila, col + 1);
    return e;
}

void SeleccionaBloque(TStringGridView *vista, int primera, int ultima) {
    QAbstractItemModel *m = vista->model();
    if (primera + 1 > ultima - 1 || ultima - 1 >= m->rowCount() || primera + 1 < 1)
        return;
    const QItemSelection s(m->index(primera + 1, 0), m->index(ultima - 1, m->columnCount() - 1));
    vista->selectionModel()->select(s, QItemSelectionModel::ClearAndSelect);
}

void SeleccionPorBloques(TStringGridView *vista, std::function<std::pair<int, int>()> bloque) {
    vista->viewport()->installEventFilter(new TFiltroBloques(vista, std::move(bloque)));
}

std::vector<TTerminalListado> TerminalesProduccion() {
    return TerminalesSinAccesos();
}

const StringGrid *GridEmpleados() {
    return EmpleadosPresencia();
}
