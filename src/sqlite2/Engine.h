// SPDX-License-Identifier: AGPL-3.0-or-later
// Read-only engine for SQLite 2.8 database files: the C++ interface.
//
// Opens a file of the SQLite 2.8 format (either byte order), reads its schema,
// and reads tables row by row; it never writes to the file and never creates
// one. The C API of libsqlite.so.0 (sqlite.h) is a thin layer over this class;
// tests, the fuzzer and tools link the static library sqlite2_engine and use
// it directly.
//
//     auto db = varnolt::sqlite2::Database::Open("completo.arq");
//     for (const std::string& name : db->tableNames()) { ... }
//     varnolt::sqlite2::TableContents t = db->readTable("Items_01");
//     // t.columnNames = {"Id", "Clave", "Texto", "rowid"}, t.rows[i][j] ...
//
// Every failure is an EngineError (Error.h) with the SQLite result code and the
// genuine library's text, e.g. "no such table: Nope" or "database disk image is
// malformed". Texts are handed over exactly as stored (8-bit, no conversion).
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sqlite2/Error.h"
#include "sqlite2/Schema.h"
#include "sqlite2/Statement.h"

namespace varnolt::sqlite2 {

class Pager;

// A value as stored: a text, or nullopt for NULL.
using Value = std::optional<std::string>;

// What "select *, rowid from T" gives.
struct TableContents {
    std::vector<std::string> columnNames;                 // declared columns, then "rowid"
    std::vector<std::optional<std::string>> columnTypes;  // as PRAGMA show_datatypes reports them
    std::vector<std::vector<Value>> rows;                 // in rowid order, rowid last
};

// The outcome of exec: kOk, or an error code and its text.
struct ExecStatus {
    int code = kOk;
    std::string message;
    bool ok() const { return code == kOk; }
};

class Database {
public:
    // The callback of sqlite_exec: (argument, column count, values or null,
    // column names followed, with show_datatypes on, by the declared types).
    using ExecCallback = int (*)(void*, int, char**, char**);

    // Opens an existing file read-only and reads its schema. Throws
    // EngineError: kCantOpen when the file does not exist or cannot be read
    // (nothing is created), kCorrupt ("database disk image is malformed") when
    // it is no SQLite 2 database or its schema b-tree is damaged, kError for a
    // schema that does not parse or an unknown file format.
    static std::unique_ptr<Database> Open(const std::string& path);
    // The same for a database image held in memory (the bytes are copied).
    static std::unique_ptr<Database> OpenMemory(const void* data, std::size_t size);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // The names of the tables, in the order of sqlite_master.
    std::vector<std::string> tableNames() const;
    // A table by name, letter case ignored ("sqlite_master" included).
    const TableDef* table(std::string_view name) const;
    // Every row of sqlite_master: tables, indexes, views, triggers.
    const std::vector<SchemaEntry>& schemaEntries() const;

    bool bigEndian() const;
    std::uint32_t pageCount() const;
    // Meta value 2 of page 1: the schema layer's file format (1..4).
    std::uint32_t fileFormat() const;

    // Visits every row of a table in rowid order with its rowid and one value
    // per declared column (the INTEGER PRIMARY KEY column gives the rowid as
    // decimal text). The visitor returns false to stop. Throws EngineError.
    using RowVisitor = std::function<bool(std::int32_t rowid, const std::vector<Value>& values)>;
    void forEachRow(const TableDef& table, const RowVisitor& visit) const;

    // The whole of "select *, rowid from NAME". Throws EngineError
    // ("no such table: NAME", "database disk image is malformed").
    TableContents readTable(std::string_view name) const;

    // Runs the statements of `sql` in order, as sqlite_exec does: PRAGMA
    // show_datatypes and empty_result_callbacks (set or queried), and SELECT
    // of columns, "*", "T.*" and rowid from one table. Any other statement
    // fails with "unsupported statement in this read-only engine: ...".
    // The callback may be null.
    ExecStatus exec(std::string_view sql, ExecCallback callback, void* argument);

    // Makes the exec that is running stop before its next row with
    // kInterrupt ("interrupted"); called from its callback or from another
    // thread. An exec started afterwards runs normally.
    void interrupt() { interrupted_ = true; }

    bool showDatatypes() const { return showDatatypes_; }
    bool emptyResultCallbacks() const { return emptyResultCallbacks_; }

private:
    Database();
    void openSchema();

    struct Plan;
    void runPragma(const PragmaStatement& pragma, const std::string& text, ExecCallback callback,
                   void* argument);
    void runSelect(const SelectStatement& select, const std::string& text,
                   ExecCallback callback, void* argument);
    Plan planSelect(const SelectStatement& select, const std::string& text) const;
    void runPlan(const Plan& plan,
                 const std::function<bool(const std::vector<const char*>&)>& row) const;

    std::unique_ptr<Pager> pager_;
    Schema schema_;
    bool showDatatypes_ = false;
    bool emptyResultCallbacks_ = false;
    std::atomic<bool> interrupted_{false};
};

}  // namespace varnolt::sqlite2
