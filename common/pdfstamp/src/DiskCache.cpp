#include "DiskCache.h"

#include "CacheBound.h"
#include "CacheEntry.h"

#include <winenv/AtomicFile.h>

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace pdfstamp {
namespace {

// The cache's own folder and the one above it (both ours), under the user's cache folder.
struct CacheFolders {
    std::string product;
    std::string entries;
};

CacheFolders Folders()
{
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    std::string base = cache && *cache == '/' ? cache : home && *home ? std::string(home) + "/.cache" : "";
    if (base.empty())
        return {};
    return {base + "/VuverIverIzizerOzi", base + "/VuverIverIzizerOzi/pdfstamp"};
}

// What another user could have written is not read, as ssh treats a key folder: each of our
// folders must be the user's own and writable by no one else.
bool IsPrivateFolder(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
           (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

bool IsTrusted(const CacheFolders& folders)
{
    return !folders.entries.empty() && IsPrivateFolder(folders.product) && IsPrivateFolder(folders.entries);
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

// The entries left in the folder.
size_t Trim(const std::string& folder)
{
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr)
        return 0;
    std::vector<std::pair<std::pair<time_t, long>, std::string>> entries;
    while (const dirent* entry = readdir(dir)) {
        struct stat info {};
        const std::string path = folder + "/" + entry->d_name;
        if (entry->d_name[0] != '.' && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode))
            entries.emplace_back(std::make_pair(info.st_mtim.tv_sec, info.st_mtim.tv_nsec), path);
    }
    closedir(dir);
    return RemoveOldest(entries, [](const std::string& path) { unlink(path.c_str()); });
}

} // namespace

bool ReadCached(const std::string& key, std::string& value)
{
    const CacheFolders folders = Folders();
    if (!IsTrusted(folders))
        return false;
    // One read of the whole entry: a stream's buffers cost more than a small entry's bytes.
    const std::string path = folders.entries + "/" + EntryName(key);
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat info {};
    std::string entry;
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == geteuid() && info.st_size >= 0;
    if (ok) {
        entry.resize(static_cast<size_t>(info.st_size));
        size_t used = 0;
        while (ok && used < entry.size()) {
            const ssize_t n = read(fd, entry.data() + used, entry.size() - used);
            ok = n > 0 || (n < 0 && errno == EINTR);
            used += n > 0 ? static_cast<size_t>(n) : 0;
        }
    }
    close(fd);
    if (!ok)
        return false;
    const EntryCheck check = ReadEntry(entry, key, value);
    if (check != EntryCheck::Damaged)
        return check == EntryCheck::Match; // another key of the same name: its entry stays
    // Damaged, or of an older form: made again by the caller.
    unlink(path.c_str());
    value.clear();
    return false;
}

void WriteCached(const std::string& key, const std::string& value)
{
    const CacheFolders folders = Folders();
    if (folders.entries.empty() || !MakeFolders(folders.entries) || !IsTrusted(folders))
        return;
    if (winenv::WriteFileAtomically(folders.entries + "/" + EntryName(key), MakeEntry(key, value), 0600) == 0)
        TrimWhenFull(folders.entries, Trim);
}

std::string FileStamp(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return "-";
    return std::to_string(info.st_size) + "." + std::to_string(info.st_mtim.tv_sec) + "." +
           std::to_string(info.st_mtim.tv_nsec) + "." + std::to_string(info.st_ino);
}

} // namespace pdfstamp
