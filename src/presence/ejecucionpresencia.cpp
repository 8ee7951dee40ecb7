#include "presence/ejecucionpresencia.h"

#include "terminal/entradasalida.h"

int TLectorRejilla::Filas() const {
    return grid_ ? grid_->RowCount() : 1;
}

TRegistroPresencia TLectorRejilla::Lee(const QDate &dia, int fila, unsigned char modo,
                                       TContadoresIncidencia &c) {
    TRegistroPresencia r;
    r.SiguienteFila = fila;
    if (!grid_)
        return r;
    return BuscaEntradaSalida(*grid_, columnas_, {dia, fila, modo}, [&c](int codigo) {
        if (codigo >= 1 && codigo <= 255)
            ++c[static_cast<size_t>(codigo)];
    });
}

TEjecucionPresencia::TEjecucionPresencia(TEntradaPresencia entrada, std::optional<TOrigenFichajes> origen,
                                         TVentanasPresencia ventanas)
    : entrada_(std::move(entrada)), origen_(std::move(origen)), ventanas_(std::move(ventanas)) {
    if (origen_)
        Listado.Columnas = origen_->Columnas;
}

std::string TEjecucionPresencia::Ejecuta() {
    return EjecutaPresencia(entrada_, *this);
}

TLectorPares &TEjecucionPresencia::ListaFichajes(const std::string &busca) {
    Busca = busca;
    if (!origen_) {
        lector_ = std::make_unique<TLectorRejilla>(nullptr, TColumnasFichajes{});
        return *lector_;
    }
    // The employee's presence clockings of the day files, as another window reads them.
    TPeticionListado p;
    p.Desde = entrada_.Peticion.Desde;
    p.Hasta = entrada_.Peticion.Hasta;
    p.Terminales = origen_->Terminales;
    p.Tipo = ListadoPresencia;
    p.Busca = busca;
    p.Externa = true;
    p.Leidos = &leidos_;
    Listado = ::ListaFichajes(p, Fichajes, Listado.Columnas);
    lector_ = std::make_unique<TLectorRejilla>(&Fichajes, Listado.Columnas);
    return *lector_;
}

void TEjecucionPresencia::EditaIncidencias(const QDate &dia) {
    if (ventanas_.EditaIncidencias)
        ventanas_.EditaIncidencias(Busca, dia);
    leidos_.Olvida(); // the windows may have stored clockings
}

TEscritorInforme *TEjecucionPresencia::NuevoDocumento(const std::string &titulo, const std::string &archivo) {
    documentos_.push_back(std::make_unique<TInformeRTF>(titulo));
    documentos_.back()->FijaNombreArchivo(archivo);
    return documentos_.back().get();
}

void TEjecucionPresencia::TerminaDocumento(TEscritorInforme *d, bool mostrar) {
    for (auto it = documentos_.begin(); it != documentos_.end(); ++it)
        if (it->get() == d) {
            if (mostrar)
                (*it)->Muestra();
            documentos_.erase(it);
            return;
        }
}

void TEjecucionPresencia::AbreDocumento(const std::string &ruta) {
    if (ventanas_.AbreDocumento)
        ventanas_.AbreDocumento(ruta);
}
