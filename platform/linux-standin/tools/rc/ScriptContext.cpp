#include "ScriptContext.h"

#include "BinaryWriter.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <utf/Utf.h>

namespace vizrc {

ScriptContext::ScriptContext(std::string scriptDir, std::vector<std::string> includeDirs, std::uint16_t lang)
    : language(lang), m_scriptDir(std::move(scriptDir)), m_includeDirs(std::move(includeDirs))
{
}

void ScriptContext::Add(Resource resource)
{
    for (const Resource& r : m_resources)
        if (r.type == resource.type && r.name == resource.name && r.language == resource.language)
            throw CompileError(resource.where, "duplicate resource (first defined at " + r.where.ToString() + ")");
    m_resources.push_back(std::move(resource));
}

void ScriptContext::AddString(std::uint16_t id, std::uint16_t lang, std::u32string text, const SourceLocation& where)
{
    StringBlock& block = m_stringBlocks[{lang, static_cast<std::uint16_t>(id / 16 + 1)}];
    if (block.where.line == 0)
        block.where = where;
    size_t index = id % 16;
    if (block.present[index])
        throw CompileError(where, "string id " + std::to_string(id) + " is defined twice");
    block.present[index] = true;
    block.strings[index] = std::move(text);
}

std::vector<std::uint8_t> ScriptContext::ReadFile(const std::u32string& name, const SourceLocation& where)
{
    std::string path = utf::ToUtf8(name);
    std::replace(path.begin(), path.end(), '\\', '/');
    std::vector<std::string> candidates;
    if (!path.empty() && path[0] == '/') {
        candidates.push_back(path);
    } else {
        candidates.push_back(m_scriptDir + "/" + path);
        for (const std::string& dir : m_includeDirs)
            candidates.push_back(dir + "/" + path);
    }
    for (const std::string& candidate : candidates) {
        std::ifstream in(candidate, std::ios::binary);
        if (!in)
            continue;
        m_filesRead.push_back(candidate);
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    throw CompileError(where, "cannot open file '" + path + "'");
}

std::vector<Resource> ScriptContext::Finish()
{
    // Each block holds 16 counted UTF-16 strings, absent ones as length 0.
    for (auto& [key, block] : m_stringBlocks) {
        Resource r;
        r.type = ResourceId::Number(kRtString);
        r.name = ResourceId::Number(key.second);
        r.language = key.first;
        r.where = block.where;
        BinaryWriter out;
        for (const std::u32string& text : block.strings) {
            std::u16string units = utf::ToUtf16(text);
            if (units.size() > 0xFFFF)
                throw CompileError(block.where, "string longer than 65535 characters");
            out.Word(static_cast<std::uint16_t>(units.size()));
            out.Utf16(units, false);
        }
        r.data = out.Take();
        r.strings.assign(block.strings.begin(), block.strings.end());
        Add(std::move(r));
    }
    m_stringBlocks.clear();
    return std::move(m_resources);
}

} // namespace vizrc
