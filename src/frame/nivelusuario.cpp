#include "frame/nivelusuario.h"

#include "platform/numeros.h"

const char *const TNivelUsuario[6] = {
    "1 Admin.  presencia y produccion", "2 Admin.  presencia             ",
    "3 Usuario presencia             ", "4 Usuario produccion            ",
    "5 Usuario accesos               ", "6 Usuario incidencias           ",
};

int NivelDeTexto(const std::string &texto) {
    return LeeEntero(texto);
}

bool NivelProtegido(const std::string &texto, int nivelOperador) {
    int n = NivelDeTexto(texto);
    return n != 0 && n < nivelOperador;
}

DerechosNivel DerechosDe(int nivel) {
    DerechosNivel d;
    switch (nivel) {
    case 1:
        d.PresenciaActiva = 1;
        d.ItemsNivel.assign(TNivelUsuario, TNivelUsuario + 6);
        break;
    case 2:
        d.PresenciaActiva = 1;
        d.AccionesDesactivadas = {"CfgProd", "OrdenTrabajo", "PPorObra", "PPorTio"};
        d.VentanasDestruidas = {"FormEdProduccion"};
        d.ItemsNivel = {"2 Admin.  presencia", "3 Usuario presencia", TNivelUsuario[4], TNivelUsuario[5]};
        break;
    case 3:
        d.PresenciaActiva = 1;
        d.AccionesDesactivadas = {"CfgProd",       "OrdenTrabajo", "PPorObra",    "PPorTio",
                                  "CfgEmpresa",    "CfgEmpleados", "CfgHorarios", "CfgIncidencias",
                                  "cfgTerminales", "ListaAccesos"};
        d.VentanasDestruidas = {"FormEdProduccion", "FormAccesos"};
        break;
    case 4:
        d.AccionesDesactivadas = {"ListarPre",     "Fichar1",      "Incidencias", "CfgProd",
                                  "CfgEmpresa",    "CfgEmpleados", "CfgHorarios", "CfgIncidencias",
                                  "cfgTerminales", "ListaAccesos", "ToolButton19"};
        d.VentanasDestruidas = {"FormListar", "FormAccesos"};
        break;
    case 5:
        d.AccionesDesactivadas = {"ListarPre",    "Fichar1",     "Incidencias",    "CfgProd",
                                  "OrdenTrabajo", "PPorObra",    "PPorTio",        "CfgEmpresa",
                                  "CfgEmpleados", "CfgHorarios", "CfgIncidencias", "cfgTerminales",
                                  "ToolButton19"};
        d.VentanasDestruidas = {"FormEdProduccion", "FormListar"};
        break;
    case 6:
        d.AccionesDesactivadas = {"ListarPre",    "Fichar1",     "CfgProd",        "OrdenTrabajo",
                                  "PPorObra",     "PPorTio",     "ListaAccesos",   "CfgEmpresa",
                                  "CfgEmpleados", "CfgHorarios", "CfgIncidencias", "cfgTerminales",
                                  "ToolButton19"};
        d.VentanasDestruidas = {"FormEdProduccion", "FormListar", "FormAccesos"};
        break;
    default:
        break;
    }
    return d;
}
