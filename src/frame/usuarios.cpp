#include "frame/usuarios.h"

#include "common/configuracion.h"
#include "common/registromin.h"
#include "common/sesion.h"
#include "frame/cifra.h"
#include "frame/usuariosedicion.h"
#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/ui/stringgridview.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

QPointer<TFormUsuarios> FormUsuarios;

namespace {

const char *const kTitulo = "Usuarios de Rondal";

// Masks the passwords of protected rows; only the password of an editable row is edited in
// place (name and level go through their combos).
class DelegadoUsuarios : public QStyledItemDelegate {
public:
    DelegadoUsuarios(const StringGrid *g, QObject *padre) : QStyledItemDelegate(padre), g_(g) {}

protected:
    void initStyleOption(QStyleOptionViewItem *o, const QModelIndex &i) const override {
        QStyledItemDelegate::initStyleOption(o, i);
        o->text = aQ(TextoCeldaUsuarios(*g_, i.column(), i.row(), Sesion().NivelUsuario));
    }
    QWidget *createEditor(QWidget *padre, const QStyleOptionViewItem &o,
                          const QModelIndex &i) const override {
        if (i.column() != 1 || i.row() < 1 || FilaProtegida(*g_, i.row(), Sesion().NivelUsuario))
            return nullptr;
        return QStyledItemDelegate::createEditor(padre, o, i);
    }

private:
    const StringGrid *g_;
};

QPushButton *boton(QWidget *padre, const char *nombre, const char *texto, const char *pista) {
    auto *b = new QPushButton(aQ(Ansi(texto)), padre);
    b->setObjectName(nombre);
    b->setToolTip(aQ(Ansi(pista)));
    return b;
}

} // namespace

TFormUsuarios::TFormUsuarios(QWidget *padre) : QDialog(padre) {
    setObjectName("FormUsuarios");
    setWindowTitle(kTitulo);
    SpeedButton1 = boton(this, "SpeedButton1", "Nuevo", "Añadir un nuevo usuario");
    SpeedButton2 = boton(this, "SpeedButton2", "Eliminar", "Eliminar usuario");
    botonrec = boton(this, "botonrec", "Guardar", "Guardar usuarios de Rondal");
    auto *botones = new QHBoxLayout;
    botones->addWidget(SpeedButton1);
    botones->addWidget(SpeedButton2);
    botones->addWidget(botonrec);
    botones->addStretch();

    SG1.ColWidths = {175, 96, 248};
    VistaSG1 = new TStringGridView(&SG1, this);
    VistaSG1->setObjectName("SG1");
    VistaSG1->verticalHeader()->setDefaultSectionSize(18);
    VistaSG1->SetEditable(true);
    VistaSG1->setItemDelegate(new DelegadoUsuarios(&SG1, VistaSG1));
    VistaSG1->setMinimumSize(175 + 96 + 248 + 24, 200);

    CBUsuario = new QComboBox(VistaSG1->viewport());
    CBUsuario->setObjectName("CBUsuario");
    CBUsuario->setEditable(true);
    CBUsuario->setInsertPolicy(QComboBox::NoInsert);
    CBUsuario->hide();
    CBNivel = new QComboBox(VistaSG1->viewport());
    CBNivel->setObjectName("CBNivel");
    CBNivel->hide();

    auto *l = new QVBoxLayout(this);
    l->addLayout(botones);
    l->addWidget(VistaSG1);

    connect(VistaSG1, &TStringGridView::SelectCell, this, [this](int c, int r) { seleccionada(c, r); });
    connect(CBUsuario, &QComboBox::editTextChanged, this, [this] { CBUsuarioChange(); });
    connect(CBNivel, &QComboBox::activated, this, [this](int i) { CBNivelChange(i); });
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });
    connect(botonrec, &QPushButton::clicked, this, [this] { botonrecClick(); });
}

void TFormUsuarios::showEvent(QShowEvent *e) {
    QDialog::showEvent(e);
    FormActivate();
}

void TFormUsuarios::FormActivate() {
    llenando_ = true;
    CBUsuario->hide();
    CBNivel->hide();
    CBUsuario->clear();
    for (const std::string &t : TextosListaMin(Configuracion().DirHuellas + "empresa.min"))
        CBUsuario->addItem(aQ(t));
    LlenaRejillaUsuarios(SG1, Sesion().ListaUsuarios);
    SG1.SetRow(1);
    SG1.SetCol(0);
    filaAnterior_ = 1;
    colAnterior_ = 0;
    llenando_ = false;
}

void TFormUsuarios::colocaCombo(QComboBox *combo, int col, int fila) {
    QRect celda = VistaSG1->visualRect(VistaSG1->Modelo()->index(fila, col));
    combo->setGeometry(celda.x(), celda.y(), celda.width(),
                       std::max(celda.height(), combo->sizeHint().height()));
}

bool TFormUsuarios::SG1SelectCell(int col, int fila) {
    if (fila < 1 || FilaProtegida(SG1, fila, Sesion().NivelUsuario))
        return false;
    llenando_ = true;
    bool seleccion = true;
    if (col == 0) {
        CBNivel->hide();
        colocaCombo(CBUsuario, col, fila);
        CBUsuario->setEditText(aQ(SG1.Celda(0, fila)));
        CBUsuario->show();
    } else if (col == 1) {
        CBUsuario->hide();
        CBNivel->hide();
    } else {
        CBUsuario->hide();
        colocaCombo(CBNivel, col, fila);
        // A text that is not one of the items is shown all the same.
        CBNivel->setPlaceholderText(aQ(SG1.Celda(2, fila)));
        CBNivel->setCurrentIndex(CBNivel->findText(aQ(SG1.Celda(2, fila))));
        CBNivel->show();
        SG1.SetRow(fila);
        seleccion = false;
    }
    llenando_ = false;
    return seleccion;
}

// The view has moved to the cell: a refused row puts it back where it was.
void TFormUsuarios::seleccionada(int col, int fila) {
    SG1SelectCell(col, fila);
    if (fila < 1 || FilaProtegida(SG1, fila, Sesion().NivelUsuario)) {
        SG1.SetRow(filaAnterior_);
        SG1.SetCol(colAnterior_);
        return;
    }
    filaAnterior_ = fila;
    colAnterior_ = col;
}

void TFormUsuarios::CBUsuarioChange() {
    const int r = SG1.Row();
    if (llenando_ || r < 1 || FilaProtegida(SG1, r, Sesion().NivelUsuario))
        return;
    SG1.SetCelda(0, r, deQ(CBUsuario->currentText()));
}

void TFormUsuarios::CBNivelChange(int indice) {
    const int r = SG1.Row();
    if (indice < 0 || r < 1 || FilaProtegida(SG1, r, Sesion().NivelUsuario))
        return;
    SG1.SetCelda(2, r, deQ(CBNivel->itemText(indice)));
}

void TFormUsuarios::SpeedButton1Click() {
    SG1.SetRowCount(SG1.RowCount() + 1);
    SG1.FixedRows = 1;
    SG1.SetRow(SG1.RowCount() - 1);
    seleccionada(SG1.Col(), SG1.Row());
}

void TFormUsuarios::SpeedButton2Click() {
    const int r = SG1.Row();
    if (SG1.RowCount() <= 1 || r < 1)
        return;
    if (FilaProtegida(SG1, r, Sesion().NivelUsuario)) {
        Dialogos::Aviso("No puede eliminar un usuario de un nivel superior al suyo.", kTitulo);
        return;
    }
    CBUsuario->hide();
    CBNivel->hide();
    SG1.BorraFila(r);
    filaAnterior_ = std::max(1, SG1.Row());
}

void TFormUsuarios::botonrecClick() {
    ListaGuardada g = ListaDeRejilla(SG1, Sesion().ListaUsuarios, Sesion().NivelUsuario);
    std::string error;
    if (!GuardaUsuarios(g.Lista, error)) {
        Dialogos::Error(error, kTitulo);
        return;
    }
    const std::string aviso = AvisoDescartadas(SG1, g.Descartadas);
    if (!aviso.empty())
        Dialogos::Aviso(aviso, kTitulo);
    accept();
}
