#include "FontLocator.h"

#include "Utf8.h"
#include "WindowsFontAliases.h"

#include <fontconfig/fontconfig.h>

#include <map>
#include <mutex>
#include <vector>

namespace pdfstamp {
namespace {

// fontconfig's own current configuration is never freed; this one is, at exit, so that leak
// checkers see nothing.
class FontConfig {
public:
    FontConfig() : m_config(FcInitLoadConfigAndFonts())
    {
        if (m_config)
            LoadWindowsFontAliases(m_config);
    }
    ~FontConfig()
    {
        if (m_config)
            FcConfigDestroy(m_config);
    }
    FontConfig(const FontConfig&) = delete;
    FontConfig& operator=(const FontConfig&) = delete;
    FcConfig* Get() const { return m_config; }

private:
    FcConfig* m_config;
};

// One face of fontconfig's ranking, with the characters it has.
class Candidate {
public:
    Candidate(FontFile file, FcCharSet* charset) : m_file(std::move(file)), m_charset(FcCharSetCopy(charset)) {}
    Candidate(Candidate&& other) noexcept : m_file(std::move(other.m_file)), m_charset(other.m_charset)
    {
        other.m_charset = nullptr;
    }
    Candidate(const Candidate&) = delete;
    Candidate& operator=(const Candidate&) = delete;
    Candidate& operator=(Candidate&&) = delete;
    ~Candidate()
    {
        if (m_charset)
            FcCharSetDestroy(m_charset);
    }
    const FontFile& File() const { return m_file; }
    bool Has(wchar_t c) const { return FcCharSetHasChar(m_charset, static_cast<FcChar32>(c)); }

private:
    FontFile m_file;
    FcCharSet* m_charset;
};

bool IsTrueType(FcPattern* font)
{
    FcChar8* format = nullptr;
    return FcPatternGetString(font, FC_FONTFORMAT, 0, &format) == FcResultMatch
        && std::string(reinterpret_cast<const char*>(format)) == "TrueType";
}

// The TrueType faces in fontconfig's order for the name; the text plays no part, so that the
// requested style wins over a face that merely covers more.
std::vector<Candidate> Rank(FcConfig* config, const std::wstring& windowsName)
{
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(ToUtf8(windowsName).c_str()));
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);

    std::vector<Candidate> ranked;
    FcResult result = FcResultNoMatch;
    FcFontSet* fonts = FcFontSort(config, pattern, FcFalse, nullptr, &result);
    for (int i = 0; fonts && i < fonts->nfont; ++i) {
        FcPattern* font = fonts->fonts[i];
        FcChar8* file = nullptr;
        FcCharSet* charset = nullptr;
        int index = 0;
        if (IsTrueType(font) && FcPatternGetString(font, FC_FILE, 0, &file) == FcResultMatch
            && FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) == FcResultMatch) {
            FcPatternGetInteger(font, FC_INDEX, 0, &index);
            ranked.emplace_back(FontFile{reinterpret_cast<const char*>(file), index}, charset);
        }
    }
    if (fonts)
        FcFontSetDestroy(fonts);
    FcPatternDestroy(pattern);
    return ranked;
}

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == 0x3000;
}

LocatedText Split(const std::vector<Candidate>& ranked, const std::wstring& text)
{
    LocatedText located;
    if (ranked.empty())
        return located;
    const Candidate* current = nullptr;
    for (wchar_t c : text) {
        const Candidate* face = nullptr;
        for (const Candidate& candidate : ranked)
            if (candidate.Has(c)) {
                face = &candidate;
                break;
            }
        if (!face) {
            if (!IsBlank(c) && located.missing.find(c) == std::wstring::npos)
                located.missing += c;
            face = current ? current : &ranked.front();
        } else if (IsBlank(c) && current && current->Has(c)) {
            face = current; // a blank does not break a run
        }
        if (face != current || located.runs.empty())
            located.runs.push_back(FontRun{face->File(), L""});
        located.runs.back().text += c;
        current = face;
    }
    return located;
}

} // namespace

LocatedText LocateFonts(const std::wstring& windowsName, const std::wstring& text)
{
    // fontconfig's ranking is the slow part; it depends on the name only.
    static std::mutex mutex;
    static FontConfig config;
    static std::map<std::wstring, std::vector<Candidate>> cache;
    std::lock_guard<std::mutex> lock(mutex);
    auto it = cache.find(windowsName);
    if (it == cache.end()) {
        if (cache.size() > 64)
            cache.clear();
        it = cache.emplace(windowsName, config.Get() ? Rank(config.Get(), windowsName) : std::vector<Candidate>{}).first;
    }
    return Split(it->second, text);
}

} // namespace pdfstamp
