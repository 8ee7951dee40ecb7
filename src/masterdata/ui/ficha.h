#pragma once
// The identity card of an employee as it is printed: photo, names, the company's name as heading and
// a Code 39 bar code of the employee number. Never shown; the employees window fills and prints it.
#include <QPointer>
#include <QWidget>
#include <string>

class QLabel;

// Shows the picture of a file in a label, scaled to the label (stretched, or keeping its shape);
// the label is left empty when the file cannot be read as a picture.
void MuestraFoto(QLabel *etiqueta, const std::string &ruta, bool estirada);

// A label that draws its text as Code 39 bars (start and stop included) with the text below them.
class TCodigoBarras : public QWidget {
public:
    using QWidget::QWidget;
    std::string Texto;

protected:
    void paintEvent(QPaintEvent *e) override;
};

class TFormFicha : public QWidget {
public:
    // 1036 x 749 pixels, white, laid out at 120 pixels per inch.
    explicit TFormFicha(QWidget *padre = nullptr);

    QLabel *Cabecera = nullptr; // the company's name
    QLabel *Foto = nullptr;
    QLabel *Nombre = nullptr;
    QLabel *Apellidos = nullptr;
    TCodigoBarras *Codigo = nullptr;

    // Fills every part anew: a photo path that names no picture leaves an empty photo box.
    void Rellena(const std::string &foto, const std::string &nombre, const std::string &apellidos,
                 const std::string &empresa, const std::string &codigo);
    // Prints the card at (50, 50) of the page, at 300 card pixels per inch. False when not printed.
    bool Imprime();
};

extern QPointer<TFormFicha> FormFicha;
