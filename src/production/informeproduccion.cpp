#include "production/informeproduccion.h"

#include "common/configuracion.h"
#include "platform/codepage.h"
#include "platform/numeros.h"
#include "platform/rutas.h"
#include "production/obras.h"

#include <algorithm>

namespace {

constexpr int kDocumentoProduccion = 2; // printed landscape
const char *const kFuente = "Lucida Console";
constexpr int kPuntos = 8;
// Besides the separators and control characters, what a file name may not hold.
const char *const kProhibidosNombre = ":*?\"<>|";

// Time and cost headings and totals stand over the rows' time and cost columns.
const std::string kSangriaObras = std::string("\t\t\t\t") + std::string(56, ' ') + "\t\t\t   ";
const size_t kSangriaEmpleados = 118;

void titulo(TInformeRTF &inf, const std::string &texto) {
    inf.Fuente(kFuente, kPuntos);
    inf.Atributos({ColorTotal, 10, true});
    inf.Linea("  " + texto);
}

void cabeceraBloque(TInformeRTF &inf, const std::string &texto) {
    inf.Atributos({ColorTitulo, 9, true});
    inf.Linea(texto);
}

void cabeceraColumnas(TInformeRTF &inf, const std::string &texto) {
    TAtributos a{ColorTotal, 0, true};
    a.subrayado = true;
    inf.Atributos(a);
    inf.Linea(texto);
    inf.Atributos(TAtributos::Normal());
}

bool presente(const std::string &s) {
    return s.size() >= 10;
}

// The by-order report, block by block.
class TInformeObras {
public:
    TInformeObras(const TPeticionInformeObras &p, TInformeRTF &inf) : p_(p), g_(*p.SG2), inf_(inf) {}

    void Escribe() {
        const int inicio = p_.Seleccionada ? std::max(p_.Primera + 1, 1) : 1;
        const int fin = p_.Seleccionada ? std::min(p_.Ultima, g_.RowCount()) : g_.RowCount();
        int r = inicio;
        while (r < fin && !g_.Celda(0, r).empty()) {
            const int ultima = p_.Seleccionada ? fin : std::min(BloqueIgual(g_, 5, r).Ultima, fin);
            bloque(r, ultima);
            r = ultima;
        }
        contadores();
    }

private:
    void bloque(int primera, int ultima) {
        const std::string nombre = NombreDeIdentidad(g_.Celda(5, primera));
        TOrdenTrabajo orden;
        std::string error;
        LeeOrden(p_.Directorio + nombre, orden, error);
        cabeceraBloque(inf_, "  Obra : " + g_.Celda(5, primera));
        inf_.Linea("  " + TextoDescripcion(orden));
        inf_.Linea("  " + TextoCliente(orden));
        inf_.Linea("  " + TextoFechaObra(p_.Directorio + nombre));
        inf_.Linea();
        for (int r = primera; r < ultima; ++r)
            fila(r, ultima);
        const TSumaBloque s = SumaBloque(g_, primera - 1, ultima);
        cabeceraColumnas(inf_, "      \t     \t" + std::string(62, ' ') +
                                   "\t\t   \t\t\tTiempo              Coste   ");
        inf_.Linea(kSangriaObras + TextoTiempoTotal(s.Minutos, p_.Horas) + std::string(12, ' ') +
                   TextoCosteTotal(s.Coste));
        inf_.Linea();
    }

    void carpeta(int r) {
        if (inf_.NombreArchivo().empty())
            inf_.FijaNombreArchivo(Configuracion().DirArchivosProd + "Obra-" +
                                   ParteNombreArchivo(g_.Celda(5, r), kProhibidosNombre) + "-" +
                                   ParteNombreArchivo(g_.Celda(1, r), kProhibidosNombre) + "-" +
                                   FechaNombreArchivo(p_.Fecha) + ".rtf");
        cabeceraBloque(inf_, "  " + Configuracion().RotuloCarpeta + "\t" + g_.Celda(1, r) + "\t\t" +
                                 Configuracion().RotuloOrden + "  " + g_.Celda(2, r));
        cabeceraColumnas(inf_, Ansi("  Código Cant.Trabajo                 Empleado                        "
                                    "Inicio\t\tFin\t\t\tTiempos     Costes         "));
    }

    void fila(int r, int ultima) {
        if (g_.Celda(1, r) != g_.Celda(1, r - 1))
            carpeta(r);
        const bool nueva = g_.Celda(0, r) != g_.Celda(0, r - 1);
        if (nueva)
            minutos_ = 0, coste_ = 0;
        const bool sigue = r + 1 < ultima && g_.Celda(0, r + 1) == g_.Celda(0, r);
        std::string tiempo, coste;
        if (!g_.Celda(9, r).empty()) {
            const double c = LeeDecimal(g_.Celda(10, r));
            coste_ += c;
            minutos_ += MinutosDeTexto(g_.Celda(9, r));
            tiempo = sigue ? std::string(6, ' ') : TextoTiempo(minutos_, p_.Horas);
            coste = sigue ? Formato("%6.2f", c) : Formato("%6.2f %7.2f ", c, coste_);
        }
        std::string fin = g_.Celda(8, r);
        QColor color = ColorNormal;
        if (!presente(fin)) {
            fin = "\t\t";
            color = g_.Celda(3, r) == "0" ? ColorGris : presente(g_.Celda(7, r)) ? ColorVerde : ColorFalta;
        }
        const std::string tarea =
            nueva ? g_.Celda(0, r) + " " + g_.Celda(3, r) + "\t" + Formato("%24.24s", g_.Celda(4, r).c_str())
                  : "\t  \t" + std::string(24, ' ');
        inf_.Atributos(TAtributos::Color(color));
        inf_.Linea(tarea + Formato("%32.32s", g_.Celda(6, r).c_str()) + g_.Celda(7, r) + " " + fin + tiempo +
                   coste);
        inf_.Atributos(TAtributos::Normal());
    }

    void contadores() {
        const TContadoresObra &c = p_.Contadores;
        const std::pair<const char *, int> lineas[] = {
            {"        Total obras : ", c.Obras},       {"        Trabajos    : ", c.Trabajos},
            {"        Finalizados : ", c.Finalizados}, {"        Pendientes  : ", c.Pendientes},
            {"        Sin iniciar : ", c.SinIniciar},  {"        En proceso  : ", c.EnProceso}};
        for (const auto &[texto, n] : lineas)
            inf_.Linea(texto + TextoContador(n));
        cabeceraColumnas(inf_, kSangriaObras + "Tiempo total           Coste total ");
        inf_.Linea(kSangriaObras + TextoTiempoTotal(c.Minutos, p_.Horas) + "\t" + std::string(9, ' ') +
                   TextoCosteTotal(c.Coste));
    }

    const TPeticionInformeObras &p_;
    const StringGrid &g_;
    TInformeRTF &inf_;
    int minutos_ = 0;
    double coste_ = 0;
};

void filaEmpleado(TInformeRTF &inf, const StringGrid &g, int r) {
    inf.Texto("  " + g.Celda(0, r) + " " + Formato("%7s", g.Celda(1, r).c_str()) + " " +
              Formato("%16.16s", g.Celda(2, r).c_str()) + Formato("%8s", g.Celda(3, r).c_str()) + " " +
              Formato("%24.24s", g.Celda(4, r).c_str()) + Formato("%-10s", g.Celda(5, r).c_str()) + " " +
              g.Celda(7, r) + " ");
    if (presente(g.Celda(8, r))) {
        inf.Texto(g.Celda(8, r));
    } else {
        inf.Atributos(TAtributos::Color(ColorVerde));
        inf.Texto("EN PROCESO        ");
        inf.Atributos(TAtributos::Normal());
    }
    inf.Linea("    " + g.Celda(9, r) + "   " + g.Celda(10, r));
}

void sumaEmpleados(TInformeRTF &inf, const std::string &rotulo, int minutos, double coste, bool horas) {
    const std::string valores = TextoTiempoTotal(minutos, horas) + " " + TextoCosteTotal(coste);
    cabeceraColumnas(inf, std::string(kSangriaEmpleados + 2, ' ') + "Tiempo    Coste  ");
    inf.Linea(std::string(kSangriaEmpleados - rotulo.size(), ' ') + rotulo + valores);
}

} // namespace

void EscribeInformeObras(const TPeticionInformeObras &p, TInformeRTF &inf) {
    const std::string t = p.Seleccionada ? p.Titulo + " - " + Configuracion().RotuloCarpeta + "  " : p.Titulo;
    inf.FijaTitulo(t);
    inf.FijaTipo(kDocumentoProduccion);
    titulo(inf, t);
    if (p.SG2)
        TInformeObras(p, inf).Escribe();
}

void ImprimeProdObrasExecute(const TPeticionInformeObras &p) {
    TInformeRTF inf;
    EscribeInformeObras(p, inf);
    inf.Muestra();
}

void EscribeInformeEmpleados(const TPeticionInformeEmpleados &p, TInformeRTF &inf) {
    inf.FijaTitulo(p.Titulo);
    inf.FijaTipo(kDocumentoProduccion);
    const std::string fechas = FechaNombreArchivo(p.Desde) + " a " + FechaNombreArchivo(p.Hasta) + ".rtf";
    if (p.Marcados == 1)
        inf.FijaNombreArchivo(Configuracion().DirArchivosProd + "Prod-" +
                              ParteNombreArchivo(p.Empleado, kProhibidosNombre) + " de " + fechas);
    else if (p.Marcados == p.Total && p.Total > 0)
        inf.FijaNombreArchivo(Configuracion().DirArchivosProd + "Prod-Todos de " + fechas);
    titulo(inf, p.Titulo);
    if (!p.SG3)
        return;
    const StringGrid &g = *p.SG3;
    for (int r = 1; r < g.RowCount() && presente(g.Celda(7, r));) {
        const TBloqueObra b = BloqueIgual(g, 6, r);
        cabeceraBloque(inf, "  Empleado : " + g.Celda(6, r));
        cabeceraColumnas(
            inf, Ansi("  Código   ") + Configuracion().RotuloCarpeta + " " + Configuracion().RotuloOrden +
                     "           Cantidad Trabajo                 " + Configuracion().RotuloObra +
                     "\t    Inicio             Fin                    Tiempo    Coste  ");
        for (; r < b.Ultima; ++r)
            filaEmpleado(inf, g, r);
        const TSumaBloque s = SumaBloque(g, b.Primera, b.Ultima);
        sumaEmpleados(inf, "", s.Minutos, s.Coste, p.Horas);
    }
    sumaEmpleados(inf, "Totales:", p.Totales.Minutos, p.Totales.Coste, p.Horas);
}

void ImprimeProdEmpleExecute(const TPeticionInformeEmpleados &p) {
    TInformeRTF inf;
    EscribeInformeEmpleados(p, inf);
    inf.Muestra();
}
