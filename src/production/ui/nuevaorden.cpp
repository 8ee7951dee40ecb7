#include "production/ui/nuevaorden.h"

#include "common/configuracion.h"
#include "masterdata/organizacion.h"
#include "platform/codepage.h"
#include "platform/dialogos.h"
#include "platform/lineas.h"
#include "platform/numeros.h"
#include "platform/reloj.h"
#include "platform/ui/arbolwidget.h"
#include "platform/ui/controles.h"
#include "platform/ui/stringgridview.h"
#include "production/contadores.h"
#include "production/datosproduccion.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kIdParte = Qt::UserRole; // TV3: the identity of a part's node

std::string texto(const QTreeWidgetItem *item) {
    return item ? deQ(item->text(0)) : std::string();
}

std::vector<std::string> hijos(const QTreeWidgetItem *item) {
    std::vector<std::string> r;
    for (int i = 0; item && i < item->childCount(); ++i)
        r.push_back(texto(item->child(i)));
    return r;
}

QTreeWidgetItem *rama(QTreeWidget *tv, QTreeWidgetItem *padre, const std::string &raiz,
                      const std::vector<std::string> &ramas) {
    auto *item = padre ? new QTreeWidgetItem(padre) : new QTreeWidgetItem(tv);
    item->setText(0, aQ(raiz));
    for (const std::string &r : ramas)
        new QTreeWidgetItem(item, {aQ(r)});
    item->setExpanded(true);
    return item;
}

QPushButton *boton(QWidget *padre, const char *rotulo, const char *pista) {
    auto *b = new QPushButton(aQ(Ansi(rotulo)), padre);
    b->setToolTip(aQ(Ansi(pista)));
    b->setAutoDefault(false);
    return b;
}

} // namespace

void TPaginaNuevaOrden::CreaPaginaNuevaOrden(QWidget *pagina) {
    TV1 = new QTreeWidget(pagina);
    TV2 = new QTreeWidget(pagina);
    TV3 = new QTreeWidget(pagina);
    for (QTreeWidget *tv : {TV1, TV2, TV3}) {
        tv->setHeaderHidden(true);
        tv->setEditTriggers(QAbstractItemView::NoEditTriggers);
    }
    VistaSG1 = new TStringGridView(&Composicion.SG1, pagina);
    VistaSG1->SetEditable(true);
    VistaSG1->Modelo()->CeldaElegible = [this](int c, int r) { return Composicion.CeldaElegible(c, r); };
    Composicion.SG1.ColWidths = {70, 60, 110, 60, 160};
    VistaSG1->AplicaAnchos();
    LE1 = new QLineEdit(pagina);
    LE1->setMaxLength(4);
    Carpeta = new QLineEdit(pagina);
    LE2 = new QLineEdit(pagina);
    CB1 = new QComboBox(pagina);
    CB1->setEditable(true);
    CB1->setInsertPolicy(QComboBox::NoInsert);
    LFileObra = new TRotuloRecortado(pagina, Qt::ElideLeft);
    SpeedButton1 = boton(pagina, "Añadir", "Añadir orden de trabajo");
    SpeedButton2 = boton(pagina, "Eliminar", "Eliminar orden de trabajo");
    botonrec = boton(pagina, "Guardar", "Guardar orden");
    botonrec->setEnabled(false);

    auto *datos = new QGridLayout();
    const std::pair<std::string, QWidget *> campos[] = {
        {Ansi("Número de ") + Configuracion().RotuloObra, LE1},
        {Ansi("Número de ") + Configuracion().RotuloCarpeta, Carpeta},
        {Configuracion().RotuloDescripcion, LE2},
        {Configuracion().RotuloCliente, CB1}};
    int fila = 0;
    for (const auto &[rotulo, campo] : campos) {
        datos->addWidget(new QLabel(aQ(rotulo), pagina), fila, 0);
        datos->addWidget(campo, fila++, 1);
    }
    auto *botones = new QHBoxLayout();
    for (QPushButton *b : {SpeedButton1, SpeedButton2, botonrec})
        botones->addWidget(b);
    botones->addStretch();
    auto *arboles = new QHBoxLayout();
    for (QTreeWidget *tv : {TV1, TV2, TV3})
        arboles->addWidget(tv);
    auto *l = new QVBoxLayout(pagina);
    l->addLayout(arboles, 2);
    l->addLayout(botones);
    l->addLayout(datos);
    l->addWidget(LFileObra);
    l->addWidget(VistaSG1, 3);

    QObject::connect(TV1, &QTreeWidget::currentItemChanged, pagina, [this] { TV1Change(); });
    QObject::connect(TV1, &QTreeWidget::itemDoubleClicked, pagina, [this] { SpeedButton1Click(); });
    QObject::connect(TV3, &QTreeWidget::itemDoubleClicked, pagina, [this] { SpeedButton2Click(); });
    QObject::connect(SpeedButton1, &QPushButton::clicked, pagina, [this] { SpeedButton1Click(); });
    QObject::connect(SpeedButton2, &QPushButton::clicked, pagina, [this] { SpeedButton2Click(); });
    QObject::connect(botonrec, &QPushButton::clicked, pagina, [this] { botonrecClick(); });
    QObject::connect(Carpeta, &QLineEdit::textEdited, pagina, [this] { CarpetaChange(); });
    QObject::connect(LE1, &QLineEdit::textEdited, pagina, [this] {
        if (TV1->currentItem())
            TV1Change();
    });
    QObject::connect(VistaSG1, &TStringGridView::CellEdited, pagina, [this](int c, int r) {
        if (c == 1)
            Composicion.CarpetaEditada(r);
    });
}

void TPaginaNuevaOrden::CargaEsquemas() {
    if (!ExisteArchivo(RutaProduccionOrg()))
        return;
    if (!Composicion.Abierta()) {
        recargaEsquemas();
        if (Configuracion().ArchivoIni)
            Carpeta->setText(aQ(LeeNumeroDeCarpeta(*Configuracion().ArchivoIni)));
    }
    std::vector<std::string> clientes;
    std::string error;
    if (!LeeClientes(RutaClientes(), clientes, error)) {
        Dialogos::Error(error);
        return;
    }
    const QString actual = CB1->currentText();
    CB1->clear();
    for (const std::string &c : clientes)
        CB1->addItem(aQ(c));
    CB1->setCurrentText(actual);
}

void TPaginaNuevaOrden::recargaEsquemas() {
    std::vector<std::string> lineas;
    LeeLineas(RutaProduccionOrg(), lineas);
    const QSignalBlocker bloqueo(TV1);
    CargaArbol(TV1, lineas);
}

void TPaginaNuevaOrden::TV1Change() {
    TV2->clear();
    previa_ = Previa{};
    QTreeWidgetItem *item = TV1->currentItem();
    if (!item)
        return;
    const int nivel = NivelItem(item);
    if (nivel == 0 && TV3->topLevelItemCount() == 0)
        numera(item);
    else if (nivel == 1 && TV3->topLevelItemCount() > 0)
        previsualiza(item);
}

void TPaginaNuevaOrden::numera(QTreeWidgetItem *tipo) {
    std::vector<std::string> raices;
    for (int i = 0; i < TV1->topLevelItemCount(); ++i)
        raices.push_back(texto(TV1->topLevelItem(i)));
    std::string error;
    if (!NumeraOrden(texto(tipo), Hoy().year(), deQ(LE1->text()), Configuracion().DirProduccion,
                     DigitosSinNumero(raices), numeracion_, error)) {
        Dialogos::Error(error);
        return;
    }
    rama(TV2, nullptr, numeracion_.Archivo, {});
    if (numeracion_.SinNumeracion)
        componeSinNumeracion(tipo);
}

void TPaginaNuevaOrden::componeSinNumeracion(QTreeWidgetItem *tipo) {
    SpeedButton1Click();
    for (int i = 0; i < tipo->childCount(); ++i) {
        {
            const QSignalBlocker bloqueo(TV1);
            TV1->setCurrentItem(tipo->child(i));
        }
        TV1Change();
        SpeedButton1Click();
    }
    const QSignalBlocker bloqueo(TV1);
    TV1->clear();
    TV2->clear();
}

// AgregaTrabajoOrden: the part's next number in this order, else its counter; [Prov] follows.
void TPaginaNuevaOrden::previsualiza(QTreeWidgetItem *parte) {
    previa_.Nombre = texto(parte);
    previa_.Tareas = hijos(parte);
    const int siguiente = Composicion.SiguienteNumero(previa_.Nombre);
    if (siguiente != 0) {
        previa_.Numero = siguiente;
        if (Configuracion().ArchivoIni)
            FijaProvisional(*Configuracion().ArchivoIni, previa_.Nombre, siguiente);
    } else {
        previa_.Numero = Composicion.SinNumeracion || !Configuracion().ArchivoIni
                             ? 1
                             : ContadorPieza(*Configuracion().ArchivoIni, previa_.Nombre);
    }
    rama(TV2, nullptr, previa_.Nombre + "-" + std::to_string(previa_.Numero), previa_.Tareas);
}

void TPaginaNuevaOrden::SpeedButton1Click() {
    if (TV2->topLevelItemCount() > 0) {
        if (TV3->topLevelItemCount() == 0)
            anadeRaiz();
        else if (!previa_.Nombre.empty())
            anadeParte();
    }
    Composicion.SG1.SetCol(3);
    TV1Change();
}

void TPaginaNuevaOrden::anadeRaiz() {
    if (Configuracion().ArchivoIni)
        DescartaProvisionales(*Configuracion().ArchivoIni);
    Composicion.Inicia(numeracion_, Configuracion().DirProduccion);
    rama(TV3, nullptr, numeracion_.Archivo, {});
    TV2->clear();
    LFileObra->setText(aQ(Composicion.Ruta));
    LE1->setEnabled(false);
    dejaTipo("", TV1->currentItem());
}

void TPaginaNuevaOrden::anadeParte() {
    if (Composicion.SinNumeracion)
        Carpeta->setText("0");
    int id = 0;
    std::string error;
    const auto parte = previa_;
    if (!Composicion.AnadeParte(parte.Nombre, parte.Numero, parte.Tareas, deQ(Carpeta->text()), id, error)) {
        Dialogos::Error(error);
        return;
    }
    QTreeWidgetItem *item =
        rama(TV3, TV3->topLevelItem(0), parte.Nombre + "-" + std::to_string(parte.Numero), parte.Tareas);
    item->setData(0, kIdParte, id);
    botonrec->setEnabled(true);
    if (Composicion.SinNumeracion)
        Carpeta->setText(
            aQ(Configuracion().ArchivoIni ? LeeNumeroDeCarpeta(*Configuracion().ArchivoIni) : "1"));
    else
        Carpeta->setText(QString::number(Composicion.CarpetaLibre(LeeEntero(deQ(Carpeta->text())) + 1)));
}

void TPaginaNuevaOrden::CarpetaChange() {
    const int f = LeeEntero(deQ(Carpeta->text()));
    const int libre = Composicion.CarpetaLibre(f);
    if (libre != f)
        Carpeta->setText(QString::number(libre));
}

void TPaginaNuevaOrden::SpeedButton2Click() {
    QTreeWidgetItem *item = TV3->currentItem();
    if (item && NivelItem(item) == 0)
        descarta();
    else if (item && NivelItem(item) == 1 && !Composicion.SinNumeracion)
        eliminaParte(item);
    if (TV3->topLevelItemCount() == 0) {
        Composicion.Limpia();
        TV2->clear();
        recargaEsquemas();
    }
    if (Composicion.Filas() < 1)
        botonrec->setEnabled(false);
}

void TPaginaNuevaOrden::descarta() {
    TV3->clear();
    botonrec->setEnabled(false);
    if (Configuracion().ArchivoIni) {
        Carpeta->setText(aQ(LeeNumeroDeCarpeta(*Configuracion().ArchivoIni)));
        DescartaProvisionales(*Configuracion().ArchivoIni);
    }
    LE1->setEnabled(true);
    LE2->clear();
    CB1->setCurrentText("");
    LFileObra->clear();
}

void TPaginaNuevaOrden::eliminaParte(QTreeWidgetItem *item) {
    const TParteOrden *elegida = Composicion.Parte(item->data(0, kIdParte).toInt());
    if (!elegida)
        return;
    const std::string nombre = elegida->Nombre;
    const int id = Composicion.UltimaInstancia(nombre);
    std::string carpeta;
    if (!Composicion.EliminaParte(id, carpeta))
        return;
    if (!carpeta.empty())
        Carpeta->setText(aQ(carpeta));
    QTreeWidgetItem *raiz = TV3->topLevelItem(0);
    for (int i = 0; raiz && i < raiz->childCount(); ++i)
        if (raiz->child(i)->data(0, kIdParte).toInt() == id) {
            delete raiz->child(i);
            break;
        }
    if (Configuracion().ArchivoIni)
        FijaProvisional(*Configuracion().ArchivoIni, nombre, Composicion.SiguienteNumero(nombre));
    TV1Change();
}

// The client typed that the list lacks is offered for adding (the order is saved either way).
bool TPaginaNuevaOrden::compruebaCliente() {
    const QString cliente = CB1->currentText();
    if (cliente.isEmpty() || CB1->findText(cliente, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0)
        return true;
    if (!Dialogos::Pregunta(deQ(cliente) + Ansi("\r\nNo está en la lista.\r\n¿ Quiere añadirlo ahora ?"),
                            Configuracion().RotuloCliente))
        return true;
    CB1->addItem(cliente);
    CB1->setCurrentText(cliente);
    std::vector<std::string> clientes;
    for (int i = 0; i < CB1->count(); ++i)
        clientes.push_back(deQ(CB1->itemText(i)));
    if (GuardaLineas(RutaClientes(), clientes))
        return true;
    Dialogos::Error("No se puede guardar el archivo " + RutaClientes());
    return false;
}

bool TPaginaNuevaOrden::botonrecClick() {
    if (!Composicion.Abierta())
        return false;
    compruebaCliente();
    std::string error;
    if (!GuardaOrden(Composicion.Ruta, Composicion.Orden(deQ(LE2->text()), deQ(CB1->currentText())), error)) {
        Dialogos::Error(error);
        return false;
    }
    if (Configuracion().ArchivoIni && !ConfirmaContadores(*Configuracion().ArchivoIni, deQ(Carpeta->text())))
        Dialogos::Error(Ansi("No se pudieron guardar los contadores de producción en ") +
                        Configuracion().ArchivoIni->Ruta());
    descarta();
    SpeedButton2Click();
    OrdenGuardada();
    return true;
}

// Only the order type tipo (or the item elegido) stays among the roots of TV1.
void TPaginaNuevaOrden::dejaTipo(const std::string &tipo, const QTreeWidgetItem *elegido) {
    const QSignalBlocker bloqueo(TV1);
    for (int i = TV1->topLevelItemCount() - 1; i >= 0; --i) {
        const QTreeWidgetItem *raiz = TV1->topLevelItem(i);
        TTipoOrden t;
        std::string error;
        const bool queda =
            elegido ? raiz == elegido : LeeTipoOrden(texto(raiz), t, error) && t.Nombre == tipo;
        if (!queda)
            delete TV1->takeTopLevelItem(i);
    }
}

bool TPaginaNuevaOrden::Amplia(const StringGrid &porObra, const std::string &tipo, const std::string &ruta,
                               const TOrdenTrabajo &orden) {
    if (TV3->topLevelItemCount() > 0) {
        descarta();
        SpeedButton2Click();
    }
    const std::string numero = porObra.Celda(0, 1).substr(0, 4);
    LE1->setText(aQ(numero));
    if (LeeEntero(numero) == 0)
        return false;
    Composicion.Amplia(numero, ruta, porObra);
    rama(TV3, nullptr, tipo + numero, {});
    LE1->setEnabled(false);
    LE2->setText(aQ(orden.Descripcion));
    CB1->setCurrentText(aQ(orden.Cliente));
    TV2->clear();
    previa_ = Previa{};
    dejaTipo(tipo, nullptr);
    LFileObra->setText(aQ(Composicion.Ruta));
    botonrec->setEnabled(true);
    return true;
}
