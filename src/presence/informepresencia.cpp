#include "presence/informepresencia.h"

#include "common/configuracion.h"
#include "common/globales.h"
#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/lineas.h"
#include "platform/numeros.h"
#include "platform/rutas.h"
#include "presence/incidencias.h"

#include <algorithm>
#include <map>

namespace {

// The day map of the employee being computed, loaded (or created) when the calendar or the year
// changes.
class TDiasCargados {
public:
    // Schedule code of a day for a calendar (255: none).
    int CodigoDia(int calendario, const QDate &dia);
    // The next day asked for loads its map again.
    void Olvida() { CalendarioCargado = -1; }

private:
    TDiasCalendario TablaDiasCalendario = DiasVacios();
    int AnoCalendario = 0;
    int CalendarioCargado = -1;
};

int TDiasCargados::CodigoDia(int calendario, const QDate &dia) {
    if (calendario != CalendarioCargado || dia.year() != AnoCalendario) {
        const std::string ruta = Configuracion().DirDatos + NombreDiasCalendario(dia.year(), calendario);
        // A missing map is created empty; one that exists but cannot be read is left alone.
        if (!LeeDiasCalendario(ruta, TablaDiasCalendario) && !ExisteArchivo(ruta))
            GuardaDiasCalendario(ruta, TablaDiasCalendario);
        CalendarioCargado = calendario;
        AnoCalendario = dia.year();
    }
    const int i = IndiceDia(dia);
    return i >= 0 && i < static_cast<int>(TablaDiasCalendario.size())
               ? TablaDiasCalendario[static_cast<size_t>(i)]
               : 255;
}

std::string Periodo(const QDate &desde, const QDate &hasta) {
    return " desde " + TextoDia(desde) + " hasta " + TextoDia(hasta) + " ";
}

std::string CabeceraHorario(const THorarioDia &h) {
    std::string s = h.Nombre;
    for (const TTramoDia &t : h.Tramos)
        s += t.Cortesia ? "Entra C\tSale\t" : "Entra \tSale\t";
    return s;
}

std::string HorasEsperadas(const THorarioDia &h) {
    std::string s = "\t\t";
    for (const TTramoDia &t : h.Tramos) {
        if (t.Cortesia)
            s += Formato("%02d:%02d %d\t%02d:%02d\t", t.Inicio / 60, t.Inicio % 60, t.Cortesia, t.Fin / 60,
                         t.Fin % 60);
        else
            s += Formato("%02d:%02d\t%02d:%02d\t", t.Inicio / 60, t.Inicio % 60, t.Fin / 60, t.Fin % 60);
    }
    return s;
}

QColor ColorTipo(const std::vector<TTipoHoraPres> &tipos, int tipo) {
    if (tipo < 0 || tipo >= static_cast<int>(tipos.size()))
        return ColorNegro;
    return ColorWindows(static_cast<int>(tipos[static_cast<size_t>(tipo)].Color));
}

// One bar per 5 minutes; what is left over goes on with the next piece of the line.
void Barras(TEscritorInforme &g, int minutos, int &resto) {
    const int total = std::max(0, minutos) + resto;
    resto = total % 5;
    if (total / 5 > 0)
        g.Texto(std::string(static_cast<size_t>(total / 5), '|'));
}

class Ejecucion {
public:
    Ejecucion(const TEntradaPresencia &in, TServiciosPresencia &s) : in_(in), s_(s), p_(in.Peticion) {}
    std::string Ejecuta();

private:
    const TIndiceIncidencias &Incidencias(int anio) {
        auto it = incidencias_.find(anio);
        if (it == incidencias_.end()) {
            std::vector<std::string> lineas;
            CargaIncidencias(anio, lineas);
            it = incidencias_.emplace(anio, TIndiceIncidencias(lineas)).first;
        }
        return it->second;
    }
    const THorarioDia &Horario(int codigo) {
        auto it = horarios_.find(codigo);
        if (it == horarios_.end())
            it = horarios_.emplace(codigo, PreparaHorario(codigo, in_.Maestros)).first;
        return it->second;
    }
    // The employee's report (none in "Resumen"; the summary is opened with the first employee).
    TEscritorInforme *Documento(const std::string &item, bool primero);
    void Empleado(const std::string &item, bool primero);
    void EscribeDia(TEscritorInforme &d, const THorarioDia &h, const TResultadoDia &r, int previo);
    void DibujaDia(TEscritorInforme &g, const THorarioDia &h, const TResultadoDia &r, int previo);
    std::vector<std::string> LineasCodigos(const TResultadoDia &r) const;

    const TEntradaPresencia &in_;
    TServiciosPresencia &s_;
    const PeticionPresencia &p_;
    std::map<int, TIndiceIncidencias> incidencias_; // by year, read once per run
    std::map<int, THorarioDia> horarios_;
    TDiasCargados dias_;
    TTotalesRun run_;
    std::string texto_;
    TEscritorInforme *resumen_ = nullptr;
};

std::vector<std::string> Ejecucion::LineasCodigos(const TResultadoDia &r) const {
    std::vector<std::string> lineas;
    if (!in_.TiposIncidencia)
        return lineas;
    const StringGrid &g = *in_.TiposIncidencia;
    for (int c = 1; c <= 255; ++c) {
        const int n = r.ContadorIncidencias[static_cast<size_t>(c)];
        if (n == 0)
            continue;
        for (int f = 1; f < g.RowCount(); ++f)
            if (LeeEntero(g.Cells[0][f]) == c)
                lineas.push_back("(" + std::to_string(n) + ") " + g.Cells[1][f] + " *" + g.Cells[2][f]);
    }
    return lineas;
}

void Ejecucion::EscribeDia(TEscritorInforme &d, const THorarioDia &h, const TResultadoDia &r, int previo) {
    if (r.Codigo != previo) {
        if (r.Codigo != 0) {
            d.Estilo(false, true);
            d.Color(ColorVerde);
            d.Linea(CabeceraHorario(h));
            d.Color(ColorAzul);
            d.Linea(HorasEsperadas(h));
        }
        d.Color(ColorNegro);
        d.Linea("");
    }
    d.Estilo(false, true);
    d.Color(ColorVerde);
    d.Linea(CabeceraHorario(h));
    if (r.Codigo == 0)
        d.Color(ColorRojo);
    d.Tamano(10);
    for (const std::string &l : r.Lineas)
        d.Linea(l);
    if (!r.TextoIncidencia.empty()) {
        d.Estilo(true, false);
        d.Color(r.ColorTexto);
        d.Linea(r.TextoIncidencia);
    }
    const std::vector<std::string> codigos = LineasCodigos(r);
    if (!codigos.empty()) {
        d.Estilo(true, false);
        d.Color(ColorVerde);
        for (const std::string &l : codigos)
            d.Linea(l);
    }
    if (r.Codigo != 0 || !r.Pares.empty()) {
        const std::vector<TTipoHoraPres> &tipos = in_.Maestros.Tipos;
        std::string cabecera = "\t\tH.Teor\tH.Trab\tS.Dia\tS.Total";
        for (size_t t = 1; t < tipos.size(); ++t)
            cabecera += "\t" + tipos[t].Nombre.substr(0, 7);
        d.Estilo(false, true);
        d.Color(ColorMarino);
        d.Linea(cabecera);
        d.Linea(LineaCifrasDia(r, tipos.size()));
    }
    d.Linea("");
}

void Ejecucion::DibujaDia(TEscritorInforme &g, const THorarioDia &h, const TResultadoDia &r, int previo) {
    const std::vector<TTipoHoraPres> &tipos = in_.Maestros.Tipos;
    int resto = 0;
    if (r.Codigo != previo) {
        g.Tamano(5);
        g.Texto("\t\t");
        for (int i = 0; i < 25; ++i) {
            g.Color(ColorNegro);
            g.Texto("|");
            g.Color(ColorBlanco);
            g.Texto(std::string(11, '|'));
        }
        g.Color(ColorAzul);
        g.Tamano(9);
        g.Texto(h.Nombre);
        g.FinLinea();
        g.Tamano(5);
        g.Texto("\t\t");
        for (const TBandaHorario &b : h.Limites) {
            if (b.Tipo == 0)
                continue;
            g.Color(ColorTipo(tipos, b.Tipo));
            Barras(g, b.Minutos, resto);
        }
        g.FinLinea();
    }
    resto = 0;
    g.Color(ColorNegro);
    g.Tamano(10);
    g.Texto(CabeceraDiaListado(r.Dia));
    g.Tamano(5);
    int anterior = 0;
    for (const TParDia &par : r.Pares) {
        g.Color(ColorBlanco);
        Barras(g, par.Entrada - anterior, resto);
        for (const TPiezaPar &pieza : par.Piezas) {
            g.Color(ColorTipo(tipos, pieza.Tipo));
            Barras(g, pieza.Minutos, resto);
        }
        anterior = par.Salida;
    }
    if (r.Pares.empty()) {
        g.Color(ColorNegro);
        g.Texto(std::string(288, '|'));
    }
    if (r.UltimoPresente) {
        g.Color(ColorNegro);
        g.Tamano(10);
        g.Texto("-->");
    }
    g.FinLinea();
    if (!r.TextoIncidencia.empty()) {
        g.Tamano(10);
        g.Color(r.ColorTexto);
        g.Linea(r.TextoIncidencia);
    }
}

TEscritorInforme *Ejecucion::Documento(const std::string &item, bool primero) {
    const int tipo = p_.TipoListado;
    if (tipo != ListadoResumen) {
        const std::string titulo = "Listado de presencia   de " + item + Periodo(p_.Desde, p_.Hasta);
        TEscritorInforme *doc = s_.NuevoDocumento(
            item, Configuracion().DirArchivosPres + ParteNombreArchivo(item) + " de " +
                      FechaNombreArchivo(p_.Desde) + " a " + FechaNombreArchivo(p_.Hasta) + ".rtf");
        doc->Estilo(true, false);
        doc->Color(ColorAzul);
        doc->Tamano(16);
        doc->Linea("");
        doc->Linea(titulo);
        doc->Linea("");
        if (!texto_.empty())
            texto_ += "\r\n" + std::string(70, '-') + "\r\n";
        texto_ += "Listado de incidencias de " + item + Periodo(p_.Desde, p_.Hasta) + "\r\n\r\n";
        return doc;
    }
    if (primero) {
        const std::string titulo = "Resumen de presencia" + Periodo(p_.Desde, p_.Hasta);
        resumen_ = s_.NuevoDocumento(titulo, Configuracion().DirArchivosPres + "Resumen " +
                                                 FechaNombreArchivo(p_.Desde) + " a " +
                                                 FechaNombreArchivo(p_.Hasta) + ".rtf");
        resumen_->Linea("");
        resumen_->Estilo(true, false);
        resumen_->Color(ColorAzul);
        resumen_->Tamano(16);
        resumen_->Linea(titulo);
        texto_ += titulo + "\r\n";
    }
    return nullptr;
}

void Ejecucion::Empleado(const std::string &item, bool primero) {
    const int tipo = p_.TipoListado;
    const bool grafico = p_.IncluirGrafico && tipo != ListadoResumen;
    TEscritorInforme *doc = Documento(item, primero);

    const size_t blanco = item.find(' ');
    TLectorPares &lector = s_.ListaFichajes(blanco == std::string::npos ? item : item.substr(0, blanco + 1));
    TEmpleadoPresencia e;
    e.Item = item;
    e.Numero = LeeEntero(item);
    e.MinimoExtra = MinimoExtraEmpleado(e.Numero);
    int calendario = 0;
    std::vector<double> incrementos;
    const bool conFila = in_.Empleados && DatosEmpleado(*in_.Empleados, e.Numero, calendario, incrementos);
    dias_.Olvida();

    TInformeRTF grafica; // written aside, copied after the totals
    if (grafico) {
        grafica.Estilo(false, false);
        grafica.Color(ColorMarino);
        grafica.Tamano(14);
        grafica.Linea("Trabajador " + item);
    }
    int previo = -1; // no schedule has it: the first day always gets its header
    for (QDate d = p_.Desde; d.isValid() && p_.Hasta.isValid() && d <= p_.Hasta; d = d.addDays(1)) {
        const int codigo = conFila ? dias_.CodigoDia(calendario, d) : 255;
        const THorarioDia &h = Horario(codigo);
        TResultadoDia r = CalculaPares(d, h, in_.Maestros, e, in_.Opciones, lector);
        if (r.FaltaSalida && p_.PararSiIncidencia)
            Dialogos::MuestraMensaje("Faltan fichajes en el listado de " + item + " el dia " + TextoDia(d) +
                                     " ");
        AplicaIncidencias(r, Incidencias(d.year()), e);
        if (r.NoJustificado && tipo != ListadoResumen && p_.PararSiIncidencia) {
            s_.EditaIncidencias(d);
            incidencias_.erase(d.year()); // computed again from the file as the editor left it
            AplicaIncidenciasEditadas(r, Incidencias(d.year()), e);
        }
        CierraDia(r, e, in_.Opciones);
        texto_ += r.TextoInforme;
        if (doc)
            EscribeDia(*doc, h, r, previo);
        if (grafico)
            DibujaDia(grafica, h, r, previo);
        previo = codigo;
    }

    if (tipo == ListadoDetallado) {
        EscribeTotalesEmpleado(*doc, e, incrementos, in_.Maestros.Tipos, run_);
    } else if (tipo == ListadoResumen) {
        resumen_->Linea("");
        resumen_->Estilo(true, false);
        resumen_->Color(ColorNegro);
        resumen_->Tamano(12);
        resumen_->Linea(item);
        resumen_->Linea("");
        EscribeTotalesEmpleado(*resumen_, e, incrementos, in_.Maestros.Tipos, run_);
    }
    if (doc) {
        if (grafico)
            grafica.Reproduce(*doc);
        s_.TerminaDocumento(doc, !p_.ModoIncidencias);
    }
}

std::string Ejecucion::Ejecuta() {
    if (p_.Empleados.empty()) {
        ModoIncidencias = 0;
        return "";
    }
    bool primero = true;
    for (const std::string &item : p_.Empleados) {
        Empleado(item, primero);
        primero = false;
    }
    if (resumen_) {
        EscribeTotalesResumen(*resumen_, in_.Maestros.Tipos, run_);
        s_.TerminaDocumento(resumen_, !p_.ModoIncidencias);
    }
    std::replace(texto_.begin(), texto_.end(), '\t', ' ');
    // Written and opened by one name.
    const std::string archivo = NombreInformeIncidencias;
    if (!GuardaBytes(archivo, texto_))
        Dialogos::Error("No se pudo escribir el archivo de incidencias " + archivo);
    else if (p_.ModoIncidencias)
        s_.AbreDocumento(archivo);
    ModoIncidencias = 0;
    return texto_;
}

} // namespace

bool DatosEmpleado(const StringGrid &empleados, int numero, int &calendario,
                   std::vector<double> &incrementos) {
    bool hallado = false;
    for (int f = 1; f < empleados.RowCount(); ++f) {
        if (LeeEntero(empleados.Cells[0][f]) != numero)
            continue;
        hallado = true;
        calendario = LeeEntero(empleados.Cells[10][f]) & 0xFF;
        incrementos.clear();
        const std::string &texto = empleados.Cells[11][f];
        for (size_t pos = 0, blanco; (blanco = texto.find(' ', pos)) != std::string::npos; pos = blanco + 1)
            incrementos.push_back(LeeDecimal(texto.substr(pos, blanco - pos)));
    }
    return hallado;
}

int MinimoExtraEmpleado(int numero) {
    std::vector<std::string> lineas;
    if (!LeeLineas(Configuracion().DirDatos + "empleado." + std::to_string(numero), lineas) ||
        lineas.size() < 19)
        return 0;
    const int v = LeeEntero(lineas[18]);
    return v <= 1 ? 0 : v;
}

std::string EjecutaPresencia(const TEntradaPresencia &entrada, TServiciosPresencia &s) {
    return Ejecucion(entrada, s).Ejecuta();
}
