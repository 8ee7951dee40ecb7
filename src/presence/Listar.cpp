#include "presence/peticionpresencia.h"

std::function<void(const PeticionPresencia &)> EjecutaListadoPresencia;
