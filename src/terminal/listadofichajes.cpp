#include "terminal/listadofichajes.h"

#include "common/configuracion.h"
#include "platform/lineas.h"
#include "platform/numeros.h"
#include "platform/rutas.h"
#include "terminal/fichaje.h"
#include "terminal/guardafichaje.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
std::string_view campo(std::string_view linea, int posicion, int ancho) {
    if (posicion < 0 || static_cast<size_t>(posicion) >= linea.size())
        return {};
    return linea.substr(static_cast<size_t>(posicion), static_cast<size_t>(ancho));
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
};
const Plegado kPlegado;

// The lines a listing keeps, one after another in one text: unscrambled, the annulled mark taken
// off and control characters made blanks, so that a field reads as its cell shows it.
class FilasListadas {
public:
    FilasListadas(const std::vector<ColumnaListado> &columnas, size_t longitud)
        : columnas_(columnas), longitud_(longitud) {}

    size_t Anade(const std::string &linea, size_t offset, bool anulado, int archivo) {
        const size_t inicio = texto_.size();
        texto_.append(linea, 0, longitud_);
        texto_.resize(inicio + longitud_, ' ');
        unsigned char *c = reinterpret_cast<unsigned char *>(texto_.data() + inicio);
        if (anulado)
            c[0] &= 0x7F;
        const size_t n = longitud_;
        for (size_t i = 0; i < n; ++i)
            c[i] = c[i] < 32 ? ' ' : c[i];
        filas_.push_back({inicio, offset, archivo, anulado});
        return filas_.size() - 1;
    }
    int Archivo(size_t fila) const { return filas_[fila].archivo; }
    // Column 0: the line's offset in its file, "-A" after it when annulled.
    std::string_view Marca(size_t fila, char (&buffer)[24]) const {
        char *fin = std::to_chars(buffer, buffer + 21, filas_[fila].offset).ptr;
        if (filas_[fila].anulado)
            fin = std::copy_n("-A", 2, fin);
        return std::string_view(buffer, static_cast<size_t>(fin - buffer));
    }
    std::string_view Linea(size_t fila) const {
        return std::string_view(texto_).substr(filas_[fila].inicio, longitud_);
    }
    // Where the field of column col lies in a line: offset and length (0 when outside it or col 0).
    std::pair<size_t, size_t> Trozo(int col) const {
        if (col <= 0)
            return {0, 0};
        const ColumnaListado &c = columnas_[static_cast<size_t>(col - 1)];
        if (c.posicion < 0 || static_cast<size_t>(c.posicion) >= longitud_)
            return {0, 0};
        const size_t desde = static_cast<size_t>(c.posicion);
        return {desde, std::min(static_cast<size_t>(c.ancho), longitud_ - desde)};
    }
    // The text of column col (1 on); "" for 0.
    std::string_view Campo(size_t fila, int col) const {
        const auto [desde, cuantos] = Trozo(col);
        return Linea(fila).substr(desde, cuantos);
    }

    // The rows in the order of their keys (the fields of the columns given, -1 for a blank) compared
    // without regard to case or accents, then in listing order; of rows with equal keys only the one
    // listed last.
    std::vector<size_t> Ordena(const std::vector<int> &partes) const {
        // Every line has the same length, so a part lies at the same place in every line.
        std::vector<std::pair<size_t, size_t>> trozos; // offset in the line and length; npos: a blank
        for (int col : partes)
            trozos.push_back(col < 0 ? std::pair(std::string::npos, size_t{1}) : Trozo(col));
        std::vector<Orden> orden = prefijos(trozos);
        // The rest of the key, folded, when the first bytes are equal (the keys have one length).
        auto compara = [&](size_t a, size_t b) {
            for (const auto &[desde, cuantos] : trozos) {
                if (desde == std::string::npos)
                    continue;
                for (size_t k = 0; k < cuantos; ++k) {
                    const unsigned char x = kPlegado.t[static_cast<unsigned char>(linea(a)[desde + k])];
                    const unsigned char y = kPlegado.t[static_cast<unsigned char>(linea(b)[desde + k])];
                    if (x != y)
                        return x < y ? -1 : 1;
                }
            }
            return 0;
        };
        std::sort(orden.begin(), orden.end(), [&](const Orden &a, const Orden &b) {
            for (int w = 0; w < 3; ++w)
                if (a.clave[w] != b.clave[w])
                    return a.clave[w] < b.clave[w];
            const int c = compara(a.fila, b.fila);
            return c != 0 ? c < 0 : a.fila < b.fila;
        });
        // Equal clockings (the same bytes): the one listed later stays.
        auto iguales = [&](const Orden &a, const Orden &b) {
            if (a.clave[0] != b.clave[0] || a.clave[1] != b.clave[1] || a.clave[2] != b.clave[2])
                return false;
            for (const auto &[desde, cuantos] : trozos)
                if (desde != std::string::npos &&
                    std::memcmp(linea(a.fila) + desde, linea(b.fila) + desde, cuantos))
                    return false;
            return true;
        };
        std::vector<size_t> unicas;
        const Orden *ultima = nullptr;
        for (const Orden &o : orden) {
            if (ultima && iguales(*ultima, o))
                unicas.back() = o.fila;
            else
                unicas.push_back(o.fila);
            ultima = &o;
        }
        return unicas;
    }

private:
    struct Fila {
        size_t inicio; // in texto_
        size_t offset; // in its file
        int archivo;
        bool anulado;
    };
    // A row and the first 24 bytes of its key, folded, as three numbers: they order most pairs at once.
    struct Orden {
        uint64_t clave[3];
        size_t fila;
    };

    const char *linea(size_t fila) const { return texto_.data() + filas_[fila].inicio; }

    std::vector<Orden> prefijos(const std::vector<std::pair<size_t, size_t>> &trozos) const {
        // Blanks and (past the key's end) NULs as they stand, the rest from where they lie in the line.
        constexpr size_t kPrefijo = 24;
        unsigned char plantilla[kPrefijo] = {};
        std::vector<std::pair<size_t, size_t>> copias; // place in the prefix, offset in the line
        size_t j = 0;
        for (auto t = trozos.begin(); t != trozos.end() && j < kPrefijo; ++t)
            for (size_t b = 0; b < t->second && j < kPrefijo; ++b, ++j)
                if (t->first == std::string::npos)
                    plantilla[j] = kPlegado.t[static_cast<unsigned char>(' ')];
                else
                    copias.emplace_back(j, t->first + b);
        std::vector<Orden> orden(filas_.size());
        for (size_t i = 0; i < orden.size(); ++i) {
            const unsigned char *l = reinterpret_cast<const unsigned char *>(linea(i));
            unsigned char k[kPrefijo];
            std::memcpy(k, plantilla, kPrefijo);
            for (const auto &[a, desde] : copias)
                k[a] = kPlegado.t[l[desde]];
            orden[i].fila = i;
            for (size_t w = 0; w < 3; ++w) {
                uint64_t v = 0;
                for (size_t b = 0; b < 8; ++b)
                    v = v << 8 | k[w * 8 + b];
                orden[i].clave[w] = v;
            }
        }
        return orden;
    }

    const std::vector<ColumnaListado> &columnas_;
    size_t longitud_;
    std::string texto_;
    std::vector<Fila> filas_;
};

// The whole file into bytes, keeping their room: a listing reads a file a day and terminal, so
// the file is read with the system's calls alone. False when it cannot be opened.
bool LeeArchivo(const std::string &ruta, std::string &bytes) {
    std::string local = RutaLocal(ruta);
    if (std::any_of(local.begin(), local.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        local = QFile::encodeName(RutaQ(ruta)).toStdString();
    const int fd = ::open(local.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return false;
    }
    bytes.resize(static_cast<size_t>(std::max<off_t>(st.st_size, 0)));
    size_t leidos = 0;
    while (leidos < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + leidos, bytes.size() - leidos);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        leidos += static_cast<size_t>(n);
    }
    ::close(fd);
    bytes.resize(leidos);
    return true;
}

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

    FilasListadas filas(columnas, static_cast<size_t>(longitud));
    // Fields checked on every line.
    const auto fDia = filas.Trozo(cDia), fMes = filas.Trozo(cMes), fAnio = filas.Trozo(cAnio),
               fHora = filas.Trozo(cHora), fMinuto = filas.Trozo(cMinuto);
    std::string bytes;
    auto leeArchivo = [&](const std::string &ruta, unsigned char clave, bool descifra,
                          const TTerminalListado &t, int dia) {
        if (!LeeArchivo(ruta, bytes))
            return;
        const int indice = static_cast<int>(res.Archivos.size());
        res.Archivos.push_back(ruta);
        res.Claves.push_back(descifra ? clave : 0);
        const size_t L = static_cast<size_t>(longitud);
        size_t pos = 0;
        std::string linea;
        while (pos + L <= bytes.size()) {
            // Another employee's line, stored plain where it is read: passed over uncopied.
            if (n != 0 && posN >= 0 && L >= 2 &&
                !(descifra && (static_cast<unsigned char>(bytes[pos + 1]) & 0x80)) &&
                (empiezaCR ? bytes[pos] == '\r' : p.Produccion || bytes[pos] != '\r')) {
                const int numero = LeeEntero(campo(std::string_view(bytes).substr(pos, L), posN, anchoN));
                if (numero != n && (pareja == 0 || numero != pareja)) {
                    pos += L;
                    continue;
                }
            }
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
                const int numero = LeeEntero(campo(linea, posN, anchoN));
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
            const size_t fila = filas.Anade(linea, pos - L, anulado, indice);
            if (!p.Produccion) {
                const std::string_view listada = filas.Linea(fila);
                auto fuera = [&](int col, const std::pair<size_t, size_t> &campo, int minimo, int maximo) {
                    if (!col)
                        return false;
                    const int v = LeeEntero(listada.substr(campo.first, campo.second));
                    return v < minimo || v > maximo;
                };
                if (fuera(cDia, fDia, 1, 31) || fuera(cMes, fMes, 1, 12) ||
                    (anioCompleto && fuera(cAnio, fAnio, 2005, 2500)) || fuera(cHora, fHora, 0, 23) ||
                    fuera(cMinuto, fMinuto, 0, 60)) {
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
    std::vector<int> partes;
    if (p.Produccion && p.Tipo != ListadoAccesos)
        partes = {cNombre, -1};
    partes.insert(partes.end(), {cAnio, cMes, cDia, cHora, cMinuto, cSegundo, cProduccion});
    if (p.Tipo == ListadoAccesos)
        partes.insert(partes.end(), {-1, cCodigo});
    else if (!p.Produccion && n == 0)
        partes.insert(partes.end(), {-1, cNombre}); // everybody listed: no clocking hides another's
    const std::vector<size_t> unicas = filas.Ordena(partes);

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
            const size_t f = unicas[i];
            return Fecha{LeeEntero(filas.Campo(f, cDia)), LeeEntero(filas.Campo(f, cMes)),
                         LeeEntero(filas.Campo(f, cAnio))};
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
                const int c = LeeEntero(filas.Campo(unicas[r + 1], cIncidencia));
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
    // Every cell is written below but the corner and the empty row of an empty listing.
    grid.Cells[0][0].clear();
    if (quedan == 0)
        for (int k = 0; k < ncol; ++k)
            grid.Cells[k][1].clear();
    for (int k = 1; k < ncol; ++k) {
        const ColumnaListado &c = columnas[static_cast<size_t>(k - 1)];
        grid.Cells[k][0] = CampoFichaje(c.letra)->Titulo;
        const int recordado = static_cast<size_t>(k) < p.Anchos.size() ? p.Anchos[static_cast<size_t>(k)] : 0;
        grid.ColWidths[static_cast<size_t>(k)] = recordado > 0 ? recordado : 9 * c.ancho;
    }
    res.ArchivoFila.assign(static_cast<size_t>(grid.RowCount()), -1);
    std::vector<size_t> listadas;
    listadas.reserve(quedan);
    for (size_t i = 0; i < unicas.size(); ++i)
        if (!borrada[i])
            listadas.push_back(unicas[i]);
    // Column by column, each cell keeping the room it had.
    char marca[24];
    for (size_t r = 0; r < listadas.size(); ++r) {
        grid.Cells[0][static_cast<int>(r) + 1].assign(filas.Marca(listadas[r], marca));
        res.ArchivoFila[r + 1] = filas.Archivo(listadas[r]);
    }
    for (int k = 1; k < ncol; ++k) {
        const auto [desde, cuantos] = filas.Trozo(k);
        for (size_t r = 0; r < listadas.size(); ++r)
            grid.Cells[k][static_cast<int>(r) + 1].assign(filas.Linea(listadas[r]).substr(desde, cuantos));
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
