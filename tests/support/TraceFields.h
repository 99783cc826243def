// The fields of each traced event of one kind, joined with blanks: one line an event.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include <winenv/Trace.h>

namespace viztest {

inline std::vector<std::string> TraceFields(
    const winenv::TraceRecorder& trace, const std::string& kind, std::initializer_list<const char*> fields)
{
    std::vector<std::string> lines;
    for (const auto& event : trace.OfKind(kind)) {
        std::string line;
        for (auto field = fields.begin(); field != fields.end(); ++field)
            line += std::string(field == fields.begin() ? "" : " ") + event.Get(*field);
        lines.push_back(line);
    }
    return lines;
}

} // namespace viztest
