// The part of the C preprocessor that resource scripts use: #include, object- and function-like
// #define, #undef, #if/#ifdef/#ifndef/#elif/#else/#endif with defined(), #pragma code_page and
// #error. As rc.exe does, an included .h or .c file contributes only its directives.
#pragma once

#include "Token.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace vizrc {

class Preprocessor {
public:
    explicit Preprocessor(std::vector<std::string> includeDirs);

    void Define(const std::string& name, const std::string& value);

    // Preprocesses the script and everything it includes. Throws CompileError.
    std::vector<Token> Run(const std::string& path);

    // Every file read, for the build's dependency file.
    const std::vector<std::string>& FilesRead() const { return m_filesRead; }

private:
    struct Macro {
        bool functionLike = false;
        std::vector<std::string> parameters;
        std::vector<Token> body;
    };
    struct Conditional {
        bool active;      // lines in this branch are kept
        bool taken;       // some branch of this group was active
        bool parentActive;
        SourceLocation where;
    };

    void ProcessFile(const std::string& path, const SourceLocation& includedFrom);
    // The directive being run is m_where / m_rest (the text after its name).
    void Directive(const std::string& name, const std::string& dir, std::vector<Conditional>& stack);
    void DefineDirective(const std::vector<Token>& tokens);
    void IncludeDirective(const std::string& dir);
    void PragmaDirective();
    bool Condition(const std::vector<Token>& tokens);
    std::vector<Token> Expand(const std::vector<Token>& tokens, std::set<std::string>& active) const;
    std::string FindInclude(const std::string& name, const std::string& dir, bool quoted) const;

    std::vector<std::string> m_includeDirs;
    std::map<std::string, Macro> m_macros;
    std::vector<Token> m_output;
    std::vector<std::string> m_filesRead;
    std::vector<std::string> m_includeStack;
    std::set<std::string> m_onceFiles;
    bool m_headerMode = false;
    SourceLocation m_where;
    std::string m_rest;
};

} // namespace vizrc
