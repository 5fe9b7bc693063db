// SPDX-License-Identifier: AGPL-3.0-or-later
// Builds b-trees of the SQLite 2.8 file format into a file image in memory.
//
// What lands on disk (see Formato.h for the page and cell layout): the
// entries of one tree, already in ascending key order, are packed into
// leaf pages from left to right, each leaf as full as the next entry allows;
// the entry after a full leaf is not stored in a leaf but goes up one level
// as the separator between that leaf and the next. The separators are then
// packed the same way into the pages of the next level, each carrying the
// page on its left as its left child and each page's last child in the
// header's right-child field, until one page is left: the root, written on
// the page number the tree was given. When the last page of a level comes
// out less than half full, the last two pages of that level share their
// entries evenly instead. So every leaf lies at the same depth, no page
// (root aside) is empty, and keys run in order along every page and across
// the levels. Cells sit one after the other from offset 8, linked in key
// order; what is left at the end of the page is one free block. A payload
// longer than 236 bytes continues on a chain of overflow pages of its own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varnolt::sqlite2::escritura {

// The file image: page n (counted from 1) is bytes (n-1)*1024 .. n*1024-1.
class Imagen {
public:
    // Adds a page of zeros at the end and returns its number.
    std::uint32_t NuevaPagina();
    unsigned char* Pagina(std::uint32_t numero);
    std::uint32_t NumPaginas() const;
    const std::vector<unsigned char>& Bytes() const { return bytes_; }
    std::vector<unsigned char> Soltar() { return std::move(bytes_); }

private:
    std::vector<unsigned char> bytes_;
};

// One entry of a tree: its key and its data bytes.
struct Entrada {
    std::string clave;
    std::string datos;
};

// Writes the tree of these entries (ascending, distinct keys) with its root on
// page `raiz`, which must already exist in the image; every other page it
// needs is added at the end of the image.
void EscribirArbol(Imagen& imagen, std::uint32_t raiz, const std::vector<Entrada>& entradas);

}  // namespace varnolt::sqlite2::escritura
