// MultiByteToWideChar and WideCharToMultiByte: the ANSI code page is UTF-8 on this platform.
#include <cstring>
#include <cwchar>

#include <winnls.h>
#include <winbase.h>

#include "utf8_codec.h"

namespace {

bool IsUtf8CodePage(UINT codePage)
{
    return codePage == CP_UTF8 || codePage == CP_ACP || codePage == CP_OEMCP || codePage == CP_THREAD_ACP;
}

} // namespace

extern "C" UINT WINAPI GetACP() { return CP_UTF8; }

// cbMultiByte -1: the text is NUL-terminated and the terminator is converted too. cchWideChar 0:
// returns the size needed.
extern "C" int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
    LPWSTR lpWideCharStr, int cchWideChar)
{
    if (!IsUtf8CodePage(CodePage) || lpMultiByteStr == nullptr || cbMultiByte == 0 || cchWideChar < 0
        || (cchWideChar > 0 && lpWideCharStr == nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const size_t length = cbMultiByte < 0 ? std::strlen(lpMultiByteStr) + 1 : static_cast<size_t>(cbMultiByte);
    bool valid = true;
    const std::wstring wide = win32core::DecodeUtf8(lpMultiByteStr, length, &valid);
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

// For UTF-8 the default character arguments must be NULL, as on Windows.
extern "C" int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
    LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar)
{
    if (!IsUtf8CodePage(CodePage) || lpWideCharStr == nullptr || cchWideChar == 0 || cbMultiByte < 0
        || (cbMultiByte > 0 && lpMultiByteStr == nullptr) || lpDefaultChar != nullptr || lpUsedDefaultChar != nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const size_t length = cchWideChar < 0 ? std::wcslen(lpWideCharStr) + 1 : static_cast<size_t>(cchWideChar);
    bool valid = true;
    const std::string narrow = win32core::EncodeUtf8(lpWideCharStr, length, &valid);
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
