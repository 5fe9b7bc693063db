// SPDX-License-Identifier: AGPL-3.0-or-later
// The statement language of sqlite_exec: see Statement.h.
#include "sqlite2/Statement.h"

#include "sqlite2/Error.h"

namespace varnolt::sqlite2 {

namespace {

constexpr std::size_t kMaxQuotedStatement = 80;

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

// Cursor over the significant tokens of one statement.
class Parser {
public:
    Parser(std::string_view sql, const std::vector<Token>& tokens, const std::string& text)
        : sql_(sql), tokens_(tokens), text_(text) {}

    Statement parse() {
        if (isWord(0, "PRAGMA")) return parsePragma();
        if (isWord(0, "SELECT")) return parseSelect();
        unsupported();
    }

private:
    [[noreturn]] void unsupported() const {
        throw EngineError(kError, "unsupported statement in this read-only engine: " + text_);
    }
    const Token* peek(std::size_t ahead = 0) const {
        return pos_ + ahead < tokens_.size() ? &tokens_[pos_ + ahead] : nullptr;
    }
    std::string_view text(const Token* t) const { return sql_.substr(t->start, t->length); }
    bool is(std::size_t ahead, TokenType type) const {
        const Token* t = peek(ahead);
        return t && t->type == type;
    }
    bool isWord(std::size_t ahead, std::string_view word) const {
        const Token* t = peek(ahead);
        return t && t->type == TokenType::kId && EqualsNoCase(text(t), word);
    }
    // A name: an identifier that is not a reserved word, or a string.
    bool isName(std::size_t ahead) const {
        const Token* t = peek(ahead);
        return t && (t->type == TokenType::kString ||
                     (t->type == TokenType::kId && !IsReservedWord(text(t))));
    }
    std::string takeName() {
        if (!isName(0)) unsupported();
        return Dequote(text(&tokens_[pos_++]));
    }
    std::optional<std::string> takeAlias() {
        if (isWord(0, "AS")) {
            ++pos_;
            return takeName();
        }
        if (isName(0)) return takeName();
        return std::nullopt;
    }

    Statement parsePragma() {
        PragmaStatement p;
        ++pos_;
        if (!is(0, TokenType::kId) && !is(0, TokenType::kString)) unsupported();
        p.name = Dequote(text(&tokens_[pos_++]));
        auto takeValue = [&]() {
            std::string sign;
            if (is(0, TokenType::kMinus) || is(0, TokenType::kPlus)) {
                // "+1" reads as "1", "-1" keeps its sign, as in the genuine library.
                if (is(0, TokenType::kMinus)) sign = "-";
                ++pos_;
                if (!is(0, TokenType::kInteger) && !is(0, TokenType::kFloat)) unsupported();
            }
            const Token* t = peek();
            if (t == nullptr || (t->type != TokenType::kId && t->type != TokenType::kString &&
                                 t->type != TokenType::kInteger && t->type != TokenType::kFloat)) {
                unsupported();
            }
            p.value = sign + Dequote(text(t));
            ++pos_;
        };
        if (is(0, TokenType::kEq)) {
            ++pos_;
            takeValue();
        } else if (is(0, TokenType::kLeftParen)) {
            ++pos_;
            takeValue();
            if (!is(0, TokenType::kRightParen)) unsupported();
            ++pos_;
        }
        if (peek() != nullptr) unsupported();
        return p;
    }

    Statement parseSelect() {
        SelectStatement s;
        ++pos_;
        for (;;) {
            ResultItem item;
            if (is(0, TokenType::kStar)) {
                ++pos_;
            } else if (isName(0) && is(1, TokenType::kDot) && is(2, TokenType::kStar)) {
                item.kind = ResultItem::kTableStar;
                item.qualifier = takeName();
                pos_ += 2;
            } else if (isName(0)) {
                item.kind = ResultItem::kColumn;
                std::size_t start = peek()->start;
                if (is(1, TokenType::kDot)) {
                    item.qualifier = takeName();
                    ++pos_;
                }
                std::size_t end = peek() ? peek()->start + peek()->length : start;
                item.column = takeName();
                item.written = CompressSpace(sql_.substr(start, end - start));
                item.alias = takeAlias();
            } else {
                unsupported();
            }
            s.items.push_back(std::move(item));
            if (!is(0, TokenType::kComma)) break;
            ++pos_;
        }
        if (!isWord(0, "FROM")) unsupported();
        ++pos_;
        s.table = takeName();
        if (is(0, TokenType::kDot)) {
            ++pos_;
            s.database = std::move(s.table);
            s.table = takeName();
        }
        s.alias = takeAlias();
        if (peek() != nullptr) unsupported();
        return s;
    }

    std::string_view sql_;
    const std::vector<Token>& tokens_;
    const std::string& text_;
    std::size_t pos_ = 0;
};

}  // namespace

bool StatementReader::next(Statement& out) {
    for (;;) {
        std::vector<Token> tokens;
        bool atEnd = false;
        for (;;) {
            Token t = NextToken(sql_, at_);
            if (t.type == TokenType::kEnd) {
                atEnd = true;
                break;
            }
            at_ = t.start + t.length;
            if (t.type == TokenType::kSpace || t.type == TokenType::kComment) continue;
            if (t.type == TokenType::kIllegal) {
                throw EngineError(kError, "unrecognized token: \"" +
                                              std::string(sql_.substr(t.start, t.length)) + "\"");
            }
            if (t.type == TokenType::kSemi) break;
            tokens.push_back(t);
        }
        if (tokens.empty()) {
            if (atEnd) return false;
            continue;  // an empty statement
        }
        std::size_t start = tokens.front().start;
        std::size_t end = tokens.back().start + tokens.back().length;
        text_.assign(sql_.substr(start, end - start));
        if (text_.size() > kMaxQuotedStatement) {
            text_.resize(kMaxQuotedStatement);
            text_ += " ...";
        }
        out = Parser(sql_, tokens, text_).parse();
        return true;
    }
}

}  // namespace varnolt::sqlite2
