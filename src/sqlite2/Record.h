// SPDX-License-Identifier: AGPL-3.0-or-later
// Row records of the SQLite 2.8 file format.
//
// The bytes handled here: the data of a table entry is a record of N fields.
// SQLite 2 stores every value as text. The record starts with N+1 offsets,
// each 1, 2 or 3 bytes wide, least significant byte first (whatever the
// file's byte order): offset k is where field k starts, counted from the start
// of the record, and offset N is the total size. The width follows from the
// size of the whole record: 1 byte below 256 bytes, 2 below 65536, else 3.
// After the offsets come the fields: a value is its text followed by a NUL; a
// NULL value takes no byte at all, so field k is NULL when offsets k and k+1
// are equal. A record of size 0 holds only NULLs.
//
// A table declared with an INTEGER PRIMARY KEY stores NULL in that column's
// field; readers substitute the rowid (done by the caller, see Schema.h).
//
// An offset outside the record, or an end before its start, is corruption.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace varnolt::sqlite2 {

class RecordReader {
public:
    explicit RecordReader(const std::vector<std::uint8_t>& record) : record_(record) {}
    // Field i as stored up to its NUL, or nullopt for NULL. Throws kCorrupt.
    std::optional<std::string_view> field(std::size_t i) const;

private:
    const std::vector<std::uint8_t>& record_;
};

}  // namespace varnolt::sqlite2
