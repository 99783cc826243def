#include "Expression.h"

namespace vizrc {

namespace {

class Parser {
public:
    Parser(const std::vector<Token>& tokens, size_t& pos, ExpressionMode mode) : m_tokens(tokens), m_pos(pos), m_mode(mode) {}

    ExprValue Parse() { return Binary(0); }

private:
    const Token* Peek() const { return m_pos < m_tokens.size() ? &m_tokens[m_pos] : nullptr; }

    SourceLocation Where() const
    {
        if (m_pos < m_tokens.size())
            return m_tokens[m_pos].where;
        return m_tokens.empty() ? SourceLocation{} : m_tokens.back().where;
    }

    // Binary levels from loosest to tightest.
    static int LevelOf(const Token& t)
    {
        if (t.kind != TokenKind::Punctuator)
            return -1;
        static const char* const levels[][4] = {
            {"||"}, {"&&"}, {"|"}, {"^"}, {"&"}, {"==", "!="}, {"<", ">", "<=", ">="}, {"<<", ">>"}, {"+", "-"}, {"*", "/", "%"},
        };
        for (int level = 0; level < 10; ++level)
            for (const char* op : levels[level])
                if (op && t.text == op)
                    return level;
        return -1;
    }

    ExprValue Binary(int level)
    {
        if (level == 10)
            return Unary();
        ExprValue left = Binary(level + 1);
        for (;;) {
            const Token* t = Peek();
            if (!t || LevelOf(*t) != level)
                return left;
            std::string op = t->text;
            SourceLocation where = t->where;
            ++m_pos;
            ExprValue right = Binary(level + 1);
            left = Apply(op, left, right, where);
        }
    }

    static ExprValue Apply(const std::string& op, const ExprValue& l, const ExprValue& r, const SourceLocation& where)
    {
        ExprValue v;
        v.isLong = l.isLong || r.isLong;
        v.cleared = l.cleared | r.cleared;
        std::int64_t a = l.value, b = r.value;
        if (op == "|")
            v.value = (a | b) & ~static_cast<std::int64_t>(r.cleared);
        else if (op == "||")
            v.value = (a || b) ? 1 : 0;
        else if (op == "&&")
            v.value = (a && b) ? 1 : 0;
        else if (op == "^")
            v.value = a ^ b;
        else if (op == "&")
            v.value = a & b;
        else if (op == "==")
            v.value = a == b;
        else if (op == "!=")
            v.value = a != b;
        else if (op == "<")
            v.value = a < b;
        else if (op == ">")
            v.value = a > b;
        else if (op == "<=")
            v.value = a <= b;
        else if (op == ">=")
            v.value = a >= b;
        else if (op == "<<")
            v.value = static_cast<std::int64_t>(static_cast<std::uint64_t>(a) << (b & 63));
        else if (op == ">>")
            v.value = a >> (b & 63);
        else if (op == "+")
            v.value = a + b;
        else if (op == "-")
            v.value = a - b;
        else if (op == "*")
            v.value = a * b;
        else {
            if (b == 0)
                throw CompileError(where, "division by zero");
            v.value = op == "/" ? a / b : a % b;
        }
        return v;
    }

    ExprValue Unary()
    {
        const Token* t = Peek();
        if (!t)
            throw CompileError(Where(), "expression expected at end of input");
        if (t->kind == TokenKind::Punctuator && (t->text == "-" || t->text == "~" || t->text == "!" || t->text == "+")) {
            std::string op = t->text;
            ++m_pos;
            ExprValue v = Unary();
            v.value = op == "-" ? -v.value : op == "~" ? ~v.value : op == "!" ? !v.value : v.value;
            return v;
        }
        if (m_mode == ExpressionMode::Script && t->Is(TokenKind::Identifier, "NOT")) {
            ++m_pos;
            ExprValue v = Unary();
            ExprValue result;
            result.cleared = v.Bits() | v.cleared;
            result.isLong = v.isLong;
            return result;
        }
        if (t->IsPunct("(")) {
            ++m_pos;
            ExprValue v = Binary(0);
            const Token* close = Peek();
            if (!close || !close->IsPunct(")"))
                throw CompileError(Where(), "')' expected");
            ++m_pos;
            return v;
        }
        if (t->kind == TokenKind::Number) {
            ++m_pos;
            ExprValue v;
            v.value = t->number;
            v.isLong = t->isLong;
            return v;
        }
        if (t->kind == TokenKind::Identifier) {
            if (m_mode == ExpressionMode::Preprocessor) {
                ++m_pos;
                return ExprValue{};
            }
            throw CompileError(t->where, "undefined symbol '" + t->text + "'");
        }
        throw CompileError(t->where, "number expected, found '" + t->text + "'");
    }

    const std::vector<Token>& m_tokens;
    size_t& m_pos;
    ExpressionMode m_mode;
};

} // namespace

ExprValue ParseExpression(const std::vector<Token>& tokens, size_t& pos, ExpressionMode mode)
{
    return Parser(tokens, pos, mode).Parse();
}

bool StartsExpression(const Token& token)
{
    if (token.kind == TokenKind::Number || token.kind == TokenKind::Identifier)
        return true;
    return token.kind == TokenKind::Punctuator &&
           (token.text == "(" || token.text == "-" || token.text == "~" || token.text == "!" || token.text == "+");
}

} // namespace vizrc
