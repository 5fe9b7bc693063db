// SPDX-License-Identifier: AGPL-3.0-or-later
// The C API of the built libsqlite.so.0, loaded with dlopen and bound by name
// the way the program binds the genuine SQLite 2.8 library (the
// fifteen functions). Reads the fixtures in tests/fixtures/arq.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

#include "Sqlite2TestSupport.h"
#include "sqlite2/sqlite.h"

using namespace sqlite2_test;

namespace {

// The fifteen functions, bound by name from the built file.
struct Api {
    void* handle = nullptr;
    sqlite* (*open)(const char*, int, char**) = nullptr;
    void (*close)(sqlite*) = nullptr;
    int (*exec)(sqlite*, const char*, sqlite_callback, void*, char**) = nullptr;
    const char* (*libversion)() = nullptr;
    const char* (*libencoding)() = nullptr;
    const char* (*error_string)(int) = nullptr;
    int (*get_table)(sqlite*, const char*, char***, int*, int*, char**) = nullptr;
    void (*free_table)(char**) = nullptr;
    void (*freemem)(void*) = nullptr;
    int (*complete)(const char*) = nullptr;
    int (*last_insert_rowid)(sqlite*) = nullptr;
    void (*interrupt)(sqlite*) = nullptr;
    void (*busy_timeout)(sqlite*, int) = nullptr;
    void (*busy_handler)(sqlite*, int (*)(void*, const char*, int), void*) = nullptr;
    int (*changes)(sqlite*) = nullptr;
};

template <typename F>
bool Bind(void* handle, F& f, const char* name) {
    f = reinterpret_cast<F>(::dlsym(handle, name));
    return f != nullptr;
}

class CApi : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        api_.handle = ::dlopen(VARNOLT_SQLITE_LIB, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(api_.handle, nullptr) << ::dlerror();
        void* h = api_.handle;
        bool all = Bind(h, api_.open, "sqlite_open") & Bind(h, api_.close, "sqlite_close") &
                   Bind(h, api_.exec, "sqlite_exec") &
                   Bind(h, api_.libversion, "sqlite_libversion") &
                   Bind(h, api_.libencoding, "sqlite_libencoding") &
                   Bind(h, api_.error_string, "sqlite_error_string") &
                   Bind(h, api_.get_table, "sqlite_get_table") &
                   Bind(h, api_.free_table, "sqlite_free_table") &
                   Bind(h, api_.freemem, "sqlite_freemem") &
                   Bind(h, api_.complete, "sqlite_complete") &
                   Bind(h, api_.last_insert_rowid, "sqlite_last_insert_rowid") &
                   Bind(h, api_.interrupt, "sqlite_interrupt") &
                   Bind(h, api_.busy_timeout, "sqlite_busy_timeout") &
                   Bind(h, api_.busy_handler, "sqlite_busy_handler") &
                   Bind(h, api_.changes, "sqlite_changes");
        ASSERT_TRUE(all) << "one of the fifteen functions is missing";
    }
    static void TearDownTestSuite() {
        if (api_.handle) ::dlclose(api_.handle);
        api_ = Api{};
    }

    // Opens a fixture as the program does, with its two pragmas.
    sqlite* OpenFixture(const std::string& name) {
        char* err = nullptr;
        sqlite* db = api_.open(FixturePath(name).c_str(), 0, &err);
        EXPECT_NE(db, nullptr) << (err ? err : "");
        EXPECT_EQ(err, nullptr);
        if (db == nullptr) return nullptr;
        EXPECT_EQ(api_.exec(db, "PRAGMA show_datatypes = ON;", nullptr, nullptr, &err), SQLITE_OK);
        EXPECT_EQ(api_.exec(db, "PRAGMA empty_result_callbacks = ON;", nullptr, nullptr, &err),
                  SQLITE_OK);
        return db;
    }
    // Runs sql; returns the code and sets `message` to the freed error text.
    int Exec(sqlite* db, const std::string& sql, Dump* dump, std::string* message = nullptr,
             sqlite_callback cb = CaptureWithTypes) {
        char* err = nullptr;
        int rc = api_.exec(db, sql.c_str(), dump ? cb : nullptr, dump, &err);
        if (message) *message = err ? err : "";
        EXPECT_EQ(rc == SQLITE_OK, err == nullptr);
        if (err) api_.freemem(err);
        return rc;
    }

    static Api api_;
};

Api CApi::api_;

}  // namespace

TEST_F(CApi, VersionAndEncodingAreThoseOf28) {
    EXPECT_STREQ(api_.libversion(), "2.8.17");
    EXPECT_STREQ(api_.libencoding(), "iso8859");
    EXPECT_STREQ(api_.error_string(SQLITE_CORRUPT), "database disk image is malformed");
    EXPECT_STREQ(api_.error_string(SQLITE_OK), "not an error");
    EXPECT_STREQ(api_.error_string(SQLITE_ABORT), "callback requested query abort");
    EXPECT_STREQ(api_.error_string(SQLITE_NOTFOUND), "table or record not found");
    EXPECT_STREQ(api_.error_string(999), "unknown error");
}

TEST_F(CApi, EveryExpectedDumpThroughTheLoadedLibrary) {
    std::map<std::string, sqlite*> open;
    for (const ExpectedCase& c : LoadExpectedCases()) {
        SCOPED_TRACE(c.file + "." + c.table);
        sqlite*& db = open[c.file];
        if (db == nullptr) db = OpenFixture(c.file + ".arq");
        ASSERT_NE(db, nullptr);
        Dump got;
        std::string message;
        int rc = Exec(db, c.dump.statement, &got, &message);
        if (rc != SQLITE_OK) {
            EXPECT_EQ(rc, SQLITE_ERROR);
            got.error = message;
        }
        EXPECT_EQ(CompareDumps(c.dump, got), "");
    }
    for (auto& [name, db] : open) api_.close(db);
}

TEST_F(CApi, FilesThatAreNoDatabaseFailToOpen) {
    for (const char* name : {"no_es_base.arq", "truncado.arq"}) {
        char* err = nullptr;
        sqlite* db = api_.open(FixturePath(name).c_str(), 0, &err);
        EXPECT_EQ(db, nullptr) << name;
        ASSERT_NE(err, nullptr) << name;
        EXPECT_STREQ(err, "database disk image is malformed") << name;
        api_.freemem(err);
    }
}

TEST_F(CApi, MissingFileIsNotCreated) {
    std::string dir = MakeTempDir();
    std::string path = dir + "/nueva.arq";
    char* err = nullptr;
    sqlite* db = api_.open(path.c_str(), 0, &err);
    EXPECT_EQ(db, nullptr);
    ASSERT_NE(err, nullptr);
    EXPECT_NE(std::string(err).find("does not exist"), std::string::npos) << err;
    EXPECT_NE(std::string(err).find(path), std::string::npos) << err;
    api_.freemem(err);
    EXPECT_FALSE(std::filesystem::exists(path));
    // A null errmsg is allowed.
    EXPECT_EQ(api_.open(path.c_str(), 0, nullptr), nullptr);
    std::filesystem::remove_all(dir);
}

TEST_F(CApi, ReadOnlyFileOpensAndStaysUntouched) {
    std::string dir = MakeTempDir();
    std::string path = dir + "/copia.arq";
    std::vector<std::uint8_t> original = ReadFile(FixturePath("completo.arq"));
    WriteFile(path, original);
    ::chmod(path.c_str(), 0444);
    struct stat before {};
    ::stat(path.c_str(), &before);
    sqlite* db = api_.open(path.c_str(), 0, nullptr);
    ASSERT_NE(db, nullptr);
    Dump d;
    EXPECT_EQ(Exec(db, "PRAGMA show_datatypes = ON; select *, rowid from Items_02", &d), SQLITE_OK);
    EXPECT_EQ(d.rows.size(), 27u);
    std::string message;
    EXPECT_EQ(Exec(db, "DELETE FROM Items_02", &d, &message), SQLITE_ERROR);
    EXPECT_EQ(message, "unsupported statement in this read-only engine: DELETE FROM Items_02");
    api_.close(db);
    struct stat after {};
    ::stat(path.c_str(), &after);
    EXPECT_EQ(before.st_mtim.tv_sec, after.st_mtim.tv_sec);
    EXPECT_EQ(before.st_mtim.tv_nsec, after.st_mtim.tv_nsec);
    EXPECT_EQ(ReadFile(path), original);
    // No journal or other file beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                            std::filesystem::directory_iterator()),
              1);
    std::filesystem::remove_all(dir);
}

TEST_F(CApi, UnsupportedStatementsAreNamed) {
    sqlite* db = OpenFixture("completo.arq");
    ASSERT_NE(db, nullptr);
    for (const char* sql : {"UPDATE Items_01 SET Texto = 'x'", "insert into Casas_01 values(1,'a','b')",
                            "CREATE TABLE t(a)", "drop table Items_01", "BEGIN TRANSACTION",
                            "VACUUM", "select count(*) from Items_01",
                            "select * from Items_01 where Id = 3", "PRAGMA table_info(Items_01)"}) {
        std::string message;
        EXPECT_EQ(Exec(db, sql, nullptr, &message), SQLITE_ERROR) << sql;
        EXPECT_EQ(message, std::string("unsupported statement in this read-only engine: ") + sql);
    }
    api_.close(db);
}

TEST_F(CApi, CallbackAbortAndInterrupt) {
    sqlite* db = OpenFixture("completo.arq");
    ASSERT_NE(db, nullptr);
    std::string message;
    auto stop = [](void*, int, char**, char**) -> int { return 1; };
    EXPECT_EQ(Exec(db, "select * from Items_01", reinterpret_cast<Dump*>(1), &message, stop),
              SQLITE_ABORT);
    EXPECT_EQ(message, "callback requested query abort");

    struct Ctx {
        Api* api;
        sqlite* db;
        int rows = 0;
    } ctx{&api_, db};
    auto interrupting = [](void* p, int, char**, char**) -> int {
        auto* c = static_cast<Ctx*>(p);
        if (++c->rows == 3) c->api->interrupt(c->db);
        return 0;
    };
    char* err = nullptr;
    EXPECT_EQ(api_.exec(db, "select * from Items_01", interrupting, &ctx, &err), SQLITE_INTERRUPT);
    ASSERT_NE(err, nullptr);
    EXPECT_STREQ(err, "interrupted");
    api_.freemem(err);
    EXPECT_EQ(ctx.rows, 3);
    // The next query runs normally.
    Dump d;
    EXPECT_EQ(Exec(db, "select * from Items_01", &d), SQLITE_OK);
    EXPECT_EQ(d.rows.size(), 27u);
    api_.close(db);
}

TEST_F(CApi, ReadOnlyContractsOfTheOtherFunctions) {
    sqlite* db = OpenFixture("completo.arq");
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(api_.changes(db), 0);
    EXPECT_EQ(api_.last_insert_rowid(db), 0);
    api_.busy_timeout(db, 1000);
    api_.busy_handler(db, [](void*, const char*, int) { return 0; }, nullptr);
    Dump d;
    EXPECT_EQ(Exec(db, "select *, rowid from Casas_01", &d), SQLITE_OK);
    EXPECT_EQ(d.rows.size(), 12u);
    EXPECT_EQ(api_.changes(db), 0);
    api_.close(db);
    api_.close(nullptr);
    char* err = nullptr;
    EXPECT_EQ(api_.exec(nullptr, "select 1", nullptr, nullptr, &err), SQLITE_MISUSE);
    ASSERT_NE(err, nullptr);
    api_.freemem(err);
    api_.freemem(nullptr);
}

TEST_F(CApi, GetTable) {
    sqlite* db = OpenFixture("completo.arq");
    ASSERT_NE(db, nullptr);
    char** result = nullptr;
    int rows = -1, columns = -1;
    char* err = nullptr;
    ASSERT_EQ(api_.get_table(db, "select *, rowid from Casas_01", &result, &rows, &columns, &err),
              SQLITE_OK);
    EXPECT_EQ(err, nullptr);
    EXPECT_EQ(rows, 12);
    ASSERT_EQ(columns, 4);
    EXPECT_STREQ(result[3], "rowid");
    // Row 1 starts after the names.
    EXPECT_STREQ(result[columns + 1], "C01");
    EXPECT_STREQ(result[columns * 12 + 1], "C12");
    api_.free_table(result);

    // An empty table: the names only, thanks to empty_result_callbacks.
    sqlite* empty = OpenFixture("tablas_vacias.arq");
    ASSERT_NE(empty, nullptr);
    ASSERT_EQ(api_.get_table(empty, "select * from Items_01", &result, &rows, &columns, &err),
              SQLITE_OK);
    EXPECT_EQ(rows, 0);
    EXPECT_EQ(columns, 3);
    EXPECT_STREQ(result[0], "Id");
    api_.free_table(result);
    EXPECT_EQ(Exec(empty, "PRAGMA empty_result_callbacks = OFF", nullptr), SQLITE_OK);
    ASSERT_EQ(api_.get_table(empty, "select * from Items_01", &result, &rows, &columns, &err),
              SQLITE_OK);
    EXPECT_EQ(rows, 0);
    EXPECT_EQ(columns, 0);
    api_.free_table(result);

    // NULL values stay null pointers.
    sqlite* big = OpenFixture("grande.arq");
    ASSERT_NE(big, nullptr);
    ASSERT_EQ(api_.get_table(big, "select c from Relleno", &result, &rows, &columns, &err),
              SQLITE_OK);
    ASSERT_EQ(columns, 1);
    int nulls = 0;
    for (int r = 1; r <= rows; ++r) nulls += result[r] == nullptr;
    EXPECT_GT(nulls, 0);
    api_.free_table(result);

    // Errors come back through errmsg.
    EXPECT_EQ(api_.get_table(db, "select * from Nope", &result, &rows, &columns, &err),
              SQLITE_ERROR);
    ASSERT_NE(err, nullptr);
    EXPECT_STREQ(err, "no such table: Nope");
    api_.freemem(err);
    // Two queries with different column counts cannot share a table.
    EXPECT_EQ(api_.get_table(db, "select * from Casas_01; select * from Signos_01", &result,
                             &rows, &columns, &err),
              SQLITE_ERROR);
    ASSERT_NE(err, nullptr);
    EXPECT_STREQ(err, "sqlite_get_table() called with two or more incompatible queries");
    api_.freemem(err);
    api_.free_table(nullptr);
    api_.close(db);
    api_.close(empty);
    api_.close(big);
}

TEST_F(CApi, Complete) {
    struct Case {
        const char* sql;
        int complete;
    };
    const Case cases[] = {
        {"", 1},
        {"   \n\t", 1},
        {";", 1},
        {"select * from t", 0},
        {"select * from t;", 1},
        {"select * from t;  \n", 1},
        {"select * from t; -- done", 1},
        {"select * from t -- no end;", 0},
        {"select * from t /* ; */", 0},
        {"select * from t /* ; */;", 1},
        {"select * from t /* unclosed ;", 0},
        {"select 'a;b' from t", 0},
        {"select 'a;b' from t;", 1},
        {"select 'unclosed; from t;", 0},
        {"select \"x;\" from t;", 1},
        {"select [a;b] from t", 0},
        {"select [a;b] from t;", 1},
        {"select 'it''s';", 1},
        {"PRAGMA show_datatypes = ON;", 1},
        {"select 1; select 2", 0},
        {"select 1; select 2;", 1},
        {"CREATE TRIGGER tr AFTER INSERT ON t BEGIN SELECT 1;", 0},
        {"CREATE TRIGGER tr AFTER INSERT ON t BEGIN SELECT 1; END;", 1},
        {"create temp trigger tr after insert on t begin select 1; end ;", 1},
        {"EXPLAIN select 1;", 1},
        {"create table t(a);", 1},
        {"-- only a comment", 1},
        {"-- a comment\nselect 1", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(api_.complete(c.sql), c.complete) << c.sql;
    }
}
