#include "masterdata/faltas.h"

#include "common/configuracion.h"
#include "masterdata/calendarioeditado.h"
#include "platform/fechatexto.h"
#include "platform/numeros.h"

#include <algorithm>
#include <cctype>

QDate FechaFilaFichajes(const StringGrid &fichajes, int fila, int colDia, int colMes, int colAnio,
                        const QDate &defecto) {
    if (colDia <= 0)
        return {};
    std::string aux;
    auto valor = [&](int col) { return LeeEntero(fichajes.Texto(col, fila, aux)); };
    int anio = colAnio > 0 ? valor(colAnio) : defecto.year();
    if (anio >= 0 && anio < 100)
        anio += 2000;
    const int mes = colMes > 0 ? valor(colMes) : defecto.month();
    return QDate(anio, mes, valor(colDia));
}

std::set<QDate> DiasConFichajes(const StringGrid &fichajes, int colDia, int colMes, int colAnio,
                                const QDate &mes) {
    std::set<QDate> dias;
    for (int r = 1; r < fichajes.RowCount(); ++r) {
        const QDate d = FechaFilaFichajes(fichajes, r, colDia, colMes, colAnio, mes);
        if (d.isValid())
            dias.insert(d);
    }
    return dias;
}

std::vector<int> CodigosFestivos() {
    return std::vector<int>(Configuracion().TablaFestivos,
                            Configuracion().TablaFestivos +
                                std::clamp(Configuracion().NumFestivos, 0, MaxFestivos));
}

void TitulosFaltas(StringGrid &sg) {
    sg.SetColCount(7);
    sg.SetRowCount(7);
    for (int c = 0; c < 7; ++c) {
        std::string titulo = NombreDia(c + 1);
        titulo[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(titulo[0])));
        sg.SetCelda(c, 0, titulo);
    }
}

int RellenaHojaFaltas(StringGrid &sg, const QDate &mes, const QDate &hoy, const TDiasCalendario &dias,
                      const std::vector<int> &festivos, const std::set<QDate> &conFichajes) {
    RellenaMes(sg, 0, 0); // clears the weeks
    const QDate primero(mes.year(), mes.month(), 1);
    int faltas = 0;
    for (QDate d = primero; d.isValid() && d.month() == primero.month() && d <= hoy; d = d.addDays(1)) {
        const unsigned char codigo = dias[static_cast<size_t>(IndiceDia(d))];
        const bool laborable = std::find(festivos.begin(), festivos.end(), codigo) == festivos.end();
        std::string texto = std::to_string(d.day()) + (d.day() < 10 ? " " : "");
        if (!conFichajes.count(d)) {
            texto += laborable ? " FALTA" : " Festivo";
            faltas += laborable ? 1 : 0;
        }
        int col = 0, fila = 0;
        CeldaDia(d, col, fila);
        sg.SetCelda(col, fila, texto);
    }
    return faltas;
}

QDate MesFaltas(const QDate &mes, int paso, const QDate &hoy) {
    const QDate primero(mes.year(), mes.month(), 1);
    const QDate otro = primero.addMonths(paso);
    return paso > 0 && otro > hoy ? primero : otro;
}
