#include "TrailerlessPdf.h"

#include "PdfWarnings.h"
#include "WholeFile.h"

#include <qpdf/Buffer.hh>
#include <qpdf/BufferInputSource.hh>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace pdfstamp {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

// The "n g" before the "obj" at `at`, empty when it is not an object header.
std::string ObjectNumbers(const std::string& bytes, std::size_t at)
{
    std::size_t end = at;
    std::string numbers[2];
    for (int part = 1; part >= 0; --part) {
        while (end > 0 && IsBlank(bytes[end - 1]))
            --end;
        std::size_t begin = end;
        while (begin > 0 && bytes[begin - 1] >= '0' && bytes[begin - 1] <= '9')
            --begin;
        if (begin == end)
            return "";
        numbers[part] = bytes.substr(begin, end - begin);
        end = begin;
    }
    return numbers[0] + " " + numbers[1];
}

bool IsCatalog(const std::string& body)
{
    for (std::size_t at = body.find("/Type"); at != std::string::npos; at = body.find("/Type", at + 5)) {
        std::size_t next = at + 5;
        while (next < body.size() && IsBlank(body[next]))
            ++next;
        if (body.compare(next, 8, "/Catalog") == 0)
            return true;
    }
    return false;
}

// What a trailer names: the last catalog in the file (a later update wins), empty when there is
// none, and one more than the highest object number.
struct TrailerKeys {
    std::string root;
    long long size = 1;
};

TrailerKeys FindTrailerKeys(const std::string& bytes)
{
    TrailerKeys keys;
    for (std::size_t at = bytes.find("obj"); at != std::string::npos; at = bytes.find("obj", at + 3)) {
        if (at > 0 && bytes[at - 1] == 'd') // endobj
            continue;
        std::string numbers = ObjectNumbers(bytes, at);
        if (numbers.empty())
            continue;
        keys.size = std::max(keys.size, std::atoll(numbers.c_str()) + 1);
        std::size_t end = bytes.find("endobj", at);
        std::size_t length = std::min<std::size_t>(end == std::string::npos ? bytes.size() - at : end - at, 4096);
        if (IsCatalog(bytes.substr(at + 3, length)))
            keys.root = numbers + " R";
    }
    return keys;
}

} // namespace

std::unique_ptr<QPDF> OpenWithoutTrailer(const std::string& path, std::vector<std::string>& warnings)
{
    std::string bytes;
    ReadWholeFile(path, bytes, bytes.max_size());
    if (bytes.compare(0, 5, "%PDF-") != 0 || bytes.find("trailer") != std::string::npos)
        return nullptr;
    TrailerKeys keys = FindTrailerKeys(bytes);
    if (keys.root.empty())
        return nullptr;
    bytes += "\ntrailer\n<< /Size " + std::to_string(keys.size) + " /Root " + keys.root + " >>\n%%EOF\n";

    auto* buffer = new Buffer(bytes.size());
    std::memcpy(buffer->getBuffer(), bytes.data(), bytes.size());
    auto source = std::make_shared<BufferInputSource>(path, buffer, true);
    auto pdf = std::make_unique<QPDF>();
    try {
        pdf->setSuppressWarnings(true);
        pdf->setAttemptRecovery(true);
        pdf->processInputSource(source);
    } catch (const std::exception&) {
        return nullptr;
    }
    warnings.push_back("no trailer: the catalog " + keys.root + " was found by its type");
    TakeWarnings(*pdf, warnings);
    return pdf;
}

} // namespace pdfstamp
