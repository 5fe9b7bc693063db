// SPDX-License-Identifier: AGPL-3.0-or-later
// Helpers shared by the tests of the SQLite 2.8 engine: the fixtures of
// tests/fixtures/arq (read only), a tiny JSON reader for expected/*.json,
// a Windows-1252 encoder for the texts of those dumps, a capture of what
// sqlite_exec hands its callback, and byte-level tools to make damaged or
// big-endian copies of a database image.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace sqlite2_test {

// ---- Fixtures -----------------------------------------------------------

std::string FixtureDir();                        // .../fixtures/arq
std::string FixturePath(const std::string& name);  // .../fixtures/arq/NAME
std::vector<std::uint8_t> ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
// A fresh empty folder under the system's temporary folder.
std::string MakeTempDir();

// ---- JSON -----------------------------------------------------------------

struct Json {
    using Array = std::vector<Json>;
    using Object = std::map<std::string, Json>;
    std::variant<std::nullptr_t, bool, double, std::string, Array, Object> value;

    bool isNull() const { return std::holds_alternative<std::nullptr_t>(value); }
    const std::string& str() const { return std::get<std::string>(value); }
    const Array& arr() const { return std::get<Array>(value); }
    const Object& obj() const { return std::get<Object>(value); }
    bool has(const std::string& key) const { return obj().count(key) != 0; }
    const Json& operator[](const std::string& key) const { return obj().at(key); }
};

// Parses a JSON text; throws std::runtime_error on bad input.
Json ParseJson(const std::string& text);

// UTF-8 to Windows-1252 bytes (the fixtures' texts are all representable).
std::string Utf8ToCp1252(const std::string& utf8);

// ---- Expected dumps -------------------------------------------------------

using Cell = std::optional<std::string>;

// What a query gave: an error text, or columns, types and rows.
struct Dump {
    std::string statement;
    std::optional<std::string> error;
    std::vector<std::string> columns;
    std::vector<Cell> types;
    std::vector<std::vector<Cell>> rows;
    bool emptyCall = false;  // the callback was called once with argv == null
    int calls = 0;
};

struct ExpectedCase {
    std::string file;   // "completo"
    std::string table;  // "Items_01"
    Dump dump;          // texts already in Windows-1252
};

// Every expected/NAME.TABLE.json, sorted by file name.
std::vector<ExpectedCase> LoadExpectedCases();

// ---- Callback capture -----------------------------------------------------

// A sqlite_exec callback that records into a Dump (the `void*` argument).
// With show_datatypes the types follow the names; pass `withTypes`.
int CaptureWithTypes(void* dump, int n, char** argv, char** names);
int CaptureNoTypes(void* dump, int n, char** argv, char** names);

// Compares two dumps field by field; returns an empty text when equal, else
// a description of the first difference.
std::string CompareDumps(const Dump& expected, const Dump& actual);

// ---- Byte-level tools -----------------------------------------------------

// Converts a little-endian SQLite 2.8 image to big-endian (or back): every
// integer of the b-tree layer in page 1, every b-tree (tables and indexes),
// overflow chains, free blocks and the free list. `roots` are the root pages
// of every b-tree besides page 2.
std::vector<std::uint8_t> SwapByteOrder(const std::vector<std::uint8_t>& image,
                                        const std::vector<std::uint32_t>& roots);

}  // namespace sqlite2_test
