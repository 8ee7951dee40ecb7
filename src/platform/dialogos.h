#pragma once
// The one seam for modal message boxes, questions and file/colour/print dialogs. Tests (and
// scripted runs) install a Respondedor that answers them; otherwise the real dialogs answer, which
// the windows layer provides (platform/ui/dialogosqt.h). With neither, a message is only
// acknowledged, a question gets No (or Cancelar) and a file, colour or text dialog is cancelled.
#include <QColor>
#include <string>
#include <vector>

namespace Dialogos {

enum class Tipo { Informacion, Aviso, Error, Pregunta };
enum class Respuesta { Ok, Si, No, Cancelar };

struct PeticionArchivo {
    std::string titulo;
    std::string directorio; // initial directory
    std::string filtro;     // "(*.rtf)|*.rtf" style
    std::string nombre;     // proposed file name
};

class Respondedor {
public:
    virtual ~Respondedor() = default;
    // botones: true when the box offers Yes/No (and cancelar adds Cancel).
    virtual Respuesta Mensaje(Tipo tipo, const std::string &texto, const std::string &titulo, bool siNo,
                              bool cancelar) = 0;
    virtual bool AbrirArchivo(const PeticionArchivo &p, std::string &ruta) = 0;
    virtual bool GuardarArchivo(const PeticionArchivo &p, std::string &ruta) = 0;
    virtual bool ElegirColor(QColor &color) = 0;
    virtual bool PedirTexto(const std::string &titulo, const std::string &rotulo, std::string &valor) = 0;
    // The print dialog: false when cancelled.
    virtual bool Imprimir(int &desde, int &hasta, int paginas) = 0;
};

// Installs a responder (nullptr: real dialogs). Returns the previous one.
Respondedor *Instala(Respondedor *r);
// The responder installed, nullptr when the real dialogs answer.
Respondedor *Actual();
// The real dialogs, answering when no responder is installed.
void FijaReales(Respondedor *reales);

// Texts are Windows-1252.
void MuestraMensaje(const std::string &texto);
void Aviso(const std::string &texto, const std::string &titulo = "Aviso");
void Error(const std::string &texto, const std::string &titulo = "Error");
bool Pregunta(const std::string &texto, const std::string &titulo); // Yes = true
Respuesta PreguntaCancelar(const std::string &texto, const std::string &titulo);
bool AbrirArchivo(const PeticionArchivo &p, std::string &ruta);
bool GuardarArchivo(const PeticionArchivo &p, std::string &ruta);
bool ElegirColor(QColor &color);
bool PedirTexto(const std::string &titulo, const std::string &rotulo, std::string &valor);
bool Imprimir(int &desde, int &hasta, int paginas);

} // namespace Dialogos
