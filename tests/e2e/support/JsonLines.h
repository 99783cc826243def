// Reads a transcript of JSON lines: one object per line whose values are all strings, as the
// client program writes its events.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace e2e {

using JsonObject = std::map<std::string, std::string>;

// Every non-empty line as a flat object of strings; a line that is not exactly that (malformed
// text, a value of another type, text after the object) is named in *bad (1-based numbers).
std::vector<JsonObject> ParseJsonLines(const std::string& text, std::vector<int>* bad);

} // namespace e2e
