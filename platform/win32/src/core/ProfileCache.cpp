#include "ProfileCache.h"

#include <cstdio>

namespace win32core {
namespace {

struct KeptProfile {
    std::string path;
    std::string bytes;
    IniDocument document;
};

KeptProfile& Kept()
{
    static KeptProfile kept;
    return kept;
}

bool ReadBytes(const std::string& path, std::string& bytes)
{
    bytes.clear();
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    char chunk[16384];
    size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.append(chunk, n);
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

} // namespace

bool LoadProfile(const std::string& posixPath, IniDocument& document)
{
    KeptProfile& kept = Kept();
    std::string bytes;
    const bool read = ReadBytes(posixPath, bytes);
    if (read && kept.path == posixPath && kept.bytes == bytes) {
        document = kept.document;
        return true;
    }
    if (!read)
        return document.Load(posixPath); // the file's error decides, as it did before the cache
    document.Parse(bytes);
    kept.path = posixPath;
    kept.bytes = std::move(bytes);
    kept.document = document;
    return true;
}

void RememberProfile(const std::string& posixPath, std::string bytes, const IniDocument& document)
{
    KeptProfile& kept = Kept();
    kept.path = posixPath;
    kept.bytes = std::move(bytes);
    kept.document = document;
}

} // namespace win32core
