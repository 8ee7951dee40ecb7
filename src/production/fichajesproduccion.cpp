#include "production/fichajesproduccion.h"

#include "masterdata/empleados.h"
#include "platform/codepage.h"
#include "platform/numeros.h"

#include <algorithm>
#include <cmath>

namespace {

const char *const kConfig = "Config";
const char *const kFTPro = "FTPro";

long long minuto(const QDate &d, int hora, int minuto) {
    return d.toJulianDay() * 1440 + hora * 60 + minuto;
}

} // namespace

bool TFichajeProduccion::Sencillo() const {
    return Codigo.find_first_not_of(' ') == std::string::npos;
}

int TFichajeProduccion::Valor() const {
    return LeeEntero(Codigo.substr(0, 8));
}

bool TFichajeProduccion::Cierre() const {
    return !Sencillo() && Valor() % 10000 == 0;
}

long long MinutoDe(const QDateTime &t) {
    return minuto(t.date(), t.time().hour(), t.time().minute());
}

std::vector<TFichajeProduccion> FichajesDeListado(const StringGrid &g, const TColumnasFichajes &c) {
    std::vector<TFichajeProduccion> r;
    r.reserve(static_cast<size_t>(g.RowCount()));
    std::string aux;
    for (int f = 1; f < g.RowCount(); ++f) {
        auto celda = [&](int col) { return std::string(g.Texto(col, f, aux)); };
        const std::string d = celda(c.Dia), m = celda(c.Mes), a = celda(c.Anio), h = celda(c.Hora),
                          mi = celda(c.Minuto);
        int anio = LeeEntero(a);
        if (a.size() <= 2)
            anio += 2000;
        const QDate dia(anio, LeeEntero(m), LeeEntero(d));
        const int hora = LeeEntero(h), min = LeeEntero(mi);
        if (!c.Dia || !c.Hora || !dia.isValid() || hora < 0 || hora > 23 || min < 0 || min > 59)
            continue;
        TFichajeProduccion x;
        x.Empleado = celda(c.Nombre);
        x.Codigo = c.Produccion ? celda(c.Produccion) : std::string(8, ' ');
        x.Texto = d + "/" + m + "/" + a + " " + h + ":" + mi;
        x.Dia = dia;
        x.Minuto = minuto(dia, hora, min);
        r.push_back(std::move(x));
    }
    return r;
}

std::vector<TFichajeProduccion> ListaProduccion(const TPeticionProduccion &p) {
    TPeticionListado l;
    l.Desde = p.Desde;
    l.Hasta = p.Hasta;
    l.Terminales = p.Terminales;
    l.Historico = false;
    l.Tipo = ListadoProduccion;
    l.Busca = p.Busca;
    l.Externa = true;
    l.Produccion = true;
    StringGrid grid(1, 2);
    const TResultadoListado res = ListaFichajes(l, grid, TColumnasFichajes{});
    return FichajesDeListado(grid, res.Columnas);
}

TCostesEmpleados::TCostesEmpleados(const StringGrid *empleados) {
    if (!empleados)
        return;
    for (int r = 1; r < empleados->RowCount(); ++r)
        historial_.emplace(LeeEntero(empleados->Celda(ColIdentificador, r)), empleados->Celda(ColCostes, r));
}

double TCostesEmpleados::CosteHora(int numero, const QDate &dia) const {
    const auto it = historial_.find(numero);
    return it == historial_.end() ? 0.0 : ::CosteHora(it->second, dia);
}

bool HorasYMinutos(const TIniFile *ini) {
    return ini && ini->ReadString(kConfig, kFTPro, "Minutos") != "Minutos";
}

bool FijaHorasYMinutos(TIniFile *ini, bool horas) {
    return ini && ini->WriteString(kConfig, kFTPro, horas ? "Horas y minutos" : "Minutos");
}

std::string TextoTiempo(int minutos, bool horas) {
    return horas ? Formato("%3d:%02d", minutos / 60, minutos % 60) : Formato("%6d", minutos);
}

std::string TextoTiempoTotal(int minutos, bool horas) {
    return horas ? Formato("%5d:%02d", minutos / 60, minutos % 60) : Formato("%8d", minutos);
}

std::string TextoCoste(double coste) {
    return Formato("%8.2f ", coste) + Ansi("€");
}

std::string TextoCosteTotal(double coste) {
    return Formato("%10.2f ", coste) + Ansi("€");
}

int MinutosDeTexto(const std::string &texto) {
    const size_t dp = texto.find(':');
    if (dp == std::string::npos)
        return LeeEntero(texto);
    return LeeEntero(texto.substr(0, dp)) * 60 + LeeEntero(texto.substr(dp + 1));
}

TTramo Tramo(long long desde, long long hasta, double costeHora, bool horas) {
    TTramo t;
    t.Minutos = static_cast<int>(std::max<long long>(hasta - desde, 0));
    t.Tiempo = TextoTiempo(t.Minutos, horas);
    t.TextoCoste = TextoCoste(t.Minutos * costeHora / 60);
    t.Coste = LeeDecimal(t.TextoCoste); // summed as printed
    return t;
}

TSumaBloque SumaBloque(const StringGrid &g, int primera, int ultima) {
    TSumaBloque s;
    for (int r = std::max(primera + 1, 1); r < std::min(ultima, g.RowCount()); ++r) {
        s.Minutos += MinutosDeTexto(g.Celda(9, r));
        s.Coste += LeeDecimal(g.Celda(10, r));
    }
    s.Coste = std::round(s.Coste * 100) / 100;
    return s;
}

void EscribeFilas(StringGrid &g, const std::vector<std::vector<std::string>> &filas) {
    g.SetRowCount(static_cast<int>(std::max<size_t>(filas.size(), 1)) + 1);
    g.SetFila(1, std::vector<std::string>(static_cast<size_t>(g.ColCount())));
    for (size_t i = 0; i < filas.size(); ++i)
        g.SetFila(static_cast<int>(i) + 1, filas[i]);
}
