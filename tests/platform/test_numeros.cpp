// Decimal numbers typed by the operator: the whole text must be one.
#include "platform/numeros.h"

#include <gtest/gtest.h>

TEST(Numeros, DecimalValidoSoloConElTextoEntero) {
    const struct {
        const char *texto;
        bool valido;
        double valor;
    } casos[] = {
        {"12", true, 12},   {" 12.50 ", true, 12.5}, {"-3.25", true, -3.25}, {"+0.5", true, 0.5},
        {".5", true, 0.5},  {"7.", true, 7},         {"", false, 0},         {"  ", false, 0},
        {".", false, 0},    {"doce", false, 0},      {"12abc", false, 0},    {"1.2.3", false, 0},
        {"12,5", false, 0}, {"1e3", false, 0},       {"inf", false, 0},      {"nan", false, 0},
        {"1 2", false, 0},  {"--1", false, 0},
    };
    for (const auto &c : casos) {
        double v = -99;
        EXPECT_EQ(DecimalValido(c.texto, v), c.valido) << c.texto;
        EXPECT_DOUBLE_EQ(v, c.valido ? c.valor : -99) << c.texto;
    }
}
