#include "platform/codepage.h"
#include "platform/rtf.h"
#include "support/dirtemporal.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <gtest/gtest.h>

namespace {

QTextCharFormat car(QColor color, double puntos, bool negrita = false, bool cursiva = false,
                    bool subrayado = false) {
    QTextCharFormat f;
    f.setForeground(color);
    f.setFontPointSize(puntos);
    f.setFontWeight(negrita ? QFont::Bold : QFont::Normal);
    f.setFontItalic(cursiva);
    f.setFontUnderline(subrayado);
    return f;
}

// A small report as the builders write it (text given in UTF-8 here).
void informe(QTextDocument &doc) {
    doc.setDefaultFont(QFont("MS Sans Serif", 8));
    QTextCursor c(&doc);
    c.insertText(QString::fromUtf8("Listado de presencia"), car(QColor(0, 0, 255), 16, true));
    c.insertBlock();
    c.insertText(QString::fromUtf8("Día 01/02/2024\tJosé Núñez"), car(QColor(0, 128, 0), 10));
    c.insertBlock();
    c.insertText(QString::fromUtf8("Falta 1:30"), car(QColor(255, 0, 0), 10, false, true));
    c.insertText(QString::fromUtf8(" Importe 12,50 € {x}\\"), car(QColor(0, 0, 128), 10, true, false, true));
}

struct Run {
    QString texto;
    QColor color;
    double puntos;
    bool negrita, cursiva, subrayado;
    QString fuente;
};

std::vector<std::vector<Run>> runs(const QTextDocument &doc) {
    std::vector<std::vector<Run>> r;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        r.emplace_back();
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            QTextCharFormat f = it.fragment().charFormat();
            QStringList fam = f.fontFamilies().toStringList();
            r.back().push_back(
                {it.fragment().text(),
                 f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : QColor(),
                 f.fontPointSize(), f.fontWeight() >= QFont::Bold, f.fontItalic(), f.fontUnderline(),
                 fam.isEmpty() ? QString() : fam.first()});
        }
    }
    return r;
}

QString texto(const QTextDocument &doc) {
    return doc.toPlainText();
}

} // namespace

TEST(RTF, EscribeTablasAtributosYTextoEnWindows1252) {
    QTextDocument doc;
    informe(doc);
    std::string esperado =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deftab1200{\\fonttbl{\\f0\\fnil\\fcharset0 MS Sans Serif;}}\r\n"
        "{\\colortbl ;\\red0\\green0\\blue255;\\red0\\green128\\blue0;\\red255\\green0\\blue0;"
        "\\red0\\green0\\blue128;}\r\n"
        "\\viewkind4\\uc1\\pard\\fs32\\cf1\\b Listado de presencia\\par\r\n"
        "\\pard\\fs20\\cf2\\b0 D\\'eda 01/02/2024\\tab Jos\\'e9 N\\'fa\\'f1ez\\par\r\n"
        "\\pard\\cf3\\i Falta 1:30\\cf4\\b\\i0\\ul  Importe 12,50 \\'80 \\{x\\}\\\\}\r\n";
    EXPECT_EQ(EscribeRTF(doc), esperado);
}

TEST(RTF, IdaYVueltaConservaRunsColoresTamanosYLetras) {
    QTextDocument doc;
    informe(doc);
    QTextCursor c(&doc);
    c.movePosition(QTextCursor::End);
    c.insertBlock();
    c.insertBlock(); // an empty line keeps its place
    QTextBlockFormat centrado;
    centrado.setAlignment(Qt::AlignHCenter);
    centrado.setLeftMargin(20);
    centrado.setTabPositions(
        {QTextOption::Tab(100, QTextOption::RightTab), QTextOption::Tab(200, QTextOption::LeftTab)});
    c.setBlockFormat(centrado);
    QTextCharFormat arial = car(QColor(128, 0, 128), 9);
    arial.setFontFamilies({"Arial"});
    c.insertText(QString::fromUtf8("ÁÉÍÓÚ üÜ ¿¡ “comillas” – ≠ 😀"), arial);

    QTextDocument leido;
    ASSERT_TRUE(LeeRTF(EscribeRTF(doc), leido));
    EXPECT_EQ(texto(leido), texto(doc));
    auto a = runs(doc), b = runs(leido);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        ASSERT_EQ(a[i].size(), b[i].size()) << "parrafo " << i;
        for (size_t j = 0; j < a[i].size(); ++j) {
            EXPECT_EQ(a[i][j].texto, b[i][j].texto);
            EXPECT_EQ(a[i][j].color, b[i][j].color) << a[i][j].texto.toStdString();
            EXPECT_EQ(a[i][j].puntos, b[i][j].puntos);
            EXPECT_EQ(a[i][j].negrita, b[i][j].negrita);
            EXPECT_EQ(a[i][j].cursiva, b[i][j].cursiva);
            EXPECT_EQ(a[i][j].subrayado, b[i][j].subrayado);
        }
    }
    EXPECT_EQ(b[0][0].fuente, "MS Sans Serif");
    ASSERT_EQ(b.size(), 5u);
    EXPECT_EQ(b[4][0].fuente, "Arial");
    QTextBlockFormat ultimo = leido.lastBlock().blockFormat();
    EXPECT_EQ(ultimo.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_DOUBLE_EQ(ultimo.leftMargin(), 20);
    ASSERT_EQ(ultimo.tabPositions().size(), 2);
    EXPECT_EQ(ultimo.tabPositions()[0].type, QTextOption::RightTab);
    EXPECT_DOUBLE_EQ(ultimo.tabPositions()[0].position, 100);
    EXPECT_DOUBLE_EQ(ultimo.tabPositions()[1].position, 200);
    // the empty line keeps the size of the text around it
    EXPECT_EQ(leido.findBlockByNumber(3).text(), "");
    EXPECT_EQ(leido.findBlockByNumber(3).charFormat().fontPointSize(), 10);
    // a second round gives the same bytes
    EXPECT_EQ(EscribeRTF(leido), EscribeRTF(doc));
}

TEST(RTF, LeeRTFDeProcesadorDeTextos) {
    // The shape of what common word processors write: header groups to skip, \u with a
    // fallback, fields, list text, a table, font table without inner groups.
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff1{\\fonttbl{\\f0\\froman\\fcharset0 Times New "
                      "Roman{\\*\\panose "
                      "02020603050405020304};}\r\n{\\f1\\fswiss\\fcharset0 Arial;}}"
                      "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue0;}"
                      "{\\stylesheet{\\ql \\f1\\fs24 Normal;}{\\s1 heading 1;}}"
                      "{\\info{\\title Informe secreto}{\\author Alguien}}{\\*\\generator Writer;}"
                      "\\paperw11906\\paperh16838\\margl1134\r\n"
                      "{\\header \\pard Cabecera\\par}"
                      "\\pard\\plain \\s1\\qc\\f1\\fs32\\b\\cf1 T\\'edtulo\\par\r\n"
                      "\\pard\\plain \\f1\\fs20 Precio: 5 \\u8364\\'80 y \\u8212? fin {\\*\\bkmkstart "
                      "b1}x{\\*\\bkmkend b1}\\par\r\n"
                      "{\\listtext\\pard\\plain \\f1 \\'b7\\tab}Punto\\par\r\n"
                      "{\\field{\\*\\fldinst {HYPERLINK \"http://x\"}}{\\fldrslt {\\ul enlace}}}\\par\r\n"
                      "\\trowd\\cellx1000\\cellx2000\\pard\\intbl A\\cell B\\cell\\row\r\n"
                      "{\\pict\\wmetafile8\\picw10 0a0b0c0d}Imagen\\line nueva\\par\r\n"
                      "{\\f0 Roman \\b\\i\\ul todo\\ulnone  nada}}";
    QTextDocument doc;
    ASSERT_TRUE(LeeRTF(rtf, doc));
    QStringList lineas;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        lineas << b.text();
    ASSERT_EQ(lineas.size(), 7) << texto(doc).toStdString();
    EXPECT_EQ(lineas[0], QString::fromUtf8("Título"));
    EXPECT_EQ(lineas[1], QString::fromUtf8("Precio: 5 € y — fin x"));
    EXPECT_EQ(lineas[2], QString::fromUtf8("·\tPunto"));
    EXPECT_EQ(lineas[3], "enlace");
    EXPECT_EQ(lineas[4], "A\tB");
    EXPECT_EQ(lineas[5], QString("Imagen") + QChar(0x2028) + "nueva");
    EXPECT_EQ(lineas[6], "Roman todo nada");
    auto r = runs(doc);
    EXPECT_EQ(r[0][0].color, QColor(255, 0, 0));
    EXPECT_EQ(r[0][0].puntos, 16);
    EXPECT_TRUE(r[0][0].negrita);
    EXPECT_EQ(r[0][0].fuente, "Arial");
    EXPECT_EQ(doc.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_FALSE(r[1][0].color.isValid()); // \plain: automatic colour
    EXPECT_TRUE(r[3][0].subrayado);
    ASSERT_EQ(r[6].size(), 3u);
    EXPECT_EQ(r[6][0].fuente, "Times New Roman");
    EXPECT_TRUE(r[6][1].negrita && r[6][1].cursiva && r[6][1].subrayado);
    EXPECT_FALSE(r[6][2].subrayado);
    EXPECT_TRUE(r[6][2].negrita);
}

TEST(RTF, EntradasRotasNoRompenNada) {
    const char *casos[] = {
        "{\\rtf1 abc",                        // unclosed
        "{\\rtf1 abc}}}} def",                // extra braces
        "{\\rtf1 a\\'",                       // truncated escape
        "{\\rtf1 a\\'4",                      // half an escape
        "{\\rtf1 a\\'zz b}",                  // bad hex
        "{\\rtf1 \\u99999999999999999999 x}", // absurd number
        "{\\rtf1 \\u-99999 x\\uc99999 \\u65 yyyy}",
        "{\\rtf1 \\bin999999 xyz}", // binary past the end
        "{\\rtf1 {\\colortbl \\red999;}\\cf5 x\\cf-3 y\\fs-4 z\\fs999999 w}",
        "{\\rtf1 {\\fonttbl {\\f0 sin punto y coma}}\\f7 x}",
        "{\\rtf1 \\tx999999999\\li-999999999 x\\par}",
        "{\\rtf1 \\",
        "{\\rtf1 \\abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz1 x}",
    };
    for (const char *caso : casos) {
        QTextDocument doc;
        EXPECT_TRUE(LeeRTF(caso, doc)) << caso;
    }
    QTextDocument doc;
    ASSERT_TRUE(LeeRTF("{\\rtf1 abc}}}} def", doc));
    EXPECT_EQ(texto(doc), "abc");
    ASSERT_TRUE(LeeRTF("{\\rtf1 \\uc2\\u65 xyB}", doc));
    EXPECT_EQ(texto(doc), "AB");
    // very deep nesting keeps its text and ends
    std::string hondo = "{\\rtf1 " + std::string(100000, '{') + "x" + std::string(100000, '}') + "y}";
    ASSERT_TRUE(LeeRTF(hondo, doc));
    EXPECT_EQ(texto(doc), "xy");
}

TEST(RTF, ArchivoQueNoEsRTFSeAbreComoTexto) {
    DirectorioTrabajo d;
    Escribe("INCIDENCIAS.RTF", "Incidencias\r\n\tVacaciones \xE1 \x80\r\nfin");
    QTextDocument doc;
    std::string error;
    ASSERT_TRUE(CargaDocumento("INCIDENCIAS.RTF", doc, error));
    EXPECT_EQ(texto(doc), QString::fromUtf8("Incidencias\n\tVacaciones á €\nfin"));
    EXPECT_FALSE(LeeRTF("Hola", doc));
    EXPECT_EQ(texto(doc), QString::fromUtf8("Incidencias\n\tVacaciones á €\nfin")); // untouched
    EXPECT_FALSE(CargaDocumento("no existe.rtf", doc, error));
    EXPECT_EQ(error, "No se puede abrir el archivo no existe.rtf");
}

TEST(RTF, GuardaYCarga) {
    DirectorioTrabajo d;
    QTextDocument doc;
    informe(doc);
    std::string error;
    ASSERT_TRUE(GuardaDocumento("a.rtf", doc, error));
    EXPECT_EQ(Contenido("a.rtf"), EscribeRTF(doc));
    QTextDocument leido;
    ASSERT_TRUE(CargaDocumento("a.rtf", leido, error));
    EXPECT_EQ(texto(leido), texto(doc));
    EXPECT_FALSE(GuardaDocumento("no/existe/a.rtf", doc, error));
    EXPECT_EQ(error, "No se puede guardar el archivo no/existe/a.rtf");
}

// A third-party reader sees the text, colours, sizes and bold of a saved report.
TEST(RTF, UnLectorAjenoLeeElInforme) {
    if (!QFile::exists("/usr/bin/unrtf"))
        GTEST_SKIP() << "unrtf no instalado";
    DirectorioTrabajo d;
    QTextDocument doc;
    informe(doc);
    std::string error;
    ASSERT_TRUE(GuardaDocumento("informe.rtf", doc, error));
    QProcess p;
    p.start("/usr/bin/unrtf", {"--html", "informe.rtf"});
    ASSERT_TRUE(p.waitForFinished(20000));
    ASSERT_EQ(p.exitCode(), 0);
    QString html = QString::fromUtf8(p.readAllStandardOutput());
    SCOPED_TRACE(html.toStdString());
    // title: 16 points, blue, bold
    EXPECT_TRUE(html.contains(
        QRegularExpression("font-size:16pt[^>]*>\\s*<font color=\"#0000ff\">\\s*<b>Listado de presencia")));
    EXPECT_TRUE(html.contains(QRegularExpression("#008000\">D&iacute;a 01/02/2024")));
    EXPECT_TRUE(html.contains("Jos&eacute; N&uacute;&ntilde;ez"));
    EXPECT_TRUE(html.contains(QRegularExpression("#ff0000\"><i>Falta 1:30</i>")));
    EXPECT_TRUE(html.contains(QRegularExpression("#000080\"><b><u> Importe 12,50 &euro; \\{x\\}\\\\</u>")));
    EXPECT_FALSE(html.contains("\\par"));
}
