#pragma once
// Shared set-up of the clocking tests: a temporary working directory with "fichajes/" and
// "datos/", the clocking settings at their defaults (restored afterwards) and raw records.
#include "common/ajustesprueba.h"
#include "common/presencia.h"
#include "platform/lineas.h"
#include "platform/numeros.h"
#include "support/dirtemporal.h"
#include "terminal/guardafichaje.h"

#include <string>

inline const std::string FormatoDefecto = "$3t-$2c $1i $32n $8p $2d/$2m/$4a $2H:$2M\\r\\n";

class EntornoFichajes {
public:
    EntornoFichajes() : rutaPresentes_(RutaPresentes) {
        CreaDirectorio("fichajes");
        CreaDirectorio("datos");
        CreaDirectorio("fotos");
        AjustesPrueba().DirFichajes = "fichajes/";
        AjustesPrueba().DirDatos = "datos/";
        AjustesPrueba().DirFotos = "fotos/";
        AjustesPrueba().PatronParcial = "$2d$2m$2a.$3t";
        AjustesPrueba().FormatoFichaje = FormatoDefecto;
        AjustesPrueba().FormatoAnterior = FormatoDefecto;
        AjustesPrueba().RutaHistorico = "fichajes/historico";
        AjustesPrueba().EncriptarFichajes = 0;
        AjustesPrueba().PuestoMaestro = 0;
        RutaPresentes.clear();
        OlvidaParciales();
        for (int k = 0; k <= PlazasPresencia; ++k)
            TablaPresencia[k] = TablaPresenciaLeida[k] = TRegistroPresencia{};
    }
    ~EntornoFichajes() {
        RutaPresentes = rutaPresentes_;
        OlvidaParciales();
    }
    DirectorioTrabajo Dir;

private:
    TRestauraAjustes ajustes_;
    std::string rutaPresentes_;
};

// A raw 103-byte record. empleado: the employee text (number and name), padded to 54 bytes.
inline std::string Registro(int terminal, int dia, int mes, int anio, int hora, int minuto,
                            const std::string &empleado, int incidencia = 0,
                            const std::string &produccion = "        ", char acceso = 'E', int segundo = 0) {
    std::string e = empleado;
    e.resize(54, ' ');
    std::string p = produccion;
    p.resize(8, ' ');
    std::string r = Formato("\r\n%03d Jue %02d/%02d/%04d %02d:%02d:%02d %03d ", terminal, dia, mes, anio,
                            hora, minuto, segundo, incidencia) +
                    e + p + " " + acceso + "-0000";
    return r;
}

// Stores a record as the receive machine would (a writable copy).
inline bool Guarda(const std::string &registro) {
    std::string copia = registro;
    return GuardaFichaje(copia.data());
}
