#include "WindowsFontAliases.h"

#include <cstring>
#include <vector>

namespace pdfstamp {
namespace {

struct AliasGroup {
    std::vector<const char*> windowsNames;
    std::vector<const char*> families; // preferred in this order, before fontconfig's fallbacks
    bool chinese;                      // fallbacks for missing characters come from Chinese faces
};

// Windows' Chinese faces by style: Song/Ming (FangSong is a Song design), Kai and Hei. Latin
// names need nothing here: fontconfig's metric aliases already map Arial, Times New Roman and
// Courier New to the metric-compatible families.
const std::vector<AliasGroup>& Groups()
{
    static const std::vector<AliasGroup> groups{
        {{"宋体", "SimSun", "新宋体", "NSimSun", "华文宋体", "STSong", "仿宋", "FangSong", "仿宋_GB2312",
             "FangSong_GB2312", "华文仿宋", "STFangsong"},
            {"AR PL UMing CN", "Noto Serif CJK SC", "Source Han Serif SC", "serif"}, true},
        {{"楷体", "KaiTi", "楷体_GB2312", "KaiTi_GB2312", "华文楷体", "STKaiti"},
            {"AR PL UKai CN", "AR PL UMing CN", "Noto Serif CJK SC", "serif"}, true},
        {{"黑体", "SimHei", "微软雅黑", "Microsoft YaHei", "等线", "DengXian", "华文黑体", "STHeiti"},
            {"Noto Sans CJK SC", "Source Han Sans SC", "WenQuanYi Zen Hei", "WenQuanYi Micro Hei", "sans-serif"},
            true},
        {{"Consolas", "Lucida Console"}, {"Liberation Mono", "DejaVu Sans Mono", "monospace"}, false},
    };
    return groups;
}

// Appended in place: the text is made by every process that signs, to key its cached answers.
void AppendEscaped(std::string& out, const char* text)
{
    for (const char* p = text; *p;) {
        const size_t plain = std::strcspn(p, "&<");
        out.append(p, plain);
        p += plain;
        if (*p)
            out += *p++ == '&' ? "&amp;" : "&lt;";
    }
}

} // namespace

std::string WindowsFontAliases()
{
    std::string xml = "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n";
    xml.reserve(16384);
    for (const AliasGroup& group : Groups()) {
        for (const char* name : group.windowsNames) {
            // Strong: the requested style outranks the language's default faces.
            xml += "  <alias binding=\"strong\">\n    <family>";
            AppendEscaped(xml, name);
            xml += "</family>\n    <prefer>";
            for (const char* family : group.families) {
                xml += "<family>";
                AppendEscaped(xml, family);
                xml += "</family>";
            }
            xml += "</prefer>\n  </alias>\n";
            if (group.chinese) {
                xml += "  <match target=\"pattern\">\n    <test name=\"family\"><string>";
                AppendEscaped(xml, name);
                xml += "</string></test>\n    <edit name=\"lang\" mode=\"assign\"><string>zh-cn</string></edit>\n"
                       "  </match>\n";
            }
        }
    }
    return xml + "</fontconfig>\n";
}

bool LoadWindowsFontAliases(FcConfig* config)
{
    const std::string xml = WindowsFontAliases();
    return FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(xml.c_str()), FcTrue) == FcTrue;
}

} // namespace pdfstamp
