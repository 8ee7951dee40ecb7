#include "production/contadores.h"

namespace {
const char *const kProduccion = "Produccion";
const char *const kProv = "Prov";
} // namespace

std::string LeeNumeroDeCarpeta(const TIniFile &ini) {
    return ini.ReadString(kProduccion, "NumeroDeCarpeta", "1");
}

int ContadorPieza(const TIniFile &ini, const std::string &pieza) {
    return ini.ReadInteger(kProduccion, pieza, 1);
}

bool FijaProvisional(TIniFile &ini, const std::string &pieza, int n) {
    if (n == 0)
        return !ini.ValueExists(kProv, pieza) || ini.DeleteKey(kProv, pieza);
    return ini.WriteInteger(kProv, pieza, n);
}

bool ConfirmaContadores(TIniFile &ini, const std::string &carpeta) {
    return ini.MueveSeccion(kProv, kProduccion) && ini.WriteString(kProduccion, "NumeroDeCarpeta", carpeta);
}

bool DescartaProvisionales(TIniFile &ini) {
    return ini.ReadSection(kProv).empty() || ini.EraseSection(kProv);
}
