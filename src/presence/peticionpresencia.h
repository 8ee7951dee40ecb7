#pragma once
// What "Listar" of the presence selection window hands to the presence listing: the chosen
// employees and the window's options, gathered before anything else runs. No widgets here.
#include <QDate>
#include <functional>
#include <string>
#include <vector>

// Listing kinds: 2 x "Detallado" + "Simple".
enum : int { ListadoResumen = 0, ListadoSimple = 1, ListadoDetallado = 2 };

struct PeticionPresencia {
    // LB2 items in list order (Windows-1252): employee number, a blank and the name.
    std::vector<std::string> Empleados;
    int TipoListado = ListadoDetallado; // 2 x RadioButton1 + RadioButton3
    bool IncluirGrafico = false;        // CheckBox1 "Incluir Gráfico"
    bool PararSiIncidencia = true;      // CheckIncidencias "Parar si incidencia"
    bool ModoIncidencias = false;       // the window was opened for the incidence listing
    // Period of the terminal panel's pickers DTP1..DTP2 (dates only) when "Listar" was pressed;
    // invalid when there is no panel.
    QDate Desde;
    QDate Hasta;
};

// The presence listing run by "Listar" (set by the presence computation; empty: nothing runs).
extern std::function<void(const PeticionPresencia &)> EjecutaListadoPresencia;
