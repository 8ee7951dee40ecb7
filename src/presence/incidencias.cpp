#include "presence/incidencias.h"

#include "common/configuracion.h"
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "platform/numeros.h"

#include <algorithm>

std::vector<std::string> ListaIncidencias;
std::string ArchivoIncidencias;

namespace {
std::string trozo(const std::string &s, size_t desde, size_t n) {
    return desde < s.size() ? s.substr(desde, n) : std::string();
}

const std::string &linea(const std::vector<std::string> &lista, size_t i) {
    static const std::string vacia;
    return i < lista.size() ? lista[i] : vacia;
}
} // namespace

std::string TRegistroIncidencia::TextoFecha() const {
    return trozo(Fecha, 0, 10);
}

QDate TRegistroIncidencia::Dia() const {
    const std::string t = TextoFecha();
    if (t.size() < 10 || t[2] != '/' || t[5] != '/')
        return {};
    return QDate(LeeEntero(t.substr(6, 4)), LeeEntero(t.substr(3, 2)), LeeEntero(t.substr(0, 2)));
}

std::string TRegistroIncidencia::TextoTiempo() const {
    return trozo(Fecha, 11, 5);
}

int TRegistroIncidencia::Minutos() const {
    return LeeEntero(trozo(Fecha, 11, 2)) * 60 + LeeEntero(trozo(Fecha, 14, 2));
}

int TRegistroIncidencia::NumeroEmpleado() const {
    return LeeEntero(Empleado);
}
int TRegistroIncidencia::CodigoIncidencia() const {
    return LeeEntero(Incidencia);
}
std::string TRegistroIncidencia::Cargo() const {
    return CargoDe(Incidencia);
}
bool TRegistroIncidencia::ATrabajador() const {
    return CargoTrabajador(Incidencia);
}

size_t NumIncidencias(const std::vector<std::string> &lista) {
    return (lista.size() + LineasPorIncidencia - 1) / LineasPorIncidencia;
}

TRegistroIncidencia Incidencia(const std::vector<std::string> &lista, size_t n) {
    const size_t i = n * LineasPorIncidencia;
    return {linea(lista, i), linea(lista, i + 1), linea(lista, i + 2)};
}

TIndiceIncidencias::TIndiceIncidencias(const std::vector<std::string> &lista) {
    const size_t n = NumIncidencias(lista);
    for (size_t i = 0; i < n; ++i) {
        TRegistroIncidencia reg = Incidencia(lista, i);
        const QDate dia = reg.Dia();
        if (dia.isValid() && TextoDia(dia) == reg.TextoFecha()) // any other date text matches no day
            registros_[{reg.NumeroEmpleado(), dia.toJulianDay()}].push_back(std::move(reg));
    }
}

const std::vector<TRegistroIncidencia> &TIndiceIncidencias::Registros(const QDate &dia, int numero) const {
    static const std::vector<TRegistroIncidencia> ninguno;
    const auto it = registros_.find({numero, dia.toJulianDay()});
    return it == registros_.end() ? ninguno : it->second;
}

std::string NombreArchivoIncidencias(int anio) {
    return Formato("incidencias.%04d", anio);
}
std::string RutaIncidencias(int anio) {
    return Configuracion().DirDatos + NombreArchivoIncidencias(anio);
}

bool CargaIncidencias(int anio, std::vector<std::string> &lista) {
    return LeeLineas(RutaIncidencias(anio), lista);
}

bool GuardaIncidencias(int anio, const std::vector<std::string> &lista) {
    return GuardaLineas(RutaIncidencias(anio), lista);
}

std::string TextoDia(const QDate &d) {
    const int dia = d.day(), mes = d.month(), anio = d.year();
    if (anio < 0 || anio > 9999)
        return Formato("%02d/%02d/%04d", dia, mes, anio);
    // Written by hand: every day of a listing is headed by it.
    std::string s = "00/00/0000";
    s[0] = static_cast<char>('0' + dia / 10);
    s[1] = static_cast<char>('0' + dia % 10);
    s[3] = static_cast<char>('0' + mes / 10);
    s[4] = static_cast<char>('0' + mes % 10);
    for (int i = 9, a = anio; i >= 6; --i, a /= 10)
        s[static_cast<size_t>(i)] = static_cast<char>('0' + a % 10);
    return s;
}

bool NumeroInicial(const std::string &texto, int &valor) {
    size_t i = texto.find_first_not_of(" \t");
    if (i == std::string::npos)
        return false;
    if (texto[i] == '+' || texto[i] == '-')
        ++i;
    if (i >= texto.size() || texto[i] < '0' || texto[i] > '9')
        return false;
    valor = LeeEntero(texto);
    return true;
}

std::string CargoDe(const std::string &incidencia) {
    const size_t p = incidencia.find('*');
    return p == std::string::npos ? std::string() : incidencia.substr(p + 1);
}

bool CargoTrabajador(const std::string &incidencia) {
    return incidencia.find('*') != std::string::npos && CargoDe(incidencia) == "Trabajador";
}

std::string UnaLinea(const std::string &texto) {
    std::string r = texto;
    r.erase(std::remove_if(r.begin(), r.end(), [](char c) { return c == '\r' || c == '\n'; }), r.end());
    return r;
}

size_t PuntoInsercion(const std::vector<std::string> &lista, const QDate &d) {
    const size_t n = NumIncidencias(lista);
    for (size_t k = 0; k < n; ++k) {
        const QDate f = Incidencia(lista, k).Dia();
        if (f.isValid() && f <= d)
            return k * LineasPorIncidencia;
    }
    return n * LineasPorIncidencia;
}

void InsertaIncidencia(std::vector<std::string> &lista, const QDate &d, const std::string &hora,
                       const std::string &empleado, const std::string &incidencia) {
    // A short last record is completed first, so the new one starts on a record boundary.
    while (lista.size() % LineasPorIncidencia)
        lista.emplace_back();
    const size_t i = PuntoInsercion(lista, d);
    lista.insert(lista.begin() + static_cast<std::ptrdiff_t>(i),
                 {TextoDia(d) + " " + hora, empleado, incidencia});
}

std::string TextoIncidenciaAnadida(const std::string &incidencia, int minutos) {
    std::string t = "\t\tINCIDENCIA " + incidencia;
    if (!CargoTrabajador(incidencia)) {
        if (minutos == 0)
            t += " Justifica todo el dia";
        else
            t += Formato(" Justifica %02d:%02d:00", minutos / 60, minutos % 60);
    }
    return t;
}

namespace {
std::string errorGuardar(int anio) {
    return "No se pudo guardar el archivo " + RutaIncidencias(anio);
}

bool cargaParaAnadir(int anio, std::vector<std::string> &lista, ResultadoIncidencia &r) {
    if (LeeLineasSiExiste(RutaIncidencias(anio), lista))
        return true;
    r.Mensaje =
        "No se puede leer el archivo " + RutaIncidencias(anio) + Ansi(": no se ha añadido la incidencia.");
    return false;
}
} // namespace

ResultadoIncidencia AnadeIncidencias(const PeticionIncidencia &p) {
    ResultadoIncidencia r;
    if (p.Desde > p.Hasta) {
        r.Mensaje = "La fecha inicial debe ser menor o igual que la final";
        return r;
    }
    if (p.Desde.daysTo(p.Hasta) > 30) {
        r.Mensaje = "No se pueden introducir incidencias superiores a 30 dias";
        return r;
    }
    const std::string empleado = UnaLinea(p.Empleado);
    const std::string incidencia = UnaLinea(p.Incidencia);
    if (empleado.empty() || incidencia.empty())
        return r;
    int numero = 0;
    if (!NumeroInicial(empleado, numero) || numero <= 0) {
        r.Mensaje = Ansi("El trabajador debe empezar por su número de empleado");
        return r;
    }
    const int minutos = std::clamp(p.Minutos, 0, 1439);
    const std::string hora = Formato("%02d:%02d", minutos / 60, minutos % 60);

    // Both files are read before anything is written (a range ending on 31 December also opens
    // the next year's); one that exists but cannot be read refuses the whole addition.
    int anio = p.Desde.year();
    const int ultimo = p.Hasta.addDays(1).year();
    std::vector<std::string> lista, siguiente;
    if (!cargaParaAnadir(anio, lista, r) || (ultimo != anio && !cargaParaAnadir(ultimo, siguiente, r)))
        return r;
    for (QDate d = p.Desde; d <= p.Hasta;) {
        InsertaIncidencia(lista, d, hora, empleado, incidencia);
        d = d.addDays(1);
        if (d.year() != anio) {
            if (!GuardaIncidencias(anio, lista)) {
                r.Mensaje = errorGuardar(anio);
                return r;
            }
            anio = d.year();
            lista = std::move(siguiente);
        }
    }
    r.Anio = anio;
    if (!GuardaIncidencias(anio, lista)) {
        r.Mensaje = errorGuardar(anio);
        return r;
    }
    r.Hecho = true;
    r.Lista = std::move(lista);
    r.TextoIncidencia = TextoIncidenciaAnadida(incidencia, minutos);
    return r;
}

ResultadoIncidencia BorraIncidencia(const std::string &fecha, const std::string &empleado,
                                    const std::string &incidencia) {
    ResultadoIncidencia r;
    r.Anio = LeeEntero(trozo(fecha, 6, std::string::npos));
    if (!CargaIncidencias(r.Anio, r.Lista))
        return r;
    const size_t n = NumIncidencias(r.Lista);
    for (size_t k = 0; k < n; ++k) {
        const TRegistroIncidencia reg = Incidencia(r.Lista, k);
        if (reg.Fecha != fecha || reg.Empleado != empleado || reg.Incidencia != incidencia)
            continue;
        const size_t i = k * LineasPorIncidencia;
        const size_t fin = std::min(r.Lista.size(), i + LineasPorIncidencia);
        r.Lista.erase(r.Lista.begin() + static_cast<std::ptrdiff_t>(i),
                      r.Lista.begin() + static_cast<std::ptrdiff_t>(fin));
        if (!GuardaIncidencias(r.Anio, r.Lista)) {
            r.Mensaje = errorGuardar(r.Anio);
            return r;
        }
        r.Hecho = true;
        return r;
    }
    return r;
}

void AjustaFechasCambio(QDate &desde, QDate &hasta) {
    if (hasta < desde)
        desde = hasta;
    if (desde.daysTo(hasta) > 365)
        hasta = desde.addDays(365);
}

void AjustaFechasCierre(QDate &desde, QDate &hasta) {
    if (desde > hasta)
        hasta = desde;
    if (desde.daysTo(hasta) >= 366)
        hasta = desde.addDays(365);
}

void TitulosIncidencias(StringGrid &g) {
    g.SetColCount(3);
    g.SetRowCount(1);
    g.FixedRows = 1;
    g.SetFila(0, {"Fecha", "Trabajador", "Incidencia"});
}

void LlenaRejillaIncidencias(StringGrid &g, const std::vector<std::string> &lista) {
    TitulosIncidencias(g);
    const size_t n = NumIncidencias(lista);
    g.SetRowCount(static_cast<int>(n) + 1);
    for (size_t k = 0; k < n; ++k) {
        const TRegistroIncidencia reg = Incidencia(lista, k);
        g.SetFila(static_cast<int>(k) + 1, {reg.Fecha, reg.Empleado, reg.Incidencia});
    }
}

std::vector<std::string> IncidenciasPeriodo(const QDate &desde, const QDate &hasta) {
    std::vector<std::string> todo, otra;
    CargaIncidencias(hasta.year(), todo);
    if (desde.year() != hasta.year() && CargaIncidencias(desde.year(), otra)) {
        while (todo.size() % LineasPorIncidencia)
            todo.emplace_back();
        todo.insert(todo.end(), otra.begin(), otra.end());
    }
    return todo;
}

bool FilaResaltada(const StringGrid &g, int fila, const std::string &empleado,
                   const std::string &incidencia) {
    if (fila < g.FixedRows || fila >= g.RowCount())
        return false;
    int e = 0, c = 0;
    const bool todosEmpleados = !NumeroInicial(empleado, e);
    const bool todosTipos = !NumeroInicial(incidencia, c);
    return (todosEmpleados || LeeEntero(g.Cells[1][fila]) == e) &&
           (todosTipos || LeeEntero(g.Cells[2][fila]) == c);
}
