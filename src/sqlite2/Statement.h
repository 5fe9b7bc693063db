// SPDX-License-Identifier: AGPL-3.0-or-later
// The small statement language of the read-only engine: the text given to
// sqlite_exec split into statements at semicolons (outside quotes, brackets
// and comments) and each parsed into one of the two statements the engine
// runs. Statements are parsed one at a time, so that the statements before a
// bad one have run when its error is reported.
//
//   PRAGMA name [= value | (value)]       value: a name, a string, ON, or a
//                                         number with an optional sign
//   SELECT item, ... FROM [db.]table [[AS] alias]
//       item: * | name.* | [name.]column [[AS] alias]
//
// Any other statement (including a SELECT with WHERE, ORDER BY, a join, an
// expression ...) fails with "unsupported statement in this read-only engine:
// " and the statement's text; a token SQLite does not know fails with
// 'unrecognized token: "x"', as in the genuine library.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "sqlite2/Tokenizer.h"

namespace varnolt::sqlite2 {

struct PragmaStatement {
    std::string name;                  // dequoted, as written
    std::optional<std::string> value;  // dequoted, sign included; none to query the pragma
};

struct ResultItem {
    enum Kind { kStar, kTableStar, kColumn };
    Kind kind = kStar;
    std::string qualifier;             // the table name or alias before the dot, dequoted
    std::string column;                // dequoted
    std::string written;               // the item's text as typed, white space compressed
    std::optional<std::string> alias;  // AS name
};

struct SelectStatement {
    std::vector<ResultItem> items;
    std::string database;  // empty, or the name before the dot
    std::string table;
    std::optional<std::string> alias;
};

using Statement = std::variant<PragmaStatement, SelectStatement>;

class StatementReader {
public:
    explicit StatementReader(std::string_view sql) : sql_(sql) {}
    // Parses the next statement into `out`; false when none is left. Throws
    // EngineError(kError, ...) for an unsupported statement or a bad token.
    bool next(Statement& out);
    // The text of the statement last read, for messages (shortened when long).
    const std::string& text() const { return text_; }

private:
    std::string_view sql_;
    std::size_t at_ = 0;
    std::string text_;
};

}  // namespace varnolt::sqlite2
