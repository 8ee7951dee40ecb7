#include "production/ordenimpresa.h"

#include "platform/code39.h"
#include "platform/codepage.h"
#include "platform/numeros.h"
#include "production/obras.h"
#include "production/ordentrabajo.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <vector>

namespace {

constexpr int kTipoDocumento = 1; // a presence-kind document: printed portrait
constexpr int kAltoTexto = 16;    // pixels of the sheet's text on screen

int puntosDeAlto(int pixeles) {
    const QScreen *s = QGuiApplication::primaryScreen();
    const double ppp = s && s->logicalDotsPerInchY() > 0 ? s->logicalDotsPerInchY() : 96;
    return std::max(1, static_cast<int>(pixeles * 72 / ppp + 0.5));
}

// The heading line from the entry after its first five characters: type, number, "\t\t", date.
std::string lineaOrden(const std::string &entrada) {
    const std::string resto = entrada.substr(std::min<size_t>(5, entrada.size()));
    const size_t punto = std::min(resto.find('.'), resto.size());
    const size_t tab = std::max(punto, std::min(resto.find('\t'), resto.size()));
    const std::string tipo = punto < tab ? resto.substr(punto + 1, tab - punto - 1) : std::string();
    const std::string fecha = tab < resto.size() ? resto.substr(tab + 1) : std::string();
    return tipo + " " + resto.substr(0, punto) + "\t\t" + fecha;
}

void lineaCodigo(TInformeRTF &inf, const std::string &codigo, const std::string &texto) {
    TAtributos barras;
    barras.fuente = Code39::Fuente;
    inf.Atributos(barras);
    inf.Texto("\t\t" + Code39::ConInicioYFin(codigo) + "\t\t");
    inf.Atributos(TAtributos::Normal());
    inf.Linea(texto);
}

void cabecera(const TPeticionOrdenImpresa &p, int primera, TInformeRTF &inf) {
    const StringGrid &g = *p.Tareas;
    inf.Fuente(inf.Documento().defaultFont().family().toStdString(), puntosDeAlto(kAltoTexto));
    inf.Atributos(TAtributos::Color(ColorTitulo, true));
    inf.Linea(lineaOrden(p.Entrada));
    inf.Linea(p.Descripcion);
    inf.Linea(p.Cliente);
    inf.Linea();
    inf.Linea("ORDEN : " + g.Celda(2, primera));
    inf.Linea(Ansi("CARPETA Nº:") + g.Celda(1, primera));
    inf.Linea();
    TAtributos titulos = TAtributos::Normal();
    titulos.negrita = titulos.subrayado = true;
    inf.Atributos(titulos);
    inf.Linea(Ansi("\t\tCódigo\t\tCantidad\tTrabajo"));
    inf.Atributos(TAtributos::Normal());
    inf.Linea();
}

} // namespace

bool PeticionDeBloque(const StringGrid &tareas, int primera, int ultima, bool conCierre,
                      const std::string &directorio, TPeticionOrdenImpresa &p, std::string &error) {
    const int fila = std::max(primera + 1, 1);
    if (fila >= std::min(ultima, tareas.RowCount())) {
        error = "No hay trabajos seleccionados para imprimir.";
        return false;
    }
    const std::string nombre = NombreDeIdentidad(tareas.Celda(5, fila));
    TOrdenTrabajo orden;
    if (nombre.empty() || !LeeOrden(directorio + nombre, orden, error)) {
        if (nombre.empty())
            error = "No se encuentra la orden de la fila " + std::to_string(fila);
        return false;
    }
    p = TPeticionOrdenImpresa{&tareas,
                              primera,
                              ultima,
                              EntradaOrden(directorio, nombre),
                              TextoDescripcion(orden),
                              TextoCliente(orden),
                              conCierre};
    return true;
}

void EscribeOrdenImpresa(const TPeticionOrdenImpresa &p, TInformeRTF &inf) {
    inf.FijaTitulo(p.Entrada);
    inf.FijaTipo(kTipoDocumento);
    if (!p.Tareas)
        return;
    const StringGrid &g = *p.Tareas;
    const int primera = std::max(p.Primera + 1, 1);
    const int fin = std::min(p.Ultima, g.RowCount());
    std::vector<int> filas; // the rows whose code differs from the row above
    for (int r = primera; r < fin; ++r)
        if (LeeEntero(g.Celda(0, r)) != LeeEntero(g.Celda(0, r - 1)))
            filas.push_back(r);
    const int codigos = static_cast<int>(filas.size()) + (p.ConCierre ? 1 : 0);
    int quedan = codigos;
    auto separa = [&] {
        if (--quedan > 0)
            for (int i = codigos < 10 ? 4 : 3; i > 0; --i)
                inf.Linea();
    };
    cabecera(p, primera, inf);
    for (int r : filas) {
        lineaCodigo(inf, g.Celda(0, r), g.Celda(3, r) + "\t" + g.Celda(4, r));
        separa();
    }
    if (p.ConCierre && primera < fin) {
        lineaCodigo(inf, CodigoCierre(g.Celda(0, primera)), "1\tCerrar trabajo");
        separa();
    }
}

void ImprimeOrdenExecute(const TPeticionOrdenImpresa &p) {
    TInformeRTF inf;
    EscribeOrdenImpresa(p, inf);
    inf.Muestra();
}
