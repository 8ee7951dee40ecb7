// The lower library reaching up: the include the layer check must refuse.
#include "baja/baja.h"

#include "alta/alta.h"

int Baja() {
    return Alta();
}
