#include "masterdata/fichapersonal.h"

#include "common/configuracion.h"
#include "masterdata/empleados.h"
#include "platform/code39.h"
#include "platform/lineas.h"

#include <cctype>

std::string ArchivoFichaPersonal(int numero) {
    return Configuracion().DirDatos + "empleado." + std::to_string(numero);
}

bool LeeFichaPersonal(const std::string &ruta, std::vector<std::string> &campos) {
    const bool leida = LeeLineas(ruta, campos);
    campos.resize(LineasFichaPersonal);
    return leida;
}

bool GuardaFichaPersonal(const std::string &ruta, const std::vector<std::string> &campos) {
    std::vector<std::string> lineas(campos.begin(),
                                    campos.begin() + std::min<size_t>(campos.size(), LineasFichaPersonal));
    lineas.resize(LineasFichaPersonal);
    for (std::string &l : lineas)
        for (char &c : l)
            if (c == '\r' || c == '\n')
                c = ' ';
    return GuardaLineas(ruta, lineas);
}

std::vector<std::string> FichaPrellenada(const std::vector<std::string> &empleado) {
    auto celda = [&](int c) {
        return static_cast<size_t>(c) < empleado.size() ? empleado[c] : std::string();
    };
    std::vector<std::string> f(LineasFichaPersonal);
    f[0] = celda(2);             // Nombre
    f[1] = celda(1);             // Apellidos
    f[3] = celda(5);             // DNI
    f[4] = celda(ColNacimiento); // birth date
    f[5] = celda(ColAntiguedad); // seniority
    f[6] = celda(3);             // Domicilio
    f[7] = celda(4);             // Poblacion
    f[9] = celda(6);             // Teléfono
    return f;
}

std::string RutaDocumentoEmpleado(DocumentoEmpleado documento, int numero) {
    static const char *const prefijos[] = {"nominas_", "contratos_", "asistencia_", "varios_"};
    return Configuracion().DirPdf + prefijos[static_cast<int>(documento)] + std::to_string(numero) + ".pdf";
}

std::string CodigoFicha(const std::string &identificador) {
    size_t i = identificador.find_first_not_of(' ');
    std::string numero;
    while (i < identificador.size() && std::isdigit(static_cast<unsigned char>(identificador[i])))
        numero += identificador[i++];
    if (numero.empty())
        return "";
    if (numero.size() < 3)
        numero.insert(0, 3 - numero.size(), '0');
    return Code39::ConInicioYFin(numero);
}
