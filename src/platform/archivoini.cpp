#include "platform/archivoini.h"

#include "platform/lineas.h"
#include "platform/numeros.h"

#include <algorithm>
#include <cctype>

namespace {

std::string recorta(const std::string &s) {
    size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t'))
        ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t'))
        --b;
    return s.substr(a, b - a);
}

bool igual(const std::string &a, const std::string &b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Name of the section when the line is a section header.
bool esSeccion(const std::string &linea, std::string &nombre) {
    std::string t = recorta(linea);
    if (t.size() < 2 || t.front() != '[')
        return false;
    size_t cierre = t.find(']');
    if (cierre == std::string::npos)
        return false;
    nombre = recorta(t.substr(1, cierre - 1));
    return true;
}

bool esClave(const std::string &linea, std::string &nombre, std::string &valor) {
    std::string t = recorta(linea);
    if (t.empty() || t[0] == ';')
        return false;
    size_t igualdad = t.find('=');
    if (igualdad == std::string::npos)
        return false;
    nombre = recorta(t.substr(0, igualdad));
    valor = recorta(t.substr(igualdad + 1));
    if (valor.size() >= 2 &&
        ((valor.front() == '"' && valor.back() == '"') || (valor.front() == '\'' && valor.back() == '\'')))
        valor = valor.substr(1, valor.size() - 2);
    return true;
}

// Range [inicio, fin) of the body lines of a section; inicio = npos when absent.
void rango(const std::vector<std::string> &lineas, const std::string &seccion, size_t &inicio, size_t &fin) {
    inicio = std::string::npos;
    fin = lineas.size();
    std::string nombre;
    for (size_t i = 0; i < lineas.size(); ++i) {
        if (esSeccion(lineas[i], nombre)) {
            if (inicio != std::string::npos) {
                fin = i;
                return;
            }
            if (igual(nombre, seccion))
                inicio = i + 1;
        }
    }
}

struct Clave {
    size_t linea;
    std::string nombre;
    std::string valor;
};

// The key lines of a section, in file order; presente tells whether the section exists.
std::vector<Clave> claves(const std::vector<std::string> &lineas, const std::string &seccion,
                          bool *presente = nullptr) {
    std::vector<Clave> r;
    size_t ini, fin;
    rango(lineas, seccion, ini, fin);
    if (presente)
        *presente = ini != std::string::npos;
    if (ini == std::string::npos)
        return r;
    std::string n, v;
    for (size_t i = ini; i < fin; ++i)
        if (esClave(lineas[i], n, v))
            r.push_back({i, n, v});
    return r;
}

const Clave *busca(const std::vector<Clave> &cs, const std::string &clave) {
    for (const Clave &c : cs)
        if (igual(c.nombre, clave))
            return &c;
    return nullptr;
}

// Sets a key in the lines: an existing key keeps its place and name, a new one goes after the last
// non-blank line of its section, a new section at the end of the file.
void pon(std::vector<std::string> &lineas, const std::string &seccion, const std::string &clave,
         const std::string &valor) {
    size_t ini, fin;
    rango(lineas, seccion, ini, fin);
    if (ini == std::string::npos) {
        lineas.push_back("[" + seccion + "]");
        lineas.push_back(clave + "=" + valor);
        return;
    }
    const auto cs = claves(lineas, seccion);
    if (const Clave *c = busca(cs, clave)) {
        lineas[c->linea] = c->nombre + "=" + valor;
        return;
    }
    size_t ultima = ini; // after the last non-blank line of the section
    for (size_t i = ini; i < fin; ++i)
        if (!recorta(lineas[i]).empty())
            ultima = i + 1;
    lineas.insert(lineas.begin() + static_cast<long>(ultima), clave + "=" + valor);
}

} // namespace

TIniFile::TIniFile(std::string ruta) : ruta_(std::move(ruta)) {}

bool TIniFile::lee(std::vector<std::string> &lineas) const {
    return LeeLineasSiExiste(ruta_, lineas);
}

std::vector<std::string> TIniFile::lee() const {
    std::vector<std::string> lineas;
    lee(lineas);
    return lineas;
}

bool TIniFile::Legible() const {
    std::vector<std::string> lineas;
    return lee(lineas);
}

bool TIniFile::guarda(const std::vector<std::string> &lineas) {
    return GuardaLineas(ruta_, lineas);
}

std::string TIniFile::ReadString(const std::string &seccion, const std::string &clave,
                                 const std::string &defecto) const {
    const auto cs = claves(lee(), seccion);
    const Clave *c = busca(cs, clave);
    return c ? c->valor : defecto;
}

bool TIniFile::ValueExists(const std::string &seccion, const std::string &clave) const {
    return busca(claves(lee(), seccion), clave) != nullptr;
}

int TIniFile::ReadInteger(const std::string &seccion, const std::string &clave, int defecto) const {
    int v = 0;
    if (EnteroValido(ReadString(seccion, clave, ""), v))
        return v;
    return defecto;
}

bool TIniFile::WriteString(const std::string &seccion, const std::string &clave, const std::string &valor) {
    std::vector<std::string> lineas;
    if (!lee(lineas))
        return false;
    pon(lineas, seccion, clave, valor);
    return guarda(lineas);
}

bool TIniFile::WriteStrings(const std::string &seccion,
                            const std::vector<std::pair<std::string, std::string>> &valores) {
    std::string antes;
    const bool existe = ExisteArchivo(ruta_);
    if (valores.empty() || (existe && !LeeBytes(ruta_, antes)))
        return valores.empty();
    std::vector<std::string> lineas = PartirLineas(antes);
    for (const auto &[clave, valor] : valores)
        pon(lineas, seccion, clave, valor);
    const std::string texto = UneLineas(lineas);
    return (existe && texto == antes) || GuardaBytes(ruta_, texto);
}

bool TIniFile::WriteInteger(const std::string &seccion, const std::string &clave, int valor) {
    return WriteString(seccion, clave, std::to_string(valor));
}

std::vector<std::string> TIniFile::ReadSection(const std::string &seccion) const {
    std::vector<std::string> r;
    for (const Clave &c : claves(lee(), seccion))
        r.push_back(c.nombre);
    return r;
}

std::vector<std::string> TIniFile::ReadSectionValues(const std::string &seccion) const {
    const auto lineas = lee();
    std::vector<std::string> r;
    for (const Clave &c : claves(lineas, seccion))
        r.push_back(recorta(lineas[c.linea]));
    return r;
}

bool TIniFile::DeleteKey(const std::string &seccion, const std::string &clave) {
    std::vector<std::string> lineas;
    if (!lee(lineas))
        return false;
    const auto cs = claves(lineas, seccion);
    const Clave *c = busca(cs, clave);
    if (!c)
        return true;
    lineas.erase(lineas.begin() + static_cast<long>(c->linea));
    return guarda(lineas);
}

bool TIniFile::EraseSection(const std::string &seccion) {
    std::vector<std::string> lineas;
    if (!lee(lineas))
        return false;
    size_t ini, fin;
    rango(lineas, seccion, ini, fin);
    if (ini == std::string::npos)
        return true;
    lineas.erase(lineas.begin() + static_cast<long>(ini - 1), lineas.begin() + static_cast<long>(fin));
    return guarda(lineas);
}

bool TIniFile::MueveSeccion(const std::string &origen, const std::string &destino) {
    std::vector<std::string> lineas;
    if (!lee(lineas))
        return false;
    const auto cs = claves(lineas, origen);
    if (cs.empty())
        return true;
    for (auto c = cs.rbegin(); c != cs.rend(); ++c)
        lineas.erase(lineas.begin() + static_cast<long>(c->linea));
    for (const Clave &c : cs)
        pon(lineas, destino, c.nombre, c.valor);
    return guarda(lineas);
}
