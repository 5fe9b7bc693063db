// SPDX-License-Identifier: AGPL-3.0-or-later
// Page reader of the SQLite 2.8 file format.
//
// The bytes handled here: an SQLite 2.8 database file is a sequence of pages of
// exactly 1024 bytes, numbered from 1; page number 0 means "no page". A file
// whose length is not a whole number of pages has a partial last page, which
// the reader treats as absent. A file of length 0 is an empty database.
//
// Page 1 starts with the 48-byte text
//     "** This file contains an SQLite 2.1 database **" followed by a NUL,
// then, at offset 48, the 4-byte integer 0xdae37528. Every multi-byte integer
// of the b-tree layer (page numbers, cell sizes, offsets inside a page, the
// meta values) is stored in the byte order of the machine that wrote the file;
// that magic number is how a reader tells the order: the bytes 28 75 e3 da
// mean little-endian, da e3 75 28 big-endian. After it come, each 4 bytes:
// the first page of the free list (offset 52), the number of free pages (56),
// and nine meta values (60..95): meta 1 the schema cookie, meta 2 the file
// format of the schema layer (1..4; 0 in a database never written), meta 3
// the default page cache size, the rest unused by a reader. The rest of page 1
// is unused. The schema table "sqlite_master" is the b-tree rooted at page 2.
//
// The pager never writes: the file is opened read-only, pages are read on
// demand with pread and kept in memory until the database is closed. A page
// number is checked against the page count before every read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace varnolt::sqlite2 {

inline constexpr std::size_t kPageSize = 1024;
inline constexpr char kMagicHeader[] = "** This file contains an SQLite 2.1 database **";
inline constexpr std::size_t kMagicHeaderSize = sizeof(kMagicHeader);  // 48, NUL included
inline constexpr std::uint32_t kMagicNumber = 0xdae37528u;
inline constexpr std::uint32_t kSchemaRootPage = 2;
inline constexpr int kMetaCount = 10;  // meta 0 is the free page count, 1..9 the stored values

class Pager {
public:
    // Opens a file read-only. Throws EngineError: kCantOpen when the file is
    // missing or cannot be read, kCorrupt when page 1 is not an SQLite 2 header.
    static std::unique_ptr<Pager> OpenFile(const std::string& path);
    // A database held in memory (tests and the fuzzer); the bytes are copied.
    static std::unique_ptr<Pager> OpenMemory(const std::uint8_t* data, std::size_t size);

    ~Pager();
    Pager(const Pager&) = delete;
    Pager& operator=(const Pager&) = delete;

    // Number of whole pages in the file.
    std::uint32_t pageCount() const { return pageCount_; }
    bool bigEndian() const { return bigEndian_; }
    // True for a file of length 0 (a database never written).
    bool empty() const { return pageCount_ == 0; }

    // The 1024 bytes of a page; throws kCorrupt for 0 or a page past the end.
    const std::uint8_t* page(std::uint32_t pgno);

    // Integers of the b-tree layer, in the file's byte order.
    std::uint16_t get16(const std::uint8_t* p) const {
        return bigEndian_ ? std::uint16_t((p[0] << 8) | p[1]) : std::uint16_t(p[0] | (p[1] << 8));
    }
    std::uint32_t get32(const std::uint8_t* p) const {
        return bigEndian_ ? (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) |
                                (std::uint32_t(p[2]) << 8) | p[3]
                          : (std::uint32_t(p[3]) << 24) | (std::uint32_t(p[2]) << 16) |
                                (std::uint32_t(p[1]) << 8) | p[0];
    }

    // Meta value i (0 = free page count, 1 = schema cookie, 2 = file format,
    // 3 = cache size ...); all 0 for an empty database.
    std::uint32_t meta(int i);

private:
    Pager() = default;
    void readHeader();

    int fd_ = -1;
    std::vector<std::uint8_t> memory_;  // the whole database when opened in memory
    bool inMemory_ = false;
    std::uint32_t pageCount_ = 0;
    bool bigEndian_ = false;
    std::unordered_map<std::uint32_t, std::unique_ptr<std::uint8_t[]>> cache_;
};

}  // namespace varnolt::sqlite2
