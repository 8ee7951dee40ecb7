#include "platform/ui/stringgridview.h"

#include "platform/codepage.h"

#include <QBrush>
#include <QFont>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTimer>

StringGridModel::StringGridModel(StringGrid *grid, QObject *padre) : QAbstractTableModel(padre), grid_(grid) {
    grid_->AlCambiarEstructura = [this] {
        beginResetModel();
        endResetModel();
    };
    grid_->AlCambiarCelda = [this](int, int) {
        // Writes through a cell reference land after this call: repaint on the next turn.
        if (pendiente_)
            return;
        pendiente_ = true;
        QTimer::singleShot(0, this, [this] {
            pendiente_ = false;
            Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        });
    };
}

StringGridModel::~StringGridModel() {
    grid_->AlCambiarEstructura = nullptr;
    grid_->AlCambiarCelda = nullptr;
}

void StringGridModel::Refresca() {
    beginResetModel();
    endResetModel();
}

int StringGridModel::rowCount(const QModelIndex &padre) const {
    return padre.isValid() ? 0 : grid_->RowCount();
}
int StringGridModel::columnCount(const QModelIndex &padre) const {
    return padre.isValid() ? 0 : grid_->ColCount();
}

QVariant StringGridModel::data(const QModelIndex &i, int rol) const {
    if (!i.isValid())
        return {};
    const bool fija = i.row() < grid_->FixedRows || i.column() < grid_->FixedCols;
    switch (rol) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
        std::string aux;
        QString texto;
        AnadeAQ(texto, grid_->Texto(i.column(), i.row(), aux));
        return texto;
    }
    case Qt::BackgroundRole:
        if (ColorFondo) {
            QColor c = ColorFondo(i.column(), i.row());
            if (c.isValid())
                return QBrush(c);
        }
        if (fija)
            return QBrush(QColor(0xE0, 0xE0, 0xE0));
        return {};
    case Qt::ForegroundRole:
        if (ColorTexto) {
            QColor c = ColorTexto(i.column(), i.row());
            if (c.isValid())
                return QBrush(c);
        }
        return {};
    case Qt::FontRole:
        if (fija) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    default:
        return {};
    }
}

bool StringGridModel::setData(const QModelIndex &i, const QVariant &valor, int rol) {
    if (!i.isValid() || rol != Qt::EditRole)
        return false;
    grid_->SetCelda(i.column(), i.row(), deQ(valor.toString()));
    Q_EMIT dataChanged(i, i);
    return true;
}

Qt::ItemFlags StringGridModel::flags(const QModelIndex &i) const {
    if (!i.isValid())
        return Qt::NoItemFlags;
    if (i.row() < grid_->FixedRows || i.column() < grid_->FixedCols)
        return Qt::ItemIsEnabled;
    if (CeldaElegible && !CeldaElegible(i.column(), i.row()))
        return Qt::ItemIsEnabled;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (Editable)
        f |= Qt::ItemIsEditable;
    return f;
}

TStringGridView::TStringGridView(StringGrid *grid, QWidget *padre)
    : QTableView(padre), grid_(grid), modelo_(new StringGridModel(grid, this)) {
    setModel(modelo_);
    horizontalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(0); // the grid's widths as given, however narrow
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(20);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    AplicaAnchos();
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &actual, const QModelIndex &) {
                if (!actual.isValid() || dentro_)
                    return;
                dentro_ = true;
                grid_->SetRow(actual.row());
                grid_->SetCol(actual.column());
                dentro_ = false;
                Q_EMIT SelectCell(actual.column(), actual.row());
            });
    connect(modelo_, &QAbstractItemModel::modelReset, this, [this] {
        AplicaAnchos();
        sincronizaSeleccion();
    });
    connect(modelo_, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &a, const QModelIndex &b) {
                if (a == b)
                    Q_EMIT CellEdited(a.column(), a.row());
            });
    grid_->AlCambiarSeleccion = [this] { sincronizaSeleccion(); };
    sincronizaSeleccion();
}

TStringGridView::~TStringGridView() {
    grid_->AlCambiarSeleccion = nullptr;
}

void TStringGridView::AplicaAnchos() {
    for (int c = 0; c < grid_->ColCount() && c < static_cast<int>(grid_->ColWidths.size()); ++c)
        setColumnWidth(c, grid_->ColWidths[static_cast<size_t>(c)]);
}

void TStringGridView::EditaCelda(int col, int row) {
    grid_->SetRow(row);
    grid_->SetCol(col);
    setFocus();
    const QModelIndex i = modelo_->index(row, col);
    if (modelo_->flags(i) & Qt::ItemIsEditable)
        edit(i);
}

void TStringGridView::sincronizaSeleccion() {
    if (dentro_)
        return;
    dentro_ = true;
    QModelIndex i = modelo_->index(grid_->Row(), grid_->Col());
    if (i.isValid())
        selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    dentro_ = false;
}

void TStringGridView::SetSeleccionFilas(bool filas) {
    setSelectionBehavior(filas ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    sincronizaSeleccion();
}
