#include "platform/portio.h"

#include "platform/puertoserie.h"

namespace {
unsigned short baseUart = 0;
const TPuertoSerie *uart = nullptr;
} // namespace

bool AbrePortTalk() {
    return true;
}

void RegistraUart(unsigned short base, const TPuertoSerie *puerto) {
    baseUart = base;
    uart = puerto;
}

unsigned char inportb(unsigned short puerto) {
    if (puerto == static_cast<unsigned short>(baseUart + 5))
        return uart ? uart->EstadoLinea() : 0x60;
    return 0xFF;
}
