#include "WindowsFontAliases.h"

#include "FontAliasGroups.h"

#include <cstring>

namespace pdfstamp {
namespace {

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
    for (const AliasGroup& group : FontAliasGroups()) {
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
