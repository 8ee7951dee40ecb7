#pragma once
// Where the presence listings write: a rich-text document written line by line, with the text
// attributes of the document editor's selection (they stay in force until changed).
#include <QColor>
#include <string>

// The report colours.
const QColor ColorAzul(0, 0, 255);
const QColor ColorRojo(255, 0, 0);
const QColor ColorVerde(0, 128, 0);
const QColor ColorMarino(0, 0, 128);
const QColor ColorNegro(0, 0, 0);
const QColor ColorBlanco(255, 255, 255);

class TDocumentoPresencia {
public:
    virtual ~TDocumentoPresencia() = default;
    virtual void Estilo(bool negrita, bool subrayado) = 0;
    virtual void Color(const QColor &color) = 0;
    virtual void Tamano(int puntos) = 0;
    // Text at the end of the current line, in the attributes in force.
    virtual void Texto(const std::string &texto) = 0;
    virtual void FinLinea() = 0;

    void Linea(const std::string &texto) {
        Texto(texto);
        FinLinea();
    }
};
