// Windows: the faces come from the system's font list in the registry (the machine's, then the
// user's), ranked for a name by the same alias groups the Linux side gives fontconfig, so both
// pick the same face for 宋体, 楷体, 黑体 and 仿宋 when the same font files are installed.
#include "../src/FontLocator.h"

#include "../src/FontAliasGroups.h"
#include "../src/FontFileAccess.h"
#include "../src/SplitByFace.h"
#include "WideName.h"

#include <hb.h>
#include <windows.h>
#include <atlbase.h>

#include <algorithm>
#include <cwctype>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace pdfstamp {
namespace {

// One registered TrueType face: its family as the registry names it, and where it is.
struct RegisteredFace {
    std::wstring family;
    FontFile file;
};

std::wstring Lower(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
    return text;
}

std::wstring FontsFolder()
{
    wchar_t windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(windows, length) + L"\\Fonts\\" : L"C:\\Windows\\Fonts\\";
}

// "AR PL UMing CN & AR PL UMing HK (TrueType)" = "uming.ttc": one face a name, in the collection's
// order. Only TrueType outlines are embedded, so other entries (bitmap and CFF fonts) are left out.
void AddEntry(const std::wstring& name, const std::wstring& data, const std::wstring& folder,
    std::vector<RegisteredFace>& faces)
{
    const std::wstring suffix = L" (TrueType)";
    const std::wstring lowerData = Lower(data);
    const bool trueTypeFile = lowerData.size() > 4 &&
        (lowerData.compare(lowerData.size() - 4, 4, L".ttf") == 0 || lowerData.compare(lowerData.size() - 4, 4, L".ttc") == 0);
    if (name.size() <= suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0 ||
        !trueTypeFile)
        return;
    const bool absolute = data.size() > 2 && (data[1] == L':' || (data[0] == L'\\' && data[1] == L'\\'));
    const std::string path = Utf8Name(absolute ? data : folder + data);
    const std::wstring families = name.substr(0, name.size() - suffix.size());
    int index = 0;
    for (size_t start = 0;; ++index) {
        const size_t end = families.find(L" & ", start);
        faces.push_back(RegisteredFace{families.substr(start, end - start), FontFile{path, index}});
        if (end == std::wstring::npos)
            break;
        start = end + 3;
    }
}

void ReadFontList(HKEY root, const std::wstring& folder, std::vector<RegisteredFace>& faces)
{
    CRegKey key;
    if (key.Open(root, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", KEY_READ) != ERROR_SUCCESS)
        return;
    for (DWORD i = 0;; ++i) {
        wchar_t name[16384];
        wchar_t data[MAX_PATH * 2];
        DWORD nameLength = ARRAYSIZE(name);
        DWORD dataBytes = sizeof data - sizeof(wchar_t);
        DWORD type = 0;
        const LONG status =
            RegEnumValueW(key, i, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataBytes);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
            continue;
        std::wstring value(data, dataBytes / sizeof(wchar_t));
        while (!value.empty() && value.back() == L'\0')
            value.pop_back();
        AddEntry(std::wstring(name, nameLength), value, folder, faces);
    }
}

// A face with the characters its character map has; the file is read when the face is ranked.
class Candidate {
public:
    explicit Candidate(FontFile file) : m_file(std::move(file)), m_unicodes(hb_set_create(), &hb_set_destroy)
    {
        if (hb_blob_t* blob = OpenFontBlob(m_file.path)) {
            hb_face_t* face = hb_face_create(blob, static_cast<unsigned>(m_file.index));
            hb_face_collect_unicodes(face, m_unicodes.get());
            hb_face_destroy(face);
            hb_blob_destroy(blob);
        }
    }
    const FontFile& File() const { return m_file; }
    bool Has(char32_t c) const { return hb_set_has(m_unicodes.get(), static_cast<hb_codepoint_t>(c)); }
    bool IsEmpty() const { return hb_set_is_empty(m_unicodes.get()); }

private:
    FontFile m_file;
    std::unique_ptr<hb_set_t, void (*)(hb_set_t*)> m_unicodes;
};

std::wstring Wide(const char* utf8)
{
    return WideName(utf8);
}

bool IsGeneric(const char* family)
{
    const std::string name = family;
    return name == "serif" || name == "sans-serif" || name == "monospace";
}

// Latin names fontconfig maps to metric-compatible families when the face itself is missing.
const std::vector<std::pair<std::vector<const char*>, const char*>>& MetricAliases()
{
    static const std::vector<std::pair<std::vector<const char*>, const char*>> aliases{
        {{"Arial", "Helvetica"}, "Liberation Sans"},
        {{"Times New Roman", "Times"}, "Liberation Serif"},
        {{"Courier New", "Courier"}, "Liberation Mono"},
    };
    return aliases;
}

// The families to look for, best first: a group's stand-ins before the name itself (fontconfig's
// strong alias), then the group's other Windows names; a Latin name before its metric alias;
// then the Chinese sans-serif faces for any name, as the fallback for characters the others lack.
std::vector<std::wstring> Families(const std::wstring& windowsName)
{
    std::vector<std::wstring> families;
    const std::wstring lowerName = Lower(windowsName);
    const auto add = [&families](const std::wstring& family) {
        if (std::find(families.begin(), families.end(), Lower(family)) == families.end())
            families.push_back(Lower(family));
    };
    for (const AliasGroup& group : FontAliasGroups()) {
        const bool named = std::any_of(group.windowsNames.begin(), group.windowsNames.end(),
            [&](const char* name) { return Lower(Wide(name)) == lowerName; });
        if (!named)
            continue;
        for (const char* family : group.families)
            if (!IsGeneric(family))
                add(Wide(family));
        add(windowsName);
        for (const char* name : group.windowsNames)
            add(Wide(name));
    }
    add(windowsName);
    for (const auto& [names, family] : MetricAliases())
        if (std::any_of(names.begin(), names.end(), [&](const char* name) { return Lower(Wide(name)) == lowerName; }))
            add(Wide(family));
    for (const AliasGroup& group : FontAliasGroups())
        if (group.chinese && std::string(group.families.back()) == "sans-serif")
            for (const char* family : group.families)
                if (!IsGeneric(family))
                    add(Wide(family));
    return families;
}

std::vector<Candidate> Rank(const std::vector<RegisteredFace>& faces, const std::wstring& windowsName)
{
    std::vector<Candidate> ranked;
    std::vector<bool> taken(faces.size(), false);
    for (const std::wstring& family : Families(windowsName))
        for (size_t i = 0; i < faces.size(); ++i)
            if (!taken[i] && Lower(faces[i].family) == family) {
                taken[i] = true;
                Candidate candidate(faces[i].file);
                if (!candidate.IsEmpty())
                    ranked.push_back(std::move(candidate));
            }
    return ranked;
}

} // namespace

LocatedText LocateFonts(const std::wstring& windowsName, const std::wstring& text)
{
    static std::mutex mutex;
    static std::unique_ptr<std::vector<RegisteredFace>> faces;
    static std::map<std::wstring, std::vector<Candidate>> cache;
    std::lock_guard<std::mutex> lock(mutex);
    if (!faces) {
        faces = std::make_unique<std::vector<RegisteredFace>>();
        const std::wstring folder = FontsFolder();
        ReadFontList(HKEY_LOCAL_MACHINE, folder, *faces);
        ReadFontList(HKEY_CURRENT_USER, folder, *faces);
    }
    auto it = cache.find(windowsName);
    if (it == cache.end()) {
        if (cache.size() > 64)
            cache.clear();
        it = cache.emplace(windowsName, Rank(*faces, windowsName)).first;
    }
    return SplitByFace(it->second, text);
}

} // namespace pdfstamp
