// What the statements of one script share: the current language, the resources made so far, the
// string table being collected, and where files named by the script are found.
#pragma once

#include "Resource.h"

#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace vizrc {

class ScriptContext {
public:
    ScriptContext(std::string scriptDir, std::vector<std::string> includeDirs, std::uint16_t language);

    std::uint16_t language;
    std::uint16_t nextIconImageId = 1; // RT_ICON ids are numbered across the script, from 1

    // Adds a resource; a second one with the same type, name and language is an error.
    void Add(Resource resource);
    // Collects one STRINGTABLE entry; the blocks are made by Finish.
    void AddString(std::uint16_t id, std::uint16_t lang, std::u32string text, const SourceLocation& where);
    // Reads a file named by the script (relative to the script's folder, then the include folders).
    std::vector<std::uint8_t> ReadFile(const std::u32string& name, const SourceLocation& where);

    std::vector<Resource> Finish();
    const std::vector<std::string>& FilesRead() const { return m_filesRead; }

private:
    struct StringBlock {
        std::array<std::u32string, 16> strings;
        std::array<bool, 16> present{};
        SourceLocation where;
    };

    std::string m_scriptDir;
    std::vector<std::string> m_includeDirs;
    std::vector<Resource> m_resources;
    std::map<std::pair<std::uint16_t, std::uint16_t>, StringBlock> m_stringBlocks; // (language, block id)
    std::vector<std::string> m_filesRead;
};

} // namespace vizrc
