#include "FontLocator.h"

#include "Utf8.h"

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
    FontConfig() : m_config(FcInitLoadConfigAndFonts()) {}
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

struct FamilyMapping {
    std::vector<const char*> families; // tried in order before fontconfig's own fallbacks
    const char* lang;                  // nullptr: no language preference
};

// Chinese Windows fonts map to CJK families; Latin ones to the metric-compatible families.
// Null for a name not known here.
const FamilyMapping* FindMapping(const std::wstring& name)
{
    static const FamilyMapping songti{{"Noto Serif CJK SC", "Source Han Serif SC", "AR PL UMing CN",
                                          "WenQuanYi Zen Hei", "serif"}, "zh-cn"};
    static const FamilyMapping kaiti{{"AR PL UKai CN", "Noto Serif CJK SC", "WenQuanYi Zen Hei", "serif"}, "zh-cn"};
    static const FamilyMapping heiti{{"Noto Sans CJK SC", "Source Han Sans SC", "WenQuanYi Zen Hei",
                                         "WenQuanYi Micro Hei", "sans-serif"}, "zh-cn"};
    static const FamilyMapping sans{{"Liberation Sans", "Arimo", "DejaVu Sans", "sans-serif"}, nullptr};
    static const FamilyMapping serif{{"Liberation Serif", "Tinos", "DejaVu Serif", "serif"}, nullptr};
    static const FamilyMapping mono{{"Liberation Mono", "Cousine", "DejaVu Sans Mono", "monospace"}, nullptr};
    static const std::map<std::wstring, const FamilyMapping*> known{
        {L"宋体", &songti}, {L"simsun", &songti}, {L"新宋体", &songti}, {L"nsimsun", &songti},
        {L"仿宋", &songti}, {L"fangsong", &songti}, {L"仿宋_gb2312", &songti}, {L"fangsong_gb2312", &songti},
        {L"楷体", &kaiti}, {L"kaiti", &kaiti}, {L"楷体_gb2312", &kaiti}, {L"kaiti_gb2312", &kaiti},
        {L"黑体", &heiti}, {L"simhei", &heiti}, {L"微软雅黑", &heiti}, {L"microsoft yahei", &heiti},
        {L"等线", &heiti}, {L"dengxian", &heiti},
        {L"arial", &sans}, {L"helvetica", &sans}, {L"calibri", &sans}, {L"tahoma", &sans},
        {L"verdana", &sans}, {L"segoe ui", &sans}, {L"ms sans serif", &sans},
        {L"times new roman", &serif}, {L"times", &serif}, {L"cambria", &serif},
        {L"courier new", &mono}, {L"courier", &mono}, {L"consolas", &mono},
    };
    std::wstring key;
    for (wchar_t c : name)
        key += (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
    auto it = known.find(key);
    return it != known.end() ? it->second : nullptr;
}

bool IsTrueType(FcPattern* font)
{
    FcChar8* format = nullptr;
    return FcPatternGetString(font, FC_FONTFORMAT, 0, &format) == FcResultMatch
        && std::string(reinterpret_cast<const char*>(format)) == "TrueType";
}

int Coverage(FcPattern* font, const std::wstring& text)
{
    FcCharSet* charset = nullptr;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) != FcResultMatch)
        return 0;
    int covered = 0;
    for (wchar_t c : text)
        covered += (c == L' ' || FcCharSetHasChar(charset, static_cast<FcChar32>(c))) ? 1 : 0;
    return covered;
}

FontFile Locate(FcConfig* config, const std::wstring& windowsName, const std::wstring& text)
{
    const FamilyMapping* mapping = FindMapping(windowsName);
    FcPattern* pattern = FcPatternCreate();
    // An unknown name is tried as a family of its own first (it may be installed), then sans.
    if (!mapping) {
        if (!windowsName.empty())
            FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(ToUtf8(windowsName).c_str()));
        mapping = FindMapping(L"Arial");
    }
    for (const char* family : mapping->families)
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    if (mapping->lang)
        FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(mapping->lang));
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcCharSet* wanted = FcCharSetCreate();
    for (wchar_t c : text)
        FcCharSetAddChar(wanted, static_cast<FcChar32>(c));
    FcPatternAddCharSet(pattern, FC_CHARSET, wanted);
    FcCharSetDestroy(wanted);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);

    FontFile best;
    int bestCoverage = -1;
    FcResult result = FcResultNoMatch;
    FcFontSet* fonts = FcFontSort(config, pattern, FcFalse, nullptr, &result);
    for (int i = 0; fonts && i < fonts->nfont; ++i) {
        FcPattern* font = FcFontRenderPrepare(config, pattern, fonts->fonts[i]);
        FcChar8* file = nullptr;
        int index = 0;
        if (font && IsTrueType(font) && FcPatternGetString(font, FC_FILE, 0, &file) == FcResultMatch) {
            FcPatternGetInteger(font, FC_INDEX, 0, &index);
            int coverage = Coverage(font, text);
            if (coverage > bestCoverage) {
                bestCoverage = coverage;
                best = FontFile{reinterpret_cast<const char*>(file), index};
            }
        }
        if (font)
            FcPatternDestroy(font);
        if (bestCoverage == static_cast<int>(text.size()))
            break;
    }
    if (fonts)
        FcFontSetDestroy(fonts);
    FcPatternDestroy(pattern);
    return best;
}

} // namespace

FontFile LocateFont(const std::wstring& windowsName, const std::wstring& text)
{
    // fontconfig's ranking is the slow part; the same name and text come back on every page.
    static std::mutex mutex;
    static FontConfig config;
    static std::map<std::pair<std::wstring, std::wstring>, FontFile> cache;
    std::lock_guard<std::mutex> lock(mutex);
    auto key = std::make_pair(windowsName, text);
    auto it = cache.find(key);
    if (it != cache.end())
        return it->second;
    if (cache.size() > 256)
        cache.clear();
    FontFile found = config.Get() ? Locate(config.Get(), windowsName, text) : FontFile{};
    cache.emplace(key, found);
    return found;
}

} // namespace pdfstamp
