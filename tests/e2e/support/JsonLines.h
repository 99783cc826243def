// Reads a transcript of JSON lines: one object per line whose values are all strings, as the
// client program writes its events.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using JsonObject = std::map<std::string, std::string>;

// One line as a flat object of strings; nothing when it is not exactly that (any malformed
// text, a value of another type, text after the object).
std::optional<JsonObject> ParseJsonObject(const std::string& line);

// Every non-empty line; a line that does not parse is named in *bad (1-based line numbers).
std::vector<JsonObject> ParseJsonLines(const std::string& text, std::vector<int>* bad);

} // namespace e2e
