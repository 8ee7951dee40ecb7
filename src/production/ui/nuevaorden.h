#pragma once
// The production editor's first page, "Nueva Orden": a work order composed from the production
// schemas. Choosing an order type numbers the order; each part added brings its tasks as rows
// with their codes and the part's own folder number; "Guardar" writes the order file.
#include "production/composicion.h"

#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class TStringGridView;

class TPaginaNuevaOrden {
public:
    virtual ~TPaginaNuevaOrden() = default;

    QTreeWidget *TV1 = nullptr; // the schemas: order types, parts, tasks
    QTreeWidget *TV2 = nullptr; // what the next "Añadir" adds
    QTreeWidget *TV3 = nullptr; // the composed order: root, parts, tasks
    TComposicion Composicion;   // its grid SG1, number and file
    TStringGridView *VistaSG1 = nullptr;
    QLineEdit *LE1 = nullptr;            // start number ("Número de obra")
    QLineEdit *Carpeta = nullptr;        // next folder number
    QLineEdit *LE2 = nullptr;            // description
    QComboBox *CB1 = nullptr;            // client
    QLabel *LFileObra = nullptr;         // the file being composed
    QPushButton *SpeedButton1 = nullptr; // "Añadir"
    QPushButton *SpeedButton2 = nullptr; // "Eliminar"
    QPushButton *botonrec = nullptr;     // "Guardar"

    // The selection of TV1: an order type numbers the order, a part is previewed in TV2.
    void TV1Change();
    // "Añadir": the order root, or the previewed part with its tasks.
    void SpeedButton1Click();
    // "Eliminar": the whole order, or the last instance of the selected part.
    void SpeedButton2Click();
    // "Guardar": the order file, then the counters; false (composition kept) when it failed.
    bool botonrecClick();
    // A folder number typed that some row carries moves on to the first free one.
    void CarpetaChange();

    // Activation, when "produccion.org" exists: the schemas and the folder number (both only while
    // no order is composed) and the clients.
    void CargaEsquemas();
    // "Ampliar": a shown order taken back for extension: its rows (one per code of the by-order
    // grid), its type's parts to choose, its description and client, saved to its own file. False
    // for an order of number 0 (un-numbered orders are not extended).
    bool Amplia(const StringGrid &porObra, const std::string &tipo, const std::string &ruta,
                const TOrdenTrabajo &orden);

protected:
    void CreaPaginaNuevaOrden(QWidget *pagina);
    // After a save: the by-order page shows the saved order in its list.
    virtual void OrdenGuardada() {}

private:
    struct Previa {
        std::string Nombre;
        int Numero = 1;
        std::vector<std::string> Tareas;
    };
    void numera(QTreeWidgetItem *tipo);
    void componeSinNumeracion(QTreeWidgetItem *tipo);
    void previsualiza(QTreeWidgetItem *parte);
    void anadeRaiz();
    void anadeParte();
    void eliminaParte(QTreeWidgetItem *item);
    void descarta();
    void recargaEsquemas();
    void dejaTipo(const std::string &tipo, const QTreeWidgetItem *elegido);
    bool compruebaCliente();

    TNumeracion numeracion_;
    Previa previa_;
};
