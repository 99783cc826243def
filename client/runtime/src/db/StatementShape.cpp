#include "StatementShape.h"


namespace qvclient {
namespace {

// SQLite's own character classes, which decide where its tokens end.
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool IsIdStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}
bool IsIdChar(char c) { return IsIdStart(c) || IsDigit(c) || c == '$'; }
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r'; }

enum class Token { Space, Word, Quoted, String, Integer, OtherLiteral, OpenParen, CloseParen, Dot, Other, Refused };

// Which part of a SELECT the tokens at one depth of parentheses are in.
enum class Clause { Results, Source, Condition, Ordering, Other };

// The length of the token at sql[i] and its kind, as SQLite's tokenizer would cut it.
size_t NextToken(std::string_view sql, size_t i, Token& kind)
{
    const size_t n = sql.size();
    auto at = [&](size_t k) { return k < n ? sql[k] : '\0'; };
    const char c = sql[i];
    if (IsSpace(c)) {
        size_t k = i + 1;
        while (k < n && IsSpace(sql[k]))
            ++k;
        kind = Token::Space;
        return k - i;
    }
    if (c == '-' && at(i + 1) == '-') {
        size_t k = i + 2;
        while (k < n && sql[k] != '\n')
            ++k;
        kind = Token::Space;
        return k - i;
    }
    if (c == '/' && at(i + 1) == '*') {
        const size_t end = sql.find("*/", i + 2);
        kind = Token::Space;
        return (end == std::string_view::npos ? n : end + 2) - i;
    }
    if (c == '\'' || c == '"' || c == '`') {
        for (size_t k = i + 1; k < n; ++k) {
            if (sql[k] != c)
                continue;
            if (at(k + 1) == c) {
                ++k;
                continue;
            }
            kind = c == '\'' ? Token::String : Token::Quoted;
            return k + 1 - i;
        }
        kind = Token::Refused; // unterminated
        return n - i;
    }
    if (c == '[') {
        const size_t end = sql.find(']', i);
        kind = end == std::string_view::npos ? Token::Refused : Token::Quoted;
        return (end == std::string_view::npos ? n : end + 1) - i;
    }
    if ((c == 'x' || c == 'X') && at(i + 1) == '\'') { // a blob
        size_t k = i + 2;
        while (k < n && sql[k] != '\'')
            ++k;
        kind = k < n ? Token::OtherLiteral : Token::Refused;
        return (k < n ? k + 1 : n) - i;
    }
    if (IsDigit(c) || (c == '.' && IsDigit(at(i + 1)))) {
        size_t k = i;
        kind = Token::Integer;
        if (c == '0' && (at(i + 1) == 'x' || at(i + 1) == 'X') && IsHexDigit(at(i + 2))) {
            k = i + 3;
            while (IsHexDigit(at(k)))
                ++k;
            kind = Token::OtherLiteral;
        } else {
            while (IsDigit(at(k)))
                ++k;
            if (at(k) == '.') {
                ++k;
                while (IsDigit(at(k)))
                    ++k;
                kind = Token::OtherLiteral;
            }
            if ((at(k) == 'e' || at(k) == 'E') &&
                (IsDigit(at(k + 1)) || ((at(k + 1) == '+' || at(k + 1) == '-') && IsDigit(at(k + 2))))) {
                k += 2;
                while (IsDigit(at(k)))
                    ++k;
                kind = Token::OtherLiteral;
            }
        }
        if (IsIdChar(at(k)))
            kind = Token::Refused; // "12abc"
        return k - i;
    }
    if (IsIdStart(c)) {
        size_t k = i + 1;
        while (IsIdChar(at(k)))
            ++k;
        kind = Token::Word;
        return k - i;
    }
    switch (c) {
    case '(': kind = Token::OpenParen; break;
    case ')': kind = Token::CloseParen; break;
    case '.': kind = Token::Dot; break;
    // Parameters of the text's own, and a second statement, leave the text as it is.
    case '?':
    case ':':
    case '@':
    case '$':
    case '#':
    case ';':
    case '\0': kind = Token::Refused; break;
    default: kind = Token::Other; break;
    }
    return 1;
}

// What a word means to the shape: the clause it starts, or that a literal after it is a pattern
// or a name rather than a value. Only reserved words start a clause, so a column named like
// one of the others (OFFSET, PARTITION) at worst keeps a literal in the text.
struct WordRole {
    bool bStartsClause = false;
    Clause clause = Clause::Other;
    bool bKeepsNextLiteral = false;
};

WordRole RoleOf(std::string_view word)
{
    constexpr size_t kLongest = 9; // INTERSECT, PARTITION
    if (word.size() < 2 || word.size() > kLongest)
        return {};
    char upper[kLongest];
    for (size_t k = 0; k < word.size(); ++k) {
        const char c = word[k];
        upper[k] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    const std::string_view w(upper, word.size());
    struct Role {
        std::string_view word;
        WordRole role;
    };
    static const Role roles[] = {{"SELECT", {true, Clause::Results}}, {"FROM", {true, Clause::Source}},
        {"JOIN", {true, Clause::Source}}, {"USING", {true, Clause::Source}}, {"WHERE", {true, Clause::Condition}},
        {"ON", {true, Clause::Condition}}, {"HAVING", {true, Clause::Condition}}, {"GROUP", {true, Clause::Ordering}},
        {"ORDER", {true, Clause::Ordering}}, {"WINDOW", {true, Clause::Ordering}},
        {"PARTITION", {true, Clause::Ordering}}, {"LIMIT", {true, Clause::Other}}, {"OFFSET", {true, Clause::Other}},
        {"VALUES", {true, Clause::Other}}, {"UNION", {true, Clause::Other}}, {"INTERSECT", {true, Clause::Other}},
        {"EXCEPT", {true, Clause::Other}}, {"WITH", {true, Clause::Other}}, {"LIKE", {false, {}, true}},
        {"GLOB", {false, {}, true}}, {"MATCH", {false, {}, true}}, {"REGEXP", {false, {}, true}},
        {"ESCAPE", {false, {}, true}}, {"COLLATE", {false, {}, true}}, {"AS", {false, {}, true}}};
    for (const Role& role : roles)
        if (role.word == w)
            return role.role;
    return {};
}

// The integer's value, false when it does not fit in 64 bits (SQLite reads it as a real).
bool ReadInteger(std::string_view digits, int64_t& value)
{
    constexpr int64_t kMax = INT64_MAX;
    value = 0;
    for (char c : digits) {
        const int d = c - '0';
        if (value > (kMax - d) / 10)
            return false;
        value = value * 10 + d;
    }
    return true;
}

constexpr size_t kMostLiterals = 250;

} // namespace

std::string ShapeLiteral::Text() const
{
    std::string text;
    text.reserve(quoted.size());
    for (size_t k = 0; k < quoted.size(); ++k) {
        text += quoted[k];
        if (quoted[k] == '\'')
            ++k; // its double
    }
    return text;
}

bool StatementShape::Make(std::string_view sql)
{
    m_text.clear();
    m_literals.clear();
    struct Depth {
        Clause clause;
        bool bValuesOnly; // no enclosing clause names or orders by the literals here
    };
    std::vector<Depth> depths{{Clause::Other, true}};
    bool bSelect = false;     // the first word was SELECT
    bool bKeepNext = false;   // the last token makes a literal after it a pattern or a name
    size_t copied = 0;        // sql[0, copied) is in m_text
    for (size_t i = 0; i < sql.size();) {
        Token kind;
        const size_t length = NextToken(sql, i, kind);
        const std::string_view token = sql.substr(i, length);
        if (kind == Token::Refused)
            return false;
        if (kind == Token::Space) {
            i += length;
            continue;
        }
        if (!bSelect) {
            if (kind != Token::Word || RoleOf(token).clause != Clause::Results)
                return false;
            bSelect = true;
        }
        Depth& depth = depths.back();
        const bool bKeepThis = bKeepNext;
        bKeepNext = false;
        switch (kind) {
        case Token::Word: {
            const WordRole role = RoleOf(token);
            if (role.bStartsClause)
                depth.clause = role.clause;
            bKeepNext = role.bKeepsNextLiteral;
            break;
        }
        case Token::OpenParen:
            depths.push_back({depth.clause,
                depth.bValuesOnly && (depth.clause == Clause::Condition || depth.clause == Clause::Source)});
            break;
        case Token::CloseParen:
            if (depths.size() == 1)
                return false;
            depths.pop_back();
            break;
        case Token::Dot: bKeepNext = true; break;
        case Token::String:
        case Token::Integer: {
            const bool bValue = !bKeepThis && depth.bValuesOnly && depth.clause == Clause::Condition &&
                                !(i + length < sql.size() && (IsIdChar(sql[i + length]) || sql[i + length] == '.'));
            if (!bValue)
                break;
            ShapeLiteral literal{ShapeLiteral::Kind::Text, 0, {}};
            if (kind == Token::String) {
                literal.quoted = token.substr(1, token.size() - 2);
            } else {
                literal.kind = ShapeLiteral::Kind::Integer;
                if (!ReadInteger(token, literal.integer))
                    break;
            }
            if (m_literals.size() == kMostLiterals)
                return false;
            m_literals.push_back(literal);
            m_text.append(sql, copied, i - copied);
            m_text += '?';
            copied = i + length;
            break;
        }
        default: break;
        }
        i += length;
    }
    if (m_literals.empty() || depths.size() != 1)
        return false;
    m_text.append(sql, copied, std::string_view::npos);
    return true;
}

} // namespace qvclient
