#pragma once
// The personnel card of an employee ("empleado." + number in the data directory, 19 lines, one
// field each; line 19, "Mínimo Extra", is read by the presence computation), the employee's PDF
// documents and the bar-code text of the printed identity card.
#include <string>
#include <vector>

constexpr int LineasFichaPersonal = 19;

// DirDatos + "empleado." + the number in decimal.
std::string ArchivoFichaPersonal(int numero);
// The card's fields: a shorter card is padded with empty fields, a longer one cut to 19. False when
// the file cannot be read (campos then holds 19 empty fields).
bool LeeFichaPersonal(const std::string &ruta, std::vector<std::string> &campos);
// Writes the 19 fields atomically, one line each: a line break inside a field becomes a blank, so
// no field can shift the ones after it.
bool GuardaFichaPersonal(const std::string &ruta, const std::vector<std::string> &campos);
// A new card from the employee's data as the employees tab holds it: the cells of an employees-grid
// row (identifier, Apellidos, Nombre, Domicilio, Poblacion, DNI, Teléfono, birth and seniority
// dates). Name, surnames, DNI, the two dates, address, town and telephone; the rest empty.
std::vector<std::string> FichaPrellenada(const std::vector<std::string> &empleado);

// The documents of an employee: DirPdf + prefijo + number + ".pdf".
enum class DocumentoEmpleado { Nominas, Contratos, Asistencia, Varios };
std::string RutaDocumentoEmpleado(DocumentoEmpleado documento, int numero);

// Code 39 text of the identity card, start and stop included: the identifier's leading digits,
// at least three ("*007*", "*120*", "*1234*"); "" when the identifier has no leading digits.
std::string CodigoFicha(const std::string &identificador);
