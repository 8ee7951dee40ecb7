// The whole road: a manual clocking and an incidence added as the windows add them, listed by the
// panel's listing, read by its pair reader and justified in the next presence run.
#include "common/ajustesprueba.h"
#include "presence/documentoprueba.h"
#include "presence/ejecucionpresencia.h"
#include "presence/fichajemanual.h"
#include "presence/incidencias.h"
#include "presence/informepresencia.h"
#include "support/respuestas.h"
#include "terminal/fichajesprueba.h"
#include "terminal/listadofichajes.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

class ServiciosListado : public TServiciosPresencia {
public:
    StringGrid Grid{10, 2};
    QDate Desde, Hasta;
    std::vector<std::unique_ptr<DocumentoPrueba>> Docs;

    TLectorPares &ListaFichajes(const std::string &busca) override {
        TPeticionListado p;
        p.Desde = Desde;
        p.Hasta = Hasta;
        p.Terminales = {TerminalDeItem("SP 0 Manual", true)};
        p.Busca = busca;
        p.Externa = true;
        const TColumnasFichajes columnas = ::ListaFichajes(p, Grid, {}).Columnas;
        lector_ = std::make_unique<TLectorRejilla>(&Grid, columnas);
        return *lector_;
    }
    void EditaIncidencias(const QDate &) override {}
    TEscritorInforme *NuevoDocumento(const std::string &, const std::string &) override {
        Docs.push_back(std::make_unique<DocumentoPrueba>());
        return Docs.back().get();
    }
    void TerminaDocumento(TEscritorInforme *, bool) override {}
    void AbreDocumento(const std::string &) override {}

private:
    std::unique_ptr<TLectorRejilla> lector_;
};

} // namespace

TEST(CircuitoPresencia, FichajeManualEIncidenciaEnElSiguienteListado) {
    EntornoFichajes entorno;
    RespuestasPrueba respuestas;
    const QDate d1(2011, 3, 1), d2(2011, 3, 2);

    ASSERT_EQ(GuardaFichajeManual(LineaFichaje(d1, QTime(8, 0), "000", "7 Ana", std::string(8, ' '))),
              ResultadoFichaje::Guardado);
    ASSERT_EQ(GuardaFichajeManual(LineaFichaje(d1, QTime(16, 30), "000", "7 Ana", std::string(8, ' '))),
              ResultadoFichaje::Guardado);
    EXPECT_TRUE(ExisteArchivo("fichajes/010311.000"));
    EXPECT_NE(Contenido("fichajes/historico").find("000 Mar 01/03/2011 16:30:00 000 7 Ana"),
              std::string::npos);
    ASSERT_TRUE(AnadeIncidencias({d2, d2, 0, "7 Ana", "3 Vacaciones *Empresa"}).Hecho);

    Escribe("datos/H2011.001", std::string(59, '\xff') + std::string(2, '\x01') + std::string(305, '\xff'));
    StringGrid empleados(13, 2);
    empleados.Cells[0][1] = "7 Ana";
    empleados.Cells[10][1] = "1";
    TEntradaPresencia in;
    in.Maestros.Tipos = {{"Cortesia", 0, 0, 0}, {"Presencia", 8, 0, 0}, {"Extra", 10, 0, 0}};
    in.Maestros.Horarios = {{1, "Normal", " 480 2 480 1 240 2"}};
    in.Empleados = &empleados;
    in.Peticion.Empleados = {"7 Ana"};
    in.Peticion.Desde = d1;
    in.Peticion.Hasta = d2;
    in.Peticion.PararSiIncidencia = true;
    ServiciosListado s;
    s.Desde = d1;
    s.Hasta = d2;
    const std::string texto = EjecutaPresencia(in, s);

    ASSERT_EQ(s.Docs.size(), 1u);
    const DocumentoPrueba &d = *s.Docs[0];
    EXPECT_EQ(d.Linea(7), "01/03/2011 mar\t08:00\t16:30\t");
    EXPECT_EQ(d.Linea(9), "\t\t08:00\t08:30\t+0:30\t+0:30\t08:00\t00:30");
    EXPECT_EQ(d.Linea(12), "02/03/2011 mi\xe9\t\t*** NO HAY FICHAJES ***");
    EXPECT_EQ(d.Linea(13), "\t\tINCIDENCIA 3 Vacaciones *Empresa Justifica todo el dia");
    EXPECT_EQ(d.Linea(15), "\t\t08:00\t08:00\t+0:00\t+0:30\t08:00\t");
    EXPECT_EQ(texto, "Listado de incidencias de 7 Ana desde 01/03/2011 hasta 02/03/2011 \r\n\r\n");
    EXPECT_TRUE(respuestas.Mensajes.empty());
}
