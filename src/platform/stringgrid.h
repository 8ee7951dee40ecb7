#pragma once
// StringGrid: the cells of a string grid as data, addressed Cells[col][row]; row 0 and column 0
// are the fixed (title) row and column when FixedRows/FixedCols are 1. No widgets here: the
// forms show a grid through TStringGridView (stringgridview.h).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Read-only cells kept elsewhere in a compact form (a listing's rows), shown by a grid without a
// string per cell.
class TFuenteCeldas {
public:
    virtual ~TFuenteCeldas() = default;
    virtual int ColCount() const = 0;
    virtual int RowCount() const = 0;
    // The text of a cell inside the source; aux holds it when the source keeps no such text.
    virtual std::string_view Texto(int c, int r, std::string &aux) const = 0;
};

class StringGrid {
public:
    StringGrid(int columnas = 5, int filas = 5);

    int ColCount() const { return columnas_; }
    int RowCount() const { return filas_; }
    void SetColCount(int n);
    void SetRowCount(int n);

    int FixedRows = 1;
    int FixedCols = 0;
    // Selected cell.
    int Row() const { return fila_; }
    int Col() const { return col_; }
    void SetRow(int r);
    void SetCol(int c);

    // Cell access; outside the grid reads give "" and writes go nowhere.
    class Columna {
    public:
        std::string &operator[](int fila);

    private:
        friend class StringGrid;
        Columna(StringGrid *g, int c) : g_(g), c_(c) {}
        StringGrid *g_;
        int c_;
    };
    class ColumnaConst {
    public:
        const std::string &operator[](int fila) const;

    private:
        friend class StringGrid;
        ColumnaConst(const StringGrid *g, int c) : g_(g), c_(c) {}
        const StringGrid *g_;
        int c_;
    };
    class Celdas {
    public:
        Columna operator[](int c) { return Columna(g_, c); }
        ColumnaConst operator[](int c) const { return ColumnaConst(g_, c); }

    private:
        friend class StringGrid;
        explicit Celdas(StringGrid *g) : g_(g) {}
        StringGrid *g_;
    };
    Celdas Cells{this};

    const std::string &Celda(int c, int r) const;
    // A cell's text without a copy of its own (aux holds it when needed); "" outside the grid.
    std::string_view Texto(int c, int r, std::string &aux) const;
    void SetCelda(int c, int r, const std::string &v);

    // Whole rows.
    std::vector<std::string> Fila(int r) const;
    void SetFila(int r, const std::vector<std::string> &valores);
    void InsertaFila(int r);
    void BorraFila(int r);
    void Limpia(); // empties every cell, keeps the size

    std::vector<int> ColWidths;

    // The grid takes the size and cells of fuente, dropping its own; the first write copies them
    // into the grid's own cells.
    void FijaFuente(std::shared_ptr<const TFuenteCeldas> fuente);

    // Notification to the view that shows the grid.
    std::function<void()> AlCambiarEstructura;
    std::function<void(int c, int r)> AlCambiarCelda;
    std::function<void()> AlCambiarSeleccion;

    StringGrid(const StringGrid &) = delete;
    StringGrid &operator=(const StringGrid &) = delete;

private:
    bool dentro(int c, int r) const { return c >= 0 && r >= 0 && c < columnas_ && r < filas_; }
    void estructura();
    void propias(); // the source's cells become the grid's own
    int columnas_;
    int filas_;
    int fila_ = 1;
    int col_ = 0;
    std::vector<std::vector<std::string>> datos_; // [col][row]
    std::string vacio_;
    std::string sumidero_;
    std::shared_ptr<const TFuenteCeldas> fuente_;
    // Cells of the source read as strings, kept until the grid changes.
    mutable std::unordered_map<uint64_t, std::string> copias_;
};

// Inline: a listing writes every cell through it.
inline std::string &StringGrid::Columna::operator[](int fila) {
    if (!g_->dentro(c_, fila)) {
        g_->sumidero_.clear();
        return g_->sumidero_;
    }
    if (g_->fuente_)
        g_->propias();
    if (g_->AlCambiarCelda)
        g_->AlCambiarCelda(c_, fila);
    return g_->datos_[static_cast<size_t>(c_)][static_cast<size_t>(fila)];
}
