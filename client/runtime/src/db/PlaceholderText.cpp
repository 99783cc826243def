#include "db/PlaceholderText.h"

namespace qvclient {

std::string NumberPlaceholders(const std::string& sql)
{
    std::string out;
    out.reserve(sql.size() + 8);
    int nNext = 1;
    size_t i = 0;
    // Copies a run that ends with the terminator (doubled quotes stay inside the run).
    auto copyUntil = [&](const std::string& terminator) {
        const size_t end = sql.find(terminator, i);
        const size_t stop = end == std::string::npos ? sql.size() : end + terminator.size();
        out.append(sql, i, stop - i);
        i = stop;
    };
    while (i < sql.size()) {
        const char c = sql[i];
        if (c == '\'' || c == '"') {
            out += c;
            ++i;
            copyUntil(std::string(1, c));
        } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
            copyUntil("\n");
        } else if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
            out += "/*";
            i += 2;
            copyUntil("*/");
        } else if (c == '?') {
            out += '$' + std::to_string(nNext++);
            ++i;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

} // namespace qvclient
