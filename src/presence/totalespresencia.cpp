#include "presence/totalespresencia.h"

#include "platform/codepage.h"
#include "platform/numeros.h"

#include <cstdlib>

namespace {

std::string Relleno(const std::string &s, size_t ancho) {
    return s.size() < ancho ? std::string(ancho - s.size(), ' ') + s : s;
}

// "= %8.2f €", the euro sign as the code-page byte.
std::string Suma(double suma) {
    return "= " + Relleno(FormatoDecimal(suma, 2), 8) + " " + Ansi("€");
}

std::string HorasMinutos(int minutos) {
    return Formato("%d:%02d", minutos / 60, minutos % 60);
}

std::string CabeceraTipos(const std::vector<TTipoHoraPres> &tipos) {
    std::string s = Ansi("\t\thoras teóricas\tHoras Trabajadas\tSaldo total");
    for (size_t t = 1; t < tipos.size(); ++t)
        s += "\t" + tipos[t].Nombre.substr(0, 7);
    return s;
}

std::string Cifras(int teorico, int saldo, const std::vector<int> &porTipo, size_t numTipos) {
    const int a = std::abs(saldo);
    std::string s = "\t\t" + HorasMinutos(teorico) + "\t\t" + HorasMinutos(teorico + saldo) + "\t\t" +
                    (saldo >= 0 ? "+" : "-") + HorasMinutos(a) + "\t";
    for (size_t t = 1; t < numTipos; ++t) {
        const int n = t - 1 < porTipo.size() ? porTipo[t - 1] : 0;
        s += n != 0 ? "\t" + HorasMinutos(n) : std::string("\t");
    }
    return s;
}

} // namespace

std::string TextoImporte(double valor) {
    return Relleno(FormatoDecimal(valor, 2), 5);
}

double ImporteLeido(double valor) {
    return LeeDecimal(FormatoDecimal(valor, 2));
}

void EscribeTotalesEmpleado(TEscritorInforme &d, const TEmpleadoPresencia &e,
                            const std::vector<double> &incrementos, const std::vector<TTipoHoraPres> &tipos,
                            TTotalesRun &run) {
    const int R = e.Saldo;
    const size_t n = tipos.size();
    auto minutos = [&](size_t t) { return t - 1 < e.TotalesPorTipo.size() ? e.TotalesPorTipo[t - 1] : 0; };
    auto precio = [&](size_t t) {
        return tipos[t].Precio + (t - 1 < incrementos.size() ? incrementos[t - 1] : 0.0);
    };

    d.Estilo(false, true);
    d.Color(ColorMarino);
    d.Linea(CabeceraTipos(tipos));
    d.Color(R >= 0 ? ColorAzul : ColorRojo);
    d.Linea(Cifras(e.TotalTeorico, R, e.TotalesPorTipo, n));

    run.Teorico += e.TotalTeorico;
    run.Saldo += R;
    if (run.TotalesPorTipo.size() + 1 < n)
        run.TotalesPorTipo.resize(n - 1, 0);
    if (run.ImportesPorTipo.size() + 1 < n)
        run.ImportesPorTipo.resize(n - 1, 0.0);
    for (size_t t = 1; t < n; ++t)
        run.TotalesPorTipo[t - 1] += minutos(t);

    std::string precios = "\t\t\t\tPrecio por hora en Euros\t\t";
    std::string horas = "\t\t\t\tHoras aplicables\t\t\t";
    std::string importes = "\t\t\t\tTotal\t\t\t\t";
    double suma = 0;
    if (R < 0) {
        const double p = n > 1 ? precio(1) : 0.0;
        precios += TextoImporte(p) + "\t";
        const double h = ImporteLeido(R / 60.0);
        horas += TextoImporte(h) + "\t";
        const double importe = ImporteLeido(p * h);
        importes += TextoImporte(importe) + "\t";
        suma = importe;
    } else {
        int resto = R;
        for (size_t t = 1; t < n; ++t) {
            const int m = minutos(t);
            const double p = precio(t);
            if (m == 0 || p == 0 || t == 1) {
                precios += "\t";
                horas += "\t";
                importes += "\t";
                continue;
            }
            precios += TextoImporte(p) + "\t";
            if (resto <= 0)
                continue;
            const int aplicables = m >= resto ? resto : m;
            resto -= aplicables;
            const double h = ImporteLeido(aplicables / 60.0);
            horas += TextoImporte(h) + "\t";
            const double importe = ImporteLeido(p * h);
            importes += TextoImporte(importe) + "\t";
            run.ImportesPorTipo[t - 1] += importe;
            suma += importe;
        }
    }

    d.Estilo(false, false);
    d.Color(ColorAzul);
    d.Linea(precios);
    d.Estilo(false, true);
    d.Linea(horas);
    d.Color(suma < 0 ? ColorRojo : ColorAzul);
    d.Linea(importes + Suma(suma));
    d.Linea("");
    d.Linea("\t\tNOTA.-");
    d.Linea("\t\tHoras trabajadas = Horas en presencia + Horas extras");
    d.Linea("\t\tHoras aplicables = Horas trabajadas - Horas teoricas");
}

void EscribeTotalesResumen(TEscritorInforme &d, const std::vector<TTipoHoraPres> &tipos,
                           const TTotalesRun &run) {
    d.Estilo(false, true);
    d.Color(ColorRojo);
    d.Linea(CabeceraTipos(tipos));
    d.Estilo(false, false);
    d.Color(ColorNegro);
    d.Linea(Cifras(run.Teorico, run.Saldo, run.TotalesPorTipo, tipos.size()));
    std::string importes = "\t\t\t\tTotal\t\t\t\t";
    double suma = 0;
    for (size_t t = 1; t < tipos.size(); ++t) {
        const double v = t - 1 < run.ImportesPorTipo.size() ? run.ImportesPorTipo[t - 1] : 0.0;
        if (v != 0) {
            importes += TextoImporte(v) + "\t";
            suma += v;
        } else {
            importes += "\t";
        }
    }
    d.Estilo(false, true);
    d.Linea(importes + Suma(suma));
}
