#include "platform/rtf.h"

#include "platform/codepage.h"
#include "platform/lineas.h"
#include "platform/numeros.h"

#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextOption>
#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <map>
#include <string_view>
#include <vector>

namespace {

// ---------------------------------------------------------------- writer

// Character attributes as RTF expresses them.
struct Caracter {
    int fuente = 0;
    int medios = 24; // half-points
    bool negrita = false, cursiva = false, subrayado = false, tachado = false;
    int color = 0;    // 0 = automatic
    int vertical = 0; // 0 normal, 1 superscript, 2 subscript
    bool operator==(const Caracter &) const = default;
};

int twips(double unidades) {
    return static_cast<int>(std::lround(unidades * TwipsPorUnidad));
}

QString familia(const QTextCharFormat &f, const QString &porDefecto) {
    QStringList l = f.fontFamilies().toStringList();
    if (!l.isEmpty() && !l.first().isEmpty())
        return l.first();
    return porDefecto;
}

double puntos(const QTextCharFormat &f, const QFont &porDefecto) {
    if (f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() > 0)
        return f.fontPointSize();
    if (porDefecto.pointSizeF() > 0)
        return porDefecto.pointSizeF();
    return 12;
}

bool tieneColor(const QTextCharFormat &f) {
    return f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush;
}

class Escritor {
public:
    explicit Escritor(const QTextDocument &doc) : doc_(doc) {}

    std::string Escribe() {
        tablas();
        o_ += "{\\rtf1\\ansi\\ansicpg1252\\deff0";
        double tab = doc_.defaultTextOption().tabStopDistance();
        control("deftab", tab > 0 ? twips(tab) : TabuladorTwips);
        o_ += "{\\fonttbl";
        for (size_t i = 0; i < fuentes_.size(); ++i) {
            o_ += "{\\f" + std::to_string(i) + "\\fnil\\fcharset0 ";
            espacio_ = false;
            texto(fuentes_[i], false);
            o_ += ";}";
        }
        o_ += "}\r\n";
        if (!colores_.empty()) {
            o_ += "{\\colortbl ;";
            for (QRgb c : colores_)
                o_ += "\\red" + std::to_string(qRed(c)) + "\\green" + std::to_string(qGreen(c)) + "\\blue" +
                      std::to_string(qBlue(c)) + ";";
            o_ += "}\r\n";
        }
        o_ += "\\viewkind4\\uc1";
        espacio_ = true;
        for (QTextBlock b = doc_.begin(); b.isValid(); b = b.next()) {
            if (b != doc_.begin()) {
                control("par");
                o_ += "\r\n";
                if (saltoAntes(b))
                    control("page");
            }
            parrafo(b.blockFormat());
            bool vacio = true;
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                QTextFragment fr = it.fragment();
                if (!fr.isValid())
                    continue;
                cambia(de(fr.charFormat()));
                texto(fr.text(), true);
                vacio = false;
            }
            if (vacio)
                cambia(de(b.charFormat()));
        }
        o_ += "}\r\n";
        return o_;
    }

private:
    bool saltoAntes(const QTextBlock &b) const {
        if (b.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            return true;
        QTextBlock a = b.previous();
        return a.isValid() && (a.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter);
    }

    int indiceFuente(const QString &f) {
        for (size_t i = 0; i < fuentes_.size(); ++i)
            if (fuentes_[i] == f)
                return static_cast<int>(i);
        fuentes_.push_back(f);
        return static_cast<int>(fuentes_.size()) - 1;
    }

    int indiceColor(QRgb c) {
        c = qRgb(qRed(c), qGreen(c), qBlue(c));
        for (size_t i = 0; i < colores_.size(); ++i)
            if (colores_[i] == c)
                return static_cast<int>(i) + 1;
        colores_.push_back(c);
        return static_cast<int>(colores_.size());
    }

    // Gathers the font and colour tables (the default font first).
    void tablas() {
        indiceFuente(doc_.defaultFont().family());
        for (QTextBlock b = doc_.begin(); b.isValid(); b = b.next()) {
            de(b.charFormat());
            for (auto it = b.begin(); !it.atEnd(); ++it)
                if (it.fragment().isValid())
                    de(it.fragment().charFormat());
        }
    }

    Caracter de(const QTextCharFormat &f) {
        Caracter c;
        c.fuente = indiceFuente(familia(f, doc_.defaultFont().family()));
        c.medios = std::max(1, static_cast<int>(std::lround(puntos(f, doc_.defaultFont()) * 2)));
        c.negrita = f.fontWeight() > QFont::Medium;
        c.cursiva = f.fontItalic();
        c.subrayado = f.fontUnderline();
        c.tachado = f.fontStrikeOut();
        c.color = tieneColor(f) ? indiceColor(f.foreground().color().rgb()) : 0;
        c.vertical = f.verticalAlignment() == QTextCharFormat::AlignSuperScript ? 1
                     : f.verticalAlignment() == QTextCharFormat::AlignSubScript ? 2
                                                                                : 0;
        return c;
    }

    void control(const char *palabra) {
        o_ += '\\';
        o_ += palabra;
        espacio_ = true;
    }
    void control(const char *palabra, int n) {
        control(palabra);
        o_ += std::to_string(n);
    }

    void cambia(const Caracter &n) {
        if (n.fuente != actual_.fuente)
            control("f", n.fuente);
        if (n.medios != actual_.medios)
            control("fs", n.medios);
        if (n.color != actual_.color)
            control("cf", n.color);
        if (n.negrita != actual_.negrita)
            n.negrita ? control("b") : control("b", 0);
        if (n.cursiva != actual_.cursiva)
            n.cursiva ? control("i") : control("i", 0);
        if (n.subrayado != actual_.subrayado)
            control(n.subrayado ? "ul" : "ulnone");
        if (n.tachado != actual_.tachado)
            n.tachado ? control("strike") : control("strike", 0);
        if (n.vertical != actual_.vertical)
            control(n.vertical == 1 ? "super" : n.vertical == 2 ? "sub" : "nosupersub");
        actual_ = n;
    }

    void parrafo(const QTextBlockFormat &b) {
        control("pard");
        for (const QTextOption::Tab &t : b.tabPositions()) {
            if (t.type == QTextOption::RightTab)
                control("tqr");
            else if (t.type == QTextOption::CenterTab)
                control("tqc");
            else if (t.type == QTextOption::DelimiterTab)
                control("tqdec");
            control("tx", twips(t.position));
        }
        Qt::Alignment a = b.alignment() & Qt::AlignHorizontal_Mask;
        if (a & Qt::AlignHCenter)
            control("qc");
        else if (a & (Qt::AlignRight | Qt::AlignTrailing))
            control("qr");
        else if (a & Qt::AlignJustify)
            control("qj");
        int li = twips(b.leftMargin() + b.indent() * doc_.indentWidth());
        if (li)
            control("li", li);
        if (int ri = twips(b.rightMargin()))
            control("ri", ri);
        if (int fi = twips(b.textIndent()))
            control("fi", fi);
        if (int sb = twips(b.topMargin()))
            control("sb", sb);
        if (int sa = twips(b.bottomMargin()))
            control("sa", sa);
    }

    // Text in Windows-1252 with RTF escapes; conTabs turns tabs and line breaks into controls.
    void texto(const QString &s, bool conTabs) {
        for (QChar qc : s) {
            char16_t c = qc.unicode();
            if (conTabs && c == u'\t') {
                control("tab");
                continue;
            }
            if (conTabs && (c == 0x2028 || c == u'\n')) {
                control("line");
                continue;
            }
            if (c < 0x20 || c == 0xFFFC || c == 0x2029)
                continue; // controls and embedded objects have no text form
            if (espacio_) {
                o_ += ' ';
                espacio_ = false;
            }
            if (c == u'\\' || c == u'{' || c == u'}') {
                o_ += '\\';
                o_ += static_cast<char>(c);
            } else if (c < 0x7F) {
                o_ += static_cast<char>(c);
            } else {
                int a = UnicodeAAnsi(c);
                if (a >= 0x80) {
                    static const char hex[] = "0123456789abcdef";
                    o_ += "\\'";
                    o_ += hex[a >> 4];
                    o_ += hex[a & 15];
                } else {
                    o_ += "\\u" + std::to_string(static_cast<int16_t>(c)) + "?";
                }
            }
        }
    }

    const QTextDocument &doc_;
    std::string o_;
    bool espacio_ = false;
    Caracter actual_;
    std::vector<QString> fuentes_;
    std::vector<QRgb> colores_;
};

// ---------------------------------------------------------------- reader

struct Parrafo {
    int alineacion = 0; // 0 left, 1 centre, 2 right, 3 justified
    int li = 0, ri = 0, fi = 0, sb = 0, sa = 0;
    QList<QTextOption::Tab> tabs;
    QTextOption::TabType tipoTab = QTextOption::LeftTab;
};

enum class Destino { Texto, Fuentes, Colores, Ignorar };

struct Grupo {
    Caracter car;
    Parrafo par;
    Destino destino = Destino::Texto;
    int uc = 1;
};

// Destinations that hold no text of the document.
bool destinoIgnorado(std::string_view p) {
    static const char *const kIgnorados[] = {"stylesheet",   "info",       "pict",
                                             "object",       "header",     "headerl",
                                             "headerr",      "headerf",    "footer",
                                             "footerl",      "footerr",    "footerf",
                                             "footnote",     "annotation", "atnid",
                                             "atnauthor",    "xe",         "tc",
                                             "txe",          "listtable",  "listoverridetable",
                                             "revtbl",       "rsidtbl",    "filetbl",
                                             "pgdsctbl",     "themedata",  "colorschememapping",
                                             "latentstyles", "datastore",  "xmlnstbl",
                                             "nonshppict",   "shp",        "shpinst",
                                             "sp",           "fldinst",    "pn",
                                             "pntxta",       "pntxtb",     "generator",
                                             "userprops",    "docvar",     "private",
                                             "objdata",      "bkmkstart",  "bkmkend",
                                             "mmathPr",      "ftnsep",     "ftnsepc",
                                             "aftnsep",      "aftnsepc",   "fchars",
                                             "lchars",       "template",   "background"};
    for (const char *i : kIgnorados)
        if (p == i)
            return true;
    return false;
}

class Lector {
public:
    Lector(const std::string &r, QTextDocument &doc) : r_(r), doc_(doc) {}

    void Lee() {
        doc_.clear();
        cur_ = QTextCursor(&doc_);
        pila_.push_back(Grupo{});
        pila_.back().car.fuente = -1;
        bool dentro = false;
        while (pos_ < r_.size()) {
            unsigned char c = static_cast<unsigned char>(r_[pos_++]);
            if (c == '{') {
                abre();
                dentro = true;
            } else if (c == '}') {
                if (dentro && pila_.size() == 2 && exceso_ == 0)
                    break; // the document's group ends: its state holds the last paragraph's
                cierra();
            } else if (c == '\\') {
                control();
            } else if (c == '\t') {
                caracter(u'\t');
            } else if (c != '\r' && c != '\n' && c != 0) {
                byte(c);
            }
        }
        vuelca();
        aplicaParrafo();
        auto f = fuentes_.find(fuentePorDefecto_);
        if (f != fuentes_.end() && !f->second.isEmpty()) {
            QFont porDefecto = doc_.defaultFont();
            porDefecto.setFamily(f->second);
            doc_.setDefaultFont(porDefecto);
        }
        if (tabPorDefecto_ > 0) {
            QTextOption o = doc_.defaultTextOption();
            o.setTabStopDistance(tabPorDefecto_ / TwipsPorUnidad);
            doc_.setDefaultTextOption(o);
        }
    }

private:
    Grupo &g() { return pila_.back(); }

    void abre() {
        if (pila_.size() >= 200) {
            ++exceso_; // absurd nesting: keep counting, stop copying state
            return;
        }
        pila_.push_back(pila_.back());
    }

    void cierra() {
        if (exceso_ > 0) {
            --exceso_;
            return;
        }
        if (pila_.size() <= 1)
            return; // stray brace
        if (g().destino == Destino::Fuentes && !nombreFuente_.empty())
            fijaFuente();
        saltar_ = 0;
        pila_.pop_back();
    }

    void control() {
        if (pos_ >= r_.size())
            return;
        char c = r_[pos_];
        if (std::isalpha(static_cast<unsigned char>(c))) {
            size_t ini = pos_;
            while (pos_ < r_.size() && std::isalpha(static_cast<unsigned char>(r_[pos_])))
                ++pos_;
            std::string_view palabra(r_.data() + ini, std::min<size_t>(pos_ - ini, 32));
            bool hayNumero = false, negativo = false;
            long long n = 0;
            if (pos_ + 1 < r_.size() && r_[pos_] == '-' &&
                std::isdigit(static_cast<unsigned char>(r_[pos_ + 1]))) {
                negativo = true;
                ++pos_;
            }
            while (pos_ < r_.size() && std::isdigit(static_cast<unsigned char>(r_[pos_]))) {
                if (n < INT_MAX)
                    n = std::min<long long>(n * 10 + (r_[pos_] - '0'), INT_MAX);
                ++pos_;
                hayNumero = true;
            }
            if (pos_ < r_.size() && r_[pos_] == ' ')
                ++pos_;
            palabraControl(palabra, hayNumero, static_cast<int>(negativo ? -n : n));
            return;
        }
        ++pos_;
        switch (c) {
        case '\'': {
            int alto = pos_ < r_.size() ? ValorHex(r_[pos_]) : -1;
            int bajo = pos_ + 1 < r_.size() ? ValorHex(r_[pos_ + 1]) : -1;
            if (alto >= 0 && bajo >= 0) {
                pos_ += 2;
                byte(static_cast<unsigned char>(alto * 16 + bajo));
            }
            break;
        }
        case '\\':
        case '{':
        case '}':
            byte(static_cast<unsigned char>(c));
            break;
        case '~':
            caracter(0x00A0);
            break;
        case '_':
            caracter(u'-');
            break;
        case '*':
            if (exceso_ == 0)
                g().destino = Destino::Ignorar;
            break;
        case '\r':
        case '\n':
            palabraControl("par", false, 0);
            break;
        case '\t':
            caracter(u'\t');
            break;
        default:
            break; // \- optional hyphen, \| \: index marks
        }
    }

    // One byte of text (raw or \'xx) in the current destination.
    void byte(unsigned char b) {
        switch (g().destino) {
        case Destino::Texto:
            if (saltar_ > 0) {
                --saltar_;
                return;
            }
            caracter(static_cast<char16_t>(AnsiAUnicode(b)));
            break;
        case Destino::Fuentes:
            if (b == ';')
                fijaFuente();
            else
                nombreFuente_ += static_cast<char>(b);
            break;
        case Destino::Colores:
            if (b == ';') {
                colores_.push_back(hayComponente_ ? QColor(rojo_, verde_, azul_) : QColor());
                rojo_ = verde_ = azul_ = 0;
                hayComponente_ = false;
            }
            break;
        case Destino::Ignorar:
            break;
        }
    }

    void fijaFuente() {
        std::string n = nombreFuente_;
        while (!n.empty() && n.back() == ' ')
            n.pop_back();
        while (!n.empty() && n.front() == ' ')
            n.erase(n.begin());
        fuentes_[fuenteTabla_] = aQ(n);
        nombreFuente_.clear();
    }

    void caracter(char16_t c) {
        if (g().destino != Destino::Texto)
            return;
        if (celda_) {
            celda_ = false;
            caracter(u'\t');
        }
        if (!pendiente_.isEmpty() && !(pendienteCar_ == g().car))
            vuelca();
        if (pendiente_.isEmpty())
            pendienteCar_ = g().car;
        pendiente_.append(QChar(c));
        conTexto_ = true;
    }

    QTextCharFormat formato(const Caracter &c) const {
        QTextCharFormat f;
        auto it = fuentes_.find(c.fuente < 0 ? fuentePorDefecto_ : c.fuente);
        if (it != fuentes_.end() && !it->second.isEmpty())
            f.setFontFamilies({it->second});
        f.setFontPointSize(c.medios / 2.0);
        f.setFontWeight(c.negrita ? QFont::Bold : QFont::Normal);
        f.setFontItalic(c.cursiva);
        f.setFontUnderline(c.subrayado);
        f.setFontStrikeOut(c.tachado);
        if (c.color > 0 && static_cast<size_t>(c.color) < colores_.size() && colores_[c.color].isValid())
            f.setForeground(colores_[c.color]);
        if (c.vertical)
            f.setVerticalAlignment(c.vertical == 1 ? QTextCharFormat::AlignSuperScript
                                                   : QTextCharFormat::AlignSubScript);
        return f;
    }

    void vuelca() {
        if (pendiente_.isEmpty())
            return;
        cur_.insertText(pendiente_, formato(pendienteCar_));
        pendiente_.clear();
    }

    void aplicaParrafo() {
        const Parrafo &p = g().par;
        QTextBlockFormat b;
        if (p.alineacion == 1)
            b.setAlignment(Qt::AlignHCenter);
        else if (p.alineacion == 2)
            b.setAlignment(Qt::AlignRight);
        else if (p.alineacion == 3)
            b.setAlignment(Qt::AlignJustify);
        if (p.li)
            b.setLeftMargin(p.li / TwipsPorUnidad);
        if (p.ri)
            b.setRightMargin(p.ri / TwipsPorUnidad);
        if (p.fi)
            b.setTextIndent(p.fi / TwipsPorUnidad);
        if (p.sb)
            b.setTopMargin(p.sb / TwipsPorUnidad);
        if (p.sa)
            b.setBottomMargin(p.sa / TwipsPorUnidad);
        if (!p.tabs.isEmpty())
            b.setTabPositions(p.tabs);
        if (saltoPagina_) {
            b.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            saltoPagina_ = false;
        }
        cur_.setBlockFormat(b);
        if (!conTexto_)
            cur_.setBlockCharFormat(formato(g().car));
    }

    void finParrafo() {
        vuelca();
        aplicaParrafo();
        cur_.insertBlock();
        celda_ = false;
        conTexto_ = false;
    }

    static bool es(std::string_view p, const char *w) { return p == w; }

    void palabraControl(std::string_view p, bool hayNumero, int n) {
        if (es(p, "bin")) {
            pos_ += std::min<size_t>(static_cast<size_t>(std::max(n, 0)), r_.size() - pos_);
            return;
        }
        if (exceso_ > 0)
            return;
        Grupo &gr = g();
        if (gr.destino == Destino::Ignorar)
            return;
        if (gr.destino == Destino::Fuentes) {
            if (es(p, "f")) {
                fuenteTabla_ = n;
                nombreFuente_.clear();
            }
            return;
        }
        if (gr.destino == Destino::Colores) {
            int v = std::clamp(n, 0, 255);
            if (es(p, "red"))
                rojo_ = v;
            else if (es(p, "green"))
                verde_ = v;
            else if (es(p, "blue"))
                azul_ = v;
            else
                return;
            hayComponente_ = true;
            return;
        }
        Caracter &c = gr.car;
        Parrafo &par = gr.par;
        bool activa = !hayNumero || n != 0;
        if (es(p, "fonttbl"))
            gr.destino = Destino::Fuentes;
        else if (es(p, "colortbl"))
            gr.destino = Destino::Colores;
        else if (destinoIgnorado(p))
            gr.destino = Destino::Ignorar;
        else if (es(p, "par") || es(p, "sect") || es(p, "row") || es(p, "nestrow"))
            finParrafo();
        else if (es(p, "page")) {
            if (conTexto_)
                finParrafo();
            saltoPagina_ = true;
        } else if (es(p, "line"))
            caracter(0x2028);
        else if (es(p, "tab"))
            caracter(u'\t');
        else if (es(p, "cell") || es(p, "nestcell")) {
            vuelca();
            celda_ = true;
        } else if (es(p, "u")) {
            caracter(static_cast<char16_t>(n < 0 ? n + 65536 : n));
            saltar_ = gr.uc;
        } else if (es(p, "uc"))
            gr.uc = std::clamp(n, 0, 10);
        else if (es(p, "deff"))
            fuentePorDefecto_ = n;
        else if (es(p, "deftab"))
            tabPorDefecto_ = std::clamp(n, 0, 31680);
        else if (es(p, "emdash"))
            caracter(0x2014);
        else if (es(p, "endash"))
            caracter(0x2013);
        else if (es(p, "bullet"))
            caracter(0x2022);
        else if (es(p, "lquote"))
            caracter(0x2018);
        else if (es(p, "rquote"))
            caracter(0x2019);
        else if (es(p, "ldblquote"))
            caracter(0x201C);
        else if (es(p, "rdblquote"))
            caracter(0x201D);
        else if (es(p, "plain")) {
            c = Caracter{};
            c.fuente = -1;
        } else if (es(p, "pard"))
            par = Parrafo{};
        else if (es(p, "b"))
            c.negrita = activa;
        else if (es(p, "i"))
            c.cursiva = activa;
        else if (es(p, "ulnone"))
            c.subrayado = false;
        else if (p.substr(0, 2) == "ul" && !es(p, "ulc"))
            c.subrayado = activa;
        else if (es(p, "strike") || es(p, "striked"))
            c.tachado = activa;
        else if (es(p, "f"))
            c.fuente = n;
        else if (es(p, "fs"))
            c.medios = hayNumero && n > 0 ? std::min(n, 3276) : 24;
        else if (es(p, "cf"))
            c.color = std::max(n, 0);
        else if (es(p, "super"))
            c.vertical = 1;
        else if (es(p, "sub"))
            c.vertical = 2;
        else if (es(p, "nosupersub"))
            c.vertical = 0;
        else if (es(p, "ql"))
            par.alineacion = 0;
        else if (es(p, "qc"))
            par.alineacion = 1;
        else if (es(p, "qr"))
            par.alineacion = 2;
        else if (es(p, "qj"))
            par.alineacion = 3;
        else if (es(p, "li"))
            par.li = std::clamp(n, -31680, 31680);
        else if (es(p, "ri"))
            par.ri = std::clamp(n, -31680, 31680);
        else if (es(p, "fi"))
            par.fi = std::clamp(n, -31680, 31680);
        else if (es(p, "sb"))
            par.sb = std::clamp(n, 0, 31680);
        else if (es(p, "sa"))
            par.sa = std::clamp(n, 0, 31680);
        else if (es(p, "tqr"))
            par.tipoTab = QTextOption::RightTab;
        else if (es(p, "tqc"))
            par.tipoTab = QTextOption::CenterTab;
        else if (es(p, "tqdec"))
            par.tipoTab = QTextOption::DelimiterTab;
        else if ((es(p, "tx") || es(p, "tb")) && par.tabs.size() < 64) {
            QTextOption::Tab t(std::clamp(n, 0, 31680) / TwipsPorUnidad, par.tipoTab,
                               par.tipoTab == QTextOption::DelimiterTab ? QChar(u'.') : QChar());
            par.tabs.append(t);
            par.tipoTab = QTextOption::LeftTab;
        }
    }

    const std::string &r_;
    QTextDocument &doc_;
    QTextCursor cur_;
    size_t pos_ = 0;
    std::vector<Grupo> pila_;
    int exceso_ = 0;
    std::map<int, QString> fuentes_;
    int fuentePorDefecto_ = 0;
    int fuenteTabla_ = 0;
    std::string nombreFuente_;
    std::vector<QColor> colores_; // as listed; \cf0 is always the automatic colour
    int rojo_ = 0, verde_ = 0, azul_ = 0;
    bool hayComponente_ = false;
    QString pendiente_;
    Caracter pendienteCar_;
    int saltar_ = 0;
    bool celda_ = false;
    bool conTexto_ = false;
    bool saltoPagina_ = false;
    int tabPorDefecto_ = 0;
};

} // namespace

bool EsRTF(const std::string &bytes) {
    size_t i = 0;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        i = 3;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.compare(i, 5, "{\\rtf") == 0;
}

std::string EscribeRTF(const QTextDocument &doc) {
    return Escritor(doc).Escribe();
}

void SustitutosFuentes() {
    static const bool hecho = [] {
        QFont::insertSubstitutions("Lucida Console", {"DejaVu Sans Mono", "Liberation Mono", "Monospace"});
        return true;
    }();
    (void)hecho;
}

bool LeeRTF(const std::string &rtf, QTextDocument &doc) {
    if (!EsRTF(rtf))
        return false;
    SustitutosFuentes();
    Lector(rtf, doc).Lee();
    return true;
}

void LeeTextoPlano(const std::string &texto, QTextDocument &doc) {
    std::string t;
    t.reserve(texto.size());
    for (size_t i = 0; i < texto.size(); ++i) {
        if (texto[i] == '\r') {
            t += '\n';
            if (i + 1 < texto.size() && texto[i + 1] == '\n')
                ++i;
        } else if (texto[i] != 0) {
            t += texto[i];
        }
    }
    doc.setPlainText(aQ(t));
}

bool CargaDocumento(const std::string &ruta, QTextDocument &doc, std::string &error) {
    std::string bytes;
    if (!LeeBytes(ruta, bytes)) {
        error = "No se puede abrir el archivo " + ruta;
        return false;
    }
    if (!LeeRTF(bytes, doc))
        LeeTextoPlano(bytes, doc);
    return true;
}

QTextDocument *CopiaDocumento(const QTextDocument &doc, QObject *padre) {
    QTextDocument *copia = doc.clone(padre);
    QTextCursor(copia).setBlockCharFormat(doc.firstBlock().charFormat());
    return copia;
}

bool GuardaDocumento(const std::string &ruta, const QTextDocument &doc, std::string &error) {
    if (!GuardaBytes(ruta, EscribeRTF(doc))) {
        error = "No se puede guardar el archivo " + ruta;
        return false;
    }
    return true;
}
