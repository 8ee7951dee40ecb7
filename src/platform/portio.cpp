#include "platform/portio.h"

namespace {
unsigned short baseUart = 0;
std::function<unsigned char()> estadoUart;
} // namespace

bool AbrePortTalk() {
    return true;
}

void RegistraUart(unsigned short base, std::function<unsigned char()> estadoLinea) {
    baseUart = base;
    estadoUart = std::move(estadoLinea);
}

unsigned char inportb(unsigned short puerto) {
    if (puerto == static_cast<unsigned short>(baseUart + 5))
        return estadoUart ? estadoUart() : 0x60;
    return 0xFF;
}
