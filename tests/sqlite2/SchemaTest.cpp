// SPDX-License-Identifier: AGPL-3.0-or-later
// CREATE TABLE statements as the schema keeps them: column names, declared
// types as the genuine library reports them, and the INTEGER PRIMARY KEY.
#include <gtest/gtest.h>

#include "sqlite2/Error.h"
#include "sqlite2/Schema.h"
#include "sqlite2/Tokenizer.h"

using namespace varnolt::sqlite2;

namespace {

std::vector<std::optional<std::string>> Types(const TableDef& t) {
    std::vector<std::optional<std::string>> out;
    for (const Column& c : t.columns) out.push_back(c.declaredType);
    return out;
}

std::vector<std::string> Names(const TableDef& t) {
    std::vector<std::string> out;
    for (const Column& c : t.columns) out.push_back(c.name);
    return out;
}

std::string ErrorOf(const std::string& sql) {
    try {
        ParseCreateTable(sql);
    } catch (const EngineError& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(Schema, TypesLoseTheirWhiteSpace) {
    TableDef t = ParseCreateTable(
        "create table Signos_03 (n int, k char(3), t text, extra varchar ( 500 ), "
        "d double   precision, u, q 'quoted' , z numeric(10, 2) not null default 0)");
    EXPECT_EQ(t.name, "Signos_03");
    EXPECT_EQ(Names(t), (std::vector<std::string>{"n", "k", "t", "extra", "d", "u", "q", "z"}));
    EXPECT_EQ(Types(t), (std::vector<std::optional<std::string>>{
                            "int", "char(3)", "text", "varchar(500)", "doubleprecision",
                            std::nullopt, "'quoted'", "numeric(10,2)"}));
    EXPECT_EQ(t.integerPrimaryKey, -1);
}

TEST(Schema, IntegerPrimaryKey) {
    EXPECT_EQ(ParseCreateTable("CREATE TABLE a(Id integer primary key, b text)").integerPrimaryKey, 0);
    EXPECT_EQ(ParseCreateTable("CREATE TABLE a(b text, Id INTEGER PRIMARY KEY ASC)").integerPrimaryKey, 1);
    EXPECT_EQ(ParseCreateTable("CREATE TABLE a(b text, Id InTeGeR, primary key(id))").integerPrimaryKey, 1);
    EXPECT_EQ(ParseCreateTable("CREATE TABLE a(b text, Id integer, constraint pk primary key(Id))")
                  .integerPrimaryKey,
              1);
    // Only the type "INTEGER" makes the rowid column.
    EXPECT_EQ(ParseCreateTable("CREATE TABLE a(Id int primary key, b)").integerPrimaryKey, -1);
    EXPECT_EQ(ParseCreateTable("CREATE TABLE a(Id integer(4) primary key)").integerPrimaryKey, -1);
    EXPECT_EQ(ParseCreateTable("CREATE TABLE a(Id text primary key)").integerPrimaryKey, -1);
    EXPECT_EQ(ParseCreateTable("CREATE TABLE a(x integer, y integer, primary key(x, y))").integerPrimaryKey, -1);
    EXPECT_EQ(ParseCreateTable("CREATE TABLE a(x integer unique, y)").integerPrimaryKey, -1);
}

TEST(Schema, NamesAndConstraints) {
    TableDef t = ParseCreateTable(
        "CREATE TEMP TABLE \"mi tabla\" ([a b] text DEFAULT 'x,y' CHECK (length(a) > 0), "
        "'c''d' integer NOT NULL REFERENCES otra(z) ON DELETE CASCADE, "
        "key varchar(2) collate nocase, UNIQUE (key), CHECK(1))");
    EXPECT_EQ(t.name, "mi tabla");
    EXPECT_EQ(Names(t), (std::vector<std::string>{"a b", "c'd", "key"}));
    EXPECT_EQ(Types(t), (std::vector<std::optional<std::string>>{"text", "integer", "varchar(2)"}));
}

TEST(Schema, Errors) {
    EXPECT_EQ(ErrorOf("CREATE TABLE a(x, X)"), "duplicate column name: X");
    EXPECT_EQ(ErrorOf("CREATE TABLE a()"), "near \")\": syntax error");
    EXPECT_EQ(ErrorOf("CREATE TABLE a(x"), "near \"\": syntax error");
    EXPECT_EQ(ErrorOf("CREATE INDEX i ON a(x)"), "near \"INDEX\": syntax error");
    EXPECT_EQ(ErrorOf("CREATE TABLE a(x) garbage"), "near \"garbage\": syntax error");
    EXPECT_EQ(ErrorOf("CREATE TABLE a(x, primary key(y))"), "table a has no column named y");
    EXPECT_EQ(ErrorOf("CREATE TABLE a(x 'open)"), "unrecognized token: \"'open)\"");
    EXPECT_EQ(ErrorOf("CREATE TABLE a(select)"), "near \"select\": syntax error");
}

TEST(Schema, MasterTable) {
    const TableDef& m = MasterTable();
    EXPECT_EQ(m.name, "sqlite_master");
    EXPECT_EQ(m.rootPage, 2u);
    EXPECT_EQ(Names(m), (std::vector<std::string>{"type", "name", "tbl_name", "rootpage", "sql"}));
}

TEST(Tokenizer, Dequote) {
    EXPECT_EQ(Dequote("'it''s'"), "it's");
    EXPECT_EQ(Dequote("\"a\"\"b\""), "a\"b");
    EXPECT_EQ(Dequote("[x y]"), "x y");
    EXPECT_EQ(Dequote("plain"), "plain");
    EXPECT_EQ(Dequote(""), "");
    EXPECT_TRUE(EqualsNoCase("Items_01", "ITEMS_01"));
    EXPECT_FALSE(EqualsNoCase("J\xfap", "J\xdaP"));  // only ASCII letters fold
}
