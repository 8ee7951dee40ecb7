#include "presence/fichajemanual.h"

#include "platform/codepage.h"
#include "platform/numeros.h"
#include "terminal/guardafichaje.h"

#include <cstring>

namespace {
constexpr size_t kLongitudRegistro = 103;
} // namespace

std::string DiaSemanaFichaje(const QDate &d) {
    static const char *const kDias[] = {"Lun", "Mar", "Mie", "Jue", "Vie", "Sab", "Dom"};
    const int n = d.dayOfWeek();
    return n >= 1 && n <= 7 ? kDias[n - 1] : "   ";
}

bool CodigoIncidenciaFichaje(const std::string &texto, int &codigo) {
    codigo = LeeEntero(texto);
    return codigo >= 0 && codigo <= 999;
}

std::string LineaFichaje(const QDate &fecha, const QTime &hora, const std::string &incidencia,
                         const std::string &empleado, const std::string &codigo) {
    int inci = 0;
    if (empleado.empty() || !fecha.isValid() || !CodigoIncidenciaFichaje(incidencia, inci))
        return {};
    std::string emp = empleado.substr(0, AnchoEmpleadoFichaje);
    emp.resize(AnchoEmpleadoFichaje, ' ');
    std::string cod = codigo.substr(0, 8);
    cod.resize(8, ' ');
    return Formato("000 %s %02d/%02d/%04d %02d:%02d:00 %03d ", DiaSemanaFichaje(fecha).c_str(), fecha.day(),
                   fecha.month(), fecha.year(), hora.hour(), hora.minute(), inci) +
           emp + cod + " N-0000";
}

ResultadoFichaje GuardaFichajeManual(const std::string &linea, std::string *aviso) {
    const std::string registro = "\r\n" + linea;
    if (linea.empty() || registro.size() != kLongitudRegistro)
        return ResultadoFichaje::SinLinea;
    char buffer[256] = {};
    std::memcpy(buffer, registro.data(), registro.size());
    CharToOemBuf(buffer, registro.size());
    return GuardaFichaje(buffer, aviso) ? ResultadoFichaje::Guardado : ResultadoFichaje::NoGuardado;
}
