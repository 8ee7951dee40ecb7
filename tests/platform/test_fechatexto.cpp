#include "platform/codepage.h"
#include "platform/fechatexto.h"

#include <gtest/gtest.h>

// The program's date patterns, with the Spanish names of the fixed table whatever the locale.
TEST(FechaTexto, PatronesDelPrograma) {
    const QDate martes(2011, 3, 15), miercoles(2011, 2, 9), sabado(2011, 2, 5);
    const struct {
        QDate fecha;
        const char *patron;
        const char *esperado;
    } casos[] = {
        {martes, "dddd d 'de' mmmm 'de' yyyy", "martes 15 de marzo de 2011"},
        {martes, "'Todos los' dddd 'de' mmmm", "Todos los martes de marzo"},
        {martes, "'Todos los' dddd 'del año'", "Todos los martes del año"},
        {martes, "'Todo el mes de ' mmmm", "Todo el mes de  marzo"},
        {miercoles, "ddd dd/mm/yyyy", "mié 09/02/2011"},
        {sabado, "dddd d/m/yy", "sábado 5/2/11"},
        {miercoles, "dd_mm_yyyy", "09_02_2011"},
        {miercoles, "mmmm 'de' yyyy", "febrero de 2011"},
        {QDate(2024, 9, 1), "\"Hoy es\" dddd mmm", "Hoy es domingo sep"},
    };
    for (const auto &c : casos)
        EXPECT_EQ(FormatoFecha(c.fecha, Ansi(c.patron)), Ansi(c.esperado)) << c.patron;
    EXPECT_EQ(NombreDia(3), Ansi("miércoles"));
    EXPECT_EQ(NombreMes(12), "diciembre");
    EXPECT_EQ(NombreDia(0), "");
    EXPECT_EQ(NombreMes(13), "");
}
