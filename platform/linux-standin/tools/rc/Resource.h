// A compiled resource: its type, name and language, and its bytes in the Windows binary format.
#pragma once

#include "Diagnostics.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vizrc {

// A type or a name: a 16-bit number, or a string (upper case, as rc.exe stores it).
struct ResourceId {
    std::uint16_t number = 0;
    std::u32string name;

    static ResourceId Number(std::uint16_t n) { return ResourceId{n, {}}; }
    static ResourceId Name(std::u32string text)
    {
        for (char32_t& c : text)
            if (c >= U'a' && c <= U'z')
                c -= U'a' - U'A';
        return ResourceId{0, std::move(text)};
    }
    bool IsName() const { return !name.empty(); }
    bool operator==(const ResourceId& o) const { return number == o.number && name == o.name; }
    bool operator<(const ResourceId& o) const { return name != o.name ? name < o.name : number < o.number; }
};

// Standard resource types.
enum : std::uint16_t {
    kRtIcon = 3,
    kRtDialog = 5,
    kRtString = 6,
    kRtRcData = 10,
    kRtGroupIcon = 14,
    kRtVersion = 16,
    kRtManifest = 24,
    kRtDlgInit = 240,
};

struct Resource {
    ResourceId type;
    ResourceId name;
    std::uint16_t language = 0;
    std::vector<std::uint8_t> data;
    std::vector<std::u32string> strings; // RT_STRING: the block's 16 strings
    SourceLocation where;
};

} // namespace vizrc
