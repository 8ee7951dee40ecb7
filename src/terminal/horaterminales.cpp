#include "terminal/horaterminales.h"

#include "platform/codepage.h"
#include "platform/numeros.h"
#include "platform/reloj.h"
#include "terminal/enlace.h"

std::string TramaHora(unsigned numero, const QDateTime &t) {
    return Formato("\x05%02XH%s", numero & 0xFF, t.toString("dd-MM-yyyy HH:mm:ss ").toStdString().c_str());
}

std::string SumaHora(const std::string &trama) {
    unsigned char suma = 0;
    for (size_t i = 3; i < trama.size(); ++i)
        suma = static_cast<unsigned char>(suma + static_cast<unsigned char>(trama[i]));
    return Formato("%02X\r", suma);
}

int TTerminalesTablas::Filas() const {
    return enlaces_.NumTerminales;
}

bool TTerminalesTablas::Alcanzable(int fila) const {
    return enlaces_.TablaNumTerminal[fila] != TerminalNoValido && enlaces_.FilaConectada(fila);
}

unsigned TTerminalesTablas::Numero(int fila) const {
    return enlaces_.TablaNumTerminal[fila];
}

void TTerminalesTablas::EnviaDireccionRadio(int fila) {
    enlaces_.EnviaDireccionRadioFila(fila);
}

void TTerminalesTablas::Envia(int fila, const char *datos, int n) {
    enlaces_.EnviaAFila(fila, datos, n);
}

TPuestaEnHora::TPuestaEnHora(TEnlaceTerminales &enlace, int &cuentaEspera,
                             std::function<void(const std::string &)> traza)
    : enlace_(enlace), CuentaEspera(cuentaEspera), traza_(std::move(traza)) {}

void TPuestaEnHora::Arranca() {
    fila_ = 0;
    enviados_ = 0;
    activa_ = true;
    siguiente();
}

bool TPuestaEnHora::Tick() {
    if (activa_ && CuentaEspera == 0)
        siguiente();
    return activa_;
}

void TPuestaEnHora::siguiente() {
    while (++fila_ <= enlace_.Filas()) {
        if (!enlace_.Alcanzable(fila_))
            continue;
        const std::string trama = TramaHora(enlace_.Numero(fila_), Ahora());
        const std::string suma = SumaHora(trama);
        enlace_.EnviaDireccionRadio(fila_);
        enlace_.Envia(fila_, trama.data(), static_cast<int>(trama.size()));
        enlace_.Envia(fila_, suma.data(), static_cast<int>(suma.size()));
        CuentaEspera = EsperaEntreTerminales;
        ++enviados_;
        return;
    }
    activa_ = false;
    traza_(enviados_ ? "Fecha y hora actualizada\r\n"
                     : CharToOem(Ansi("No hay ningún terminal conectado")) + "\r\n");
}
