// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/Texto.h"

#include <array>
#include <cstdint>

namespace varnolt {
namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252.
constexpr std::array<char32_t, 32> kAltos = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AnadirUtf8(std::string& s, char32_t c) {
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 character at s[i]; advances i. Returns U+FFFD on bad input.
char32_t LeerUtf8(std::string_view s, size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int n = 0;
    char32_t c = 0;
    if ((b0 & 0xE0) == 0xC0) {
        n = 1;
        c = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        n = 2;
        c = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        n = 3;
        c = b0 & 0x07;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + n >= s.size()) {
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k <= n; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        c = (c << 6) | (b & 0x3F);
    }
    i += n + 1;
    return c;
}

int ACp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<int>(c);
    }
    for (size_t k = 0; k < kAltos.size(); ++k) {
        if (kAltos[k] == c) {
            return static_cast<int>(0x80 + k);
        }
    }
    return -1;
}

}  // namespace

std::string Cp1252AUtf8(std::string_view cp1252) {
    std::string s;
    s.reserve(cp1252.size() + cp1252.size() / 8);
    for (char ch : cp1252) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            s += ch;
        } else if (b < 0xA0) {
            AnadirUtf8(s, kAltos[b - 0x80]);
        } else {
            AnadirUtf8(s, b);
        }
    }
    return s;
}

bool EsAscii(std::string_view texto) {
    for (char ch : texto) {
        if (static_cast<unsigned char>(ch) >= 0x80) {
            return false;
        }
    }
    return true;
}

std::string Utf8ACp1252(std::string_view utf8, bool* perdido) {
    std::string s;
    s.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const char32_t c = LeerUtf8(utf8, i);
        const int b = ACp1252(c);
        if (b < 0) {
            s += '?';
            if (perdido != nullptr) {
                *perdido = true;
            }
        } else {
            s += static_cast<char>(b);
        }
    }
    return s;
}

std::string Mayusculas(std::string_view utf8) {
    std::string s;
    s.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const size_t inicio = i;
        char32_t c = LeerUtf8(utf8, i);
        if (c >= 'a' && c <= 'z') {
            c -= 32;
        } else if (c >= 0xE0 && c <= 0xFE && c != 0xF7) {
            c -= 32;
        } else {
            s.append(utf8.substr(inicio, i - inicio));
            continue;
        }
        AnadirUtf8(s, c);
    }
    return s;
}

bool IgualesSinMayusculas(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    if (EsAscii(a) && EsAscii(b)) {
        for (size_t i = 0; i < a.size(); ++i) {
            char x = a[i];
            char y = b[i];
            if (x >= 'a' && x <= 'z')
                x = static_cast<char>(x - 32);
            if (y >= 'a' && y <= 'z')
                y = static_cast<char>(y - 32);
            if (x != y) {
                return false;
            }
        }
        return true;
    }
    return Mayusculas(a) == Mayusculas(b);
}

}  // namespace varnolt
