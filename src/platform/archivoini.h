#pragma once
// An INI file kept as the Windows profile functions keep it: names match regardless of case,
// values are verbatim Windows-1252 bytes, new keys go to the end of their section, every other
// line stays as it was, CR LF line ends, and every write reaches the disk at once.
#include <string>
#include <utility>
#include <vector>

class TIniFile {
public:
    explicit TIniFile(std::string ruta);

    const std::string &Ruta() const { return ruta_; }
    // False when the file exists but cannot be read: reads then give their defaults and every
    // write is refused, so the file is never rebuilt from the one key written.
    bool Legible() const;

    std::string ReadString(const std::string &seccion, const std::string &clave,
                           const std::string &defecto) const;
    // A missing key or a text that is not a whole decimal integer gives the default.
    int ReadInteger(const std::string &seccion, const std::string &clave, int defecto) const;
    bool ValueExists(const std::string &seccion, const std::string &clave) const;

    // Return false when the file could not be written.
    bool WriteString(const std::string &seccion, const std::string &clave, const std::string &valor);
    bool WriteInteger(const std::string &seccion, const std::string &clave, int valor);
    // Several keys of a section in one write, each set as WriteString sets it, in order; a file
    // that already reads byte for byte as it would be written is left alone.
    bool WriteStrings(const std::string &seccion,
                      const std::vector<std::pair<std::string, std::string>> &valores);

    // Names of the keys of a section, in file order.
    std::vector<std::string> ReadSection(const std::string &seccion) const;
    // Every line "name=value" of a section, in file order.
    std::vector<std::string> ReadSectionValues(const std::string &seccion) const;
    bool DeleteKey(const std::string &seccion, const std::string &clave);
    bool EraseSection(const std::string &seccion);
    // Every key of origen goes to destino with its value, in one write: a key destino already has
    // takes the value in its place, the others go to the end of that section; origen keeps its
    // header and loses its keys.
    bool MueveSeccion(const std::string &origen, const std::string &destino);

private:
    std::vector<std::string> lee() const;
    bool lee(std::vector<std::string> &lineas) const;
    bool guarda(const std::vector<std::string> &lineas);
    std::string ruta_;
};
