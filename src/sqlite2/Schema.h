// SPDX-License-Identifier: AGPL-3.0-or-later
// The schema of an SQLite 2.8 database: the table "sqlite_master" and the
// CREATE TABLE statements it keeps.
//
// The bytes handled here: sqlite_master is the table b-tree rooted at page 2.
// Each of its rows is a record (Record.h) of five text fields: type ("table",
// "index", "view" or "trigger"), name, tbl_name (the table an index or
// trigger belongs to), rootpage (the decimal page number of the object's
// b-tree root; "0" for views and triggers) and sql (the CREATE statement as
// typed, from the word CREATE to the closing parenthesis; for a table made
// with CREATE TABLE ... AS SELECT, a generated "CREATE TABLE name(a,b,...)"
// without types). Indexes made automatically for UNIQUE or PRIMARY KEY
// constraints have a NULL sql.
//
// A table's columns are those of its CREATE TABLE statement, in order: the
// name dequoted, and the declared type as the genuine library reports it,
// that is the type's text as typed with every white-space byte removed
// ("varchar ( 10 )" gives "varchar(10)"), or none when the column has no type.
// A column declared PRIMARY KEY (or named alone in a PRIMARY KEY table
// constraint) whose type is "INTEGER" in any letter case is the table's
// INTEGER PRIMARY KEY: its value is the rowid, its field holds NULL.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnolt::sqlite2 {

class Pager;

struct Column {
    std::string name;
    std::optional<std::string> declaredType;
};

struct TableDef {
    std::string name;
    std::uint32_t rootPage = 0;
    std::string sql;
    std::vector<Column> columns;
    int integerPrimaryKey = -1;  // column index, or -1
};

// One row of sqlite_master, as stored.
struct SchemaEntry {
    std::int32_t rowid = 0;
    std::optional<std::string> type;
    std::optional<std::string> name;
    std::optional<std::string> tableName;
    std::optional<std::string> rootPage;
    std::optional<std::string> sql;
};

// Parses a CREATE TABLE statement. Throws EngineError(kError, text) with a
// text in the genuine library's manner ('near "x": syntax error').
TableDef ParseCreateTable(std::string_view sql);

// The definition of sqlite_master itself.
const TableDef& MasterTable();

class Schema {
public:
    // Reads sqlite_master and parses every table's statement. Throws
    // EngineError: kCorrupt for a damaged b-tree, kError with "malformed
    // database schema - ..." for a statement that does not parse.
    void load(Pager& pager);

    const std::vector<SchemaEntry>& entries() const { return entries_; }
    const std::vector<TableDef>& tables() const { return tables_; }
    // Case-insensitive look-up; sqlite_master included. nullptr when absent.
    const TableDef* findTable(std::string_view name) const;
    bool isView(std::string_view name) const;

private:
    std::vector<SchemaEntry> entries_;
    std::vector<TableDef> tables_;
    std::vector<std::string> views_;
};

}  // namespace varnolt::sqlite2
