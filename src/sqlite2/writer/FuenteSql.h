// SPDX-License-Identifier: AGPL-3.0-or-later
// Reads the SQL source of an archetype file: a UTF-8 text of CREATE TABLE and
// INSERT INTO … VALUES (…) statements, each ended by ";" (the last one may
// omit it), with "--" and "/* */" comments.
//
// Accepted, in the grammar of the SQLite 2.8 library (which parses the
// CREATE TABLE text again every time it opens the file):
//
//   CREATE TABLE name ( column [, column]... [, table-constraint]... )
//     column: name [type words [(n) | (n, m)]] [constraint]...
//     column constraints: NOT NULL, NULL, DEFAULT literal, COLLATE word,
//       CONSTRAINT name, PRIMARY KEY [ASC|DESC], each NOT NULL / PRIMARY KEY
//       with an optional ON CONFLICT word
//     table constraint: [CONSTRAINT name] PRIMARY KEY (one column)
//   INSERT INTO name [(column, ...)] VALUES (value, ...)
//     value: 'text' (quote doubled inside), integer or real (optionally
//       signed), NULL
//
// Names may be written plain (but not as a reserved word such as ORDER or
// VALUES, which the 2.8 library would refuse when it reads the schema),
// "double-quoted", [bracketed] or 'single-quoted'. A primary key
// is accepted only on one column whose declared type is exactly INTEGER:
// the 2.8 library makes that column the row id, where any other primary key
// or a UNIQUE constraint would need an index, which this writer does not
// build; those, CHECK, REFERENCES and TEMP tables are refused.
//
// Values are stored as the 2.8 library stores them: a number as the text of
// its literal ("-5", "1.50"), a text as its Windows-1252 bytes, NULL as
// NULL; the INTEGER PRIMARY KEY value becomes the row id (NULL or no value:
// one more than the largest row id so far, as the library does) and the
// record keeps NULL in its place. The CREATE TABLE text, from CREATE to the
// closing parenthesis, is stored as written, in Windows-1252.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "sqlite2/writer/BaseNueva.h"

namespace varnolt::sqlite2::escritura {

// A source the writer cannot store. what() is "linea N: message".
class ErrorFuente : public std::runtime_error {
public:
    ErrorFuente(int linea, const std::string& mensaje);
    int Linea() const { return linea_; }
    const std::string& Mensaje() const { return mensaje_; }

private:
    int linea_;
    std::string mensaje_;
};

// What a CREATE TABLE statement declares.
struct DefinicionTabla {
    std::string nombre;                 // UTF-8, without quotes
    std::vector<std::string> columnas;  // UTF-8, without quotes
    std::vector<std::string> tipos;     // declared types as written ("" when none)
    std::vector<Valor> defectos;        // DEFAULT of each column, Windows-1252 (NULL when none)
    int clavePrimaria = -1;             // the INTEGER PRIMARY KEY column, or -1
};

// Reads a whole source into the tables to write. Throws ErrorFuente.
std::vector<TablaNueva> LeerFuente(std::string_view utf8);

// True for the SQL keywords that the 2.8 grammar never takes as a name
// ("order", "values", "null", ...): such a name must be written in quotes.
bool EsPalabraReservada(std::string_view palabra);

// Reads one CREATE TABLE statement (UTF-8), as sqlite_master keeps it.
// Throws ErrorFuente (the line counted within the statement).
DefinicionTabla LeerCreateTable(std::string_view utf8);

}  // namespace varnolt::sqlite2::escritura
