#include "FontLocator.h"

#include "DiskCache.h"
#include "SplitByFace.h"
#include "WindowsFontAliases.h"

#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <utf/Utf.h>
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
    bool Has(char32_t c) const { return FcCharSetHasChar(m_charset, static_cast<FcChar32>(c)); }

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
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(utf::ToUtf8(windowsName).c_str()));
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

// Loading fontconfig's configuration is most of a short stamping process, so what a text
// resolved to is kept on disk for the next process, beside a record of the font set it came from:
// fontconfig's configuration files and font folders, each with its stamp. A file or folder that
// changed (a font installed or removed) makes the record and every answer made under it stale.
class FontSetRecord {
public:
    // The record this process's answers are stored under; empty when it is stale or missing.
    const std::string& Current()
    {
        if (!m_checked) {
            m_checked = true;
            std::string value;
            if (ReadCached(Key(), value) && IsUpToDate(value))
                m_value = value;
        }
        return m_value;
    }

    // After fontconfig has loaded: records its font set, unless the one on disk is current.
    const std::string& Update(FcConfig* config)
    {
        if (!m_value.empty() || config == nullptr)
            return m_value;
        std::string value;
        for (FcStrList* list : {FcConfigGetConfigFiles(config), FcConfigGetFontDirs(config)}) {
            if (list == nullptr)
                return m_value; // no record: answers are not kept
            while (FcChar8* path = FcStrListNext(list)) {
                const std::string file = reinterpret_cast<const char*>(path);
                AppendField(value, file);
                AppendField(value, FileStamp(file));
            }
            FcStrListDone(list);
        }
        WriteCached(Key(), value);
        return m_value = value;
    }

private:
    // The environment that chooses fontconfig's configuration, and our aliases.
    static std::string Key()
    {
        std::string key = "fontset";
        for (const char* name : {"FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT"}) {
            const char* value = std::getenv(name);
            AppendField(key, value ? value : "");
        }
        AppendField(key, std::to_string(std::hash<std::string>()(WindowsFontAliases())));
        return key;
    }

    static bool IsUpToDate(const std::string& value)
    {
        std::string path;
        std::string stamp;
        for (size_t pos = 0; pos < value.size();)
            if (!ReadField(value, pos, path) || !ReadField(value, pos, stamp) || FileStamp(path) != stamp)
                return false;
        return !value.empty();
    }

    bool m_checked = false;
    std::string m_value;
};

std::string Bytes(const std::wstring& text)
{
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

std::wstring Text(const std::string& bytes)
{
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    bytes.copy(reinterpret_cast<char*>(text.data()), text.size() * sizeof(wchar_t));
    return text;
}

std::string AnswerKey(const std::string& fontSet, const std::wstring& windowsName, const std::wstring& text)
{
    std::string key = "faces";
    AppendField(key, fontSet);
    AppendField(key, Bytes(windowsName));
    AppendField(key, Bytes(text));
    return key;
}

// Each run's file with its stamp, its face index and text; then the missing characters.
std::string SaveAnswer(const LocatedText& located)
{
    std::string value;
    AppendField(value, Bytes(located.missing));
    for (const FontRun& run : located.runs) {
        AppendField(value, run.file.path);
        AppendField(value, FileStamp(run.file.path));
        AppendField(value, std::to_string(run.file.index));
        AppendField(value, Bytes(run.text));
    }
    return value;
}

bool LoadAnswer(const std::string& value, const std::wstring& text, LocatedText& located)
{
    size_t pos = 0;
    std::string field;
    if (!ReadField(value, pos, field))
        return false;
    located.missing = Text(field);
    std::wstring joined;
    while (pos < value.size()) {
        FontRun run;
        std::string stamp;
        std::string index;
        if (!ReadField(value, pos, run.file.path) || !ReadField(value, pos, stamp) ||
            stamp != FileStamp(run.file.path) || !ReadField(value, pos, index) || !ReadField(value, pos, field))
            return false;
        run.file.index = std::atoi(index.c_str());
        run.text = Text(field);
        joined += run.text;
        located.runs.push_back(std::move(run));
    }
    return joined == text;
}

} // namespace

LocatedText LocateFonts(const std::wstring& windowsName, const std::wstring& text)
{
    // fontconfig's ranking is the slow part; it depends on the name only.
    static std::mutex mutex;
    static std::unique_ptr<FontConfig> config;
    static FontSetRecord fontSet;
    static std::map<std::wstring, std::vector<Candidate>> cache;
    std::lock_guard<std::mutex> lock(mutex);
    LocatedText located;
    if (!config && !fontSet.Current().empty()) {
        std::string value;
        if (ReadCached(AnswerKey(fontSet.Current(), windowsName, text), value) && LoadAnswer(value, text, located))
            return located;
        located = LocatedText();
    }
    // The answer on disk spares a later process fontconfig's loading and ranking: it is written
    // by a call that paid for them, not for every text of a process that has them at hand (a
    // download drawing a new date on every PDF would write an entry a PDF).
    bool paid = !config;
    if (!config)
        config = std::make_unique<FontConfig>();
    auto it = cache.find(windowsName);
    if (it == cache.end()) {
        paid = true;
        if (cache.size() > 64)
            cache.clear();
        it = cache.emplace(windowsName, config->Get() ? Rank(config->Get(), windowsName) : std::vector<Candidate>{}).first;
    }
    located = SplitByFace(it->second, text);
    const std::string& record = fontSet.Update(config->Get());
    if (paid && !record.empty() && !located.runs.empty())
        WriteCached(AnswerKey(record, windowsName, text), SaveAnswer(located));
    return located;
}

} // namespace pdfstamp
