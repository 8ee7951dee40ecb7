#include "platform/informe.h"

#include "platform/codepage.h"
#include "platform/rtf.h"

#include <QTextBlock>

TInformeRTF::TInformeRTF(const std::string &titulo, int tipo)
    : titulo_(titulo), tipo_(tipo), doc_(std::make_unique<QTextDocument>()), cursor_(doc_.get()) {
    SustitutosFuentes();
    doc_->setDefaultFont(QFont("MS Sans Serif", 8));
    QTextOption o = doc_->defaultTextOption();
    o.setTabStopDistance(TabuladorTwips / TwipsPorUnidad);
    doc_->setDefaultTextOption(o);
    cursor_.setBlockCharFormat(formato());
}

TInformeRTF::~TInformeRTF() = default;

void TInformeRTF::Fuente(const std::string &nombre, int puntos) {
    QFont f = doc_->defaultFont();
    f.setFamily(aQ(nombre));
    if (puntos > 0)
        f.setPointSize(puntos);
    doc_->setDefaultFont(f);
}

void TInformeRTF::Atributos(const TAtributos &a) {
    atributos_ = a;
}

QTextCharFormat TInformeRTF::formato() const {
    QTextCharFormat f;
    f.setFontFamilies({atributos_.fuente.empty() ? doc_->defaultFont().family() : aQ(atributos_.fuente)});
    f.setFontPointSize(atributos_.puntos > 0 ? atributos_.puntos : doc_->defaultFont().pointSizeF());
    f.setFontWeight(atributos_.negrita ? QFont::Bold : QFont::Normal);
    f.setFontItalic(atributos_.cursiva);
    f.setFontUnderline(atributos_.subrayado);
    f.setForeground(atributos_.color);
    return f;
}

void TInformeRTF::Tabuladores(const std::vector<int> &twips) {
    QList<QTextOption::Tab> tabs;
    for (int t : twips)
        tabs.append(QTextOption::Tab(t / TwipsPorUnidad, QTextOption::LeftTab));
    parrafo_.setTabPositions(tabs);
    if (!finLinea_)
        cursor_.setBlockFormat(parrafo_);
}

void TInformeRTF::Alineacion(Qt::Alignment alineacion) {
    parrafo_.setAlignment(alineacion);
    if (!finLinea_)
        cursor_.setBlockFormat(parrafo_);
}

void TInformeRTF::Sangria(int twips) {
    parrafo_.setLeftMargin(twips / TwipsPorUnidad);
    if (!finLinea_)
        cursor_.setBlockFormat(parrafo_);
}

void TInformeRTF::empiezaLinea() {
    if (!finLinea_)
        return;
    QTextBlockFormat b = parrafo_;
    if (saltoPagina_)
        b.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    saltoPagina_ = false;
    cursor_.insertBlock(b, formato());
    finLinea_ = false;
}

void TInformeRTF::Texto(const std::string &texto) {
    empiezaLinea();
    cursor_.setBlockCharFormat(formato()); // an empty line keeps the size of its attributes
    if (!texto.empty())
        cursor_.insertText(aQ(texto), formato());
}

void TInformeRTF::Linea(const std::string &texto) {
    Texto(texto);
    finLinea_ = true;
}

void TInformeRTF::SaltoPagina() {
    if (!finLinea_ && cursor_.block().length() > 1)
        finLinea_ = true; // a page break ends a line that has text
    if (finLinea_)
        saltoPagina_ = true;
    else
        cursor_.mergeBlockFormat([] {
            QTextBlockFormat b;
            b.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            return b;
        }());
}

std::string TInformeRTF::TextoPlano() const {
    return deQ(doc_->toPlainText());
}

std::string TInformeRTF::RTF() const {
    return EscribeRTF(*doc_);
}

namespace {
std::function<void(const TInformeRTF &)> visor;
}

void FijaVisorInformes(std::function<void(const TInformeRTF &)> v) {
    visor = std::move(v);
}

void TInformeRTF::Muestra() const {
    if (visor)
        visor(*this);
}
