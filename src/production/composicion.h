#pragma once
// The work order being composed on the editor's first page: its number and file, the parts added
// (each with its own folder number and tasks) and the composition grid SG1, one row per task with
// its code, folder, part label, quantity and task. An order taken back for extension starts with
// the rows of its file, whose codes never change; rows added get the codes of their positions.
#include "platform/stringgrid.h"
#include "production/numeracion.h"
#include "production/ordentrabajo.h"

#include <string>
#include <vector>

// A part added to the composition.
struct TParteOrden {
    int Id = 0;                   // identity of its node in the composed tree
    std::string Nombre;           // the schema part's name
    int Numero = 1;               // the n of its label
    int Tareas = 0;               // rows it added
    std::string Etiqueta() const; // name + "-" + n
};

class TComposicion {
public:
    TComposicion();

    // SG1 columns: 0 code, 1 folder, 2 part label, 3 quantity, 4 task.
    StringGrid SG1{5, 1};
    std::string NumeroOrdenActual; // 4 digits
    int SinNumeracion = 0;         // 1 for an order of an un-numbered type
    std::string Ruta;              // the file the composition is saved to (LFileObra)

    bool Abierta() const { return !Ruta.empty(); }
    const std::vector<TParteOrden> &Partes() const { return partes_; }
    int Filas() const { return SG1.RowCount() - 1; }

    // Back to empty: SG1 with its titles only.
    void Limpia();
    // A new order: its number and the file in directorio.
    void Inicia(const TNumeracion &numeracion, const std::string &directorio);
    // An order taken back for extension: its number, its file and one row per task of a by-order
    // grid (columns 0 to 4; consecutive rows of one code are one task).
    void Amplia(const std::string &numero, const std::string &ruta, const StringGrid &porObra);

    // The n of the next instance of a part: one more than its last instance (names compared
    // exactly); 0 when the order has none.
    int SiguienteNumero(const std::string &nombre) const;
    // Adds a part with one row per task (folder carpeta, quantity "1") and renumbers. False with a
    // Spanish message when the order would pass MaxFilasOrden rows. Returns the part's identity.
    bool AnadeParte(const std::string &nombre, int numero, const std::vector<std::string> &tareas,
                    const std::string &carpeta, int &id, std::string &error);
    // The part of an identity (nullptr when none), and the identity of the last instance of a part
    // name (0 when none).
    const TParteOrden *Parte(int id) const;
    int UltimaInstancia(const std::string &nombre) const;
    // Removes a part and the rows it added, renumbers, and gives the folder number of its first row
    // ("" when it had none). False when there is no such part.
    bool EliminaParte(int id, std::string &carpeta);

    // Whether some row carries folder f, and the first folder number from f that no row carries.
    bool CarpetaUsada(int f) const;
    int CarpetaLibre(int f) const;

    // Cells the operator may choose: the folder on the first row of a part, the quantity anywhere.
    bool CeldaElegible(int col, int fila) const;
    // The folder edited on the first row of a part goes to the part's following rows.
    void CarpetaEditada(int fila);

    TOrdenTrabajo Orden(const std::string &descripcion, const std::string &cliente) const;

private:
    void renumera();
    std::vector<TParteOrden> partes_;
    std::vector<int> duenos_; // per SG1 row: the id of the part that added it; 0 for the header and
                              // the rows of an extended order's file
    int siguienteId_ = 1;
};
