#pragma once
// Shared by the users-file, login and users-editor tests: bytes written as hexadecimal and a
// company record enciphered by hand with the default key.
#include <string>
#include <vector>

// "AA 5C 00" -> the three bytes.
inline std::string Hex(const std::string &texto) {
    std::string r;
    int alto = -1;
    for (char c : texto) {
        int v = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (v < 0)
            continue;
        if (alto < 0) {
            alto = v;
        } else {
            r += static_cast<char>(alto * 16 + v);
            alto = -1;
        }
    }
    return r;
}

// "Velkatron SA" / "empresa1" / "1 Admin.  presencia y produccion" under the default key.
inline std::vector<std::string> LineasEmpresa() {
    return {Hex("AA A4 F5 17 8F FF 2F E0 E9 0B E1 C9"), Hex("48 DD 55 AB 62 48 9E 2A"),
            Hex("91 64 EF F8 42 4A 89 F4 43 F7 A5 F5 03 BA C0 A1 AE 2C E9 93 DD 42 22 BB 13 60 B4 A1 D3 10 "
                "B0 33")};
}

// A whole users file: the company record, then "Ottlago1b" / "clave123" / level 3 (enciphered
// bytes 0x5C, 0x00, 0x0A and 0x0D in the name), then "Ana Perez" / "abcd" / "2 Admin.  presencia".
inline std::vector<std::string> LineasEjemplo() {
    std::vector<std::string> l = LineasEmpresa();
    l.push_back(Hex("5C 5C E0 86 5C 30 64 BC 72 5C 6E 5C 72"));
    l.push_back(Hex("E8 69 5D 27 BA 1D 57 EE"));
    l.push_back(Hex("10 90 58 F9 11 40 D5 1D E7 C7 50 D3 B6 54 5C 30 A3 A8 AB 8E 14 EF 0B 82 6F A9 67 41 79 "
                    "C4 26 F0 FB"));
    l.push_back(Hex("52 FA 93 4C 55 BE 6F 5E 15"));
    l.push_back(Hex("EA 67 5F 35"));
    l.push_back(Hex("ED 0C 24 B9 4E D9 63 A4 44 01 D7 06 ED 94 45 CF B0 4E 04"));
    return l;
}

// The file's bytes: every line followed by CR LF.
inline std::string ArchivoDe(const std::vector<std::string> &lineas) {
    std::string r;
    for (const auto &l : lineas)
        r += l + "\r\n";
    return r;
}
