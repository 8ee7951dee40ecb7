#include "platform/dialogos.h"

#include "platform/codepage.h"

#include <QCoreApplication>

namespace Dialogos {

namespace {
Respondedor *respondedor = nullptr;
Respondedor *reales = nullptr;

// Answers when nothing else does: no screen to ask on.
class SinPantalla : public Respondedor {
public:
    Respuesta Mensaje(Tipo, const std::string &, const std::string &, bool siNo, bool cancelar) override {
        return !siNo ? Respuesta::Ok : cancelar ? Respuesta::Cancelar : Respuesta::No;
    }
    bool AbrirArchivo(const PeticionArchivo &, std::string &) override { return false; }
    bool GuardarArchivo(const PeticionArchivo &, std::string &) override { return false; }
    bool ElegirColor(QColor &) override { return false; }
    bool PedirTexto(const std::string &, const std::string &, std::string &) override { return false; }
    bool Imprimir(int &, int &, int) override { return false; }
};

Respondedor &quien() {
    static SinPantalla sinPantalla;
    return respondedor ? *respondedor : reales ? *reales : sinPantalla;
}

Respuesta muestra(Tipo tipo, const std::string &texto, const std::string &titulo, bool siNo, bool cancelar) {
    return quien().Mensaje(tipo, texto, titulo, siNo, cancelar);
}
} // namespace

Respondedor *Instala(Respondedor *r) {
    Respondedor *antes = respondedor;
    respondedor = r;
    return antes;
}
Respondedor *Actual() {
    return respondedor;
}
void FijaReales(Respondedor *r) {
    reales = r;
}

void MuestraMensaje(const std::string &texto) {
    muestra(Tipo::Informacion, texto, deQ(QCoreApplication::applicationName()), false, false);
}
void Aviso(const std::string &texto, const std::string &titulo) {
    muestra(Tipo::Aviso, texto, titulo, false, false);
}
void Error(const std::string &texto, const std::string &titulo) {
    muestra(Tipo::Error, texto, titulo, false, false);
}
bool Pregunta(const std::string &texto, const std::string &titulo) {
    return muestra(Tipo::Pregunta, texto, titulo, true, false) == Respuesta::Si;
}
Respuesta PreguntaCancelar(const std::string &texto, const std::string &titulo) {
    return muestra(Tipo::Pregunta, texto, titulo, true, true);
}

bool AbrirArchivo(const PeticionArchivo &p, std::string &ruta) {
    return quien().AbrirArchivo(p, ruta);
}
bool GuardarArchivo(const PeticionArchivo &p, std::string &ruta) {
    return quien().GuardarArchivo(p, ruta);
}
bool ElegirColor(QColor &color) {
    return quien().ElegirColor(color);
}
bool PedirTexto(const std::string &titulo, const std::string &rotulo, std::string &valor) {
    return quien().PedirTexto(titulo, rotulo, valor);
}
bool Imprimir(int &desde, int &hasta, int paginas) {
    return quien().Imprimir(desde, hasta, paginas);
}

} // namespace Dialogos
