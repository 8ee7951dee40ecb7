// The report builder's document is the one a cursor writes run by run: same blocks, paragraph and
// character formats, text, and so the same RTF.
#include "platform/codepage.h"
#include "platform/informe.h"
#include "platform/rtf.h"

#include <QTextBlock>
#include <gtest/gtest.h>

namespace {

// Every run inserted at once with its own cursor call, the block's character format set with it.
class CursorPlano {
public:
    CursorPlano() : cursor_(&doc_) {
        doc_.setDefaultFont(QFont("MS Sans Serif", 8));
        QTextOption o = doc_.defaultTextOption();
        o.setTabStopDistance(TabuladorTwips / TwipsPorUnidad);
        doc_.setDefaultTextOption(o);
        cursor_.setBlockCharFormat(formato());
    }
    void Fuente(const std::string &nombre, int puntos) {
        QFont f = doc_.defaultFont();
        f.setFamily(aQ(nombre));
        if (puntos > 0)
            f.setPointSize(puntos);
        doc_.setDefaultFont(f);
    }
    void Atributos(const TAtributos &a) { a_ = a; }
    void Tabuladores(const std::vector<int> &twips) {
        QList<QTextOption::Tab> tabs;
        for (int t : twips)
            tabs.append(QTextOption::Tab(t / TwipsPorUnidad, QTextOption::LeftTab));
        parrafo_.setTabPositions(tabs);
        if (!fin_)
            cursor_.setBlockFormat(parrafo_);
    }
    void Sangria(int twips) {
        parrafo_.setLeftMargin(twips / TwipsPorUnidad);
        if (!fin_)
            cursor_.setBlockFormat(parrafo_);
    }
    void Alineacion(Qt::Alignment a) {
        parrafo_.setAlignment(a);
        if (!fin_)
            cursor_.setBlockFormat(parrafo_);
    }
    void Texto(const std::string &t) {
        if (fin_) {
            QTextBlockFormat b = parrafo_;
            if (salto_)
                b.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            salto_ = false;
            cursor_.insertBlock(b, formato());
            fin_ = false;
        }
        cursor_.setBlockCharFormat(formato());
        if (!t.empty())
            cursor_.insertText(aQ(t), formato());
    }
    void Linea(const std::string &t) {
        Texto(t);
        fin_ = true;
    }
    void SaltoPagina() {
        if (!fin_ && cursor_.block().length() > 1)
            fin_ = true;
        if (fin_) {
            salto_ = true;
            return;
        }
        QTextBlockFormat b;
        b.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        cursor_.mergeBlockFormat(b);
    }
    const QTextDocument &Documento() const { return doc_; }

private:
    QTextCharFormat formato() const {
        QTextCharFormat f;
        f.setFontFamilies({a_.fuente.empty() ? doc_.defaultFont().family() : aQ(a_.fuente)});
        f.setFontPointSize(a_.puntos > 0 ? a_.puntos : doc_.defaultFont().pointSizeF());
        f.setFontWeight(a_.negrita ? QFont::Bold : QFont::Normal);
        f.setFontItalic(a_.cursiva);
        f.setFontUnderline(a_.subrayado);
        f.setForeground(a_.color);
        return f;
    }
    QTextDocument doc_;
    QTextCursor cursor_;
    TAtributos a_;
    QTextBlockFormat parrafo_;
    bool fin_ = false, salto_ = false;
};

// One step of a report: 'A' attributes, 'T' a run, 'L' a run that ends the line, 't' tab stops,
// 'a' alignment, 's' indent, 'P' page break, 'F' the report's font, 'R' the text read back halfway.
struct Paso {
    char op;
    std::string texto = {};
    TAtributos a = {};
    int n = 0;
};

template <class D> void Escribe(D &d, const std::vector<Paso> &pasos, std::string *leido = nullptr) {
    for (const Paso &p : pasos) {
        switch (p.op) {
        case 'A':
            d.Atributos(p.a);
            break;
        case 'T':
            d.Texto(p.texto);
            break;
        case 'L':
            d.Linea(p.texto);
            break;
        case 't':
            d.Tabuladores({p.n, 2 * p.n});
            break;
        case 'a':
            d.Alineacion(p.n ? Qt::AlignRight : Qt::AlignLeft);
            break;
        case 's':
            d.Sangria(p.n);
            break;
        case 'P':
            d.SaltoPagina();
            break;
        case 'F':
            d.Fuente(p.texto, p.n);
            break;
        case 'R':
            if (leido)
                *leido += deQ(d.Documento().toPlainText()) + "|";
            break;
        }
    }
}

const TAtributos kTitulo = TAtributos::Titulo(), kNormal = TAtributos::Normal(),
                 kVerde = TAtributos::Color(ColorGrupo), kRojo = TAtributos::Color(ColorFalta, true),
                 kBlanco = {QColor(255, 255, 255), 5};

const std::vector<std::vector<Paso>> kInformes = {
    // Lines of one format in a row, colour changes inside a line and right before its end, empty
    // lines in another size, a line ended with no text.
    {{'A', {}, kTitulo},
     {'L'},
     {'L', "Listado"},
     {'L'},
     {'A', {}, kVerde},
     {'L', "cabecera\t"},
     {'L', "01/03/2011 mar\t08:00\t"},
     {'A', {}, kBlanco},
     {'T', "||||"},
     {'A', {}, kRojo},
     {'T', "|||"},
     {'A', {}, kBlanco},
     {'T', "||"},
     {'T', "|"},
     {'A', {}, kVerde},
     {'L'},
     {'A', {}, kNormal},
     {'L'},
     {'L'},
     {'A', {}, kRojo},
     {'L', "fin"}},
    // Paragraph settings inside and between lines, page breaks on empty and written lines.
    {{'P'},
     {'t', {}, {}, 1440},
     {'L', "a\tb"},
     {'a', {}, {}, 1},
     {'T', "c"},
     {'P'},
     {'L', "d"},
     {'P'},
     {'t', {}, {}, 720},
     {'L', "e"},
     {'L', "f"},
     {'a', {}, {}, 0},
     {'T', "g"},
     {'t', {}, {}, 360},
     {'L'},
     {'P'},
     {'P'},
     {'A', {}, kVerde},
     {'L'},
     {'L', "h"}},
    // Line breaks inside runs, the report's font changed halfway, the text read back halfway.
    {{'L', "uno\ndos"},
     {'A', {}, kVerde},
     {'T', "tres\r\ncuatro"},
     {'T', "cinco\r"},
     {'L', "\nseis"},
     {'R'},
     {'F', "Courier New", 10},
     {'L', "siete"},
     {'A', {}, kRojo},
     {'T', "ocho"},
     {'R'},
     {'A', {}, kVerde},
     {'T', "nueve"},
     {'R'},
     {'L', "diez"},
     {'A', {}, kNormal},
     {'T', "once"}},
    // Line breaks alone, at either end of a run and mixed (CR, LF, CR LF, LF CR), a CR and an LF in
    // runs one after the other, in runs and lines in formats of their own or joined to a run, after
    // empty runs; all of it before and after the text is read back.
    [] {
        const std::vector<Paso> saltos = {
            {'A', {}, kVerde},   {'T', "\n"},      {'A', {}, kRojo},  {'T', "a\r"},      {'L', "\nb"},
            {'A', {}, kBlanco},  {'L', "\r"},      {'T', "\r\n"},     {'A', {}, kVerde}, {'T', ""},
            {'A', {}, kRojo},    {'T', "\n\ra\r"}, {'L', ""},         {'T', "c"},        {'A', {}, kBlanco},
            {'T', "a\r\r\nb\n"}, {'L', "d"},       {'T', "e"},        {'L', "\nf\n\rg"}, {'A', {}, kVerde},
            {'T', "h\r"},        {'A', {}, kRojo}, {'T', "\n\r\n\r"}, {'L', "i\r\n"},    {'T', "\n"}};
        std::vector<Paso> v = saltos;
        v.push_back({'R'});
        v.insert(v.end(), saltos.begin(), saltos.end());
        v.push_back({'R'});
        return v;
    }(),
    // Long runs, many formats, indents either way, a font of a long name (what the report keeps
    // before it builds the document holds numbers and lengths of any size).
    [] {
        std::vector<Paso> v = {{'s', {}, {}, 720},
                               {'L', std::string(30, 'a')},
                               {'s', {}, {}, -360},
                               {'T', std::string(31, 'b')},
                               {'L', std::string(200, 'c')},
                               {'F', std::string(40, 'F'), 72},
                               {'L', std::string(70000, 'd')}};
        for (int k = 0; k < 300; ++k) {
            v.push_back({'A', {}, {QColor(k % 256, k / 256, 7), k % 40}});
            v.push_back({'T', std::to_string(k)});
            if (k % 97 == 0)
                v.push_back({'L', "\t"});
        }
        return v;
    }(),
};

TEST(Informe, ElDocumentoEsElQueEscribeUnCursorRunARun) {
    for (size_t i = 0; i < kInformes.size(); ++i) {
        SCOPED_TRACE(i);
        CursorPlano esperado;
        TInformeRTF inf;
        std::string leidoEsperado, leido;
        Escribe(esperado, kInformes[i], &leidoEsperado);
        Escribe(inf, kInformes[i], &leido);
        EXPECT_EQ(leido, leidoEsperado);
        EXPECT_EQ(inf.RTF(), EscribeRTF(esperado.Documento()));
        const QTextDocument &a = inf.Documento(), &b = esperado.Documento();
        ASSERT_EQ(a.blockCount(), b.blockCount());
        for (QTextBlock x = a.begin(), y = b.begin(); x.isValid(); x = x.next(), y = y.next()) {
            SCOPED_TRACE(x.blockNumber());
            EXPECT_EQ(x.text(), y.text());
            EXPECT_TRUE(x.blockFormat() == y.blockFormat());
            EXPECT_TRUE(x.charFormat() == y.charFormat());
            auto f = x.begin(), g = y.begin();
            for (; !f.atEnd() && !g.atEnd(); ++f, ++g) {
                EXPECT_EQ(f.fragment().text(), g.fragment().text());
                EXPECT_TRUE(f.fragment().charFormat() == g.fragment().charFormat());
            }
            EXPECT_TRUE(f.atEnd() && g.atEnd());
        }
    }
}

TEST(Informe, ElEscritorDeLineasEscribeLoMismoQueLosAtributos) {
    // A report written run by run with whole attributes and the same one through the line writer
    // (one attribute at a time, lines ended apart) save the same bytes.
    TInformeRTF a, b;
    a.Atributos({ColorTitulo, 16, true, false, true});
    a.Linea("Titulo");
    a.Linea();
    a.Atributos({ColorFalta, 10, false, false, true});
    a.Texto("a\t");
    a.Atributos({ColorGrupo, 10, false, false, true});
    a.Linea("b");
    a.Atributos({ColorNormal, 0, true, false, false});
    a.Linea("c");

    TEscritorInforme &e = b;
    e.Estilo(true, true);
    e.Color(ColorTitulo);
    e.Tamano(16);
    e.Linea("Titulo");
    e.FinLinea();
    e.Estilo(false, true);
    e.Color(ColorFalta);
    e.Tamano(10);
    e.Texto("a\t");
    e.Color(ColorGrupo);
    e.Linea("b");
    e.Estilo(true, false);
    e.Color(ColorNormal);
    e.Tamano(0);
    e.Linea("c");
    EXPECT_EQ(b.TextoPlano(), "Titulo\n\na\tb\nc");
    EXPECT_EQ(b.RTF(), a.RTF());
}

// A writer that notes its calls: "E" with "n" bold and "s" underline, "C" and the colour, "P" and the
// points, "T" and the text, "F" a line end.
struct Grabadora : TEscritorInforme {
    std::vector<std::string> Llamadas;
    void Estilo(bool n, bool s) override {
        Llamadas.push_back(std::string("E") + (n ? "n" : "") + (s ? "s" : ""));
    }
    void Color(const QColor &c) override { Llamadas.push_back("C" + c.name().toStdString()); }
    void Tamano(int puntos) override { Llamadas.push_back("P" + std::to_string(puntos)); }
    void Texto(const std::string &t) override { Llamadas.push_back("T" + t); }
    void FinLinea() override { Llamadas.push_back("F"); }
};

// Makes on d the calls a Grabadora would note so.
void Llama(TEscritorInforme &d, const std::vector<std::string> &llamadas) {
    for (const std::string &l : llamadas) {
        const std::string r = l.substr(1);
        if (l[0] == 'E')
            d.Estilo(r.find('n') != std::string::npos, r.find('s') != std::string::npos);
        else if (l[0] == 'C')
            d.Color(QColor(QString::fromStdString(r)));
        else if (l[0] == 'P')
            d.Tamano(std::stoi(r));
        else if (l[0] == 'T')
            d.Texto(r);
        else
            d.FinLinea();
    }
}

TEST(Informe, ReproduceEnOtroEscritorLasLlamadasHechas) {
    struct Caso {
        std::vector<std::string> hechas;
        std::vector<std::string> reproducidas = hechas; // the same unless given
    };
    const std::vector<Caso> casos = {
        // The day graph: attributes before the first text, changes between runs and lines.
        {{"E", "C#000080", "P14", "TTrabajador 7 Ana", "F", "P5", "T\t\t", "C#000000", "T|", "C#ffffff",
          "T|||||||||||", "C#0000ff", "P9", "TNormal", "F", "P10", "C#ff0000", "T\t\tINCIDENCIA", "F"}},
        // Changes made one after another with no text between, undone and in any order; empty
        // lines; a run left open at the end.
        {{"Es", "C#008000", "P16", "T", "F", "Ta", "P12", "C#ff0000", "En", "Es", "Tb", "F", "T", "F", "Tc"}},
        // Line breaks inside runs, at either end and alone.
        {{"E", "C#000000", "P0", "Ta\r\nb", "Tc", "F", "T\n", "Td", "F", "T\re", "Tf\n", "Tg", "F"}},
        // What the record keeps as one: runs one after another in the same attributes, repeated
        // attributes, a line end alone written as an empty line.
        {{"En", "C#ff0000", "P10", "Ta", "C#ff0000", "Tb", "En", "F", "F"},
         {"En", "C#ff0000", "P10", "Tab", "F", "T", "F"}},
        // A text written before any attribute comes in the report's first attributes.
        {{"Ta", "F", "Es", "Tb"}, {"E", "C#000000", "P0", "Ta", "F", "Es", "Tb"}},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(&c - casos.data());
        TInformeRTF inf;
        Llama(inf, c.hechas);
        Grabadora g;
        EXPECT_TRUE(inf.Reproduce(g));
        EXPECT_EQ(g.Llamadas, c.reproducidas);
        TInformeRTF copia;
        EXPECT_TRUE(inf.Reproduce(copia));
        EXPECT_EQ(copia.RTF(), inf.RTF());
        // Once built the report holds no record to replay.
        Grabadora tarde;
        EXPECT_FALSE(inf.Reproduce(tarde));
        EXPECT_TRUE(tarde.Llamadas.empty());
    }
}

} // namespace
