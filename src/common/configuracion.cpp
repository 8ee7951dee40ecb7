#include "common/configuracion.h"

#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/numeros.h"
#include "platform/rutas.h"

#include <memory>

namespace {

const char *const kConfig = "config";

// Leading decimal digits; none gives 0.
int digitos(const std::string &t) {
    int v = 0;
    for (char c : t) {
        if (c < '0' || c > '9')
            break;
        v = v * 10 + (c - '0');
        if (v > 1000000)
            break;
    }
    return v;
}

// The keys written back at start, in one write at the end (none when the file holds them all
// already); a failure is told then.
struct Reescritura {
    explicit Reescritura(TIniFile &ini) : Ini(ini), Legible(ini.Legible()) {}
    TIniFile &Ini;
    bool Legible;
    std::vector<std::pair<std::string, std::string>> Valores;

    void Texto(const char *clave, const std::string &valor) { Valores.emplace_back(clave, valor); }
    int Entero(const char *clave, int defecto) {
        const int v = Ini.ReadInteger(kConfig, clave, defecto);
        Texto(clave, std::to_string(v));
        return v;
    }
    void Escribe() {
        const std::string &ruta = Ini.Ruta();
        if (!Legible)
            Dialogos::Error(Ansi("No se puede leer el archivo de configuración ") + ruta +
                            Ansi(".\r\nSe usan los valores por defecto y el archivo no se modifica."));
        else if (!Ini.WriteStrings(kConfig, Valores))
            Dialogos::Error(Ansi("No se ha podido escribir el archivo de configuración ") + ruta +
                            Ansi(".\r\nEl disco puede estar lleno o protegido contra escritura."));
    }
};

void leeFestivos(const TIniFile &ini, TConfiguracion &c) {
    c.NumFestivos = 0;
    for (const std::string &linea : ini.ReadSectionValues("Festivos")) {
        if (c.NumFestivos >= MaxFestivos)
            break;
        size_t igual = linea.find('=');
        c.TablaFestivos[c.NumFestivos++] = digitos(igual == std::string::npos ? "" : linea.substr(igual + 1));
    }
    for (int i = c.NumFestivos; i < MaxFestivos; ++i)
        c.TablaFestivos[i] = 0;
}

// The terminal link: times, ports and the radio.
void leeEnlace(const TIniFile &ini, Reescritura &w, TConfiguracion &c) {
    c.TextoAbrirPuerta = ini.ReadString(kConfig, "AbrirPuerta", "");
    c.SegundosOcultar = ini.ReadInteger(kConfig, "ocultar", 0);
    c.FactorImpresion = static_cast<float>(LeeDecimal(ini.ReadString(kConfig, "factorx", "4.5")));
    c.TiempoRespuesta = w.Entero("tnrec", 400);
    c.NumReintentos = w.Entero("cnrec", 10);
    c.PuertoTcpBase = w.Entero("tcpport", 10000);
    c.TextoPrograma = ini.ReadString(kConfig, "programa", "");
    c.TipoConexion = ini.ReadString(kConfig, "conexion", "485");
    w.Texto("conexion", c.TipoConexion);
    c.ModoRadio = c.TipoConexion == "ondarelay" ? 1 : 0;
    if (c.ModoRadio) {
        c.DireccionCoordinador = ini.ReadString(kConfig, "coordinador", "BA000000");
        c.CanalRadio = ini.ReadString(kConfig, "canal", "0");
    } else {
        c.DireccionCoordinador = "BA000000";
        c.CanalRadio = "0";
    }
}

} // namespace

TConfiguracion LeeConfiguracion(const std::string &ruta) {
    TConfiguracion c;
    c.ArchivoIni = std::make_shared<TIniFile>(ruta);
    const TIniFile &ini = *c.ArchivoIni;
    Reescritura w{*c.ArchivoIni};
    leeFestivos(ini, c);
    leeEnlace(ini, w, c);

    const std::string datos = ConSeparador(ini.ReadString(kConfig, "datos", "datos\\"));
    const std::string huellas = ConSeparador(ini.ReadString(kConfig, "huellas", "huellas\\"));
    const std::string produccion = ConSeparador(ini.ReadString(kConfig, "produccion", "produccion\\"));
    c.DirDatos = DirectorioLocal(datos);
    c.DirHuellas = DirectorioLocal(huellas);
    c.DirProduccion = DirectorioLocal(produccion);
    c.DirFotos = DirectorioLocal(ini.ReadString(kConfig, "fotos", "fotos\\"));
    c.DirArchivosPres = DirectorioLocal(ini.ReadString(kConfig, "archivospres", "archivos\\presencia"));
    c.DirArchivosProd = DirectorioLocal(ini.ReadString(kConfig, "archivosprod", "archivos\\produccion"));
    c.DirBackup = DirectorioLocal(ini.ReadString(kConfig, "backup", "backup\\"));
    c.RotuloCliente = ini.ReadString(kConfig, "Cliente", "Cliente");
    c.RotuloDescripcion = ini.ReadString(kConfig, "Descripcion", Ansi("Descripción"));
    c.RotuloObra = ini.ReadString(kConfig, "PObra", "Obra");
    c.RotuloEmpleado = ini.ReadString(kConfig, "PEmpleado", "Empleado");
    c.RotuloOrden = ini.ReadString(kConfig, "POrden", "Orden");
    c.RotuloCarpeta = ini.ReadString(kConfig, "PCarpeta", "Carpeta");
    c.PeriodoPresencia = ini.ReadInteger(kConfig, "AutoFicha", 0);
    c.PuestoMaestro = ini.ReadInteger(kConfig, "Maestro", 0);
    c.TiempoVentanaFicha = ini.ReadInteger(kConfig, "TiempoFicha", 60);
    c.DirPdf = ini.ReadString(kConfig, "pdf", "");
    c.NombrePuerto = ini.ReadString(kConfig, "Puerto", "");
    c.TextoIOBase = ini.ReadString(kConfig, "IOBase", "");
    c.VelocidadPuerto = w.Entero("Velocidad", 115200);
    c.EncriptarFichajes = w.Entero("Encriptar", 0);
    c.MinutosRedondeoExtras = w.Entero("RedondeoExtras", 0);
    c.MinutosExtraGratis = ini.ReadInteger(kConfig, "Extragratis", 0);
    if (c.TextoIOBase.empty())
        c.TextoIOBase = c.NombrePuerto == "COM2" ? "2f8" : "3f8";
    c.DireccionBaseUart = static_cast<unsigned>(LeeHex(c.TextoIOBase) & 0xFFFF);
    w.Texto("IOBase", c.TextoIOBase);
    c.FormatoFichaje = ini.ReadString(kConfig, "formato", "$3t-$2c $1i $32n $8p $2d/$2m/$4a $2H:$2M\\r\\n");
    c.FormatoAnterior = ini.ReadString(kConfig, "formato_anterior", c.FormatoFichaje);
    const std::string fichajes = ConSeparador(ini.ReadString(kConfig, "fichajes", "fichajes\\"));
    c.DirFichajes = DirectorioLocal(fichajes);
    c.PatronParcial = ini.ReadString(kConfig, "parcial", "$2d$2m$2a.$3t");
    c.NombreHistorico = ini.ReadString(kConfig, "historico", "historico");

    c.FormatoCambiado = c.FormatoFichaje != c.FormatoAnterior;
    c.RutaHistorico = c.DirFichajes + c.NombreHistorico;

    w.Texto("formato", c.FormatoFichaje);
    w.Texto("produccion", produccion);
    w.Texto("datos", datos);
    w.Texto("huellas", huellas);
    w.Texto("fichajes", fichajes);
    w.Texto("parcial", c.PatronParcial);
    w.Texto("historico", c.NombreHistorico);
    w.Escribe();
    return c;
}

namespace {
// The program's one instance.
TConfiguracion configuracion;
} // namespace

const TConfiguracion &Configuracion() {
    return configuracion;
}

TConfiguracion &CambiaConfiguracion() {
    return configuracion;
}
