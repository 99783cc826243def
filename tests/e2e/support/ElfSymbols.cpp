#include "ElfSymbols.h"

#include <elf.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace e2e {

namespace {

template <class T>
bool ReadAt(const std::vector<char>& image, std::uint64_t offset, T& out)
{
    if (offset > image.size() || image.size() - offset < sizeof(T))
        return false;
    std::memcpy(&out, image.data() + offset, sizeof(T));
    return true;
}

std::string StringAt(const std::vector<char>& image, const Elf64_Shdr& strtab, std::uint32_t index)
{
    if (index >= strtab.sh_size || strtab.sh_offset + strtab.sh_size > image.size())
        return {};
    const char* begin = image.data() + strtab.sh_offset + index;
    const char* end = image.data() + strtab.sh_offset + strtab.sh_size;
    return std::string(begin, static_cast<size_t>(std::find(begin, end, '\0') - begin));
}

} // namespace

std::map<std::string, ElfSymbol> ReadDefinedDynamicSymbols(const std::string& path, std::string* error)
{
    std::map<std::string, ElfSymbol> symbols;
    auto fail = [&](const std::string& why) {
        if (error)
            *error = path + ": " + why;
        return std::map<std::string, ElfSymbol>();
    };

    std::ifstream in(path, std::ios::binary);
    if (!in)
        return fail("cannot be read");
    const std::vector<char> image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

    Elf64_Ehdr header;
    if (!ReadAt(image, 0, header) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0)
        return fail("not an ELF file");
    if (header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_ident[EI_DATA] != ELFDATA2LSB)
        return fail("not a 64-bit little-endian ELF file");
    if (header.e_shentsize != sizeof(Elf64_Shdr))
        return fail("unexpected section header size");

    std::vector<Elf64_Shdr> sections(header.e_shnum);
    for (size_t i = 0; i < sections.size(); ++i)
        if (!ReadAt(image, header.e_shoff + i * sizeof(Elf64_Shdr), sections[i]))
            return fail("section headers cut short");

    for (const Elf64_Shdr& section : sections) {
        if (section.sh_type != SHT_DYNSYM)
            continue;
        if (section.sh_link >= sections.size() || section.sh_entsize != sizeof(Elf64_Sym))
            return fail("malformed .dynsym");
        const Elf64_Shdr& strtab = sections[section.sh_link];
        for (std::uint64_t offset = 0; offset + sizeof(Elf64_Sym) <= section.sh_size; offset += sizeof(Elf64_Sym)) {
            Elf64_Sym sym;
            if (!ReadAt(image, section.sh_offset + offset, sym))
                return fail(".dynsym cut short");
            if (sym.st_shndx == SHN_UNDEF || sym.st_name == 0)
                continue;
            ElfSymbol s;
            s.value = sym.st_value;
            s.type = ELF64_ST_TYPE(sym.st_info);
            s.binding = ELF64_ST_BIND(sym.st_info);
            s.visibility = ELF64_ST_VISIBILITY(sym.st_other);
            symbols[StringAt(image, strtab, sym.st_name)] = s;
        }
        return symbols;
    }
    return fail("no dynamic symbol table");
}

} // namespace e2e
