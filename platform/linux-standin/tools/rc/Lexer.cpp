#include "Lexer.h"

#include <cctype>
#include <cstring>
#include <utf/Utf.h>

namespace vizrc {

std::vector<SourceLine> SplitLines(const std::string& text)
{
    std::vector<SourceLine> lines;
    SourceLine current{1, {}};
    int lineNumber = 1;
    bool inBlockComment = false;
    size_t i = 0;
    auto endLine = [&](bool continued) {
        ++lineNumber;
        if (continued)
            return;
        lines.push_back(current);
        current = SourceLine{lineNumber, {}};
    };
    while (i < text.size()) {
        char c = text[i];
        if (inBlockComment) {
            if (c == '*' && i + 1 < text.size() && text[i + 1] == '/') {
                inBlockComment = false;
                current.text.push_back(' ');
                i += 2;
            } else {
                if (c == '\n')
                    endLine(true);
                ++i;
            }
            continue;
        }
        if (c == '\r') {
            ++i;
            continue;
        }
        if (c == '\n') {
            endLine(false);
            ++i;
            continue;
        }
        if (c == '\\' && (i + 1 < text.size()) && (text[i + 1] == '\n' || (text[i + 1] == '\r' && i + 2 < text.size() && text[i + 2] == '\n'))) {
            i += text[i + 1] == '\r' ? 3 : 2;
            endLine(true);
            continue;
        }
        if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
            while (i < text.size() && text[i] != '\n')
                ++i;
            continue;
        }
        if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
            inBlockComment = true;
            i += 2;
            continue;
        }
        if (c == '"') {
            // Copy the string whole so that comment markers inside it stay text.
            current.text.push_back(c);
            ++i;
            while (i < text.size() && text[i] != '\n') {
                current.text.push_back(text[i]);
                if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] != '\n') {
                    current.text.push_back(text[++i]);
                } else if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        current.text.push_back(text[++i]);
                    } else {
                        ++i;
                        break;
                    }
                }
                ++i;
            }
            continue;
        }
        current.text.push_back(c);
        ++i;
    }
    if (!current.text.empty())
        lines.push_back(current);
    return lines;
}

namespace {

bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

std::u32string ReadString(const std::string& line, size_t& i, const SourceLocation& where)
{
    // line[i] is the opening quote.
    std::string bytes;
    ++i;
    for (;;) {
        if (i >= line.size())
            throw CompileError(where, "unterminated string");
        char c = line[i++];
        if (c == '"') {
            if (i < line.size() && line[i] == '"') {
                bytes.push_back('"');
                ++i;
                continue;
            }
            break;
        }
        if (c != '\\') {
            bytes.push_back(c);
            continue;
        }
        if (i >= line.size())
            throw CompileError(where, "unterminated string");
        char e = line[i++];
        switch (e) {
        case 'n': bytes.push_back('\n'); break;
        case 'r': bytes.push_back('\r'); break;
        case 't': bytes.push_back('\t'); break;
        case 'a': bytes.push_back('\a'); break;
        case '\\': bytes.push_back('\\'); break;
        case '"': bytes.push_back('"'); break;
        case 'x':
        case 'X': {
            unsigned value = 0;
            int digits = 0;
            while (i < line.size() && digits < 4 && std::isxdigit(static_cast<unsigned char>(line[i]))) {
                value = value * 16 + (std::isdigit(static_cast<unsigned char>(line[i])) ? line[i] - '0' : (std::tolower(line[i]) - 'a' + 10));
                ++i;
                ++digits;
            }
            if (digits == 0)
                throw CompileError(where, "\\x without hex digits");
            bytes += utf::ToUtf8(std::u32string(1, static_cast<char32_t>(value)));
            break;
        }
        default:
            if (e >= '0' && e <= '7') {
                unsigned value = static_cast<unsigned>(e - '0');
                for (int k = 0; k < 2 && i < line.size() && line[i] >= '0' && line[i] <= '7'; ++k)
                    value = value * 8 + static_cast<unsigned>(line[i++] - '0');
                bytes += utf::ToUtf8(std::u32string(1, static_cast<char32_t>(value)));
            } else {
                // rc keeps an unknown escape as written.
                bytes.push_back('\\');
                bytes.push_back(e);
            }
        }
    }
    std::u32string text;
    if (!utf::DecodeUtf8(bytes, text))
        throw CompileError(where, "string is not valid UTF-8 (the script must be saved as UTF-8)");
    return text;
}

} // namespace

std::vector<Token> Tokenize(const std::string& line, const SourceLocation& where)
{
    static const char* const twoCharPunctuators[] = {"||", "&&", "==", "!=", "<=", ">=", "<<", ">>", "##"};
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
            continue;
        }
        Token token;
        token.where = where;
        size_t start = i;
        if (c == '"' || ((c == 'L' || c == 'l') && i + 1 < line.size() && line[i + 1] == '"')) {
            token.kind = TokenKind::String;
            token.isWide = c != '"';
            if (token.isWide)
                ++i;
            token.value = ReadString(line, i, where);
        } else if (IsIdentStart(c)) {
            token.kind = TokenKind::Identifier;
            while (i < line.size() && IsIdentChar(line[i]))
                ++i;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            token.kind = TokenKind::Number;
            std::uint64_t value = 0;
            if (c == '0' && i + 1 < line.size() && (line[i + 1] == 'x' || line[i + 1] == 'X')) {
                i += 2;
                if (i >= line.size() || !std::isxdigit(static_cast<unsigned char>(line[i])))
                    throw CompileError(where, "malformed hexadecimal number");
                while (i < line.size() && std::isxdigit(static_cast<unsigned char>(line[i]))) {
                    char d = line[i++];
                    value = value * 16 + static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(d)) ? d - '0' : std::tolower(d) - 'a' + 10);
                    value &= 0xFFFFFFFFull;
                }
            } else {
                while (i < line.size() && std::isdigit(static_cast<unsigned char>(line[i]))) {
                    value = value * 10 + static_cast<unsigned>(line[i++] - '0');
                    value &= 0xFFFFFFFFull;
                }
            }
            while (i < line.size() && std::strchr("LlUu", line[i]) && line[i] != '\0') {
                if (line[i] == 'L' || line[i] == 'l')
                    token.isLong = true;
                ++i;
            }
            if (i < line.size() && IsIdentChar(line[i]))
                throw CompileError(where, "malformed number '" + line.substr(start, i + 1 - start) + "'");
            token.number = static_cast<std::uint32_t>(value);
        } else {
            token.kind = TokenKind::Punctuator;
            i += 1;
            for (const char* p : twoCharPunctuators)
                if (line.compare(start, 2, p) == 0) {
                    i = start + 2;
                    break;
                }
            if (!std::strchr(",|&+-*/%()~!<>^{}#=", c) || c == '\0')
                throw CompileError(where, std::string("unexpected character '") + c + "'");
        }
        token.text = line.substr(start, i - start);
        tokens.push_back(std::move(token));
    }
    return tokens;
}

} // namespace vizrc
