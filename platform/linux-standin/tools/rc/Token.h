// A token of a resource script after preprocessing.
#pragma once

#include "Diagnostics.h"

#include <cstdint>
#include <string>

namespace vizrc {

enum class TokenKind { Identifier, Number, String, Punctuator, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;            // identifier or punctuator spelling; a string's raw spelling
    std::uint32_t number = 0;    // Number
    bool isLong = false;         // Number with an L suffix: a DWORD in raw data
    std::u32string value;        // String, escapes resolved
    bool isWide = false;         // String written L"..."
    SourceLocation where;

    bool Is(TokenKind k, const char* spelling) const { return kind == k && text == spelling; }
    bool IsPunct(const char* spelling) const { return Is(TokenKind::Punctuator, spelling); }
};

} // namespace vizrc
