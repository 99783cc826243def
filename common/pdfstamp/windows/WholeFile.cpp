// Windows: the UTF-8 name is made wide, as narrow names are in the ANSI code page.
#include "../src/WholeFile.h"

#include "WideName.h"

#include <windows.h>
#include <atlbase.h>

#include <algorithm>

namespace pdfstamp {

WholeFile ReadWholeFile(const std::string& path, std::string& bytes, unsigned long long maxBytes)
{
    const HANDLE opened = CreateFileW(WideName(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr); // a folder opens too, to be told apart
    if (opened == INVALID_HANDLE_VALUE)
        return WholeFile::Unreadable;
    const CHandle file(opened);
    WholeFile result = WholeFile::Read;
    LARGE_INTEGER size{};
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file) != FILE_TYPE_DISK)
        result = WholeFile::NotAFile;
    else if (!GetFileInformationByHandle(file, &info))
        result = WholeFile::Unreadable;
    else if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        result = WholeFile::NotAFile;
    else if (!GetFileSizeEx(file, &size))
        result = WholeFile::Unreadable;
    else if (static_cast<unsigned long long>(size.QuadPart) > maxBytes)
        result = WholeFile::TooLarge;
    if (result == WholeFile::Read) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        size_t done = 0;
        while (done < bytes.size()) {
            DWORD read = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
            if (!ReadFile(file, bytes.data() + done, chunk, &read, nullptr) || read == 0)
                break;
            done += read;
        }
        if (done != bytes.size())
            result = WholeFile::Unreadable;
    }
    return result;
}

} // namespace pdfstamp
