#include "textfile/codifica.h"

#include <array>
#include <cstdint>
#include <stdexcept>

namespace scenario {

namespace {

// Code points of bytes 0x80..0x9F; 0 marks the five bytes the code page leaves unassigned.
constexpr std::array<char32_t, 32> alti = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t decodifica(std::string_view s, std::size_t& pos) {
    auto byte = [&](std::size_t n) { return static_cast<unsigned char>(s[n]); };
    unsigned char b = byte(pos);
    int seguono = b < 0x80           ? 0
                  : (b >> 5) == 0x6  ? 1
                  : (b >> 4) == 0xE  ? 2
                  : (b >> 3) == 0x1E ? 3
                                     : -1;
    if (seguono < 0 || pos + static_cast<std::size_t>(seguono) >= s.size()) {
        throw std::invalid_argument("UTF-8 non valido");
    }
    char32_t cp = seguono == 0 ? b : (b & (0x3F >> seguono));
    for (int n = 1; n <= seguono; ++n) {
        unsigned char c = byte(pos + static_cast<std::size_t>(n));
        if ((c & 0xC0) != 0x80) throw std::invalid_argument("UTF-8 non valido");
        cp = (cp << 6) | (c & 0x3F);
    }
    pos += static_cast<std::size_t>(seguono) + 1;
    return cp;
}

void codifica_utf8(char32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::string in_cp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp = decodifica(utf8, pos);
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
            continue;
        }
        std::size_t n = 0;
        while (n < alti.size() && (alti[n] == 0 || alti[n] != cp)) ++n;
        if (n == alti.size()) {
            throw std::invalid_argument("carattere U+" +
                                        std::to_string(static_cast<std::uint32_t>(cp)) +
                                        " assente dalla code page 1252");
        }
        out += static_cast<char>(0x80 + n);
    }
    return out;
}

std::string da_cp1252(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size());
    for (char ch : cp1252) {
        auto b = static_cast<unsigned char>(ch);
        char32_t cp = b;
        if (b >= 0x80 && b < 0xA0) cp = alti[b - 0x80] != 0 ? alti[b - 0x80] : 0xFFFD;
        codifica_utf8(cp, out);
    }
    return out;
}

}  // namespace scenario
