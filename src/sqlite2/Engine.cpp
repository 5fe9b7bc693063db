// Read-only engine for SQLite 2.8 files: opening, table reading, and the
// small statement language of sqlite_exec (see Engine.h).
#include "sqlite2/Engine.h"

#include <cerrno>
#include <new>
#include <sys/stat.h>

#include "sqlite2/Btree.h"
#include "sqlite2/Pager.h"
#include "sqlite2/Record.h"

namespace varnolt::sqlite2 {

namespace {

constexpr std::size_t kMaxQuotedStatement = 80;

// The text of a statement as typed, shortened for an error message.
std::string StatementText(std::string_view sql, const std::vector<Token>& tokens) {
    std::size_t start = tokens.front().start;
    std::size_t end = tokens.back().start + tokens.back().length;
    std::string text(sql.substr(start, end - start));
    if (text.size() > kMaxQuotedStatement) {
        text.resize(kMaxQuotedStatement);
        text += " ...";
    }
    return text;
}

[[noreturn]] void Unsupported(std::string_view sql, const std::vector<Token>& tokens) {
    throw EngineError(kError, "unsupported statement in this read-only engine: " +
                                  StatementText(sql, tokens));
}

// Runs of white space become one blank, none at either end: how the genuine
// library names a result column after the text of its expression.
std::string CompressSpace(std::string_view text) {
    std::string out;
    bool pending = false;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
            pending = !out.empty();
            continue;
        }
        if (pending) out.push_back(' ');
        pending = false;
        out.push_back(c);
    }
    return out;
}

// The truth of a pragma value, as the genuine library reads it.
bool PragmaBoolean(std::string_view value) {
    if (value.empty()) return false;
    std::size_t i = 0;
    bool negative = false;
    if (value[0] == '-' || value[0] == '+') {
        negative = value[0] == '-';
        i = 1;
    }
    if (i < value.size() && value[i] >= '0' && value[i] <= '9') {
        if (value[0] == '+') return false;  // "+1" is no number to the genuine library
        long n = 0;
        for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
            n = n * 10 + (value[i] - '0');
            if (n > 1000000) break;
        }
        return (negative ? -n : n) != 0;
    }
    return EqualsNoCase(value, "yes") || EqualsNoCase(value, "on") || EqualsNoCase(value, "true");
}

bool IsRowidName(std::string_view name) {
    return EqualsNoCase(name, "rowid") || EqualsNoCase(name, "_rowid_") ||
           EqualsNoCase(name, "oid");
}

// Cursor over the significant tokens of one statement.
struct Tokens {
    std::string_view sql;
    const std::vector<Token>& list;
    std::size_t pos = 0;

    const Token* peek(std::size_t ahead = 0) const {
        return pos + ahead < list.size() ? &list[pos + ahead] : nullptr;
    }
    std::string_view text(const Token* t) const {
        return t ? sql.substr(t->start, t->length) : std::string_view();
    }
    bool is(std::size_t ahead, TokenType type) const {
        const Token* t = peek(ahead);
        return t && t->type == type;
    }
    bool isWord(std::size_t ahead, std::string_view word) const {
        const Token* t = peek(ahead);
        return t && t->type == TokenType::kId && EqualsNoCase(text(t), word);
    }
    bool isName(std::size_t ahead) const {
        const Token* t = peek(ahead);
        return t && (t->type == TokenType::kString ||
                     (t->type == TokenType::kId && !IsReservedWord(text(t))));
    }
    bool atEnd() const { return pos >= list.size(); }
};

}  // namespace

// A planned "SELECT ... FROM table": the result columns and where each value
// comes from (a column index, or -1 for the rowid).
struct Database::Plan {
    const TableDef* table = nullptr;
    std::vector<std::string> names;
    std::vector<std::optional<std::string>> types;
    std::vector<int> sources;
};

Database::Database() = default;
Database::~Database() = default;

std::unique_ptr<Database> Database::Open(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            throw EngineError(kCantOpen, "unable to open database file: " + path +
                                             " does not exist (this read-only engine "
                                             "never creates a database)");
        }
        throw EngineError(kCantOpen, "unable to open database file: " + path);
    }
    if (!S_ISREG(st.st_mode)) {
        throw EngineError(kCantOpen, "unable to open database file: " + path +
                                         " is not a regular file");
    }
    std::unique_ptr<Database> db(new Database());
    try {
        db->pager_ = Pager::OpenFile(path);
    } catch (const EngineError& e) {
        if (e.code() == kCantOpen) {
            throw EngineError(kCantOpen, "unable to open database file: " + path);
        }
        throw;
    }
    db->openSchema();
    return db;
}

std::unique_ptr<Database> Database::OpenMemory(const void* data, std::size_t size) {
    std::unique_ptr<Database> db(new Database());
    db->pager_ = Pager::OpenMemory(static_cast<const std::uint8_t*>(data), size);
    db->openSchema();
    return db;
}

void Database::openSchema() {
    std::uint32_t format = pager_->meta(2);
    if (format > 4) {
        throw EngineError(kError, "unsupported file format");
    }
    schema_.load(*pager_);
}

std::vector<std::string> Database::tableNames() const {
    std::vector<std::string> names;
    for (const TableDef& t : schema_.tables()) names.push_back(t.name);
    return names;
}

const TableDef* Database::table(std::string_view name) const { return schema_.findTable(name); }

const std::vector<SchemaEntry>& Database::schemaEntries() const { return schema_.entries(); }

bool Database::bigEndian() const { return pager_->bigEndian(); }

std::uint32_t Database::pageCount() const { return pager_->pageCount(); }

std::uint32_t Database::fileFormat() const { return pager_->meta(2); }

void Database::forEachRow(const TableDef& table, const RowVisitor& visit) const {
    if (pager_->empty()) return;
    TableCursor cursor(*pager_, table.rootPage);
    std::vector<Value> values(table.columns.size());
    while (cursor.next()) {
        RecordReader record(cursor.data());
        for (std::size_t i = 0; i < table.columns.size(); ++i) {
            if (int(i) == table.integerPrimaryKey) {
                values[i] = std::to_string(cursor.rowid());
            } else if (auto v = record.field(i)) {
                values[i] = std::string(*v);
            } else {
                values[i].reset();
            }
        }
        if (!visit(cursor.rowid(), values)) return;
    }
}

void Database::runPlan(const Plan& plan,
                       const std::function<bool(const std::vector<const char*>&)>& row) const {
    if (pager_->empty()) return;
    const TableDef& table = *plan.table;
    TableCursor cursor(*pager_, table.rootPage);
    std::vector<std::string> texts(plan.sources.size());
    std::vector<const char*> argv(plan.sources.size() + 1, nullptr);
    while (cursor.next()) {
        if (interrupted_) {
            throw EngineError(kInterrupt);
        }
        RecordReader record(cursor.data());
        for (std::size_t i = 0; i < plan.sources.size(); ++i) {
            int src = plan.sources[i];
            if (src < 0 || src == table.integerPrimaryKey) {
                texts[i] = std::to_string(cursor.rowid());
                argv[i] = texts[i].c_str();
            } else if (auto v = record.field(std::size_t(src))) {
                texts[i].assign(v->data(), v->size());
                argv[i] = texts[i].c_str();
            } else {
                argv[i] = nullptr;
            }
        }
        if (!row(argv)) return;
    }
}

TableContents Database::readTable(std::string_view name) const {
    const TableDef* table = schema_.findTable(name);
    if (table == nullptr) {
        throw EngineError(kError, "no such table: " + std::string(name));
    }
    Plan plan;
    plan.table = table;
    for (std::size_t j = 0; j < table->columns.size(); ++j) {
        plan.names.push_back(table->columns[j].name);
        plan.types.push_back(table->columns[j].declaredType);
        plan.sources.push_back(int(j));
    }
    plan.names.push_back("rowid");
    plan.types.push_back(table->integerPrimaryKey >= 0
                             ? table->columns[table->integerPrimaryKey].declaredType
                             : std::optional<std::string>("INTEGER"));
    plan.sources.push_back(-1);

    TableContents out;
    out.columnNames = plan.names;
    out.columnTypes = plan.types;
    runPlan(plan, [&](const std::vector<const char*>& argv) {
        std::vector<Value> row;
        row.reserve(plan.sources.size());
        for (std::size_t i = 0; i < plan.sources.size(); ++i) {
            row.push_back(argv[i] ? Value(argv[i]) : std::nullopt);
        }
        out.rows.push_back(std::move(row));
        return true;
    });
    return out;
}

ExecStatus Database::exec(std::string_view sql, ExecCallback callback, void* argument) {
    interrupted_ = false;
    std::size_t at = 0;
    try {
        for (;;) {
            std::vector<Token> tokens;
            bool atEnd = false;
            for (;;) {
                Token t = NextToken(sql, at);
                if (t.type == TokenType::kEnd) {
                    atEnd = true;
                    break;
                }
                at = t.start + t.length;
                if (t.type == TokenType::kSpace || t.type == TokenType::kComment) continue;
                if (t.type == TokenType::kIllegal) {
                    return {kError, "unrecognized token: \"" +
                                        std::string(sql.substr(t.start, t.length)) + "\""};
                }
                if (t.type == TokenType::kSemi) break;
                tokens.push_back(t);
            }
            if (!tokens.empty()) {
                runStatement(sql, tokens, callback, argument);
            }
            if (atEnd) break;
        }
    } catch (const EngineError& e) {
        return {e.code(), e.what()};
    } catch (const std::bad_alloc&) {
        return {kNoMem, ResultCodeText(kNoMem)};
    } catch (const std::length_error&) {
        return {kNoMem, ResultCodeText(kNoMem)};
    }
    return {};
}

void Database::runStatement(std::string_view sql, const std::vector<Token>& tokens,
                            ExecCallback callback, void* argument) {
    std::string_view first = sql.substr(tokens[0].start, tokens[0].length);
    if (tokens[0].type == TokenType::kId && EqualsNoCase(first, "PRAGMA")) {
        runPragma(sql, tokens, callback, argument);
    } else if (tokens[0].type == TokenType::kId && EqualsNoCase(first, "SELECT")) {
        runSelect(sql, tokens, callback, argument);
    } else {
        Unsupported(sql, tokens);
    }
}

void Database::runPragma(std::string_view sql, const std::vector<Token>& tokens,
                         ExecCallback callback, void* argument) {
    Tokens ts{sql, tokens, 1};
    if (!ts.is(0, TokenType::kId) && !ts.is(0, TokenType::kString)) Unsupported(sql, tokens);
    std::string name = Dequote(ts.text(ts.peek()));
    ts.pos++;
    std::optional<std::string> value;
    auto takeValue = [&]() {
        std::string sign;
        if (ts.is(0, TokenType::kMinus) || ts.is(0, TokenType::kPlus)) {
            sign = std::string(ts.text(ts.peek()));
            ts.pos++;
            if (!ts.is(0, TokenType::kInteger) && !ts.is(0, TokenType::kFloat)) {
                Unsupported(sql, tokens);
            }
        }
        const Token* t = ts.peek();
        if (t == nullptr) Unsupported(sql, tokens);
        if (t->type != TokenType::kId && t->type != TokenType::kString &&
            t->type != TokenType::kInteger && t->type != TokenType::kFloat) {
            Unsupported(sql, tokens);
        }
        value = sign + Dequote(ts.text(t));
        ts.pos++;
    };
    if (ts.is(0, TokenType::kEq)) {
        ts.pos++;
        takeValue();
    } else if (ts.is(0, TokenType::kLeftParen)) {
        ts.pos++;
        takeValue();
        if (!ts.is(0, TokenType::kRightParen)) Unsupported(sql, tokens);
        ts.pos++;
    }
    if (!ts.atEnd()) Unsupported(sql, tokens);

    bool* flag = nullptr;
    const char* canonical = nullptr;
    if (EqualsNoCase(name, "show_datatypes")) {
        flag = &showDatatypes_;
        canonical = "show_datatypes";
    } else if (EqualsNoCase(name, "empty_result_callbacks")) {
        flag = &emptyResultCallbacks_;
        canonical = "empty_result_callbacks";
    } else {
        Unsupported(sql, tokens);
    }
    if (value) {
        *flag = PragmaBoolean(*value);
        return;
    }
    // No value: the pragma reports its state as one row of one column.
    if (callback != nullptr) {
        std::string state = *flag ? "1" : "0";
        char* argv[2] = {state.data(), nullptr};
        std::string column = canonical;
        std::string type = "boolean";
        char* names[3] = {column.data(), type.data(), nullptr};
        if (callback(argument, 1, argv, names) != 0) {
            throw EngineError(kAbort);
        }
    }
}

void Database::runSelect(std::string_view sql, const std::vector<Token>& tokens,
                         ExecCallback callback, void* argument) {
    // SELECT item, ... FROM [db.]table [[AS] alias]
    // item: * | name.* | [name.]column [[AS] alias]
    struct Item {
        enum Kind { kStar, kTableStar, kColumn } kind = kStar;
        std::string qualifier;
        std::string column;
        std::size_t spanStart = 0, spanEnd = 0;
        std::optional<std::string> alias;
    };
    Tokens ts{sql, tokens, 1};
    std::vector<Item> items;
    auto takeAlias = [&](Item& item) {
        if (ts.isWord(0, "AS")) {
            ts.pos++;
            if (!ts.isName(0)) Unsupported(sql, tokens);
        }
        if (ts.isName(0)) {
            item.alias = Dequote(ts.text(ts.peek()));
            ts.pos++;
        }
    };
    for (;;) {
        Item item;
        if (ts.is(0, TokenType::kStar)) {
            ts.pos++;
        } else if (ts.isName(0) && ts.is(1, TokenType::kDot) && ts.is(2, TokenType::kStar)) {
            item.kind = Item::kTableStar;
            item.qualifier = Dequote(ts.text(ts.peek()));
            ts.pos += 3;
        } else if (ts.isName(0)) {
            item.kind = Item::kColumn;
            item.spanStart = ts.peek()->start;
            if (ts.is(1, TokenType::kDot)) {
                if (!ts.isName(2)) Unsupported(sql, tokens);
                item.qualifier = Dequote(ts.text(ts.peek()));
                ts.pos += 2;
            }
            item.column = Dequote(ts.text(ts.peek()));
            item.spanEnd = ts.peek()->start + ts.peek()->length;
            ts.pos++;
            takeAlias(item);
        } else {
            Unsupported(sql, tokens);
        }
        items.push_back(std::move(item));
        if (ts.is(0, TokenType::kComma)) {
            ts.pos++;
            continue;
        }
        break;
    }
    if (!ts.isWord(0, "FROM")) Unsupported(sql, tokens);
    ts.pos++;
    if (!ts.isName(0)) Unsupported(sql, tokens);
    std::string database;
    std::string tableName = Dequote(ts.text(ts.peek()));
    ts.pos++;
    if (ts.is(0, TokenType::kDot)) {
        if (!ts.isName(1)) Unsupported(sql, tokens);
        database = tableName;
        tableName = Dequote(ts.text(ts.peek(1)));
        ts.pos += 2;
    }
    std::optional<std::string> tableAlias;
    if (ts.isWord(0, "AS")) {
        ts.pos++;
        if (!ts.isName(0)) Unsupported(sql, tokens);
    }
    if (ts.isName(0)) {
        tableAlias = Dequote(ts.text(ts.peek()));
        ts.pos++;
    }
    if (!ts.atEnd()) Unsupported(sql, tokens);

    const TableDef* table = nullptr;
    if (database.empty() || EqualsNoCase(database, "main")) {
        table = schema_.findTable(tableName);
    }
    if (table == nullptr) {
        std::string shown = database.empty() ? tableName : database + "." + tableName;
        if (database.empty() && schema_.isView(tableName)) {
            throw EngineError(kError, "unsupported statement in this read-only engine: " +
                                          StatementText(sql, tokens) + " (" + tableName +
                                          " is a view)");
        }
        throw EngineError(kError, "no such table: " + shown);
    }
    const std::string& visibleName = tableAlias ? *tableAlias : table->name;
    auto rowidType = [&]() -> std::optional<std::string> {
        if (table->integerPrimaryKey >= 0) return table->columns[table->integerPrimaryKey].declaredType;
        return std::string("INTEGER");
    };

    Plan plan;
    plan.table = table;
    for (const Item& item : items) {
        if (item.kind == Item::kTableStar && !EqualsNoCase(item.qualifier, visibleName)) {
            throw EngineError(kError, "no such table: " + item.qualifier);
        }
        if (item.kind != Item::kColumn) {
            for (std::size_t j = 0; j < table->columns.size(); ++j) {
                plan.names.push_back(table->columns[j].name);
                plan.types.push_back(int(j) == table->integerPrimaryKey
                                         ? rowidType()
                                         : table->columns[j].declaredType);
                plan.sources.push_back(int(j));
            }
            continue;
        }
        std::string written = item.qualifier.empty() ? item.column
                                                     : item.qualifier + "." + item.column;
        if (!item.qualifier.empty() && !EqualsNoCase(item.qualifier, visibleName)) {
            throw EngineError(kError, "no such column: " + written);
        }
        int source = -2;
        for (std::size_t j = 0; j < table->columns.size(); ++j) {
            if (EqualsNoCase(table->columns[j].name, item.column)) {
                source = int(j) == table->integerPrimaryKey ? -1 : int(j);
                break;
            }
        }
        if (source == -2 && IsRowidName(item.column)) source = -1;
        if (source == -2) {
            throw EngineError(kError, "no such column: " + written);
        }
        plan.names.push_back(item.alias ? *item.alias
                                        : CompressSpace(sql.substr(item.spanStart,
                                                                   item.spanEnd - item.spanStart)));
        plan.types.push_back(source < 0 ? rowidType() : table->columns[source].declaredType);
        plan.sources.push_back(source);
    }

    // Column names, then the declared types when show_datatypes is on.
    const std::size_t n = plan.names.size();
    std::vector<std::string> headerTexts;
    headerTexts.reserve(2 * n);
    std::vector<char*> header(2 * n + 1, nullptr);
    for (std::size_t i = 0; i < n; ++i) {
        headerTexts.push_back(plan.names[i]);
        header[i] = headerTexts.back().data();
    }
    if (showDatatypes_) {
        for (std::size_t i = 0; i < n; ++i) {
            if (plan.types[i]) {
                headerTexts.push_back(*plan.types[i]);
                header[n + i] = headerTexts.back().data();
            }
        }
    }

    bool anyRow = false;
    runPlan(plan, [&](const std::vector<const char*>& argv) {
        anyRow = true;
        if (callback == nullptr) return true;
        if (callback(argument, int(n), const_cast<char**>(argv.data()), header.data()) != 0) {
            throw EngineError(kAbort);
        }
        return true;
    });
    if (!anyRow && emptyResultCallbacks_ && callback != nullptr) {
        if (callback(argument, int(n), nullptr, header.data()) != 0) {
            throw EngineError(kAbort);
        }
    }
}

}  // namespace varnolt::sqlite2
