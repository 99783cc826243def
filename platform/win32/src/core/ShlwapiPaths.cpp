// shlwapi's path helpers, on Windows paths. A root is "X:\" or "\"; the functions never take the
// separator of a root away.
#include <cwchar>
#include <string>

#include <winbase.h>
#include <shlwapi.h>

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\'; }

// The length of the root: 3 for "C:\", 2 for "C:", 1 for "\", 0 for a relative path.
size_t RootLength(const wchar_t* path)
{
    if (path[0] && path[1] == L':')
        return IsSeparator(path[2]) ? 3 : 2;
    return IsSeparator(path[0]) ? 1 : 0;
}

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

extern "C" LPWSTR WINAPI PathCombineW(LPWSTR pszDest, LPCWSTR pszDir, LPCWSTR pszFile)
{
    if (!pszDest || (!pszDir && !pszFile)) {
        if (pszDest)
            pszDest[0] = 0;
        return nullptr;
    }
    std::wstring result;
    if (pszFile && *pszFile && (RootLength(pszFile) > 0 || !pszDir)) {
        result = pszFile; // an absolute second part wins
        if (IsSeparator(pszFile[0]) && pszDir && RootLength(pszDir) >= 2)
            result = std::wstring(pszDir, 2) + result; // "\x" stays on the first part's drive
    } else {
        result = pszDir ? pszDir : L"";
        if (pszFile && *pszFile) {
            if (!result.empty() && !IsSeparator(result.back()))
                result.push_back(L'\\');
            result += pszFile;
        }
    }
    if (result.size() >= MAX_PATH) {
        pszDest[0] = 0;
        return nullptr;
    }
    std::wmemcpy(pszDest, result.c_str(), result.size() + 1);
    return pszDest;
}
