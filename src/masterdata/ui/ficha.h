#pragma once
// The identity card of an employee as it is printed: photo, names, the company's name as heading and
// a Code 39 bar code of the employee number. A design of its own, never shown: the employees window
// fills and prints it.
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <string>

class QLabel;

// The picture of a file, empty when the file cannot be read as one.
QPixmap LeeFoto(const std::string &ruta);
// Shows the picture of a file in a label, scaled to the label keeping its shape (cleared when none).
void MuestraFoto(QLabel *etiqueta, const std::string &ruta);

class TFormFicha : public QWidget {
public:
    // 1036 x 749 pixels, white, laid out at 120 pixels per inch.
    explicit TFormFicha(QWidget *padre = nullptr);

    std::string Cabecera; // the company's name
    std::string Nombre;
    std::string Apellidos;
    std::string Codigo; // Code 39 text, start and stop included
    QPixmap Foto;

    // Fills every part anew: a photo path that names no picture leaves an empty photo box.
    void Rellena(const std::string &foto, const std::string &nombre, const std::string &apellidos,
                 const std::string &empresa, const std::string &codigo);
    // Paints the card from (0, 0) in its own pixels.
    void Dibuja(QPainter &p) const;
    // Prints the card at (50, 50) of the page, at 300 card pixels per inch. False when not printed.
    bool Imprime() const;

protected:
    void paintEvent(QPaintEvent *e) override;
};

extern QPointer<TFormFicha> FormFicha;
