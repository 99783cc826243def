#include "ScriptReader.h"

#include <strings.h>
#include <utf/Utf.h>

namespace vizrc {

ScriptReader::ScriptReader(std::vector<Token> tokens) : m_tokens(std::move(tokens))
{
    m_end.kind = TokenKind::End;
    m_end.text = "end of file";
    if (!m_tokens.empty())
        m_end.where = m_tokens.back().where;
}

const Token& ScriptReader::Peek(size_t ahead) const
{
    return m_pos + ahead < m_tokens.size() ? m_tokens[m_pos + ahead] : m_end;
}

Token ScriptReader::Next()
{
    Token t = Peek();
    if (!AtEnd())
        ++m_pos;
    return t;
}

void ScriptReader::Fail(const std::string& message) const
{
    throw CompileError(Where(), message);
}

bool ScriptReader::IsKeyword(const char* keyword, size_t ahead) const
{
    const Token& t = Peek(ahead);
    return t.kind == TokenKind::Identifier && ::strcasecmp(t.text.c_str(), keyword) == 0;
}

bool ScriptReader::AcceptKeyword(const char* keyword)
{
    if (!IsKeyword(keyword))
        return false;
    ++m_pos;
    return true;
}

bool ScriptReader::AcceptPunct(const char* spelling)
{
    if (!IsPunct(spelling))
        return false;
    ++m_pos;
    return true;
}

void ScriptReader::ExpectComma()
{
    if (!AcceptPunct(","))
        Fail("',' expected, found '" + Peek().text + "'");
}

ExprValue ScriptReader::Expression(const char* what)
{
    if (AtEnd() || !StartsExpression(Peek()))
        Fail(std::string(what) + " expected, found '" + Peek().text + "'");
    return ParseExpression(m_tokens, m_pos, ExpressionMode::Script);
}

std::int16_t ScriptReader::Coordinate(const char* what)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(Number(what)));
}

std::u32string ScriptReader::String(const char* what)
{
    if (Peek().kind != TokenKind::String)
        Fail(std::string(what) + " (a quoted string) expected, found '" + Peek().text + "'");
    return Next().value;
}

ResourceId ScriptReader::NameOrNumber(const char* what)
{
    const Token& t = Peek();
    if (t.kind == TokenKind::String)
        return ResourceId::Name(Next().value);
    if (t.kind == TokenKind::Identifier && !t.Is(TokenKind::Identifier, "NOT")) {
        // A word that no macro replaced is a name, unless an operator makes it an expression.
        const Token& after = Peek(1);
        bool operatorFollows = after.kind == TokenKind::Punctuator && after.text != "," && after.text != "{" && after.text != "}";
        if (!operatorFollows) {
            std::u32string name;
            utf::DecodeUtf8(Next().text, name);
            return ResourceId::Name(name);
        }
    }
    return ResourceId::Number(static_cast<std::uint16_t>(Number(what)));
}

void ScriptReader::ExpectBegin()
{
    if (!AcceptKeyword("BEGIN") && !AcceptPunct("{"))
        Fail("BEGIN expected, found '" + Peek().text + "'");
}

bool ScriptReader::AcceptEnd()
{
    if (AtEnd())
        Fail("END expected before the end of the file");
    return AcceptKeyword("END") || AcceptPunct("}");
}

} // namespace vizrc
