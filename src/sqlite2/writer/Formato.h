// SPDX-License-Identifier: AGPL-3.0-or-later
// The numbers of the SQLite 2.8 database file (the "version 2" file format,
// btree file format 4) as the writer lays it out, little-endian machine.
//
// A database file is a row of pages of exactly 1024 bytes, numbered from 1;
// its size is the number of pages times 1024. Three kinds of page occur in
// what the writer produces:
//
// Page 1, the file header. Bytes 0..47 hold the text
// "** This file contains an SQLite 2.1 database **" and its terminating zero
// byte. Then come 32-bit integers in the byte order of the machine that
// wrote the file (little-endian here): at 48 the magic word 0xDAE37528 (on
// disk 28 75 E3 DA; a reader that finds it byte-swapped knows the file came
// from a big-endian machine), at 52 the page number of the first page of the
// free list (0: no free page), at 56 the number of free pages, and from 60
// nine "meta" integers of the SQL layer: meta 1 (byte 60) the schema cookie,
// which the library changes on every schema change and uses to notice that
// another connection changed the schema, meta 2 (byte 64) the file format of
// the SQL layer, 4 for every file the 2.8 series writes, meta 3 the default
// cache size, meta 4 the default safety level, meta 5 the temp-store choice,
// meta 6..9 unused. The genuine library leaves meta 3..9 at 0 unless a PRAGMA
// sets them, and so does the writer. The rest of page 1 is zero.
//
// B-tree pages. Each table is one b-tree in the classical (Knuth) sense:
// every entry, on interior pages too, carries its whole payload, and an
// interior page with N entries has N+1 children. A page starts with an
// 8-byte header: the right child (u32: the page that holds the keys greater
// than every key on this page; 0 on a leaf), the offset of the first cell
// (u16; 0 on an empty page) and the offset of the first free block (u16; 0
// when the page has no free space). Cells form a list in key order through
// their "next" fields; free blocks form a list in address order. Every cell
// and free block starts on a multiple of 4, and header, cells and free
// blocks together cover the page exactly once. A cell is a 12-byte header
// (u32 left child, u16 key size, u16 offset of the next cell or 0, u8 upper
// 8 bits of the key size, u8 upper 8 bits of the data size, u16 data size)
// followed by the payload, that is the key bytes and then the data bytes.
// Up to 236 payload bytes stay on the page; a longer payload keeps its first
// 236 bytes there followed by the u32 page number of its first overflow
// page. The space a cell takes on its page is 12 + its local payload rounded
// up to a multiple of 4 (+ 4 for the overflow pointer). A free block is
// u16 size, u16 offset of the next free block or 0. An empty b-tree is a
// root page with no cell and one free block of 1016 bytes at offset 8.
//
// Overflow pages: u32 page number of the next overflow page of the same
// payload (0 on the last), then 1020 bytes of payload. A free page (on the
// free list) has the same shape; the writer never leaves one.
//
// Page 2 is the root of the table sqlite_master (the schema). Table b-trees
// are keyed by the row id (see Registro.h for the key and the data of an
// entry).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace varnolt::sqlite2::escritura {

inline constexpr std::size_t kTamPagina = 1024;
inline constexpr std::size_t kTamCabeceraPagina = 8;
inline constexpr std::size_t kTamCabeceraCelda = 12;
// Usable space of a b-tree page after its header.
inline constexpr std::size_t kEspacioUtil = kTamPagina - kTamCabeceraPagina;  // 1016
// ((1016 / 4) - (12 + 4)) rounded down to a multiple of 4: at least four
// cells always fit on a page.
inline constexpr std::size_t kMaxCargaLocal = ((kEspacioUtil / 4) - (kTamCabeceraCelda + 4)) & ~std::size_t{3};  // 236
inline constexpr std::size_t kCargaDesbordamiento = kTamPagina - 4;  // 1020
inline constexpr std::uint32_t kMagia = 0xDAE37528u;
inline constexpr std::uint32_t kFormatoArchivo = 4;
inline constexpr std::uint32_t kRaizMaestra = 2;
inline constexpr char kTextoCabecera[] = "** This file contains an SQLite 2.1 database **";
// Largest row record the 2.8 library accepts (its MAX_BYTES_PER_ROW).
inline constexpr std::size_t kMaxBytesFila = 1048576;

static_assert(kMaxCargaLocal == 236);
static_assert(sizeof(kTextoCabecera) == 48);

inline void PonerU16(unsigned char* p, std::uint32_t v) {
    p[0] = static_cast<unsigned char>(v & 0xFF);
    p[1] = static_cast<unsigned char>((v >> 8) & 0xFF);
}

inline void PonerU32(unsigned char* p, std::uint32_t v) {
    p[0] = static_cast<unsigned char>(v & 0xFF);
    p[1] = static_cast<unsigned char>((v >> 8) & 0xFF);
    p[2] = static_cast<unsigned char>((v >> 16) & 0xFF);
    p[3] = static_cast<unsigned char>((v >> 24) & 0xFF);
}

// Bytes a cell with a payload of n bytes takes on its page.
inline std::size_t TamCelda(std::size_t carga) {
    if (carga > kMaxCargaLocal) {
        return kTamCabeceraCelda + kMaxCargaLocal + 4;
    }
    return kTamCabeceraCelda + ((carga + 3) & ~std::size_t{3});
}

// Number of overflow pages a payload of n bytes needs.
inline std::size_t PaginasDesbordamiento(std::size_t carga) {
    if (carga <= kMaxCargaLocal) {
        return 0;
    }
    return (carga - kMaxCargaLocal + kCargaDesbordamiento - 1) / kCargaDesbordamiento;
}

}  // namespace varnolt::sqlite2::escritura
