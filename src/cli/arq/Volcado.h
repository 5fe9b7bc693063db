// SPDX-License-Identifier: AGPL-3.0-or-later
// "varnolt-arq volcar": prints every table of an SQLite 2.8 file as the SQL
// source "varnolt-arq crear" reads (FuenteSql.h), in UTF-8.
//
// For each table, in the order of sqlite_master: its CREATE TABLE text as
// stored, with ";", then one "INSERT INTO name VALUES (...);" line per row
// in row id order, then an empty line. A value prints as NULL, as the bare
// literal when its stored text is a plain number (-?digits[.digits][e±digits],
// exactly what "crear" stores back for that literal), and otherwise as a text
// in single quotes with quotes doubled. The INTEGER PRIMARY KEY column shows
// the row id. Indexes are not printed: "crear" writes tables only.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace varnolt::sqlite2 {
class Database;
}

namespace varnolt::arq {

// Writes the dump of the database to `salida`; returns the names (UTF-8) of
// the schema objects left out (indexes, views, triggers).
std::vector<std::string> Volcar(const sqlite2::Database& base, std::ostream& salida);

// A stored value (Windows-1252) as an SQL literal in UTF-8.
std::string LiteralSql(const std::optional<std::string>& valor);

}  // namespace varnolt::arq
