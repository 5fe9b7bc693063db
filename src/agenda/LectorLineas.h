// SPDX-License-Identifier: AGPL-3.0-or-later
// The lines of an agenda, read block by block through one reused buffer.
//
// A line ends at CR, LF or the pair CR LF; a break after the last line makes
// no empty line. Only the current block (and the line that straddles two
// blocks) is held, never the whole file, and nothing is kept per line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace varnolt {

// Bytes of a text from a position: reads at most `n` bytes at `desde` into
// `destino` and returns how many, 0 at the end. Throws on a read error.
using FuenteBytes = std::function<size_t(char* destino, size_t n, std::uint64_t desde)>;

// A source over a text in memory (the view must outlive the source).
FuenteBytes FuenteTexto(std::string_view texto);

inline constexpr size_t kBloqueLectura = size_t{1} << 18;

// The block size the loader reads agendas with (kBloqueLectura; tests make
// it small so that line ends fall on block edges).
size_t& BloqueLecturaAgendas();

class LectorLineas {
  public:
    explicit LectorLineas(FuenteBytes fuente, size_t bloque = kBloqueLectura);

    // The next line, valid until the next call; false when none is left.
    bool Siguiente(std::string_view& linea);

    // The number of lines of the whole text by the same rules, read ahead
    // without keeping it; the next Siguiente starts again at the first line.
    std::uint64_t Contar();

  private:
    // Keeps the unread bytes, reads more after them; false at the end.
    bool Rellenar();

    FuenteBytes fuente_;
    std::vector<char> buffer_;
    size_t ini_ = 0;              // first unread byte of buffer_
    size_t fin_ = 0;              // end of the bytes read into buffer_
    std::uint64_t posicion_ = 0;  // where the next read starts in the text
    bool final_ = false;
};

}  // namespace varnolt
