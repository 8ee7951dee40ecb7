#pragma once
// The terminal control panel: terminal links, protocol, console and clockings pages.
#include "platform/stringgrid.h"
#include "terminal/enlace.h"
#include "terminal/envialista.h"
#include "terminal/firmware.h"
#include "terminal/horaterminales.h"
#include "terminal/protocolo.h"
#include "terminal/ui/paginafichajes.h"
#include "terminal/ui/paginahuellas.h"

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

class TFormVelka : public QWidget, public TPaginaFichajes, public TPaginaHuellas {
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

    // The timers tick only while something counts or waits. Timer1 ticks every millisecond while
    // there is link work (received bytes waiting, the list sender, a wait on CuentaEspera);
    // otherwise it rests, ticking once a second on the second for the clock in Label3 and when
    // the next step of a reconnection countdown falls due; it stands still during a firmware
    // upload. Timer2 ticks every 10 ms while CuentaSegundos or a reply time-out counts or an upload
    // runs, and is stopped otherwise. Received bytes and socket events wake them.
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();

    // Console keys: a key typed in visor (always swallowed), or in Edit3.
    void visorKeyPress(char key);
    void Edit3KeyPress(char key);
    void visorClick();
    void visorDblClick();
    // Appends text (terminal bytes, OEM code page) to the console, which keeps no undo history;
    // a console of more than 200 lines loses its first one first. Whatever the text, the
    // document never holds more than MaxLineasVisor blocks (201 lines and the one being written).
    static constexpr int MaxLineasVisor = 202;
    void MuestraTraza(const std::string &texto);

    // "Recibir": asks the selected terminal for its user list.
    void BitBtn6Click() override;
    // "Cambiar código": the code of SG1's current row changed in its list and in the history file;
    // the day files are rebuilt and the new code's clockings listed.
    void Cambiarcdigo1Click() override;

    // "Envia programa": uploads the firmware named in Edit2 to the selected terminal's loader.
    // Timer1 stands still while the upload runs (Timer2 steps it) and starts again at its end.
    void Button2Click();
    bool SubiendoFirmware() const { return subida_ != nullptr; }
    // "Fecha y Hora": every terminal's clock. Asked for during an upload or a list load, it follows it.
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

    // The console line being typed (bytes in the OEM code page).
    static constexpr int MaxLineaConsola = 1024;
    std::string LineaConsola;

    // Lists page, link side: "Enviar todo", "Enviar selección" and the denied list's "Enviar" to
    // the selected terminal; a terminal's request for a list is answered by the same sender.
    void BitBtn1Click() override;
    void BitBtn8Click() override;
    void BitBtn7Click() override;
    void DenegadosCambiados() override;
    TEnvioLista Envio{
        {&Enlaces.Entorno.ModoSondeo, &Enlaces.Entorno.CuentaSegundos, &Enlaces.Entorno.ReintentosRestantes}};

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void creaTimers();
    // The links tell the panel: console text, received bytes, connection states.
    void conectaEnlaces();
    void enviaLineaConsola();
    // Header, TerminalActual and TipoConexionActual of the item selected in CLBTerminales; its row,
    // or 0 when no usable terminal is selected.
    int fijaTerminalSeleccionado();
    // The one place that starts, paces and stops Timer1 and Timer2, called after every event that
    // can load a counter or queue bytes.
    void ajustaTimers();
    void terminaSubida();
    void actualizaBotones();
    // Lists page, link side (panelhuellas.cpp).
    void conectaListas();
    // A list, a firmware upload or the clocks are on the links: no other of them starts.
    bool ocupado() const;
    void seleccionaListas(int fila);
    void pasoListas();
    void iniciaEnvioRam();
    void finEnvioLista(TEnvioLista::Clase clase);
    void respuestaDenegados(bool ack);
    // The cell col of every terminals-grid row of terminal numero (when "terminales.dat" exists).
    void fijaCeldaTerminales(int col, unsigned numero, const std::string &valor);
    unsigned terminalEnvio_ = 0;
    std::string listaEnvio_;
    unsigned terminalDenegados_ = 0;
    std::string denegadosEnviados_;
    QString textoReloj_;
    std::unique_ptr<TCargadorEnFila> cargador_;
    std::unique_ptr<TSubidaFirmware> subida_;
    TTerminalesTablas terminales_{Enlaces};
    std::unique_ptr<TPuestaEnHora> hora_;
    bool horaPendiente_ = false;
};

extern QPointer<TFormVelka> FormVelka;

// Terminal row fila holds the denied list it was last sent ("Denegados" set in the terminals grid).
bool TerminalActualizado(int fila);
