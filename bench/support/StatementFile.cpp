#include "StatementFile.h"

#include <fstream>
#include <iterator>

namespace vizbench {

std::vector<std::string> ReadStatementFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> statements;
    for (size_t at = 0, end = 0; (end = all.find('\0', at)) != std::string::npos; at = end + 1)
        statements.push_back(all.substr(at, end - at));
    return statements;
}

bool WriteStatementFile(const std::string& path, const std::vector<std::string>& statements)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const std::string& statement : statements)
        out.write(statement.c_str(), static_cast<std::streamsize>(statement.size() + 1));
    return static_cast<bool>(out.flush());
}

} // namespace vizbench
