#include "terminal/listadofichajes.h"

#include "common/configuracion.h"
#include "platform/lineas.h"
#include "platform/numeros.h"
#include "platform/rutas.h"
#include "terminal/fichaje.h"
#include "terminal/filaslistadas.h"
#include "terminal/guardafichaje.h"
#include "terminal/lectorparcial.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <memory>

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

// One column of the listing: its letter and where its field lies in a line.
struct ColumnaListado {
    char letra;
    int posicion;
    int ancho;
};

// The columns of a listing's format: one per field whose letter the table holds, in format order.
struct MapaColumnas {
    std::vector<ColumnaListado> columnas;
    size_t longitud = 0; // of a stored line

    // The grid column of a letter (the later one when it occurs twice); 0 when the format has none.
    int Columna(char letra) const {
        int k = 0;
        for (size_t i = 0; i < columnas.size(); ++i)
            if (columnas[i].letra == letra)
                k = static_cast<int>(i) + 1;
        return k;
    }
    const ColumnaListado *De(char letra) const {
        const int k = Columna(letra);
        return k ? &columnas[static_cast<size_t>(k - 1)] : nullptr;
    }
    // Where each column's field lies in a line ((0, 0) when outside it).
    std::vector<FilasListadas::Trozo> Trozos() const {
        std::vector<FilasListadas::Trozo> t;
        for (const ColumnaListado &c : columnas)
            if (c.posicion < 0 || static_cast<size_t>(c.posicion) >= longitud)
                t.emplace_back(0, 0);
            else
                t.emplace_back(c.posicion, std::min(static_cast<size_t>(c.ancho), longitud - c.posicion));
        return t;
    }
};

// Walks the format once; notes each column where the letter table says, and the line length.
MapaColumnas mapaColumnas(const TFormatoAnalizado &formato, TColumnasFichajes &c) {
    MapaColumnas m;
    int posicion = 0;
    for (const TElementoFormato &e : formato) {
        if (!e.Letra) {
            posicion += static_cast<int>(e.Literal.size());
            continue;
        }
        if (const TCampoFichaje *campo = CampoFichaje(e.Letra)) {
            m.columnas.push_back({e.Letra, posicion, e.Ancho});
            if (campo->Columna)
                c.*(campo->Columna) = static_cast<int>(m.columnas.size());
        }
        posicion += e.Ancho;
    }
    m.longitud = static_cast<size_t>(posicion);
    c.LongitudLinea = posicion;
    return m;
}

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

// Reads the files a request asks for into rows: the day files of the checked terminals over the
// period, or the history file; keeps what the request's kind and employee accept.
class Lectura {
public:
    Lectura(const TPeticionListado &p, const MapaColumnas &m, TResultadoListado &res)
        : Filas(m.longitud, m.Trozos()), p_(p), m_(m), res_(res), n_(LeeEntero(p.Busca)),
          pareja_(n_ != 0 ? BuscaAlias(n_) : 0), cN_(m.De('n')), cP_(m.De('p')), cU_(m.De('u')),
          patron_(AnalizaFormato(Configuracion().PatronParcial)) {
        const TFormatoAnalizado formato = AnalizaFormato(res.Formato);
        const bool empiezaCR =
            !formato.empty() && !formato.front().Letra && formato.front().Literal[0] == '\r';
        alineacion_ = empiezaCR ? TAlineacion::CR : p.Produccion ? TAlineacion::Ninguna : TAlineacion::CRLF;
        dias_ = p.Desde.isValid() && p.Hasta.isValid() ? static_cast<int>(p.Desde.daysTo(p.Hasta)) + 1 : 0;
        Banderas.assign(static_cast<size_t>(std::max(dias_, 0)), 0);
        // The date and time fields checked on every line: day, month, a four-digit year, hour, minute.
        const ColumnaListado *anio = m.De('a');
        for (const Rango r : {Rango{'d', 1, 31}, Rango{'m', 1, 12}, Rango{'a', 2005, 2500}, Rango{'H', 0, 23},
                              Rango{'M', 0, 60}})
            if (m.Columna(r.letra) && (r.letra != 'a' || anio->ancho >= 4))
                rangos_.push_back({Filas.Campo(m.Columna(r.letra)), r.minimo, r.maximo});
    }

    void Lee();

    FilasListadas Filas;
    std::vector<char> Banderas; // per day of the period: 1, a day of an access terminal to thin

private:
    void leeDias(const TTerminalListado &t);
    void leeArchivo(const std::string &ruta, unsigned char clave, bool descifra, const TTerminalListado &t,
                    int dia);
    bool aceptada(const TLineaParcial &l, const TTerminalListado &t, int dia);
    std::vector<uint32_t> posiciones(const std::string &ruta, const std::string &bytes, unsigned char clave,
                                     bool descifra);
    bool otroEmpleado(std::string_view linea) const {
        const int numero = LeeEntero(campo(linea, cN_->posicion, cN_->ancho));
        return numero != n_ && (pareja_ == 0 || numero != pareja_);
    }
    bool fueraDeRango(size_t fila) const;

    const TPeticionListado &p_;
    const MapaColumnas &m_;
    TResultadoListado &res_;
    int dias_ = 0;
    int n_, pareja_; // the employee searched for and the alias paired with it
    const ColumnaListado *cN_, *cP_, *cU_;
    struct Rango {
        char letra;
        int minimo, maximo;
    };
    struct Comprobacion {
        std::pair<size_t, size_t> trozo; // where the field lies in a line
        int minimo, maximo;
    };
    std::vector<Comprobacion> rangos_;
    TAlineacion alineacion_;
    TFormatoAnalizado patron_;
    std::string bytes_;
    TLineaParcial linea_;
};

void Lectura::Lee() {
    if (dias_ <= 0 || m_.longitud == 0)
        return;
    bool terminalCero = false;
    for (const TTerminalListado &t : p_.Terminales) {
        if (!t.Marcado)
            continue;
        if (p_.Historico) {
            leeArchivo(Configuracion().RutaHistorico, 0, false, t, 0);
            return;
        }
        terminalCero = terminalCero || t.Numero == 0;
        leeDias(t);
    }
    // Manual clockings are stored as terminal 000: they count in every kind but the access
    // listing, whatever terminals are checked, and once.
    if (!p_.Historico && p_.Tipo != ListadoAccesos && !terminalCero)
        leeDias(TTerminalListado{0, 0, 0, true});
}

void Lectura::leeDias(const TTerminalListado &t) {
    for (int d = 0; d < dias_; ++d) {
        const QDate dia = p_.Desde.addDays(d);
        const std::string nombre =
            NombreParcial(patron_, FichajeEnEspera(t.Numero, dia.day(), dia.month(), dia.year()));
        leeArchivo(Configuracion().DirFichajes + nombre, ClaveFichajes(nombre), true, t, d);
    }
}

void Lectura::leeArchivo(const std::string &ruta, unsigned char clave, bool descifra,
                         const TTerminalListado &t, int dia) {
    const std::string *bytes = p_.Leidos                  ? p_.Leidos->Lee(ruta)
                               : LeeParcial(ruta, bytes_) ? &bytes_
                                                          : nullptr;
    if (!bytes)
        return;
    const int indice = static_cast<int>(res_.Archivos.size());
    res_.Archivos.push_back(ruta);
    res_.Claves.push_back(descifra ? clave : 0);
    auto anade = [&] {
        if (!aceptada(linea_, t, dia))
            return true;
        const size_t fila = Filas.Anade(linea_, indice);
        if (!p_.Produccion && fueraDeRango(fila)) {
            res_.Defectuosos.push_back(ruta);
            return false;
        }
        return true;
    };
    if (p_.Leidos && n_ != 0 && cN_) { // a run lists employee after employee from the same files
        for (const uint32_t pos : posiciones(ruta, *bytes, clave, descifra)) {
            TLectorParcial lector(*bytes, clave, descifra);
            lector.Avanza(pos);
            if (!lector.Siguiente(m_.longitud, alineacion_, linea_) || !anade())
                return;
        }
        return;
    }
    TLectorParcial lector(*bytes, clave, descifra);
    std::function<bool(std::string_view)> pasa; // another employee's plain line is passed over uncopied
    if (n_ != 0 && cN_)
        pasa = [this](std::string_view pieza) { return !otroEmpleado(pieza); };
    while (lector.Siguiente(m_.longitud, alineacion_, linea_, pasa))
        if (!anade())
            return;
}

// Where the lines of the employee searched for and of its alias begin, in reading order, from
// the run's index of the file (made here on the first listing that reads it).
std::vector<uint32_t> Lectura::posiciones(const std::string &ruta, const std::string &bytes,
                                          unsigned char clave, bool descifra) {
    const std::array<int, 6> reglas{static_cast<int>(m_.longitud),
                                    static_cast<int>(alineacion_),
                                    clave,
                                    descifra,
                                    cN_->posicion,
                                    cN_->ancho};
    bool nuevo = false;
    TIndiceParcial &indice = p_.Leidos->Indice(ruta, reglas, nuevo);
    if (nuevo) {
        TLectorParcial lector(bytes, clave, descifra);
        for (size_t pos = 0; lector.Siguiente(m_.longitud, alineacion_, linea_); pos = lector.Posicion())
            indice.Posiciones[LeeEntero(campo(linea_.Texto, cN_->posicion, cN_->ancho))].push_back(
                static_cast<uint32_t>(pos));
    }
    static const std::vector<uint32_t> ninguna;
    auto de = [&](int numero) -> const std::vector<uint32_t> & {
        const auto it = indice.Posiciones.find(numero);
        return it == indice.Posiciones.end() ? ninguna : it->second;
    };
    const std::vector<uint32_t> &a = de(n_), &b = pareja_ != 0 && pareja_ != n_ ? de(pareja_) : ninguna;
    std::vector<uint32_t> todas;
    todas.reserve(a.size() + b.size());
    std::merge(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(todas));
    return todas;
}

bool Lectura::aceptada(const TLineaParcial &l, const TTerminalListado &t, int dia) {
    if (l.Anulada && p_.Externa)
        return false;
    if (n_ != 0 && (!cN_ || otroEmpleado(l.Texto)))
        return false;
    const bool produccion = cP_ && produccionNoNula(campo(l.Texto, cP_->posicion, std::min(cP_->ancho, 8)));
    if (p_.Tipo == ListadoPresencia) {
        if (produccion)
            return false;
        // Manual clockings leave the day's flag to the terminals.
        if (t.Conexion != 0 && dia >= 0 && static_cast<size_t>(dia) < Banderas.size())
            Banderas[static_cast<size_t>(dia)] = (p_.Externa && t.Modo == 'A') ? 1 : 0;
    } else if (p_.Tipo == ListadoAccesos) {
        if (produccion || (t.Modo != 'A' && t.Modo != 'T'))
            return false;
        if (cU_ && static_cast<size_t>(cU_->posicion) < l.Texto.size() &&
            l.Texto[static_cast<size_t>(cU_->posicion)] == 'N')
            return false;
    }
    return true;
}

bool Lectura::fueraDeRango(size_t fila) const {
    const std::string_view l = Filas.Linea(fila);
    for (const Comprobacion &c : rangos_) {
        const int v = LeeEntero(l.substr(c.trozo.first, c.trozo.second));
        if (v < c.minimo || v > c.maximo)
            return true;
    }
    return false;
}

// Sort by date and time (by employee first in the production twin), then by listing order.
std::vector<uint32_t> ordena(const TPeticionListado &p, const MapaColumnas &m, const FilasListadas &filas) {
    std::vector<int> partes;
    if (p.Produccion && p.Tipo != ListadoAccesos)
        partes = {m.Columna('n'), -1};
    for (char letra : {'a', 'm', 'd', 'H', 'M', 'S', 'p'})
        partes.push_back(m.Columna(letra));
    if (p.Tipo == ListadoAccesos)
        partes.insert(partes.end(), {-1, m.Columna('c')});
    else if (!p.Produccion && LeeEntero(p.Busca) == 0)
        partes.insert(partes.end(), {-1, m.Columna('n')}); // everybody listed: no clocking hides another's
    return filas.Ordena(partes);
}

// Thinning of access-terminal days: within a run of one day's clockings without incidence only the
// first and the last stay; a clocking with an incidence and the one after it stay. Returns the rows
// that stay, in order.
std::vector<uint32_t> aclaraAccesos(const TPeticionListado &p, const MapaColumnas &m,
                                    const FilasListadas &filas, std::vector<uint32_t> unicas,
                                    const std::vector<char> &banderas) {
    if (p.Tipo != ListadoPresencia || !p.Externa ||
        std::find(banderas.begin(), banderas.end(), 1) == banderas.end())
        return unicas;
    const int cDia = m.Columna('d'), cMes = m.Columna('m'), cAnio = m.Columna('a'), cInc = m.Columna('i');
    using Fecha = std::array<int, 3>;
    auto fecha = [&](size_t i) {
        const size_t f = unicas[i];
        return Fecha{filas.Entero(f, cDia), filas.Entero(f, cMes), filas.Entero(f, cAnio)};
    };
    auto marcada = [&](const Fecha &f) {
        const QDate q(f[2], f[1], f[0]);
        return q.isValid() && q >= p.Desde && q <= p.Hasta &&
               banderas[static_cast<size_t>(p.Desde.daysTo(q))] == 1;
    };
    std::vector<char> borrada(unicas.size(), 0);
    bool interruptor = false;
    long anterior = -1; // previous row kept (-1: the title row)
    size_t r = 0;
    while (r + 1 < unicas.size()) {
        const Fecha fr = fecha(r);
        if (anterior < 0 || fecha(static_cast<size_t>(anterior)) != fr)
            interruptor = false;
        if (!marcada(fr) || fecha(r + 1) != fr) {
            anterior = static_cast<long>(r);
            r += 1;
            continue;
        }
        const bool conIncidencia = filas.Entero(unicas[r + 1], cInc) != 0;
        if (interruptor)
            borrada[r] = 1;
        if (conIncidencia) { // the row with the incidence stays, and the switch goes off
            interruptor = false;
            anterior = static_cast<long>(r + 1);
            r += 2;
        } else {
            if (!interruptor)
                anterior = static_cast<long>(r);
            interruptor = true;
            r += 1;
        }
    }
    size_t quedan = 0;
    for (size_t i = 0; i < unicas.size(); ++i)
        if (!borrada[i])
            unicas[quedan++] = unicas[i];
    unicas.resize(quedan);
    return unicas;
}

// The rows into the grid under the titles, read from the listing's lines; with none, the titles
// and one empty row.
void vuelca(StringGrid &grid, const TPeticionListado &p, const MapaColumnas &m, FilasListadas filas,
            std::vector<uint32_t> listadas, TResultadoListado &res) {
    const size_t ncol = m.columnas.size() + 1;
    std::vector<std::string> titulos(ncol);
    grid.ColWidths.resize(ncol, 64);
    for (size_t k = 1; k < ncol; ++k) {
        const ColumnaListado &c = m.columnas[k - 1];
        titulos[k] = CampoFichaje(c.letra)->Titulo;
        const int recordado = k < p.Anchos.size() ? p.Anchos[k] : 0;
        grid.ColWidths[k] = recordado > 0 ? recordado : 9 * c.ancho;
    }
    res.ArchivoFila.assign(std::max<size_t>(listadas.size(), 1) + 1, -1);
    for (size_t r = 0; r < listadas.size(); ++r)
        res.ArchivoFila[r + 1] = filas.Archivo(listadas[r]);
    grid.FijaFuente(
        std::make_shared<CeldasListadas>(std::move(filas), std::move(listadas), std::move(titulos)));
}

} // namespace

TResultadoListado ListaFichajes(const TPeticionListado &p, StringGrid &grid,
                                const TColumnasFichajes &anteriores) {
    TResultadoListado res;
    res.Columnas = anteriores;
    res.Columnas.Segundo = 0;
    res.Historico = p.Historico;
    res.Formato = p.Historico ? PlantillaBruta : Configuracion().FormatoFichaje;
    const MapaColumnas m = mapaColumnas(AnalizaFormato(res.Formato), res.Columnas);
    Lectura lectura(p, m, res);
    lectura.Lee();
    std::vector<uint32_t> listadas =
        aclaraAccesos(p, m, lectura.Filas, ordena(p, m, lectura.Filas), lectura.Banderas);
    vuelca(grid, p, m, std::move(lectura.Filas), std::move(listadas), res);
    return res;
}

bool AlternaAnulado(const TResultadoListado &listado, const StringGrid &grid, int fila) {
    if (listado.Historico || fila < 1 || fila >= grid.RowCount())
        return false;
    std::string aux;
    const std::string_view marca = grid.Texto(0, fila, aux);
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
    char primero = leida[0];
    const TLineaParcial linea =
        TLineaParcial::Lee(std::string(leida.constData(), static_cast<size_t>(leida.size())),
                           listado.Claves[static_cast<size_t>(indice)]);
    if (linea.Anulada != anulado)
        return false; // the file changed since it was listed
    primero = static_cast<char>(static_cast<unsigned char>(primero) ^ 0x80);
    const bool ok = f.seek(offset) && f.write(&primero, 1) == 1 && f.flush();
    OlvidaParciales();
    return ok;
}
