#include "terminal/cambiocodigo.h"

#include "common/registromin.h"
#include "platform/lineas.h"
#include "terminal/listasusuarios.h"

namespace {

// Employee field of a history line: offset 34 of the raw record, less its CR LF.
constexpr size_t kLongitudLinea = 101, kPosEmpleado = 32, kLongitudEmpleado = 54;

// The list's bytes with the code changed; false when none changed.
bool cambiaEnLista(std::string &datos, const std::string &viejo, const std::string &nuevo) {
    bool cambiado = false;
    for (size_t pos = 0; pos + TRegistroMin::Tamano <= datos.size(); pos += TRegistroMin::Tamano) {
        TRegistroMin r = TRegistroMin::DeBytes(datos, pos);
        const std::string texto = r.Texto();
        if (ValorCodigo(texto) != viejo)
            continue;
        const size_t blanco = texto.find(' ');
        r.FijaTexto(nuevo, blanco == std::string::npos ? std::string() : texto.substr(blanco + 1));
        datos.replace(pos, TRegistroMin::Tamano, r.ABytes());
        cambiado = true;
    }
    return cambiado;
}

// Every line of the text, as a file read splits it, changed in place; line ends stay as they are.
bool cambiaEnHistorico(std::string &datos, const std::string &viejo, const std::string &nuevo) {
    bool cambiado = false;
    size_t inicio = 0;
    while (inicio < datos.size()) {
        size_t lf = datos.find('\n', inicio);
        size_t fin = lf == std::string::npos ? datos.size() : lf;
        if (lf != std::string::npos && fin > inicio && datos[fin - 1] == '\r')
            --fin;
        if (fin - inicio == kLongitudLinea) {
            std::string linea = datos.substr(inicio, kLongitudLinea);
            if (CambiaCodigoLinea(linea, viejo, nuevo)) {
                datos.replace(inicio, kLongitudLinea, linea);
                cambiado = true;
            }
        }
        if (lf == std::string::npos)
            break;
        inicio = lf + 1;
    }
    return cambiado;
}

// Reads a file that may be missing; false only when it exists and cannot be read.
bool leeSiExiste(const std::string &ruta, std::string &datos, bool &existe, std::string &error) {
    datos.clear();
    existe = ExisteArchivo(ruta);
    if (existe && !LeeBytes(ruta, datos)) {
        error = "No se puede leer el archivo " + ruta;
        return false;
    }
    return true;
}

} // namespace

bool CodigoValido(const std::string &texto, std::string &valor) {
    size_t i = texto.find_first_not_of(" \t");
    size_t fin = texto.find_last_not_of(" \t");
    if (i == std::string::npos)
        return false;
    const std::string digitos = texto.substr(i, fin - i + 1);
    if (digitos.size() > static_cast<size_t>(TRegistroMin::MaxDigitosCodigo) ||
        digitos.find_first_not_of("0123456789") != std::string::npos)
        return false;
    valor = ValorCodigo(digitos);
    return valor != "0";
}

bool CambiaCodigoLinea(std::string &linea, const std::string &viejo, const std::string &nuevo) {
    if (linea.size() != kLongitudLinea)
        return false;
    const std::string campo = linea.substr(kPosEmpleado, kLongitudEmpleado);
    if (ValorCodigo(campo) != viejo)
        return false;
    const size_t blanco = campo.find(' ');
    std::string nuevoCampo = nuevo + (blanco == std::string::npos ? std::string() : campo.substr(blanco));
    nuevoCampo.resize(kLongitudEmpleado, ' ');
    linea.replace(kPosEmpleado, kLongitudEmpleado, nuevoCampo);
    return true;
}

bool CambiaCodigo(const std::string &lista, const std::string &historico, const std::string &viejo,
                  const std::string &nuevo, std::string &error) {
    std::string antesLista, datosLista, datosHistorico;
    bool hayLista = false, hayHistorico = false;
    if (!leeSiExiste(lista, antesLista, hayLista, error) ||
        !leeSiExiste(historico, datosHistorico, hayHistorico, error))
        return false;
    datosLista = antesLista;
    const bool cambiaLista = hayLista && cambiaEnLista(datosLista, viejo, nuevo);
    const bool cambiaHistorico = hayHistorico && cambiaEnHistorico(datosHistorico, viejo, nuevo);
    if (cambiaLista && !GuardaBytes(lista, datosLista)) {
        error = "No se puede escribir el archivo " + lista;
        return false;
    }
    if (cambiaHistorico && !GuardaBytes(historico, datosHistorico)) {
        error = "No se puede escribir el archivo " + historico;
        if (cambiaLista)
            GuardaBytes(lista, antesLista);
        return false;
    }
    return true;
}
