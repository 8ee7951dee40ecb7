#include "presence/ui/fuentespresencia.h"

#include "common/configuracion.h"
#include "common/globales.h"
#include "masterdata/ui/empleadosorg.h"
#include "masterdata/ui/horariosorg.h"
#include "masterdata/ui/incidenciasorg.h"
#include "platform/codepage.h"
#include "platform/reloj.h"
#include "platform/ui/ventanas.h"
#include "terminal/entradasalida.h"
#include "terminal/listadofichajes.h"
#include "terminal/ui/panel.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <memory>

int TLectorRejilla::Filas() const {
    return grid_ ? grid_->RowCount() : 1;
}

TRegistroPresencia TLectorRejilla::Lee(const QDate &dia, int fila, unsigned char modo,
                                       TContadoresIncidencia &c) {
    TRegistroPresencia r;
    r.SiguienteFila = fila;
    if (!grid_)
        return r;
    ModoLecturaFichajes = modo;
    return BuscaEntradaSalida(*grid_, {dia, fila, modo}, [&c](int codigo) {
        if (codigo >= 1 && codigo <= 255)
            ++c[static_cast<size_t>(codigo)];
    });
}

TDocumentoRTF::TDocumentoRTF(const std::string &titulo, const std::string &archivo) : Informe(titulo, 0) {
    Informe.FijaNombreArchivo(archivo);
}

void TDocumentoRTF::Estilo(bool negrita, bool subrayado) {
    atributos_.negrita = negrita;
    atributos_.subrayado = subrayado;
    Informe.Atributos(atributos_);
}

void TDocumentoRTF::Color(const QColor &color) {
    atributos_.color = color;
    Informe.Atributos(atributos_);
}

void TDocumentoRTF::Tamano(int puntos) {
    atributos_.puntos = puntos;
    Informe.Atributos(atributos_);
}

void TDocumentoRTF::Texto(const std::string &texto) {
    Informe.Texto(texto);
}
void TDocumentoRTF::FinLinea() {
    Informe.Linea("");
}

namespace {

class TServiciosVentanas : public TServiciosPresencia {
public:
    TLectorPares &ListaFichajes(const std::string &busca) override {
        if (!FormVelka) {
            lector_ = std::make_unique<TLectorRejilla>(nullptr);
            return *lector_;
        }
        if (!preparado_) {
            if (FormVelka->RadioButton2)
                FormVelka->RadioButton2->setChecked(true);
            if (FormVelka->RadioButton3)
                FormVelka->RadioButton3->setChecked(true);
            if (FormVelka->PageControl1)
                FormVelka->PageControl1->setCurrentIndex(0);
            preparado_ = true;
        }
        if (FormVelka->EDBusca)
            FormVelka->EDBusca->setText(aQ(busca));
        LecturaExterna = 1;
        FormVelka->BListarClick();
        LecturaExterna = 0;
        lector_ = std::make_unique<TLectorRejilla>(&FormVelka->SGFichajes);
        return *lector_;
    }
    void EditaIncidencias(const QDate &dia) override {
        FechaFichaje = QDateTime(dia, QTime(0, 0));
        MuestraModal("FormEditaIncidencias");
    }
    TDocumentoPresencia *NuevoDocumento(const std::string &titulo, const std::string &archivo) override {
        documentos_.push_back(std::make_unique<TDocumentoRTF>(titulo, archivo));
        return documentos_.back().get();
    }
    void TerminaDocumento(TDocumentoPresencia *d, bool mostrar) override {
        for (auto it = documentos_.begin(); it != documentos_.end(); ++it)
            if (it->get() == d) {
                if (mostrar)
                    (*it)->Informe.Muestra();
                documentos_.erase(it);
                return;
            }
    }
    void AbreDocumento(const std::string &ruta) override {
        Espera(1000);
        if (Ganchos::AbreDocumento)
            Ganchos::AbreDocumento(ruta);
    }

private:
    std::unique_ptr<TLectorRejilla> lector_;
    std::vector<std::unique_ptr<TDocumentoRTF>> documentos_;
    bool preparado_ = false;
};

} // namespace

void ImprimePre1Execute(const PeticionPresencia &p) {
    TEntradaPresencia in;
    in.Peticion = p;
    if (FormHorarios) {
        in.Maestros.Tipos = TiposHoraDeRejilla(FormHorarios->SG3);
        in.Maestros.Horarios = HorariosDeRejilla(FormHorarios->SG1);
    }
    in.Empleados = FormEmpleados ? &FormEmpleados->SG1 : nullptr;
    in.TiposIncidencia = FormCIncidencias ? &FormCIncidencias->SG1 : nullptr;
    in.Opciones.MinutosRedondeoExtras = Configuracion().MinutosRedondeoExtras;
    in.Opciones.MinutosExtraGratis = Configuracion().MinutosExtraGratis;
    TServiciosVentanas s;
    EjecutaPresencia(in, s);
}

void RegistraListadoPresencia() {
    EjecutaListadoPresencia = ImprimePre1Execute;
}
