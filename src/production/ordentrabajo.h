#pragma once
// Work orders (TOrdenTrabajo): one text file per order in the production directory, named
// "<yyyy>_<nnnn>.<type>", one field per line: description, client, then five lines per task row
// (code, folder, part label, quantity, task). The order's date is the file's modification time,
// kept when the order is saved again. And the production code (TCodigoProduccion): the order
// number in 4 digits followed by the task's 1-based row in 4 digits; task 0000 closes the order.
#include <QDateTime>
#include <string>
#include <vector>

struct TFilaOrden {
    std::string Codigo, Carpeta, Pieza, Cantidad, Trabajo;
    bool operator==(const TFilaOrden &) const = default;
};

struct TOrdenTrabajo {
    std::string Descripcion;
    std::string Cliente;
    std::vector<TFilaOrden> Filas;

    std::vector<std::string> Lineas() const;
    // The fields of the lines; an incomplete last row is dropped.
    static TOrdenTrabajo DeLineas(const std::vector<std::string> &lineas);
};

// Reads an order file; false with a Spanish message when it cannot be read.
bool LeeOrden(const std::string &ruta, TOrdenTrabajo &orden, std::string &error);
// Reads an order file that is whole: two lines and five lines per task row, each row's code of
// eight digits. False with a Spanish message for any other file.
bool LeeOrdenEntera(const std::string &ruta, TOrdenTrabajo &orden, std::string &error);
// Writes the order atomically; an order file that existed keeps its modification time. False
// with a Spanish message when it could not be written (an old file is then left as it was).
bool GuardaOrden(const std::string &ruta, const TOrdenTrabajo &orden, std::string &error);

// The order's date: the file's modification time (invalid when the file is missing).
QDateTime FechaOrden(const std::string &ruta);
// "dd/mm/yyyy hh:mm:ss".
std::string TextoFechaOrden(const QDateTime &fecha);

// Highest order number and highest task row: the code has four digits for each.
constexpr int MaxNumeroOrden = 9999;
constexpr int MaxFilasOrden = 9999;

// The code of row fila (1-based) of order numero (4 characters).
std::string CodigoTarea(const std::string &numero, int fila);
// The code that closes the order of a task code: its first four characters and "0000".
std::string CodigoCierre(const std::string &codigo);

// The file of order numero of a year or, when there is none, of the years before down to 2000
// ("%d_%04d.*"); "" when none is found.
std::string BuscaOrdenPorNumero(const std::string &directorio, int anio, int numero);
