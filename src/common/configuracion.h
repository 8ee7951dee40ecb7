#pragma once
// The program's settings, read from "velkatron.ini" as the program starts (just before the control
// panel is created). One record: LeeConfiguracion fills it, the program holds one instance that
// logic reads through Configuracion(). Directories are held with the local separator and always
// end with '/'.
#include "platform/archivoini.h"
#include "platform/codepage.h"

#include <memory>
#include <string>

constexpr int MaxFestivos = 32;

struct TConfiguracion {
    // The INI file kept open for later writes (firmware, clocking rebuild, production).
    std::shared_ptr<TIniFile> ArchivoIni;

    std::string TextoAbrirPuerta;
    int SegundosOcultar = 0;
    float FactorImpresion = 4.5f;
    int TiempoRespuesta = 400;
    int NumReintentos = 10;
    int PuertoTcpBase = 10000;
    std::string TextoPrograma; // text of the panel's firmware edit box
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
    std::string NombrePuerto; // caption of the panel's stPuerto: empty = no serial port
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
    bool FormatoCambiado = false; // "Nuevo formato" must be offered

    int NumFestivos = 0;
    int TablaFestivos[MaxFestivos] = {};
};

// Reads every setting from the INI file at ruta (created when missing) and writes back the keys
// that the file must always hold; the record keeps the file open as ArchivoIni. An unreadable
// file gives the defaults and is left as it is; a failed write-back is told once.
[[nodiscard]] TConfiguracion LeeConfiguracion(const std::string &ruta = "velkatron.ini");

// The program's settings.
const TConfiguracion &Configuracion();
// The same record, to change it: the start of the program, and the few settings that change while
// it runs.
TConfiguracion &CambiaConfiguracion();
