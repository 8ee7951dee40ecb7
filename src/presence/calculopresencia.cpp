#include "presence/calculopresencia.h"

#include "masterdata/horarios.h"
#include "platform/codepage.h"
#include "platform/fechatexto.h"
#include "platform/numeros.h"
#include "presence/incidencias.h"

#include <algorithm>
#include <cstdlib>

std::vector<TTipoHoraPres> TiposHoraDeRejilla(const StringGrid &sg3) {
    std::vector<TTipoHoraPres> tipos;
    for (int r = 1; r < sg3.RowCount(); ++r) {
        TTipoHoraPres t;
        t.Nombre = sg3.Cells[0][r];
        t.Precio = LeeDecimal(sg3.Cells[1][r]);
        t.Modo = LeeEntero(sg3.Cells[2][r]);
        t.Color = static_cast<unsigned>(LeeEntero(sg3.Cells[3][r]));
        tipos.push_back(t);
    }
    return tipos;
}

std::vector<TFilaHorario> HorariosDeRejilla(const StringGrid &sg1) {
    std::vector<TFilaHorario> horarios;
    for (int r = 0; r < sg1.RowCount(); ++r) {
        TFilaHorario h;
        // A row without a code (an empty row) is no schedule.
        if (!CodigoJornadaValido(sg1.Cells[0][r], h.Codigo))
            continue;
        h.Nombre = sg1.Cells[1][r];
        h.Bandas = sg1.Cells[2][r];
        horarios.push_back(h);
    }
    return horarios;
}

int ModoTipo(const std::vector<TTipoHoraPres> &tipos, int tipo) {
    if (tipo < 0 || tipo >= static_cast<int>(tipos.size()))
        return 1;
    return tipos[static_cast<size_t>(tipo)].Modo;
}

THorarioDia PreparaHorario(int codigo, const TMaestrosPresencia &m) {
    THorarioDia h;
    h.Codigo = codigo;
    const TFilaHorario *fila = nullptr;
    for (const TFilaHorario &f : m.Horarios)
        if (f.Codigo == codigo)
            fila = &f;
    if (!fila) {
        h.Nombre = "Sin Horario";
        return h;
    }
    h.Nombre = fila->Nombre + "\t";
    int posicion = 0, cortesia = 0;
    bool primera = true;
    for (const TTramoJornada &b : LeeTramos(fila->Bandas)) {
        if (b.Minutos <= 0) // a band without time takes no part in the day
            continue;
        if (primera)
            h.EmpiezaPresencia = b.Tipo == 1;
        primera = false;
        h.Limites.push_back({b.Minutos, b.Tipo});
        if (b.Tipo == 1 || ModoTipo(m.Tipos, b.Tipo) == 2) {
            h.Teorico += b.Minutos;
            h.Tramos.push_back({posicion, cortesia, posicion + b.Minutos});
            cortesia = 0;
        }
        h.ModoFinDia = posicion > 0 && posicion + b.Minutos == 1440 ? 2 : 0;
        if (b.Tipo == 0)
            cortesia = b.Minutos;
        else
            posicion += b.Minutos;
    }
    return h;
}

std::string DiaSemanaListado(const QDate &d) {
    const std::string n = NombreDiaCorto(d.dayOfWeek());
    return n.empty() ? std::string("   ") : n;
}

std::string CabeceraDiaListado(const QDate &d) {
    return TextoDia(d) + " " + DiaSemanaListado(d) + "\t";
}

std::string SaldoTexto(int minutos) {
    const int a = std::abs(minutos);
    return Formato("%c%d:%02d", minutos >= 0 ? '+' : '-', a / 60, a % 60);
}

namespace {

const std::string NoJustificada = "INCIDENCIA NO JUSTIFICADA\r\n";

std::string Columnas(int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += "\t\t";
    return s;
}

bool CuentaModo(int modo) {
    return modo == 0 || modo == 2;
}

void Suma(std::vector<int> &minutos, int tipo, int n) {
    if (tipo >= 0 && tipo < static_cast<int>(minutos.size()))
        minutos[static_cast<size_t>(tipo)] += n;
}

// Spreads the pair [E, X] over the day's bands by the Modo of each band's hour type.
void Reparte(TResultadoDia &r, TParDia &par, const THorarioDia &h, const TMaestrosPresencia &m,
             const TEmpleadoPresencia &e, const TOpcionesPresencia &o) {
    const int E = par.Entrada, X = par.Salida;
    if (X <= E)
        return;
    int P = 0;
    bool dentro = false;
    for (const TBandaHorario &b : h.Limites) {
        if (b.Tipo == 0)
            continue;
        const int fin = P + b.Minutos;
        const int modo = ModoTipo(m.Tipos, b.Tipo);
        if (!dentro) {
            if (fin > E) {
                dentro = true;
                const int n = std::min(X, fin) - E;
                if (CuentaModo(modo)) {
                    Suma(r.MinutosPorTipo, b.Tipo, n);
                    r.Trabajado += n;
                    par.Piezas.push_back({n, b.Tipo});
                } else if (modo == 3 && b.Tipo < static_cast<int>(r.MinutosPorTipo.size())) {
                    r.MinutosPorTipo[static_cast<size_t>(b.Tipo)] = 0;
                }
                if (X <= fin)
                    return;
            }
        } else if (fin < X) {
            if (CuentaModo(modo)) {
                Suma(r.MinutosPorTipo, b.Tipo, b.Minutos);
                r.Trabajado += b.Minutos;
                par.Piezas.push_back({b.Minutos, b.Tipo});
            }
        } else {
            const int n = X - P;
            if (CuentaModo(modo)) {
                r.Trabajado += n;
                bool tipo;
                if (o.MinutosExtraGratis != 0)
                    tipo = n >= o.MinutosExtraGratis;
                else if (e.Numero >= 100 && e.Numero <= 199)
                    tipo = n >= 15;
                else
                    tipo = true;
                if (tipo)
                    Suma(r.MinutosPorTipo, b.Tipo, n);
                par.Piezas.push_back({n, b.Tipo});
            }
            return;
        }
        P = fin;
    }
}

// The column of the scheduled band a pair entering at E is written under: the first band that
// ends at or after E (past the last one, the closing column; 0 on a day without schedule).
int columnaDeEntrada(const THorarioDia &h, int teorico, int E) {
    if (teorico <= 0)
        return 0;
    for (size_t i = 0; i < h.Tramos.size(); ++i)
        if (h.Tramos[i].Fin >= E)
            return static_cast<int>(i);
    return static_cast<int>(h.Tramos.size());
}

// The entry's margins against its band B: within the courtesy it counts from the band's start;
// after it the pair is late; shortly before it (under the employee's minimum overtime) the early
// minutes are put aside. Returns the entry as counted.
int margenEntrada(TResultadoDia &r, TParDia &par, const TTramoDia &B, int minimoExtra, int E, int X) {
    if (B.Inicio < E && E <= B.Inicio + B.Cortesia)
        E = B.Inicio;
    if (B.Inicio < E && r.Teorico > 0) {
        par.Tarde = true;
    } else if (B.Inicio - E > 0 && B.Inicio - E < minimoExtra) {
        // Never moved past the exit: a pair wholly before the band counts no negative time.
        const int destino = std::min(B.Inicio, X);
        if (destino > E) {
            r.Antes += destino - E;
            E = destino;
        }
    }
    return E;
}

// The exit's mark and margin against its band B: a pair left open (a forgotten exit on a past day,
// or present now), an early exit, or a late one under the minimum overtime whose minutes are put
// aside. Sets the counted exit X; returns the text after the exit time.
std::string marcaSalida(TResultadoDia &r, TParDia &par, const TTramoDia &B, int minimoExtra, bool abierto,
                        bool faltaSalida, int E, int &X) {
    if (abierto && faltaSalida) {
        X = E;
        par.Marca = TMarcaSalida::FaltaFichaje;
        r.TextoIncidencia = "\t\tFICHAJES IMPARES ";
        r.ColorTexto = ColorFalta;
        r.FaltaSalida = true;
        return "   (FALTA FICHAJE)\t";
    }
    if (abierto) {
        par.Marca = TMarcaSalida::Presente;
        return " (Presente)\t";
    }
    if (X < B.Fin) {
        par.Marca = TMarcaSalida::Anticipada;
        return " (A)\t";
    }
    if (X - B.Fin > 0 && X - B.Fin < minimoExtra) {
        r.Despues += X - B.Fin;
        X = B.Fin;
    }
    return "\t";
}

} // namespace

TResultadoDia CalculaPares(const QDate &dia, const THorarioDia &h, const TMaestrosPresencia &m,
                           TEmpleadoPresencia &e, const TOpcionesPresencia &o, TLectorPares &lector) {
    TResultadoDia r;
    r.Dia = dia;
    r.Codigo = h.Codigo;
    r.Teorico = h.Teorico;
    r.MinutosPorTipo.assign(std::max<size_t>(m.Tipos.size(), 2), 0);

    const std::string cabecera = CabeceraDiaListado(dia);
    std::string linea = cabecera;
    const unsigned char primerModo = h.EmpiezaPresencia ? 1 : static_cast<unsigned char>(h.ModoFinDia);
    const unsigned char otrosModos = primerModo != 0 ? 2 : 0;
    int columna = 0;
    bool primera = true;
    while (primera || lector.Filas() > e.Fila) {
        const unsigned char modo = primera ? primerModo : otrosModos;
        primera = false;
        const TRegistroPresencia p = lector.Lee(dia, e.Fila, modo, r.ContadorIncidencias);
        r.UltimoPresente = p.Presente != 0;
        if (p.SiguienteFila <= e.Fila)
            break;
        e.Fila = p.SiguienteFila;

        TParDia par;
        par.HoraEntrada = p.HoraEntrada;
        par.MinutoEntrada = p.MinutoEntrada;
        par.HoraSalida = p.HoraSalida;
        par.MinutoSalida = p.MinutoSalida;
        int E = p.HoraEntrada * 60 + p.MinutoEntrada;
        int X = p.HoraSalida * 60 + p.MinutoSalida;
        // A pair left open on a past day (a forgotten exit) counts no time: its exit is its entry.
        const bool faltaSalida = modo == 0 && p.Presente && p.HoraSalida == 24;
        if (faltaSalida)
            X = E;

        const int k = columnaDeEntrada(h, r.Teorico, E);
        if (k < columna) {
            r.Lineas.push_back(linea);
            linea = cabecera + Columnas(k);
        } else if (k > columna) {
            linea += Columnas(k - columna);
        }
        columna = k;
        par.Columna = k;
        const TTramoDia B = h.Tramo(static_cast<size_t>(columna));
        E = margenEntrada(r, par, B, e.MinimoExtra, E, X);
        linea += Formato("%02d:%02d", p.HoraEntrada, p.MinutoEntrada) + (par.Tarde ? " (T)\t" : "\t");
        linea += Formato("%02d:%02d", p.HoraSalida, p.MinutoSalida) +
                 marcaSalida(r, par, B, e.MinimoExtra, modo == 0 && p.Presente, faltaSalida, E, X);
        if (par.Marca == TMarcaSalida::FaltaFichaje)
            r.TextoInformePares += linea + "    " + NoJustificada;
        ++columna;

        par.Entrada = E;
        par.Salida = X;
        Reparte(r, par, h, m, e, o);
        r.Pares.push_back(std::move(par));
    }
    if (r.Pares.empty())
        linea += "\t*** NO HAY FICHAJES ***";
    r.Lineas.push_back(linea);

    r.TrabajadoPares = r.Trabajado;
    r.MinutosPares = r.MinutosPorTipo;
    r.TextoPares = r.TextoIncidencia;
    r.ColorPares = r.ColorTexto;
    r.TextoInforme = r.TextoInformePares;
    return r;
}

void AplicaIncidencias(TResultadoDia &r, const std::vector<std::string> &incidencias,
                       const TEmpleadoPresencia &e) {
    AplicaIncidencias(r, TIndiceIncidencias(incidencias), e);
}

void AplicaIncidencias(TResultadoDia &r, const TIndiceIncidencias &incidencias, const TEmpleadoPresencia &e) {
    r.Trabajado = r.TrabajadoPares;
    r.MinutosPorTipo = r.MinutosPares;
    r.TextoIncidencia = r.TextoPares;
    r.ColorTexto = r.ColorPares;
    r.TextoInforme = r.TextoInformePares;
    r.NoJustificado = false;
    r.JustificaEmpresa = false;

    for (const TRegistroIncidencia &reg : incidencias.Registros(r.Dia, e.Numero)) {
        r.TextoIncidencia = "\t\tINCIDENCIA " + reg.Incidencia;
        if (CargoTrabajador(r.TextoIncidencia)) {
            r.ColorTexto = ColorFalta;
            continue;
        }
        r.JustificaEmpresa = true;
        const int M = reg.Minutos();
        if (M == 0) {
            r.TextoIncidencia += " Justifica todo el dia";
            if (r.MinutosPorTipo[1] < r.Teorico) {
                r.Trabajado += r.Teorico - r.MinutosPorTipo[1];
                r.MinutosPorTipo[1] = r.Teorico;
            }
        } else if (M > 0) {
            r.TextoIncidencia += " Justifica " + reg.TextoTiempo();
            r.MinutosPorTipo[1] += M;
            r.Trabajado += M;
        }
        r.ColorTexto = ColorIncidenciaEmpresa;
    }

    if (r.Trabajado < r.Teorico) {
        r.Trabajado += r.Antes + r.Despues;
        if (r.Trabajado > r.Teorico) {
            r.Trabajado = r.Teorico;
            r.MinutosPorTipo[1] = std::max(r.MinutosPorTipo[1], r.Teorico);
        }
    }

    r.SaldoDia = r.Trabajado - r.Teorico;
    if (r.SaldoDia > 0 && r.SaldoDia < e.MinimoExtra) {
        r.Trabajado = r.Teorico;
        r.SaldoDia = 0;
    }

    if (r.SaldoDia < 0 && r.TextoIncidencia.empty()) {
        r.ColorTexto = ColorFalta;
        r.TextoIncidencia = "\t\tINCIDENCIA NO JUSTIFICADA";
        r.NoJustificado = true;
        const std::string &ultima = r.Lineas.back();
        r.TextoInforme +=
            ultima + (ultima.size() < 49 ? std::string(22, ' ') : std::string(4, ' ')) + NoJustificada;
    }
}

void AplicaIncidenciasEditadas(TResultadoDia &r, const std::vector<std::string> &incidencias,
                               const TEmpleadoPresencia &e) {
    AplicaIncidenciasEditadas(r, TIndiceIncidencias(incidencias), e);
}

void AplicaIncidenciasEditadas(TResultadoDia &r, const TIndiceIncidencias &incidencias,
                               const TEmpleadoPresencia &e) {
    const std::string informe = r.TextoInforme;
    AplicaIncidencias(r, incidencias, e);
    if (!r.JustificaEmpresa) {
        r.NoJustificado = true;
        r.TextoInforme = informe;
    }
}

void CierraDia(TResultadoDia &r, TEmpleadoPresencia &e, const TOpcionesPresencia &o) {
    e.Saldo += r.SaldoDia;
    // Rounding and the small overtime go with the day's figures: a holiday without clockings has none.
    if (r.Codigo != 0 || !r.Pares.empty()) {
        const int R = o.MinutosRedondeoExtras;
        if (R != 0 && r.Trabajado > r.Teorico) {
            e.Saldo = e.Saldo / R * R;
            r.Trabajado = r.Trabajado / R * R;
        }
        for (size_t t = 3; t < r.MinutosPorTipo.size(); ++t)
            if (r.MinutosPorTipo[t] != 0 && r.MinutosPorTipo[t] < e.MinimoExtra)
                r.MinutosPorTipo[t] = 0;
    }
    r.SaldoTotal = e.Saldo;
    if (e.TotalesPorTipo.size() < r.MinutosPorTipo.size() - 1)
        e.TotalesPorTipo.resize(r.MinutosPorTipo.size() - 1, 0);
    for (size_t k = 0; k + 1 < r.MinutosPorTipo.size(); ++k)
        e.TotalesPorTipo[k] += r.MinutosPorTipo[k + 1];
    e.TotalTeorico += r.Teorico;
}

std::string LineaCifrasDia(const TResultadoDia &r, size_t numTipos) {
    std::string s = Formato("\t\t%02d:%02d\t%02d:%02d\t", r.Teorico / 60, r.Teorico % 60, r.Trabajado / 60,
                            r.Trabajado % 60) +
                    SaldoTexto(r.SaldoDia) + "\t" + SaldoTexto(r.SaldoTotal);
    for (size_t t = 1; t < numTipos; ++t) {
        const int n = t < r.MinutosPorTipo.size() ? r.MinutosPorTipo[t] : 0;
        s += n != 0 ? Formato("\t%02d:%02d", n / 60, n % 60) : std::string("\t");
    }
    return s;
}
