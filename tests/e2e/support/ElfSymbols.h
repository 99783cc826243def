// The dynamic symbol table of a shared library, read from its file: what the loader of this
// platform sees as the library's exports.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace e2e {

struct ElfSymbol {
    std::uint64_t value = 0;
    unsigned char type = 0;       // STT_FUNC, STT_OBJECT, ...
    unsigned char binding = 0;    // STB_GLOBAL, STB_WEAK, ...
    unsigned char visibility = 0; // STV_DEFAULT, ...
};

// Every symbol of .dynsym that the file defines (not SHN_UNDEF), by name. Empty with a message in
// *error when the file is no 64-bit little-endian ELF file or has no dynamic symbol table.
std::map<std::string, ElfSymbol> ReadDefinedDynamicSymbols(const std::string& path, std::string* error);

} // namespace e2e
