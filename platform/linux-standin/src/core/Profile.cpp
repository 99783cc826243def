// The private profile (INI file) functions. The file is neither created empty nor cleared: it
// comes into being with its first key. Values are written exactly as given and trimmed (and
// unquoted) when read. A new file is written in the ANSI code page; a file name without a folder
// is taken relative to the current directory (there is no Windows folder on this platform). A
// write rewrites the file in place, as Windows does, once the room it needs is reserved: on a
// full disk the call fails and the file stays as it was.
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cwchar>
#include <mutex>

#include <winbase.h>

#include "FileSystem.h"
#include "IniDocument.h"
#include "LastError.h"
#include "ProfileCache.h"
#include "RegularFile.h"
#include "RewriteFile.h"
#include "winenv/AtomicFile.h"
#include "winenv/Paths.h"

using win32core::IniDocument;

namespace {

std::mutex g_profileMutex; // one writer at a time, as the system's profile cache serialises them

// A list of names, each NUL-terminated, with one more NUL at the end; truncated lists end with two
// NULs and return size - 2.
DWORD CopyOutList(const std::vector<std::wstring>& names, LPWSTR buffer, DWORD size)
{
    if (size < 2) {
        if (size == 1)
            buffer[0] = 0;
        return 0;
    }
    DWORD used = 0;
    for (const auto& name : names) {
        for (wchar_t c : name) {
            if (used + 2 >= size) {
                buffer[size - 2] = 0;
                buffer[size - 1] = 0;
                return size - 2;
            }
            buffer[used++] = c;
        }
        if (used + 2 >= size) {
            buffer[size - 2] = 0;
            buffer[size - 1] = 0;
            return size - 2;
        }
        buffer[used++] = 0;
    }
    buffer[used] = 0;
    return used;
}

// Truncated values return size - 1.
DWORD CopyOutValue(const std::wstring& value, LPWSTR buffer, DWORD size)
{
    const DWORD count = value.size() < size ? static_cast<DWORD>(value.size()) : size - 1;
    std::wmemcpy(buffer, value.data(), count);
    buffer[count] = 0;
    return count;
}

} // namespace

extern "C" BOOL WINAPI WritePrivateProfileStringW(LPCWSTR lpAppName, LPCWSTR lpKeyName, LPCWSTR lpString, LPCWSTR lpFileName)
{
    if (lpAppName == nullptr || lpFileName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::string path = winenv::ToPosixPath(lpFileName);
    std::lock_guard<std::mutex> lock(g_profileMutex);
    // Read and rewritten through one descriptor: a job is written in some forty calls.
    win32core::FileDescriptor fd;
    struct stat info {};
    int readError = win32core::OpenRegularFile(path, O_RDWR, fd, info);
    std::string bytes;
    if (readError == 0)
        readError = win32core::ReadProfileBytes(fd.Get(), info.st_size, bytes);
    // A file that is there but cannot be read is not written over either.
    if (readError != 0 && readError != ENOENT)
        return win32core::FailWith(win32core::Win32ErrorFromErrno(readError));
    const bool existed = readError == 0;
    if (!existed && (lpKeyName == nullptr || lpString == nullptr))
        return TRUE; // nothing to delete, and no file to make
    IniDocument& document = win32core::ProfileDocument(path, std::move(bytes));
    if (lpKeyName == nullptr)
        document.DeleteSection(lpAppName);
    else if (lpString == nullptr)
        document.DeleteKey(lpAppName, lpKeyName);
    else
        document.SetValue(lpAppName, lpKeyName, lpString);
    const int err = document.Save(
        [&](const std::string& content) {
            return existed ? win32core::RewriteFile(fd, info.st_size, path, content)
                           : winenv::WriteFileAtomically(path, content);
        },
        bytes);
    if (err != 0) {
        win32core::ForgetProfile();
        if (win32core::PosixIsDirectory(path))
            SetLastError(ERROR_ACCESS_DENIED);
        else
            SetLastError(err == ENOENT ? win32core::NotFoundError(path) : win32core::Win32ErrorFromErrno(err));
        return FALSE;
    }
    win32core::ProfileSaved(std::move(bytes));
    return TRUE;
}

extern "C" DWORD WINAPI GetPrivateProfileStringW(LPCWSTR lpAppName, LPCWSTR lpKeyName, LPCWSTR lpDefault,
    LPWSTR lpReturnedString, DWORD nSize, LPCWSTR lpFileName)
{
    if (lpReturnedString == nullptr || nSize == 0)
        return 0;
    const std::string path = winenv::ToPosixPath(lpFileName);
    std::lock_guard<std::mutex> lock(g_profileMutex);
    struct stat now {};
    const bool unchanged = ::lstat(path.c_str(), &now) == 0 && win32core::ProfileUnchanged(path, now);
    if (!unchanged) {
        win32core::FileDescriptor fd;
        struct stat info {};
        std::string bytes;
        const bool read = win32core::OpenRegularFile(path, O_RDONLY, fd, info) == 0 &&
                          win32core::ReadProfileBytes(fd.Get(), info.st_size, bytes) == 0;
        if (!read)
            bytes.clear(); // read as an empty file
        fd.Close();
        win32core::ProfileDocument(path, std::move(bytes));
        if (read)
            win32core::ProfileReadAs(info);
    }
    const IniDocument& document = win32core::KeptProfileDocument();
    if (lpAppName == nullptr)
        return CopyOutList(document.SectionNames(), lpReturnedString, nSize);
    if (lpKeyName == nullptr)
        return CopyOutList(document.KeyNames(lpAppName), lpReturnedString, nSize);
    std::wstring value;
    if (!document.GetValue(lpAppName, lpKeyName, value)) {
        value = lpDefault ? lpDefault : L"";
        while (!value.empty() && value.back() == L' ')
            value.pop_back(); // the default loses its trailing blanks
    }
    return CopyOutValue(value, lpReturnedString, nSize);
}

// The value read as a number with an optional sign and a "0x" prefix for hexadecimal; digits up to
// the first other character; the default when the key is missing or empty.
extern "C" UINT WINAPI GetPrivateProfileIntW(LPCWSTR lpAppName, LPCWSTR lpKeyName, INT nDefault, LPCWSTR lpFileName)
{
    wchar_t buffer[64];
    const DWORD length = GetPrivateProfileStringW(lpAppName, lpKeyName, L"", buffer, 64, lpFileName);
    if (length == 0)
        return static_cast<UINT>(nDefault);
    const wchar_t* p = buffer;
    bool negative = false;
    if (*p == L'+' || *p == L'-')
        negative = *p++ == L'-';
    unsigned base = 10;
    if (p[0] == L'0' && (p[1] == L'x' || p[1] == L'X'))
        base = 16, p += 2;
    unsigned value = 0;
    for (;; ++p) {
        unsigned digit;
        if (*p >= L'0' && *p <= L'9')
            digit = static_cast<unsigned>(*p - L'0');
        else if (base == 16 && *p >= L'a' && *p <= L'f')
            digit = static_cast<unsigned>(*p - L'a' + 10);
        else if (base == 16 && *p >= L'A' && *p <= L'F')
            digit = static_cast<unsigned>(*p - L'A' + 10);
        else
            break;
        value = value * base + digit;
    }
    return negative ? 0u - value : value;
}
