// Integer expressions: #if conditions and the numbers of resource statements. In a statement,
// "NOT x" removes the bits of x from a style (WS_CHILD | NOT WS_VISIBLE); a bare identifier that is
// not a macro is an error there, and 0 in #if.
#pragma once

#include "Token.h"

#include <cstdint>
#include <vector>

namespace vizrc {

struct ExprValue {
    std::int64_t value = 0;
    std::uint32_t cleared = 0; // bits named by NOT
    bool isLong = false;       // an operand had an L suffix

    std::uint32_t Bits() const { return static_cast<std::uint32_t>(value); }
    // The style a statement gets: its defaults, the bits written, less the bits named by NOT.
    std::uint32_t ApplyTo(std::uint32_t defaults) const { return (defaults | Bits()) & ~cleared; }
};

enum class ExpressionMode { Preprocessor, Script };

// Parses one expression starting at tokens[pos]; pos ends after it. Throws CompileError.
ExprValue ParseExpression(const std::vector<Token>& tokens, size_t& pos, ExpressionMode mode);

// Whether a token can begin an expression (a number, an identifier, '(', '-', '~', '!' or NOT).
bool StartsExpression(const Token& token);

} // namespace vizrc
