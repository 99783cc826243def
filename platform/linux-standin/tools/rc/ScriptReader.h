// A cursor over the preprocessed tokens of a script, with the small parsing steps that every
// statement shares. Keywords are matched without regard to case, as rc.exe does.
#pragma once

#include "Expression.h"
#include "Resource.h"
#include "Token.h"

#include <string>
#include <vector>

namespace vizrc {

class ScriptReader {
public:
    explicit ScriptReader(std::vector<Token> tokens);

    bool AtEnd() const { return m_pos >= m_tokens.size(); }
    const Token& Peek(size_t ahead = 0) const;
    Token Next();
    SourceLocation Where() const { return Peek().where; }
    [[noreturn]] void Fail(const std::string& message) const;

    bool IsKeyword(const char* keyword, size_t ahead = 0) const;
    bool AcceptKeyword(const char* keyword);
    bool IsPunct(const char* spelling) const { return Peek().IsPunct(spelling); }
    bool AcceptPunct(const char* spelling);
    void ExpectComma();

    ExprValue Expression(const char* what);
    std::uint32_t Number(const char* what) { return Expression(what).Bits(); }
    std::int16_t Coordinate(const char* what);
    std::u32string String(const char* what);
    // A resource name or a text that may be an ordinal: a number, else a string or a bare word.
    ResourceId NameOrNumber(const char* what);

    void ExpectBegin();
    bool AcceptEnd();
    bool AtBegin() const { return IsKeyword("BEGIN") || IsPunct("{"); }

private:
    std::vector<Token> m_tokens;
    size_t m_pos = 0;
    Token m_end;
};

} // namespace vizrc
