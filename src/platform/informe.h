#pragma once
// TInformeRTF: how a report builder writes a report.
//
// A report is rich text with a title, a kind and (usually) a file name in an output directory. The
// builder writes it here, without any window, line by line and run by run, each run in the
// attributes in force when it is written; tests read the result back (Documento(), TextoPlano(),
// RTF()). The handler that asked for the report then calls Muestra(), which hands it to the viewer
// the application installs: a new document window (TMDIChild) with its caption and kind, which
// takes the report itself and builds its document when the window is first seen, no copy; when a file name
// was given, "Guardar" is enabled there and writes the file. Nothing is written to disk before the operator
// presses it.
//
// What is written is kept compact (the texts and the calls) until the document is first asked for;
// a report that is never looked at never builds one. The document is then appended to in one edit
// block with no undo history, so nothing is laid out while it is written, and runs in the same
// attributes reach it joined.
//
// All text is Windows-1252, as everywhere in the program.
//
//     TInformeRTF inf(Ansi("Listado de presencia del 01/02/2024 al 29/02/2024"), DocumentoPresencia);
//     inf.Atributos(TAtributos::Titulo());
//     inf.Linea(inf.Titulo());
//     inf.Atributos(TAtributos::Normal());
//     inf.Tabuladores({1440, 2880});
//     inf.Atributos(TAtributos::Color(ColorGrupo));
//     inf.Texto("Empleado 12\t");
//     inf.Atributos(TAtributos::Normal());
//     inf.Linea("08:00\t15:00");
//     inf.FijaNombreArchivo(DirArchivosPres + "Presencia 01_02_2024 29_02_2024.rtf");
//     inf.Muestra();
#include "platform/paleta.h"

#include <QColor>
#include <QTextCursor>
#include <QTextDocument>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Text attributes of the runs written next.
struct TAtributos {
    QColor color = ColorNormal;
    int puntos = 0; // 0: the report's font size
    bool negrita = false;
    bool cursiva = false;
    bool subrayado = false;
    std::string fuente = {}; // font name (Windows-1252); empty: the report's font

    bool operator==(const TAtributos &) const = default;
    static TAtributos Normal() { return {}; }
    static TAtributos Titulo() { return {ColorTitulo, 16, true}; }
    static TAtributos Color(const QColor &c, bool negrita = false) { return {c, 0, negrita}; }
};

// A report written line by line, each run in the attributes in force (they stay until changed).
// TInformeRTF writes it, and replays what it holds into any other (Reproduce): a part of a report
// can be written aside first and copied over.
class TEscritorInforme {
public:
    virtual ~TEscritorInforme() = default;
    virtual void Estilo(bool negrita, bool subrayado) = 0;
    virtual void Color(const QColor &color) = 0;
    virtual void Tamano(int puntos) = 0;
    // A run of text on the current line ('\t' jumps to the next tab stop).
    virtual void Texto(const std::string &texto) = 0;
    // Ends the current line (alone: adds an empty line).
    virtual void FinLinea() = 0;

    void Linea(const std::string &texto = "") {
        Texto(texto);
        FinLinea();
    }
};

class TInformeRTF : public TEscritorInforme {
public:
    // An empty report in the font of the document windows ("MS Sans Serif", 8 points).
    explicit TInformeRTF(const std::string &titulo = "", int tipo = 0);
    ~TInformeRTF() override;
    TInformeRTF(const TInformeRTF &) = delete;
    TInformeRTF &operator=(const TInformeRTF &) = delete;
    // Takes what otro holds, in no more memory than it needs; otro is left empty, as a new report,
    // with its title, kind and file name.
    TInformeRTF(TInformeRTF &&otro);
    TInformeRTF &operator=(TInformeRTF &&) = delete;

    // Title (the window's caption), kind (see frame/documento.h: DocumentoProduccion prints landscape)
    // and the full path that "Guardar" writes (empty: the window cannot save).
    void FijaTitulo(const std::string &titulo) { titulo_ = titulo; }
    void FijaTipo(int tipo) { tipo_ = tipo; }
    void FijaNombreArchivo(const std::string &ruta) { archivo_ = ruta; }
    const std::string &Titulo() const { return titulo_; }
    int Tipo() const { return tipo_; }
    const std::string &NombreArchivo() const { return archivo_; }

    // Font of the whole report (name and size in points): the runs whose attributes give no font name
    // or size (puntos 0) use it.
    void Fuente(const std::string &nombre, int puntos);
    // Attributes of the runs written from now on.
    void Atributos(const TAtributos &a);
    const TAtributos &Atributos() const { return atributos_; }

    // Paragraph settings of the current line and the lines after it: tab stops in twips from the
    // left edge (1440 to an inch), alignment and left indent in twips.
    void Tabuladores(const std::vector<int> &twips);
    void Alineacion(Qt::Alignment alineacion);
    void Sangria(int twips);

    // The attributes one at a time: bold and underline, colour, size in points (0: the report's).
    void Estilo(bool negrita, bool subrayado) override;
    void Color(const QColor &color) override;
    void Tamano(int puntos) override;

    // A run of text on the current line ('\t' jumps to the next tab stop).
    void Texto(const std::string &texto) override;
    // A run of text that ends the line (Linea() alone ends it, or adds an empty line).
    void Linea(const std::string &texto = "");
    void FinLinea() override { Linea(); }
    // The next line starts on a new page.
    void SaltoPagina();

    // The document, built from what was written when first asked for.
    QTextDocument &Documento();
    const QTextDocument &Documento() const;
    // The text, lines ended by '\n', in Windows-1252.
    std::string TextoPlano() const;
    // What "Guardar" would write.
    std::string RTF() const;

    // Writes into d, another writer, what was written here: the texts and line ends in order, each
    // in the bold, underline, colour and size it was written in (all four given to d before the
    // first text, then each change as it came). As the record keeps them: runs in the same
    // attributes one after another come as one run, a repeated attribute not again, a line end with
    // no run before it as an empty run and the end; what d has no call for (fonts, italics,
    // paragraph settings, page breaks) is left out. False, with nothing written, once the document
    // is built.
    bool Reproduce(TEscritorInforme &d) const;

    // Gives up the built document: the report is left empty, as a new one.
    std::unique_ptr<QTextDocument> Entrega();

    // Shows the report through the installed viewer (nothing happens without one), which may take
    // it.
    void Muestra();

private:
    class Constructor;
    // What was written, kept compact until the document is built: the calls in order, coded in
    // a few bytes each (see informe.cpp), and their texts one after another.
    enum class Llamada : unsigned char {
        Texto,
        Linea,
        Atributos,
        Fuente,
        Tabuladores,
        Alineacion,
        Sangria,
        Salto
    };
    struct Escrito {
        std::string llamadas;
        std::string textos;
        // The last Texto or Linea, not yet coded: a Texto without line breaks that comes next joins it.
        bool abierta = false;
        Llamada ultima = Llamada::Texto;
        size_t bytes = 0;
        // Each set of attributes with its colour as a number: the numbers are compared first, as
        // they are cheaper than the colour and the font name.
        struct AtributosRgba {
            QRgb rgba;
            TAtributos a;
            bool operator==(const AtributosRgba &o) const {
                return rgba == o.rgba && a.puntos == o.a.puntos && a.negrita == o.a.negrita &&
                       a.subrayado == o.a.subrayado && a.cursiva == o.a.cursiva && a == o.a;
            }
        };
        std::vector<AtributosRgba> atributos;
        std::vector<std::vector<int>> tabuladores;
        std::vector<size_t> saltos; // where in textos the texts with line breaks start
    };
    void anota(Llamada llamada, std::string_view texto = {}, long long valor = 0);
    void texto(Llamada llamada, const std::string &texto, bool saltos);
    void cierra() const; // codes the open Texto or Linea
    void cambiados();    // the attributes in force changed: into the document, or noted
    int indice(const TAtributos &a);
    int indice(const std::vector<int> &tabuladores);
    template <class F> void recorre(F &&f) const; // each call written, in order (see informe.cpp)
    Constructor &construido() const;              // builds the document when it is not built yet
    void vacia();                                 // an empty report, nothing written

    std::string titulo_;
    int tipo_ = 0;
    std::string archivo_;
    TAtributos atributos_;
    mutable Escrito escrito_;                          // given up when the document is built
    mutable std::unique_ptr<Constructor> constructor_; // once built, the calls go straight to it
};

// The viewer of built reports: the application opens each in a new document window.
void FijaVisorInformes(std::function<void(TInformeRTF &)> visor);
