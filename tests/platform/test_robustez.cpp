// Damaged files through the platform readers: each returns, reads what is there and leaves the
// file as it was.
#include "platform/arboltexto.h"
#include "platform/archivoini.h"
#include "platform/lineas.h"
#include "platform/rtf.h"
#include "support/dirtemporal.h"
#include "support/mutaciones.h"

#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

// No byte but the line ends is lost; a file whose line ends lost their LF or gained a CR reads as
// the valid one.
void lineas(const std::string &ruta, const Mutacion &m) {
    std::vector<std::string> l;
    ASSERT_TRUE(LeeLineas(ruta, l));
    std::string unidas, esperado;
    for (const auto &x : l) {
        EXPECT_EQ(x.find_first_of("\r\n"), std::string::npos);
        unidas += x;
    }
    for (char c : m.Bytes)
        if (c != '\r' && c != '\n')
            esperado += c;
    EXPECT_EQ(unidas, esperado);
    if (m.Nombre == "sin LF" || m.Nombre == "CR dobles") {
        EXPECT_EQ(l, (std::vector<std::string>{"a", "b", "c", "", "d", "", "e"}));
    }
}

// Every line with text is one node, in order, without its leading tabs.
void arbol(const std::string &ruta, const Mutacion &) {
    std::vector<std::string> l;
    ASSERT_TRUE(LeeLineas(ruta, l));
    std::vector<std::string> esperados;
    for (const auto &x : l)
        if (x.find_first_not_of(" \t") != std::string::npos)
            esperados.push_back(x.substr(x.find_first_not_of('\t')));
    std::vector<std::string> nodos;
    for (const auto &x : LineasDeArbol(ArbolDeLineas(l)))
        nodos.push_back(x.substr(x.find_first_not_of('\t')));
    EXPECT_EQ(nodos, esperados);
}

void ini(const std::string &ruta, const Mutacion &) {
    TIniFile f(ruta);
    EXPECT_TRUE(f.Legible());
    for (const char *s : {"config", "Festivos", "x"}) {
        for (const std::string &k : f.ReadSection(s))
            f.ReadInteger(s, k, 0);
        f.ReadSectionValues(s);
    }
    EXPECT_EQ(f.ReadString("nada", "k", "def"), "def");
}

void rtf(const std::string &ruta, const Mutacion &) {
    QTextDocument doc;
    std::string error;
    EXPECT_TRUE(CargaDocumento(ruta, doc, error)) << error;
}

std::string rtfValido() {
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat f;
    f.setFontWeight(QFont::Bold);
    f.setForeground(QColor(0, 0, 255));
    f.setFontPointSize(14);
    c.insertText(QString::fromUtf8("Listado \u20AC {x}\\ Jos\u00E9\tN\u00FA\u00F1ez \u4E2D"), f);
    QTextBlockFormat b;
    b.setAlignment(Qt::AlignRight);
    b.setLeftMargin(20);
    b.setTabPositions({QTextOption::Tab(100, QTextOption::RightTab)});
    c.insertBlock(b);
    c.insertText("Total 12,50");
    return EscribeRTF(doc) + "{\\*\\unknown x}{\\pict\\bin4 }}}}{{\\u-3913?\\'e1\\uc2\\u300 ab}}";
}

TEST(Robustez, ArchivosDanadosDeLaPlataforma) {
    DirectorioTrabajo d;
    const std::string arbolValido =
        "Empresa\r\n\t1 Ana\r\n\t\tx\r\n\t\t\t\tmuy dentro\r\n  \r\nOtra\r\n\tGrupo\r\n";
    const std::string iniValido = "; c\r\n[config]\r\ndatos=datos\\\r\nnum=12\r\nq=\"a b\"\r\n[Festivos]\r\n"
                                  "1=255\r\n[x\r\n=v\r\n";
    PruebaArchivos(
        {{"lineas", "a\r\nb\nc\r\rd\r\n\r\ne", lineas},
         {"arbol", arbolValido, arbol},
         {"ini", iniValido, ini},
         {"rtf", rtfValido(), rtf},
         {"absurdo.rtf",
          "{\\rtf1{\\fonttbl{\\f99999999999 Arial;}{\\f-5;}}{\\colortbl;\\red999\\green-5;;}\\deff-3"
          "\\f99999999999\\cf999999\\fs-4\\li-99999999\\tx99999\\uc99999 \\u65 x\\u-32768\\u99999?" +
              std::string(300, '{') + "\\'4\\bin99999999999 ",
          rtf}});
}

} // namespace
