#pragma once
// The presence monitor: one pop-up per employee whose presence changed, with photo, time and
// a countdown, and the refresh that opens them.
#include <QWidget>
#include <vector>

class QLabel;
class QLineEdit;
class QProgressBar;
class QTimer;
struct TAvisoPresencia;

class TFichaPopup : public QWidget {
    Q_OBJECT
public:
    explicit TFichaPopup(QWidget *padre = nullptr);

    QLabel *Label1 = nullptr; // "Apellidos"
    QLabel *Label2 = nullptr; // "Nombre"
    QLabel *Label3 = nullptr; // the status box
    QLabel *STNombre = nullptr;
    QLabel *STApellidos = nullptr;
    QLabel *FotoTio = nullptr;
    QLineEdit *LEEmpresa = nullptr;
    QProgressBar *PB1 = nullptr;
    QTimer *Timer1 = nullptr;
    int SegundosFicha = 0;

    // Fills the window from one change of the table, with the given display seconds.
    void Muestra(const TAvisoPresencia &aviso, int segundos);
    // Countdown: the bar shrinks each second and the window closes when it reaches its end.
    void Timer1Timer();
    // Closes the window (its frame's child window when it has one); it frees itself.
    void Cierra();

protected:
    void closeEvent(QCloseEvent *e) override;
};

// Refreshes the monitor: a pop-up (with its sound unless forzado) for each employee whose
// presence changed, or for every employee when forzado. Returns the pop-ups opened.
std::vector<TFichaPopup *> FichasPresentes(int segundos, bool forzado);
