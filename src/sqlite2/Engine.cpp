// SPDX-License-Identifier: AGPL-3.0-or-later
// Read-only engine for SQLite 2.8 files: opening, table reading, and the
// small statement language of sqlite_exec (see Engine.h).
#include "sqlite2/Engine.h"

#include <cerrno>
#include <new>
#include <variant>
#include <sys/stat.h>

#include "sqlite2/Btree.h"
#include "sqlite2/Pager.h"
#include "sqlite2/Record.h"

namespace varnolt::sqlite2 {

namespace {

// The truth of a pragma value, as the genuine library reads it.
bool PragmaBoolean(std::string_view value) {
    if (value.empty()) return false;
    std::size_t i = value[0] == '-' ? 1 : 0;
    if (i < value.size() && value[i] >= '0' && value[i] <= '9') {
        // A number: true unless its leading digits are all zero.
        for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
            if (value[i] != '0') return true;
        }
        return false;
    }
    return EqualsNoCase(value, "yes") || EqualsNoCase(value, "on") || EqualsNoCase(value, "true");
}

bool IsRowidName(std::string_view name) {
    return EqualsNoCase(name, "rowid") || EqualsNoCase(name, "_rowid_") ||
           EqualsNoCase(name, "oid");
}

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
    try {
        StatementReader reader(sql);
        Statement statement;
        while (reader.next(statement)) {
            if (auto* pragma = std::get_if<PragmaStatement>(&statement)) {
                runPragma(*pragma, reader.text(), callback, argument);
            } else {
                runSelect(std::get<SelectStatement>(statement), reader.text(), callback, argument);
            }
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

void Database::runPragma(const PragmaStatement& pragma, const std::string& text,
                         ExecCallback callback, void* argument) {
    bool* flag = nullptr;
    const char* canonical = nullptr;
    if (EqualsNoCase(pragma.name, "show_datatypes")) {
        flag = &showDatatypes_;
        canonical = "show_datatypes";
    } else if (EqualsNoCase(pragma.name, "empty_result_callbacks")) {
        flag = &emptyResultCallbacks_;
        canonical = "empty_result_callbacks";
    } else {
        throw EngineError(kError, "unsupported statement in this read-only engine: " + text);
    }
    if (pragma.value) {
        *flag = PragmaBoolean(*pragma.value);
        return;
    }
    // No value: the pragma reports its state as one row of one column, typed
    // "boolean".
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

Database::Plan Database::planSelect(const SelectStatement& select, const std::string& text) const {
    const TableDef* table = nullptr;
    if (select.database.empty() || EqualsNoCase(select.database, "main")) {
        table = schema_.findTable(select.table);
    }
    if (table == nullptr) {
        if (select.database.empty() && schema_.isView(select.table)) {
            throw EngineError(kError, "unsupported statement in this read-only engine: " + text +
                                          " (" + select.table + " is a view)");
        }
        throw EngineError(kError, "no such table: " + (select.database.empty()
                                                            ? select.table
                                                            : select.database + "." + select.table));
    }
    const std::string& visibleName = select.alias ? *select.alias : table->name;
    auto rowidType = [&]() -> std::optional<std::string> {
        if (table->integerPrimaryKey >= 0) return table->columns[table->integerPrimaryKey].declaredType;
        return std::string("INTEGER");
    };

    Plan plan;
    plan.table = table;
    for (const ResultItem& item : select.items) {
        if (item.kind == ResultItem::kTableStar && !EqualsNoCase(item.qualifier, visibleName)) {
            throw EngineError(kError, "no such table: " + item.qualifier);
        }
        if (item.kind != ResultItem::kColumn) {
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
        plan.names.push_back(item.alias ? *item.alias : item.written);
        plan.types.push_back(source < 0 ? rowidType() : table->columns[source].declaredType);
        plan.sources.push_back(source);
    }
    return plan;
}

void Database::runSelect(const SelectStatement& select, const std::string& text,
                         ExecCallback callback, void* argument) {
    Plan plan = planSelect(select, text);

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
    // With empty_result_callbacks, an empty result still reports its columns.
    if (!anyRow && emptyResultCallbacks_ && callback != nullptr) {
        if (callback(argument, int(n), nullptr, header.data()) != 0) {
            throw EngineError(kAbort);
        }
    }
}

}  // namespace varnolt::sqlite2
