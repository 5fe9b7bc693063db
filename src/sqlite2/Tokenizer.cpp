// SPDX-License-Identifier: AGPL-3.0-or-later
// SQL tokens of SQLite 2.8 and the completeness test of sqlite_complete: see
// Tokenizer.h.
#include "sqlite2/Tokenizer.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace varnolt::sqlite2 {

namespace {

bool IsIdByte(unsigned char c) {
    return c >= 0x80 || c == '_' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
           (c >= 'A' && c <= 'Z');
}

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

bool IsSpaceByte(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

unsigned char Fold(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }

}  // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Fold(static_cast<unsigned char>(a[i])) != Fold(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

bool IsReservedWord(std::string_view word) {
    static constexpr std::array<std::string_view, 52> kReserved = {
        "ALL",        "AND",       "AS",         "BETWEEN",  "BY",        "CASE",
        "CHECK",      "COLLATE",   "COMMIT",     "CONSTRAINT", "CREATE",  "DEFAULT",
        "DEFERRABLE", "DELETE",    "DISTINCT",   "DROP",     "ELSE",      "EXCEPT",
        "FOREIGN",    "FROM",      "GROUP",      "HAVING",   "IN",        "INDEX",
        "INSERT",     "INTERSECT", "INTO",       "IS",       "ISNULL",    "JOIN",
        "LIMIT",      "NOT",       "NOTNULL",    "NULL",     "ON",        "OR",
        "ORDER",      "PRIMARY",   "REFERENCES", "ROLLBACK", "SELECT",    "SET",
        "TABLE",      "THEN",      "TRANSACTION", "UNION",   "UNIQUE",    "UPDATE",
        "USING",      "VALUES",    "WHEN",       "WHERE",
    };
    return std::any_of(kReserved.begin(), kReserved.end(),
                       [&](std::string_view r) { return EqualsNoCase(r, word); });
}

Token NextToken(std::string_view sql, std::size_t at) {
    Token t;
    t.start = at;
    if (at >= sql.size()) {
        t.type = TokenType::kEnd;
        return t;
    }
    const std::size_t n = sql.size();
    auto byte = [&](std::size_t i) -> unsigned char {
        return i < n ? static_cast<unsigned char>(sql[i]) : 0;
    };
    const unsigned char c = byte(at);
    std::size_t end = at + 1;
    TokenType type = TokenType::kOperator;

    if (IsSpaceByte(c)) {
        while (IsSpaceByte(byte(end)) && end < n) ++end;
        type = TokenType::kSpace;
    } else if (c == '-' && byte(at + 1) == '-') {
        while (end < n && sql[end] != '\n') ++end;
        type = TokenType::kComment;
    } else if (c == '/' && byte(at + 1) == '*') {
        end = at + 2;
        while (end < n && !(sql[end] == '/' && end > at + 2 && sql[end - 1] == '*')) ++end;
        if (end < n) ++end;
        type = TokenType::kComment;
    } else if (c == '\'' || c == '"') {
        type = TokenType::kIllegal;
        end = n;
        for (std::size_t i = at + 1; i < n; ++i) {
            if (static_cast<unsigned char>(sql[i]) == c) {
                if (byte(i + 1) == c) {
                    ++i;  // a doubled quote stands for one
                    continue;
                }
                end = i + 1;
                type = TokenType::kString;
                break;
            }
        }
    } else if (c == '[') {
        type = TokenType::kIllegal;
        end = n;
        for (std::size_t i = at + 1; i < n; ++i) {
            if (sql[i] == ']') {
                end = i + 1;
                type = TokenType::kId;
                break;
            }
        }
    } else if (IsDigit(c) || (c == '.' && IsDigit(byte(at + 1)))) {
        type = TokenType::kInteger;
        end = at;
        while (IsDigit(byte(end)) && end < n) ++end;
        if (byte(end) == '.' && end < n) {
            ++end;
            while (IsDigit(byte(end)) && end < n) ++end;
            type = TokenType::kFloat;
        }
        if ((byte(end) == 'e' || byte(end) == 'E') &&
            (IsDigit(byte(end + 1)) ||
             ((byte(end + 1) == '+' || byte(end + 1) == '-') && IsDigit(byte(end + 2))))) {
            end += 2;
            while (IsDigit(byte(end)) && end < n) ++end;
            type = TokenType::kFloat;
        }
    } else if (IsIdByte(c)) {
        while (end < n && IsIdByte(byte(end))) ++end;
        type = TokenType::kId;
    } else {
        switch (c) {
            case ';': type = TokenType::kSemi; break;
            case '(': type = TokenType::kLeftParen; break;
            case ')': type = TokenType::kRightParen; break;
            case ',': type = TokenType::kComma; break;
            case '.': type = TokenType::kDot; break;
            case '*': type = TokenType::kStar; break;
            case '+': type = TokenType::kPlus; break;
            case '-': type = TokenType::kMinus; break;
            case '=':
                type = TokenType::kEq;
                if (byte(at + 1) == '=') end = at + 2;
                break;
            case '<':
                if (byte(at + 1) == '=' || byte(at + 1) == '>' || byte(at + 1) == '<') end = at + 2;
                break;
            case '>':
                if (byte(at + 1) == '=' || byte(at + 1) == '>') end = at + 2;
                break;
            case '!':
                if (byte(at + 1) == '=') {
                    end = at + 2;
                } else {
                    type = TokenType::kIllegal;
                }
                break;
            case '|':
                if (byte(at + 1) == '|') end = at + 2;
                break;
            case '/':
            case '%':
            case '&':
            case '~':
                break;
            default:
                type = TokenType::kIllegal;
                break;
        }
    }
    t.type = type;
    t.length = end - at;
    return t;
}

std::string Dequote(std::string_view text) {
    if (text.empty()) {
        return std::string();
    }
    char open = text[0];
    char close;
    if (open == '\'' || open == '"') {
        close = open;
    } else if (open == '[') {
        close = ']';
    } else {
        return std::string(text);
    }
    std::string out;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] == close) {
            if (i + 1 < text.size() && text[i + 1] == close) {
                out.push_back(close);
                ++i;
                continue;
            }
            break;
        }
        out.push_back(text[i]);
    }
    return out;
}

bool IsComplete(const char* sql) {
    // States: 0 between statements, 1 after EXPLAIN, 2 after CREATE (and
    // TEMP), 3 inside an ordinary statement, 4 inside a trigger body, 5 after
    // a semicolon in a trigger body, 6 after ";END" in a trigger body.
    enum Word { kExplain, kCreate, kTemp, kTrigger, kEndWord, kSemiWord, kWhite, kOther };
    static constexpr unsigned char kNext[7][8] = {
        // EXPLAIN CREATE TEMP TRIGGER END SEMI WS OTHER
        {1, 2, 3, 3, 3, 0, 0, 3},  // 0 start
        {3, 2, 3, 3, 3, 0, 1, 3},  // 1 explain
        {3, 3, 2, 4, 3, 0, 2, 3},  // 2 create
        {3, 3, 3, 3, 3, 0, 3, 3},  // 3 normal
        {4, 4, 4, 4, 4, 5, 4, 4},  // 4 trigger
        {4, 4, 4, 4, 6, 5, 5, 4},  // 5 semicolon in trigger
        {4, 4, 4, 4, 4, 0, 6, 4},  // 6 ";END"
    };
    if (sql == nullptr) {
        return true;
    }
    int state = 0;
    const char* p = sql;
    while (*p) {
        Word word = kOther;
        unsigned char c = static_cast<unsigned char>(*p);
        if (c == ';') {
            word = kSemiWord;
        } else if (IsSpaceByte(c)) {
            word = kWhite;
        } else if (c == '/' && p[1] == '*') {
            p += 2;
            while (*p && !(p[0] == '*' && p[1] == '/')) ++p;
            if (!*p) return false;  // an unclosed comment
            ++p;                    // now on the closing '/'
            word = kWhite;
        } else if (c == '-' && p[1] == '-') {
            while (*p && *p != '\n') ++p;
            if (!*p) return state == 0;
            word = kWhite;
        } else if (c == '[' || c == '\'' || c == '"') {
            char close = c == '[' ? ']' : char(c);
            ++p;
            while (*p && *p != close) ++p;
            if (!*p) return false;  // unclosed quote or bracket
            word = kOther;
        } else if (IsIdByte(c)) {
            const char* w = p;
            while (IsIdByte(static_cast<unsigned char>(p[1]))) ++p;
            std::string_view id(w, std::size_t(p - w + 1));
            if (EqualsNoCase(id, "create")) {
                word = kCreate;
            } else if (EqualsNoCase(id, "trigger")) {
                word = kTrigger;
            } else if (EqualsNoCase(id, "temp") || EqualsNoCase(id, "temporary")) {
                word = kTemp;
            } else if (EqualsNoCase(id, "end")) {
                word = kEndWord;
            } else if (EqualsNoCase(id, "explain")) {
                word = kExplain;
            }
        }
        state = kNext[state][word];
        ++p;
    }
    return state == 0;
}

}  // namespace varnolt::sqlite2
