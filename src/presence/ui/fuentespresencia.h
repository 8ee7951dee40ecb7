#pragma once
// The presence run as the program runs it: master data from the windows' grids, clockings from
// the control panel's listing and pair reader, reports in document windows, the incidence
// editor shown modally.
#include "platform/informe.h"
#include "presence/informepresencia.h"

class StringGrid;

// Pairs of the control panel's clockings grid, read with the panel's pair reader.
class TLectorRejilla : public TLectorPares {
public:
    explicit TLectorRejilla(const StringGrid *grid) : grid_(grid) {}
    int Filas() const override;
    TRegistroPresencia Lee(const QDate &dia, int fila, unsigned char modo, TContadoresIncidencia &c) override;

private:
    const StringGrid *grid_;
};

// A presence report written into a TInformeRTF.
class TDocumentoRTF : public TDocumentoPresencia {
public:
    TDocumentoRTF(const std::string &titulo, const std::string &archivo);
    void Estilo(bool negrita, bool subrayado) override;
    void Color(const QColor &color) override;
    void Tamano(int puntos) override;
    void Texto(const std::string &texto) override;
    void FinLinea() override;

    TInformeRTF Informe;

private:
    TAtributos atributos_;
};

// "Listar" of the presence selection window: the whole run.
void ImprimePre1Execute(const PeticionPresencia &p);
// Makes "Listar" run the presence listing.
void RegistraListadoPresencia();
