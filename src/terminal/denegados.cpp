#include "terminal/denegados.h"

#include "common/registromin.h"
#include "platform/lineas.h"
#include "platform/numeros.h"
#include "terminal/listasusuarios.h"

#include <algorithm>

std::string ArchivoDenegados(unsigned terminal) {
    return Formato("denegados.%03u", terminal);
}

std::string EntradaDenegados(const std::string &codigo, const std::string &nombre) {
    return codigo + " " + TextoConRol(nombre, false);
}

bool TListaDenegados::Lee(const std::string &ruta) {
    const bool ok = LeeLineasSiExiste(ruta, lineas_);
    if (!ok)
        lineas_.clear();
    std::stable_sort(lineas_.begin(), lineas_.end(), MenorTexto);
    return ok;
}

bool TListaDenegados::Guarda(const std::string &ruta) const {
    return GuardaLineas(ruta, lineas_);
}

bool TListaDenegados::Contiene(const std::string &entrada) const {
    return std::find(lineas_.begin(), lineas_.end(), entrada) != lineas_.end();
}

bool TListaDenegados::Cambia(const std::vector<std::string> &entradas) {
    enum { Abierto, Anade, Quita } sentido = Abierto;
    for (const std::string &e : entradas) {
        const auto it = std::find(lineas_.begin(), lineas_.end(), e);
        if (it != lineas_.end() && sentido != Anade) {
            lineas_.erase(it);
            sentido = Quita;
        } else if (it == lineas_.end() && sentido != Quita) {
            lineas_.insert(std::upper_bound(lineas_.begin(), lineas_.end(), e, MenorTexto), e);
            sentido = Anade;
        }
    }
    return sentido != Abierto;
}

void TListaDenegados::Depura(const std::vector<std::string> &textos) {
    std::erase_if(lineas_, [&](const std::string &l) {
        return std::find(textos.begin(), textos.end(), l) == textos.end();
    });
}

std::vector<std::string> TListaDenegados::Tramas() const {
    std::vector<std::string> t{"qi\r"};
    unsigned char suma = 0;
    for (const std::string &l : lineas_) {
        t.push_back(ValorCodigo(l) + "\r\n");
        for (char c : t.back())
            suma ^= static_cast<unsigned char>(c);
    }
    suma ^= 0x04;
    t.push_back("\x04" + Formato("%02X", suma));
    return t;
}
