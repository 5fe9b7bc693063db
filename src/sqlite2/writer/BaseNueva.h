// SPDX-License-Identifier: AGPL-3.0-or-later
// A whole SQLite 2.8 database file made from tables held in memory.
//
// The file the writer makes (layout of pages and cells in Formato.h, of
// keys and records in Registro.h, of the trees in ArbolB.h):
//   page 1        the header: the 48-byte header text, the magic word
//                 0xDAE37528, an empty free list (first free page 0, count
//                 0), the schema cookie (meta 1), the file format 4 (meta 2),
//                 meta 3..9 zero;
//   page 2        the root of sqlite_master;
//   pages 3..T+2  the roots of the T tables, in the order given;
//   then          every other page of the tables' trees and overflow chains,
//                 and last those of sqlite_master.
// sqlite_master holds one row per table, row ids 1..T in the order given,
// with the five values type "table", name, tbl_name (the name again),
// rootpage (its decimal text) and sql (the CREATE TABLE text). Every page is
// used exactly once, the free list is empty, and the file is pages × 1024
// bytes long.
//
// The schema cookie: the genuine library adds 1 plus a random byte to it on
// each CREATE; the writer adds 1 plus a byte taken from a hash of the CREATE
// text, so the same source always gives the same file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "sqlite2/writer/Registro.h"

namespace varnolt::sqlite2::escritura {

struct FilaNueva {
    std::int32_t rowid = 0;
    std::vector<Valor> valores;  // Windows-1252 bytes; NULL for an INTEGER PRIMARY KEY column
};

struct TablaNueva {
    std::string nombre;  // Windows-1252
    std::string sql;     // the CREATE TABLE text, Windows-1252
    std::vector<FilaNueva> filas;  // distinct row ids, any order
};

// The bytes of the database file holding these tables. Throws
// std::invalid_argument for repeated row ids, a row record over 1048576 bytes
// or a value holding a zero byte.
std::vector<unsigned char> ConstruirBase(const std::vector<TablaNueva>& tablas);

// Writes the bytes to `destino` through a temporary file in the same folder
// that replaces `destino` only once it is complete; on failure `destino` is
// untouched and the temporary file removed. Throws std::runtime_error with a
// Spanish message.
void GuardarArchivo(const std::filesystem::path& destino, const std::vector<unsigned char>& bytes);

}  // namespace varnolt::sqlite2::escritura
