#include "platform/informe.h"

#include "platform/codepage.h"
#include "platform/rtf.h"

#include <QTextBlock>
#include <cstring>

// Builds the document: each call as the report's was made.
class TInformeRTF::Constructor {
public:
    Constructor();
    ~Constructor();
    Constructor(const Constructor &) = delete;
    Constructor &operator=(const Constructor &) = delete;

    void Fuente(const std::string &nombre, int puntos);
    void Atributos(const TAtributos &a);
    void Tabuladores(const std::vector<int> &twips);
    void Alineacion(Qt::Alignment alineacion);
    void Sangria(int twips);
    // saltos: the text holds line breaks
    void Texto(std::string_view texto, bool saltos);
    void Linea(std::string_view texto, bool saltos);
    void SaltoPagina();
    QTextDocument &Documento();               // as written so far
    std::unique_ptr<QTextDocument> Entrega(); // the constructor is done with

private:
    const QTextCharFormat &formato();
    void empiezaLinea();
    void anade(std::string_view texto, const QTextCharFormat &f);
    void escribe();                                                 // opens the edit block
    void enFormato(const QTextCharFormat &f);                       // what follows in pendiente_ is in f
    void pendiente(const QString &texto, const QTextCharFormat &f); // appended to pendiente_
    void inserta();                                                 // pendiente_ into the document
    void escribeLinea(); // a line kept whole: its line break and its runs into pendiente_
    void vuelcaTexto();  // the pending text into the document
    void cierraBloque(); // the current block takes the character format of its last run
    void vuelca();       // both
    void termina();      // vuelca() and ends the edit block: the document as written so far
    void fijaParrafo(const QTextBlockFormat &b);

    std::unique_ptr<QTextDocument> doc_;
    QTextCursor cursor_;
    TAtributos atributos_;
    QTextCharFormat formato_; // of atributos_, made when first needed
    bool formatoHecho_ = false;
    struct Formato {
        TAtributos atributos;
        QRgb rgba;
        QTextCharFormat formato;
    };
    std::vector<Formato> formatos_; // made so far in the report's font
    QTextBlockFormat parrafo_;
    bool finLinea_ = false; // the current line is ended: the next run starts a new one
    bool saltoPagina_ = false;
    // Text not yet in the document, all in one format: runs of that format and the line breaks
    // between them (a new line in the paragraph format of the one before is a break in the text).
    QString pendiente_;
    QTextCharFormat formatoPendiente_;
    QTextBlockFormat formatoParrafo_; // of the current line
    QTextCharFormat formatoEnBloque_; // the current line's character format as written
    QTextCharFormat formatoBloque_;   // ... and as it must end: that of its last run
    bool bloquePendiente_ = false;
    // A line that starts with a line break is kept whole until it ends, so that the break is
    // written in the character format of its last run: its runs, one per format.
    struct Pieza {
        QString texto;
        QTextCharFormat formato;
    };
    bool separador_ = false;
    QTextCharFormat formatoSeparador_; // of the line's first run
    std::vector<Pieza> linea_;
    size_t piezas_ = 0; // in use in linea_
    bool editando_ = false;
};

TInformeRTF::Constructor::Constructor() : doc_(std::make_unique<QTextDocument>()), cursor_(doc_.get()) {
    doc_->setUndoRedoEnabled(false);
    doc_->setDefaultFont(QFont("MS Sans Serif", 8));
    QTextOption o = doc_->defaultTextOption();
    o.setTabStopDistance(TabuladorTwips / TwipsPorUnidad);
    doc_->setDefaultTextOption(o);
    cursor_.setBlockCharFormat(formato());
    formatoEnBloque_ = formato();
    formatoParrafo_ = cursor_.blockFormat();
}

TInformeRTF::Constructor::~Constructor() {
    if (editando_)
        cursor_.endEditBlock();
}

void TInformeRTF::Constructor::Fuente(const std::string &nombre, int puntos) {
    QFont f = doc_->defaultFont();
    f.setFamily(aQ(nombre));
    if (puntos > 0)
        f.setPointSize(puntos);
    doc_->setDefaultFont(f);
    formatos_.clear();
    formatoHecho_ = false;
}

void TInformeRTF::Constructor::Atributos(const TAtributos &a) {
    if (a == atributos_)
        return;
    atributos_ = a;
    formatoHecho_ = false;
}

const QTextCharFormat &TInformeRTF::Constructor::formato() {
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

void TInformeRTF::Constructor::escribe() {
    if (!editando_) {
        cursor_.beginEditBlock();
        editando_ = true;
    }
}

void TInformeRTF::Constructor::enFormato(const QTextCharFormat &f) {
    if (!pendiente_.isEmpty() && !(formatoPendiente_ == f))
        inserta();
    if (pendiente_.isEmpty())
        formatoPendiente_ = f;
}

void TInformeRTF::Constructor::pendiente(const QString &texto, const QTextCharFormat &f) {
    enFormato(f);
    pendiente_ += texto;
}

void TInformeRTF::Constructor::inserta() {
    if (pendiente_.isEmpty())
        return;
    cursor_.insertText(pendiente_, formatoPendiente_);
    pendiente_.resize(0); // keeps its room
}

void TInformeRTF::Constructor::escribeLinea() {
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

void TInformeRTF::Constructor::vuelcaTexto() {
    escribeLinea();
    inserta();
}

void TInformeRTF::Constructor::cierraBloque() {
    escribeLinea();
    if (bloquePendiente_ && !(formatoBloque_ == formatoEnBloque_)) {
        vuelcaTexto();
        cursor_.setBlockCharFormat(formatoBloque_);
        formatoEnBloque_ = formatoBloque_;
    }
    bloquePendiente_ = false;
}

void TInformeRTF::Constructor::vuelca() {
    cierraBloque();
    vuelcaTexto();
}

void TInformeRTF::Constructor::termina() {
    vuelca();
    if (editando_) {
        cursor_.endEditBlock();
        editando_ = false;
    }
}

QTextDocument &TInformeRTF::Constructor::Documento() {
    termina();
    return *doc_;
}

void TInformeRTF::Constructor::fijaParrafo(const QTextBlockFormat &b) {
    escribe();
    if (finLinea_)
        return;
    vuelcaTexto();
    cursor_.setBlockFormat(b);
    formatoParrafo_ = b;
}

void TInformeRTF::Constructor::Tabuladores(const std::vector<int> &twips) {
    QList<QTextOption::Tab> tabs;
    for (int t : twips)
        tabs.append(QTextOption::Tab(t / TwipsPorUnidad, QTextOption::LeftTab));
    parrafo_.setTabPositions(tabs);
    fijaParrafo(parrafo_);
}

void TInformeRTF::Constructor::Alineacion(Qt::Alignment alineacion) {
    parrafo_.setAlignment(alineacion);
    fijaParrafo(parrafo_);
}

void TInformeRTF::Constructor::Sangria(int twips) {
    parrafo_.setLeftMargin(twips / TwipsPorUnidad);
    fijaParrafo(parrafo_);
}

void TInformeRTF::Constructor::anade(std::string_view texto, const QTextCharFormat &f) {
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

void TInformeRTF::Constructor::empiezaLinea() {
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

void TInformeRTF::Constructor::Texto(std::string_view texto, bool saltos) {
    escribe();
    empiezaLinea();
    const QTextCharFormat &f = formato();
    if (saltos) {
        // A line break of the text splits the block as the cursor splits it.
        vuelca();
        cursor_.setBlockCharFormat(f);
        cursor_.insertText(aQ(std::string(texto)), f);
        formatoEnBloque_ = f;
        return;
    }
    formatoBloque_ = f; // an empty line keeps the size of its attributes
    bloquePendiente_ = true;
    if (!texto.empty())
        anade(texto, f);
}

void TInformeRTF::Constructor::Linea(std::string_view texto, bool saltos) {
    Texto(texto, saltos);
    finLinea_ = true;
}

void TInformeRTF::Constructor::SaltoPagina() {
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

std::unique_ptr<QTextDocument> TInformeRTF::Constructor::Entrega() {
    termina();
    return std::move(doc_);
}

namespace {
// Whether t holds a line break ('\r' or '\n'), in one pass: sixteen characters at a time, with no
// branch inside a block, so that the compiler compares them all at once; the last ones padded.
bool TieneSaltos(std::string_view t) {
    auto bloque = [](const char *p) {
        unsigned char hay = 0;
        for (size_t k = 0; k < 16; ++k)
            hay |= static_cast<unsigned char>((p[k] == '\n') | (p[k] == '\r'));
        return hay != 0;
    };
    size_t i = 0;
    for (; i + 16 <= t.size(); i += 16)
        if (bloque(t.data() + i))
            return true;
    char resto[16] = {};
    std::memcpy(resto, t.data() + i, t.size() - i);
    return bloque(resto);
}
} // namespace

TInformeRTF::TInformeRTF(const std::string &titulo, int tipo) : titulo_(titulo), tipo_(tipo) {
    SustitutosFuentes();
}

TInformeRTF::~TInformeRTF() = default;

TInformeRTF::TInformeRTF(TInformeRTF &&otro)
    : titulo_(otro.titulo_), tipo_(otro.tipo_), archivo_(otro.archivo_), atributos_(otro.atributos_),
      escrito_(std::move(otro.escrito_)), constructor_(std::move(otro.constructor_)) {
    otro.vacia();
    cierra();
    escrito_.llamadas.shrink_to_fit();
    escrito_.textos.shrink_to_fit();
    escrito_.saltos.shrink_to_fit();
}

void TInformeRTF::vacia() {
    atributos_ = {};
    escrito_ = {};
    constructor_.reset();
}

namespace {

// A call is coded in a byte: the call in its low three bits, a number up to 30 in the others; 31
// there says that the number less 31 follows, seven bits a byte, low bits first, the high bit set
// in all bytes but the last.
constexpr unsigned kEnLinea = 31;

void codifica(std::string &s, unsigned llamada, unsigned long long n) {
    s.push_back(static_cast<char>(llamada | (std::min<unsigned long long>(n, kEnLinea) << 3)));
    if (n < kEnLinea)
        return;
    for (n -= kEnLinea; n >= 0x80; n >>= 7)
        s.push_back(static_cast<char>(0x80 | (n & 0x7f)));
    s.push_back(static_cast<char>(n));
}

unsigned long long resto(std::string_view s, size_t &i) {
    unsigned long long n = 0;
    for (int bits = 0; i < s.size(); bits += 7) {
        const auto b = static_cast<unsigned char>(s[i++]);
        n |= static_cast<unsigned long long>(b & 0x7f) << bits;
        if (!(b & 0x80))
            break;
    }
    return n;
}

// Signed numbers (indents, points) as unsigned ones: 0, -1, 1, -2, 2 ... as 0, 1, 2, 3, 4 ...
unsigned long long sinSigno(long long v) {
    return v < 0 ? (static_cast<unsigned long long>(-(v + 1)) << 1) | 1
                 : static_cast<unsigned long long>(v) << 1;
}
long long conSigno(unsigned long long n) {
    return n & 1 ? -static_cast<long long>(n >> 1) - 1 : static_cast<long long>(n >> 1);
}

} // namespace

void TInformeRTF::cierra() const {
    if (!escrito_.abierta)
        return;
    escrito_.abierta = false;
    codifica(escrito_.llamadas, static_cast<unsigned>(escrito_.ultima), escrito_.bytes);
}

void TInformeRTF::anota(Llamada llamada, std::string_view texto, long long valor) {
    cierra();
    const bool conTexto = llamada == Llamada::Fuente;
    codifica(escrito_.llamadas, static_cast<unsigned>(llamada), conTexto ? texto.size() : sinSigno(valor));
    if (conTexto) {
        codifica(escrito_.llamadas, 0, sinSigno(valor));
        escrito_.textos.append(texto);
    }
}

void TInformeRTF::texto(Llamada llamada, const std::string &texto, bool saltos) {
    // a run after a run joins it, as the document joins them; a line break of the text ends both
    if (!escrito_.abierta || escrito_.ultima != Llamada::Texto || saltos) {
        cierra();
        escrito_.abierta = true;
        escrito_.bytes = 0;
    }
    escrito_.ultima = llamada;
    escrito_.bytes += texto.size();
    if (saltos)
        escrito_.saltos.push_back(escrito_.textos.size());
    escrito_.textos.append(texto);
    if (saltos)
        cierra();
}

namespace {
// Where v is in tabla, put at its end when it is not there yet: a report has few of each.
template <class T> int enTabla(std::vector<T> &tabla, const T &v) {
    for (size_t i = tabla.size(); i-- > 0;)
        if (tabla[i] == v)
            return static_cast<int>(i);
    tabla.push_back(v);
    return static_cast<int>(tabla.size() - 1);
}
} // namespace

int TInformeRTF::indice(const TAtributos &a) {
    return enTabla(escrito_.atributos, {a.color.rgba(), a});
}

int TInformeRTF::indice(const std::vector<int> &tabuladores) {
    return enTabla(escrito_.tabuladores, tabuladores);
}

void TInformeRTF::Fuente(const std::string &nombre, int puntos) {
    if (constructor_)
        constructor_->Fuente(nombre, puntos);
    else
        anota(Llamada::Fuente, nombre, puntos);
}

void TInformeRTF::Atributos(const TAtributos &a) {
    if (a == atributos_)
        return;
    atributos_ = a;
    cambiados();
}

void TInformeRTF::Estilo(bool negrita, bool subrayado) {
    if (negrita == atributos_.negrita && subrayado == atributos_.subrayado)
        return;
    atributos_.negrita = negrita;
    atributos_.subrayado = subrayado;
    cambiados();
}

void TInformeRTF::Color(const QColor &color) {
    if (color == atributos_.color)
        return;
    atributos_.color = color;
    cambiados();
}

void TInformeRTF::Tamano(int puntos) {
    if (puntos == atributos_.puntos)
        return;
    atributos_.puntos = puntos;
    cambiados();
}

void TInformeRTF::cambiados() {
    if (constructor_)
        constructor_->Atributos(atributos_);
    else
        anota(Llamada::Atributos, {}, indice(atributos_));
}

void TInformeRTF::Tabuladores(const std::vector<int> &twips) {
    if (constructor_) {
        constructor_->Tabuladores(twips);
        return;
    }
    anota(Llamada::Tabuladores, {}, indice(twips));
}

void TInformeRTF::Alineacion(Qt::Alignment alineacion) {
    if (constructor_)
        constructor_->Alineacion(alineacion);
    else
        anota(Llamada::Alineacion, {}, static_cast<int>(alineacion));
}

void TInformeRTF::Sangria(int twips) {
    if (constructor_)
        constructor_->Sangria(twips);
    else
        anota(Llamada::Sangria, {}, twips);
}

void TInformeRTF::Texto(const std::string &t) {
    const bool saltos = TieneSaltos(t);
    if (constructor_)
        constructor_->Texto(t, saltos);
    else
        texto(Llamada::Texto, t, saltos);
}

void TInformeRTF::Linea(const std::string &t) {
    const bool saltos = TieneSaltos(t);
    if (constructor_)
        constructor_->Linea(t, saltos);
    else
        texto(Llamada::Linea, t, saltos);
}

void TInformeRTF::SaltoPagina() {
    if (constructor_)
        constructor_->SaltoPagina();
    else
        anota(Llamada::Salto);
}

// Calls f(llamada, texto, valor) for each call written, in order. texto: the text of a Texto, Linea
// or Fuente; valor: for a Texto or Linea whether its text holds line breaks, for a Fuente its
// points, for the others their number.
template <class F> void TInformeRTF::recorre(F &&f) const {
    cierra();
    const std::string_view llamadas = escrito_.llamadas;
    std::string_view textos = escrito_.textos;
    auto texto = [&textos](unsigned long long n) {
        const std::string_view t = textos.substr(0, n);
        textos.remove_prefix(t.size());
        return t;
    };
    size_t salto = 0; // the next text with line breaks in escrito_.saltos
    size_t i = 0;
    auto siguiente = [&llamadas, &i](unsigned long long &n) {
        const auto b = static_cast<unsigned char>(llamadas[i++]);
        n = b >> 3;
        if (n == kEnLinea)
            n += resto(llamadas, i);
        return static_cast<Llamada>(b & 7);
    };
    while (i < llamadas.size()) {
        unsigned long long n = 0;
        const Llamada llamada = siguiente(n);
        switch (llamada) {
        case Llamada::Texto:
        case Llamada::Linea: {
            const size_t desde = escrito_.textos.size() - textos.size();
            const std::string_view t = texto(n);
            // a text with line breaks is coded alone: it starts where it was noted
            const bool saltos =
                !t.empty() && salto < escrito_.saltos.size() && escrito_.saltos[salto] == desde;
            salto += saltos;
            f(llamada, t, saltos);
            break;
        }
        case Llamada::Fuente: {
            const std::string_view nombre = texto(n);
            siguiente(n); // the points
            f(llamada, nombre, conSigno(n));
            break;
        }
        default:
            f(llamada, std::string_view(), conSigno(n));
        }
    }
}

TInformeRTF::Constructor &TInformeRTF::construido() const {
    if (constructor_)
        return *constructor_;
    auto c = std::make_unique<Constructor>();
    recorre([this, &c](Llamada llamada, std::string_view t, long long valor) {
        switch (llamada) {
        case Llamada::Texto:
            c->Texto(t, valor != 0);
            break;
        case Llamada::Linea:
            c->Linea(t, valor != 0);
            break;
        case Llamada::Atributos:
            c->Atributos(escrito_.atributos.at(static_cast<size_t>(valor)).a);
            break;
        case Llamada::Fuente:
            c->Fuente(std::string(t), static_cast<int>(valor));
            break;
        case Llamada::Tabuladores:
            c->Tabuladores(escrito_.tabuladores.at(static_cast<size_t>(valor)));
            break;
        case Llamada::Alineacion:
            c->Alineacion(Qt::Alignment(static_cast<int>(valor)));
            break;
        case Llamada::Sangria:
            c->Sangria(static_cast<int>(valor));
            break;
        case Llamada::Salto:
            c->SaltoPagina();
            break;
        }
    });
    constructor_ = std::move(c);
    escrito_ = {}; // it is in the document now
    return *constructor_;
}

bool TInformeRTF::Reproduce(TEscritorInforme &d) const {
    if (constructor_)
        return false;
    const Escrito::AtributosRgba normales{TAtributos().color.rgba(), {}};
    const Escrito::AtributosRgba *vigentes = &normales; // of the record as it is read
    const Escrito::AtributosRgba *dados = nullptr;      // given to d last; none before the first text
    auto da = [&d, &dados](const Escrito::AtributosRgba &e) {
        const TAtributos &a = e.a;
        if (!dados || dados->a.negrita != a.negrita || dados->a.subrayado != a.subrayado)
            d.Estilo(a.negrita, a.subrayado);
        if (!dados || dados->rgba != e.rgba || dados->a.color != a.color)
            d.Color(a.color);
        if (!dados || dados->a.puntos != a.puntos)
            d.Tamano(a.puntos);
        dados = &e;
    };
    std::string texto; // one buffer for all the texts
    recorre([&](Llamada llamada, std::string_view t, long long valor) {
        if (llamada == Llamada::Atributos) {
            vigentes = &escrito_.atributos.at(static_cast<size_t>(valor));
            if (dados)
                da(*vigentes);
        } else if (llamada == Llamada::Texto || llamada == Llamada::Linea) {
            if (!dados)
                da(*vigentes);
            texto.assign(t);
            if (llamada == Llamada::Texto)
                d.Texto(texto);
            else
                d.Linea(texto);
        } // d has no call for the others
    });
    return true;
}

QTextDocument &TInformeRTF::Documento() {
    return construido().Documento();
}

const QTextDocument &TInformeRTF::Documento() const {
    return construido().Documento();
}

std::string TInformeRTF::TextoPlano() const {
    return deQ(Documento().toPlainText());
}

std::string TInformeRTF::RTF() const {
    return EscribeRTF(Documento());
}

std::unique_ptr<QTextDocument> TInformeRTF::Entrega() {
    std::unique_ptr<QTextDocument> doc = construido().Entrega();
    vacia();
    return doc;
}

namespace {
std::function<void(TInformeRTF &)> visor;
}

void FijaVisorInformes(std::function<void(TInformeRTF &)> v) {
    visor = std::move(v);
}

void TInformeRTF::Muestra() {
    if (visor)
        visor(*this);
}
