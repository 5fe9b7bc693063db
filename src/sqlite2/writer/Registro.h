// SPDX-License-Identifier: AGPL-3.0-or-later
// The key and the data of a table entry in the SQLite 2.8 file format.
//
// Key: the row id, a signed 32-bit integer, as 4 bytes that sort as the
// integers do under a plain byte comparison: big-endian, with the sign bit
// inverted (row id 9 is 80 00 00 09, row id -1 is 7F FF FF FF).
//
// Data: the row record. The 2.8 library keeps every value as text: a number
// is stored as its decimal text, every present value with a terminating zero
// byte. A record of N columns is N+1 offsets followed by the values one after
// another; offset i is where value i starts (counted from the start of the
// record) and offset N is the record's total size. An absent value (NULL)
// takes no byte, so its offset equals the next one; the empty text takes one
// byte (its zero). The offsets are 1 byte each when the record stays below
// 256 bytes with 1-byte offsets, 2 bytes when it stays below 65536 bytes
// with 2-byte offsets, otherwise 3 bytes, always least significant byte
// first. A column declared INTEGER PRIMARY KEY is the row id itself: the
// record stores NULL for it and the value lives in the key.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varnolt::sqlite2::escritura {

using Valor = std::optional<std::string>;  // bytes without a zero byte; nullopt is NULL

// The 4 key bytes of a row id.
std::array<unsigned char, 4> ClaveFila(std::int32_t rowid);

// Size in bytes of the record of these values, offsets included.
std::size_t TamRegistro(const std::vector<Valor>& valores);

// The record of these values. Values must not hold a zero byte.
std::string CodificarRegistro(const std::vector<Valor>& valores);

}  // namespace varnolt::sqlite2::escritura
