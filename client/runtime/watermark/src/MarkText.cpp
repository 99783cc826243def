#include "qvclient/VerificationMark.h"

#include <winenv/Trace.h>

#include <cstdio>
#include <cctype>
#include <cstdlib>
#include <map>

namespace qvclient {
namespace {

const char kPrefix[] = "PLMMARK1 ";

std::string PercentEncode(const std::string& utf8)
{
    std::string text;
    for (unsigned char c : utf8) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_') {
            text += static_cast<char>(c);
        } else {
            char code[4];
            std::snprintf(code, sizeof code, "%%%02X", c);
            text += code;
        }
    }
    return text;
}

bool PercentDecode(const std::string& text, std::string& utf8)
{
    utf8.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            utf8 += text[i];
            continue;
        }
        if (i + 2 >= text.size() || !std::isxdigit(static_cast<unsigned char>(text[i + 1])) ||
            !std::isxdigit(static_cast<unsigned char>(text[i + 2])))
            return false;
        utf8 += static_cast<char>(std::strtol(text.substr(i + 1, 2).c_str(), nullptr, 16));
        i += 2;
    }
    return true;
}

bool ParseId(const std::string& text, LONG& id)
{
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const long long value = std::atoll(text.c_str());
    if (value > 0x7FFFFFFF)
        return false;
    id = static_cast<LONG>(value);
    return true;
}

std::string XmlEscape(const std::string& text)
{
    std::string escaped;
    for (char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

} // namespace

std::string FormatMarkText(const MarkContent& content)
{
    return kPrefix + std::string("lf=") + std::to_string(content.lightFileId) + ";doc=" +
        std::to_string(content.documentId) + ";class=" + PercentEncode(winenv::ToUtf8(content.className)) +
        ";rev=" + std::to_string(content.revisionId) + ";sha256=" + content.sha256 +
        ";user=" + PercentEncode(winenv::ToUtf8(content.user)) + ";date=" + content.date;
}

bool ParseMarkText(const std::string& text, MarkContent& content)
{
    const std::string prefix = kPrefix;
    if (text.compare(0, prefix.size(), prefix) != 0)
        return false;
    std::map<std::string, std::string> fields;
    size_t start = prefix.size();
    while (start <= text.size()) {
        size_t end = text.find(';', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string field = text.substr(start, end - start);
        const size_t equals = field.find('=');
        if (equals == std::string::npos)
            return false;
        fields[field.substr(0, equals)] = field.substr(equals + 1);
        start = end + 1;
    }
    MarkContent parsed;
    std::string className, user;
    if (fields.size() != 7 || !ParseId(fields["lf"], parsed.lightFileId) || !ParseId(fields["doc"], parsed.documentId) ||
        !ParseId(fields["rev"], parsed.revisionId) || !PercentDecode(fields["class"], className) ||
        !PercentDecode(fields["user"], user))
        return false;
    parsed.sha256 = fields["sha256"];
    if (parsed.sha256.size() != 64 || parsed.sha256.find_first_not_of("0123456789abcdef") != std::string::npos)
        return false;
    parsed.date = fields["date"];
    if (parsed.date.size() != 10 || className.empty())
        return false;
    parsed.className = winenv::FromUtf8(className);
    parsed.user = winenv::FromUtf8(user);
    content = parsed;
    return true;
}

std::wstring MarkCaption(const MarkContent& content)
{
    return L"LF" + std::to_wstring(content.lightFileId) + L" R" + std::to_wstring(content.revisionId) + L" " +
        winenv::FromUtf8(content.sha256.substr(0, 8));
}

std::string MakeMarkXmp(const MarkContent& content)
{
    auto element = [](const char* name, const std::string& value) {
        return std::string("    <plmmark:") + name + ">" + XmlEscape(value) + "</plmmark:" + name + ">\n";
    };
    return "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
           "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
           " <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
           "  <rdf:Description rdf:about=\"\" xmlns:plmmark=\"urn:plm:light-file-mark:1\">\n" +
        element("Mark", FormatMarkText(content)) + element("LightFile", std::to_string(content.lightFileId)) +
        element("Document", std::to_string(content.documentId)) + element("Class", winenv::ToUtf8(content.className)) +
        element("Revision", std::to_string(content.revisionId)) + element("SHA256", content.sha256) +
        element("User", winenv::ToUtf8(content.user)) + element("Date", content.date) +
        "  </rdf:Description>\n"
        " </rdf:RDF>\n"
        "</x:xmpmeta>\n"
        "<?xpacket end=\"r\"?>";
}

bool ReadMarkXmp(const std::string& xmp, MarkContent& content)
{
    const std::string open = "<plmmark:Mark>", close = "</plmmark:Mark>";
    const size_t start = xmp.find(open);
    const size_t end = start == std::string::npos ? start : xmp.find(close, start);
    if (end == std::string::npos)
        return false;
    // The text is ASCII with no character XML escapes, so it stands as written.
    return ParseMarkText(xmp.substr(start + open.size(), end - start - open.size()), content);
}

} // namespace qvclient
