#pragma once
// Denied lists: per terminal, the users it must refuse, as "code name" lines kept in ascending
// order, and the frames that load them into a terminal.
#include <string>
#include <vector>

// "denegados." and the terminal number in three digits.
std::string ArchivoDenegados(unsigned terminal);
// The entry of a user: code, a blank and the name with its hidden part shown as " (SUPERVISOR)".
std::string EntradaDenegados(const std::string &codigo, const std::string &nombre);

class TListaDenegados {
public:
    // Lines in ascending order without regard to letter case.
    const std::vector<std::string> &Lineas() const { return lineas_; }
    // A missing file gives an empty list; false when it exists and cannot be read (list emptied).
    bool Lee(const std::string &ruta);
    bool Guarda(const std::string &ruta) const;
    void Vacia() { lineas_.clear(); }
    bool Contiene(const std::string &entrada) const;
    // Denies or permits the entries of a selection: the first entry that changes decides which;
    // entries already so are left alone. True when the list changed.
    bool Cambia(const std::vector<std::string> &entradas);
    // Keeps only the entries equal to one of the texts (code, blank and name as stored).
    void Depura(const std::vector<std::string> &textos);
    // What follows the command header: "qi" CR, "%d\r\n" per entry (its code), then EOT and the
    // XOR of every character of the lines and the EOT as two upper-case hexadecimal digits.
    std::vector<std::string> Tramas() const;

private:
    std::vector<std::string> lineas_;
};
