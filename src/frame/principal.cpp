#include "frame/principal.h"

#include "common/configuracion.h"
#include "common/globales.h"
#include "common/presencia.h"
#include "common/sesion.h"
#include "frame/arranque.h"
#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/reloj.h"
#include "platform/ui/dialogosqt.h"
#include "platform/ui/escritorio.h"
#include "platform/ui/impresion.h"
#include "platform/ui/ventanas.h"
#include "presence/ui/ficharpre.h"
#include "production/ui/edproduccion.h"
#include "terminal/ui/panel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

QPointer<TMainForm> MainForm;

namespace {
const char *const kTitulo = "Sistema de Control de presencia y producción Velkatron";

// Window shown by each window action.
struct Enlace {
    QAction *TMainForm::*accion;
    const char *ventana;
    bool modal = true; // shown modally; the others have handlers of their own
};
const Enlace kEnlaces[] = {
    {&TMainForm::CfgEmpresa, "FormEmpresa"},
    {&TMainForm::CfgEmpleados, "FormEmpleados"},
    {&TMainForm::CfgHorarios, "FormHorarios"},
    {&TMainForm::CfgIncidencias, "FormCIncidencias"},
    {&TMainForm::CfgProd, "FormProduccion"},
    {&TMainForm::cfgTerminales, "FormTerminales"},
    {&TMainForm::ListarPre, "FormListar", false},
    {&TMainForm::ToolButton19, "FormListar", false},
    {&TMainForm::Incidencias, "FormEditaIncidencias"},
    {&TMainForm::Fichar1, "FormFichar", false},
    {&TMainForm::ListaAccesos, "FormAccesos", false},
    {&TMainForm::OrdenTrabajo, "FormEdProduccion", false},
    {&TMainForm::PPorObra, "FormEdProduccion", false},
    {&TMainForm::PPorTio, "FormEdProduccion", false},
    {&TMainForm::HelpAbout1, "AboutBox"},
};

// Shows a window modeless in its normal state and activates it (inside the frame, through its
// child window).
void muestraNormal(QWidget *w) {
    if (!w)
        return;
    if (auto *hija = qobject_cast<QMdiSubWindow *>(w->parentWidget())) {
        w->show();
        hija->showNormal();
        if (QMdiArea *area = hija->mdiArea())
            area->setActiveSubWindow(hija);
        return;
    }
    w->showNormal();
    w->raise();
    w->activateWindow();
}
void muestraNormal(const char *nombre) {
    muestraNormal(Ventana(nombre));
}
} // namespace

TMainForm::TMainForm(QWidget *padre) : QMainWindow(padre) {
    MainForm = this;
    setObjectName("MainForm");
    setWindowTitle(aQ(Ansi(kTitulo)));
    MDI = new QMdiArea(this);
    setCentralWidget(MDI);
    Dialogos::FijaPadre(this);

    FechaFichaje = Ahora();
    Sesion().ListaUsuarios.clear();
    Sesion().LineasUsuarios.clear();

    FileOpen1 = accion("&Abrir ");
    FileOpen1->setShortcut(QKeySequence("Ctrl+O"));
    FileSaveAs1 = accion("Guardar como ...");
    FileSaveAs1->setEnabled(false);
    Backupdatos1 = accion("Guardar configuración");
    FileExit1 = accion("&Salir");
    CfgEmpresa = accion("&Empresa");
    CfgEmpleados = accion("Em&pleados");
    CfgHorarios = accion("&Horarios");
    CfgIncidencias = accion("Incidencias");
    CfgProd = accion("Producción");
    cfgTerminales = accion("Terminales");
    FilePrintSetup1 = accion("&Impresoras");
    ListarPre = accion("Listar presencia");
    ToolButton19 = accion("Listar Incidencias", "Listar Incidencias");
    Incidencias = accion("Incidencias");
    Fichar1 = accion("Fichar");
    Presentes1 = accion("Presentes");
    ListaAccesos = accion("Listar accesos", "Listar accesos");
    OrdenTrabajo = accion("Orden de trabajo");
    PPorObra = accion("Produccion por Obra");
    PPorTio = accion("Produccion por Empleado");
    EditCut1 = accion("Cortar");
    EditCopy1 = accion("Copiar");
    EditPaste1 = accion("Pegar");
    WindowCascade1 = accion("&Cascada");
    WindowTileHorizontal1 = accion("Horizontal");
    WindowTileVertical1 = accion("Vertical");
    WindowMinimizeAll1 = accion("Minimiza todas");
    cierrato = accion("Cerrar todas");
    Ayuda = accion("Ayuda");
    HelpAbout1 = accion("A cerca de Rondal..");

    QMenu *archivo = menuBar()->addMenu("Archivo");
    archivo->addActions({FileOpen1, FileSaveAs1, Backupdatos1});
    archivo->addSeparator();
    archivo->addAction(FileExit1);
    QMenu *config = menuBar()->addMenu("Configuración");
    config->addActions(
        {CfgEmpresa, CfgEmpleados, CfgHorarios, CfgIncidencias, CfgProd, cfgTerminales, FilePrintSetup1});
    QMenu *presencia = menuBar()->addMenu("Presencia");
    presencia->addActions({ListarPre, Incidencias, Fichar1, Presentes1});
    QMenu *accesos = menuBar()->addMenu("Accesos");
    accesos->addAction(ListaAccesos);
    QMenu *produccion = menuBar()->addMenu("Producción");
    produccion->addActions({OrdenTrabajo, PPorObra, PPorTio});
    QMenu *edicion = menuBar()->addMenu("&Edición");
    edicion->addActions({EditCut1, EditCopy1, EditPaste1});
    QMenu *ventanas = menuBar()->addMenu("Ventanas");
    connect(ventanas, &QMenu::aboutToShow, this, [this, ventanas] { menuVentanas(ventanas); });
    menuVentanas(ventanas);
    QMenu *ayuda = menuBar()->addMenu("&Ayuda");
    ayuda->addActions({Ayuda, HelpAbout1});

    QToolBar *barra = addToolBar("Herramientas");
    barra->setObjectName("ToolBar1");
    barra->addActions(
        {CfgEmpresa, CfgEmpleados, CfgHorarios, CfgIncidencias, CfgProd, cfgTerminales, FilePrintSetup1});
    barra->addSeparator();
    barra->addActions({ToolButton19, ListarPre, Incidencias, Fichar1});
    barra->addSeparator();
    barra->addAction(ListaAccesos);
    barra->addSeparator();
    barra->addActions({OrdenTrabajo, PPorObra, PPorTio});
    barra->addSeparator();
    auto *relleno = new QWidget(barra);
    relleno->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    barra->addWidget(relleno);
    auto *imagen = new QLabel("<b><i>Velkatron</i></b>", barra);
    barra->addWidget(imagen);
    statusBar();

    for (const Enlace &e : kEnlaces) {
        if (!e.modal)
            continue;
        const std::string nombre = e.ventana;
        connect(this->*e.accion, &QAction::triggered, this, [nombre] { MuestraModal(nombre); });
    }
    connect(FileOpen1, &QAction::triggered, this, [this] { FileOpen1Execute(); });
    connect(Backupdatos1, &QAction::triggered, this, [this] { Backupdatos1Execute(); });
    connect(FileExit1, &QAction::triggered, this, [this] { close(); });
    connect(FilePrintSetup1, &QAction::triggered, this, [this] {
        QPageSetupDialog dialogo(&Impresora(), this);
        dialogo.exec();
    });
    connect(ListarPre, &QAction::triggered, this, [this] {
        ModoIncidencias = 0; // a presence listing, whatever the last showing was for
        ListarPreExecute();
    });
    connect(ToolButton19, &QAction::triggered, this, [this] {
        ModoIncidencias = 1;
        ListarPreExecute();
    });
    connect(Fichar1, &QAction::triggered, this, [this] { Fichar1Execute(); });
    connect(Presentes1, &QAction::triggered, this, [this] {
        if (GanchosPrincipal.FichasPresentes)
            GanchosPrincipal.FichasPresentes(0, true);
    });
    connect(ListaAccesos, &QAction::triggered, this, [] { muestraNormal("FormAccesos"); });
    // The production editor on its new-order, by-order or by-employee page. The page opens after
    // the window is shown and activated, so its own dates win over the ones the activation copies.
    const std::pair<QAction *, int> paginasProduccion[] = {{OrdenTrabajo, 0}, {PPorObra, 1}, {PPorTio, 2}};
    for (const auto &[accion, pagina] : paginasProduccion)
        connect(accion, &QAction::triggered, this, [pagina] {
            if (!FormEdProduccion)
                return;
            muestraNormal(FormEdProduccion);
            FormEdProduccion->MuestraPagina(pagina);
        });
    auto editar = [](const char *metodo) {
        if (QWidget *w = QApplication::focusWidget())
            QMetaObject::invokeMethod(w, metodo);
    };
    connect(EditCut1, &QAction::triggered, this, [editar] { editar("cut"); });
    connect(EditCopy1, &QAction::triggered, this, [editar] { editar("copy"); });
    connect(EditPaste1, &QAction::triggered, this, [editar] { editar("paste"); });
    connect(WindowCascade1, &QAction::triggered, MDI, &QMdiArea::cascadeSubWindows);
    connect(WindowTileHorizontal1, &QAction::triggered, this, [this] { mosaico(true); });
    connect(WindowTileVertical1, &QAction::triggered, this, [this] { mosaico(false); });
    connect(WindowMinimizeAll1, &QAction::triggered, this, [this] {
        for (QMdiSubWindow *s : abiertas())
            s->showMinimized();
    });
    connect(cierrato, &QAction::triggered, this, [this] { cierratoExecute(); });
    connect(Ayuda, &QAction::triggered, this, [this] { AyudaExecute(); });

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer1->start();
    ActualizaAcciones();
}

QAction *TMainForm::accion(const char *texto, const char *pista) {
    QString t = aQ(Ansi(texto));
    auto *a = new QAction(t, this);
    QString p = pista ? aQ(Ansi(pista)) : QString(t).remove('&').trimmed();
    a->setToolTip(p);
    a->setStatusTip(p);
    return a;
}

QMdiSubWindow *TMainForm::AnadeHija(QWidget *ventana) {
    QMdiSubWindow *s = MDI->addSubWindow(ventana);
    return s;
}

void TMainForm::ActualizaAcciones() {
    for (const Enlace &e : kEnlaces)
        (this->*e.accion)->setEnabled(Ventana(e.ventana) != nullptr);
    FileOpen1->setEnabled(static_cast<bool>(Ganchos::AbreDocumento));
    Presentes1->setEnabled(static_cast<bool>(GanchosPrincipal.FichasPresentes));
}

void TMainForm::showEvent(QShowEvent *e) {
    QMainWindow::showEvent(e);
    if (!mostrado_) {
        mostrado_ = true;
        QTimer::singleShot(0, this, [this] { FormShow(); });
    }
}

void TMainForm::closeEvent(QCloseEvent *e) {
    QMainWindow::closeEvent(e);
    if (e->isAccepted())
        Q_EMIT Cerrada();
}

void TMainForm::termina() {
    terminado_ = true;
    close();
}

void TMainForm::FormShow() {
    if (Sesion().NivelUsuario != 0 || terminado_)
        return;
    PPorObra->setText(aQ("Produccion por " + Configuracion().RotuloObra));
    PPorTio->setText(aQ("Produccion por " + Configuracion().RotuloEmpleado));
    DirectorioAbrir = Configuracion().DirArchivosPres + "../";
    ActualizaAcciones();

    if (QWidget *panel = Ventana("FormVelka"))
        panel->show();

    if (Configuracion().PuestoMaestro != 0 && GanchosPrincipal.PresenciaInicio) {
        GanchosPrincipal.PresenciaInicio();
        GuardaPresentes(Configuracion().DirFichajes + "presentes", TablaPresencia);
    }

    if (Configuracion().PeriodoPresencia != 0) {
        RutaPresentes = Configuracion().DirFichajes + "presentes";
        CuentaPresencia = Configuracion().PeriodoPresencia;
        if (LeePresentes(RutaPresentes, TablaPresencia)) {
            for (int k = 1; k <= PlazasPresencia; ++k)
                TablaPresenciaLeida[k] = TablaPresencia[k];
            if (GanchosPrincipal.FichasPresentes)
                GanchosPrincipal.FichasPresentes(0, true);
        }
    }

    if (!CompruebaDirectorios()) {
        termina();
        return;
    }

    if (!CargaArchivoUsuarios()) {
        Dialogos::Error(Ansi("No se encuentra el archivo de usuarios \"rondal.usr\" ni en el directorio de "
                             "datos ni en el de trabajo. El programa terminará."),
                        "Archivo de usuarios");
        termina();
        return;
    }
    if (GanchosPrincipal.DescifraUsuarios)
        GanchosPrincipal.DescifraUsuarios();

    if (GanchosPrincipal.Login) {
        if (!GanchosPrincipal.Login() || Sesion().NivelUsuario < 1 || Sesion().NivelUsuario > 6) {
            termina();
            return;
        }
    } else {
        Sesion().NivelUsuario = 1;
        Sesion().PresenciaActiva = 1;
    }
}

void TMainForm::Timer1Timer() {
    if (Configuracion().SegundosOcultar > 0) {
        --CambiaConfiguracion().SegundosOcultar;
        setWindowTitle(aQ(Ansi("El programa se ocultará en ") +
                          std::to_string(Configuracion().SegundosOcultar) + " segundos"));
        if (Configuracion().SegundosOcultar == 0)
            hide();
    }
    if (Configuracion().PeriodoPresencia != 0 && Sesion().PresenciaActiva) {
        int antes = CuentaPresencia--;
        if (antes == 1) {
            CuentaPresencia = Configuracion().PeriodoPresencia;
            if (GanchosPrincipal.FichasPresentes)
                GanchosPrincipal.FichasPresentes(Configuracion().TiempoVentanaFicha, false);
        }
    }
}

void TMainForm::cierratoExecute() {
    QList<QMdiSubWindow *> hijas = abiertas();
    for (qsizetype i = hijas.size() - 1; i >= 1; --i)
        hijas[i]->close();
}

void TMainForm::Backupdatos1Execute() {
    std::string destino;
    int copiados = 0;
    if (!CopiaSeguridad(Hoy(), destino, copiados))
        Dialogos::Error("No se ha podido completar la copia de seguridad de " + Configuracion().DirDatos +
                            " en " + destino,
                        "Copia de seguridad");
}

void TMainForm::AyudaExecute() {
    // Here no command interpreter reports a missing file or viewer: the program says it.
    if (!AbreConAplicacion("rondal.chm"))
        Dialogos::Aviso("No se puede abrir la ayuda \"rondal.chm\".", "Ayuda");
}

void TMainForm::FileOpen1Execute() {
    Dialogos::PeticionArchivo p;
    p.titulo = "Abrir";
    p.directorio = DirectorioAbrir;
    p.filtro = "(*.rtf)|*.rtf";
    std::string ruta;
    if (Dialogos::AbrirArchivo(p, ruta) && Ganchos::AbreDocumento)
        Ganchos::AbreDocumento(ruta);
}

void TMainForm::Fichar1Execute() {
    FechaFichaje = Ahora().addDays(-1);
    TPeticionFichaje p;
    p.FechaFichaje = FechaFichaje;
    p.EmpleadoFichaje = FormVelka && FormVelka->EDBusca ? deQ(FormVelka->EDBusca->text()) : std::string();
    p.CodigoFichaje = std::string(8, ' ');
    MuestraFichar(p);
}

void TMainForm::ListarPreExecute() {
    QWidget *w = Ventana("FormListar");
    if (!w)
        return;
    w->setWindowTitle(ModoIncidencias ? "Incidencias" : "Presencia");
    muestraNormal(w);
}

void TMainForm::menuVentanas(QMenu *menu) {
    menu->clear();
    menu->addActions(
        {WindowCascade1, WindowTileHorizontal1, WindowTileVertical1, WindowMinimizeAll1, cierrato});
    const auto hijas = abiertas();
    if (!hijas.isEmpty())
        menu->addSeparator();
    int n = 1;
    for (QMdiSubWindow *s : hijas) {
        QAction *a = menu->addAction(QString("&%1 %2").arg(n++).arg(s->windowTitle()));
        connect(a, &QAction::triggered, this, [this, s] {
            if (s->isMinimized()) // restored, as an MDI window menu does
                s->showNormal();
            MDI->setActiveSubWindow(s);
        });
    }
}

QList<QMdiSubWindow *> TMainForm::abiertas() const {
    QList<QMdiSubWindow *> r;
    for (QMdiSubWindow *s : MDI->subWindowList(QMdiArea::CreationOrder))
        if (!s->isHidden())
            r << s;
    return r;
}

void TMainForm::mosaico(bool horizontal) {
    QList<QMdiSubWindow *> hijas;
    for (QMdiSubWindow *s : MDI->subWindowList())
        if (!s->isMinimized() && s->isVisible())
            hijas << s;
    if (hijas.isEmpty())
        return;
    const QRect r = MDI->viewport()->rect();
    const int n = static_cast<int>(hijas.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow *s = hijas[i];
        s->showNormal();
        if (horizontal)
            s->setGeometry(0, r.height() * i / n, r.width(), r.height() / n);
        else
            s->setGeometry(r.width() * i / n, 0, r.width() / n, r.height());
    }
}
