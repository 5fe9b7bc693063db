// SPDX-License-Identifier: AGPL-3.0-or-later
// A strict checker of SQLite 2.8 database files, for the writer's tests only.
//
// It walks page 1, the free list, and every b-tree named in sqlite_master,
// and reports every departure from what the genuine 2.8 library requires or
// its integrity check looks at: page size and count, header text, magic word,
// file format, cells and free blocks that cover each b-tree page exactly
// once, 4-byte alignment, key order within and across pages, leaves all at
// the same depth, overflow chains of the right length, every page used by
// exactly one owner. It also decodes every table row (record offsets and
// zero terminators checked) so tests can compare contents.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varnolt::pruebas {

using ValorLeido = std::optional<std::string>;

struct EntradaLeida {
    std::string clave;
    std::string datos;  // the raw record
};

struct FilaLeida {
    std::int32_t rowid = 0;
    std::vector<ValorLeido> valores;
    std::string registro;  // the raw record bytes
};

struct ArbolLeido {
    std::string tipo;    // "table" or "index"
    std::string nombre;  // Windows-1252
    std::string tabla;
    std::uint32_t raiz = 0;
    std::string sql;
    int profundidad = 0;  // 0: the root is a leaf
    std::vector<FilaLeida> filas;        // tables only, in key order
    std::vector<EntradaLeida> entradas;  // every entry, in key order
};

struct BaseLeida {
    std::uint32_t paginas = 0;
    std::uint32_t cookie = 0;
    std::uint32_t formato = 0;
    std::uint32_t primeraLibre = 0;
    std::uint32_t numLibres = 0;
    std::vector<std::uint32_t> meta;  // meta 1..9 (bytes 60..95)
    std::vector<ArbolLeido> arboles;  // in sqlite_master order (the schema first, with no row of its own)
    int profundidadMaestra = 0;
    std::vector<std::string> problemas;  // empty when the file is sound

    const ArbolLeido* Tabla(const std::string& nombre) const;
};

BaseLeida Verificar(const std::vector<unsigned char>& bytes);
std::vector<unsigned char> LeerBytes(const std::string& ruta);

}  // namespace varnolt::pruebas
