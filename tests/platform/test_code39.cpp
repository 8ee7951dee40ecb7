#include "platform/code39.h"
#include "support/codigobarras.h"
#include "support/dirtemporal.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

TEST(Code39, BarrasDeCadaCaracter) {
    std::vector<int> a;
    ASSERT_TRUE(Code39::Barras("*", a));
    EXPECT_EQ(a, (std::vector<int>{1, 3, 1, 1, 3, 1, 3, 1, 1}));
    ASSERT_TRUE(Code39::Barras("*0*", a));
    EXPECT_EQ(a.size(), 29u); // three characters of nine and two gaps
    // Every character: three wide of nine, so 15 modules, plus a gap between characters.
    EXPECT_EQ(Code39::Modulos("*00250001*"), 10 * 15 + 9 + 2 * Code39::ZonaQuieta);
    for (const char *malo : {"", "*a*", "*Ñ*", "*\t*"}) {
        EXPECT_FALSE(Code39::Barras(malo, a)) << malo;
        EXPECT_TRUE(a.empty());
        EXPECT_EQ(Code39::Modulos(malo), 0);
    }
    EXPECT_EQ(Code39::ConInicioYFin("120"), "*120*");
}

// Painted at screen and at print resolution, zbarimg reads the code back.
TEST(Code39, PintadoSeLeeConUnLectorReal) {
    if (!HayZbar())
        GTEST_SKIP() << "zbarimg no instalado";
    DirectorioTrabajo d;
    for (int modulo : {1, 2, 5}) {
        const int ancho = Code39::Modulos("*00250001*") * modulo + 7;
        QImage img(ancho, 40 * modulo, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        ASSERT_TRUE(Code39::Pinta(p, QRectF(0, 0, ancho, img.height()), "*00250001*"));
        p.end();
        ASSERT_TRUE(img.save(QString::fromStdString(d.Archivo("c.png"))));
        EXPECT_EQ(LeeCodigosBarras(d.Archivo("c.png")), (std::vector<std::string>{"CODE-39:00250001"}))
            << modulo;
    }
    QImage img(50, 20, QImage::Format_RGB32);
    QPainter p(&img);
    EXPECT_FALSE(Code39::Pinta(p, QRectF(0, 0, 50, 20), "*abc*"));
}
