#include "platform/stringgrid.h"

#include <algorithm>

StringGrid::StringGrid(int columnas, int filas)
    : columnas_(std::max(0, columnas)), filas_(std::max(0, filas)) {
    datos_.assign(static_cast<size_t>(columnas_), std::vector<std::string>(static_cast<size_t>(filas_)));
    ColWidths.assign(static_cast<size_t>(columnas_), 64);
}

void StringGrid::estructura() {
    if (fila_ >= filas_)
        fila_ = std::max(0, filas_ - 1);
    if (col_ >= columnas_)
        col_ = std::max(0, columnas_ - 1);
    if (AlCambiarEstructura)
        AlCambiarEstructura();
}

void StringGrid::FijaFuente(std::shared_ptr<const TFuenteCeldas> fuente) {
    copias_.clear();
    std::vector<std::vector<std::string>>().swap(datos_);
    fuente_ = std::move(fuente);
    if (fuente_) {
        columnas_ = std::max(0, fuente_->ColCount());
        filas_ = std::max(0, fuente_->RowCount());
    } else {
        datos_.assign(static_cast<size_t>(columnas_), std::vector<std::string>(static_cast<size_t>(filas_)));
    }
    ColWidths.resize(static_cast<size_t>(columnas_), 64);
    estructura();
}

void StringGrid::propias() {
    if (!fuente_)
        return;
    const std::shared_ptr<const TFuenteCeldas> fuente = std::move(fuente_); // leaves fuente_ empty
    copias_.clear();
    datos_.assign(static_cast<size_t>(columnas_), std::vector<std::string>(static_cast<size_t>(filas_)));
    std::string aux;
    for (int c = 0; c < columnas_; ++c)
        for (int r = 0; r < filas_; ++r)
            datos_[static_cast<size_t>(c)][static_cast<size_t>(r)] = fuente->Texto(c, r, aux);
}

void StringGrid::SetColCount(int n) {
    propias();
    n = std::max(0, n);
    columnas_ = n;
    if (static_cast<size_t>(n) > datos_.size()) // a new column has every row
        datos_.resize(static_cast<size_t>(n), std::vector<std::string>(static_cast<size_t>(filas_)));
    else
        datos_.resize(static_cast<size_t>(n));
    ColWidths.resize(static_cast<size_t>(n), 64);
    estructura();
}

void StringGrid::SetRowCount(int n) {
    propias();
    n = std::max(0, n);
    filas_ = n;
    for (auto &c : datos_)
        c.resize(static_cast<size_t>(n));
    estructura();
}

void StringGrid::SetRow(int r) {
    if (r < 0 || r >= filas_ || r == fila_)
        return;
    fila_ = r;
    if (AlCambiarSeleccion)
        AlCambiarSeleccion();
}

void StringGrid::SetCol(int c) {
    if (c < 0 || c >= columnas_ || c == col_)
        return;
    col_ = c;
    if (AlCambiarSeleccion)
        AlCambiarSeleccion();
}

const std::string &StringGrid::ColumnaConst::operator[](int fila) const {
    return g_->Celda(c_, fila);
}

const std::string &StringGrid::Celda(int c, int r) const {
    if (!dentro(c, r))
        return vacio_;
    if (fuente_) {
        const uint64_t clave = static_cast<uint64_t>(c) << 32 | static_cast<uint32_t>(r);
        auto [it, nueva] = copias_.try_emplace(clave);
        if (nueva) {
            std::string aux;
            it->second = fuente_->Texto(c, r, aux);
        }
        return it->second;
    }
    return datos_[static_cast<size_t>(c)][static_cast<size_t>(r)];
}

std::string_view StringGrid::Texto(int c, int r, std::string &aux) const {
    if (!dentro(c, r))
        return {};
    if (fuente_)
        return fuente_->Texto(c, r, aux);
    return datos_[static_cast<size_t>(c)][static_cast<size_t>(r)];
}

void StringGrid::SetCelda(int c, int r, const std::string &v) {
    if (!dentro(c, r))
        return;
    propias();
    datos_[static_cast<size_t>(c)][static_cast<size_t>(r)] = v;
    if (AlCambiarCelda)
        AlCambiarCelda(c, r);
}

std::vector<std::string> StringGrid::Fila(int r) const {
    std::vector<std::string> v;
    std::string aux;
    for (int c = 0; c < columnas_; ++c)
        v.emplace_back(Texto(c, r, aux));
    return v;
}

void StringGrid::SetFila(int r, const std::vector<std::string> &valores) {
    if (r < 0 || r >= filas_)
        return;
    propias();
    for (int c = 0; c < columnas_; ++c)
        datos_[static_cast<size_t>(c)][static_cast<size_t>(r)] =
            static_cast<size_t>(c) < valores.size() ? valores[static_cast<size_t>(c)] : std::string();
    if (AlCambiarEstructura)
        AlCambiarEstructura();
}

void StringGrid::InsertaFila(int r) {
    propias();
    r = std::clamp(r, 0, filas_);
    for (auto &c : datos_)
        c.insert(c.begin() + r, std::string());
    ++filas_;
    estructura();
}

void StringGrid::BorraFila(int r) {
    if (r < 0 || r >= filas_)
        return;
    propias();
    for (auto &c : datos_)
        c.erase(c.begin() + r);
    --filas_;
    estructura();
}

void StringGrid::Limpia() {
    propias();
    for (auto &c : datos_)
        for (auto &s : c)
            s.clear();
    if (AlCambiarEstructura)
        AlCambiarEstructura();
}
