#pragma once
// The rows of a clockings listing kept compactly: the lines' bytes back to back in large blocks
// (every line has the format's length), the offset and file of each, the field of each grid
// column; and the cells of the listed rows as a grid shows them (CeldasListadas), read straight
// from the lines, so that a grid of a million clockings holds no string per cell.
#include "platform/stringgrid.h"
#include "terminal/lectorparcial.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class FilasListadas {
public:
    // Where a field lies in a line: offset and length.
    using Trozo = std::pair<size_t, size_t>;

    // longitud: of every line; campos: the field of each grid column from 1 on.
    FilasListadas(size_t longitud, std::vector<Trozo> campos);

    // Keeps a line read from file archivo: the annulled mark taken off and control characters made
    // blanks, so that a field reads as its cell shows it. Returns its row.
    size_t Anade(const TLineaParcial &l, int archivo);
    size_t Filas() const { return filas_; }
    int Archivo(size_t fila) const {
        return static_cast<int>(bloques_[fila / kFilasBloque].archivos[fila % kFilasBloque]);
    }
    // Column 0: the line's offset in its file, "-A" after it when annulled.
    std::string_view Marca(size_t fila, std::string &buffer) const;
    std::string_view Linea(size_t fila) const { return {linea(fila), longitud_}; }
    // The field of column col (from 1 on); (0, 0) for 0 or a column outside the line.
    Trozo Campo(int col) const;
    std::string_view Campo(size_t fila, int col) const {
        const auto [desde, cuantos] = Campo(col);
        return {linea(fila) + desde, cuantos};
    }
    int Entero(size_t fila, int col) const;

    // The rows in the order of their keys (the fields of the columns given, -1 for a blank) compared
    // without regard to case or accents, then in listing order; of rows with equal keys only the one
    // listed last.
    std::vector<uint32_t> Ordena(const std::vector<int> &partes) const;

private:
    // A key's parts: offset in the line and length (npos: a blank).
    using Trozos = std::vector<Trozo>;
    // A row with the first 20 bytes of its key that differ between rows, folded, as numbers: they
    // order most pairs.
    struct Orden {
        uint64_t clave[2];
        uint32_t resto;
        uint32_t fila;
    };
    static constexpr size_t kPrefijo = 20;
    static constexpr size_t kFilasBloque = 1 << 16;
    const char *linea(size_t fila) const {
        return bloques_[fila / kFilasBloque].texto.get() + (fila % kFilasBloque) * longitud_;
    }
    std::vector<size_t> variables(const Trozos &trozos) const;
    std::vector<Orden> prefijos(const std::vector<size_t> &variables) const;
    int compara(const std::vector<size_t> &variables, size_t a, size_t b) const;
    bool iguales(const Trozos &trozos, const Orden &a, const Orden &b) const;

    size_t longitud_;
    std::vector<Trozo> campos_;
    // Rows in blocks of kFilasBloque: nothing is moved as the listing grows.
    struct Bloque {
        std::unique_ptr<char[]> texto;
        std::unique_ptr<uint64_t[]> offsets; // bit 63: annulled
        std::unique_ptr<uint32_t[]> archivos;
    };
    std::vector<Bloque> bloques_;
    size_t filas_ = 0;
};

// The cells of a listing as its grid holds them: row 0 the titles, then a row per listed line
// (column 0 its offset, "-A" when annulled; the others its fields); with none, one empty row.
class CeldasListadas : public TFuenteCeldas {
public:
    CeldasListadas(FilasListadas filas, std::vector<uint32_t> listadas, std::vector<std::string> titulos)
        : filas_(std::move(filas)), listadas_(std::move(listadas)), titulos_(std::move(titulos)) {}
    int ColCount() const override { return static_cast<int>(titulos_.size()); }
    int RowCount() const override { return static_cast<int>(std::max<size_t>(listadas_.size(), 1)) + 1; }
    std::string_view Texto(int c, int r, std::string &aux) const override;

private:
    FilasListadas filas_;
    std::vector<uint32_t> listadas_;
    std::vector<std::string> titulos_;
};
