// Where a token came from, and the error that stops the compile with "file:line: message".
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

namespace vizrc {

struct SourceLocation {
    std::shared_ptr<const std::string> file;
    int line = 0;

    std::string ToString() const { return (file ? *file : std::string("<command line>")) + ":" + std::to_string(line); }
};

class CompileError : public std::runtime_error {
public:
    CompileError(const SourceLocation& where, const std::string& message)
        : std::runtime_error(where.ToString() + ": error: " + message) {}
};

} // namespace vizrc
