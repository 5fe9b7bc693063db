// SPDX-License-Identifier: AGPL-3.0-or-later
#include "agenda/LectorLineas.h"

#include <algorithm>
#include <cstring>

namespace varnolt {
namespace {

// The first CR or LF in [p, fin), or fin. Eight bytes at a time: a byte of
// x ^ c…c is zero exactly where x holds c.
const char* BuscarFinDeLinea(const char* p, const char* const fin) {
    constexpr std::uint64_t kUnos = 0x0101010101010101ULL;
    constexpr std::uint64_t kAltos = 0x8080808080808080ULL;
    auto ceros = [](std::uint64_t x) { return (x - kUnos) & ~x & kAltos; };
    while (fin - p >= 8) {
        std::uint64_t x;
        std::memcpy(&x, p, 8);
        const std::uint64_t m = ceros(x ^ (kUnos * '\n')) | ceros(x ^ (kUnos * '\r'));
        if (m != 0) {
            // The lowest flagged byte is exact; a borrow only flags above it.
            return p + __builtin_ctzll(m) / 8;
        }
        p += 8;
    }
    while (p < fin && *p != '\n' && *p != '\r') {
        ++p;
    }
    return p;
}

}  // namespace

size_t& BloqueLecturaAgendas() {
    static size_t bloque = kBloqueLectura;
    return bloque;
}

FuenteBytes FuenteTexto(std::string_view texto) {
    return [texto](char* destino, size_t n, std::uint64_t desde) -> size_t {
        if (desde >= texto.size()) {
            return 0;
        }
        const size_t k = std::min(n, texto.size() - static_cast<size_t>(desde));
        std::memcpy(destino, texto.data() + desde, k);
        return k;
    };
}

LectorLineas::LectorLineas(FuenteBytes fuente, size_t bloque)
    : fuente_(std::move(fuente)), buffer_(std::max<size_t>(bloque, 1)) {}

bool LectorLineas::Rellenar() {
    if (ini_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + ini_, fin_ - ini_);
        fin_ -= ini_;
        ini_ = 0;
    }
    if (fin_ == buffer_.size()) {
        buffer_.resize(buffer_.size() * 2);  // a line longer than a block
    }
    const size_t n = fuente_(buffer_.data() + fin_, buffer_.size() - fin_, posicion_);
    fin_ += n;
    posicion_ += n;
    final_ = n == 0;
    return n != 0;
}

bool LectorLineas::Siguiente(std::string_view& linea) {
    size_t visto = 0;  // bytes of the line already searched
    for (;;) {
        const char* const datos = buffer_.data();
        const char* const fin = datos + fin_;
        const char* const p = BuscarFinDeLinea(datos + ini_ + visto, fin);
        if (p != fin) {
            if (*p == '\r' && p + 1 == fin && !final_) {
                // An LF may follow in the next block.
                visto = static_cast<size_t>(p - datos) - ini_;
                Rellenar();
                continue;
            }
            linea = std::string_view(datos + ini_, static_cast<size_t>(p - datos) - ini_);
            ini_ = static_cast<size_t>(p - datos) + 1;
            if (*p == '\r' && ini_ < fin_ && datos[ini_] == '\n') {
                ++ini_;
            }
            return true;
        }
        visto = fin_ - ini_;
        if (final_ || !Rellenar()) {
            if (ini_ == fin_) {
                return false;
            }
            linea = std::string_view(buffer_.data() + ini_, fin_ - ini_);
            ini_ = fin_;
            return true;
        }
    }
}

std::uint64_t LectorLineas::Contar() {
    // Lines = LF bytes + CR bytes not followed by LF + an unended last line,
    // counted eight bytes at a time with exact byte masks (bit 7 of each
    // byte that matches).
    constexpr std::uint64_t kBajos = 0x7F7F7F7F7F7F7F7FULL;
    constexpr std::uint64_t kAltos = 0x8080808080808080ULL;
    constexpr std::uint64_t kUnos = 0x0101010101010101ULL;
    auto iguales = [](std::uint64_t x, char c) {
        x ^= kUnos * static_cast<unsigned char>(c);
        return ~(((x & kBajos) + kBajos) | x) & kAltos;
    };
    // The number of flagged bytes: the flags brought down to bit 0 of their
    // bytes and summed into the top byte (no popcount instruction needed).
    auto cuenta = [](std::uint64_t m) { return ((m >> 7) * kUnos) >> 56; };
    std::uint64_t lineas = 0;
    bool crAntes = false;  // the byte before was a CR
    char ultimo = '\n';
    std::uint64_t desde = 0;
    for (;;) {
        const size_t n = fuente_(buffer_.data(), buffer_.size(), desde);
        if (n == 0) {
            break;
        }
        const char* const b = buffer_.data();
        size_t i = 0;
        for (; i + 8 <= n; i += 8) {
            std::uint64_t x;
            std::memcpy(&x, b + i, 8);
            const std::uint64_t lf = iguales(x, '\n');
            const std::uint64_t cr = iguales(x, '\r');
            // A CR counts unless an LF follows it, in this word or the next.
            const std::uint64_t crSolo = cr & ~(lf >> 8);
            lineas += cuenta(lf) + cuenta(crSolo);
            if (crAntes && (lf & 0x80) != 0) {
                --lineas;  // counted as a lone CR in the word before
            }
            crAntes = (cr >> 63) != 0;
        }
        for (; i < n; ++i) {
            if (b[i] == '\n') {
                lineas += crAntes ? 0 : 1;
            } else if (b[i] == '\r') {
                ++lineas;
            }
            crAntes = b[i] == '\r';
        }
        ultimo = b[n - 1];
        desde += n;
    }
    ini_ = fin_ = 0;
    posicion_ = 0;
    final_ = false;
    const bool sinFin = ultimo != '\n' && ultimo != '\r';
    return lineas + (desde > 0 && sinFin ? 1 : 0);
}

}  // namespace varnolt
