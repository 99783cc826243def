#include "ViewerMap.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace viewer {
namespace {

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

std::string DecodeEntities(const std::string& s)
{
    static const std::pair<const char*, char> entities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    std::string out;
    for (size_t i = 0; i < s.size();) {
        bool replaced = false;
        if (s[i] == '&') {
            for (const auto& [name, ch] : entities) {
                const size_t n = std::char_traits<char>::length(name);
                if (s.compare(i, n, name) == 0) {
                    out += ch;
                    i += n;
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced)
            out += s[i++];
    }
    return out;
}

// The value of attribute `name` inside one tag's text, or empty.
std::string Attribute(const std::string& tag, const std::string& name)
{
    size_t pos = 0;
    while ((pos = tag.find(name, pos)) != std::string::npos) {
        const bool boundary = pos > 0 && std::isspace(static_cast<unsigned char>(tag[pos - 1]));
        size_t eq = pos + name.size();
        while (eq < tag.size() && std::isspace(static_cast<unsigned char>(tag[eq])))
            ++eq;
        if (boundary && eq < tag.size() && tag[eq] == '=') {
            size_t q = eq + 1;
            while (q < tag.size() && std::isspace(static_cast<unsigned char>(tag[q])))
                ++q;
            if (q < tag.size() && (tag[q] == '"' || tag[q] == '\'')) {
                const size_t end = tag.find(tag[q], q + 1);
                if (end != std::string::npos)
                    return DecodeEntities(tag.substr(q + 1, end - q - 1));
            }
        }
        pos += name.size();
    }
    return {};
}

std::string Extension(const std::string& fileName)
{
    const size_t slash = fileName.find_last_of("/\\");
    const size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return Lower(fileName.substr(dot));
}

} // namespace

bool ViewerMap::Load(const std::string& posixPath)
{
    // The UTF-8 name opened as itself: on Windows a narrow name would be read in the ANSI code page.
    std::ifstream in(std::filesystem::u8path(posixPath), std::ios::binary);
    if (!in)
        return false;
    std::ostringstream text;
    text << in.rdbuf();
    LoadFromText(text.str());
    return true;
}

void ViewerMap::LoadFromText(const std::string& xml)
{
    m_entries.clear();
    size_t pos = 0;
    while ((pos = xml.find("<Viewer", pos)) != std::string::npos) {
        const size_t end = xml.find('>', pos);
        if (end == std::string::npos)
            break;
        const std::string tag = xml.substr(pos, end - pos);
        pos = end;
        if (tag.size() > 7 && !std::isspace(static_cast<unsigned char>(tag[7])) && tag[7] != '/')
            continue; // <ViewerMap> and other tags that only start alike
        ViewerEntry entry;
        entry.program = Attribute(tag, "program");
        std::stringstream list(Attribute(tag, "extensions"));
        for (std::string ext; std::getline(list, ext, ';');) {
            ext.erase(std::remove_if(ext.begin(), ext.end(), [](unsigned char c) { return std::isspace(c); }),
                ext.end());
            if (ext.empty())
                continue;
            if (ext != "*" && ext[0] != '.')
                ext = "." + ext;
            entry.extensions.push_back(Lower(ext));
        }
        if (!entry.program.empty() && !entry.extensions.empty())
            m_entries.push_back(std::move(entry));
    }
}

std::string ViewerMap::ProgramFor(const std::string& fileName) const
{
    const std::string ext = Extension(fileName);
    for (const auto& e : m_entries)
        if (!ext.empty() && std::find(e.extensions.begin(), e.extensions.end(), ext) != e.extensions.end())
            return e.program;
    for (const auto& e : m_entries)
        if (std::find(e.extensions.begin(), e.extensions.end(), "*") != e.extensions.end())
            return e.program;
    return {};
}

} // namespace viewer
