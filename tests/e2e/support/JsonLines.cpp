#include "JsonLines.h"

#include <sstream>

#include <nlohmann/json.hpp>

namespace e2e {

std::optional<JsonObject> ParseJsonObject(const std::string& line)
{
    const nlohmann::json value = nlohmann::json::parse(line, nullptr, false);
    if (!value.is_object())
        return std::nullopt;
    JsonObject object;
    for (const auto& [name, field] : value.items()) {
        if (!field.is_string())
            return std::nullopt;
        object[name] = field.get<std::string>();
    }
    return object;
}

std::vector<JsonObject> ParseJsonLines(const std::string& text, std::vector<int>* bad)
{
    std::vector<JsonObject> objects;
    std::istringstream in(text);
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.empty())
            continue;
        if (std::optional<JsonObject> object = ParseJsonObject(line))
            objects.push_back(*object);
        else if (bad)
            bad->push_back(number);
    }
    return objects;
}

} // namespace e2e
