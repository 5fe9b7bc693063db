// SPDX-License-Identifier: AGPL-3.0-or-later
// The statements sqlite_exec understands, on the fixtures of
// tests/fixtures/arq (completo.arq, tablas_vacias.arq, grande.arq): letter
// case, white space and comments, several statements in one text, the two
// pragmas, column lists, and the errors of everything else.
#include <gtest/gtest.h>

#include "Sqlite2TestSupport.h"
#include "sqlite2/Engine.h"
#include "sqlite2/Statement.h"

using namespace sqlite2_test;
using varnolt::sqlite2::Database;
using varnolt::sqlite2::ExecStatus;
using varnolt::sqlite2::EngineError;

namespace {

class Statements : public ::testing::Test {
protected:
    void SetUp() override {
        db_ = Database::Open(FixturePath("completo.arq"));
        ASSERT_TRUE(db_->exec("PRAGMA show_datatypes = ON;", nullptr, nullptr).ok());
        ASSERT_TRUE(db_->exec("PRAGMA empty_result_callbacks = ON;", nullptr, nullptr).ok());
    }
    Dump Run(const std::string& sql, ExecStatus* status = nullptr) {
        Dump d;
        ExecStatus s = db_->exec(sql, db_->showDatatypes() ? CaptureWithTypes : CaptureNoTypes, &d);
        if (!s.ok()) d.error = s.message;
        if (status) *status = s;
        return d;
    }
    std::unique_ptr<Database> db_;
};

const std::vector<std::string> kItemsColumns = {"Id", "Clave", "Texto", "rowid"};

}  // namespace

TEST_F(Statements, LetterCaseWhiteSpaceAndEndings) {
    Dump reference = Run("select *, rowid from Items_01\n");
    ASSERT_FALSE(reference.error);
    ASSERT_EQ(reference.rows.size(), 27u);
    for (const char* sql : {"select *, rowid from Items_01", "select *, rowid from Items_01;",
                            "SELECT *,rowid FROM ITEMS_01 ;", "  select\t*\n,\r\nrowid   from items_01;;\n",
                            "select /* all */ *, rowid -- and the rowid\n from Items_01",
                            "Select * , rowid From [Items_01]", "select *, rowid from \"Items_01\";",
                            "select *, rowid from main.Items_01"}) {
        Dump d = Run(sql);
        EXPECT_EQ(CompareDumps(reference, d), "") << sql;
    }
    // The rowid column is named as it is written.
    Dump upper = Run("SELECT *, ROWID FROM Items_01");
    EXPECT_EQ(upper.columns.back(), "ROWID");
}

TEST_F(Statements, SeveralStatementsRunInOrder) {
    Dump d = Run("PRAGMA show_datatypes = OFF; select * from Casas_01; select * from Casas_01");
    ASSERT_FALSE(d.error);
    EXPECT_EQ(d.rows.size(), 24u);
    EXPECT_FALSE(db_->showDatatypes());
    // An error stops the statements after it.
    ExecStatus s;
    Dump e = Run("PRAGMA show_datatypes = ON; select * from Nope; PRAGMA empty_result_callbacks = OFF",
                 &s);
    EXPECT_EQ(s.code, varnolt::sqlite2::kError);
    EXPECT_EQ(s.message, "no such table: Nope");
    EXPECT_TRUE(db_->showDatatypes());
    EXPECT_TRUE(db_->emptyResultCallbacks());
    // Empty statements do nothing.
    EXPECT_TRUE(db_->exec(" ; ;; -- nothing\n", nullptr, nullptr).ok());
    EXPECT_TRUE(db_->exec("", nullptr, nullptr).ok());
}

TEST_F(Statements, ShowDatatypesOffGivesNamesOnly) {
    ASSERT_TRUE(db_->exec("pragma SHOW_DATATYPES = off", nullptr, nullptr).ok());
    struct Seen {
        bool typeSlotNull = false;
        int calls = 0;
    } seen;
    auto cb = [](void* p, int n, char**, char** names) {
        auto* s = static_cast<Seen*>(p);
        s->typeSlotNull = names[n] == nullptr;
        s->calls++;
        return 0;
    };
    ASSERT_TRUE(db_->exec("select *, rowid from Items_01", cb, &seen).ok());
    EXPECT_EQ(seen.calls, 27);
    EXPECT_TRUE(seen.typeSlotNull);
}

TEST_F(Statements, EmptyResultCallbacks) {
    auto empty = Database::Open(FixturePath("tablas_vacias.arq"));
    Dump d;
    ASSERT_TRUE(empty->exec("PRAGMA show_datatypes = ON", nullptr, nullptr).ok());
    ASSERT_TRUE(empty->exec("select *, rowid from Items_01", CaptureWithTypes, &d).ok());
    EXPECT_EQ(d.calls, 0);  // off by default
    ASSERT_TRUE(empty->exec("PRAGMA empty_result_callbacks = 1", nullptr, nullptr).ok());
    ASSERT_TRUE(empty->exec("select *, rowid from Items_01", CaptureWithTypes, &d).ok());
    EXPECT_EQ(d.calls, 1);
    EXPECT_TRUE(d.emptyCall);
    EXPECT_EQ(d.columns, kItemsColumns);
    ASSERT_TRUE(empty->exec("PRAGMA empty_result_callbacks = no", nullptr, nullptr).ok());
    Dump none;
    ASSERT_TRUE(empty->exec("select *, rowid from Items_01", CaptureWithTypes, &none).ok());
    EXPECT_EQ(none.calls, 0);
}

TEST_F(Statements, PragmaValues) {
    struct Case {
        const char* value;
        bool on;
    };
    for (const Case& c : std::vector<Case>{{"ON", true},     {"off", false},  {"1", true},
                                           {"0", false},     {"yes", true},   {"no", false},
                                           {"TRUE", true},   {"false", false}, {"'on'", true},
                                           {"-1", true},     {"2", true},     {"\"yes\"", true},
                                           {"whatever", false}, {"+1", true},  {"-0", false},
                                           {"007", true}}) {
        ASSERT_TRUE(db_->exec(std::string("PRAGMA show_datatypes = ") + c.value, nullptr, nullptr).ok())
            << c.value;
        EXPECT_EQ(db_->showDatatypes(), c.on) << c.value;
    }
    ASSERT_TRUE(db_->exec("PRAGMA empty_result_callbacks(0)", nullptr, nullptr).ok());
    EXPECT_FALSE(db_->emptyResultCallbacks());
    // Without a value the pragma reports its state.
    Dump d;
    ASSERT_TRUE(db_->exec("PRAGMA show_datatypes", CaptureWithTypes, &d).ok());
    ASSERT_EQ(d.rows.size(), 1u);
    EXPECT_EQ(d.rows[0][0], Cell("1"));  // after "007"
    EXPECT_EQ(d.columns, std::vector<std::string>{"show_datatypes"});
    EXPECT_EQ(d.types, std::vector<Cell>{Cell("boolean")});
}

TEST_F(Statements, ColumnLists) {
    Dump d = Run("select Clave, Texto from Items_01");
    ASSERT_FALSE(d.error) << *d.error;
    EXPECT_EQ(d.columns, (std::vector<std::string>{"Clave", "Texto"}));
    EXPECT_EQ(d.types, (std::vector<Cell>{Cell("varchar(10)"), Cell("text")}));
    EXPECT_EQ(d.rows[0], (std::vector<Cell>{Cell("Sol"), Cell("Sol 01: texto del \xedtem Sol (completo)")}));

    d = Run("select oid, _rowid_, id, Items_01.Clave from Items_01");
    ASSERT_FALSE(d.error) << *d.error;
    EXPECT_EQ(d.columns, (std::vector<std::string>{"oid", "_rowid_", "id", "Items_01.Clave"}));
    EXPECT_EQ(d.types, (std::vector<Cell>{Cell("integer"), Cell("integer"), Cell("integer"),
                                          Cell("varchar(10)")}));
    EXPECT_EQ(d.rows[5], (std::vector<Cell>{Cell("6"), Cell("6"), Cell("6"), Cell("J\xfap")}));

    d = Run("select rowid, * from Casas_01");
    ASSERT_FALSE(d.error);
    EXPECT_EQ(d.types.front(), Cell("INTEGER"));
    EXPECT_EQ(d.columns.size(), 4u);

    d = Run("select x.*, x.Clave AS k, Texto t from Items_01 AS x");
    ASSERT_FALSE(d.error) << *d.error;
    EXPECT_EQ(d.columns, (std::vector<std::string>{"Id", "Clave", "Texto", "k", "t"}));

    d = Run("select Nope from Items_01");
    EXPECT_EQ(d.error, Cell("no such column: Nope"));
    d = Run("select y.Clave from Items_01 x");
    EXPECT_EQ(d.error, Cell("no such column: y.Clave"));
    d = Run("select y.* from Items_01");
    EXPECT_EQ(d.error, Cell("no such table: y"));
    d = Run("select * from temp.Items_01");
    EXPECT_EQ(d.error, Cell("no such table: temp.Items_01"));
}

TEST_F(Statements, TheSchemaTableReadsLikeAnyTable) {
    Dump d = Run("select *, rowid from sqlite_master");
    ASSERT_FALSE(d.error) << *d.error;
    EXPECT_EQ(d.columns,
              (std::vector<std::string>{"type", "name", "tbl_name", "rootpage", "sql", "rowid"}));
    EXPECT_EQ(d.types, (std::vector<Cell>{Cell("text"), Cell("text"), Cell("text"),
                                          Cell("integer"), Cell("text"), Cell("INTEGER")}));
    EXPECT_EQ(d.rows.size(), db_->schemaEntries().size());
    EXPECT_EQ(d.rows.size(), 13u);
}

TEST_F(Statements, UnsupportedStatementsAndBadTokens) {
    ExecStatus s;
    Run("update Items_01 set Texto = 'x'", &s);
    EXPECT_EQ(s.code, varnolt::sqlite2::kError);
    EXPECT_EQ(s.message, "unsupported statement in this read-only engine: update Items_01 set Texto = 'x'");
    // Long statements are cut in the message.
    std::string longSql = "INSERT INTO Items_01 VALUES(1, 'Sol', '" + std::string(200, 'x') + "')";
    Run(longSql, &s);
    EXPECT_EQ(s.message.rfind("unsupported statement in this read-only engine: INSERT INTO Items_01", 0), 0u);
    EXPECT_LT(s.message.size(), 160u);
    Run("select * from Items_01 where Id = `3`", &s);
    EXPECT_EQ(s.message, "unrecognized token: \"`\"");
    Run("select * from Items_01 where Clave = 'abierta", &s);
    EXPECT_EQ(s.message, "unrecognized token: \"'abierta\"");
    Run("PRAGMA full_column_names = ON", &s);
    EXPECT_EQ(s.message, "unsupported statement in this read-only engine: PRAGMA full_column_names = ON");
    for (const char* sql : {"select", "select * from", "select *, from Items_01", "select * Items_01",
                            "select distinct * from Items_01", "select * from Items_01 order by Id",
                            "select * from Items_01, Items_02", "explain select * from Items_01",
                            "PRAGMA", "PRAGMA show_datatypes = ", "PRAGMA show_datatypes = ON OFF",
                            "attach 'x' as y", "commit", "(select 1)"}) {
        Run(sql, &s);
        EXPECT_EQ(s.code, varnolt::sqlite2::kError) << sql;
        EXPECT_EQ(s.message.rfind("unsupported statement in this read-only engine: ", 0), 0u)
            << sql << " -> " << s.message;
    }
}

TEST_F(Statements, CallbackMayBeNull) {
    EXPECT_TRUE(db_->exec("select *, rowid from Aspectos_03", nullptr, nullptr).ok());
    EXPECT_EQ(db_->exec("select * from Nope", nullptr, nullptr).message, "no such table: Nope");
}

TEST(StatementReader, SplitsAndParsesOneAtATime) {
    using namespace varnolt::sqlite2;
    StatementReader reader("pragma Show_Datatypes(on) ; SELECT a , t.b AS x, t.* FROM main.T t;"
                           " ; update T set a = 1; select 'never reached'");
    Statement s;
    ASSERT_TRUE(reader.next(s));
    auto* p = std::get_if<PragmaStatement>(&s);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->name, "Show_Datatypes");
    EXPECT_EQ(p->value, std::optional<std::string>("on"));
    ASSERT_TRUE(reader.next(s));
    auto* sel = std::get_if<SelectStatement>(&s);
    ASSERT_NE(sel, nullptr);
    EXPECT_EQ(sel->database, "main");
    EXPECT_EQ(sel->table, "T");
    EXPECT_EQ(sel->alias, std::optional<std::string>("t"));
    ASSERT_EQ(sel->items.size(), 3u);
    EXPECT_EQ(sel->items[0].kind, ResultItem::kColumn);
    EXPECT_EQ(sel->items[0].written, "a");
    EXPECT_EQ(sel->items[1].qualifier, "t");
    EXPECT_EQ(sel->items[1].column, "b");
    EXPECT_EQ(sel->items[1].written, "t.b");
    EXPECT_EQ(sel->items[1].alias, std::optional<std::string>("x"));
    EXPECT_EQ(sel->items[2].kind, ResultItem::kTableStar);
    try {
        reader.next(s);
        ADD_FAILURE() << "the UPDATE should fail";
    } catch (const EngineError& e) {
        EXPECT_STREQ(e.what(), "unsupported statement in this read-only engine: update T set a = 1");
    }
}
