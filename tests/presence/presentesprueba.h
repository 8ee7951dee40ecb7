#pragma once
// Rows of the presence table and an employees grid of three, for the presence monitor's tests.
#include "common/presencia.h"
#include "platform/stringgrid.h"
#include "presence/presenciafichaje.h"
#include "terminal/guardafichaje.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <string>

inline TRegistroPresencia Fila(int he, int me, int hs, int ms, int presente) {
    TRegistroPresencia r;
    r.HoraEntrada = static_cast<uint16_t>(he);
    r.MinutoEntrada = static_cast<uint16_t>(me);
    r.HoraSalida = static_cast<uint16_t>(hs);
    r.MinutoSalida = static_cast<uint16_t>(ms);
    r.Presente = static_cast<uint8_t>(presente);
    return r;
}

inline void Empleados(StringGrid &g) {
    g.SetColCount(13);
    g.SetRowCount(4);
    g.SetFila(1, {"12 GARCIA", "GARCIA LOPEZ", "JUAN", "", "", "", "", "", "", "fotos/juan.jpg"});
    g.SetFila(2, {"7 PEREZ", "PEREZ", "ANA"});
    g.SetFila(3, {"40 RUIZ", "RUIZ", "EVA"});
}

// Writes rows 1..3 of "presentes" as another station would.
inline void EscribePresentes(std::initializer_list<TRegistroPresencia> filas) {
    TRegistroPresencia t[PlazasPresencia + 1];
    int k = 1;
    for (const TRegistroPresencia &r : filas)
        t[k++] = r;
    ASSERT_TRUE(GuardaPresentes("fichajes/presentes", t));
}

// Stores a record through the clocking writer with the presence table kept for empleados, as the
// application wires them; aviso as the writer gives it.
inline bool Guarda(const std::string &registro, const StringGrid *empleados, std::string *aviso = nullptr) {
    FijaFichajeGuardado([empleados](const std::string &r) { return AnotaPresencia(r, empleados); });
    std::string copia = registro;
    const bool guardado = GuardaFichaje(copia.data(), aviso);
    FijaFichajeGuardado(nullptr);
    return guardado;
}
