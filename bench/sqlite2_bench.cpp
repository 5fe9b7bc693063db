// SPDX-License-Identifier: AGPL-3.0-or-later
// Benchmark of the read-only SQLite 2.8 engine on the fixtures
// (tests/fixtures/arq, read only):
//   - opening completo.arq and reading its twelve term tables the way the
//     program does (two pragmas, then "select *, rowid from T" per table),
//     through the C++ engine and through the C API of libsqlite.so.0;
//     target: 5 ms or less;
//   - reading every row of grande.arq's 2,500-row table "Relleno" (a third of
//     the rows deleted, so about 1,700 rows, multi-level b-tree); target:
//     10 ms or less.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "sqlite2/Engine.h"
#include "sqlite2/sqlite.h"

using varnolt::sqlite2::Database;

namespace {

const std::string kFixtures = std::string(VARNOLT_FIXTURES) + "/arq/";

const char* const kTermTables[] = {"Items_01",  "Items_02",    "Items_03",    "Casas_01",
                                   "Casas_02",  "Casas_03",    "Signos_01",   "Signos_02",
                                   "Signos_03", "Aspectos_01", "Aspectos_02", "Aspectos_03"};

// Keeps every row in memory as the program's table reader does.
struct Rows {
    std::vector<std::vector<std::string>> rows;
};

int KeepRow(void* arg, int n, char** argv, char**) {
    if (argv == nullptr) return 0;
    auto* r = static_cast<Rows*>(arg);
    std::vector<std::string> row;
    row.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) row.emplace_back(argv[i] ? argv[i] : "");
    r->rows.push_back(std::move(row));
    return 0;
}

void BM_CompletoTermTables_Engine(benchmark::State& state) {
    std::size_t rows = 0;
    for (auto _ : state) {
        auto db = Database::Open(kFixtures + "completo.arq");
        db->exec("PRAGMA show_datatypes = ON;", nullptr, nullptr);
        db->exec("PRAGMA empty_result_callbacks = ON;", nullptr, nullptr);
        Rows r;
        for (const char* t : kTermTables) {
            auto status = db->exec(std::string("select *, rowid from ") + t + "\n", KeepRow, &r);
            if (!status.ok()) state.SkipWithError(status.message.c_str());
        }
        rows = r.rows.size();
        benchmark::DoNotOptimize(r);
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_CompletoTermTables_Engine)->Unit(benchmark::kMillisecond);

void BM_CompletoTermTables_CApi(benchmark::State& state) {
    std::string path = kFixtures + "completo.arq";
    for (auto _ : state) {
        char* err = nullptr;
        sqlite* db = sqlite_open(path.c_str(), 0, &err);
        if (db == nullptr) {
            state.SkipWithError(err ? err : "open failed");
            sqlite_freemem(err);
            return;
        }
        sqlite_exec(db, "PRAGMA show_datatypes = ON;", nullptr, nullptr, nullptr);
        sqlite_exec(db, "PRAGMA empty_result_callbacks = ON;", nullptr, nullptr, nullptr);
        Rows r;
        for (const char* t : kTermTables) {
            std::string sql = std::string("select *, rowid from ") + t + "\n";
            if (sqlite_exec(db, sql.c_str(), KeepRow, &r, &err) != SQLITE_OK) {
                state.SkipWithError(err);
                sqlite_freemem(err);
            }
        }
        sqlite_close(db);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_CompletoTermTables_CApi)->Unit(benchmark::kMillisecond);

void BM_GrandeRelleno_Read(benchmark::State& state) {
    auto db = Database::Open(kFixtures + "grande.arq");
    db->exec("PRAGMA show_datatypes = ON; PRAGMA empty_result_callbacks = ON;", nullptr, nullptr);
    std::size_t rows = 0;
    for (auto _ : state) {
        Rows r;
        auto status = db->exec("select *, rowid from Relleno\n", KeepRow, &r);
        if (!status.ok()) state.SkipWithError(status.message.c_str());
        rows = r.rows.size();
        benchmark::DoNotOptimize(r);
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_GrandeRelleno_Read)->Unit(benchmark::kMillisecond);

void BM_GrandeRelleno_OpenAndRead(benchmark::State& state) {
    for (auto _ : state) {
        auto db = Database::Open(kFixtures + "grande.arq");
        varnolt::sqlite2::TableContents t = db->readTable("Relleno");
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(BM_GrandeRelleno_OpenAndRead)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
