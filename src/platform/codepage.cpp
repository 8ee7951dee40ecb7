#include "platform/codepage.h"

#include <QList>
#include <array>

namespace {

// Windows-1252 0x80..0x9F; undefined positions map to the C1 control of the same value.
constexpr char32_t kAnsi80[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// OEM 850 0x80..0xFF.
constexpr char32_t kOem80[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C,
    0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580, 0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6,
    0x00A7, 0x00F7, 0x00B8, 0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0};

struct Tablas {
    std::array<unsigned char, 256> aOem{};
    std::array<unsigned char, 256> aAnsi{};
    Tablas() {
        for (int i = 0; i < 256; ++i) {
            aOem[i] = i < 0x80 ? i : '?';
            aAnsi[i] = i < 0x80 ? i : '?';
        }
        for (int o = 0x80; o < 0x100; ++o) {
            int a = UnicodeAAnsi(kOem80[o - 0x80]);
            if (a >= 0x80) {
                aOem[a] = static_cast<unsigned char>(o);
                aAnsi[o] = static_cast<unsigned char>(a);
            }
        }
    }
};

const Tablas &tablas() {
    static const Tablas t;
    return t;
}

} // namespace

char32_t AnsiAUnicode(unsigned char c) {
    if (c >= 0x80 && c < 0xA0)
        return kAnsi80[c - 0x80];
    return c;
}

int UnicodeAAnsi(char32_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<int>(u);
    for (int i = 0; i < 32; ++i)
        if (kAnsi80[i] == u)
            return 0x80 + i;
    return -1;
}

QString aQ(const std::string &ansi) {
    QString r;
    AnadeAQ(r, ansi);
    return r;
}

void AnadeAQ(QString &texto, std::string_view ansi) {
    const qsizetype antes = texto.size();
    texto.resize(antes + static_cast<qsizetype>(ansi.size()));
    QChar *p = texto.data() + antes;
    for (unsigned char c : ansi)
        *p++ = QChar(static_cast<char16_t>(AnsiAUnicode(c)));
}

std::string deQ(const QString &texto) {
    std::string r;
    r.reserve(static_cast<size_t>(texto.size()));
    for (char32_t u : texto.toUcs4()) {
        int a = UnicodeAAnsi(u);
        r.push_back(a < 0 ? '?' : static_cast<char>(a));
    }
    return r;
}

void CharToOemBuf(char *buf, size_t n) {
    const auto &t = tablas();
    for (size_t i = 0; i < n; ++i)
        buf[i] = static_cast<char>(t.aOem[static_cast<unsigned char>(buf[i])]);
}

void OemToCharBuf(char *buf, size_t n) {
    const auto &t = tablas();
    for (size_t i = 0; i < n; ++i)
        buf[i] = static_cast<char>(t.aAnsi[static_cast<unsigned char>(buf[i])]);
}

std::string CharToOem(const std::string &ansi) {
    std::string r = ansi;
    CharToOemBuf(r.data(), r.size());
    return r;
}

std::string OemToChar(const std::string &oem) {
    std::string r = oem;
    OemToCharBuf(r.data(), r.size());
    return r;
}

std::string Ansi(const char *utf8) {
    return deQ(QString::fromUtf8(utf8));
}
