#pragma once
// TInformeRTF: how a report builder writes a report.
//
// A report is rich text with a title, a kind and (usually) a file name in an output directory. The
// builder writes it here, without any window, line by line and run by run, each run in the
// attributes in force when it is written; tests read the result back (Documento(), TextoPlano(),
// RTF()). The handler that asked for the report then calls Muestra(), which hands it to the viewer
// the application installs: a new document window (TMDIChild) with its caption and kind, which
// takes the built document itself (Entrega()), no copy; when a file name was given, "Guardar" is
// enabled there and writes the file. Nothing is written to disk before the operator presses it.
//
// The document is appended to in one edit block with no undo history, so nothing is laid out while
// it is written, and runs in the same attributes reach it joined.
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
// TInformeRTF writes it; a report can be written first into another one (kept in memory, or a
// test's recorder) and copied over.
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

    QTextDocument &Documento();
    const QTextDocument &Documento() const;
    // The text, lines ended by '\n', in Windows-1252.
    std::string TextoPlano() const;
    // What "Guardar" would write.
    std::string RTF() const;

    // Gives up the built document: the report is left empty, as a new one.
    std::unique_ptr<QTextDocument> Entrega();

    // Shows the report through the installed viewer (nothing happens without one), which may take
    // its document.
    void Muestra();

private:
    void empieza(); // a new, empty document
    const QTextCharFormat &formato();
    void empiezaLinea();
    void anade(const std::string &texto, const QTextCharFormat &f);
    void escribe();                                 // opens the edit block
    void enFormato(const QTextCharFormat &f) const; // what follows in pendiente_ is in f
    void pendiente(const QString &texto, const QTextCharFormat &f) const; // appended to pendiente_
    void inserta() const;                                                 // pendiente_ into the document
    void escribeLinea() const; // a line kept whole: its line break and its runs into pendiente_
    void vuelcaTexto() const;  // the pending text into the document
    void cierraBloque() const; // the current block takes the character format of its last run
    void vuelca() const;       // both
    void termina() const;      // vuelca() and ends the edit block: the document as written so far
    void fijaParrafo(const QTextBlockFormat &b);

    std::string titulo_;
    int tipo_ = 0;
    std::string archivo_;
    std::unique_ptr<QTextDocument> doc_;
    mutable QTextCursor cursor_;
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
    mutable QString pendiente_;
    mutable QTextCharFormat formatoPendiente_;
    QTextBlockFormat formatoParrafo_;         // of the current line
    mutable QTextCharFormat formatoEnBloque_; // the current line's character format as written
    mutable QTextCharFormat formatoBloque_;   // ... and as it must end: that of its last run
    mutable bool bloquePendiente_ = false;
    // A line that starts with a line break is kept whole until it ends, so that the break is
    // written in the character format of its last run: its runs, one per format.
    struct Pieza {
        QString texto;
        QTextCharFormat formato;
    };
    mutable bool separador_ = false;
    mutable QTextCharFormat formatoSeparador_; // of the line's first run
    mutable std::vector<Pieza> linea_;
    mutable size_t piezas_ = 0; // in use in linea_
    mutable bool editando_ = false;
};

// The viewer of built reports: the application opens each in a new document window.
void FijaVisorInformes(std::function<void(TInformeRTF &)> visor);
