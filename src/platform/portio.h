#pragma once
// Port I/O of the UART registers. There is no port-I/O driver here: the serial layer answers
// the line-status register of the UART registered at its base address.
class TPuertoSerie;

// Opens the port-I/O access; always available here (true).
bool AbrePortTalk();
// The UART at base (its line-status register at base + 5) is the given port (nullptr: none).
void RegistraUart(unsigned short base, const TPuertoSerie *puerto);
// One byte from an I/O port. The line-status register of the registered UART comes from the
// serial layer; with no UART there it reads as an empty transmitter (0x60); other ports 0xFF.
unsigned char inportb(unsigned short puerto);
