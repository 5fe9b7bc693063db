// SPDX-License-Identifier: AGPL-3.0-or-later
// Page reader of the SQLite 2.8 file format.
//
// The bytes handled here: the file is cut into 1024-byte pages numbered from
// 1 (a partial last page is ignored). Page 1 begins with the 47 characters
// "** This file contains an SQLite 2.1 database **" and a NUL (48 bytes), then
// the 4-byte magic number 0xdae37528 whose byte order is the file's byte
// order for every later integer (28 75 e3 da: little-endian, da e3 75 28:
// big-endian), then the first free page (offset 52), the free page count (56)
// and nine meta values (60..95; meta 2, at 64, is the file format). A file of
// length 0 is an empty database; a shorter-than-a-page file or a bad header is
// "database disk image is malformed". More in Pager.h.
#include "sqlite2/Pager.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

#include "sqlite2/Error.h"

namespace varnolt::sqlite2 {

namespace {

// Highest page number a 32-bit page number can hold; files larger than that
// many pages are read only up to it (such a file cannot be a valid 2.8 file).
constexpr std::uint64_t kMaxPages = 0xffffffffu;

std::uint32_t PagesFor(std::uint64_t bytes) {
    std::uint64_t n = bytes / kPageSize;
    return n > kMaxPages ? std::uint32_t(kMaxPages) : std::uint32_t(n);
}

}  // namespace

std::unique_ptr<Pager> Pager::OpenFile(const std::string& path) {
    std::unique_ptr<Pager> pager(new Pager());
    // Without blocking: a FIFO put where the file was checked would
    // otherwise wait for a writer forever. Only a regular file is read.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        throw EngineError(kCantOpen);
    }
    pager->fd_ = fd;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        throw EngineError(kCantOpen);
    }
    std::uint64_t size = st.st_size < 0 ? 0 : std::uint64_t(st.st_size);
    if (size > 0 && size < kPageSize) {
        // Too short to hold page 1: not a database.
        ThrowCorrupt();
    }
    pager->pageCount_ = PagesFor(size);
    pager->readHeader();
    return pager;
}

std::unique_ptr<Pager> Pager::OpenMemory(const std::uint8_t* data, std::size_t size) {
    std::unique_ptr<Pager> pager(new Pager());
    pager->inMemory_ = true;
    if (size > 0 && size < kPageSize) {
        ThrowCorrupt();
    }
    if (size > 0) {
        pager->memory_.assign(data, data + size);
    }
    pager->pageCount_ = PagesFor(size);
    pager->readHeader();
    return pager;
}

Pager::~Pager() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

void Pager::readHeader() {
    if (pageCount_ == 0) {
        return;  // an empty file: an empty database, every meta value 0
    }
    const std::uint8_t* p1 = page(1);
    // The text must match up to and including its NUL; what follows is free.
    if (std::memcmp(p1, kMagicHeader, kMagicHeaderSize) != 0) {
        ThrowCorrupt();
    }
    const std::uint8_t* m = p1 + kMagicHeaderSize;
    std::uint32_t little = std::uint32_t(m[0]) | (std::uint32_t(m[1]) << 8) |
                           (std::uint32_t(m[2]) << 16) | (std::uint32_t(m[3]) << 24);
    std::uint32_t big = std::uint32_t(m[3]) | (std::uint32_t(m[2]) << 8) |
                        (std::uint32_t(m[1]) << 16) | (std::uint32_t(m[0]) << 24);
    if (little == kMagicNumber) {
        bigEndian_ = false;
    } else if (big == kMagicNumber) {
        bigEndian_ = true;
    } else {
        ThrowCorrupt();
    }
}

const std::uint8_t* Pager::page(std::uint32_t pgno) {
    if (pgno == 0 || pgno > pageCount_) {
        ThrowCorrupt();
    }
    if (inMemory_) {
        return memory_.data() + std::size_t(pgno - 1) * kPageSize;
    }
    auto found = cache_.find(pgno);
    if (found != cache_.end()) {
        return found->second.get();
    }
    std::unique_ptr<std::uint8_t[]> buf(new std::uint8_t[kPageSize]);
    off_t offset = off_t(pgno - 1) * off_t(kPageSize);
    std::size_t done = 0;
    while (done < kPageSize) {
        ssize_t n = ::pread(fd_, buf.get() + done, kPageSize - done, offset + off_t(done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            throw EngineError(kIoErr);
        }
        if (n == 0) {
            // The file shrank since it was opened.
            ThrowCorrupt();
        }
        done += std::size_t(n);
    }
    const std::uint8_t* result = buf.get();
    cache_.emplace(pgno, std::move(buf));
    return result;
}

std::uint32_t Pager::meta(int i) {
    if (i < 0 || i >= kMetaCount || pageCount_ == 0) {
        return 0;
    }
    // Free page count at 56, then the nine stored meta values from 60.
    return get32(page(1) + 56 + 4 * i);
}

}  // namespace varnolt::sqlite2
