#pragma once
// Settings in tests. A test sets them through AjustesPrueba(), the program's record, so that the
// program's own writers (CambiaConfiguracion) stay few and easy to find; a TRestauraAjustes puts
// back, at the end of its scope, the settings of its start.
#include "common/configuracion.h"

inline TConfiguracion &AjustesPrueba() {
    return CambiaConfiguracion();
}

class TRestauraAjustes {
public:
    TRestauraAjustes() : antes_(Configuracion()) {}
    ~TRestauraAjustes() { AjustesPrueba() = antes_; }
    TRestauraAjustes(const TRestauraAjustes &) = delete;
    TRestauraAjustes &operator=(const TRestauraAjustes &) = delete;

private:
    TConfiguracion antes_;
};
