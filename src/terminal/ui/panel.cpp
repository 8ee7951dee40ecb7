#include "terminal/ui/panel.h"

#include "common/configuracion.h"
#include "common/globales.h"
#include "masterdata/ui/terminalesorg.h"
#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/lineas.h"
#include "platform/portio.h"
#include "platform/reloj.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <chrono>

QPointer<TFormVelka> FormVelka;

namespace {

// Terminal list item in three lines from 40 pixels in: its text up to the first blank after
// position 3, the rest of it, and the connection state of an Ethernet terminal, or "Actualizado"
// for another that holds its denied list. An unchecked item is drawn in silver.
class TDelegadoTerminal : public QStyledItemDelegate {
public:
    TDelegadoTerminal(const TEnlaces &enlaces, QObject *padre)
        : QStyledItemDelegate(padre), enlaces_(enlaces) {}
    void paint(QPainter *p, const QStyleOptionViewItem &op, const QModelIndex &i) const override {
        QStyleOptionViewItem o = op;
        initStyleOption(&o, i);
        o.text.clear(); // the check box and the background as the style draws them
        const QWidget *w = o.widget;
        (w ? w->style() : QApplication::style())->drawControl(QStyle::CE_ItemViewItem, &o, p, w);
        const bool marcado = i.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        const QColor color = !marcado                             ? QColor(192, 192, 192)
                             : (o.state & QStyle::State_Selected) ? o.palette.color(QPalette::HighlightedText)
                                                                  : o.palette.color(QPalette::Text);
        const std::array<std::string, 3> t = lineas(i);
        QColor colorEstado = color;
        if (t[2] == "Conectado")
            colorEstado = QColor(0, 128, 0);
        else if (t[2] == "Conectando ...")
            colorEstado = Qt::blue;
        else if (!t[2].empty() && t[2] != "Actualizado")
            colorEstado = Qt::red;
        p->save();
        for (int k = 0; k < 3; ++k) {
            p->setPen(k < 2 ? color : colorEstado);
            p->drawText(QRect(op.rect.left() + kSangria, op.rect.top() + 3 + 15 * k,
                              op.rect.width() - kSangria, kAltoLinea),
                        Qt::AlignLeft | Qt::AlignTop, aQ(t[static_cast<size_t>(k)]));
        }
        p->restore();
    }
    // As wide as its longest line.
    QSize sizeHint(const QStyleOptionViewItem &op, const QModelIndex &i) const override {
        int ancho = 0;
        for (const std::string &t : lineas(i))
            ancho = std::max(ancho, op.fontMetrics.horizontalAdvance(aQ(t)));
        return {kSangria + ancho + 4, 33 + kAltoLinea};
    }

private:
    // The item's text up to its first blank after position 3, the rest, and the state line.
    std::array<std::string, 3> lineas(const QModelIndex &i) const {
        const std::string texto = deQ(i.data(Qt::DisplayRole).toString());
        const size_t blanco = texto.size() > 3 ? texto.find(' ', 3) : std::string::npos;
        std::string estado = enlaces_.EstadoEnchufe(i.row() + 1);
        if (estado.empty() && TerminalActualizado(i.row() + 1))
            estado = "Actualizado";
        return {texto.substr(0, blanco), blanco == std::string::npos ? "" : texto.substr(blanco + 1), estado};
    }
    static constexpr int kSangria = 40;
    static constexpr int kAltoLinea = 15;
    const TEnlaces &enlaces_;
};

// Terminal bytes for the console: OEM glyphs, CR LF and lone CR as line breaks.
QString textoConsola(const std::string &oem) {
    std::string t;
    t.reserve(oem.size());
    for (size_t i = 0; i < oem.size(); ++i) {
        if (oem[i] == '\r') {
            t.push_back('\n');
            if (i + 1 < oem.size() && oem[i + 1] == '\n')
                ++i;
        } else {
            t.push_back(oem[i]);
        }
    }
    return aQ(OemToChar(t));
}

void pausaEntreBytes() {
    const auto fin = std::chrono::steady_clock::now() + std::chrono::microseconds(20);
    while (std::chrono::steady_clock::now() < fin) {
    }
}

} // namespace

TFormVelka::TFormVelka(QWidget *padre) : QWidget(padre) {
    setObjectName("FormVelka");
    setWindowTitle("Panel de control del Velkatron");
    auto *l = new QVBoxLayout(this);
    auto *cabecera = new QHBoxLayout();
    stPuerto = new QLabel(this);
    Velocidad = new QLabel(this);
    Edit2 = new QLineEdit(this);
    Button2 = new QPushButton("Envia programa", this);
    Button2->setToolTip("Enviar firmware a l terminal selecionado");
    AbrirPuerta = new QPushButton("Abrir puerta", this);
    BRecons = new QPushButton("Nuevo formato", this);
    cabecera->addWidget(stPuerto);
    cabecera->addWidget(Velocidad);
    cabecera->addWidget(Edit2);
    cabecera->addWidget(Button2);
    cabecera->addWidget(AbrirPuerta);
    cabecera->addWidget(BRecons);
    l->addLayout(cabecera);

    auto *cuerpo = new QHBoxLayout();
    CLBTerminales = new QListWidget(this);
    CLBTerminales->setObjectName("CLBTerminales");
    CLBTerminales->setItemDelegate(new TDelegadoTerminal(Enlaces, CLBTerminales));
    CLBTerminales->setMaximumWidth(260);
    cuerpo->addWidget(CLBTerminales);
    PageControl1 = new QTabWidget(this);
    cuerpo->addWidget(PageControl1, 1);
    l->addLayout(cuerpo, 1);

    auto *fichajes = new QWidget(PageControl1);
    PageControl1->addTab(fichajes, "Fichajes");
    CreaPaginaFichajes(fichajes);

    TSComunicaciones = new QWidget(PageControl1);
    PageControl1->addTab(TSComunicaciones, "Comunicaciones");
    auto *lc = new QVBoxLayout(TSComunicaciones);
    visor = new QPlainTextEdit(TSComunicaciones);
    visor->setReadOnly(true);
    visor->setUndoRedoEnabled(false);
    visor->setMaximumBlockCount(MaxLineasVisor);
    visor->setLineWrapMode(QPlainTextEdit::NoWrap);
    visor->setStyleSheet(
        "QPlainTextEdit { color: white; background-color: #0054e3; font-family: monospace; }");
    Edit3 = new QComboBox(TSComunicaciones);
    Edit3->setEditable(true);
    Edit3->setInsertPolicy(QComboBox::NoInsert);
    auto *lb = new QHBoxLayout();
    Label3 = new QLabel(TSComunicaciones);
    BFechaHora = new QPushButton("Fecha y Hora", TSComunicaciones);
    BFechaHora->setToolTip("Enviar fecha y hora a los terminales");
    lb->addWidget(Edit3, 1);
    lb->addWidget(BFechaHora);
    lb->addWidget(Label3);
    lc->addWidget(visor, 1);
    lc->addLayout(lb);

    TS2 = new QWidget(PageControl1);
    PageControl1->addTab(TS2, "Archivos de Huellas");
    CreaPaginaHuellas(TS2);

    visor->installEventFilter(this);
    visor->viewport()->installEventFilter(this);
    Edit3->lineEdit()->installEventFilter(this);
    connect(CLBTerminales, &QListWidget::itemClicked, this, [this] { CLBTerminalesDblClick(); });
    connect(CLBTerminales, &QListWidget::itemDoubleClicked, this, [this] { CLBTerminalesDblClick(); });
    connect(CLBTerminales, &QListWidget::itemChanged, this, [this] { CLBTerminalesClickCheck(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(BFechaHora, &QPushButton::clicked, this, [this] { BFechaHoraClick(); });
    connect(AbrirPuerta, &QPushButton::clicked, this, [this] { AbrirPuertaClick(); });
    connect(BRecons, &QPushButton::clicked, this, [this] {
        if (BReconsClick())
            BRecons->hide();
    });

    creaTimers();
    conectaEnlaces();
    conectaListas();
    FormCreate();
    ajustaTimers();
}

void TFormVelka::creaTimers() {
    Timer1 = new QTimer(this);
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(1);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer2 = new QTimer(this);
    Timer2->setTimerType(Qt::PreciseTimer);
    Timer2->setInterval(10);
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
    Timer3 = new QTimer(this);
    Timer3->setInterval(36000000);
    connect(Timer3, &QTimer::timeout, this, [this] { Timer3Timer(); });
}

void TFormVelka::conectaEnlaces() {
    Enlaces.Entorno.Traza = [this](const std::string &t) { MuestraTraza(t); };
    Enlaces.Entorno.SG1 = &SG1;
    Enlaces.CambioEstado = [this] {
        CLBTerminales->viewport()->update();
        ajustaTimers(); // a reconnection countdown may have been loaded
    };
    Enlaces.DatosRecibidos = [this] {
        // Received bytes are served at once when the receive machines run.
        if (!subida_ && Enlaces.Entorno.ModoSondeo == 0)
            Enlaces.ProcesaRecepcion();
        ajustaTimers();
    };
    Ganchos::CargaTerminales = [this] { CargaTerminales(); };
}

TFormVelka::~TFormVelka() {
    Enlaces.Entorno.Traza = nullptr;
    Enlaces.Entorno.SG1 = nullptr;
    Enlaces.Entorno.ListaRecibida = nullptr;
    Enlaces.Entorno.RespuestaDenegados = nullptr;
    Enlaces.CambioEstado = nullptr;
    Enlaces.DatosRecibidos = nullptr;
    Ganchos::CargaTerminales = nullptr;
    Enlaces.CierraEnlaces();
}

void TFormVelka::FormCreate() {
    AbrePortTalk();
    stPuerto->setText(aQ(Configuracion().NombrePuerto));
    Velocidad->setText(QString::number(Configuracion().VelocidadPuerto));
    Edit2->setText(aQ(Configuracion().TextoPrograma));
    AbrirPuerta->setVisible(!Configuracion().TextoAbrirPuerta.empty());
    BRecons->setVisible(Configuracion().FormatoCambiado);

    Enlaces.CierraEnlaces();
    if (ExisteArchivo(Configuracion().DirDatos + "terminales.dat"))
        CargaTerminales();
    if (!stPuerto->text().isEmpty()) {
        Enlaces.AbrePuertoSerie(Configuracion().NombrePuerto);
        if (Configuracion().ModoRadio)
            Enlaces.EnviaTramaInicioRadio();
    }
    Timer3->start();

    DTP1->setDate(Hoy());
    DTP2->setDate(Hoy());
    FechaHoy = Hoy();
    FechaDesde = Hoy();

    CargaListaMin();

    if (CLBTerminales->count() > 0) {
        CLBTerminales->setCurrentRow(0);
        CLBTerminalesDblClick();
    }
}

void TFormVelka::CargaTerminales() {
    if (FormTerminales)
        CargaTerminales(FormTerminales->SGTerminales);
}

void TFormVelka::CargaTerminales(const StringGrid &sg) {
    Envio.Abandona(); // its link goes
    const int seleccion = CLBTerminales->currentRow();
    const std::vector<std::string> rechazos = Enlaces.CargaTerminales(sg);
    CLBTerminales->blockSignals(true);
    CLBTerminales->clear();
    for (const std::string &t : Enlaces.TextosTerminales) {
        auto *item = new QListWidgetItem(aQ(t), CLBTerminales);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        item->setCheckState(Qt::Checked);
    }
    if (seleccion >= 0 && seleccion < CLBTerminales->count())
        CLBTerminales->setCurrentRow(seleccion);
    CLBTerminales->blockSignals(false);
    if (!rechazos.empty()) {
        std::string todo;
        for (const std::string &r : rechazos) {
            MuestraTraza(CharToOem(r) + "\r\n");
            todo += (todo.empty() ? "" : "\n") + r;
        }
        Dialogos::Aviso(todo, "Terminales");
    }
}

int TFormVelka::fijaTerminalSeleccionado() {
    TEnlaces &e = Enlaces;
    const int fila = CLBTerminales->currentRow() + 1;
    if (fila < 1 || fila > e.NumTerminales)
        return 0;
    e.FilaActual = fila;
    const std::string texto =
        fila - 1 < static_cast<int>(e.TextosTerminales.size()) ? e.TextosTerminales[fila - 1] : "";
    e.TipoConexionActual = texto.empty() ? e.TablaTipoConexion[fila] : texto[0];
    if (e.TablaNumTerminal[fila] == TerminalNoValido)
        return 0;
    e.TerminalActual = e.TablaNumTerminal[fila];
    e.FijaCabecera(e.TerminalActual);
    return fila;
}

void TFormVelka::CLBTerminalesDblClick() {
    if (const int fila = fijaTerminalSeleccionado())
        seleccionaListas(fila);
}

void TFormVelka::CLBTerminalesClickCheck() {
    CLBTerminales->viewport()->update();
}

void TFormVelka::Timer1Timer() {
    TEntornoRecepcion &r = Enlaces.Entorno;
    if (r.CuentaEspera != 0)
        --r.CuentaEspera;
    if (hora_ && !hora_->Tick()) {
        hora_.reset();
        actualizaBotones();
    }
    Enlaces.CuentaReconexiones();
    if (r.ModoSondeo == 0)
        Enlaces.ProcesaRecepcion();
    pasoListas();
    const QString reloj = Ahora().toString("dd/MM/yyyy HH:mm:ss");
    if (reloj != textoReloj_) {
        textoReloj_ = reloj;
        Label3->setText(reloj);
    }
    ajustaTimers();
}

void TFormVelka::ajustaTimers() {
    const TEntornoRecepcion &r = Enlaces.Entorno;
    if (!subida_) {
        const bool trabajo = r.ModoSondeo != 0 || r.CuentaEspera != 0 || hora_ || Envio.Activo() ||
                             Enlaces.EnlacesConTrabajo();
        int intervalo = trabajo ? 1 : 1000 - Ahora().time().msec(); // at rest: on the next second
        // A reconnection countdown steps once a second: wake when its next step falls due.
        if (const qint64 paso = Enlaces.ProximaReconexion(); paso >= 0)
            intervalo = static_cast<int>(std::clamp<qint64>(paso, 1, intervalo));
        if (!Timer1->isActive() || Timer1->interval() != intervalo)
            Timer1->start(intervalo);
    }
    const bool cuenta = subida_ || r.CuentaSegundos != 0 || Enlaces.EsperaRespuesta();
    if (cuenta && !Timer2->isActive())
        Timer2->start();
    else if (!cuenta && Timer2->isActive())
        Timer2->stop();
}

void TFormVelka::Timer2Timer() {
    // While the firmware goes out the links carry nothing else: no reply time-out answers into it.
    if (!subida_)
        Enlaces.TickRespuestas();
    TEntornoRecepcion &r = Enlaces.Entorno;
    if (r.SubcuentaSegundos == 0) {
        r.SubcuentaSegundos = 99;
        if (r.CuentaSegundos != 0)
            --r.CuentaSegundos;
    } else {
        --r.SubcuentaSegundos;
    }
    if (subida_ && !subida_->Tick())
        terminaSubida();
    ajustaTimers();
}

void TFormVelka::Timer3Timer() {
    BFechaHora->click();
}

void TFormVelka::visorKeyPress(char key) {
    if (key == 0x08) {
        if (!LineaConsola.empty())
            LineaConsola.pop_back();
    } else if (key == Control::CR || static_cast<int>(LineaConsola.size()) < MaxLineaConsola) {
        LineaConsola.push_back(key);
    }
    if (key != Control::CR) {
        Edit3->setEditText(aQ(OemToChar(LineaConsola)));
        return;
    }
    const QString texto = Edit3->currentText();
    if (!texto.isEmpty() && Edit3->findText(texto, Qt::MatchExactly) < 0) {
        Edit3->addItem(texto);
        Edit3->model()->sort(0);
        Edit3->setEditText(texto);
    }
    enviaLineaConsola();
}

void TFormVelka::enviaLineaConsola() {
    const std::string linea = LineaConsola;
    LineaConsola.clear();
    TEnlaces &e = Enlaces;
    const int fila = fijaTerminalSeleccionado();
    const bool valida = fila != 0;
    if (valida) {
        const std::string trama = std::string(e.CabeceraComando, 3) + linea;
        e.EnviaDireccionRadioFila(fila);
        for (char b : trama) {
            e.EnviaAFila(fila, &b, 1);
            pausaEntreBytes();
        }
    }
    MuestraTraza(linea);
    if (!linea.empty() && linea[0] == 'l')
        PageControl1->setCurrentWidget(TS2);
    if (valida && !linea.empty() && linea[0] == 'm')
        e.RecepcionDeFila(fila).EsperaFichaje(e.TerminalActual);
    ajustaTimers();
}

void TFormVelka::Edit3KeyPress(char key) {
    if (key == Control::CR) {
        LineaConsola = CharToOem(deQ(Edit3->currentText()));
        if (static_cast<int>(LineaConsola.size()) > MaxLineaConsola)
            LineaConsola.resize(MaxLineaConsola);
    }
    visorKeyPress(key);
}

void TFormVelka::visorClick() {
    visor->moveCursor(QTextCursor::End);
}

void TFormVelka::visorDblClick() {
    visor->clear();
}

void TFormVelka::MuestraTraza(const std::string &texto) {
    // Lines as the console counts them: the empty block after a last line end is none.
    const QTextDocument *d = visor->document();
    const int lineas = d->blockCount() - (d->lastBlock().text().isEmpty() ? 1 : 0);
    if (lineas > 200) {
        QTextCursor c(visor->document()->firstBlock());
        c.select(QTextCursor::BlockUnderCursor);
        c.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
        c.removeSelectedText();
    }
    visor->moveCursor(QTextCursor::End);
    visor->insertPlainText(textoConsola(texto));
}

void TFormVelka::BitBtn6Click() {
    LineaConsola.clear();
    visorKeyPress('l');
    visorKeyPress(Control::CR);
}

void TFormVelka::Button2Click() {
    const int fila = CLBTerminales->currentRow() + 1;
    if (subida_ || hora_ || Envio.Activo() || fila < 1 || fila > Enlaces.NumTerminales)
        return;
    fijaTerminalSeleccionado(); // the lists page keeps what it shows
    const std::string ruta = deQ(Edit2->text());
    TProgramaFirmware programa;
    const bool leido = programa.Lee(ruta);
    if (!programa.Abierto()) { // nothing is sent; the operator learns why
        MuestraTraza(CharToOem("ERROR: " + programa.error()) + "\r\n");
        return;
    }
    CambiaConfiguracion().TextoPrograma = ruta;
    if (Configuracion().ArchivoIni && !Configuracion().ArchivoIni->WriteString("config", "programa", ruta))
        MuestraTraza(
            CharToOem("ERROR: no se puede guardar \"programa\" en " + Configuracion().ArchivoIni->Ruta()) +
            "\r\n");
    visor->setFocus();
    MuestraTraza(CharToOem(ruta) + "\r\n");
    if (!leido) {
        MuestraTraza(CharToOem("ERROR: " + programa.error()) + "\r\n");
        return;
    }
    MuestraTraza("\r\nOFFSET   DIRECC.  BYTES\r\n");
    Timer1->stop(); // the receive machines must not take the loader's replies
    cargador_ = std::make_unique<TCargadorEnFila>(Enlaces, fila);
    subida_ = std::make_unique<TSubidaFirmware>(*cargador_, Enlaces.Entorno.CuentaSegundos,
                                                [this](const std::string &t) { MuestraTraza(t); });
    actualizaBotones();
    subida_->Arranca(std::move(programa.Secciones), Enlaces.TipoConexionActual == 'E' ? 320 : 10);
    if (!subida_->Activa())
        terminaSubida();
    ajustaTimers();
}

void TFormVelka::terminaSubida() {
    subida_.reset();
    cargador_.reset();
    Timer1->start();
    actualizaBotones();
    if (horaPendiente_) {
        horaPendiente_ = false;
        PoneHoraTerminales();
    }
    ajustaTimers();
}

void TFormVelka::BFechaHoraClick() {
    PoneHoraTerminales();
}

void TFormVelka::PoneHoraTerminales() {
    if (subida_ || Envio.Activo()) {
        horaPendiente_ = true;
        return;
    }
    if (hora_)
        return;
    hora_ = std::make_unique<TPuestaEnHora>(terminales_, Enlaces.Entorno.CuentaEspera,
                                            [this](const std::string &t) { MuestraTraza(t); });
    hora_->Arranca();
    if (!hora_->Activa())
        hora_.reset();
    actualizaBotones();
    ajustaTimers();
}

void TFormVelka::actualizaBotones() {
    Button2->setEnabled(!subida_ && !hora_);
}

void TFormVelka::AbrirPuertaClick() {
    const int fila = fijaTerminalSeleccionado();
    if (!Enlaces.FilaConectada(fila)) { // nothing would go out
        MuestraTraza(CharToOem(fila ? "El terminal " + std::string(Enlaces.CabeceraComando + 1, 2) +
                                          Ansi(" no está conectado")
                                    : Ansi("No hay ningún terminal seleccionado")) +
                     "\r\n");
        return;
    }
    LineaConsola = CharToOem("k" + Configuracion().TextoAbrirPuerta + "d");
    if (static_cast<int>(LineaConsola.size()) > MaxLineaConsola)
        LineaConsola.resize(MaxLineaConsola);
    visorKeyPress(Control::CR);
}

bool TFormVelka::eventFilter(QObject *objeto, QEvent *evento) {
    const bool enVisor = objeto == visor;
    const bool enEdit3 = objeto == Edit3->lineEdit();
    if ((enVisor || enEdit3) && evento->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(evento);
        char tecla = 0;
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)
            tecla = Control::CR;
        else if (k->key() == Qt::Key_Backspace)
            tecla = 0x08;
        else if (!k->text().isEmpty() && k->text()[0].unicode() >= 0x20)
            tecla = CharToOem(deQ(k->text().left(1)))[0];
        if (tecla == 0)
            return false;
        if (enEdit3)
            Edit3KeyPress(tecla);
        else
            visorKeyPress(tecla);
        return true;
    }
    if (objeto == visor->viewport()) {
        if (evento->type() == QEvent::MouseButtonDblClick) {
            visorDblClick();
            return true;
        }
        if (evento->type() == QEvent::MouseButtonRelease)
            visorClick();
    }
    return QWidget::eventFilter(objeto, evento);
}
