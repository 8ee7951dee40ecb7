#include "terminal/listadofichajes.h"

#include "common/configuracion.h"
#include "platform/lineas.h"
#include "platform/numeros.h"
#include "platform/rutas.h"
#include "terminal/fichaje.h"
#include "terminal/guardafichaje.h"

#include <QFile>
#include <algorithm>
#include <numeric>

unsigned char LecturaExterna = 0;
int ColumnaTerminal = 0, ColumnaDia = 0, ColumnaMes = 0, ColumnaAnio = 0, ColumnaHora = 0, ColumnaMinuto = 0,
    ColumnaSegundo = 0, ColumnaIncidencia = 0, ColumnaCodigo = 0, ColumnaNombre = 0, ColumnaProduccion = 0,
    ColumnaAcceso = 0;
int LongitudLinea = 0;
std::string FormatoLectura;
int TipoListado = ListadoPresencia;

TColumnasFichajes ColumnasGlobales() {
    TColumnasFichajes c;
    c.Terminal = ColumnaTerminal;
    c.Dia = ColumnaDia;
    c.Mes = ColumnaMes;
    c.Anio = ColumnaAnio;
    c.Hora = ColumnaHora;
    c.Minuto = ColumnaMinuto;
    c.Segundo = ColumnaSegundo;
    c.Incidencia = ColumnaIncidencia;
    c.Codigo = ColumnaCodigo;
    c.Nombre = ColumnaNombre;
    c.Produccion = ColumnaProduccion;
    c.Acceso = ColumnaAcceso;
    c.LongitudLinea = LongitudLinea;
    return c;
}

void FijaColumnasGlobales(const TColumnasFichajes &c) {
    ColumnaTerminal = c.Terminal;
    ColumnaDia = c.Dia;
    ColumnaMes = c.Mes;
    ColumnaAnio = c.Anio;
    ColumnaHora = c.Hora;
    ColumnaMinuto = c.Minuto;
    ColumnaSegundo = c.Segundo;
    ColumnaIncidencia = c.Incidencia;
    ColumnaCodigo = c.Codigo;
    ColumnaNombre = c.Nombre;
    ColumnaProduccion = c.Produccion;
    ColumnaAcceso = c.Acceso;
    LongitudLinea = c.LongitudLinea;
}

TTerminalListado TerminalDeItem(const std::string &item, bool marcado) {
    TTerminalListado t;
    t.Conexion = item.size() > 0 ? item[0] : 0;
    t.Modo = item.size() > 1 ? item[1] : 0;
    t.Marcado = marcado;
    const std::string direccion = item.size() > 3 ? item.substr(3) : std::string();
    switch (t.Conexion) {
    case 'S':
        t.Numero = LeeEntero(direccion);
        break;
    case 'A':
        t.Numero = static_cast<int>(LeeHex(direccion.size() > 6 ? direccion.substr(6) : std::string()));
        break;
    case 'E': {
        size_t dp = direccion.find(':');
        t.Numero = dp == std::string::npos ? 0 : LeeEntero(direccion.substr(dp + 1));
        break;
    }
    default:
        t.Marcado = false; // no terminal number to look for
        break;
    }
    return t;
}

int BuscaAlias(int numero) {
    if (numero == 0)
        return 0;
    std::vector<std::string> lineas;
    if (!LeeLineas(Configuracion().DirDatos + "alias.dat", lineas))
        return 0;
    for (const std::string &l : lineas) {
        const int a = LeeEntero(l);
        size_t hueco = l.find(' ', l.find_first_not_of(' '));
        const int b = hueco == std::string::npos ? 0 : LeeEntero(l.substr(hueco + 1));
        if (a == numero)
            return b;
        if (b == numero)
            return a;
    }
    return 0;
}

namespace {

// One column of the listing: where its field lies in a line.
struct ColumnaListado {
    char letra;
    int posicion;
    int ancho;
};

// Field of a line with bounds.
std::string_view campo(const std::string &linea, int posicion, int ancho) {
    if (posicion < 0 || static_cast<size_t>(posicion) >= linea.size())
        return {};
    return std::string_view(linea).substr(static_cast<size_t>(posicion), static_cast<size_t>(ancho));
}

std::string celda(std::string_view v) {
    std::string s(v);
    for (char &c : s)
        if (static_cast<unsigned char>(c) < 32)
            c = ' ';
    return s;
}

// A production code: the first 8 characters of the field, blanks counted as 0.
bool produccionNoNula(std::string_view v) {
    for (char c : v.substr(0, 8)) {
        if (c == ' ' || c == '0')
            continue;
        if (c >= '1' && c <= '9')
            return true;
        break;
    }
    return false;
}

// Text order without regard to letter case or accents (the platform's text comparison).
struct Plegado {
    unsigned char t[256];
    Plegado() {
        for (int i = 0; i < 256; ++i)
            t[i] = static_cast<unsigned char>(i);
        for (int i = 'a'; i <= 'z'; ++i)
            t[i] = static_cast<unsigned char>(i - 32);
        const char *desde = "\xC0\xC1\xC2\xC3\xC4\xC5\xE0\xE1\xE2\xE3\xE4\xE5\xC8\xC9\xCA\xCB\xE8\xE9\xEA\xEB"
                            "\xCC\xCD\xCE\xCF\xEC\xED\xEE\xEF\xD2\xD3\xD4\xD5\xD6\xF2\xF3\xF4\xF5\xF6"
                            "\xD9\xDA\xDB\xDC\xF9\xFA\xFB\xFC\xC7\xE7\xF1";
        const char *hacia = "AAAAAAAAAAAAEEEEEEEEIIIIIIIIOOOOOOOOOOUUUUUUUUCC\xD1";
        for (size_t i = 0; desde[i]; ++i)
            t[static_cast<unsigned char>(desde[i])] = static_cast<unsigned char>(hacia[i]);
    }
    int compara(const std::string &a, const std::string &b) const {
        const size_t n = std::min(a.size(), b.size());
        for (size_t i = 0; i < n; ++i) {
            unsigned char x = t[static_cast<unsigned char>(a[i])], y = t[static_cast<unsigned char>(b[i])];
            if (x != y)
                return x < y ? -1 : 1;
        }
        if (a.size() != b.size())
            return a.size() < b.size() ? -1 : 1;
        return 0;
    }
};
const Plegado kPlegado;

struct FilaListada {
    std::vector<std::string> celdas;
    int archivo;
};

// Keeps the grid's view from redrawing while the listing fills it.
class SinAvisos {
public:
    explicit SinAvisos(StringGrid &g)
        : g_(g), estructura_(std::move(g.AlCambiarEstructura)), celda_(std::move(g.AlCambiarCelda)) {
        g_.AlCambiarEstructura = nullptr;
        g_.AlCambiarCelda = nullptr;
    }
    ~SinAvisos() {
        g_.AlCambiarEstructura = std::move(estructura_);
        g_.AlCambiarCelda = std::move(celda_);
        if (g_.AlCambiarEstructura)
            g_.AlCambiarEstructura();
    }

private:
    StringGrid &g_;
    std::function<void()> estructura_;
    std::function<void(int, int)> celda_;
};

} // namespace

TResultadoListado ListaFichajes(const TPeticionListado &p, StringGrid &grid,
                                const TColumnasFichajes &anteriores) {
    TResultadoListado res;
    res.Columnas = anteriores;
    res.Columnas.Segundo = 0;
    res.Historico = p.Historico;

    // Days of the range, one flag each.
    const int dias =
        p.Desde.isValid() && p.Hasta.isValid() ? static_cast<int>(p.Desde.daysTo(p.Hasta)) + 1 : 0;
    std::vector<char> banderas(static_cast<size_t>(std::max(dias, 0)), 0);

    const int n = LeeEntero(p.Busca);
    const int pareja = n != 0 ? BuscaAlias(n) : 0;

    res.Formato = p.Historico ? PlantillaBruta : Configuracion().FormatoFichaje;
    const TFormatoAnalizado formato = AnalizaFormato(res.Formato);

    // Column map.
    std::vector<ColumnaListado> columnas;
    int posN = -1, anchoN = 0, posP = -1, anchoP = 0, posU = -1;
    int posicion = 0;
    for (const TElementoFormato &e : formato) {
        if (!e.Letra) {
            posicion += static_cast<int>(e.Literal.size());
            continue;
        }
        if (CampoFichaje(e.Letra)) {
            columnas.push_back({e.Letra, posicion, e.Ancho});
            const int k = static_cast<int>(columnas.size());
            TColumnasFichajes &c = res.Columnas;
            switch (e.Letra) {
            case 't':
                c.Terminal = k;
                break;
            case 'd':
                c.Dia = k;
                break;
            case 'm':
                c.Mes = k;
                break;
            case 'a':
                c.Anio = k;
                break;
            case 'H':
                c.Hora = k;
                break;
            case 'M':
                c.Minuto = k;
                break;
            case 'S':
                c.Segundo = k;
                break;
            case 'i':
                c.Incidencia = k;
                break;
            case 'c':
                c.Codigo = k;
                break;
            case 'n':
                c.Nombre = k;
                posN = posicion;
                anchoN = e.Ancho;
                break;
            case 'p':
                c.Produccion = k;
                posP = posicion;
                anchoP = e.Ancho;
                break;
            case 'u':
                c.Acceso = k;
                posU = posicion;
                break;
            default:
                break;
            }
        }
        posicion += e.Ancho;
    }
    const int longitud = posicion;
    res.Columnas.LongitudLinea = longitud;
    // Columns of this listing (0: the format has no such field).
    auto columnaDe = [&](char letra) {
        int k = 0;
        for (size_t i = 0; i < columnas.size(); ++i)
            if (columnas[i].letra == letra)
                k = static_cast<int>(i) + 1;
        return k;
    };
    const int cDia = columnaDe('d'), cMes = columnaDe('m'), cAnio = columnaDe('a'), cHora = columnaDe('H'),
              cMinuto = columnaDe('M'), cSegundo = columnaDe('S'), cIncidencia = columnaDe('i'),
              cCodigo = columnaDe('c'), cNombre = columnaDe('n'), cProduccion = columnaDe('p');
    const bool anioCompleto = cAnio && columnas[static_cast<size_t>(cAnio - 1)].ancho >= 4;

    const bool empiezaCR = !formato.empty() && !formato.front().Letra && formato.front().Literal[0] == '\r';
    const TFormatoAnalizado patron = AnalizaFormato(Configuracion().PatronParcial);

    std::vector<FilaListada> filas;
    auto leeArchivo = [&](const std::string &ruta, unsigned char clave, bool descifra,
                          const TTerminalListado &t, int dia) {
        std::string bytes;
        if (!LeeBytes(ruta, bytes))
            return;
        const int indice = static_cast<int>(res.Archivos.size());
        res.Archivos.push_back(ruta);
        res.Claves.push_back(descifra ? clave : 0);
        const size_t L = static_cast<size_t>(longitud);
        size_t pos = 0;
        std::string linea;
        while (pos + L <= bytes.size()) {
            linea.assign(bytes, pos, L);
            pos += L;
            // Out of step by a leading CR LF (a scrambled line may begin with a CR byte, never
            // with CR LF: its second byte carries the marker).
            if (!p.Produccion && !empiezaCR && linea.compare(0, 2, "\r\n") == 0) {
                if (pos + 2 > bytes.size())
                    break;
                linea.erase(0, 2);
                linea.append(bytes, pos, 2);
                pos += 2;
            }
            if (descifra)
                DescodificaLinea(linea, clave);
            if (empiezaCR && linea[0] != '\r') {
                size_t cr = linea.find('\r', 1);
                if (cr != std::string::npos) {
                    pos = pos - L + cr;
                    continue;
                }
            }
            const bool anulado = (static_cast<unsigned char>(linea[0]) & 0x80) != 0;
            if (anulado && p.Externa)
                continue;
            if (n != 0) {
                if (posN < 0)
                    continue;
                const int numero = LeeEntero(std::string(campo(linea, posN, anchoN)));
                if (numero != n && (pareja == 0 || numero != pareja))
                    continue;
            }
            const bool produccion = posP >= 0 && produccionNoNula(campo(linea, posP, std::min(anchoP, 8)));
            if (p.Tipo == ListadoPresencia) {
                if (produccion)
                    continue;
                // Manual clockings leave the day's flag to the terminals.
                if (t.Conexion != 0 && dia >= 0 && static_cast<size_t>(dia) < banderas.size())
                    banderas[static_cast<size_t>(dia)] = (p.Externa && t.Modo == 'A') ? 1 : 0;
            } else if (p.Tipo == ListadoAccesos) {
                if (produccion || (t.Modo != 'A' && t.Modo != 'T'))
                    continue;
                if (posU >= 0 && static_cast<size_t>(posU) < linea.size() &&
                    linea[static_cast<size_t>(posU)] == 'N')
                    continue;
            }
            FilaListada f;
            f.archivo = indice;
            f.celdas.reserve(columnas.size() + 1);
            f.celdas.push_back(std::to_string(pos - L) + (anulado ? "-A" : ""));
            if (anulado)
                linea[0] = static_cast<char>(static_cast<unsigned char>(linea[0]) & 0x7F);
            for (const ColumnaListado &c : columnas)
                f.celdas.push_back(celda(campo(linea, c.posicion, c.ancho)));
            filas.push_back(std::move(f));
            if (!p.Produccion) {
                const auto &cs = filas.back().celdas;
                auto fuera = [&](int col, int minimo, int maximo) {
                    if (!col)
                        return false;
                    const int v = LeeEntero(cs[static_cast<size_t>(col)]);
                    return v < minimo || v > maximo;
                };
                if (fuera(cDia, 1, 31) || fuera(cMes, 1, 12) || (anioCompleto && fuera(cAnio, 2005, 2500)) ||
                    fuera(cHora, 0, 23) || fuera(cMinuto, 0, 60)) {
                    res.Defectuosos.push_back(ruta);
                    break;
                }
            }
        }
    };

    auto leeDias = [&](const TTerminalListado &t) {
        for (int d = 0; d < dias; ++d) {
            const QDate dia = p.Desde.addDays(d);
            const std::string nombre =
                NombreParcial(patron, FichajeEnEspera(t.Numero, dia.day(), dia.month(), dia.year()));
            leeArchivo(Configuracion().DirFichajes + nombre, ClaveFichajes(nombre), true, t, d);
        }
    };
    if (dias > 0 && longitud > 0) {
        bool terminalCero = false;
        for (const TTerminalListado &t : p.Terminales) {
            if (!t.Marcado)
                continue;
            if (p.Historico) {
                leeArchivo(Configuracion().RutaHistorico, 0, false, t, 0);
                break;
            }
            terminalCero = terminalCero || t.Numero == 0;
            leeDias(t);
        }
        // Manual clockings are stored as terminal 000: they count in every kind but the access
        // listing, whatever terminals are checked, and once.
        if (!p.Historico && p.Tipo != ListadoAccesos && !terminalCero)
            leeDias(TTerminalListado{0, 0, 0, true});
    }

    // Sort by date and time (by employee first in the production twin), then by listing order.
    auto parte = [&](const FilaListada &f, int col) -> const std::string & {
        static const std::string vacio;
        return col ? f.celdas[static_cast<size_t>(col)] : vacio;
    };
    std::vector<std::string> claves(filas.size());
    for (size_t i = 0; i < filas.size(); ++i) {
        const FilaListada &f = filas[i];
        std::string &k = claves[i];
        if (p.Produccion && p.Tipo != ListadoAccesos)
            k = parte(f, cNombre) + " ";
        k += parte(f, cAnio) + parte(f, cMes) + parte(f, cDia) + parte(f, cHora) + parte(f, cMinuto) +
             parte(f, cSegundo) + parte(f, cProduccion);
        if (p.Tipo == ListadoAccesos)
            k += " " + parte(f, cCodigo);
        else if (!p.Produccion && n == 0)
            k += " " + parte(f, cNombre); // everybody listed: no clocking hides another employee's
    }
    std::vector<size_t> orden(filas.size());
    std::iota(orden.begin(), orden.end(), 0);
    std::sort(orden.begin(), orden.end(), [&](size_t a, size_t b) {
        int c = kPlegado.compara(claves[a], claves[b]);
        return c != 0 ? c < 0 : a < b;
    });
    // Equal clockings: the one listed later stays.
    std::vector<size_t> unicas;
    for (size_t i : orden) {
        if (!unicas.empty() && claves[unicas.back()] == claves[i])
            unicas.back() = i;
        else
            unicas.push_back(i);
    }

    // Thinning of access-terminal days: within a run of one day's clockings without incidence only
    // the first and the last stay; a clocking with an incidence and the one after it stay.
    std::vector<char> borrada(unicas.size(), 0);
    if (p.Tipo == ListadoPresencia && p.Externa &&
        std::find(banderas.begin(), banderas.end(), 1) != banderas.end()) {
        struct Fecha {
            int d, m, a;
            bool operator==(const Fecha &o) const { return d == o.d && m == o.m && a == o.a; }
        };
        auto fecha = [&](size_t i) {
            const FilaListada &f = filas[unicas[i]];
            return Fecha{LeeEntero(parte(f, cDia)), LeeEntero(parte(f, cMes)), LeeEntero(parte(f, cAnio))};
        };
        auto marcada = [&](const Fecha &f) {
            QDate q(f.a, f.m, f.d);
            if (!q.isValid() || q < p.Desde || q > p.Hasta)
                return false;
            return banderas[static_cast<size_t>(p.Desde.daysTo(q))] == 1;
        };
        const size_t total = unicas.size();
        bool interruptor = false;
        long anterior = -1; // previous row kept (-1: the title row)
        size_t r = 0;
        while (r + 1 < total) {
            const Fecha fr = fecha(r);
            if (anterior < 0 || !(fecha(static_cast<size_t>(anterior)) == fr))
                interruptor = false;
            if (marcada(fr) && fecha(r + 1) == fr) {
                const int c = LeeEntero(parte(filas[unicas[r + 1]], cIncidencia));
                if (!interruptor) {
                    if (c == 0) {
                        interruptor = true;
                        anterior = static_cast<long>(r);
                        r += 1;
                    } else {
                        anterior = static_cast<long>(r + 1);
                        r += 2;
                    }
                } else {
                    borrada[r] = 1;
                    if (c != 0) {
                        interruptor = false;
                        anterior = static_cast<long>(r + 1);
                        r += 2;
                    } else {
                        r += 1;
                    }
                }
            } else {
                anterior = static_cast<long>(r);
                r += 1;
            }
        }
    }

    // Into the grid.
    SinAvisos sinAvisos(grid);
    const int ncol = static_cast<int>(columnas.size()) + 1;
    grid.SetColCount(ncol);
    size_t quedan = 0;
    for (char b : borrada)
        quedan += b ? 0 : 1;
    grid.SetRowCount(static_cast<int>(std::max<size_t>(quedan, 1)) + 1);
    grid.Limpia();
    for (int k = 1; k < ncol; ++k) {
        const ColumnaListado &c = columnas[static_cast<size_t>(k - 1)];
        grid.Cells[k][0] = CampoFichaje(c.letra)->Titulo;
        const int recordado = static_cast<size_t>(k) < p.Anchos.size() ? p.Anchos[static_cast<size_t>(k)] : 0;
        grid.ColWidths[static_cast<size_t>(k)] = recordado > 0 ? recordado : 9 * c.ancho;
    }
    res.ArchivoFila.assign(static_cast<size_t>(grid.RowCount()), -1);
    int fila = 1;
    for (size_t i = 0; i < unicas.size(); ++i) {
        if (borrada[i])
            continue;
        FilaListada &f = filas[unicas[i]];
        for (int k = 0; k < ncol; ++k)
            grid.Cells[k][fila] = std::move(f.celdas[static_cast<size_t>(k)]);
        res.ArchivoFila[static_cast<size_t>(fila)] = f.archivo;
        ++fila;
    }
    return res;
}

bool AlternaAnulado(const TResultadoListado &listado, const StringGrid &grid, int fila) {
    if (listado.Historico || fila < 1 || fila >= grid.RowCount())
        return false;
    const std::string &marca = grid.Celda(0, fila);
    if (marca.empty() || static_cast<size_t>(fila) >= listado.ArchivoFila.size())
        return false;
    const int indice = listado.ArchivoFila[static_cast<size_t>(fila)];
    const int longitud = listado.Columnas.LongitudLinea;
    if (indice < 0 || static_cast<size_t>(indice) >= listado.Archivos.size() || longitud <= 0)
        return false;
    const bool anulado = marca.find("-A") != std::string::npos;
    const qint64 offset = LeeEntero(marca);
    QFile f(RutaQ(listado.Archivos[static_cast<size_t>(indice)]));
    if (offset < 0 || !f.open(QIODevice::ReadWrite) || !f.seek(offset))
        return false;
    QByteArray leida = f.read(longitud);
    if (leida.size() != longitud)
        return false;
    std::string linea(leida.constData(), static_cast<size_t>(leida.size()));
    char primero = linea[0];
    DescodificaLinea(linea, listado.Claves[static_cast<size_t>(indice)]);
    if (((static_cast<unsigned char>(linea[0]) & 0x80) != 0) != anulado)
        return false; // the file changed since it was listed
    primero = static_cast<char>(static_cast<unsigned char>(primero) ^ 0x80);
    const bool ok = f.seek(offset) && f.write(&primero, 1) == 1 && f.flush();
    OlvidaParciales();
    return ok;
}
