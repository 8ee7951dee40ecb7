#pragma once
// The list sender: streams a user list into a terminal record by record, each acknowledged, one
// step per tick of the panel's 1 ms timer. The whole list goes into FLASH after "borra lista", a
// selection is added to FLASH, and the list a terminal asked for goes into its RAM.
#include "common/registromin.h"

#include <QByteArray>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The link to the terminal being loaded.
class TCanalEnvio {
public:
    virtual ~TCanalEnvio() = default;
    virtual void Envia(const char *datos, int n) = 0;
    // The radio address prefix ahead of a command (nothing outside radio mode).
    virtual void EnviaDireccionRadio() = 0;
    // What the terminal sent since the last call, taken from the link.
    virtual QByteArray TomaRecibido() = 0;
    // Discards what the link received and nobody took.
    virtual void Purga() = 0;
};

// The panel's mode and countdowns that the sender shares with its timers.
struct TContadoresEnvio {
    int *ModoSondeo;          // 1 while records are streamed: the receive machines wait
    int *CuentaSegundos;      // coarse countdown, one step a second
    int *ReintentosRestantes; // time-outs left
};

class TEnvioLista {
public:
    enum class Clase { Todo, Seleccion, Ram };

    explicit TEnvioLista(TContadoresEnvio contadores) : c_(contadores) {}

    std::function<void(const std::string &)> Traza; // console text (OEM bytes)
    // The list went in whole (its end sequence was sent).
    std::function<void(Clase)> Terminado;

    // Starts a send to terminal numero: Todo waits 5 seconds (the terminal empties its list) and
    // then sends the FLASH load command; Seleccion sends it at once; Ram finds the RAM load command
    // sent and its countdown loaded.
    void Inicia(Clase clase, std::unique_ptr<TCanalEnvio> canal, unsigned numero,
                std::vector<TRegistroMin> registros);
    // One tick: the time-out, then the terminal's reply and what follows it.
    void Paso();
    // Drops the send in course; the receive machines run again.
    void Abandona();
    bool Activo() const { return fase_ != Fase::Libre; }
    // Waiting for "borra lista" to take effect: the receive machines still run.
    bool Borrando() const { return fase_ == Fase::Borrado; }
    int RegistrosEnviados() const { return enviados_; }

private:
    enum class Fase { Libre, Borrado, Registros };
    void ordenCarga();
    void siguiente();
    void enviaRegistro();
    void fin();
    void traza(const std::string &t) {
        if (Traza)
            Traza(t);
    }

    TContadoresEnvio c_;
    Fase fase_ = Fase::Libre;
    Clase clase_ = Clase::Todo;
    std::unique_ptr<TCanalEnvio> canal_;
    char cabecera_[3] = {0x05, '6', '4'};
    std::vector<TRegistroMin> registros_;
    size_t siguiente_ = 0;
    int enviados_ = 0;
    TRegistroMin registroEnvio_; // RegistroEnvio: the record in flight, as sent
};
