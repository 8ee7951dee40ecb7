// The presence table, "presentes" and the monitor's refresh.
#include "common/ajustesprueba.h"
#include "presence/presentesprueba.h"
#include "terminal/fichajesprueba.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

TEST(Presentes, ArchivoDe480Bytes) {
    EntornoFichajes e;
    TRegistroPresencia t[PlazasPresencia + 1];
    t[1] = Fila(8, 5, 100, 0, 1);
    t[1].SiguienteFila = 0x01020304;
    t[30] = Fila(300, 1, 2, 3, 0);
    ASSERT_TRUE(GuardaPresentes("fichajes/presentes", t));
    const std::string b = Contenido("fichajes/presentes");
    ASSERT_EQ(b.size(), 480u);
    EXPECT_EQ(b.substr(0, 16), std::string("\x08\0\x05\0\x64\0\0\0\x01\0\0\0\x04\x03\x02\x01", 16));
    EXPECT_EQ(b.substr(464, 16), std::string("\x2c\x01\x01\0\x02\0\x03\0\0\0\0\0\0\0\0\0", 16));
    TRegistroPresencia leida[PlazasPresencia + 1];
    ASSERT_TRUE(LeePresentes("fichajes/presentes", leida));
    EXPECT_EQ(leida[1].HoraEntrada, 8);
    EXPECT_EQ(leida[30].HoraEntrada, 300);
    EXPECT_EQ(leida[1].SiguienteFila, 0); // never read back
}

TEST(Presentes, AlternaFilasDelEmpleado) {
    StringGrid g;
    Empleados(g);
    g.Cells[0][3] = "12 OTRO";
    TRegistroPresencia t[PlazasPresencia + 1];
    EXPECT_TRUE(AlternaPresencia(t, g, 12, 8, 5));
    EXPECT_EQ(t[1].Presente, 1);
    EXPECT_EQ(t[3].HoraEntrada, 8);
    EXPECT_EQ(t[2].Presente, 0);
    EXPECT_TRUE(AlternaPresencia(t, g, 12, 8, 6)); // two entries in a row: the second is the exit
    EXPECT_EQ(t[1].Presente, 0);
    EXPECT_EQ(t[1].MinutoSalida, 6);
    EXPECT_FALSE(AlternaPresencia(t, g, 99, 8, 6));
}

TEST(Presentes, RefrescoMuestraLosCambios) {
    EntornoFichajes e;
    StringGrid g;
    Empleados(g);
    Escribe("fotos/juan.jpg", "x");
    Escribe("fotos/entra12.wav", "x");
    Escribe("fotos/sale.wav", "x");
    std::vector<TAvisoPresencia> avisos;
    // No path for the file: nothing.
    EXPECT_FALSE(CambiosPresencia(g, true, avisos));
    RutaPresentes = "fichajes/presentes";
    EXPECT_FALSE(CambiosPresencia(g, true, avisos));

    EscribePresentes({Fila(8, 5, 100, 0, 1), Fila(8, 0, 17, 30, 0), Fila(7, 0, 100, 0, 0)});
    ASSERT_TRUE(CambiosPresencia(g, false, avisos));
    ASSERT_EQ(avisos.size(), 1u); // a change of times alone shows nothing
    EXPECT_EQ(avisos[0].Fila, 1);
    EXPECT_EQ(avisos[0].Estado, TEstadoPresencia::Entro);
    EXPECT_EQ(avisos[0].Texto, "Entr\xF3 a las 8:05");
    EXPECT_EQ(avisos[0].Nombre, "JUAN");
    EXPECT_EQ(avisos[0].Apellidos, "GARCIA LOPEZ");
    EXPECT_EQ(avisos[0].Titulo, "12 GARCIA");
    EXPECT_EQ(avisos[0].Foto, "fotos/juan.jpg");
    EXPECT_EQ(avisos[0].Sonido, "fotos/entra12.wav");
    EXPECT_EQ(TablaPresencia[1].Presente, 1);
    EXPECT_EQ(TablaPresencia[2].HoraSalida, 100); // not copied
    ASSERT_TRUE(CambiosPresencia(g, false, avisos));
    EXPECT_TRUE(avisos.empty());

    EscribePresentes({Fila(8, 5, 17, 30, 0), Fila(8, 0, 17, 30, 0), Fila(7, 0, 100, 0, 0)});
    ASSERT_TRUE(CambiosPresencia(g, false, avisos));
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_EQ(avisos[0].Texto, "Sali\xF3 a las 17:30");
    EXPECT_EQ(avisos[0].Sonido, "fotos/sale.wav");

    // Forced: every row, silent; exit hour 100 out is "No ha venido".
    ASSERT_TRUE(CambiosPresencia(g, true, avisos));
    ASSERT_EQ(avisos.size(), 3u);
    EXPECT_EQ(avisos[2].Texto, "No ha venido");
    EXPECT_EQ(avisos[2].Estado, TEstadoPresencia::NoVino);
    for (const TAvisoPresencia &a : avisos)
        EXPECT_EQ(a.Sonido, "");
    EXPECT_EQ(TablaPresencia[2].HoraSalida, 17);
}

TEST(Presentes, PuestoMaestroUsaLaTablaDelEscritor) {
    EntornoFichajes e;
    AjustesPrueba().PuestoMaestro = 1;
    StringGrid g;
    Empleados(g);
    ASSERT_TRUE(Guarda(Registro(5, 3, 5, 2024, 7, 45, "40 RUIZ"), &g));
    std::vector<TAvisoPresencia> avisos;
    ASSERT_TRUE(CambiosPresencia(g, false, avisos));
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_EQ(avisos[0].Fila, 3);
    EXPECT_EQ(avisos[0].Texto, "Entr\xF3 a las 7:45");
}

// ---- the presence table kept by the clocking writer ----

StringGrid &Empleados(StringGrid &g, std::initializer_list<const char *> ids) {
    g.SetRowCount(static_cast<int>(ids.size()) + 1);
    int f = 1;
    for (const char *id : ids)
        g.Cells[0][f++] = id;
    return g;
}

std::string BytesFila(int he, int me, int hs, int ms, int presente) {
    std::string b(16, '\0');
    b[0] = static_cast<char>(he);
    b[2] = static_cast<char>(me);
    b[4] = static_cast<char>(hs);
    b[6] = static_cast<char>(ms);
    b[8] = static_cast<char>(presente);
    return b;
}

TEST(GuardaFichaje, AlternaLaPresencia) {
    EntornoFichajes e;
    StringGrid g(13, 2);
    Empleados(g, {"12 GARCIA", "7 PEREZ", "12 OTRO"});
    EXPECT_TRUE(Guarda(Registro(5, 3, 5, 2024, 8, 5, "12 JUAN"), &g));
    const std::string vacia = BytesFila(100, 0, 100, 0, 0);
    std::string esperado = BytesFila(8, 5, 100, 0, 1) + vacia + BytesFila(8, 5, 100, 0, 1);
    for (int k = 4; k <= 30; ++k)
        esperado += vacia;
    EXPECT_EQ(Contenido("fichajes/presentes"), esperado);
    EXPECT_EQ(TablaPresenciaLeida[1].Presente, 1);
    EXPECT_EQ(TablaPresenciaLeida[2].Presente, 0);

    EXPECT_TRUE(Guarda(Registro(7, 3, 5, 2024, 17, 30, "12 JUAN"), &g));
    EXPECT_EQ(Contenido("fichajes/presentes").substr(0, 48),
              BytesFila(8, 5, 17, 30, 0) + vacia + BytesFila(8, 5, 17, 30, 0));
    // A duplicate does not toggle again.
    EXPECT_TRUE(Guarda(Registro(7, 3, 5, 2024, 17, 30, "12 JUAN"), &g));
    EXPECT_EQ(TablaPresenciaLeida[1].Presente, 0);
}

// "presentes" is written over in place (same file, same bytes); a missing or short file is
// written whole; a failure leaves the clocking stored and says so.
TEST(GuardaFichaje, PresentesEnSuSitio) {
    EntornoFichajes e;
    StringGrid g(13, 2);
    Empleados(g, {"12 GARCIA"});
    auto inodo = [] {
        struct stat st {};
        ::stat("fichajes/presentes", &st);
        return st.st_ino;
    };
    ASSERT_TRUE(Guarda(Registro(5, 3, 5, 2024, 8, 5, "12 JUAN"), &g));
    const ino_t primero = inodo();
    ASSERT_TRUE(Guarda(Registro(5, 3, 5, 2024, 17, 30, "12 JUAN"), &g));
    EXPECT_EQ(inodo(), primero);
    EXPECT_EQ(Contenido("fichajes/presentes"), BytesDeTabla(TablaPresenciaLeida));
    EXPECT_EQ(Contenido("fichajes/presentes").substr(0, 16), BytesFila(8, 5, 17, 30, 0));
    Escribe("fichajes/presentes", "corto");
    ASSERT_TRUE(Guarda(Registro(5, 3, 5, 2024, 18, 0, "12 JUAN"), &g));
    EXPECT_EQ(Contenido("fichajes/presentes"), BytesDeTabla(TablaPresenciaLeida));

    QFile::remove("fichajes/presentes");
    CreaDirectorio("fichajes/presentes");
    std::string aviso, r = Registro(5, 3, 5, 2024, 19, 0, "12 JUAN");
    EXPECT_TRUE(Guarda(r, &g, &aviso));
    EXPECT_NE(aviso.find("fichajes/presentes"), std::string::npos);
}

TEST(GuardaFichaje, ClockingSinPresenciaYFilasMasAllaDe30) {
    EntornoFichajes e;
    StringGrid g(13, 2);
    Empleados(g, {"12 GARCIA"});
    std::string produccion = "12 JUAN";
    produccion.resize(44, ' ');
    produccion += "5"; // a digit at offset 78
    EXPECT_TRUE(Guarda(Registro(5, 3, 5, 2024, 8, 5, produccion), &g));
    EXPECT_FALSE(ExisteArchivo("fichajes/presentes"));
    EXPECT_EQ(TablaPresenciaLeida[1].Presente, 0);

    StringGrid muchos(13, 40);
    for (int f = 1; f < 40; ++f)
        muchos.Cells[0][f] = std::to_string(f + 100) + " X";
    EXPECT_TRUE(Guarda(Registro(5, 3, 5, 2024, 8, 6, "131 Y"), &muchos)); // grid row 31
    EXPECT_FALSE(ExisteArchivo("fichajes/presentes"));
    EXPECT_TRUE(Guarda(Registro(5, 3, 5, 2024, 8, 7, "130 Y"), &muchos)); // grid row 30
    EXPECT_EQ(TablaPresenciaLeida[30].Presente, 1);
    EXPECT_EQ(Contenido("fichajes/presentes").size(), 480u);
}

TEST(Presentes, MasDe30EmpleadosNoSalenDeLaTabla) {
    EntornoFichajes e;
    RutaPresentes = "fichajes/presentes";
    EscribePresentes({});
    StringGrid g(13, 40);
    for (int f = 1; f < 40; ++f)
        g.Cells[0][f] = std::to_string(f);
    std::vector<TAvisoPresencia> avisos;
    ASSERT_TRUE(CambiosPresencia(g, true, avisos));
    EXPECT_EQ(avisos.size(), 30u);
}

} // namespace
