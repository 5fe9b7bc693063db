// SPDX-License-Identifier: AGPL-3.0-or-later
// Every dump in tests/fixtures/arq/expected (made by the genuine SQLite 2.8
// library) against the engine: the same statement after the same two pragmas
// must hand the callback the same column names, declared types and rows, or
// fail with the same text. Also the engine's C++ reading API on the same data,
// and the same files converted to big-endian byte order.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <map>

#include "Sqlite2TestSupport.h"
#include "sqlite2/Engine.h"

using namespace sqlite2_test;
using varnolt::sqlite2::Database;
using varnolt::sqlite2::EngineError;

namespace {

// The dump the engine gives for one expected case, on an open database.
Dump RunCase(Database& db, const ExpectedCase& c) {
    Dump pragmas;
    EXPECT_TRUE(db.exec("PRAGMA show_datatypes = ON;", CaptureWithTypes, &pragmas).ok());
    EXPECT_TRUE(db.exec("PRAGMA empty_result_callbacks = ON;", CaptureWithTypes, &pragmas).ok());
    EXPECT_EQ(pragmas.calls, 0);
    Dump got;
    got.statement = c.dump.statement;
    auto status = db.exec(c.dump.statement, CaptureWithTypes, &got);
    if (!status.ok()) got.error = status.message;
    return got;
}

std::vector<std::uint32_t> OtherRoots(const Database& db) {
    std::vector<std::uint32_t> roots;
    for (const auto& e : db.schemaEntries()) {
        if (e.rootPage) roots.push_back(std::uint32_t(std::stoul(*e.rootPage)));
    }
    return roots;
}

}  // namespace

TEST(ExpectedDumps, EveryFixtureTableMatchesTheGenuineLibrary) {
    std::vector<ExpectedCase> cases = LoadExpectedCases();
    ASSERT_GE(cases.size(), 100u);
    std::map<std::string, std::unique_ptr<Database>> open;
    for (const ExpectedCase& c : cases) {
        SCOPED_TRACE(c.file + "." + c.table);
        auto& db = open[c.file];
        if (!db) db = Database::Open(FixturePath(c.file + ".arq"));
        Dump got = RunCase(*db, c);
        EXPECT_EQ(CompareDumps(c.dump, got), "");
    }
}

TEST(ExpectedDumps, ReadTableGivesTheSameRows) {
    std::map<std::string, std::unique_ptr<Database>> open;
    for (const ExpectedCase& c : LoadExpectedCases()) {
        SCOPED_TRACE(c.file + "." + c.table);
        auto& db = open[c.file];
        if (!db) db = Database::Open(FixturePath(c.file + ".arq"));
        if (c.dump.error) {
            try {
                db->readTable(c.table);
                ADD_FAILURE() << "no error";
            } catch (const EngineError& e) {
                EXPECT_EQ(e.what(), *c.dump.error);
            }
            continue;
        }
        varnolt::sqlite2::TableContents t = db->readTable(c.table);
        EXPECT_EQ(t.columnNames, c.dump.columns);
        EXPECT_EQ(t.columnTypes, c.dump.types);
        EXPECT_EQ(t.rows, c.dump.rows);
    }
}

TEST(ExpectedDumps, TableNamesFollowTheSchema) {
    auto db = Database::Open(FixturePath("completo.arq"));
    std::vector<std::string> names = db->tableNames();
    EXPECT_EQ(names.size(), 13u);
    for (const char* t : {"Items_01", "Items_02", "Items_03", "Casas_01", "Casas_02", "Casas_03",
                          "Signos_01", "Signos_02", "Signos_03", "Aspectos_01", "Aspectos_02",
                          "Aspectos_03", "_Info_Data"}) {
        EXPECT_NE(std::find(names.begin(), names.end(), t), names.end()) << t;
        EXPECT_NE(db->table(t), nullptr) << t;
    }
    EXPECT_NE(db->table("items_01"), nullptr);  // letter case is free
    EXPECT_EQ(db->table("Nope"), nullptr);
    EXPECT_FALSE(db->bigEndian());
    EXPECT_EQ(db->fileFormat(), 4u);
    EXPECT_EQ(db->table("Items_01")->integerPrimaryKey, 0);
    EXPECT_EQ(db->table("Items_02")->integerPrimaryKey, 0);
    EXPECT_EQ(db->table("Casas_01")->integerPrimaryKey, -1);
}

TEST(ExpectedDumps, ForEachRowStopsWhenAsked) {
    auto db = Database::Open(FixturePath("grande.arq"));
    const auto* t = db->table("Relleno");
    ASSERT_NE(t, nullptr);
    int seen = 0;
    db->forEachRow(*t, [&](std::int32_t, const std::vector<varnolt::sqlite2::Value>& v) {
        EXPECT_EQ(v.size(), 3u);
        return ++seen < 10;
    });
    EXPECT_EQ(seen, 10);
    int all = 0;
    std::int32_t last = INT32_MIN;
    db->forEachRow(*t, [&](std::int32_t rowid, const std::vector<varnolt::sqlite2::Value>&) {
        EXPECT_GT(rowid, last);  // rowid order
        last = rowid;
        ++all;
        return true;
    });
    EXPECT_GT(all, 1500);
}

TEST(ExpectedDumps, BigEndianCopiesReadTheSame) {
    std::string dir = MakeTempDir();
    std::map<std::string, std::unique_ptr<Database>> open;
    int compared = 0;
    for (const ExpectedCase& c : LoadExpectedCases()) {
        SCOPED_TRACE(c.file + "." + c.table + " (big-endian)");
        auto& db = open[c.file];
        if (!db) {
            std::string path = FixturePath(c.file + ".arq");
            auto little = Database::Open(path);
            std::vector<std::uint8_t> swapped = SwapByteOrder(ReadFile(path), OtherRoots(*little));
            ASSERT_NE(swapped, ReadFile(path));
            std::string copy = dir + "/" + c.file + ".arq";
            WriteFile(copy, swapped);
            db = Database::Open(copy);
            ASSERT_TRUE(db->bigEndian());
            // The converter is its own inverse.
            EXPECT_EQ(SwapByteOrder(swapped, OtherRoots(*little)), ReadFile(path));
        }
        Dump got = RunCase(*db, c);
        EXPECT_EQ(CompareDumps(c.dump, got), "");
        ++compared;
    }
    EXPECT_GE(compared, 100);
    std::filesystem::remove_all(dir);
}
