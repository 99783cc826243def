#include "Preprocessor.h"

#include "Expression.h"
#include "Lexer.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace vizrc {

namespace {

constexpr int kMaxIncludeDepth = 32;
constexpr std::uint32_t kUtf8CodePage = 65001;

bool FileExists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string DirectoryOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

bool IsHeaderFile(const std::string& path)
{
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos)
        return false;
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == "h" || ext == "c";
}

std::string LeftTrim(const std::string& s)
{
    size_t i = 0;
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])))
        ++i;
    return s.substr(i);
}

// Splits "#name rest" into the directive's name and the text after it.
void SplitDirective(const std::string& line, std::string& name, std::string& rest)
{
    std::string s = LeftTrim(LeftTrim(line).substr(1));
    size_t i = 0;
    while (i < s.size() && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '_'))
        ++i;
    name = s.substr(0, i);
    rest = s.substr(i);
}

} // namespace

Preprocessor::Preprocessor(std::vector<std::string> includeDirs) : m_includeDirs(std::move(includeDirs))
{
    Define("RC_INVOKED", "1");
    Define("_WIN32", "1");
}

void Preprocessor::Define(const std::string& name, const std::string& value)
{
    Macro macro;
    macro.body = Tokenize(value, SourceLocation{});
    m_macros[name] = macro;
}

std::vector<Token> Preprocessor::Run(const std::string& path)
{
    m_output.clear();
    ProcessFile(path, SourceLocation{});
    return m_output;
}

void Preprocessor::ProcessFile(const std::string& path, const SourceLocation& includedFrom)
{
    if (static_cast<int>(m_includeStack.size()) >= kMaxIncludeDepth)
        throw CompileError(includedFrom, "#include nested too deeply");
    if (m_onceFiles.count(path))
        return;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw CompileError(includedFrom, "cannot open '" + path + "'");
    std::stringstream buffer;
    buffer << in.rdbuf();
    std::string text = buffer.str();
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3);
    m_filesRead.push_back(path);
    m_includeStack.push_back(path);
    bool savedHeaderMode = m_headerMode;
    m_headerMode = IsHeaderFile(path);

    auto fileName = std::make_shared<const std::string>(path);
    std::vector<Conditional> conditionals;
    const std::string dir = DirectoryOf(path);
    for (const SourceLine& line : SplitLines(text)) {
        SourceLocation where{fileName, line.number};
        std::string trimmed = LeftTrim(line.text);
        bool active = conditionals.empty() || conditionals.back().active;
        if (!trimmed.empty() && trimmed[0] == '#') {
            std::string name, rest;
            SplitDirective(trimmed, name, rest);
            bool conditional = name == "if" || name == "ifdef" || name == "ifndef" || name == "elif" || name == "else" || name == "endif";
            if (!active && !conditional)
                continue;
            m_where = where;
            m_rest = rest;
            Directive(name, dir, conditionals);
            continue;
        }
        if (!active || m_headerMode || trimmed.empty())
            continue;
        std::set<std::string> expanding;
        std::vector<Token> tokens = Expand(Tokenize(line.text, where), expanding);
        m_output.insert(m_output.end(), tokens.begin(), tokens.end());
    }
    if (!conditionals.empty())
        throw CompileError(conditionals.back().where, "#if without #endif");
    m_headerMode = savedHeaderMode;
    m_includeStack.pop_back();
}

void Preprocessor::Directive(const std::string& name, const std::string& dir, std::vector<Conditional>& stack)
{
    const SourceLocation& where = m_where;
    bool parentActive = stack.empty() || stack.back().active;
    if (name == "if" || name == "ifdef" || name == "ifndef") {
        bool value = false;
        if (parentActive) {
            if (name == "if") {
                value = Condition(Tokenize(m_rest, where));
            } else {
                std::vector<Token> tokens = Tokenize(m_rest, where);
                if (tokens.size() != 1 || tokens[0].kind != TokenKind::Identifier)
                    throw CompileError(where, "#" + name + " needs one macro name");
                value = m_macros.count(tokens[0].text) != 0;
                if (name == "ifndef")
                    value = !value;
            }
        }
        stack.push_back(Conditional{value, value, parentActive, where});
        return;
    }
    if (name == "elif" || name == "else" || name == "endif") {
        if (stack.empty())
            throw CompileError(where, "#" + name + " without #if");
        Conditional& top = stack.back();
        if (name == "endif") {
            stack.pop_back();
        } else if (name == "else") {
            top.active = top.parentActive && !top.taken;
            top.taken = true;
        } else {
            top.active = top.parentActive && !top.taken && Condition(Tokenize(m_rest, where));
            top.taken = top.taken || top.active;
        }
        return;
    }
    if (name == "define") {
        DefineDirective(Tokenize(m_rest, where));
    } else if (name == "undef") {
        std::vector<Token> tokens = Tokenize(m_rest, where);
        if (tokens.empty() || tokens[0].kind != TokenKind::Identifier)
            throw CompileError(where, "#undef needs a macro name");
        m_macros.erase(tokens[0].text);
    } else if (name == "include") {
        IncludeDirective(dir);
    } else if (name == "pragma") {
        PragmaDirective();
    } else if (name == "error") {
        throw CompileError(where, "#error" + m_rest);
    } else if (name.empty()) {
        // A lone '#' is a null directive.
    } else {
        throw CompileError(where, "unknown directive #" + name);
    }
}

void Preprocessor::PragmaDirective()
{
    std::vector<Token> tokens = Tokenize(m_rest, m_where);
    if (tokens.empty())
        return;
    if (tokens[0].text == "once") {
        m_onceFiles.insert(m_includeStack.back());
        return;
    }
    if (tokens[0].text != "code_page")
        return; // other pragmas mean nothing to a resource compiler
    if (tokens.size() != 4 || !tokens[1].IsPunct("(") || tokens[2].kind != TokenKind::Number || !tokens[3].IsPunct(")"))
        throw CompileError(m_where, "malformed #pragma code_page");
    if (tokens[2].number != kUtf8CodePage)
        throw CompileError(m_where, "code page " + std::to_string(tokens[2].number) +
                                        " is not supported: save the script as UTF-8 with #pragma code_page(65001)");
}

void Preprocessor::DefineDirective(const std::vector<Token>& tokens)
{
    if (tokens.empty() || tokens[0].kind != TokenKind::Identifier)
        throw CompileError(m_where, "#define needs a macro name");
    Macro macro;
    size_t i = 1;
    // Function-like only when '(' follows the name directly.
    std::string afterName = LeftTrim(m_rest).substr(tokens[0].text.size());
    if (!afterName.empty() && afterName[0] == '(') {
        macro.functionLike = true;
        ++i;
        while (i < tokens.size() && !tokens[i].IsPunct(")")) {
            if (tokens[i].kind == TokenKind::Identifier)
                macro.parameters.push_back(tokens[i].text);
            else if (!tokens[i].IsPunct(","))
                throw CompileError(m_where, "malformed parameter list of " + tokens[0].text);
            ++i;
        }
        if (i == tokens.size())
            throw CompileError(m_where, "')' expected in #define " + tokens[0].text);
        ++i;
    }
    macro.body.assign(tokens.begin() + static_cast<std::ptrdiff_t>(i), tokens.end());
    m_macros[tokens[0].text] = macro;
}

void Preprocessor::IncludeDirective(const std::string& dir)
{
    std::string spec = LeftTrim(m_rest);
    char close = spec.empty() ? '\0' : spec[0] == '"' ? '"' : spec[0] == '<' ? '>' : '\0';
    size_t end = close ? spec.find(close, 1) : std::string::npos;
    if (end == std::string::npos)
        throw CompileError(m_where, "#include expects \"file\" or <file>");
    std::string name = spec.substr(1, end - 1);
    std::replace(name.begin(), name.end(), '\\', '/');
    std::string path = FindInclude(name, dir, close == '"');
    if (path.empty())
        throw CompileError(m_where, "cannot find include file '" + name + "'");
    ProcessFile(path, m_where);
}

std::string Preprocessor::FindInclude(const std::string& name, const std::string& dir, bool quoted) const
{
    if (!name.empty() && name[0] == '/')
        return FileExists(name) ? name : std::string();
    std::vector<std::string> candidates;
    if (quoted)
        candidates.push_back(dir);
    candidates.insert(candidates.end(), m_includeDirs.begin(), m_includeDirs.end());
    if (!quoted)
        candidates.push_back(dir);
    for (const std::string& candidate : candidates) {
        std::string path = candidate + "/" + name;
        if (FileExists(path))
            return path;
    }
    return {};
}

bool Preprocessor::Condition(const std::vector<Token>& tokens)
{
    // defined X and defined(X) are decided before macros expand.
    std::vector<Token> resolved;
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (!tokens[i].Is(TokenKind::Identifier, "defined")) {
            resolved.push_back(tokens[i]);
            continue;
        }
        bool parens = i + 1 < tokens.size() && tokens[i + 1].IsPunct("(");
        size_t nameAt = i + (parens ? 2 : 1);
        if (nameAt >= tokens.size() || tokens[nameAt].kind != TokenKind::Identifier ||
            (parens && (nameAt + 1 >= tokens.size() || !tokens[nameAt + 1].IsPunct(")"))))
            throw CompileError(m_where, "malformed defined()");
        Token value = tokens[i];
        value.kind = TokenKind::Number;
        value.number = m_macros.count(tokens[nameAt].text) ? 1 : 0;
        resolved.push_back(value);
        i = nameAt + (parens ? 1 : 0);
    }
    std::set<std::string> expanding;
    std::vector<Token> expanded = Expand(resolved, expanding);
    if (expanded.empty())
        throw CompileError(m_where, "#if without a condition");
    size_t pos = 0;
    ExprValue value = ParseExpression(expanded, pos, ExpressionMode::Preprocessor);
    if (pos != expanded.size())
        throw CompileError(m_where, "unexpected '" + expanded[pos].text + "' in #if");
    return value.value != 0;
}

std::vector<Token> Preprocessor::Expand(const std::vector<Token>& tokens, std::set<std::string>& expanding) const
{
    std::vector<Token> out;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const Token& token = tokens[i];
        auto found = token.kind == TokenKind::Identifier ? m_macros.find(token.text) : m_macros.end();
        if (found == m_macros.end() || expanding.count(token.text)) {
            out.push_back(token);
            continue;
        }
        const Macro& macro = found->second;
        std::vector<Token> replacement;
        if (macro.functionLike) {
            if (i + 1 >= tokens.size() || !tokens[i + 1].IsPunct("(")) {
                out.push_back(token);
                continue;
            }
            std::vector<std::vector<Token>> arguments(1);
            int depth = 0;
            size_t j = i + 2;
            for (; j < tokens.size(); ++j) {
                if (tokens[j].IsPunct("(")) {
                    ++depth;
                } else if (tokens[j].IsPunct(")")) {
                    if (depth-- == 0)
                        break;
                } else if (tokens[j].IsPunct(",") && depth == 0) {
                    arguments.emplace_back();
                    continue;
                }
                arguments.back().push_back(tokens[j]);
            }
            if (j == tokens.size())
                throw CompileError(token.where, "unterminated arguments of " + token.text);
            if (macro.parameters.empty() && arguments.size() == 1 && arguments[0].empty())
                arguments.clear();
            if (arguments.size() != macro.parameters.size())
                throw CompileError(token.where, token.text + " takes " + std::to_string(macro.parameters.size()) + " arguments");
            for (const Token& t : macro.body) {
                auto p = std::find(macro.parameters.begin(), macro.parameters.end(), t.text);
                if (t.kind == TokenKind::Identifier && p != macro.parameters.end()) {
                    std::vector<Token> argument = Expand(arguments[static_cast<size_t>(p - macro.parameters.begin())], expanding);
                    replacement.insert(replacement.end(), argument.begin(), argument.end());
                } else {
                    replacement.push_back(t);
                }
            }
            i = j;
        } else {
            replacement = macro.body;
        }
        for (Token& t : replacement)
            t.where = token.where;
        expanding.insert(token.text);
        std::vector<Token> expanded = Expand(replacement, expanding);
        expanding.erase(token.text);
        out.insert(out.end(), expanded.begin(), expanded.end());
    }
    return out;
}

} // namespace vizrc
