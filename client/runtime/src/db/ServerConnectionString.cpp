#include <cctype>

#include "qvclient/Database.h"

namespace qvclient {

bool IsServerConnectionString(const std::string& text)
{
    if (text.rfind("postgresql://", 0) == 0 || text.rfind("postgres://", 0) == 0)
        return true;
    // keyword=value pairs: the first word is a keyword followed by '='.
    size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos)
        return false;
    const size_t start = i;
    while (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_'))
        ++i;
    i = text.find_first_not_of(" \t", i);
    return i != start && i != std::string::npos && text[i] == '=';
}

} // namespace qvclient
