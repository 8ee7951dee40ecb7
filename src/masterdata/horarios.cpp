#include "masterdata/horarios.h"

#include "masterdata/empleados.h"
#include "platform/lineas.h"
#include "platform/numeros.h"

#include <algorithm>
#include <cctype>

namespace {

// Fills a grid from records of n lines starting at a row; a short last record is padded.
void llenaRegistros(StringGrid &g, int primeraFila, int n, const std::vector<std::string> &lineas) {
    const int registros =
        static_cast<int>((lineas.size() + static_cast<size_t>(n) - 1) / static_cast<size_t>(n));
    g.SetRowCount(primeraFila + registros);
    for (int r = 0; r < registros; ++r) {
        std::vector<std::string> fila;
        for (int k = 0; k < n; ++k) {
            size_t i = static_cast<size_t>(r * n + k);
            fila.push_back(i < lineas.size() ? lineas[i] : std::string());
        }
        g.SetFila(primeraFila + r, fila);
    }
}

std::vector<std::string> lineasDeRegistros(const StringGrid &g, int primeraFila, int n) {
    std::vector<std::string> lineas;
    for (int r = primeraFila; r < g.RowCount(); ++r)
        for (int c = 0; c < n; ++c)
            lineas.push_back(g.Celda(c, r));
    return lineas;
}

// Reads a signed decimal integer at pos (after blanks); false when there is none.
bool leeNumero(const std::string &s, size_t &pos, int &valor) {
    while (pos < s.size() && s[pos] == ' ')
        ++pos;
    size_t inicio = pos;
    if (pos < s.size() && (s[pos] == '-' || s[pos] == '+'))
        ++pos;
    size_t digitos = pos;
    while (pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos])))
        ++pos;
    if (pos == digitos || pos - digitos > 9)
        return false;
    valor = LeeEntero(s.substr(inicio, pos - inicio));
    return true;
}

} // namespace

std::vector<std::string> TiposHoraPorDefecto() {
    return {"Cortesia", "0", "0", "0", "Presencia", "0", "0", "65280"};
}

std::vector<std::string> JornadasPorDefecto() {
    return {"0", "Festivo", " 1440 5"};
}

std::vector<std::string> LlenaTiposHora(StringGrid &sg3, const std::vector<std::string> &lineas) {
    sg3.SetColCount(4);
    llenaRegistros(sg3, 1, LineasTipoHora, lineas);
    sg3.SetFila(0, {"Tipos de horas", "Precio", "Modo", "Color"});
    return NombresTiposHora(sg3);
}

std::vector<std::string> CargaTiposHora(StringGrid &sg3, const std::string &ruta) {
    std::vector<std::string> lineas;
    if (!LeeLineas(ruta, lineas))
        lineas = TiposHoraPorDefecto();
    return LlenaTiposHora(sg3, lineas);
}

std::vector<std::string> LineasTiposHora(const StringGrid &sg3) {
    return lineasDeRegistros(sg3, 1, LineasTipoHora);
}

std::vector<std::string> NombresTiposHora(const StringGrid &sg3) {
    std::vector<std::string> nombres;
    for (int r = 1; r < sg3.RowCount(); ++r)
        nombres.push_back(sg3.Celda(0, r));
    return nombres;
}

void LlenaJornadas(StringGrid &sg1, const std::vector<std::string> &lineas) {
    sg1.SetColCount(3);
    llenaRegistros(sg1, 0, LineasJornada, lineas);
    if (sg1.RowCount() == 0) // the grid always keeps one row
        sg1.SetRowCount(1);
}

void CargaJornadas(StringGrid &sg1, const std::string &ruta) {
    std::vector<std::string> lineas;
    if (!LeeLineas(ruta, lineas))
        lineas = JornadasPorDefecto();
    LlenaJornadas(sg1, lineas);
}

std::vector<std::string> LineasJornadas(const StringGrid &sg1) {
    return lineasDeRegistros(sg1, 0, LineasJornada);
}

int NormalizaPrecios(StringGrid &sg3) {
    for (int r = 1; r < sg3.RowCount(); ++r) {
        if (!CosteValido(sg3.Celda(1, r)))
            return r;
        sg3.SetCelda(1, r, NormalizaCoste(sg3.Celda(1, r)));
    }
    return -1;
}

bool CodigoJornadaValido(const std::string &texto, int &codigo) {
    int v = 0;
    if (!EnteroValido(texto, v) || v < 0 || v > MaxCodigoJornada)
        return false;
    codigo = v;
    return true;
}

int PrimeraJornadaInvalida(const StringGrid &sg1) {
    int codigo = 0;
    for (int r = 0; r < sg1.RowCount(); ++r)
        if (!CodigoJornadaValido(sg1.Celda(0, r), codigo))
            return r;
    return -1;
}

int BorraJornada(StringGrid &sg1, int fila) {
    if (sg1.RowCount() > 1 && fila >= 0 && fila < sg1.RowCount())
        sg1.BorraFila(fila);
    return std::clamp(fila, 0, std::max(0, sg1.RowCount() - 1));
}

namespace {
// The bands up to the first malformed one; false when that one has minutes outside the day.
bool leeTramos(const std::string &bandas, std::vector<TTramoJornada> &tramos) {
    size_t pos = 0;
    TTramoJornada t;
    while (leeNumero(bandas, pos, t.Minutos) && leeNumero(bandas, pos, t.Tipo)) {
        if (t.Minutos < 0 || t.Minutos > MinutosDia)
            return false;
        tramos.push_back(t);
    }
    return true;
}
} // namespace

std::vector<TTramoJornada> LeeTramos(const std::string &bandas) {
    std::vector<TTramoJornada> tramos;
    leeTramos(bandas, tramos);
    return tramos;
}

int PrimeraJornadaFueraDeRango(const StringGrid &sg1) {
    std::vector<TTramoJornada> tramos;
    for (int r = 0; r < sg1.RowCount(); ++r)
        if (!leeTramos(sg1.Celda(2, r), tramos))
            return r;
    return -1;
}

std::string AnadeTramo(const std::string &bandas, int minutos, int tipo) {
    return bandas + Formato(" %d %d", minutos, tipo);
}

std::string QuitaUltimoTramo(const std::string &bandas) {
    int blancos = 0;
    for (size_t i = bandas.size(); i-- > 0;)
        if (bandas[i] == ' ' && ++blancos == 2)
            return bandas.substr(0, i);
    return "";
}

std::string HoraMinutos(int minutos) {
    return Formato("%02d:%02d", minutos / 60, minutos % 60);
}

LineaTiempo CalculaLineaTiempo(const std::string &bandas, const std::vector<std::string> &nombres) {
    LineaTiempo lt;
    int inicio = 0;
    for (const TTramoJornada &b : LeeTramos(bandas)) {
        TramoDia t;
        t.Inicio = inicio;
        t.Minutos = b.Minutos;
        t.Tipo = b.Tipo;
        t.Fin = inicio + b.Minutos;
        t.Error = b.Tipo < 0 || b.Tipo >= static_cast<int>(nombres.size());
        t.Etiqueta = HoraMinutos(t.Inicio) + " " + HoraMinutos(t.Fin) + " " +
                     (t.Error ? std::string("ERROR") : nombres[static_cast<size_t>(b.Tipo)]);
        lt.HayError = lt.HayError || t.Error;
        int fin = t.Fin;
        if (fin / 60 == 24)
            fin -= MinutosDia;
        if (b.Tipo != 0) {
            lt.MinutosLibres -= b.Minutos;
            inicio = fin;
        }
        lt.Tramos.push_back(t);
    }
    lt.Siguiente = lt.MinutosLibres == 0 ? 0 : inicio;
    return lt;
}

QColor ColorWindows(int valor) {
    return QColor(valor & 0xFF, (valor >> 8) & 0xFF, (valor >> 16) & 0xFF);
}

int ValorWindows(const QColor &color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

std::vector<TCalendario> CalendariosDeLineas(const std::vector<std::string> &lineas) {
    std::vector<TCalendario> r;
    for (size_t i = 0; i < lineas.size(); i += LineasCalendario) {
        auto linea = [&](size_t k) { return i + k < lineas.size() ? lineas[i + k] : std::string(); };
        r.push_back({linea(0), linea(1), linea(2)});
    }
    return r;
}

std::vector<TCalendario> LeeCalendarios(const std::string &ruta) {
    std::vector<std::string> lineas;
    LeeLineas(ruta, lineas);
    return CalendariosDeLineas(lineas);
}

bool GuardaCalendarios(const std::string &ruta, const std::vector<TCalendario> &calendarios) {
    std::vector<std::string> lineas;
    for (const auto &c : calendarios) {
        lineas.push_back(c.Codigo);
        lineas.push_back(c.Anio);
        lineas.push_back(c.Nombre);
    }
    return GuardaLineas(ruta, lineas);
}

std::vector<std::string> ItemsCalendarios(const std::vector<std::string> &lineas) {
    std::vector<std::string> items;
    bool primero = true;
    int anterior = 0;
    for (const TCalendario &c : CalendariosDeLineas(lineas)) {
        int codigo = LeeEntero(c.Codigo);
        if (primero || codigo != anterior)
            items.push_back(c.Codigo + " " + c.Nombre);
        primero = false;
        anterior = codigo;
    }
    // The combo is sorted, without regard to case.
    std::stable_sort(items.begin(), items.end(), [](const std::string &a, const std::string &b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
        });
    });
    return items;
}

TDiasCalendario DiasVacios() {
    TDiasCalendario d;
    d.fill(SinJornada);
    return d;
}

std::string NombreDiasCalendario(int anio, int codigo) {
    return Formato("H%4d.%03d", anio, codigo);
}

int IndiceDia(const QDate &fecha) {
    return static_cast<int>(QDate(fecha.year(), 1, 1).daysTo(fecha));
}

bool LeeDiasCalendario(const std::string &ruta, TDiasCalendario &dias) {
    dias = DiasVacios();
    std::string bytes;
    if (!LeeBytes(ruta, bytes))
        return false;
    std::copy_n(bytes.begin(), std::min(bytes.size(), dias.size()), dias.begin());
    return true;
}

bool GuardaDiasCalendario(const std::string &ruta, const TDiasCalendario &dias) {
    return GuardaBytes(ruta, std::string(dias.begin(), dias.end()));
}
