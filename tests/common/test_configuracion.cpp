#include "common/ajustesprueba.h"
#include "common/presencia.h"
#include "support/dirtemporal.h"
#include "support/fallosdisco.h"
#include "support/respuestas.h"

#include <gtest/gtest.h>

TEST(Configuracion, SinArchivoEscribeLasClavesEnSuOrden) {
    DirectorioTrabajo d;
    TConfiguracion c = LeeConfiguracion("velkatron.ini");
    EXPECT_EQ(Contenido("velkatron.ini"),
              "[config]\r\ntnrec=400\r\ncnrec=10\r\ntcpport=10000\r\nconexion=485\r\nVelocidad=115200\r\n"
              "Encriptar=0\r\nRedondeoExtras=0\r\nIOBase=3f8\r\n"
              "formato=$3t-$2c $1i $32n $8p $2d/$2m/$4a $2H:$2M\\r\\n\r\nproduccion=produccion\\\r\n"
              "datos=datos\\\r\nhuellas=huellas\\\r\nfichajes=fichajes\\\r\nparcial=$2d$2m$2a.$3t\r\n"
              "historico=historico\r\n");
    EXPECT_EQ(c.DirDatos, "datos/");
    EXPECT_EQ(c.DirArchivosPres, "archivos/presencia/");
    EXPECT_EQ(c.RutaHistorico, "fichajes/historico");
    EXPECT_EQ(c.DireccionBaseUart, 0x3F8u);
    EXPECT_FLOAT_EQ(c.FactorImpresion, 4.5f);
    EXPECT_FALSE(c.FormatoCambiado);
    EXPECT_EQ(c.ModoRadio, 0);
}

TEST(Configuracion, ValoresDerivados) {
    DirectorioTrabajo d;
    Escribe("velkatron.ini", "[CONFIG]\r\nPuerto=COM2\r\nconexion=OndaRelay\r\nfactorx=2.75\r\n"
                             "datos=D:\\velka\\datos\r\nformato=$2d\r\nformato_anterior=$3t\r\nocultar=5\r\n"
                             "tnrec=abc\r\n");
    TConfiguracion c = LeeConfiguracion("velkatron.ini");
    EXPECT_EQ(c.DireccionBaseUart, 0x2F8u);
    EXPECT_EQ(c.ModoRadio, 0);
    EXPECT_FLOAT_EQ(c.FactorImpresion, 2.75f);
    EXPECT_EQ(c.DirDatos, "D:/velka/datos/");
    EXPECT_TRUE(c.FormatoCambiado);
    EXPECT_EQ(c.SegundosOcultar, 5);
    EXPECT_EQ(c.TiempoRespuesta, 400);
    // Written back in place, in the stored form, without duplicates.
    const std::string ini = Contenido("velkatron.ini");
    EXPECT_NE(ini.find("datos=D:\\velka\\datos\\\r\n"), std::string::npos);
    EXPECT_NE(ini.find("tnrec=400\r\n"), std::string::npos);
    EXPECT_EQ(ini.find("tnrec=abc"), std::string::npos);
    EXPECT_EQ(ini.find("[config]"), std::string::npos);

    Escribe("velkatron.ini", "[config]\r\nPuerto=com2\r\nconexion=ondarelay\r\ncoordinador=BA0000FF\r\n");
    c = LeeConfiguracion("velkatron.ini");
    EXPECT_EQ(c.DireccionBaseUart, 0x3F8u);
    EXPECT_EQ(c.ModoRadio, 1);
    EXPECT_EQ(c.DireccionCoordinador, "BA0000FF");
}

TEST(Configuracion, ArchivoIlegibleOSinEspacioSeAvisaYNoSeToca) {
    DirectorioTrabajo d;
    RespuestasPrueba respuestas;
    const std::string viejo = "[config]\r\ndatos=D:\\datos\\\r\n"; // without the keys written back
    Escribe("velkatron.ini", viejo);
    TConfiguracion c;
    {
        SinLectura ilegible("velkatron.ini");
        c = LeeConfiguracion("velkatron.ini");
    }
    EXPECT_EQ(Contenido("velkatron.ini"), viejo);
    EXPECT_EQ(c.DirDatos, "datos/"); // the defaults
    ASSERT_EQ(respuestas.Mensajes.size(), 1u);
    EXPECT_EQ(respuestas.Mensajes[0].texto.rfind("No se puede leer el archivo de configuraci\xF3n", 0), 0u);

    {
        DiscoLleno lleno;
        c = LeeConfiguracion("velkatron.ini");
    }
    EXPECT_EQ(Contenido("velkatron.ini"), viejo);
    EXPECT_EQ(c.DirDatos, "D:/datos/");
    ASSERT_EQ(respuestas.Mensajes.size(), 2u);
    EXPECT_EQ(
        respuestas.Mensajes[1].texto.rfind("No se ha podido escribir el archivo de configuraci\xF3n", 0), 0u);
}

TEST(Configuracion, FestivosHastaTreintaYDos) {
    DirectorioTrabajo d;
    std::string ini = "[Festivos]\r\n1=255\r\nx=7\r\nz=abc\r\n";
    for (int i = 0; i < 40; ++i)
        ini += "f" + std::to_string(i) + "=" + std::to_string(100 + i) + "\r\n";
    Escribe("velkatron.ini", ini);
    TConfiguracion c = LeeConfiguracion("velkatron.ini");
    EXPECT_EQ(c.NumFestivos, 32);
    EXPECT_EQ(c.TablaFestivos[0], 255);
    EXPECT_EQ(c.TablaFestivos[1], 7);
    EXPECT_EQ(c.TablaFestivos[2], 0);
    EXPECT_EQ(c.TablaFestivos[31], 128);
}

// A record read keeps its own file open; reading never changes the program's settings.
TEST(Configuracion, CadaLecturaConSuArchivo) {
    DirectorioTrabajo d;
    TRestauraAjustes ajustes;
    AjustesPrueba().DirDatos = "programa/";
    Escribe("a.ini", "[config]\r\ndatos=a\r\n");
    const TConfiguracion a = LeeConfiguracion("a.ini");
    const TConfiguracion b = LeeConfiguracion("b.ini");
    EXPECT_EQ(Configuracion().DirDatos, "programa/");
    EXPECT_EQ(a.DirDatos, "a/");
    ASSERT_TRUE(a.ArchivoIni->WriteString("config", "programa", "fw.elf"));
    EXPECT_NE(Contenido("a.ini").find("programa=fw.elf\r\n"), std::string::npos);
    EXPECT_EQ(Contenido("b.ini").find("programa"), std::string::npos);
}

TEST(Presencia, ArchivoPresentesDe480BytesYArchivoCorto) {
    TRegistroPresencia t[PlazasPresencia + 1];
    t[1].HoraEntrada = 8;
    t[1].MinutoEntrada = 30;
    t[1].Presente = 1;
    t[1].SiguienteFila = 0x01020304;
    t[30].HoraSalida = 17;
    std::string b = BytesDeTabla(t);
    ASSERT_EQ(b.size(), 480u);
    EXPECT_EQ(b.substr(0, 16),
              std::string("\x08\x00\x1e\x00\x64\x00\x00\x00\x01\x00\x00\x00\x04\x03\x02\x01", 16));
    EXPECT_EQ(b.substr(464 + 4, 2), std::string("\x11\x00", 2));

    TRegistroPresencia leida[PlazasPresencia + 1];
    leida[5].HoraEntrada = 9; // stale values must not survive a short file
    leida[5].Presente = 1;
    TablaDeBytes(b.substr(0, 20), leida);
    EXPECT_EQ(leida[1].HoraEntrada, 8);
    EXPECT_EQ(leida[1].Presente, 1);
    EXPECT_EQ(leida[2].HoraEntrada, 100); // bytes 16..19 of row 2 were in the file
    EXPECT_EQ(leida[2].HoraSalida, 0);    // the rest of row 2 was not: zero
    EXPECT_EQ(leida[5].HoraEntrada, 0);
    EXPECT_EQ(leida[5].Presente, 0);
}
