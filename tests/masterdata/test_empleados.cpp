#include "masterdata/empleados.h"
#include "platform/lineas.h"

#include "support/dirtemporal.h"

#include <gtest/gtest.h>

namespace {

// The 14 lines of a record with the given identifier and surname.
std::vector<std::string> registro(const std::string &id, const std::string &apellidos,
                                  const std::string &costes = "") {
    std::vector<std::string> r(14);
    r[0] = id;
    r[1] = apellidos;
    r[12] = costes;
    return r;
}

std::vector<std::string> junta(std::initializer_list<std::vector<std::string>> registros) {
    std::vector<std::string> r;
    for (const auto &x : registros)
        r.insert(r.end(), x.begin(), x.end());
    return r;
}

std::vector<std::string> columna(const StringGrid &g, int c) {
    std::vector<std::string> r;
    for (int f = 1; f < g.RowCount(); ++f)
        r.push_back(g.Celda(c, f));
    return r;
}

} // namespace

TEST(ArbolEmpleados, SoloNodosConNumero) {
    std::vector<std::string> arbol = {"Empresa",     "\tOficina", "\t\t12 Ana",
                                      "\t\t0 Nadie", "\t\t",      "\t3 Luis"};
    EXPECT_EQ(NodosEmpleado(arbol), (std::vector<std::string>{"12 Ana", "3 Luis"}));
}

TEST(GridEmpleados, RegistrosSeColocanUnaVezPorNodo) {
    StringGrid sg1{13, 2};
    // Two nodes with the same text: the record appears once, so a save cannot duplicate it.
    LlenaEmpleados(sg1, {"5 Eva", "5 Eva", "8 Pio"},
                   junta({registro("5 Eva", "Sanz"), registro("9 Sin", "X")}));
    EXPECT_EQ(columna(sg1, 0), (std::vector<std::string>{"5 Eva", "8 Pio"}));
    EXPECT_EQ(columna(sg1, 1), (std::vector<std::string>{"Sanz", ""}));
    EXPECT_EQ(sg1.Celda(0, 0), "Identificador");
    EXPECT_EQ(sg1.ColCount(), 13);

    // Two records of one identifier: both are shown.
    LlenaEmpleados(sg1, {"5 Eva"}, junta({registro("5 Eva", "A"), registro("5 Eva", "B")}));
    EXPECT_EQ(columna(sg1, 1), (std::vector<std::string>{"A", "B"}));
}

TEST(GridEmpleados, NodoRenombradoConservaLosDatos) {
    StringGrid sg1{13, 2};
    LlenaEmpleados(sg1, {"3 Luis Gil", "7 Ana"},
                   junta({registro("7 Ana", "Ruiz"), registro("3 Luis", "Gil", "01/01/2010 9,")}));
    EXPECT_EQ(columna(sg1, 0), (std::vector<std::string>{"7 Ana", "3 Luis Gil"}));
    EXPECT_EQ(columna(sg1, 1), (std::vector<std::string>{"Ruiz", "Gil"}));
    EXPECT_EQ(sg1.Celda(12, 2), "01/01/2010 9,");

    // A node that already has its own record does not take the old one.
    LlenaEmpleados(sg1, {"3 Luis Gil"},
                   junta({registro("3 Luis", "Viejo"), registro("3 Luis Gil", "Nuevo")}));
    EXPECT_EQ(columna(sg1, 1), (std::vector<std::string>{"Nuevo"}));
    // Two old records of one number: only the first follows the renamed node.
    LlenaEmpleados(sg1, {"3 L"}, junta({registro("3 A", "uno"), registro("3 B", "dos")}));
    EXPECT_EQ(columna(sg1, 1), (std::vector<std::string>{"uno"}));
}

TEST(GridEmpleados, ArchivoCortoYSinArbol) {
    StringGrid sg1{13, 2};
    std::vector<std::string> lineas = registro("4 Rita", "Paz");
    lineas.resize(3); // the last record is cut short
    LlenaEmpleados(sg1, {"4 Rita", "6 Noe"}, lineas);
    EXPECT_EQ(columna(sg1, 1), (std::vector<std::string>{"Paz", ""}));
    EXPECT_EQ(columna(sg1, 0), (std::vector<std::string>{"4 Rita", "6 Noe"}));

    LlenaEmpleados(sg1, {}, lineas);
    EXPECT_EQ(sg1.RowCount(), 1);
    EXPECT_TRUE(LineasEmpleados(sg1).empty());
}

TEST(GridEmpleados, OrdenPorNumeroYEmpatesEnOrdenDeGrid) {
    StringGrid sg1{13, 2};
    LlenaEmpleados(sg1, {"12 Ana", "3 Luis", "7 Eva", "3 Otro"}, {});
    EXPECT_EQ(OrdenaEmpleados(sg1, 1), 4); // 12 Ana moves to the end
    EXPECT_EQ(columna(sg1, 0), (std::vector<std::string>{"3 Luis", "3 Otro", "7 Eva", "12 Ana"}));

    DirectorioTrabajo d;
    sg1.SetCelda(1, 4, "Sanz");
    sg1.SetCelda(12, 4, "01/03/2010 12.5,");
    ASSERT_TRUE(GuardaLineas("empleados.dat", LineasEmpleados(sg1)));
    const std::string vacios12 = "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";
    EXPECT_EQ(Contenido("empleados.dat"), "3 Luis\r\n" + vacios12 + "\r\n" + "3 Otro\r\n" + vacios12 +
                                              "\r\n" + "7 Eva\r\n" + vacios12 + "\r\n" +
                                              "12 Ana\r\nSanz\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
                                              "01/03/2010 12.5,\r\n\r\n");
}

TEST(Incrementos, RepartoYUnion) {
    StringGrid sg3{4, 2};
    LlenaIncrementos(sg3, {"Cortesia", "0", "0", "0", "Presencia", "0", "0", "65280", "Extra", "5", "1",
                           "255", "Noche", "6", "2", ""});
    ASSERT_EQ(sg3.RowCount(), 4);
    EXPECT_EQ(sg3.Fila(0), (std::vector<std::string>{"Tipo de hora", "Incremento", "", "Color"}));
    EXPECT_EQ(sg3.Fila(2), (std::vector<std::string>{"Extra", "", "1", "255"}));

    RepartirIncrementos("1.5  ", sg3); // an empty value, then no more blanks
    EXPECT_EQ(columna(sg3, 1), (std::vector<std::string>{"1.5", "", "0"}));
    EXPECT_EQ(UneIncrementos(sg3), "1.5  0 ");
    sg3.SetCelda(1, 2, "2,25"); // decimal comma and blanks would shift the values
    sg3.SetCelda(1, 3, " 3 ");
    EXPECT_EQ(UneIncrementos(sg3), "1.5 2.25 3 ");
}

TEST(HistorialCoste, UltimaEntradaEnOrdenDeListaNoPosterior) {
    // Entries stand in the order they were added, not sorted by date.
    const std::string h = "15/06/2010 13,01/03/2010 12.5,20/12/2009 9,";
    EXPECT_DOUBLE_EQ(CosteHora(h, QDate(2009, 12, 19)), 0.0);
    EXPECT_DOUBLE_EQ(CosteHora(h, QDate(2009, 12, 20)), 9.0);
    EXPECT_DOUBLE_EQ(CosteHora(h, QDate(2010, 3, 1)), 9.0);
    EXPECT_DOUBLE_EQ(CosteHora(h, QDate(2010, 7, 1)), 9.0);
    EXPECT_DOUBLE_EQ(CosteHora("15/06/2010 13,01/03/2010 12.5,", QDate(2010, 7, 1)), 12.5);
    EXPECT_DOUBLE_EQ(CosteHora("15/06/2010 13,01/03/2010 12.5,", QDate(2010, 6, 14)), 12.5);
    EXPECT_DOUBLE_EQ(CosteHora("01/03/2010 12.5,15/06/2010 13,", QDate(2010, 6, 15)), 13.0);
    EXPECT_DOUBLE_EQ(CosteHora("", QDate(2010, 6, 15)), 0.0);
    // Malformed entries and text after the last comma are ignored.
    EXPECT_DOUBLE_EQ(CosteHora("basura,01/01/2010 4,02/01/2010 8", QDate(2010, 2, 1)), 4.0);
}

TEST(HistorialCoste, EntradasYComaDecimal) {
    EXPECT_EQ(EntradasCoste("01/03/2010 12.5,15/06/2010 13,resto"),
              (std::vector<std::string>{"01/03/2010 12.5", "15/06/2010 13"}));
    EXPECT_EQ(UneEntradasCoste({"01/03/2010 12.5", "15/06/2010 13"}), "01/03/2010 12.5,15/06/2010 13,");
    EXPECT_EQ(EntradaCoste(QDate(2010, 3, 1), "12,5"), "01/03/2010 12.5");
    EXPECT_EQ(EntradaCoste(QDate(2010, 3, 1), " 7 "), "01/03/2010 7");
    for (const char *sin : {"0", "", "abc", "0,0"})
        EXPECT_EQ(EntradaCoste(QDate(2010, 3, 1), sin), "") << sin;
}

TEST(Fechas, FechaCorta) {
    EXPECT_EQ(FechaCorta(QDate(2010, 3, 1)), "01/03/2010");
    EXPECT_EQ(LeeFechaCorta("29/02/2012"), QDate(2012, 2, 29));
    EXPECT_FALSE(LeeFechaCorta("29/02/2011").isValid());
    EXPECT_FALSE(LeeFechaCorta("1/3/2010").isValid());
    EXPECT_FALSE(LeeFechaCorta("").isValid());
}
