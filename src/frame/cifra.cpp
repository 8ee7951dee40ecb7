#include "frame/cifra.h"

#include "common/configuracion.h"
#include "common/sesion.h"
#include "platform/codepage.h"
#include "platform/lineas.h"

#include <utility>

TRegistroUsuario UsuarioActual;

void IniciaCifra(TEstadoCifra &e) {
    for (int n = 0; n < 256; ++n)
        e.S[n] = static_cast<unsigned char>(n);
    e.Reserva = 0;
    for (unsigned char &k : e.K)
        k = 0;
    e.i = 0;
    e.j = 0;
    e.t = 0;
}

void PoneClaveCifra(TEstadoCifra &e, const std::string &clave) {
    for (size_t n = 0; n < clave.size() && n < 256 && clave[n] != '\0'; ++n)
        e.K[n] = static_cast<unsigned char>(clave[n]);
}

void MezclaClaveCifra(TEstadoCifra &e) {
    int j = 0;
    for (int i = 0; i < 255; ++i) {
        j = (j + e.S[i] + e.K[i]) & 0xFF;
        std::swap(e.S[i], e.S[j]);
    }
    e.i = 0;
    e.j = 0;
}

unsigned char SiguienteByteCifra(TEstadoCifra &e) {
    e.i = (e.i + 1) & 0xFF;
    e.j = (e.j + e.S[e.i]) & 0xFF;
    std::swap(e.S[e.i], e.S[e.j]);
    e.t = static_cast<unsigned char>(e.S[e.i] + e.S[e.j]);
    return e.t;
}

unsigned char CifraByte(TEstadoCifra &e, unsigned char dato) {
    return SiguienteByteCifra(e) ^ dato;
}

void PreparaCifra(TEstadoCifra &e, const std::string &clave) {
    IniciaCifra(e);
    PoneClaveCifra(e, clave);
    MezclaClaveCifra(e);
}

std::string EscapaCampo(const std::string &cifrado) {
    std::string r;
    r.reserve(cifrado.size() * 2);
    for (char c : cifrado) {
        switch (c) {
        case '\0':
            r += "\\0";
            break;
        case '\n':
            r += "\\n";
            break;
        case '\r':
            r += "\\r";
            break;
        case '\\':
            r += "\\\\";
            break;
        default:
            r += c;
        }
    }
    return r;
}

std::string DesescapaCampo(const std::string &linea) {
    std::string r;
    r.reserve(linea.size());
    for (size_t n = 0; n < linea.size(); ++n) {
        char c = linea[n];
        if (c == '\\') {
            if (++n >= linea.size())
                break;
            c = linea[n];
            if (c == '0')
                c = '\0';
            else if (c == 'n')
                c = '\n';
            else if (c == 'r')
                c = '\r';
        }
        r += c;
    }
    return r;
}

namespace {

std::string cifraCampo(TEstadoCifra &e, const std::string &texto) {
    std::string r = texto;
    for (char &c : r)
        c = static_cast<char>(CifraByte(e, static_cast<unsigned char>(c)));
    return r;
}

// Deciphers the whole field (the keystream runs over every byte); the text ends at a zero byte.
std::string descifraCampo(TEstadoCifra &e, const std::string &linea) {
    std::string r = cifraCampo(e, DesescapaCampo(linea));
    size_t cero = r.find('\0');
    if (cero != std::string::npos)
        r.resize(cero);
    return r;
}

} // namespace

std::vector<std::string> CifraRegistro(const std::string &clave, const TRegistroUsuario &r) {
    TEstadoCifra e;
    PreparaCifra(e, clave);
    std::vector<std::string> lineas;
    lineas.push_back(EscapaCampo(cifraCampo(e, r.Usuario)));
    lineas.push_back(EscapaCampo(cifraCampo(e, r.Clave)));
    lineas.push_back(EscapaCampo(cifraCampo(e, r.Nivel)));
    return lineas;
}

TRegistroUsuario DescifraRegistro(const std::string &clave, const std::string &l0, const std::string &l1,
                                  const std::string &l2) {
    TEstadoCifra e;
    PreparaCifra(e, clave);
    TRegistroUsuario r;
    r.Usuario = descifraCampo(e, l0);
    r.Clave = descifraCampo(e, l1);
    r.Nivel = descifraCampo(e, l2);
    return r;
}

UsuariosDescifrados DescifraLineas(const std::vector<std::string> &lineas) {
    UsuariosDescifrados d;
    d.Clave = ClaveCifraDefecto;
    for (size_t k = 0; k + 3 <= lineas.size(); k += 3) {
        TRegistroUsuario r = DescifraRegistro(k == 0 ? std::string(ClaveCifraDefecto) : d.Clave, lineas[k],
                                              lineas[k + 1], lineas[k + 2]);
        if (k == 0) {
            d.Empresa = r.Usuario;
            d.Clave = r.Usuario + ClaveCifraDefecto;
        }
        d.Lista.push_back(r.Usuario);
        d.Lista.push_back(r.Clave);
        d.Lista.push_back(r.Nivel);
    }
    if (d.Empresa.empty())
        d.Empresa = "Telmoria";
    return d;
}

bool CifraLineas(const std::vector<std::string> &lineasEmpresa, const std::vector<std::string> &lista,
                 const std::string &clave, std::vector<std::string> &lineas, std::string &error) {
    if (lineasEmpresa.size() < 3 || lista.size() < 3) {
        error = Ansi("El archivo de usuarios \"rondal.usr\" no tiene completo el registro de la empresa: "
                     "no se guardan los usuarios.");
        return false;
    }
    std::vector<std::string> r(lineasEmpresa.begin(), lineasEmpresa.begin() + 3);
    static const char *const kCampos[3] = {"Usuario", "Clave", "Nivel"};
    for (size_t k = 3; k < lista.size(); k += 3) {
        TRegistroUsuario u;
        u.Usuario = lista[k];
        u.Clave = k + 1 < lista.size() ? lista[k + 1] : std::string();
        u.Nivel = k + 2 < lista.size() ? lista[k + 2] : std::string();
        std::vector<std::string> l = CifraRegistro(clave, u);
        for (size_t f = 0; f < 3; ++f) {
            if (l[f].size() > MaxLineaCampo) {
                error =
                    "El campo \"" + std::string(kCampos[f]) + "\" del usuario \"" + u.Usuario +
                    Ansi("\" es demasiado largo para el archivo de usuarios. Acórtelo y vuelva a guardar.");
                return false;
            }
            r.push_back(std::move(l[f]));
        }
    }
    lineas = std::move(r);
    return true;
}

void DescifraUsuarios() {
    UsuariosDescifrados d = DescifraLineas(Sesion().LineasUsuarios);
    Sesion().ListaUsuarios = std::move(d.Lista);
    Sesion().NombreEmpresa = d.Empresa;
    Sesion().ClaveUsuarios = d.Clave;
    if (Sesion().ListaUsuarios.size() >= 3)
        UsuarioActual = {Sesion().ListaUsuarios[Sesion().ListaUsuarios.size() - 3],
                         Sesion().ListaUsuarios[Sesion().ListaUsuarios.size() - 2],
                         Sesion().ListaUsuarios.back()};
}

bool GuardaUsuarios(const std::vector<std::string> &lista, std::string &error) {
    std::vector<std::string> lineas;
    if (!CifraLineas(Sesion().LineasUsuarios, lista, Sesion().ClaveUsuarios, lineas, error))
        return false;
    Sesion().ListaUsuarios = lista;
    Sesion().LineasUsuarios = std::move(lineas);
    const std::string ruta = Configuracion().DirDatos + "rondal.usr";
    if (!GuardaLineas(ruta, Sesion().LineasUsuarios)) {
        error = "No se ha podido escribir el archivo de usuarios " + ruta + ".";
        return false;
    }
    return true;
}
