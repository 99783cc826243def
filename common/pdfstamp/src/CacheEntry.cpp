#include "CacheEntry.h"

#include "DiskCache.h"

#include <cstdio>
#include <cstdlib>

#include <zlib.h>

namespace pdfstamp {
namespace {

// Over the key's and the value's fields: an entry damaged in place, its length kept, is a miss.
std::string Checksum(const std::string& fields)
{
    const uLong crc = crc32_z(crc32_z(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(fields.data()), fields.size());
    char text[16];
    std::snprintf(text, sizeof text, "%08lx", static_cast<unsigned long>(crc));
    return text;
}

} // namespace

// FNV-1a: a file name, not a check (the entry holds its key).
std::string EntryName(const std::string& key)
{
    unsigned long long hash = 14695981039346656037ull;
    for (unsigned char c : key)
        hash = (hash ^ c) * 1099511628211ull;
    char name[24];
    std::snprintf(name, sizeof name, "%016llx", hash);
    return name;
}

std::string MakeEntry(const std::string& key, const std::string& value)
{
    std::string entry;
    AppendField(entry, key);
    AppendField(entry, value);
    AppendField(entry, Checksum(entry));
    return entry;
}

EntryCheck ReadEntry(const std::string& entry, const std::string& key, std::string& value)
{
    size_t pos = 0;
    std::string storedKey, sum;
    if (!ReadField(entry, pos, storedKey) || storedKey != key)
        return EntryCheck::OtherKey;
    const size_t fieldsEnd = ReadField(entry, pos, value) ? pos : std::string::npos;
    if (fieldsEnd != std::string::npos && ReadField(entry, pos, sum) && pos == entry.size() &&
        sum == Checksum(entry.substr(0, fieldsEnd)))
        return EntryCheck::Match;
    value.clear();
    return EntryCheck::Damaged;
}

void AppendField(std::string& out, const std::string& field)
{
    out += std::to_string(field.size());
    out += ':';
    out += field;
}

bool ReadField(const std::string& in, size_t& pos, std::string& field)
{
    const size_t colon = in.find(':', pos);
    if (colon == std::string::npos || colon == pos || colon - pos > 12)
        return false;
    const unsigned long long size = std::strtoull(in.substr(pos, colon - pos).c_str(), nullptr, 10);
    if (size > in.size() - colon - 1)
        return false;
    field.assign(in, colon + 1, size);
    pos = colon + 1 + size;
    return true;
}

} // namespace pdfstamp
