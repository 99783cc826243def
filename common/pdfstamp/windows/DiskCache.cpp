// Windows: the entries live in the user's local application data
// (%LOCALAPPDATA%\VuverIverIzizerOzi\pdfstamp), a folder of the user's profile that the profile's
// permissions keep to the user; names are wide.
#include "../src/DiskCache.h"

#include "../src/CacheBound.h"
#include "../src/CacheEntry.h"
#include "../src/WholeFile.h"
#include "WideName.h"

#include <winenv/AtomicFile.h>

#include <windows.h>
#include <shlobj.h>

#include <utility>
#include <vector>

namespace pdfstamp {
namespace {

// The entries' folder, made when `make`; empty when there is none.
std::wstring EntriesFolder(bool make)
{
    wchar_t* appData = nullptr;
    std::wstring base;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &appData)))
        base = appData;
    CoTaskMemFree(appData);
    if (base.empty())
        return L"";
    const std::wstring product = base + L"\\VuverIverIzizerOzi";
    const std::wstring entries = product + L"\\pdfstamp";
    if (make)
        for (const std::wstring& folder : {product, entries})
            if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
                return L"";
    return entries;
}

ULONGLONG Ticks(const FILETIME& time)
{
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// The entries left in the folder.
size_t Trim(const std::wstring& folder)
{
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    std::vector<std::pair<ULONGLONG, std::wstring>> entries;
    do {
        if (found.cFileName[0] != L'.' && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            entries.emplace_back(Ticks(found.ftLastWriteTime), folder + L"\\" + found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return RemoveOldest(entries, [](const std::wstring& path) { DeleteFileW(path.c_str()); });
}

} // namespace

bool ReadCached(const std::string& key, std::string& value)
{
    const std::wstring folder = EntriesFolder(false);
    if (folder.empty())
        return false;
    const std::wstring path = folder + L"\\" + WideName(EntryName(key));
    std::string entry;
    if (ReadWholeFile(Utf8Name(path), entry, 1 << 30) != WholeFile::Read)
        return false;
    const EntryCheck check = ReadEntry(entry, key, value);
    if (check != EntryCheck::Damaged)
        return check == EntryCheck::Match;
    DeleteFileW(path.c_str());
    return false;
}

void WriteCached(const std::string& key, const std::string& value)
{
    const std::wstring folder = EntriesFolder(true);
    if (folder.empty())
        return;
    if (winenv::WriteFileAtomically(Utf8Name(folder) + "\\" + EntryName(key), MakeEntry(key, value), 0600) == 0)
        TrimWhenFull(folder, Trim);
}

std::string FileStamp(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (!GetFileAttributesExW(WideName(path).c_str(), GetFileExInfoStandard, &info))
        return "-";
    const ULONGLONG size = (static_cast<ULONGLONG>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    return std::to_string(size) + "." + std::to_string(Ticks(info.ftLastWriteTime)) + "." +
           std::to_string(Ticks(info.ftCreationTime));
}

} // namespace pdfstamp
