#include "production/obras.h"

#include "common/configuracion.h"
#include "platform/codepage.h"
#include "platform/numeros.h"
#include "platform/rutas.h"

#include <QDir>
#include <algorithm>
#include <cctype>

namespace {

// Days since 30 December 1899, as the order list sorts them.
double valorFecha(const QDateTime &f) {
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0), f.timeSpec()).msecsTo(f) / 86400000.0;
}

std::string minusculas(std::string s) {
    for (char &c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool mismoBloque(const StringGrid &g, int col, int a, int b) {
    if (g.Celda(col, a) != g.Celda(col, b))
        return false;
    return col != 1 || g.Celda(5, a) == g.Celda(5, b); // a folder never spans two orders
}

} // namespace

std::pair<std::string, int> PrefijoYNumero(const std::string &texto) {
    const size_t d = std::min(texto.find_first_of("0123456789"), texto.size());
    return {texto.substr(0, d), LeeEntero(texto.substr(d))};
}

int BuscaObra(const std::vector<std::string> &entradas, int desde, const std::string &texto) {
    const auto [prefijo, numero] = PrefijoYNumero(texto);
    for (int i = std::max(desde, 0); i < static_cast<int>(entradas.size()); ++i) {
        const std::string nombre = NombreEntrada(entradas[static_cast<size_t>(i)]);
        if (nombre.size() > 10 && nombre.compare(10, prefijo.size(), prefijo) == 0 &&
            LeeEntero(nombre.substr(5)) == numero)
            return i;
    }
    return -1;
}

int BuscaCarpeta(const std::vector<std::string> &entradas, int desde, const std::string &texto,
                 const std::string &directorio) {
    const int carpeta = PrefijoYNumero(texto).second;
    for (int i = std::max(desde, 0); i < static_cast<int>(entradas.size()); ++i) {
        TOrdenTrabajo orden;
        std::string error;
        if (!LeeOrden(directorio + NombreEntrada(entradas[static_cast<size_t>(i)]), orden, error))
            continue;
        for (const TFilaOrden &f : orden.Filas)
            if (LeeEntero(f.Carpeta) == carpeta)
                return i;
    }
    return -1;
}

std::string EntradaOrden(const std::string &directorio, const std::string &nombre) {
    return nombre + "\t" + TextoFechaOrden(FechaOrden(directorio + nombre));
}

std::vector<std::string> ListaOrdenes(const std::string &directorio) {
    std::vector<std::pair<std::string, std::string>> claves;
    const QDir dir(RutaQ(directorio.empty() ? "." : directorio));
    for (const QFileInfo &f : dir.entryInfoList(QDir::Files)) {
        const std::string entrada = EntradaOrden(directorio, RutaDeQ(f.fileName()));
        claves.emplace_back(minusculas(Formato("%5.2f", valorFecha(f.lastModified())) + entrada), entrada);
    }
    std::sort(claves.begin(), claves.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    std::vector<std::string> r;
    for (const auto &c : claves)
        r.push_back(c.second);
    return r;
}

std::string NombreEntrada(const std::string &entrada) {
    return entrada.substr(0, entrada.find('\t'));
}

std::string TipoDeNombre(const std::string &nombre) {
    const size_t punto = nombre.find('.');
    return punto == std::string::npos ? std::string() : nombre.substr(punto + 1);
}

std::string IdentidadOrden(const std::string &nombre) {
    const size_t raya = nombre.find('_');
    const std::string anio = nombre.substr(0, raya);
    const std::string numero =
        raya == std::string::npos ? std::string() : nombre.substr(raya + 1, nombre.find('.') - raya - 1);
    return Formato("%s %4.4s %4.4s", TipoDeNombre(nombre).c_str(), numero.c_str(), anio.c_str());
}

std::string NombreDeIdentidad(const std::string &identidad) {
    const size_t n = identidad.size();
    if (n < 10)
        return "";
    return identidad.substr(n - 4) + "_" + identidad.substr(n - 9, 4) + "." + identidad.substr(0, n - 10);
}

void TitulosPorObra(StringGrid &g) {
    g.SetColCount(11);
    g.SetFila(0, {Ansi("Código"), Configuracion().RotuloCarpeta, Configuracion().RotuloOrden, "Cantidad",
                  "Trabajo", Configuracion().RotuloObra, Configuracion().RotuloEmpleado, "Inicio", "Fin",
                  "Tiempo", "Coste"});
}

void AnadeTareas(StringGrid &g, const std::string &nombre, const TOrdenTrabajo &orden) {
    const std::string identidad = IdentidadOrden(nombre);
    for (const TFilaOrden &f : orden.Filas) {
        const int r = g.RowCount();
        g.SetRowCount(r + 1);
        g.SetFila(r, {f.Codigo, f.Carpeta, f.Pieza, f.Cantidad, f.Trabajo, identidad, "", "", "", "", ""});
    }
}

std::string TextoDescripcion(const TOrdenTrabajo &orden) {
    return Configuracion().RotuloDescripcion + " : " + orden.Descripcion;
}

std::string TextoCliente(const TOrdenTrabajo &orden) {
    return Configuracion().RotuloCliente + " : " + orden.Cliente;
}

std::string TextoFechaObra(const std::string &ruta) {
    return "Fecha       : " + TextoFechaOrden(FechaOrden(ruta));
}

TBloqueObra BloqueObra(const StringGrid &g, int col, int fila) {
    if (fila < 1 || fila >= g.RowCount() || col == 8 || col == 9)
        return TBloqueObra{fila - 1, fila + 1, false};
    TBloqueObra b = BloqueIgual(g, col == 1 || col == 2 ? 1 : col == 5 ? 5 : 0, fila);
    b.Carpeta = col == 1 || col == 2;
    return b;
}

TBloqueObra BloqueIgual(const StringGrid &g, int comparada, int fila) {
    TBloqueObra b{fila - 1, fila + 1, false};
    if (fila < 1 || fila >= g.RowCount())
        return b;
    while (b.Primera >= 1 && mismoBloque(g, comparada, b.Primera, fila))
        --b.Primera;
    while (b.Ultima < g.RowCount() && mismoBloque(g, comparada, b.Ultima, fila))
        ++b.Ultima;
    return b;
}
