#include "common/configuracion.h"

#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/numeros.h"
#include "platform/rutas.h"

#include <memory>

TIniFile *ArchivoIni = nullptr;

std::string TextoAbrirPuerta;
int SegundosOcultar = 0;
float FactorImpresion = 4.5f;
int TiempoRespuesta = 400;
int NumReintentos = 10;
int PuertoTcpBase = 10000;
std::string TextoPrograma;
std::string TipoConexion = "485";
std::string DireccionCoordinador = "BA000000";
std::string CanalRadio = "0";
int ModoRadio = 0;
std::string DirDatos = "datos/";
std::string DirHuellas = "huellas/";
std::string DirProduccion = "produccion/";
std::string DirFotos = "fotos/";
std::string DirArchivosPres = "archivos/presencia/";
std::string DirArchivosProd = "archivos/produccion/";
std::string DirBackup = "backup/";
std::string RotuloCliente = "Cliente";
std::string RotuloDescripcion = Ansi("Descripción");
std::string RotuloObra = "Obra";
std::string RotuloEmpleado = "Empleado";
std::string RotuloOrden = "Orden";
std::string RotuloCarpeta = "Carpeta";
int PeriodoPresencia = 0;
int PuestoMaestro = 0;
int TiempoVentanaFicha = 60;
std::string DirPdf;
std::string NombrePuerto;
std::string TextoIOBase;
unsigned DireccionBaseUart = 0x3f8;
int VelocidadPuerto = 115200;
int EncriptarFichajes = 0;
int MinutosRedondeoExtras = 0;
int MinutosExtraGratis = 0;
std::string FormatoFichaje;
std::string FormatoAnterior;
std::string DirFichajes = "fichajes/";
std::string PatronParcial;
std::string NombreHistorico;
std::string RutaHistorico;
bool FormatoCambiado = false;
int NumFestivos = 0;
int TablaFestivos[MaxFestivos] = {};

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

// The keys written back at start; a failed write is remembered and told once at the end.
struct Reescritura {
    bool Legible = ArchivoIni->Legible();
    bool Fallo = false;

    void Texto(const char *clave, const std::string &valor) {
        if (Legible && !ArchivoIni->WriteString(kConfig, clave, valor))
            Fallo = true;
    }
    int Entero(const char *clave, int defecto) {
        const int v = ArchivoIni->ReadInteger(kConfig, clave, defecto);
        Texto(clave, std::to_string(v));
        return v;
    }
    void Avisa() const {
        const std::string &ruta = ArchivoIni->Ruta();
        if (!Legible)
            Dialogos::Error(Ansi("No se puede leer el archivo de configuración ") + ruta +
                            Ansi(".\r\nSe usan los valores por defecto y el archivo no se modifica."));
        else if (Fallo)
            Dialogos::Error(Ansi("No se ha podido escribir el archivo de configuración ") + ruta +
                            Ansi(".\r\nEl disco puede estar lleno o protegido contra escritura."));
    }
};

void leeFestivos() {
    NumFestivos = 0;
    for (const std::string &linea : ArchivoIni->ReadSectionValues("Festivos")) {
        if (NumFestivos >= MaxFestivos)
            break;
        size_t igual = linea.find('=');
        TablaFestivos[NumFestivos++] = digitos(igual == std::string::npos ? "" : linea.substr(igual + 1));
    }
    for (int i = NumFestivos; i < MaxFestivos; ++i)
        TablaFestivos[i] = 0;
}

} // namespace

void LeeConfiguracion(const std::string &ruta) {
    static std::unique_ptr<TIniFile> ini;
    ini = std::make_unique<TIniFile>(ruta);
    ArchivoIni = ini.get();
    Reescritura w;
    leeFestivos();

    TextoAbrirPuerta = ArchivoIni->ReadString(kConfig, "AbrirPuerta", "");
    SegundosOcultar = ArchivoIni->ReadInteger(kConfig, "ocultar", 0);
    FactorImpresion = static_cast<float>(LeeDecimal(ArchivoIni->ReadString(kConfig, "factorx", "4.5")));
    TiempoRespuesta = w.Entero("tnrec", 400);
    NumReintentos = w.Entero("cnrec", 10);
    PuertoTcpBase = w.Entero("tcpport", 10000);
    TextoPrograma = ArchivoIni->ReadString(kConfig, "programa", "");
    TipoConexion = ArchivoIni->ReadString(kConfig, "conexion", "485");
    w.Texto("conexion", TipoConexion);
    ModoRadio = TipoConexion == "ondarelay" ? 1 : 0;
    if (ModoRadio) {
        DireccionCoordinador = ArchivoIni->ReadString(kConfig, "coordinador", "BA000000");
        CanalRadio = ArchivoIni->ReadString(kConfig, "canal", "0");
    } else {
        DireccionCoordinador = "BA000000";
        CanalRadio = "0";
    }
    const std::string datos = ConSeparador(ArchivoIni->ReadString(kConfig, "datos", "datos\\"));
    const std::string huellas = ConSeparador(ArchivoIni->ReadString(kConfig, "huellas", "huellas\\"));
    const std::string produccion =
        ConSeparador(ArchivoIni->ReadString(kConfig, "produccion", "produccion\\"));
    DirDatos = DirectorioLocal(datos);
    DirHuellas = DirectorioLocal(huellas);
    DirProduccion = DirectorioLocal(produccion);
    DirFotos = DirectorioLocal(ArchivoIni->ReadString(kConfig, "fotos", "fotos\\"));
    DirArchivosPres = DirectorioLocal(ArchivoIni->ReadString(kConfig, "archivospres", "archivos\\presencia"));
    DirArchivosProd =
        DirectorioLocal(ArchivoIni->ReadString(kConfig, "archivosprod", "archivos\\produccion"));
    DirBackup = DirectorioLocal(ArchivoIni->ReadString(kConfig, "backup", "backup\\"));
    RotuloCliente = ArchivoIni->ReadString(kConfig, "Cliente", "Cliente");
    RotuloDescripcion = ArchivoIni->ReadString(kConfig, "Descripcion", Ansi("Descripción"));
    RotuloObra = ArchivoIni->ReadString(kConfig, "PObra", "Obra");
    RotuloEmpleado = ArchivoIni->ReadString(kConfig, "PEmpleado", "Empleado");
    RotuloOrden = ArchivoIni->ReadString(kConfig, "POrden", "Orden");
    RotuloCarpeta = ArchivoIni->ReadString(kConfig, "PCarpeta", "Carpeta");
    PeriodoPresencia = ArchivoIni->ReadInteger(kConfig, "AutoFicha", 0);
    PuestoMaestro = ArchivoIni->ReadInteger(kConfig, "Maestro", 0);
    TiempoVentanaFicha = ArchivoIni->ReadInteger(kConfig, "TiempoFicha", 60);
    DirPdf = ArchivoIni->ReadString(kConfig, "pdf", "");
    NombrePuerto = ArchivoIni->ReadString(kConfig, "Puerto", "");
    TextoIOBase = ArchivoIni->ReadString(kConfig, "IOBase", "");
    VelocidadPuerto = w.Entero("Velocidad", 115200);
    EncriptarFichajes = w.Entero("Encriptar", 0);
    MinutosRedondeoExtras = w.Entero("RedondeoExtras", 0);
    MinutosExtraGratis = ArchivoIni->ReadInteger(kConfig, "Extragratis", 0);
    if (TextoIOBase.empty())
        TextoIOBase = NombrePuerto == "COM2" ? "2f8" : "3f8";
    DireccionBaseUart = static_cast<unsigned>(LeeHex(TextoIOBase) & 0xFFFF);
    w.Texto("IOBase", TextoIOBase);
    FormatoFichaje =
        ArchivoIni->ReadString(kConfig, "formato", "$3t-$2c $1i $32n $8p $2d/$2m/$4a $2H:$2M\\r\\n");
    FormatoAnterior = ArchivoIni->ReadString(kConfig, "formato_anterior", FormatoFichaje);
    const std::string fichajes = ConSeparador(ArchivoIni->ReadString(kConfig, "fichajes", "fichajes\\"));
    DirFichajes = DirectorioLocal(fichajes);
    PatronParcial = ArchivoIni->ReadString(kConfig, "parcial", "$2d$2m$2a.$3t");
    NombreHistorico = ArchivoIni->ReadString(kConfig, "historico", "historico");

    FormatoCambiado = FormatoFichaje != FormatoAnterior;
    RutaHistorico = DirFichajes + NombreHistorico;

    w.Texto("formato", FormatoFichaje);
    w.Texto("produccion", produccion);
    w.Texto("datos", datos);
    w.Texto("huellas", huellas);
    w.Texto("fichajes", fichajes);
    w.Texto("parcial", PatronParcial);
    w.Texto("historico", NombreHistorico);
    w.Avisa();
}
