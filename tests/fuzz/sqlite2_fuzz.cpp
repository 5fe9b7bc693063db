// SPDX-License-Identifier: AGPL-3.0-or-later
// libFuzzer target for the read-only SQLite 2.8 engine: the input is a whole
// database image, opened in memory; every table is read through exec with the
// program's pragmas and statement ("select *, rowid from T" plus a line feed).
// Seeded from the fixtures in tests/fixtures/arq. Any failure must be an
// error text: crashes, hangs, leaks and sanitizer findings are bugs.
#include <cstddef>
#include <cstdint>
#include <string>

#include "sqlite2/Engine.h"

using varnolt::sqlite2::Database;
using varnolt::sqlite2::EngineError;

namespace {

// Touches every value the callback receives, so that sanitizers check them.
int Consume(void* arg, int n, char** argv, char** names) {
    std::size_t& total = *static_cast<std::size_t*>(arg);
    for (int i = 0; i < 2 * n; ++i) {
        if (names[i]) total += std::char_traits<char>::length(names[i]);
    }
    if (argv) {
        for (int i = 0; i < n; ++i) {
            if (argv[i]) total += std::char_traits<char>::length(argv[i]);
        }
    }
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The completeness test and the tokenizer on the raw bytes as SQL text.
    std::string text(reinterpret_cast<const char*>(data), size < 512 ? size : 512);
    varnolt::sqlite2::IsComplete(text.c_str());

    std::unique_ptr<Database> db;
    try {
        db = Database::OpenMemory(data, size);
    } catch (const EngineError&) {
        return 0;
    }
    std::size_t total = 0;
    // The C++ reading API on the schema table; the tables go through exec.
    try {
        total += db->readTable("sqlite_master").rows.size();
    } catch (const EngineError&) {
    }
    db->exec("PRAGMA show_datatypes = ON; PRAGMA empty_result_callbacks = ON;", Consume, &total);
    db->exec("select *, rowid from sqlite_master\n", Consume, &total);
    for (const std::string& name : db->tableNames()) {
        db->exec("select *, rowid from \"" + name + "\"\n", Consume, &total);
    }
    db->exec(text, Consume, &total);
    return 0;
}
