// The Windows font names signature jobs use, grouped by style, with the installed families that
// stand in for each group where Windows' own faces are missing. One table for both font lookups.
#pragma once

#include <vector>

namespace pdfstamp {

struct AliasGroup {
    std::vector<const char*> windowsNames;
    std::vector<const char*> families; // preferred in this order, before the system's fallbacks
    bool chinese;                      // fallbacks for missing characters come from Chinese faces
};

const std::vector<AliasGroup>& FontAliasGroups();

} // namespace pdfstamp
