// The control panel's side of the lists page: loading user lists and denied lists into the
// terminals over their links.
#include "common/configuracion.h"
#include "masterdata/terminales.h"
#include "masterdata/ui/terminalesorg.h"
#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/lineas.h"
#include "platform/numeros.h"
#include "terminal/cambiocodigo.h"
#include "terminal/enlace.h"
#include "terminal/listasusuarios.h"
#include "terminal/ui/camcod.h"
#include "terminal/ui/panel.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <memory>

namespace {

// The link of one row of the terminal tables.
class TCanalFila : public TCanalEnvio {
public:
    TCanalFila(TEnlaces &enlaces, int fila) : enlaces_(enlaces), fila_(fila) {}
    void Envia(const char *datos, int n) override { enlaces_.EnviaAFila(fila_, datos, n); }
    void EnviaDireccionRadio() override { enlaces_.EnviaDireccionRadioFila(fila_); }
    QByteArray TomaRecibido() override { return enlaces_.TomaRecibido(fila_); }
    void Purga() override { enlaces_.TomaRecibido(fila_); }

private:
    TEnlaces &enlaces_;
    int fila_;
};

bool hayTerminales() {
    return FormTerminales && ExisteArchivo(Configuracion().DirDatos + "terminales.dat");
}

// The records of an open list file, which is closed.
std::vector<TRegistroMin> leeYCierra(std::FILE *f) {
    std::vector<TRegistroMin> registros;
    unsigned char b[TRegistroMin::Tamano];
    while (std::fread(b, 1, sizeof b, f) == sizeof b) {
        TRegistroMin r;
        std::copy(b, b + sizeof b, r.Bytes.begin());
        registros.push_back(r);
    }
    std::fclose(f);
    return registros;
}

} // namespace

bool TerminalActualizado(int fila) {
    return hayTerminales() && !FormTerminales->SGTerminales.Celda(ColDenegados, fila).empty();
}

void TFormVelka::conectaListas() {
    Envio.Traza = [this](const std::string &t) { MuestraTraza(t); };
    Envio.Terminado = [this](TEnvioLista::Clase clase) { finEnvioLista(clase); };
    Enlaces.Entorno.RespuestaDenegados = [this](bool ack) { respuestaDenegados(ack); };
    Enlaces.Entorno.ListaRecibida = [this](const std::string &nombre) {
        // The list being uploaded is the one SG1 shows from now on.
        Edit1->setText(aQ(nombre));
        NombreListaSG1 = nombre;
        ListaSG1 = RutaListaHuellas(nombre);
        SG1.SetRowCount(1);
    };
}

void TFormVelka::Cambiarcdigo1Click() {
    const int fila = SG1.Row();
    const std::string celda = fila >= 1 && fila < SG1.RowCount() ? SG1.Celda(1, fila) : "";
    std::unique_ptr<TFormCamCod> propio;
    TFormCamCod *dialogo = FormCamCod;
    if (!dialogo) {
        propio = std::make_unique<TFormCamCod>(this);
        dialogo = propio.get();
    }
    std::string antiguo, nuevo, viejo, valor;
    if (!dialogo->Pide(ValorCodigo(celda) != "0" ? celda : "", antiguo, nuevo) ||
        !CodigoValido(antiguo, viejo) || !CodigoValido(nuevo, valor))
        return;
    std::string error;
    if (!CambiaCodigo(RutaListaHuellas(deQ(Edit1->text())), Configuracion().RutaHistorico, viejo, valor,
                      error)) {
        Dialogos::Error(error);
        return;
    }
    CargaArchivoHuellas();
    if (ExisteArchivo(Configuracion().RutaHistorico) && BReconsClick())
        BRecons->hide();
    EDBusca->setText(aQ(valor));
    BListarClick();
}

bool TFormVelka::ocupado() const {
    return Envio.Activo() || subida_ || hora_;
}

void TFormVelka::seleccionaListas(int fila) {
    const TEnlaces &e = Enlaces;
    const std::string &texto = e.TextosTerminales[static_cast<size_t>(fila - 1)];
    const size_t blanco = texto.size() > 3 ? texto.find(' ', 3) : std::string::npos;
    EDDir->setText(aQ(texto.substr(0, blanco)));
    EDPuerta->setText(aQ(blanco == std::string::npos ? std::string() : texto.substr(blanco + 1)));
    CargaDenegados(e.TerminalActual);
    if (!hayTerminales())
        return;
    const StringGrid &g = FormTerminales->SGTerminales;
    for (int r = 1; r < g.RowCount() && r <= e.NumTerminales; ++r) {
        if (e.TablaNumTerminal[r] != e.TerminalActual)
            continue;
        Edit1->setText(aQ(g.Celda(ColPermitidos, r)));
        CargaArchivoHuellas();
        if (g.Celda(ColDenegados, r) == NombreDenegados)
            BitBtn7->setEnabled(false);
    }
}

void TFormVelka::BitBtn1Click() {
    TEnlaces &e = Enlaces;
    std::vector<TRegistroMin> registros;
    if (ocupado() || e.FilaActual < 1 || !LeeListaMin(ListaSG1, registros))
        return;
    terminalEnvio_ = e.TerminalActual;
    listaEnvio_ = NombreListaSG1;
    PageControl1->setCurrentWidget(TSComunicaciones);
    e.EnviaDireccionRadioFila(e.FilaActual);
    LineaConsola.clear();
    for (char c : std::string("borra lista\r"))
        visorKeyPress(c);
    Envio.Inicia(TEnvioLista::Clase::Todo, std::make_unique<TCanalFila>(e, e.FilaActual), e.TerminalActual,
                 std::move(registros));
    ajustaTimers();
}

void TFormVelka::BitBtn8Click() {
    TEnlaces &e = Enlaces;
    std::vector<TRegistroMin> registros;
    const auto [primera, ultima] = SeleccionSG1();
    if (ocupado() || e.FilaActual < 1 || primera < 1 || !LeeListaMin(ListaSG1, registros))
        return;
    const size_t desde = std::min(registros.size(), static_cast<size_t>(primera - 1));
    const size_t hasta = std::min(registros.size(), static_cast<size_t>(ultima));
    terminalEnvio_ = e.TerminalActual;
    listaEnvio_ = NombreListaSG1;
    PageControl1->setCurrentWidget(TSComunicaciones);
    Envio.Inicia(TEnvioLista::Clase::Seleccion, std::make_unique<TCanalFila>(e, e.FilaActual),
                 e.TerminalActual,
                 std::vector<TRegistroMin>(registros.begin() + desde, registros.begin() + hasta));
    ajustaTimers();
}

void TFormVelka::pasoListas() {
    TEntornoRecepcion &r = Enlaces.Entorno;
    if (r.ModoSondeo == 1 && r.ArchivoListaRam) {
        if (Envio.Activo()) { // a load in course keeps the link: the request goes unanswered
            std::fclose(r.ArchivoListaRam);
            r.ArchivoListaRam = nullptr;
            if (Envio.Borrando())
                r.ModoSondeo = 0;
        } else {
            iniciaEnvioRam();
        }
    }
    if (Envio.Activo())
        Envio.Paso();
    else
        r.ModoSondeo = 0;
    if (!Envio.Activo() && horaPendiente_) {
        horaPendiente_ = false;
        PoneHoraTerminales();
    }
}

void TFormVelka::iniciaEnvioRam() {
    TEntornoRecepcion &r = Enlaces.Entorno;
    std::vector<TRegistroMin> registros = leeYCierra(r.ArchivoListaRam);
    r.ArchivoListaRam = nullptr;
    const unsigned numero = static_cast<unsigned>(LeeHex(std::string(r.CabeceraListaRam + 1, 2)));
    const int fila = Enlaces.FilaDeEnlace(r.EnlaceListaRam, numero);
    if (fila < 1) {
        r.ModoSondeo = 0;
        return;
    }
    Envio.Inicia(TEnvioLista::Clase::Ram, std::make_unique<TCanalFila>(Enlaces, fila), numero,
                 std::move(registros));
}

void TFormVelka::finEnvioLista(TEnvioLista::Clase clase) {
    // A RAM load is the terminal's own business: what it holds in FLASH is unchanged.
    if (clase == TEnvioLista::Clase::Ram || !hayTerminales())
        return;
    fijaCeldaTerminales(ColPermitidos, terminalEnvio_, listaEnvio_);
    fijaCeldaTerminales(ColDenegados, terminalEnvio_, "");
    BitBtn7->setEnabled(true);
    // Saved without rebuilding the links: the end of the list may still be on its way.
    if (!GuardaTerminales(RutaTerminales(), FormTerminales->SGTerminales))
        MuestraTraza(CharToOem("ERROR: no se puede guardar " + RutaTerminales()) + "\r\n");
}

void TFormVelka::fijaCeldaTerminales(int col, unsigned numero, const std::string &valor) {
    if (!hayTerminales())
        return;
    StringGrid &g = FormTerminales->SGTerminales;
    for (int r = 1; r < g.RowCount() && r <= Enlaces.NumTerminales; ++r)
        if (Enlaces.TablaNumTerminal[r] == numero)
            g.Cells[col][r] = valor;
    CLBTerminales->viewport()->update();
}

void TFormVelka::DenegadosCambiados() {
    fijaCeldaTerminales(ColDenegados, Enlaces.TerminalActual, "");
}

void TFormVelka::BitBtn7Click() {
    TEnlaces &e = Enlaces;
    if (ocupado() || e.FilaActual < 1)
        return;
    std::vector<std::string> textos;
    for (int r = 1; r < SG1.RowCount(); ++r)
        textos.push_back(SG1.Celda(1, r) + " " + SG1.Celda(2, r));
    Denegados.Depura(textos);
    Denegados.Guarda(NombreDenegados);
    MuestraDenegados();
    PageControl1->setCurrentWidget(TSComunicaciones);
    const int fila = e.FilaActual;
    const unsigned numero = e.TablaNumTerminal[fila];
    e.EnviaDireccionRadioFila(fila);
    const std::string cabecera = "\x05" + Formato("%02X", numero & 0xFF);
    e.EnviaAFila(fila, cabecera.data(), 3);
    MuestraTraza("Enviando lista de denegados\r\n");
    const std::vector<std::string> tramas = Denegados.Tramas();
    for (const std::string &t : tramas) {
        if (&t != &tramas.front())
            MuestraTraza(t);
        e.EnviaAFila(fila, t.data(), static_cast<int>(t.size()));
    }
    terminalDenegados_ = numero;
    denegadosEnviados_ = NombreDenegados;
    e.RecepcionDeFila(fila).EsperaRespuestaDenegados(numero);
    ajustaTimers();
}

void TFormVelka::respuestaDenegados(bool ack) {
    BitBtn7->setEnabled(!ack);
    if (ack)
        fijaCeldaTerminales(ColDenegados, terminalDenegados_, denegadosEnviados_);
}
