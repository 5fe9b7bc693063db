// SPDX-License-Identifier: AGPL-3.0-or-later
// B-tree pages, cells and overflow chains of the SQLite 2.8 file format.
//
// The bytes handled here (integers in the file's byte order): a b-tree page
// opens with its right child (4 bytes), the offset of its first cell (2) and
// of its first free block (2). Each cell, at a 4-aligned offset, holds its
// left child (4), key size low 16 bits (2), next cell offset (2), key size
// bits 16..23 (1), data size bits 16..23 (1), data size low 16 bits (2), and
// then up to 236 bytes of key-then-data payload, rounded up to 4; a longer
// payload continues on overflow pages, whose number follows those 236 bytes,
// each overflow page holding the next page's number (4) and 1020 payload
// bytes. Free blocks hold their size (2) and the next block's offset (2).
// Table keys are 4-byte big-endian rowids with the sign bit flipped. More,
// and the checks made on every field, in Btree.h.
#include "sqlite2/Btree.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "sqlite2/Error.h"
#include "sqlite2/Pager.h"

namespace varnolt::sqlite2 {

namespace {

constexpr std::size_t kUsableSpace = kPageSize - kPageHeaderSize;  // 1016

std::size_t CellSize(std::uint64_t payload) {
    std::size_t local = payload > kMaxLocalPayload ? kMaxLocalPayload + 4
                                                   : (std::size_t(payload) + 3) & ~std::size_t(3);
    return kCellHeaderSize + local;
}

}  // namespace

void LoadBtreePage(Pager& pager, std::uint32_t pgno, BtreePage& out) {
    if (pgno < 2) {
        ThrowCorrupt();  // page 1 is the file header, 0 is no page
    }
    const std::uint8_t* p = pager.page(pgno);
    out.pgno = pgno;
    out.bytes = p;
    out.rightChild = pager.get32(p);
    out.cells.clear();

    std::size_t freeSpace = kUsableSpace;
    std::size_t idx = pager.get16(p + 4);
    while (idx != 0) {
        if (idx > kPageSize - kMinCellSize || idx < kPageHeaderSize || (idx & 3) != 0) {
            ThrowCorrupt();
        }
        if (out.cells.size() >= kMaxCellsPerPage) {
            ThrowCorrupt();  // more cells than fit: the list loops
        }
        const std::uint8_t* c = p + idx;
        CellInfo cell;
        cell.offset = std::uint16_t(idx);
        cell.leftChild = pager.get32(c);
        cell.keySize = pager.get16(c + 4) | (std::uint32_t(c[8]) << 16);
        cell.dataSize = pager.get16(c + 10) | (std::uint32_t(c[9]) << 16);
        std::size_t size = CellSize(std::uint64_t(cell.keySize) + cell.dataSize);
        if (idx + size > kPageSize || size > freeSpace) {
            ThrowCorrupt();
        }
        freeSpace -= size;
        out.cells.push_back(cell);
        idx = pager.get16(c + 6);
    }

    std::size_t freeBytes = 0;
    idx = pager.get16(p + 6);
    while (idx != 0) {
        if (idx > kPageSize - 4 || idx < kPageHeaderSize) {
            ThrowCorrupt();
        }
        std::size_t size = pager.get16(p + idx);
        std::size_t next = pager.get16(p + idx + 2);
        freeBytes += size;
        if (next != 0 && next <= idx) {
            ThrowCorrupt();  // free blocks must be in increasing order
        }
        idx = next;
    }
    if (out.cells.empty() && freeBytes == 0) {
        return;  // an untouched root page: an empty b-tree
    }
    if (freeBytes != freeSpace) {
        ThrowCorrupt();
    }
}

void ReadPayload(Pager& pager, const BtreePage& page, const CellInfo& cell,
                 std::vector<std::uint8_t>& key, std::vector<std::uint8_t>& data) {
    const std::uint64_t total = std::uint64_t(cell.keySize) + cell.dataSize;
    const std::uint8_t* local = page.bytes + cell.offset + kCellHeaderSize;
    const std::size_t localSize = total > kMaxLocalPayload ? kMaxLocalPayload : std::size_t(total);

    // A payload needing more overflow pages than the file has cannot be
    // sound; checked before any memory is taken for it.
    if (total > kMaxLocalPayload &&
        (total - kMaxLocalPayload + kOverflowPayload - 1) / kOverflowPayload > pager.pageCount()) {
        ThrowCorrupt();
    }
    key.resize(cell.keySize);
    data.resize(cell.dataSize);
    // Copies payload bytes [from, from+n) to key or data as they fall.
    auto put = [&](std::uint64_t from, const std::uint8_t* src, std::size_t n) {
        while (n > 0) {
            if (from < cell.keySize) {
                std::size_t k = std::size_t(std::min<std::uint64_t>(n, cell.keySize - from));
                std::memcpy(key.data() + from, src, k);
                from += k, src += k, n -= k;
            } else {
                std::memcpy(data.data() + (from - cell.keySize), src, n);
                return;
            }
        }
    };
    put(0, local, localSize);
    if (total <= kMaxLocalPayload) {
        return;
    }

    std::uint64_t remaining = total - kMaxLocalPayload;
    std::uint32_t next = pager.get32(local + kMaxLocalPayload);
    std::uint64_t at = kMaxLocalPayload;
    std::unordered_set<std::uint32_t> seen;
    while (remaining > 0) {
        if (next < 2 || !seen.insert(next).second) {
            ThrowCorrupt();  // chain ends early, points at page 1, or loops
        }
        const std::uint8_t* ovfl = pager.page(next);
        std::size_t n = remaining > kOverflowPayload ? kOverflowPayload : std::size_t(remaining);
        put(at, ovfl + 4, n);
        at += n;
        remaining -= n;
        next = pager.get32(ovfl);
    }
}

TableCursor::TableCursor(Pager& pager, std::uint32_t rootPage)
    : pager_(pager), visited_(std::size_t(pager.pageCount()) + 1, false) {
    push(rootPage);
}

void TableCursor::push(std::uint32_t pgno) {
    if (pgno < 2 || pgno > pager_.pageCount() || visited_[pgno]) {
        ThrowCorrupt();  // out of range, or a page reached twice: a loop
    }
    visited_[pgno] = true;
    stack_.emplace_back();
    LoadBtreePage(pager_, pgno, stack_.back().page);
}

bool TableCursor::next() {
    while (!stack_.empty()) {
        Frame& f = stack_.back();
        if (f.index < f.page.cells.size()) {
            const CellInfo& cell = f.page.cells[f.index];
            if (cell.leftChild != 0 && !f.childTaken) {
                f.childTaken = true;
                push(cell.leftChild);  // f may dangle from here on
                continue;
            }
            ReadPayload(pager_, f.page, cell, key_, data_);
            f.index++;
            f.childTaken = false;
            if (key_.size() != 4) {
                ThrowCorrupt();  // a table's key is always the 4-byte rowid
            }
            std::uint32_t k = (std::uint32_t(key_[0]) << 24) | (std::uint32_t(key_[1]) << 16) |
                              (std::uint32_t(key_[2]) << 8) | key_[3];
            rowid_ = std::int32_t(k ^ 0x80000000u);
            return true;
        }
        if (f.page.rightChild != 0 && !f.rightTaken) {
            f.rightTaken = true;
            push(f.page.rightChild);
            continue;
        }
        stack_.pop_back();
    }
    return false;
}

}  // namespace varnolt::sqlite2
