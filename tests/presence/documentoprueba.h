#pragma once
// A document that records every piece of text with the attributes it was written in.
#include "platform/informe.h"

#include <string>
#include <vector>

struct TrozoPrueba {
    std::string Texto;
    bool Negrita = false;
    bool Subrayado = false;
    QColor Color;
    int Tamano = 0;
};

class DocumentoPrueba : public TEscritorInforme {
public:
    std::vector<std::vector<TrozoPrueba>> Lineas;
    bool Cerrado = false;

    void Estilo(bool negrita, bool subrayado) override {
        negrita_ = negrita;
        subrayado_ = subrayado;
    }
    void Color(const QColor &color) override { color_ = color; }
    void Tamano(int puntos) override { tamano_ = puntos; }
    void Texto(const std::string &texto) override {
        actual_.push_back({texto, negrita_, subrayado_, color_, tamano_});
    }
    void FinLinea() override {
        if (actual_.empty())
            actual_.push_back({"", negrita_, subrayado_, color_, tamano_});
        Lineas.push_back(actual_);
        actual_.clear();
    }

    // Whole text of a line, and the attributes of its first piece.
    std::string Linea(size_t i) const {
        std::string s;
        for (const TrozoPrueba &t : Lineas.at(i))
            s += t.Texto;
        return s;
    }
    const TrozoPrueba &Atributos(size_t i) const { return Lineas.at(i).front(); }
    std::vector<std::string> Textos() const {
        std::vector<std::string> v;
        for (size_t i = 0; i < Lineas.size(); ++i)
            v.push_back(Linea(i));
        return v;
    }

private:
    bool negrita_ = false;
    bool subrayado_ = false;
    QColor color_ = ColorNegro;
    int tamano_ = 10;
    std::vector<TrozoPrueba> actual_;
};
