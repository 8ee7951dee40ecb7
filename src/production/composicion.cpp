#include "production/composicion.h"

#include "common/configuracion.h"
#include "platform/codepage.h"
#include "platform/numeros.h"

#include <algorithm>

std::string TParteOrden::Etiqueta() const {
    return Nombre + "-" + std::to_string(Numero);
}

TComposicion::TComposicion() {
    Limpia();
}

void TComposicion::Limpia() {
    SG1.SetRowCount(1);
    SG1.SetFila(0, {Ansi("Código"), Configuracion().RotuloCarpeta, Configuracion().RotuloOrden, "Cantidad",
                    "Trabajo"});
    NumeroOrdenActual.clear();
    SinNumeracion = 0;
    Ruta.clear();
    partes_.clear();
    duenos_.assign(1, 0);
}

void TComposicion::Inicia(const TNumeracion &numeracion, const std::string &directorio) {
    Limpia();
    NumeroOrdenActual = numeracion.Numero;
    SinNumeracion = numeracion.SinNumeracion ? 1 : 0;
    Ruta = directorio + numeracion.Archivo;
}

void TComposicion::Amplia(const std::string &numero, const std::string &ruta, const StringGrid &porObra) {
    Limpia();
    NumeroOrdenActual = numero;
    Ruta = ruta;
    for (int r = 1; r < porObra.RowCount(); ++r) {
        if (r > 1 && porObra.Celda(0, r) == porObra.Celda(0, r - 1))
            continue;
        const int f = SG1.RowCount();
        SG1.SetRowCount(f + 1);
        for (int c = 0; c < 5; ++c)
            SG1.SetCelda(c, f, porObra.Celda(c, r));
        duenos_.push_back(0);
    }
}

int TComposicion::SiguienteNumero(const std::string &nombre) const {
    for (auto p = partes_.rbegin(); p != partes_.rend(); ++p)
        if (p->Nombre == nombre)
            return p->Numero + 1;
    return 0;
}

const TParteOrden *TComposicion::Parte(int id) const {
    for (const TParteOrden &p : partes_)
        if (p.Id == id)
            return &p;
    return nullptr;
}

int TComposicion::UltimaInstancia(const std::string &nombre) const {
    for (auto p = partes_.rbegin(); p != partes_.rend(); ++p)
        if (p->Nombre == nombre)
            return p->Id;
    return 0;
}

bool TComposicion::AnadeParte(const std::string &nombre, int numero, const std::vector<std::string> &tareas,
                              const std::string &carpeta, int &id, std::string &error) {
    if (Filas() + static_cast<long>(tareas.size()) > MaxFilasOrden) {
        error = Formato(Ansi("Una orden no puede tener más de %d trabajos.").c_str(), MaxFilasOrden);
        return false;
    }
    TParteOrden p{siguienteId_++, nombre, numero, static_cast<int>(tareas.size())};
    for (const std::string &t : tareas) {
        const int f = SG1.RowCount();
        SG1.SetRowCount(f + 1);
        SG1.SetFila(f, {"", carpeta, p.Etiqueta(), "1", t});
        duenos_.push_back(p.Id);
    }
    partes_.push_back(p);
    id = p.Id;
    renumera();
    return true;
}

bool TComposicion::EliminaParte(int id, std::string &carpeta) {
    auto p = std::find_if(partes_.begin(), partes_.end(), [id](const TParteOrden &x) { return x.Id == id; });
    if (p == partes_.end())
        return false;
    carpeta.clear();
    for (int r = SG1.RowCount() - 1; r >= 1; --r)
        if (duenos_[static_cast<size_t>(r)] == id) {
            carpeta = SG1.Celda(1, r);
            SG1.BorraFila(r);
            duenos_.erase(duenos_.begin() + r);
        }
    partes_.erase(p);
    renumera();
    return true;
}

bool TComposicion::CarpetaUsada(int f) const {
    for (int r = 1; r < SG1.RowCount(); ++r)
        if (LeeEntero(SG1.Celda(1, r)) == f)
            return true;
    return false;
}

int TComposicion::CarpetaLibre(int f) const {
    while (CarpetaUsada(f))
        ++f;
    return f;
}

bool TComposicion::CeldaElegible(int col, int fila) const {
    if (fila < 1 || fila >= SG1.RowCount())
        return false;
    return col == 3 || (col == 1 && (fila == 1 || SG1.Celda(2, fila) != SG1.Celda(2, fila - 1)));
}

void TComposicion::CarpetaEditada(int fila) {
    for (int r = fila + 1; r < SG1.RowCount() && SG1.Celda(2, r) == SG1.Celda(2, fila); ++r)
        SG1.SetCelda(1, r, SG1.Celda(1, fila));
}

TOrdenTrabajo TComposicion::Orden(const std::string &descripcion, const std::string &cliente) const {
    TOrdenTrabajo o{descripcion, cliente, {}};
    for (int r = 1; r < SG1.RowCount(); ++r)
        o.Filas.push_back(
            {SG1.Celda(0, r), SG1.Celda(1, r), SG1.Celda(2, r), SG1.Celda(3, r), SG1.Celda(4, r)});
    return o;
}

void TComposicion::renumera() {
    for (int r = 1; r < SG1.RowCount(); ++r)
        if (duenos_[static_cast<size_t>(r)] != 0)
            SG1.SetCelda(0, r, CodigoTarea(NumeroOrdenActual, r));
}
