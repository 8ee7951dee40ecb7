#pragma once
// The terminal control panel: terminal links, protocol, console and clockings pages.
#include "platform/stringgrid.h"
#include "terminal/enlace.h"
#include "terminal/firmware.h"
#include "terminal/horaterminales.h"
#include "terminal/ui/paginafichajes.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTimer;

class TFormVelka : public QWidget, public TPaginaFichajes {
    Q_OBJECT
public:
    explicit TFormVelka(QWidget *padre = nullptr);
    ~TFormVelka() override;

    // Creation sequence (the settings are read before): port-I/O, the settings shown, terminal
    // tables and links, timers, dates.
    void FormCreate();

    // The terminal tables, the links and their receive machines.
    TEnlaces Enlaces;

    // Rebuilds the terminal tables, links and CLBTerminales from the terminals window's grid.
    void CargaTerminales();
    void CargaTerminales(const StringGrid &sg);
    // Selection of a terminal in CLBTerminales: header, TerminalActual, TipoConexionActual.
    void CLBTerminalesDblClick();
    void CLBTerminalesClickCheck();

    // Timer1 ticks every millisecond while there is link work (received bytes waiting, the list
    // sender, a wait on CuentaEspera of Enlaces.Entorno), else every IntervaloReposo ms; received
    // bytes wake it.
    static constexpr int IntervaloReposo = 100;
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();

    // Console keys: a key typed in visor (always swallowed), or in Edit3.
    void visorKeyPress(char key);
    void Edit3KeyPress(char key);
    void visorClick();
    void visorDblClick();
    // Appends text (terminal bytes, OEM code page) to the console, which keeps no undo history
    // and at most MaxLineasVisor lines.
    static constexpr int MaxLineasVisor = 201;
    void MuestraTraza(const std::string &texto);

    // "Recibir": asks the selected terminal for its user list.
    void BitBtn6Click() override;

    // "Envia programa": uploads the firmware named in Edit2 to the selected terminal's loader.
    // Timer1 stands still while the upload runs (Timer2 steps it) and starts again at its end.
    void Button2Click();
    bool SubiendoFirmware() const { return subida_ != nullptr; }
    // "Fecha y Hora": every terminal's clock. Asked for during an upload, it follows the upload.
    void BFechaHoraClick();
    void PoneHoraTerminales();
    // "Abrir puerta": the console line "k" + TextoAbrirPuerta + "d" to the selected terminal.
    void AbrirPuertaClick();

    QTabWidget *PageControl1 = nullptr;
    QLabel *stPuerto = nullptr;
    QLabel *Velocidad = nullptr;
    QLineEdit *Edit2 = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *AbrirPuerta = nullptr;
    QPushButton *BRecons = nullptr;
    QListWidget *CLBTerminales = nullptr;
    QWidget *TSComunicaciones = nullptr; // "Comunicaciones"
    QWidget *TS2 = nullptr;              // "Archivos de Huellas"
    QPlainTextEdit *visor = nullptr;
    QComboBox *Edit3 = nullptr;
    QLabel *Label3 = nullptr;
    QPushButton *BFechaHora = nullptr;
    QTimer *Timer1 = nullptr;
    QTimer *Timer2 = nullptr;
    QTimer *Timer3 = nullptr;
    StringGrid SG1{8, 2}; // users grid of the lists page
    StringGrid SG2{8, 2}; // working grid of the lists page

    // The console line being typed (bytes in the OEM code page).
    static constexpr int MaxLineaConsola = 1024;
    std::string LineaConsola;

    // One step of the list sender while Enlaces.Entorno.ModoSondeo is 1 (the lists page installs it).
    std::function<void()> PasoEnvioLista;

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void creaTimers();
    // The links tell the panel: console text, received bytes, connection states.
    void conectaEnlaces();
    void enviaLineaConsola();
    void ajustaTimer1();
    void terminaSubida();
    void actualizaBotones();
    QString textoReloj_;
    std::unique_ptr<TCargadorEnFila> cargador_;
    std::unique_ptr<TSubidaFirmware> subida_;
    TTerminalesTablas terminales_{Enlaces};
    std::unique_ptr<TPuestaEnHora> hora_;
    bool horaPendiente_ = false;
};

extern QPointer<TFormVelka> FormVelka;
