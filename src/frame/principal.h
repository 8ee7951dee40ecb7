#pragma once
// The main window: the multi-document frame with every menu, action and the tool bar; its first
// showing runs the start-up work and its one-second timer the auto-hide and presence refresh.
#include <QMainWindow>
#include <QPointer>
#include <functional>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget *padre = nullptr);

    // Puts a window into the frame as a child window.
    QMdiSubWindow *AnadeHija(QWidget *ventana);
    QMdiArea *Area() const { return MDI; }

    // Start-up work of the first showing; runs once (nothing when NivelUsuario is not 0).
    void FormShow();
    // True once start-up decided that the program ends.
    bool Terminado() const { return terminado_; }
    // Enables every window action whose window exists and disables the others.
    void ActualizaAcciones();

    void Timer1Timer();
    void cierratoExecute();
    void Backupdatos1Execute();
    void AyudaExecute();
    void FileOpen1Execute();
    void Fichar1Execute();
    void ListarPreExecute();

    QAction *FileOpen1, *FileSaveAs1, *Backupdatos1, *FileExit1;
    QAction *CfgEmpresa, *CfgEmpleados, *CfgHorarios, *CfgIncidencias, *CfgProd, *cfgTerminales,
        *FilePrintSetup1;
    QAction *ListarPre, *ToolButton19, *Incidencias, *Fichar1, *Presentes1;
    QAction *ListaAccesos;
    QAction *OrdenTrabajo, *PPorObra, *PPorTio;
    QAction *EditCut1, *EditCopy1, *EditPaste1;
    QAction *WindowCascade1, *WindowTileHorizontal1, *WindowTileVertical1, *WindowMinimizeAll1, *cierrato;
    QAction *Ayuda, *HelpAbout1;
    QTimer *Timer1;
    std::string DirectorioAbrir; // initial directory of the open dialog
    int CuentaPresencia = -1;    // seconds to the next presence refresh

    // What the main window asks of the layers above it, installed by the composition root.
    struct TGanchos {
        // Deciphers the session's LineasUsuarios into ListaUsuarios, NombreEmpresa and ClaveUsuarios.
        std::function<void()> DescifraUsuarios;
        // Login with three tries and the rights of the level; false ends the program.
        std::function<bool()> Login;
        // Presence monitor refresh (display seconds, forced).
        std::function<void(int, bool)> FichasPresentes;
        // Start-up presence build of the master station (fills TablaPresencia from the day's
        // clockings).
        std::function<void()> PresenciaInicio;
    };
    TGanchos GanchosPrincipal;

Q_SIGNALS:
    // Closing the main window ends the program.
    void Cerrada();

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    QAction *accion(const char *texto, const char *pista = nullptr);
    void termina();
    void menuVentanas(QMenu *menu);
    // The child windows that are open (not hidden), in the order of their creation.
    QList<QMdiSubWindow *> abiertas() const;
    void mosaico(bool horizontal);
    QMdiArea *MDI;
    bool mostrado_ = false;
    bool terminado_ = false;
};

extern QPointer<TMainForm> MainForm;
