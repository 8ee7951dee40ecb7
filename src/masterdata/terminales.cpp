#include "masterdata/terminales.h"

#include "common/configuracion.h"
#include "platform/archivoini.h"
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "platform/rutas.h"

const std::vector<std::string> &TitulosTerminales() {
    static const std::vector<std::string> t = {
        Ansi("Tipo de conexión"), Ansi("Dirección"), Ansi("Descripción"), "Permitidos", "Denegados", "Modo"};
    return t;
}

const std::vector<std::string> &TiposConexion() {
    static const std::vector<std::string> t = {"Serie", "Ethernet", "OndaRelay"};
    return t;
}

const std::vector<std::string> &ModosTerminal() {
    static const std::vector<std::string> t = {"Entrada", "Salida",     "Bidireccional",
                                               "Accesos", "Produccion", "Todo"};
    return t;
}

std::string DirDatosDeIni(const std::string &rutaIni) {
    TIniFile ini(rutaIni);
    return DirectorioLocal(ConSeparador(ini.ReadString("config", "datos", "datos\\")));
}

std::string RutaTerminales() {
    return Configuracion().DirDatos + "terminales.dat";
}

std::vector<std::string> ConvierteCincoLineas(std::vector<std::string> lineas) {
    if (lineas.size() >= 6 && lineas[5] == "Modo")
        return lineas;
    if (lineas.size() < 5)
        return lineas;
    lineas.insert(lineas.begin() + 5, "Modo");
    size_t i = 11;
    for (; i < lineas.size(); i += 6)
        lineas.insert(lineas.begin() + static_cast<long>(i), "Todo");
    if (lineas.size() == i)
        lineas.push_back("Todo");
    return lineas;
}

void LlenaTerminales(StringGrid &sg, std::vector<std::string> lineas) {
    lineas = ConvierteCincoLineas(std::move(lineas));
    if (lineas.size() < ColumnasTerminal)
        lineas = TitulosTerminales();
    const int filas = static_cast<int>(lineas.size() / ColumnasTerminal);
    sg.SetColCount(ColumnasTerminal);
    sg.SetRowCount(std::max(filas, 2));
    sg.Limpia();
    for (int r = 0; r < filas; ++r)
        sg.SetFila(r, std::vector<std::string>(lineas.begin() + r * ColumnasTerminal,
                                               lineas.begin() + (r + 1) * ColumnasTerminal));
}

bool LeeTerminales(const std::string &ruta, StringGrid &sg) {
    std::vector<std::string> lineas;
    bool existe = LeeLineas(ruta, lineas);
    LlenaTerminales(sg, existe ? lineas : TitulosTerminales());
    return existe;
}

std::vector<std::string> LineasTerminales(StringGrid &sg) {
    std::vector<std::string> lineas;
    for (int r = 0; r < sg.RowCount(); ++r) {
        if (sg.Cells[ColConexion][r] == "Ethernet" &&
            sg.Cells[ColDireccion][r].find(':') == std::string::npos)
            sg.SetCelda(ColDireccion, r, sg.Cells[ColDireccion][r] + ":" + std::to_string(r));
        for (int c = 0; c < ColumnasTerminal; ++c)
            lineas.push_back(sg.Cells[c][r]);
    }
    return lineas;
}

bool GuardaTerminales(const std::string &ruta, StringGrid &sg) {
    return GuardaLineas(ruta, LineasTerminales(sg));
}
