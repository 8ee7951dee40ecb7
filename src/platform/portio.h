#pragma once
// Port I/O of the UART registers. There is no port-I/O driver here: the line-status register of
// the UART registered at its base address is answered by the serial layer.
#include <functional>

// Opens the port-I/O access; always available here (true).
bool AbrePortTalk();
// The line-status register of the UART at base (base + 5) reads through estadoLinea; an empty
// function unregisters it.
void RegistraUart(unsigned short base, std::function<unsigned char()> estadoLinea);
// One byte from an I/O port. With no UART registered there, the line-status register reads as
// an empty transmitter (0x60); other ports read 0xFF.
unsigned char inportb(unsigned short puerto);
