#include "terminal/envialista.h"

#include "platform/numeros.h"

namespace {
constexpr char EOT = 0x04, ENQ = 0x05, ACK = 0x06, SOH = 0x01, CR = 0x0D;
}

void TEnvioLista::Inicia(Clase clase, std::unique_ptr<TCanalEnvio> canal, unsigned numero,
                         std::vector<TRegistroMin> registros) {
    clase_ = clase;
    canal_ = std::move(canal);
    const std::string h = Formato("%02X", numero & 0xFF);
    cabecera_[0] = ENQ;
    cabecera_[1] = h[0];
    cabecera_[2] = h[1];
    registros_ = std::move(registros);
    siguiente_ = 0;
    enviados_ = 0;
    if (clase == Clase::Todo) {
        fase_ = Fase::Borrado;
        *c_.CuentaSegundos = 5;
        return;
    }
    fase_ = Fase::Registros;
    *c_.ModoSondeo = 1;
    if (clase == Clase::Seleccion) {
        ordenCarga();
        traza("Enviando seleccionados a FLASH\r\n");
    }
    *c_.ReintentosRestantes = 1;
}

void TEnvioLista::ordenCarga() {
    *c_.CuentaSegundos = 30;
    canal_->EnviaDireccionRadio();
    const char orden[5] = {cabecera_[0], cabecera_[1], cabecera_[2], SOH, 'A'};
    canal_->Envia(orden, 5);
}

void TEnvioLista::Paso() {
    if (fase_ == Fase::Borrado) {
        if (*c_.CuentaSegundos != 0)
            return;
        ordenCarga();
        traza("Enviando lista a FLASH\r\n");
        fase_ = Fase::Registros;
        *c_.ModoSondeo = 1;
        *c_.ReintentosRestantes = 1;
        return;
    }
    if (fase_ != Fase::Registros)
        return;
    if (*c_.CuentaSegundos == 0) {
        canal_->Purga();
        *c_.CuentaSegundos = 5;
        if (--*c_.ReintentosRestantes <= 0) {
            traza("ERROR DE COMUNICACION\r\n");
            Abandona();
            return;
        }
    }
    const QByteArray recibido = canal_->TomaRecibido();
    if (recibido.isEmpty())
        return;
    *c_.CuentaSegundos = 5;
    if (recibido.back() == ACK) {
        *c_.ReintentosRestantes = 5;
        siguiente();
    } else if (enviados_ == 0) {
        Abandona(); // the load command was refused
    } else {
        canal_->Purga();
        enviaRegistro();
    }
}

void TEnvioLista::siguiente() {
    if (siguiente_ >= registros_.size()) {
        fin();
        return;
    }
    registroEnvio_ = registros_[siguiente_++];
    registroEnvio_.TextoAOem();
    ++enviados_;
    traza(Formato("%4d - %s %2d minucias\r\n", enviados_, registroEnvio_.Texto().c_str(),
                  registroEnvio_.Minucias()));
    enviaRegistro();
}

void TEnvioLista::enviaRegistro() {
    registroEnvio_.RellenaPlantilla();
    const std::string hex = registroEnvio_.FormaHex();
    canal_->Envia(hex.data(), static_cast<int>(hex.size()));
    *c_.CuentaSegundos = 8;
}

void TEnvioLista::fin() {
    const char eot = EOT, cr = CR;
    canal_->Envia(&eot, 1);
    canal_->Envia(cabecera_, 3);
    canal_->Envia(&cr, 1);
    const Clase clase = clase_;
    Abandona();
    if (Terminado)
        Terminado(clase);
}

void TEnvioLista::Abandona() {
    if (fase_ == Fase::Registros)
        *c_.ModoSondeo = 0;
    fase_ = Fase::Libre;
    canal_.reset();
    registros_.clear();
}
