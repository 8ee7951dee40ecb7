#include "production/numeracion.h"

#include "platform/codepage.h"
#include "platform/numeros.h"
#include "production/ordentrabajo.h"

#include "platform/rutas.h"

#include <QDir>
#include <algorithm>
#include <cstring>
#include <set>

namespace {

// The names of the directory's plain files up to their first ".".
std::set<std::string> sinExtension(const std::string &directorio) {
    std::set<std::string> r;
    const QDir dir(RutaQ(directorio.empty() ? "." : directorio));
    for (const QString &n : dir.entryList(QDir::Files)) {
        const std::string nombre = RutaDeQ(n);
        r.insert(nombre.substr(0, nombre.find('.')));
    }
    return r;
}

bool extensionValida(const std::string &nombre) {
    if (nombre.empty() || nombre.back() == '.' || nombre.back() == ' ')
        return false;
    for (unsigned char c : nombre)
        if (c < 32 || std::strchr("\\/:*?\"<>|", c))
            return false;
    return true;
}

} // namespace

bool LeeTipoOrden(const std::string &nodo, TTipoOrden &tipo, std::string &error) {
    const size_t dolar = nodo.find('$');
    tipo = TTipoOrden{};
    tipo.Numerado = dolar != std::string::npos;
    tipo.Nombre = nodo.substr(0, dolar);
    if (tipo.Numerado)
        tipo.Digitos = std::clamp(LeeEntero(nodo.substr(dolar + 1)), 1, 9);
    if (extensionValida(tipo.Nombre))
        return true;
    error =
        Ansi("El tipo de orden \"") + nodo + Ansi("\" no puede ser la extensión de un nombre de archivo.");
    return false;
}

int DigitosSinNumero(const std::vector<std::string> &raices) {
    TTipoOrden tipo;
    std::string error;
    if (!raices.empty() && LeeTipoOrden(raices.front(), tipo, error) && tipo.Numerado)
        return tipo.Digitos;
    return 4;
}

bool NumeraOrden(const std::string &nodo, int anio, const std::string &inicio, const std::string &directorio,
                 int digitosSinNumero, TNumeracion &numeracion, std::string &error) {
    TTipoOrden tipo;
    if (!LeeTipoOrden(nodo, tipo, error))
        return false;
    numeracion = TNumeracion{};
    if (!tipo.Numerado) {
        numeracion.SinNumeracion = true;
        numeracion.Numero = "0000";
        numeracion.Archivo = Formato("%04d_%0*d.", anio, std::clamp(digitosSinNumero, 1, 9), 0) + tipo.Nombre;
        return true;
    }
    int n = std::max(1, LeeEntero(inicio.substr(0, 4)));
    auto candidato = [&] { return Formato("%04d_%0*d", anio, tipo.Digitos, n); };
    const std::set<std::string> usados = sinExtension(directorio);
    while (n <= MaxNumeroOrden && usados.count(candidato()))
        ++n;
    if (n > MaxNumeroOrden) {
        error = Formato(Ansi("No quedan números de orden en %d: el siguiente pasaría de %d.").c_str(), anio,
                        MaxNumeroOrden);
        return false;
    }
    numeracion.Archivo = candidato() + "." + tipo.Nombre;
    numeracion.Numero = Formato("%04d", n);
    return true;
}
