// Splits UTF-8 script text into lines without comments, and lines into tokens.
#pragma once

#include "Token.h"

#include <string>
#include <vector>

namespace vizrc {

struct SourceLine {
    int number = 0;   // line where it starts (continuations are joined onto it)
    std::string text; // comments replaced by a blank
};

// Removes // and /* */ comments (outside strings) and joins lines ending in a backslash.
std::vector<SourceLine> SplitLines(const std::string& text);

// Tokenizes one line. Throws CompileError on a malformed string or number.
std::vector<Token> Tokenize(const std::string& line, const SourceLocation& where);

} // namespace vizrc
