// The layout of a module's compiled resources: the table that vizrc generates from the module's .rc
// file and that FindResourceW finds with dlsym on the module handle, under kResourceTableSymbol.
// Resource data keeps the Windows binary formats (text in them is UTF-16 code units).
#pragma once

#include <cstdint>

namespace winenv {

inline constexpr const char kResourceTableSymbol[] = "VizModuleResources";
inline constexpr std::uint32_t kResourceTableVersion = 1;

// One string of an RT_STRING block, also as wchar_t so that LoadStringW can hand out a read-only
// pointer into the module (the cchBufferMax == 0 form). Not terminated; length in wchar_t.
struct ResourceText {
    const wchar_t* text;
    std::uint32_t length;
};

struct ResourceEntry {
    const wchar_t* typeName; // upper case; null when the type is the number typeId
    std::uint16_t typeId;
    const wchar_t* name;     // upper case; null when the name is the number nameId
    std::uint16_t nameId;
    std::uint16_t language;  // LANGID
    const unsigned char* data; // 8-byte aligned
    std::uint32_t size;
    const ResourceText* strings; // RT_STRING: the block's 16 strings; otherwise null
};

struct ResourceTable {
    std::uint32_t version; // kResourceTableVersion
    std::uint32_t count;
    const ResourceEntry* entries;
};

} // namespace winenv
