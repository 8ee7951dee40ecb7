#pragma once
// The one Qt view over a StringGrid: row 0 (and column 0 when fixed) drawn as titles,
// selection kept in the grid's Row/Col, optional in-place editing.
#include "platform/stringgrid.h"

#include <QAbstractTableModel>
#include <QTableView>

class StringGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    StringGridModel(StringGrid *grid, QObject *padre = nullptr);
    ~StringGridModel() override;
    int rowCount(const QModelIndex &padre = QModelIndex()) const override;
    int columnCount(const QModelIndex &padre = QModelIndex()) const override;
    QVariant data(const QModelIndex &i, int rol) const override;
    bool setData(const QModelIndex &i, const QVariant &valor, int rol) override;
    Qt::ItemFlags flags(const QModelIndex &i) const override;

    bool Editable = false;
    // Optional: the data cells that can be selected (and edited); the others cannot.
    std::function<bool(int c, int r)> CeldaElegible;
    // Optional colouring of rows: returns an invalid colour for the default.
    std::function<QColor(int c, int r)> ColorFondo;
    std::function<QColor(int c, int r)> ColorTexto;
    void Refresca();

private:
    StringGrid *grid_;
    bool pendiente_ = false;
};

class TStringGridView : public QTableView {
    Q_OBJECT
public:
    TStringGridView(StringGrid *grid, QWidget *padre = nullptr);
    ~TStringGridView() override;
    StringGridModel *Modelo() const { return modelo_; }
    StringGrid *Grid() const { return grid_; }
    void SetEditable(bool e) { modelo_->Editable = e; }
    // Highlights the whole selected row (grids that select rows, not cells).
    void SetSeleccionFilas(bool filas);
    // Applies the grid's ColWidths.
    void AplicaAnchos();
    // Makes the cell current and, when it is editable, opens its editor with the focus, so that
    // what is typed next goes into it.
    void EditaCelda(int col, int row);

Q_SIGNALS:
    // Emitted when the user selects a cell (not a title cell).
    void SelectCell(int col, int row);
    void CellEdited(int col, int row);

private:
    void sincronizaSeleccion();
    StringGrid *grid_;
    StringGridModel *modelo_;
    bool dentro_ = false;
};
