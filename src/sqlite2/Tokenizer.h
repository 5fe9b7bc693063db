// SPDX-License-Identifier: AGPL-3.0-or-later
// SQL tokens as SQLite 2.8 splits statement text, and the statement
// completeness test of sqlite_complete.
//
// Tokens: white space (space, tab, line feed, form feed, carriage return);
// comments "-- ... end of line" and "/* ... */" (an unclosed one runs to the
// end); strings in single or double quotes, a doubled quote standing for one;
// identifiers of letters, digits, "_" and bytes 0x80..0xff, or any text in
// square brackets; numbers (digits, optional fraction, optional exponent);
// and operators and punctuation. An unclosed string or bracket, or a byte
// that starts no token, is an illegal token.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace varnolt::sqlite2 {

enum class TokenType {
    kSpace,
    kComment,
    kId,       // identifier or keyword, [bracketed] included
    kString,   // '...' or "..."
    kInteger,
    kFloat,
    kSemi,
    kLeftParen,
    kRightParen,
    kComma,
    kDot,
    kStar,
    kEq,
    kPlus,
    kMinus,
    kOperator,  // every other operator
    kIllegal,
    kEnd,
};

struct Token {
    TokenType type = TokenType::kEnd;
    std::size_t start = 0;
    std::size_t length = 0;
};

// The token at offset `at` of `sql` (kEnd at the end of the text).
Token NextToken(std::string_view sql, std::size_t at);

// Case-insensitive comparison of ASCII letters, every other byte exact: the
// way SQLite 2 compares names and keywords.
bool EqualsNoCase(std::string_view a, std::string_view b);

// True for the keywords that SQLite 2.8 never accepts as a plain name.
bool IsReservedWord(std::string_view word);

// The text of a name token without its quotes: 'a''b' gives a'b, "x" gives
// x, [y z] gives y z; any other text is returned as it is.
std::string Dequote(std::string_view text);

// True when the text ends a complete SQL statement: its last significant
// token is a semicolon outside quotes, brackets and comments (a trigger
// definition needs ";END;"). As the genuine sqlite_complete.
bool IsComplete(const char* sql);

}  // namespace varnolt::sqlite2
