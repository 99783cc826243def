#include "qvclient/VerificationMark.h"
#include "qvclient/XmlText.h"

#include "Base32.h"

#include <winenv/Trace.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

namespace qvclient {
namespace {

// The first format, keyed fields with the checksum in hex: still read, for copies delivered before.
const char kKeyedPrefix[] = "PLMMARK1 ";
// Fields in a fixed order, a space apart, the checksum in base32: everything but the class and
// user fits the code's alphanumeric mode, so the code is a few versions smaller.
const char kPrefix[] = "PLMMARK2 ";
const char kHexDigits[] = "0123456789abcdef";
const char kUpperHex[] = "0123456789ABCDEF";

std::string PercentEncode(const std::string& utf8)
{
    std::string text;
    for (unsigned char c : utf8) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_') {
            text += static_cast<char>(c);
        } else {
            text += '%';
            text += kUpperHex[c >> 4];
            text += kUpperHex[c & 15];
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

// 64 lower-case hex digits to their 32 bytes, or false.
bool Sha256Bytes(const std::string& hex, std::string& bytes)
{
    if (hex.size() != 64 || hex.find_first_not_of(kHexDigits) != std::string::npos)
        return false;
    auto nibble = [](char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
    bytes.clear();
    for (size_t i = 0; i < hex.size(); i += 2)
        bytes += static_cast<char>(nibble(hex[i]) << 4 | nibble(hex[i + 1]));
    return true;
}

std::string Sha256Hex(const std::string& bytes)
{
    std::string hex;
    for (unsigned char byte : bytes) {
        hex += kHexDigits[byte >> 4];
        hex += kHexDigits[byte & 15];
    }
    return hex;
}

// What both formats check alike once their fields are apart.
bool TakeFields(const std::string& lightFile, const std::string& document, const std::string& className,
    const std::string& revision, const std::string& sha256, const std::string& user, const std::string& date,
    MarkContent& content)
{
    MarkContent parsed;
    std::string classUtf8, userUtf8, bytes;
    if (!ParseId(lightFile, parsed.lightFileId) || !ParseId(document, parsed.documentId) ||
        !ParseId(revision, parsed.revisionId) || !PercentDecode(className, classUtf8) || !PercentDecode(user, userUtf8) ||
        classUtf8.empty() || !Sha256Bytes(sha256, bytes) || date.size() != 10)
        return false;
    parsed.sha256 = sha256;
    parsed.date = date;
    parsed.className = winenv::FromUtf8(classUtf8);
    parsed.user = winenv::FromUtf8(userUtf8);
    content = parsed;
    return true;
}

bool ParseKeyedMarkText(const std::string& text, MarkContent& content)
{
    std::map<std::string, std::string> fields;
    size_t start = 0;
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
    return fields.size() == 7 &&
        TakeFields(fields["lf"], fields["doc"], fields["class"], fields["rev"], fields["sha256"], fields["user"],
            fields["date"], content);
}

bool ParseOrderedMarkText(const std::string& text, MarkContent& content)
{
    std::vector<std::string> fields;
    for (size_t start = 0;;) {
        const size_t end = text.find(' ', start);
        fields.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    std::string bytes;
    return fields.size() == 7 && Base32Decode(fields[4], bytes) && bytes.size() == 32 &&
        TakeFields(fields[0], fields[1], fields[6], fields[2], Sha256Hex(bytes), fields[5], fields[3], content);
}

} // namespace

std::string FormatMarkText(const MarkContent& content)
{
    std::string sha256;
    if (!Sha256Bytes(content.sha256, sha256))
        sha256.clear(); // a text that does not read back, rather than another checksum
    return kPrefix + std::to_string(content.lightFileId) + " " + std::to_string(content.documentId) + " " +
        std::to_string(content.revisionId) + " " + content.date + " " + Base32Encode(sha256) + " " +
        PercentEncode(winenv::ToUtf8(content.user)) + " " + PercentEncode(winenv::ToUtf8(content.className));
}

bool ParseMarkText(const std::string& text, MarkContent& content)
{
    const struct {
        const char* prefix;
        bool (*parse)(const std::string&, MarkContent&);
    } formats[] = {{kPrefix, ParseOrderedMarkText}, {kKeyedPrefix, ParseKeyedMarkText}};
    for (const auto& format : formats) {
        const size_t length = std::strlen(format.prefix);
        if (text.compare(0, length, format.prefix) == 0)
            return format.parse(text.substr(length), content);
    }
    return false;
}

std::wstring MarkCaption(const MarkContent& content)
{
    return L"LF" + std::to_wstring(content.lightFileId) + L" R" + std::to_wstring(content.revisionId) + L" " +
        winenv::FromUtf8(content.sha256.substr(0, 8));
}

std::string MakeMarkXmp(const MarkContent& content)
{
    std::string xmp = "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
                      "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
                      " <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
                      "  <rdf:Description rdf:about=\"\" xmlns:plmmark=\"urn:plm:light-file-mark:1\">\n";
    auto element = [&xmp](const char* name, const std::string& value) {
        xmp.append("    <plmmark:").append(name).append(">").append(EscapeXml(value));
        xmp.append("</plmmark:").append(name).append(">\n");
    };
    element("Mark", FormatMarkText(content));
    element("LightFile", std::to_string(content.lightFileId));
    element("Document", std::to_string(content.documentId));
    element("Class", winenv::ToUtf8(content.className));
    element("Revision", std::to_string(content.revisionId));
    element("SHA256", content.sha256);
    element("User", winenv::ToUtf8(content.user));
    element("Date", content.date);
    return xmp + "  </rdf:Description>\n"
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
