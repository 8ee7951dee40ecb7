#pragma once
// Code pages: text inside the system is single-byte Windows-1252; terminals speak OEM 850.
#include <QString>
#include <string>
#include <string_view>

// Windows-1252 bytes to a QString for a widget, and back (unmappable characters become '?').
QString aQ(const std::string &ansi);
// The same appended to texto.
void AnadeAQ(QString &texto, std::string_view ansi);
std::string deQ(const QString &texto);

// Windows-1252 <-> Unicode code point of one byte / one character (-1 when unmappable).
char32_t AnsiAUnicode(unsigned char c);
int UnicodeAAnsi(char32_t u);

// OEM 850 <-> Windows-1252, byte by byte (characters with no equivalent become '?').
std::string CharToOem(const std::string &ansi);
std::string OemToChar(const std::string &oem);
void CharToOemBuf(char *buf, size_t n);
void OemToCharBuf(char *buf, size_t n);

// Converts a UTF-8 literal of the source code into Windows-1252 ("Página" -> "P\xE1gina").
std::string Ansi(const char *utf8);
