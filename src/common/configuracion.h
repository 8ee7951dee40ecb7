#pragma once
// The program's settings, read once from "velkatron.ini" when the control panel is created.
// Plain module-level values, read directly by every subsystem. Directories are held with the
// local separator and always end with '/'.
#include "platform/archivoini.h"

#include <string>

// The INI file kept open for later writes (firmware, clocking rebuild, production).
extern TIniFile *ArchivoIni;

extern std::string TextoAbrirPuerta;
extern int SegundosOcultar;
extern float FactorImpresion;
extern int TiempoRespuesta;
extern int NumReintentos;
extern int PuertoTcpBase;
extern std::string TextoPrograma; // text of the panel's firmware edit box
extern std::string TipoConexion;
extern std::string DireccionCoordinador;
extern std::string CanalRadio;
extern int ModoRadio;
extern std::string DirDatos;
extern std::string DirHuellas;
extern std::string DirProduccion;
extern std::string DirFotos;
extern std::string DirArchivosPres;
extern std::string DirArchivosProd;
extern std::string DirBackup;
extern std::string RotuloCliente;
extern std::string RotuloDescripcion;
extern std::string RotuloObra;
extern std::string RotuloEmpleado;
extern std::string RotuloOrden;
extern std::string RotuloCarpeta;
extern int PeriodoPresencia;
extern int PuestoMaestro;
extern int TiempoVentanaFicha;
extern std::string DirPdf;
extern std::string NombrePuerto; // caption of the panel's stPuerto: empty = no serial port
extern std::string TextoIOBase;
extern unsigned DireccionBaseUart;
extern int VelocidadPuerto;
extern int EncriptarFichajes;
extern int MinutosRedondeoExtras;
extern int MinutosExtraGratis;
extern std::string FormatoFichaje;
extern std::string FormatoAnterior;
extern std::string DirFichajes;
extern std::string PatronParcial;
extern std::string NombreHistorico;
extern std::string RutaHistorico;
extern bool FormatoCambiado; // "Nuevo formato" must be offered

constexpr int MaxFestivos = 32;
extern int NumFestivos;
extern int TablaFestivos[MaxFestivos];

// Reads every setting from the INI file at ruta (created when missing) and writes back the
// keys that the file must always hold. Replaces ArchivoIni.
void LeeConfiguracion(const std::string &ruta = "velkatron.ini");
