// Reads a VS_VERSIONINFO resource into a tree, as VerQueryValue walks it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace restest {

struct VersionNode {
    std::wstring key;
    bool text = false;
    std::vector<std::uint8_t> value; // raw bytes of the value
    std::wstring Text() const;       // a text value without its terminator
    std::vector<VersionNode> children;
    const VersionNode* Child(const std::wstring& name) const;
};

// False when a length or the alignment is wrong.
bool ParseVersionNode(const std::vector<std::uint8_t>& bytes, size_t offset, size_t end, VersionNode& node);

} // namespace restest
