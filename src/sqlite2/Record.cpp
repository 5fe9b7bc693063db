// SPDX-License-Identifier: AGPL-3.0-or-later
// Row records of the SQLite 2.8 file format.
//
// The bytes handled here: a record of N fields opens with N+1 offsets, each
// 1, 2 or 3 bytes little-endian (1 when the record is under 256 bytes, 2 under
// 65536, else 3); offset k is where field k starts and offset N the record's
// size. A field is its text and a NUL, or nothing at all for NULL (equal
// consecutive offsets); an empty record is all NULLs. More in Record.h.
#include "sqlite2/Record.h"

#include <cstring>

#include "sqlite2/Error.h"

namespace varnolt::sqlite2 {

std::optional<std::string_view> RecordReader::field(std::size_t i) const {
    const std::size_t size = record_.size();
    if (size == 0) {
        return std::nullopt;
    }
    const std::size_t width = size < 256 ? 1 : size < 65536 ? 2 : 3;
    // Offsets i and i+1 must both lie inside the record.
    if (i >= size || (i + 2) * width > size) {
        ThrowCorrupt();
    }
    auto offsetAt = [&](std::size_t k) {
        const std::uint8_t* p = record_.data() + k * width;
        std::size_t v = p[0];
        if (width > 1) v |= std::size_t(p[1]) << 8;
        if (width > 2) v |= std::size_t(p[2]) << 16;
        return v;
    };
    std::size_t start = offsetAt(i);
    std::size_t end = offsetAt(i + 1);
    if (end < start || end > size) {
        ThrowCorrupt();
    }
    if (end == start) {
        return std::nullopt;
    }
    const char* text = reinterpret_cast<const char*>(record_.data()) + start;
    const void* nul = std::memchr(text, 0, end - start);
    std::size_t length = nul ? std::size_t(static_cast<const char*>(nul) - text) : end - start;
    return std::string_view(text, length);
}

}  // namespace varnolt::sqlite2
