// SPDX-License-Identifier: AGPL-3.0-or-later
// Writes the key and the record of a table entry; the byte layout is told in
// Registro.h: a 4-byte big-endian row id with its sign bit inverted, and a
// record of N+1 little-endian offsets of 1, 2 or 3 bytes followed by the
// zero-terminated texts of the non-NULL values.
#include "sqlite2/writer/Registro.h"

namespace varnolt::sqlite2::escritura {
namespace {

// Bytes of the values alone and the width of one offset.
struct Medida {
    std::size_t datos = 0;
    std::size_t ancho = 1;
};

Medida Medir(const std::vector<Valor>& valores) {
    Medida m;
    for (const Valor& v : valores) {
        if (v) {
            m.datos += v->size() + 1;
        }
    }
    const std::size_t n = valores.size();
    if (m.datos + n + 1 < 256) {
        m.ancho = 1;
    } else if (m.datos + 2 * n + 2 < 65536) {
        m.ancho = 2;
    } else {
        m.ancho = 3;
    }
    return m;
}

void PonerDesplazamiento(std::string& s, std::size_t valor, std::size_t ancho) {
    for (std::size_t k = 0; k < ancho; ++k) {
        s += static_cast<char>((valor >> (8 * k)) & 0xFF);
    }
}

}  // namespace

std::array<unsigned char, 4> ClaveFila(std::int32_t rowid) {
    const auto u = static_cast<std::uint32_t>(rowid) ^ 0x80000000u;
    return {static_cast<unsigned char>(u >> 24), static_cast<unsigned char>((u >> 16) & 0xFF),
            static_cast<unsigned char>((u >> 8) & 0xFF), static_cast<unsigned char>(u & 0xFF)};
}

std::size_t TamRegistro(const std::vector<Valor>& valores) {
    const Medida m = Medir(valores);
    return m.datos + m.ancho * (valores.size() + 1);
}

std::string CodificarRegistro(const std::vector<Valor>& valores) {
    const Medida m = Medir(valores);
    std::string r;
    r.reserve(m.datos + m.ancho * (valores.size() + 1));
    std::size_t pos = m.ancho * (valores.size() + 1);
    for (const Valor& v : valores) {
        PonerDesplazamiento(r, pos, m.ancho);
        if (v) {
            pos += v->size() + 1;
        }
    }
    PonerDesplazamiento(r, pos, m.ancho);
    for (const Valor& v : valores) {
        if (v) {
            r += *v;
            r += '\0';
        }
    }
    return r;
}

}  // namespace varnolt::sqlite2::escritura
