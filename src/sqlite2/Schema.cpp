// SPDX-License-Identifier: AGPL-3.0-or-later
// The schema table sqlite_master and the CREATE TABLE statements it keeps.
//
// The bytes handled here: sqlite_master is the table b-tree rooted at page 2;
// each row is a record of five texts: type, name, tbl_name, rootpage (decimal)
// and sql (the CREATE statement as typed). Tables are read from the rows of
// type "table": their columns, declared types (white space removed) and
// INTEGER PRIMARY KEY come from parsing that statement. More in Schema.h.
#include "sqlite2/Schema.h"

#include <cctype>

#include "sqlite2/Btree.h"
#include "sqlite2/Error.h"
#include "sqlite2/Pager.h"
#include "sqlite2/Record.h"
#include "sqlite2/Tokenizer.h"

namespace varnolt::sqlite2 {

namespace {

// Significant tokens of one statement (white space and comments dropped).
class TokenStream {
public:
    explicit TokenStream(std::string_view sql) : sql_(sql) {
        std::size_t at = 0;
        for (;;) {
            Token t = NextToken(sql, at);
            if (t.type == TokenType::kEnd) break;
            at = t.start + t.length;
            if (t.type == TokenType::kSpace || t.type == TokenType::kComment) continue;
            if (t.type == TokenType::kIllegal) {
                throw EngineError(kError, "unrecognized token: \"" + std::string(text(t)) + "\"");
            }
            tokens_.push_back(t);
        }
        end_.start = sql.size();
    }
    const Token& peek(std::size_t ahead = 0) const {
        return pos_ + ahead < tokens_.size() ? tokens_[pos_ + ahead] : end_;
    }
    const Token& take() {
        const Token& t = peek();
        if (pos_ < tokens_.size()) ++pos_;
        return t;
    }
    std::string_view text(const Token& t) const { return sql_.substr(t.start, t.length); }
    bool isWord(const Token& t, std::string_view word) const {
        return t.type == TokenType::kId && EqualsNoCase(text(t), word);
    }
    [[noreturn]] void syntaxError(const Token& t) const {
        if (t.type == TokenType::kEnd) {
            throw EngineError(kError, "near \"\": syntax error");
        }
        throw EngineError(kError, "near \"" + std::string(text(t)) + "\": syntax error");
    }
    void expect(TokenType type) {
        if (peek().type != type) syntaxError(peek());
        take();
    }
    void expectWord(std::string_view word) {
        if (!isWord(peek(), word)) syntaxError(peek());
        take();
    }
    // A name: an identifier that is not a reserved word, or a string.
    bool isName(const Token& t) const {
        return t.type == TokenType::kString ||
               (t.type == TokenType::kId && !IsReservedWord(text(t)));
    }
    std::string takeName() {
        if (!isName(peek())) syntaxError(peek());
        return Dequote(text(take()));
    }
    // Skips to the ',' or ')' that ends the current definition, at depth 0.
    // Reports whether the words PRIMARY KEY were met at depth 0.
    bool skipDefinitionRest() {
        int depth = 0;
        bool primaryKey = false;
        for (;;) {
            const Token& t = peek();
            if (t.type == TokenType::kEnd) syntaxError(t);
            if (depth == 0 && (t.type == TokenType::kComma || t.type == TokenType::kRightParen)) {
                return primaryKey;
            }
            if (t.type == TokenType::kLeftParen) ++depth;
            if (t.type == TokenType::kRightParen) --depth;
            if (depth == 0 && isWord(t, "PRIMARY") && isWord(peek(1), "KEY")) primaryKey = true;
            take();
        }
    }

private:
    std::string_view sql_;
    std::vector<Token> tokens_;
    std::size_t pos_ = 0;
    Token end_;
};

bool IsTableConstraintStart(const TokenStream& ts, const Token& t) {
    return ts.isWord(t, "CONSTRAINT") || ts.isWord(t, "PRIMARY") || ts.isWord(t, "UNIQUE") ||
           ts.isWord(t, "CHECK") || ts.isWord(t, "FOREIGN");
}

std::string WithoutSpace(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (!std::isspace(static_cast<unsigned char>(c))) out.push_back(c);
    }
    return out;
}

// Parses the table constraints after the columns; returns the column named by
// a one-column PRIMARY KEY constraint, or an empty text.
std::string ParseTableConstraints(TokenStream& ts, bool& sawPrimaryKey) {
    std::string pkColumn;
    for (;;) {
        const Token& t = ts.peek();
        if (t.type == TokenType::kRightParen) return pkColumn;
        if (t.type == TokenType::kComma) {
            ts.take();
            continue;
        }
        if (ts.isWord(t, "CONSTRAINT")) {
            ts.take();
            ts.takeName();
            continue;
        }
        if (ts.isWord(t, "PRIMARY")) {
            ts.take();
            ts.expectWord("KEY");
            ts.expect(TokenType::kLeftParen);
            std::vector<std::string> names;
            for (;;) {
                names.push_back(ts.takeName());
                if (ts.isWord(ts.peek(), "ASC") || ts.isWord(ts.peek(), "DESC")) ts.take();
                if (ts.peek().type == TokenType::kComma) {
                    ts.take();
                    continue;
                }
                break;
            }
            ts.expect(TokenType::kRightParen);
            if (!sawPrimaryKey && names.size() == 1) pkColumn = names[0];
            sawPrimaryKey = true;
            ts.skipDefinitionRest();
            continue;
        }
        if (IsTableConstraintStart(ts, t)) {
            ts.take();
            ts.skipDefinitionRest();
            continue;
        }
        ts.syntaxError(t);
    }
}

}  // namespace

TableDef ParseCreateTable(std::string_view sql) {
    TokenStream ts(sql);
    TableDef def;
    def.sql = std::string(sql);
    ts.expectWord("CREATE");
    if (ts.isWord(ts.peek(), "TEMP") || ts.isWord(ts.peek(), "TEMPORARY")) ts.take();
    ts.expectWord("TABLE");
    def.name = ts.takeName();
    ts.expect(TokenType::kLeftParen);

    int pkIndex = -1;
    bool sawPrimaryKey = false;
    bool constraintsFollow = false;
    std::string pkName;
    for (;;) {
        const Token& first = ts.peek();
        if (IsTableConstraintStart(ts, first)) {
            if (def.columns.empty()) ts.syntaxError(first);
            pkName = ParseTableConstraints(ts, sawPrimaryKey);
            constraintsFollow = true;
            break;
        }
        Column col;
        col.name = ts.takeName();
        for (const Column& other : def.columns) {
            if (EqualsNoCase(other.name, col.name)) {
                throw EngineError(kError, "duplicate column name: " + col.name);
            }
        }
        // The type: names, then optionally a parenthesised size.
        if (ts.isName(ts.peek())) {
            std::size_t typeStart = ts.peek().start;
            std::size_t typeEnd = typeStart;
            while (ts.isName(ts.peek())) {
                const Token& t = ts.take();
                typeEnd = t.start + t.length;
            }
            if (ts.peek().type == TokenType::kLeftParen) {
                ts.take();
                int depth = 1;
                while (depth > 0) {
                    const Token& t = ts.take();
                    if (t.type == TokenType::kEnd) ts.syntaxError(t);
                    if (t.type == TokenType::kLeftParen) ++depth;
                    if (t.type == TokenType::kRightParen) --depth;
                    typeEnd = t.start + t.length;
                }
            }
            col.declaredType = WithoutSpace(sql.substr(typeStart, typeEnd - typeStart));
        }
        if (ts.skipDefinitionRest()) {
            if (!sawPrimaryKey) pkIndex = int(def.columns.size());
            sawPrimaryKey = true;
        }
        def.columns.push_back(std::move(col));
        const Token& sep = ts.take();
        if (sep.type == TokenType::kRightParen) break;
        // A comma: another column or the table constraints follow.
    }
    if (constraintsFollow) ts.expect(TokenType::kRightParen);
    if (ts.peek().type == TokenType::kSemi) ts.take();
    if (ts.peek().type != TokenType::kEnd) ts.syntaxError(ts.peek());

    if (!pkName.empty()) {
        pkIndex = -1;
        for (std::size_t i = 0; i < def.columns.size(); ++i) {
            if (EqualsNoCase(def.columns[i].name, pkName)) pkIndex = int(i);
        }
        if (pkIndex < 0) {
            throw EngineError(kError, "table " + def.name + " has no column named " + pkName);
        }
    }
    if (pkIndex >= 0 && def.columns[pkIndex].declaredType &&
        EqualsNoCase(*def.columns[pkIndex].declaredType, "INTEGER")) {
        def.integerPrimaryKey = pkIndex;
    }
    return def;
}

const TableDef& MasterTable() {
    static const TableDef master = [] {
        TableDef def = ParseCreateTable(
            "CREATE TABLE sqlite_master(\n  type text,\n  name text,\n  tbl_name text,\n"
            "  rootpage integer,\n  sql text\n)");
        def.rootPage = kSchemaRootPage;
        return def;
    }();
    return master;
}

void Schema::load(Pager& pager) {
    entries_.clear();
    tables_.clear();
    views_.clear();
    if (pager.empty()) {
        return;
    }
    TableCursor cursor(pager, kSchemaRootPage);
    while (cursor.next()) {
        RecordReader record(cursor.data());
        SchemaEntry e;
        e.rowid = cursor.rowid();
        auto get = [&](std::size_t i) -> std::optional<std::string> {
            auto v = record.field(i);
            return v ? std::optional<std::string>(std::string(*v)) : std::nullopt;
        };
        e.type = get(0);
        e.name = get(1);
        e.tableName = get(2);
        e.rootPage = get(3);
        e.sql = get(4);
        entries_.push_back(std::move(e));
    }
    // Tables first, then everything else, as the genuine library reads them.
    for (const SchemaEntry& e : entries_) {
        if (!e.type || *e.type != "table" || !e.sql || e.sql->empty()) continue;
        TableDef def;
        try {
            def = ParseCreateTable(*e.sql);
        } catch (const EngineError& err) {
            throw EngineError(kError, std::string("malformed database schema - ") + err.what());
        }
        // The root page is the leading decimal digits of the stored text.
        std::uint64_t root = 0;
        if (e.rootPage) {
            for (char c : *e.rootPage) {
                if (c < '0' || c > '9') break;
                root = root * 10 + std::uint64_t(c - '0');
                if (root > 0xffffffffu) break;
            }
        }
        def.rootPage = root > 0xffffffffu ? 0 : std::uint32_t(root);
        if (findTable(def.name) == nullptr) {
            tables_.push_back(std::move(def));
        }
    }
    for (const SchemaEntry& e : entries_) {
        if (e.type && *e.type == "view" && e.name) views_.push_back(*e.name);
    }
}

const TableDef* Schema::findTable(std::string_view name) const {
    for (const TableDef& t : tables_) {
        if (EqualsNoCase(t.name, name)) return &t;
    }
    if (EqualsNoCase(name, "sqlite_master")) return &MasterTable();
    return nullptr;
}

bool Schema::isView(std::string_view name) const {
    for (const std::string& v : views_) {
        if (EqualsNoCase(v, name)) return true;
    }
    return false;
}

}  // namespace varnolt::sqlite2
