#pragma once
// The production reports: the by-order grid (every order block, or one selected folder block)
// and the by-employee grid as fixed-pitch text in a production document, with the file name that
// the document window's "Guardar" writes.
#include "platform/informe.h"
#include "platform/stringgrid.h"
#include "production/produccionempleado.h"
#include "production/produccionobra.h"

#include <QDate>
#include <string>

struct TPeticionInformeObras {
    const StringGrid *SG2 = nullptr;
    std::string Titulo;        // TituloProduccion
    bool Seleccionada = false; // ObraSeleccionada: only the block (Primera, Ultima)
    int Primera = 0, Ultima = 0;
    QDate Fecha;                // the date of the file name
    TContadoresObra Contadores; // of the last "Mostrar selección"
    bool Horas = false;
    std::string Directorio; // the order files: each order's description, client and date
};
void EscribeInformeObras(const TPeticionInformeObras &p, TInformeRTF &inf);
void ImprimeProdObrasExecute(const TPeticionInformeObras &p);

struct TPeticionInformeEmpleados {
    const StringGrid *SG3 = nullptr;
    std::string Titulo;
    int Marcados = 0, Total = 0; // employees marked, and in the list
    std::string Empleado;        // the one marked, when only one is
    QDate Desde, Hasta;
    TTotalesEmpleados Totales;
    bool Horas = false;
};
void EscribeInformeEmpleados(const TPeticionInformeEmpleados &p, TInformeRTF &inf);
void ImprimeProdEmpleExecute(const TPeticionInformeEmpleados &p);
