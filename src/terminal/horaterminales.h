#pragma once
// Setting the terminals' clocks: the clock command to every terminal of the list in turn, about
// 100 ticks of the 1 ms timer apart.
#include <QDateTime>
#include <functional>
#include <string>

class TEnlaces;

// First send: ENQ, the number as two upper-case hexadecimal digits, "H" and the date and time
// as "dd-mm-yyyy hh:mm:ss " (24 bytes).
std::string TramaHora(unsigned numero, const QDateTime &t);
// Second send: the 8-bit sum of the characters from "H" on as "%02X", and CR.
std::string SumaHora(const std::string &trama);

// What the clock setting needs of the links: the rows of the terminal list (1..Filas()).
class TEnlaceTerminales {
public:
    virtual ~TEnlaceTerminales() = default;
    virtual int Filas() const = 0;
    // False for a row that cannot be reached now (not connected, a refused row).
    virtual bool Alcanzable(int fila) const = 0;
    virtual unsigned Numero(int fila) const = 0;
    // The radio address prefix of the row (nothing outside radio mode or for other rows).
    virtual void EnviaDireccionRadio(int fila) = 0;
    virtual void Envia(int fila, const char *datos, int n) = 0;
};

// The terminal tables as they stand.
class TTerminalesTablas : public TEnlaceTerminales {
public:
    explicit TTerminalesTablas(TEnlaces &enlaces) : enlaces_(enlaces) {}
    int Filas() const override;
    bool Alcanzable(int fila) const override;
    unsigned Numero(int fila) const override;
    void EnviaDireccionRadio(int fila) override;
    void Envia(int fila, const char *datos, int n) override;

private:
    TEnlaces &enlaces_;
};

// PoneHoraTerminales as steps: Arranca sends to the first reachable row and loads CuentaEspera;
// each Timer1 tick that finds CuentaEspera at 0 sends to the next. After the last row the
// console gets "Fecha y hora actualizada", or that no terminal is connected when none was sent to.
class TPuestaEnHora {
public:
    static constexpr int EsperaEntreTerminales = 100;

    // cuentaEspera: the panel's CuentaEspera, counted down by Timer1.
    TPuestaEnHora(TEnlaceTerminales &enlace, int &cuentaEspera,
                  std::function<void(const std::string &)> traza);
    void Arranca();
    // One Timer1 tick (after CuentaEspera has been counted down); false once it has ended.
    bool Tick();
    bool Activa() const { return activa_; }

private:
    void siguiente();

    TEnlaceTerminales &enlace_;
    int &CuentaEspera;
    std::function<void(const std::string &)> traza_;
    int fila_ = 0;
    int enviados_ = 0;
    bool activa_ = false;
};
