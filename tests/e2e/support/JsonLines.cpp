#include "JsonLines.h"

#include <sstream>

#include <nlohmann/json.hpp>

namespace e2e {

std::vector<JsonObject> ParseJsonLines(const std::string& text, std::vector<int>* bad)
{
    std::vector<JsonObject> objects;
    std::istringstream in(text);
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.empty())
            continue;
        // A flat object of strings, and nothing else on the line.
        const nlohmann::json value = nlohmann::json::parse(line, nullptr, false);
        JsonObject object;
        bool flat = value.is_object();
        for (auto it = value.begin(); flat && it != value.end(); ++it) {
            flat = it->is_string();
            if (flat)
                object[it.key()] = it->get<std::string>();
        }
        if (flat)
            objects.push_back(object);
        else if (bad)
            bad->push_back(number);
    }
    return objects;
}

} // namespace e2e
