#include "DiskCache.h"

#include <win32host/AtomicFile.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace pdfstamp {
namespace {

std::string Folder()
{
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    std::string base = cache && *cache == '/' ? cache : home && *home ? std::string(home) + "/.cache" : "";
    return base.empty() ? base : base + "/VuverIverIzizerOzi/pdfstamp";
}

// FNV-1a: a file name, not a check (the entry holds its key).
std::string EntryPath(const std::string& folder, const std::string& key)
{
    unsigned long long hash = 14695981039346656037ull;
    for (unsigned char c : key)
        hash = (hash ^ c) * 1099511628211ull;
    char name[24];
    std::snprintf(name, sizeof name, "%016llx", hash);
    return folder + "/" + name;
}

bool MakeFolders(const std::string& folder)
{
    for (size_t slash = folder.find('/', 1); ; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

} // namespace

bool ReadCached(const std::string& key, std::string& value)
{
    const std::string folder = Folder();
    if (folder.empty())
        return false;
    std::ifstream in(EntryPath(folder, key), std::ios::binary);
    if (!in)
        return false;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const std::string entry = bytes.str();
    size_t pos = 0;
    std::string storedKey;
    if (!ReadField(entry, pos, storedKey) || storedKey != key || !ReadField(entry, pos, value) || pos != entry.size())
        return false;
    return true;
}

void WriteCached(const std::string& key, const std::string& value)
{
    const std::string folder = Folder();
    if (folder.empty() || !MakeFolders(folder))
        return;
    std::string entry;
    AppendField(entry, key);
    AppendField(entry, value);
    win32host::WriteFileAtomically(EntryPath(folder, key), entry);
}

std::string FileStamp(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return "-";
    return std::to_string(info.st_size) + "." + std::to_string(info.st_mtim.tv_sec) + "." +
           std::to_string(info.st_mtim.tv_nsec) + "." + std::to_string(info.st_ino);
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
