// SPDX-License-Identifier: AGPL-3.0-or-later
// B-tree pages, cells and overflow chains of the SQLite 2.8 file format.
//
// The bytes handled here. Every table (and index) is a b-tree of 1024-byte
// pages; every integer below is in the file's byte order (see Pager.h).
//
// A b-tree page starts with an 8-byte header:
//     offset 0  4 bytes  right child: the page holding every entry after the
//                        last cell of this page (0 on a leaf page)
//     offset 4  2 bytes  offset in the page of the first cell (0: no cell)
//     offset 6  2 bytes  offset of the first free block (0: none)
// The cells form a linked list in key order. A cell starts at an offset that
// is a multiple of 4, at least 8 and at most 1024-16, with a 12-byte header:
//     offset 0  4 bytes  left child: the page of the entries before this cell
//                        (0 on a leaf page)
//     offset 4  2 bytes  key size, low 16 bits
//     offset 6  2 bytes  offset of the next cell in key order (0: last)
//     offset 8  1 byte   key size, bits 16..23
//     offset 9  1 byte   data size, bits 16..23
//     offset 10 2 bytes  data size, low 16 bits
// then the payload, the key immediately followed by the data. At most 236
// payload bytes are kept in the cell (rounded up to a multiple of 4); when the
// payload is longer, the 4 bytes after those 236 give the first overflow page.
// An overflow page holds a 4-byte page number of the next overflow page (0 at
// the end) and up to 1020 further payload bytes.
//
// A free block inside a page has a 2-byte size and the 2-byte offset of the
// next free block, which must lie after it. The cells' sizes and the free
// blocks' sizes add up to the 1016 bytes after the page header, except on an
// untouched root page that has neither cells nor free blocks.
//
// Interior cells carry entries too (SQLite 2 b-trees are not B+trees): the
// entries in key order are, for each cell, those of its left child's subtree
// and then the cell itself, and last those of the right child's subtree.
//
// In a table b-tree the key is the 4-byte rowid, stored most significant byte
// first with the sign bit inverted (so that bytewise order is numeric order),
// whatever the file's byte order; the data is a row record (Record.h).
//
// Every offset, size and page number is checked before use; a page met twice
// while walking one b-tree, or twice in one overflow chain, is a loop and the
// walk fails with "database disk image is malformed".
#pragma once

#include <cstdint>
#include <vector>

namespace varnolt::sqlite2 {

class Pager;

inline constexpr std::size_t kPageHeaderSize = 8;
inline constexpr std::size_t kCellHeaderSize = 12;
inline constexpr std::size_t kMaxLocalPayload = 236;
inline constexpr std::size_t kOverflowPayload = 1020;
inline constexpr std::size_t kMinCellSize = kCellHeaderSize + 4;
inline constexpr std::size_t kMaxCellsPerPage = (1024 - kPageHeaderSize) / kMinCellSize;

struct CellInfo {
    std::uint16_t offset = 0;      // offset of the cell in its page
    std::uint32_t leftChild = 0;   // 0 on a leaf
    std::uint32_t keySize = 0;
    std::uint32_t dataSize = 0;
};

struct BtreePage {
    std::uint32_t pgno = 0;
    const std::uint8_t* bytes = nullptr;
    std::uint32_t rightChild = 0;
    std::vector<CellInfo> cells;  // in key order
};

// Reads and checks one b-tree page. Throws kCorrupt.
void LoadBtreePage(Pager& pager, std::uint32_t pgno, BtreePage& out);

// The payload of a cell: its key and its data, following the overflow chain.
// Throws kCorrupt.
void ReadPayload(Pager& pager, const BtreePage& page, const CellInfo& cell,
                 std::vector<std::uint8_t>& key, std::vector<std::uint8_t>& data);

// Walks the entries of a table b-tree in rowid order.
class TableCursor {
public:
    TableCursor(Pager& pager, std::uint32_t rootPage);
    // Moves to the next entry (the first one on the first call); false at the
    // end. Throws kCorrupt.
    bool next();
    std::int32_t rowid() const { return rowid_; }
    const std::vector<std::uint8_t>& data() const { return data_; }

private:
    struct Frame {
        BtreePage page;
        std::size_t index = 0;
        bool childTaken = false;  // the left child of cells[index] was walked
        bool rightTaken = false;
    };
    void push(std::uint32_t pgno);

    Pager& pager_;
    std::vector<Frame> stack_;
    std::vector<bool> visited_;
    std::vector<std::uint8_t> key_;
    std::vector<std::uint8_t> data_;
    std::int32_t rowid_ = 0;
};

}  // namespace varnolt::sqlite2
