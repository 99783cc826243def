#include "IncrementalUpdate.h"

#include <qpdf/Buffer.hh>

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace pdfstamp {
namespace {

// Readers look for the last startxref near the end: qpdf in the last 1 KB.
constexpr std::size_t kTailSearched = 1024;
// Below this a stream's deflated form is rarely shorter than the stream itself.
constexpr std::size_t kSmallestDeflated = 128;

bool IsPdfSpace(char c)
{
    return c == ' ' || c == '\r' || c == '\n' || c == '\t' || c == '\f' || c == '\0';
}

// zlib's fastest level, one stream state for the whole update: the streams are ours (page
// content, form, picture) and small, and setting a stream state up costs more than most of them.
class Deflater {
public:
    Deflater()
    {
        if (deflateInit(&m_z, Z_BEST_SPEED) != Z_OK)
            throw std::runtime_error("zlib: cannot start deflating");
    }
    ~Deflater() { deflateEnd(&m_z); }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    std::string Deflate(const std::string& data)
    {
        deflateReset(&m_z);
        std::string out(deflateBound(&m_z, data.size()), '\0');
        m_z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
        m_z.avail_in = static_cast<uInt>(data.size());
        m_z.next_out = reinterpret_cast<Bytef*>(out.data());
        m_z.avail_out = static_cast<uInt>(out.size());
        if (deflate(&m_z, Z_FINISH) != Z_STREAM_END)
            throw std::runtime_error("zlib: cannot deflate a stream");
        out.resize(m_z.total_out);
        return out;
    }

private:
    z_stream m_z{};
};

// Without a deflater the stream is written as it is.
std::string ObjectText(QPDFObjectHandle object, Deflater* deflater)
{
    const QPDFObjGen og = object.getObjGen();
    std::string text = std::to_string(og.getObj()) + " " + std::to_string(og.getGen()) + " obj\n";
    if (!object.isStream())
        return text + object.unparseResolved() + "\nendobj\n";
    std::shared_ptr<Buffer> raw = object.getRawStreamData();
    std::string data(reinterpret_cast<const char*>(raw->getBuffer()), raw->getSize());
    QPDFObjectHandle dict = object.getDict().shallowCopy();
    if (deflater && !dict.hasKey("/Filter") && data.size() >= kSmallestDeflated) {
        std::string deflated = deflater->Deflate(data);
        if (deflated.size() < data.size()) {
            data.swap(deflated);
            dict.replaceKey("/Filter", QPDFObjectHandle::newName("/FlateDecode"));
        }
    }
    dict.replaceKey("/Length", QPDFObjectHandle::newInteger(static_cast<long long>(data.size())));
    return text + dict.unparse() + "\nstream\n" + data + "\nendstream\nendobj\n";
}

// The old trailer's entries that outlive its cross-reference section.
QPDFObjectHandle TrailerOf(QPDFObjectHandle old, int size, long long prev)
{
    static const char* const kSectionKeys[] = {
        "/Prev", "/Size", "/XRefStm", "/Type", "/W", "/Index", "/Length", "/Filter", "/DecodeParms", "/DL"};
    QPDFObjectHandle trailer = old.isDictionary() ? old.shallowCopy() : QPDFObjectHandle::newDictionary();
    for (const char* key : kSectionKeys)
        trailer.removeKey(key);
    trailer.replaceKey("/Size", QPDFObjectHandle::newInteger(size));
    trailer.replaceKey("/Prev", QPDFObjectHandle::newInteger(prev));
    return trailer;
}

struct Entry {
    int id;
    int gen;
    long long offset;
};

// Runs of consecutive object numbers, as the sections' subsections and /Index pairs.
template <typename Each>
void ForEachRun(const std::vector<Entry>& entries, Each each)
{
    for (std::size_t first = 0; first < entries.size();) {
        std::size_t last = first;
        while (last + 1 < entries.size() && entries[last + 1].id == entries[last].id + 1)
            ++last;
        each(first, last - first + 1);
        first = last + 1;
    }
}

std::string XrefTable(const std::vector<Entry>& entries)
{
    std::string text = "xref\n";
    ForEachRun(entries, [&](std::size_t first, std::size_t count) {
        text += std::to_string(entries[first].id) + " " + std::to_string(count) + "\n";
        char line[32];
        for (std::size_t i = first; i < first + count; ++i) {
            std::snprintf(line, sizeof line, "%010lld %05d n\r\n", entries[i].offset, entries[i].gen);
            text += line;
        }
    });
    return text;
}

std::string XrefStream(std::vector<Entry> entries, QPDFObjectHandle trailer, int id, long long offset)
{
    entries.push_back({id, 0, offset});
    const int width = offset > 0xFFFFFFFFLL ? 8 : 4;
    std::string data;
    for (const Entry& entry : entries) {
        data += '\1';
        for (int shift = 8 * (width - 1); shift >= 0; shift -= 8)
            data += static_cast<char>((entry.offset >> shift) & 0xFF);
        data += static_cast<char>((entry.gen >> 8) & 0xFF);
        data += static_cast<char>(entry.gen & 0xFF);
    }
    std::vector<QPDFObjectHandle> index;
    ForEachRun(entries, [&](std::size_t first, std::size_t count) {
        index.push_back(QPDFObjectHandle::newInteger(entries[first].id));
        index.push_back(QPDFObjectHandle::newInteger(static_cast<long long>(count)));
    });
    trailer.replaceKey("/Type", QPDFObjectHandle::newName("/XRef"));
    trailer.replaceKey("/W", QPDFObjectHandle::newArray({QPDFObjectHandle::newInteger(1),
                                 QPDFObjectHandle::newInteger(width), QPDFObjectHandle::newInteger(2)}));
    trailer.replaceKey("/Index", QPDFObjectHandle::newArray(index));
    trailer.replaceKey("/Length", QPDFObjectHandle::newInteger(static_cast<long long>(data.size())));
    return std::to_string(id) + " 0 obj\n" + trailer.unparse() + "\nstream\n" + data + "\nendstream\nendobj\n";
}

} // namespace

bool FindFileEnd(const std::string& bytes, FileEnd& end)
{
    const std::size_t from = bytes.size() > kTailSearched ? bytes.size() - kTailSearched : 0;
    const std::size_t at = bytes.rfind("startxref", std::string::npos);
    if (at == std::string::npos || at < from)
        return false;
    std::size_t p = at + 9;
    while (p < bytes.size() && IsPdfSpace(bytes[p]))
        ++p;
    long long offset = 0;
    std::size_t digits = 0;
    for (; p < bytes.size() && bytes[p] >= '0' && bytes[p] <= '9' && digits < 18; ++p, ++digits)
        offset = offset * 10 + (bytes[p] - '0');
    if (digits == 0 || offset <= 0 || static_cast<std::size_t>(offset) >= at)
        return false;
    end.size = static_cast<long long>(bytes.size());
    end.lastXref = offset;
    // Some writers point a blank or two before the keyword.
    std::size_t section = static_cast<std::size_t>(offset);
    while (section < at && IsPdfSpace(bytes[section]))
        ++section;
    end.xrefStream = bytes.compare(section, 4, "xref") != 0;
    end.endsInEol = !bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r');
    return true;
}

std::string MakeUpdate(const FileEnd& end, QPDFObjectHandle trailer, int size, const std::vector<QPDFObjectHandle>& objects,
    const std::set<QPDFObjGen>& plain)
{
    std::string update = end.endsInEol ? "" : "\n";
    std::vector<Entry> entries;
    Deflater deflater;
    for (QPDFObjectHandle object : objects) {
        entries.push_back({object.getObjGen().getObj(), object.getObjGen().getGen(), end.size + static_cast<long long>(update.size())});
        update += ObjectText(object, plain.count(object.getObjGen()) ? nullptr : &deflater);
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.id < b.id; });
    const long long xrefAt = end.size + static_cast<long long>(update.size());
    if (end.xrefStream)
        update += XrefStream(entries, TrailerOf(trailer, size + 1, end.lastXref), size, xrefAt);
    else
        update += XrefTable(entries) + "trailer\n" + TrailerOf(trailer, size, end.lastXref).unparse() + "\n";
    return update + "startxref\n" + std::to_string(xrefAt) + "\n%%EOF\n";
}

} // namespace pdfstamp
