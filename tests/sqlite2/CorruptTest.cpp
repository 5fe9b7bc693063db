// SPDX-License-Identifier: AGPL-3.0-or-later
// Damaged and hostile files: truncated images, loops in overflow chains and
// b-trees, page numbers out of range, bad offsets and sizes, bad headers and
// schema texts, and random byte changes. The engine must fail with an error
// text (never crash, hang or read outside its buffers). Made from the
// fixtures completo.arq and grande.arq of tests/fixtures/arq; the damaged
// copies live in memory only.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <random>

#include "Sqlite2TestSupport.h"
#include "sqlite2/Btree.h"
#include "sqlite2/Engine.h"
#include "sqlite2/Pager.h"

using namespace sqlite2_test;
using namespace varnolt::sqlite2;

namespace {

const std::string kMalformed = "database disk image is malformed";

using Image = std::vector<std::uint8_t>;

Image Fixture(const std::string& name) {
    return ReadFile(FixturePath(name));
}

std::size_t PageBase(std::uint32_t pgno) {
    return std::size_t(pgno - 1) * kPageSize;
}

std::uint32_t Get32(const Image& img, std::size_t at) {
    return img[at] | (img[at + 1] << 8) | (img[at + 2] << 16) | (std::uint32_t(img[at + 3]) << 24);
}
void Put32(Image& img, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        img[at + i] = std::uint8_t(v >> (8 * i));
}
void Put16(Image& img, std::size_t at, std::uint16_t v) {
    img[at] = std::uint8_t(v);
    img[at + 1] = std::uint8_t(v >> 8);
}

// Opens the image and reads every table; "" when all went well, else the
// first error text.
std::string ReadAll(const Image& img) {
    try {
        auto db = Database::OpenMemory(img.data(), img.size());
        db->readTable("sqlite_master");
        for (const std::string& name : db->tableNames())
            db->readTable(name);
        // The exec path too, with the program's pragmas.
        db->exec("PRAGMA show_datatypes = ON; PRAGMA empty_result_callbacks = ON;", nullptr,
                 nullptr);
        for (const std::string& name : db->tableNames()) {
            Dump d;
            auto s = db->exec("select *, rowid from " + name + "\n", CaptureWithTypes, &d);
            if (!s.ok())
                return s.message;
        }
    } catch (const EngineError& e) {
        return e.what();
    }
    return "";
}

std::string ReadTable(const Image& img, const std::string& table) {
    try {
        auto db = Database::OpenMemory(img.data(), img.size());
        db->readTable(table);
    } catch (const EngineError& e) {
        return e.what();
    }
    return "";
}

std::uint32_t RootOf(const Image& img, const std::string& table) {
    auto db = Database::OpenMemory(img.data(), img.size());
    return db->table(table)->rootPage;
}

// The first cell of a table whose payload spills onto overflow pages, found
// by walking the table's b-tree: returns the file offset of its overflow
// page number.
std::size_t OverflowPointerOf(const Image& img, const std::string& table) {
    auto pager = Pager::OpenMemory(img.data(), img.size());
    std::vector<std::uint32_t> todo{RootOf(img, table)};
    while (!todo.empty()) {
        std::uint32_t pgno = todo.back();
        todo.pop_back();
        BtreePage page;
        LoadBtreePage(*pager, pgno, page);
        for (const CellInfo& c : page.cells) {
            if (c.keySize + c.dataSize > kMaxLocalPayload) {
                return PageBase(pgno) + c.offset + kCellHeaderSize + kMaxLocalPayload;
            }
            if (c.leftChild)
                todo.push_back(c.leftChild);
        }
        if (page.rightChild)
            todo.push_back(page.rightChild);
    }
    ADD_FAILURE() << "no overflow cell in " << table;
    return 0;
}

}  // namespace

TEST(Corrupt, TheIntactFixturesReadWell) {
    EXPECT_EQ(ReadAll(Fixture("completo.arq")), "");
    EXPECT_EQ(ReadAll(Fixture("grande.arq")), "");
}

TEST(Corrupt, TruncatedFilesFailCleanly) {
    Image full = Fixture("completo.arq");
    for (std::size_t size = 1; size < full.size(); size += size < 3000 ? 97 : 256) {
        Image cut(full.begin(), full.begin() + long(size));
        std::string r = ReadAll(cut);
        EXPECT_EQ(r, kMalformed) << size;
    }
    Image big = Fixture("grande.arq");
    for (std::size_t size = 1024; size < big.size(); size += 7 * 1024 + 13) {
        Image cut(big.begin(), big.begin() + long(size));
        EXPECT_EQ(ReadAll(cut), kMalformed) << size;
    }
}

TEST(Corrupt, TheFileLayerNeverWaitsOnAFifo) {
    // Opened directly, past the engine's own check: refused at once.
    char plantilla[] = "/tmp/varnolt_fifo_XXXXXX";
    ASSERT_NE(::mkdtemp(plantilla), nullptr);
    const std::string fifo = std::string(plantilla) + "/db.arq";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_THROW(Pager::OpenFile(fifo), EngineError);
    ::unlink(fifo.c_str());
    ::rmdir(plantilla);
}

TEST(Corrupt, AnEmptyFileIsAnEmptyDatabase) {
    Image none;
    auto db = Database::OpenMemory(none.data(), 0);
    EXPECT_TRUE(db->tableNames().empty());
    EXPECT_EQ(db->readTable("sqlite_master").rows.size(), 0u);
    try {
        db->readTable("Items_01");
        ADD_FAILURE();
    } catch (const EngineError& e) {
        EXPECT_STREQ(e.what(), "no such table: Items_01");
    }
}

TEST(Corrupt, BadHeaders) {
    Image img = Fixture("completo.arq");
    Image a = img;
    a[20] = 'X';  // the magic text
    EXPECT_EQ(ReadAll(a), kMalformed);
    Image b = img;
    Put32(b, 48, 0x12345678);  // the magic number
    EXPECT_EQ(ReadAll(b), kMalformed);
    Image c = img;
    Put32(c, 64, 7);  // meta 2: file format 7
    EXPECT_EQ(ReadAll(c), "unsupported file format");
}

TEST(Corrupt, LoopsInOverflowChains) {
    Image img = Fixture("completo.arq");
    std::size_t ptr = OverflowPointerOf(img, "Items_02");  // "Plu", 3,100 bytes
    std::uint32_t first = Get32(img, ptr);
    std::uint32_t second = Get32(img, PageBase(first));
    ASSERT_NE(second, 0u);
    // The second overflow page leads back to the first.
    Image loop = img;
    Put32(loop, PageBase(second), first);
    EXPECT_EQ(ReadTable(loop, "Items_02"), kMalformed);
    // The first leads to itself.
    Image self = img;
    Put32(self, PageBase(first), first);
    EXPECT_EQ(ReadTable(self, "Items_02"), kMalformed);
    // The other tables still read.
    EXPECT_EQ(ReadTable(self, "Items_01"), "");
}

TEST(Corrupt, OverflowPagesOutOfRange) {
    Image img = Fixture("completo.arq");
    std::size_t ptr = OverflowPointerOf(img, "Aspectos_03");  // "90", 9,000 bytes
    std::uint32_t pages = std::uint32_t(img.size() / kPageSize);
    for (std::uint32_t bad : {0u, 1u, pages + 1, 0xffffffffu}) {
        Image d = img;
        Put32(d, ptr, bad);
        EXPECT_EQ(ReadTable(d, "Aspectos_03"), kMalformed) << bad;
    }
    // A chain that ends before the payload does.
    Image early = img;
    Put32(early, PageBase(Get32(img, ptr)), 0);
    EXPECT_EQ(ReadTable(early, "Aspectos_03"), kMalformed);
}

TEST(Corrupt, ChildPagesOutOfRangeOrLooping) {
    Image img = Fixture("grande.arq");
    std::uint32_t root = RootOf(img, "Relleno");
    std::size_t base = PageBase(root);
    ASSERT_NE(Get32(img, base), 0u) << "Relleno's root should be an interior page";
    std::uint32_t pages = std::uint32_t(img.size() / kPageSize);
    for (std::uint32_t bad : {1u, pages + 1, 0x7fffffffu}) {
        Image d = img;
        Put32(d, base, bad);  // right child
        EXPECT_EQ(ReadTable(d, "Relleno"), kMalformed) << bad;
    }
    // The left child of the root's first cell is the root itself.
    Image loop = img;
    std::size_t firstCell = loop[base + 4] | (loop[base + 5] << 8);
    Put32(loop, base + firstCell, root);
    EXPECT_EQ(ReadTable(loop, "Relleno"), kMalformed);
    // A loop in the schema b-tree fails the open.
    Image master = Fixture("completo.arq");
    ASSERT_NE(Get32(master, PageBase(2)), 0u);
    Put32(master, PageBase(2), 2);
    EXPECT_EQ(ReadAll(master), kMalformed);
}

TEST(Corrupt, BadCellOffsetsAndSizes) {
    Image img = Fixture("completo.arq");
    std::uint32_t root = RootOf(img, "Casas_01");
    std::size_t base = PageBase(root);
    std::size_t firstCell = img[base + 4] | (img[base + 5] << 8);
    ASSERT_NE(firstCell, 0u);
    for (std::uint16_t bad : {3, 4, 1010, 1020, 1023, 0xffff}) {
        Image d = img;
        Put16(d, base + 4, bad);
        EXPECT_EQ(ReadTable(d, "Casas_01"), kMalformed) << bad;
    }
    // A cell whose "next" is itself.
    Image self = img;
    Put16(self, base + firstCell + 6, std::uint16_t(firstCell));
    EXPECT_EQ(ReadTable(self, "Casas_01"), kMalformed);
    // A cell claiming far more data than the page holds.
    Image huge = img;
    huge[base + firstCell + 9] = 0xff;
    EXPECT_EQ(ReadTable(huge, "Casas_01"), kMalformed);
    // A key that is not a 4-byte rowid.
    Image key = img;
    Put16(key, base + firstCell + 4, 8);
    EXPECT_EQ(ReadTable(key, "Casas_01"), kMalformed);
    // A free block list going backwards.
    Image freeList = img;
    std::size_t freeBlock = img[base + 6] | (img[base + 7] << 8);
    ASSERT_NE(freeBlock, 0u);
    Put16(freeList, base + freeBlock + 2, std::uint16_t(freeBlock));
    EXPECT_EQ(ReadTable(freeList, "Casas_01"), kMalformed);
}

TEST(Corrupt, BadRecordOffsets) {
    Image img = Fixture("completo.arq");
    std::uint32_t root = RootOf(img, "Casas_01");
    std::size_t base = PageBase(root);
    std::size_t firstCell = img[base + 4] | (img[base + 5] << 8);
    std::size_t record = base + firstCell + kCellHeaderSize + 4;  // after the rowid key
    Image past = img;
    past[record + 1] = 0xfe;  // field 0 ends past the record
    EXPECT_EQ(ReadTable(past, "Casas_01"), kMalformed);
    Image backwards = img;
    backwards[record + 2] = 1;  // field 1 ends before it starts
    EXPECT_EQ(ReadTable(backwards, "Casas_01"), kMalformed);
    Image shortTable = img;
    // A record of one byte cannot hold the offsets of three fields.
    shortTable[base + firstCell + 10] = 1;
    shortTable[base + firstCell + 11] = 0;
    EXPECT_EQ(ReadTable(shortTable, "Casas_01"), kMalformed);
}

TEST(Corrupt, BadSchemaText) {
    Image img = Fixture("completo.arq");
    const char* needle = "create table";
    auto at = std::search(img.begin() + long(PageBase(2)), img.end(), needle, needle + 12);
    ASSERT_NE(at, img.end());
    at[2] = 'x';
    std::string r = ReadAll(img);
    EXPECT_EQ(r, "malformed database schema - near \"crxate\": syntax error");
}

TEST(Corrupt, RandomByteChangesNeverCrash) {
    std::mt19937 rng(20240611);
    for (const char* name : {"completo.arq", "grande.arq"}) {
        Image original = Fixture(name);
        int iterations = std::string(name) == "grande.arq" ? 150 : 1500;
        int failures = 0;
        for (int i = 0; i < iterations; ++i) {
            Image d = original;
            int changes = 1 + int(rng() % 8);
            for (int k = 0; k < changes; ++k) {
                std::size_t at = rng() % d.size();
                // Aim at page headers and cell headers half of the time.
                if (rng() % 2)
                    at = (at & ~std::size_t(1023)) + rng() % 32;
                d[at] = std::uint8_t(rng());
            }
            std::string r = ReadAll(d);
            failures += !r.empty();
        }
        EXPECT_GT(failures, 0) << name;
    }
}
