#pragma once
// Answers the dialogs seam in tests: records every message and answers from a queue.
#include "platform/dialogos.h"

#include <deque>
#include <string>
#include <vector>

struct MensajeVisto {
    Dialogos::Tipo tipo;
    std::string texto;
    std::string titulo;
    bool siNo;
};

class RespuestasPrueba : public Dialogos::Respondedor {
public:
    RespuestasPrueba();
    ~RespuestasPrueba() override;

    std::vector<MensajeVisto> Mensajes;
    std::deque<Dialogos::Respuesta> Respuestas; // for questions; empty gives PorDefecto
    Dialogos::Respuesta PorDefecto = Dialogos::Respuesta::Si;
    std::deque<std::string> Archivos; // for open/save dialogs; empty = cancelled
    std::vector<Dialogos::PeticionArchivo> PeticionesArchivo;
    std::deque<QColor> Colores;
    std::deque<std::string> Textos;
    bool ImprimirAcepta = true;

    Dialogos::Respuesta Mensaje(Dialogos::Tipo tipo, const std::string &texto, const std::string &titulo,
                                bool siNo, bool cancelar) override;
    bool AbrirArchivo(const Dialogos::PeticionArchivo &p, std::string &ruta) override;
    bool GuardarArchivo(const Dialogos::PeticionArchivo &p, std::string &ruta) override;
    bool ElegirColor(QColor &color) override;
    bool PedirTexto(const std::string &titulo, const std::string &rotulo, std::string &valor) override;
    bool Imprimir(int &desde, int &hasta, int paginas) override;

private:
    Dialogos::Respondedor *anterior_;
};
