#include "platform/informe.h"

#include "platform/codepage.h"
#include "platform/rtf.h"

#include <QTextBlock>

TInformeRTF::TInformeRTF(const std::string &titulo, int tipo) : titulo_(titulo), tipo_(tipo) {
    SustitutosFuentes();
    empieza();
}

void TInformeRTF::empieza() {
    doc_ = std::make_unique<QTextDocument>();
    cursor_ = QTextCursor(doc_.get());
    atributos_ = {};
    formatoHecho_ = false;
    formatos_.clear();
    parrafo_ = {};
    finLinea_ = saltoPagina_ = false;
    pendiente_.clear();
    bloquePendiente_ = editando_ = separador_ = false;
    piezas_ = 0;
    doc_->setUndoRedoEnabled(false);
    doc_->setDefaultFont(QFont("MS Sans Serif", 8));
    QTextOption o = doc_->defaultTextOption();
    o.setTabStopDistance(TabuladorTwips / TwipsPorUnidad);
    doc_->setDefaultTextOption(o);
    cursor_.setBlockCharFormat(formato());
    formatoEnBloque_ = formato();
    formatoParrafo_ = cursor_.blockFormat();
}

TInformeRTF::~TInformeRTF() {
    if (editando_)
        cursor_.endEditBlock();
}

void TInformeRTF::Fuente(const std::string &nombre, int puntos) {
    QFont f = doc_->defaultFont();
    f.setFamily(aQ(nombre));
    if (puntos > 0)
        f.setPointSize(puntos);
    doc_->setDefaultFont(f);
    formatos_.clear();
    formatoHecho_ = false;
}

void TInformeRTF::Atributos(const TAtributos &a) {
    if (a == atributos_)
        return;
    atributos_ = a;
    formatoHecho_ = false;
}

void TInformeRTF::Estilo(bool negrita, bool subrayado) {
    TAtributos a = atributos_;
    a.negrita = negrita;
    a.subrayado = subrayado;
    Atributos(a);
}

void TInformeRTF::Color(const QColor &color) {
    TAtributos a = atributos_;
    a.color = color;
    Atributos(a);
}

void TInformeRTF::Tamano(int puntos) {
    TAtributos a = atributos_;
    a.puntos = puntos;
    Atributos(a);
}

const QTextCharFormat &TInformeRTF::formato() {
    if (formatoHecho_)
        return formato_;
    formatoHecho_ = true;
    const QRgb rgba = atributos_.color.rgba(); // told apart by it first: a report has few formats
    for (const Formato &f : formatos_)
        if (f.rgba == rgba && f.atributos == atributos_)
            return formato_ = f.formato;
    QTextCharFormat f;
    f.setFontFamilies({atributos_.fuente.empty() ? doc_->defaultFont().family() : aQ(atributos_.fuente)});
    f.setFontPointSize(atributos_.puntos > 0 ? atributos_.puntos : doc_->defaultFont().pointSizeF());
    f.setFontWeight(atributos_.negrita ? QFont::Bold : QFont::Normal);
    f.setFontItalic(atributos_.cursiva);
    f.setFontUnderline(atributos_.subrayado);
    f.setForeground(atributos_.color);
    formatos_.push_back({atributos_, rgba, f});
    return formato_ = f;
}

void TInformeRTF::escribe() {
    if (!editando_) {
        cursor_.beginEditBlock();
        editando_ = true;
    }
}

void TInformeRTF::enFormato(const QTextCharFormat &f) const {
    if (!pendiente_.isEmpty() && !(formatoPendiente_ == f))
        inserta();
    if (pendiente_.isEmpty())
        formatoPendiente_ = f;
}

void TInformeRTF::pendiente(const QString &texto, const QTextCharFormat &f) const {
    enFormato(f);
    pendiente_ += texto;
}

void TInformeRTF::inserta() const {
    if (pendiente_.isEmpty())
        return;
    cursor_.insertText(pendiente_, formatoPendiente_);
    pendiente_.resize(0); // keeps its room
}

void TInformeRTF::escribeLinea() const {
    if (!separador_)
        return;
    separador_ = false;
    // The line break takes the character format the line ends in, as the block must.
    const QTextCharFormat &f = bloquePendiente_ ? formatoBloque_ : formatoSeparador_;
    pendiente(QString(QChar(u'\n')), f);
    formatoEnBloque_ = f;
    for (size_t i = 0; i < piezas_; ++i)
        pendiente(linea_[i].texto, linea_[i].formato);
    piezas_ = 0;
}

void TInformeRTF::vuelcaTexto() const {
    escribeLinea();
    inserta();
}

void TInformeRTF::cierraBloque() const {
    escribeLinea();
    if (bloquePendiente_ && !(formatoBloque_ == formatoEnBloque_)) {
        vuelcaTexto();
        cursor_.setBlockCharFormat(formatoBloque_);
        formatoEnBloque_ = formatoBloque_;
    }
    bloquePendiente_ = false;
}

void TInformeRTF::vuelca() const {
    cierraBloque();
    vuelcaTexto();
}

void TInformeRTF::termina() const {
    vuelca();
    if (editando_) {
        cursor_.endEditBlock();
        editando_ = false;
    }
}

QTextDocument &TInformeRTF::Documento() {
    termina();
    return *doc_;
}

const QTextDocument &TInformeRTF::Documento() const {
    termina();
    return *doc_;
}

void TInformeRTF::fijaParrafo(const QTextBlockFormat &b) {
    escribe();
    if (finLinea_)
        return;
    vuelcaTexto();
    cursor_.setBlockFormat(b);
    formatoParrafo_ = b;
}

void TInformeRTF::Tabuladores(const std::vector<int> &twips) {
    QList<QTextOption::Tab> tabs;
    for (int t : twips)
        tabs.append(QTextOption::Tab(t / TwipsPorUnidad, QTextOption::LeftTab));
    parrafo_.setTabPositions(tabs);
    fijaParrafo(parrafo_);
}

void TInformeRTF::Alineacion(Qt::Alignment alineacion) {
    parrafo_.setAlignment(alineacion);
    fijaParrafo(parrafo_);
}

void TInformeRTF::Sangria(int twips) {
    parrafo_.setLeftMargin(twips / TwipsPorUnidad);
    fijaParrafo(parrafo_);
}

void TInformeRTF::anade(const std::string &texto, const QTextCharFormat &f) {
    if (separador_) { // the line is kept until it ends
        if (piezas_ == 0 || !(linea_[piezas_ - 1].formato == f)) {
            if (piezas_ == linea_.size())
                linea_.emplace_back();
            linea_[piezas_].texto.resize(0);
            linea_[piezas_].formato = f;
            ++piezas_;
        }
        AnadeAQ(linea_[piezas_ - 1].texto, texto);
        return;
    }
    enFormato(f);
    AnadeAQ(pendiente_, texto);
}

void TInformeRTF::empiezaLinea() {
    if (!finLinea_)
        return;
    cierraBloque();
    QTextBlockFormat b = parrafo_;
    if (saltoPagina_)
        b.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    saltoPagina_ = false;
    const QTextCharFormat &f = formato();
    if (b == formatoParrafo_) {
        // a line break in the text, written when the line ends (the cursor makes the block as
        // insertBlock(b, f) would)
        separador_ = true;
        formatoSeparador_ = f;
        piezas_ = 0;
    } else {
        vuelcaTexto();
        cursor_.insertBlock(b, f);
        formatoParrafo_ = b;
    }
    formatoEnBloque_ = f;
    finLinea_ = false;
}

void TInformeRTF::Texto(const std::string &texto) {
    escribe();
    empiezaLinea();
    const QTextCharFormat &f = formato();
    if (texto.find('\n') != std::string::npos || texto.find('\r') != std::string::npos) {
        // A line break of the text splits the block as the cursor splits it.
        vuelca();
        cursor_.setBlockCharFormat(f);
        cursor_.insertText(aQ(texto), f);
        formatoEnBloque_ = f;
        return;
    }
    formatoBloque_ = f; // an empty line keeps the size of its attributes
    bloquePendiente_ = true;
    if (!texto.empty())
        anade(texto, f);
}

void TInformeRTF::Linea(const std::string &texto) {
    Texto(texto);
    finLinea_ = true;
}

void TInformeRTF::SaltoPagina() {
    escribe();
    vuelca();
    if (!finLinea_ && cursor_.block().length() > 1)
        finLinea_ = true; // a page break ends a line that has text
    if (finLinea_) {
        saltoPagina_ = true;
        return;
    }
    cursor_.mergeBlockFormat([] {
        QTextBlockFormat b;
        b.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        return b;
    }());
    formatoParrafo_ = cursor_.blockFormat();
}

std::string TInformeRTF::TextoPlano() const {
    termina();
    return deQ(doc_->toPlainText());
}

std::string TInformeRTF::RTF() const {
    termina();
    return EscribeRTF(*doc_);
}

namespace {
std::function<void(TInformeRTF &)> visor;
}

void FijaVisorInformes(std::function<void(TInformeRTF &)> v) {
    visor = std::move(v);
}

std::unique_ptr<QTextDocument> TInformeRTF::Entrega() {
    termina();
    std::unique_ptr<QTextDocument> doc = std::move(doc_);
    empieza();
    return doc;
}

void TInformeRTF::Muestra() {
    termina();
    if (visor)
        visor(*this);
}
