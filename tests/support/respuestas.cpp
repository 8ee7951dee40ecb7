#include "support/respuestas.h"

RespuestasPrueba::RespuestasPrueba() : anterior_(Dialogos::Instala(this)) {}
RespuestasPrueba::~RespuestasPrueba() {
    Dialogos::Instala(anterior_);
}

Dialogos::Respuesta RespuestasPrueba::Mensaje(Dialogos::Tipo tipo, const std::string &texto,
                                              const std::string &titulo, bool siNo, bool) {
    Mensajes.push_back({tipo, texto, titulo, siNo});
    if (!siNo)
        return Dialogos::Respuesta::Ok;
    if (Respuestas.empty())
        return PorDefecto;
    auto r = Respuestas.front();
    Respuestas.pop_front();
    return r;
}

bool RespuestasPrueba::AbrirArchivo(const Dialogos::PeticionArchivo &p, std::string &ruta) {
    PeticionesArchivo.push_back(p);
    if (Archivos.empty())
        return false;
    ruta = Archivos.front();
    Archivos.pop_front();
    return true;
}

bool RespuestasPrueba::GuardarArchivo(const Dialogos::PeticionArchivo &p, std::string &ruta) {
    return AbrirArchivo(p, ruta);
}

bool RespuestasPrueba::ElegirColor(QColor &color) {
    if (Colores.empty())
        return false;
    color = Colores.front();
    Colores.pop_front();
    return true;
}

bool RespuestasPrueba::PedirTexto(const std::string &, const std::string &, std::string &valor) {
    if (Textos.empty())
        return false;
    valor = Textos.front();
    Textos.pop_front();
    return true;
}

bool RespuestasPrueba::Imprimir(int &desde, int &hasta, int paginas) {
    if (!ImprimirAcepta)
        return false;
    if (desde <= 0)
        desde = 1;
    if (hasta <= 0 || hasta > paginas)
        hasta = paginas;
    return true;
}
