// MultiByteToWideChar and WideCharToMultiByte for UTF-8 and code page 936; CP_ACP, CP_OEMCP and
// CP_THREAD_ACP mean the system's ANSI code page (936 unless set otherwise), as on Chinese Windows.
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include <winnls.h>
#include <winbase.h>

#include "CodePage936.h"
#include <utf/Utf.h>

namespace {

const UINT kGbk = 936;

UINT InitialAnsiCodePage()
{
    const char* value = std::getenv("WIN32_ANSI_CODE_PAGE");
    if (value && std::strcmp(value, "65001") == 0)
        return CP_UTF8;
    return kGbk;
}

UINT AnsiCodePage()
{
    static const UINT codePage = InitialAnsiCodePage();
    return codePage;
}

// 0 for a code page this system does not have.
UINT Resolve(UINT codePage)
{
    if (codePage == CP_ACP || codePage == CP_OEMCP || codePage == CP_THREAD_ACP)
        return AnsiCodePage();
    return codePage == CP_UTF8 || codePage == kGbk ? codePage : 0;
}

} // namespace

// cbMultiByte -1: the text is NUL-terminated and the terminator is converted too. cchWideChar 0:
// returns the size needed.
extern "C" int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
    LPWSTR lpWideCharStr, int cchWideChar)
{
    const UINT codePage = Resolve(CodePage);
    if (codePage == 0 || lpMultiByteStr == nullptr || cbMultiByte == 0 || cchWideChar < 0
        || (cchWideChar > 0 && lpWideCharStr == nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const size_t length = cbMultiByte < 0 ? std::strlen(lpMultiByteStr) + 1 : static_cast<size_t>(cbMultiByte);
    bool valid = true;
    std::wstring wide;
    if (codePage == CP_UTF8)
        valid = utf::DecodeUtf8(std::string_view(lpMultiByteStr, length), wide);
    else
        wide = win32core::DecodeCodePage936(lpMultiByteStr, length, &valid);
    if (!valid && (dwFlags & MB_ERR_INVALID_CHARS)) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return 0;
    }
    if (cchWideChar == 0)
        return static_cast<int>(wide.size());
    if (wide.size() > static_cast<size_t>(cchWideChar)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::wmemcpy(lpWideCharStr, wide.data(), wide.size());
    return static_cast<int>(wide.size());
}

// For UTF-8 the default character arguments must be NULL; for 936 a character the code page
// lacks becomes lpDefaultChar, or '?' when that is NULL.
extern "C" int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
    LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar)
{
    const UINT codePage = Resolve(CodePage);
    const bool utf8 = codePage == CP_UTF8;
    if (codePage == 0 || lpWideCharStr == nullptr || cchWideChar == 0 || cbMultiByte < 0
        || (cbMultiByte > 0 && lpMultiByteStr == nullptr)
        || (utf8 && (lpDefaultChar != nullptr || lpUsedDefaultChar != nullptr))
        || (!utf8 && (dwFlags & WC_ERR_INVALID_CHARS))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const size_t length = cchWideChar < 0 ? std::wcslen(lpWideCharStr) + 1 : static_cast<size_t>(cchWideChar);
    bool valid = true;
    std::string narrow;
    if (utf8) {
        valid = utf::EncodeUtf8(std::wstring_view(lpWideCharStr, length), narrow);
    } else {
        bool usedDefault = false;
        narrow = win32core::EncodeCodePage936(lpWideCharStr, length, lpDefaultChar ? std::string(lpDefaultChar) : "?", &usedDefault);
        if (lpUsedDefaultChar)
            *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;
    }
    if (!valid && (dwFlags & WC_ERR_INVALID_CHARS)) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return 0;
    }
    if (cbMultiByte == 0)
        return static_cast<int>(narrow.size());
    if (narrow.size() > static_cast<size_t>(cbMultiByte)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(lpMultiByteStr, narrow.data(), narrow.size());
    return static_cast<int>(narrow.size());
}
