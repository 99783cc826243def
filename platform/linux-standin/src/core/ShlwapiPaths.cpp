// shlwapi's path helpers, on Windows paths.
#include <cwchar>
#include <string>

#include <winbase.h>
#include <shlwapi.h>

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\'; }

} // namespace

extern "C" LPWSTR WINAPI PathFindFileNameW(LPCWSTR pszPath)
{
    if (!pszPath)
        return nullptr;
    const wchar_t* name = pszPath;
    for (const wchar_t* p = pszPath; *p; ++p)
        if ((IsSeparator(*p) || *p == L':' || *p == L'/') && p[1] && !IsSeparator(p[1]) && p[1] != L'/')
            name = p + 1;
    return const_cast<LPWSTR>(name);
}

extern "C" LPWSTR WINAPI PathFindExtensionW(LPCWSTR pszPath)
{
    if (!pszPath)
        return nullptr;
    const wchar_t* dot = nullptr;
    const wchar_t* p = pszPath;
    for (; *p; ++p) {
        if (IsSeparator(*p) || *p == L' ' || *p == L'/')
            dot = nullptr; // an extension has neither separators nor blanks after its dot
        else if (*p == L'.')
            dot = p;
    }
    return const_cast<LPWSTR>(dot ? dot : p);
}

extern "C" BOOL WINAPI PathFileExistsW(LPCWSTR pszPath)
{
    return pszPath && GetFileAttributesW(pszPath) != INVALID_FILE_ATTRIBUTES;
}

extern "C" BOOL WINAPI PathIsDirectoryW(LPCWSTR pszPath)
{
    if (!pszPath)
        return FALSE;
    const DWORD attributes = GetFileAttributesW(pszPath);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? FILE_ATTRIBUTE_DIRECTORY : FALSE;
}
