#include "masterdata/calendarioeditado.h"

#include "common/configuracion.h"
#include "platform/codepage.h"
#include "platform/lineas.h"
#include "platform/numeros.h"

#include <algorithm>

bool AnioCodigoCalendario(const StringGrid &sg2, int fila, int &anio, int &codigo) {
    if (fila < 1 || fila >= sg2.RowCount())
        return false;
    anio = LeeEntero(sg2.Celda(1, fila));
    codigo = LeeEntero(sg2.Celda(0, fila));
    return anio >= 1 && anio <= AnioMaximoCalendario && codigo >= 0;
}

std::string CodigoNuevoCalendario(const StringGrid &sg2, int anio) {
    int codigo = sg2.RowCount();
    auto usado = [&](int c) {
        for (int r = 1; r < sg2.RowCount(); ++r)
            if (LeeEntero(sg2.Celda(1, r)) == anio && LeeEntero(sg2.Celda(0, r)) == c)
                return true;
        return false;
    };
    while (usado(codigo))
        ++codigo;
    return std::to_string(codigo);
}

void TitulosMes(StringGrid &sgcal) {
    sgcal.SetColCount(7);
    sgcal.SetRowCount(7);
    sgcal.SetFila(0, {" Lun ", " Mar ", " Mie ", " Jue ", " Vie ", " Sab ", " Dom "});
}

void CeldaDia(const QDate &fecha, int &col, int &fila) {
    const int desplazamiento = QDate(fecha.year(), fecha.month(), 1).dayOfWeek() - 1 + fecha.day() - 1;
    col = desplazamiento % 7;
    fila = 1 + desplazamiento / 7;
}

void RellenaMes(StringGrid &sgcal, int anio, int mes) {
    for (int r = 1; r < sgcal.RowCount(); ++r)
        for (int c = 0; c < sgcal.ColCount(); ++c)
            sgcal.SetCelda(c, r, "");
    const QDate primero(anio, mes, 1);
    if (anio == 0 || !primero.isValid())
        return;
    for (int d = 1; d <= primero.daysInMonth(); ++d) {
        int col = 0, fila = 0;
        CeldaDia(QDate(anio, mes, d), col, fila);
        sgcal.SetCelda(col, fila, std::to_string(d));
    }
}

std::vector<std::string> NombresJornada(const StringGrid &sg1, int codigo) {
    std::vector<std::string> nombres;
    for (int r = 0; r < sg1.RowCount(); ++r) {
        int c = 0;
        if (!EnteroValido(sg1.Celda(0, r), c))
            c = 0;
        if (c == codigo)
            nombres.push_back(sg1.Celda(1, r));
    }
    return nombres;
}

bool TCalendarioEditado::Carga(int fila, std::string &error) {
    Fila = fila;
    Dias = DiasVacios();
    int codigo = 0;
    if (!AnioCodigoCalendario(sg2_, fila, Anio, codigo)) {
        Anio = 0;
        return true;
    }
    Dia = std::min(Dia, QDate(Anio, Mes, 1).daysInMonth());
    const std::string ruta = Configuracion().DirDatos + NombreDiasCalendario(Anio, codigo);
    if (LeeDiasCalendario(ruta, Dias))
        return true;
    if (ExisteArchivo(ruta)) {
        // Nothing is loaded, so the unreadable file is never saved over as if it were empty.
        error = "No se ha podido leer " + ruta;
        Fila = SinCalendario;
        Anio = 0;
        return false;
    }
    if (!GuardaDiasCalendario(ruta, Dias)) {
        error = "No se ha podido crear " + ruta;
        return false;
    }
    return true;
}

void TCalendarioEditado::Refresca() {
    int codigo = 0;
    if (!AnioCodigoCalendario(sg2_, Fila, Anio, codigo))
        Anio = 0;
    if (Anio != 0)
        Dia = std::min(Dia, QDate(Anio, Mes, 1).daysInMonth());
}

bool TCalendarioEditado::Guarda(std::string &error) const {
    std::vector<TCalendario> calendarios;
    for (int r = 1; r < sg2_.RowCount(); ++r)
        calendarios.push_back({sg2_.Celda(0, r), sg2_.Celda(1, r), sg2_.Celda(2, r)});
    if (!GuardaCalendarios(Configuracion().DirDatos + "calendarios.dat", calendarios)) {
        error = "No se ha podido guardar " + Configuracion().DirDatos + "calendarios.dat";
        return false;
    }
    if (Fila < 1 || Fila >= sg2_.RowCount())
        return true; // no calendar loaded: no map to write
    int anio = 0, codigo = 0;
    if (!AnioCodigoCalendario(sg2_, Fila, anio, codigo)) {
        error = "El calendario \"" + sg2_.Celda(0, Fila) + " " + sg2_.Celda(2, Fila) +
                Ansi("\" no tiene un año entre 1 y 9999 y un código válido: no se han guardado sus días.");
        return false;
    }
    const std::string ruta = Configuracion().DirDatos + NombreDiasCalendario(anio, codigo);
    if (!GuardaDiasCalendario(ruta, Dias)) {
        error = "No se ha podido guardar " + ruta;
        return false;
    }
    return true;
}

bool TCalendarioEditado::FilaBorrada(int fila) {
    if (Fila == SinCalendario || fila > Fila)
        return false;
    if (fila < Fila) {
        --Fila;
        return false;
    }
    Fila = SinCalendario;
    Anio = 0;
    Dias = DiasVacios();
    Modificado = false;
    return true;
}

bool TCalendarioEditado::Aplicable() const {
    return Fila >= 1 && Fila < sg2_.RowCount() && Anio != 0;
}

QDate TCalendarioEditado::Fecha() const {
    return QDate(Anio, Mes, Dia);
}

bool TCalendarioEditado::aplica(int codigo, int desde, int hasta, int paso) {
    if (codigo < 0 || codigo > MaxCodigoJornada || !Aplicable() || !Fecha().isValid())
        return false;
    for (int i = desde; i <= hasta && i < static_cast<int>(Dias.size()); i += paso)
        Dias[static_cast<size_t>(i)] = static_cast<unsigned char>(codigo);
    Modificado = true;
    return true;
}

bool TCalendarioEditado::AplicaDia(int codigo) {
    const int i = IndiceDia(Fecha());
    return aplica(codigo, i, i, 1);
}

bool TCalendarioEditado::AplicaDiaDelMes(int codigo) {
    const QDate primero(Anio, Mes, 1);
    return aplica(codigo, IndiceDia(primero) + (Dia - 1) % 7, IndiceDia(primero) + primero.daysInMonth() - 1,
                  7);
}

bool TCalendarioEditado::AplicaDiaDelAnio(int codigo) {
    return aplica(codigo, IndiceDia(Fecha()) % 7, static_cast<int>(Dias.size()) - 1, 7);
}

bool TCalendarioEditado::AplicaMes(int codigo) {
    const QDate primero(Anio, Mes, 1);
    return aplica(codigo, IndiceDia(primero), IndiceDia(primero) + primero.daysInMonth() - 1, 1);
}
