// ATL's owners of a kernel handle (CHandle) and a registry key (CRegKey), as far as this build
// uses them. Unlike ATL's, they cannot be copied: ATL's copy hands the handle over.
#pragma once

#include <windows.h>

#include <cwchar>

namespace ATL {

// NULL is the empty handle; a caller converts INVALID_HANDLE_VALUE before it attaches.
class CHandle {
public:
    CHandle() noexcept = default;
    explicit CHandle(HANDLE h) noexcept : m_h(h) {}
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;
    ~CHandle() { Close(); }

    operator HANDLE() const noexcept { return m_h; }

    void Attach(HANDLE h) noexcept
    {
        Close();
        m_h = h;
    }
    HANDLE Detach() noexcept
    {
        HANDLE h = m_h;
        m_h = NULL;
        return h;
    }
    void Close() noexcept
    {
        if (m_h != NULL) {
            ::CloseHandle(m_h);
            m_h = NULL;
        }
    }

    HANDLE m_h = NULL;
};

class CRegKey {
public:
    CRegKey() noexcept = default;
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;
    ~CRegKey() { Close(); }

    operator HKEY() const noexcept { return m_hKey; }

    LONG Create(HKEY hKeyParent, LPCWSTR lpszKeyName, LPWSTR lpszClass = NULL,
        DWORD dwOptions = REG_OPTION_NON_VOLATILE, REGSAM samDesired = KEY_READ | KEY_WRITE,
        LPSECURITY_ATTRIBUTES lpSecAttr = NULL, LPDWORD lpdwDisposition = NULL) noexcept
    {
        HKEY hKey = NULL;
        LONG lRes = ::RegCreateKeyExW(hKeyParent, lpszKeyName, 0, lpszClass, dwOptions, samDesired, lpSecAttr,
            &hKey, lpdwDisposition);
        if (lRes == ERROR_SUCCESS) {
            lRes = Close();
            m_hKey = hKey;
        }
        return lRes;
    }
    LONG Open(HKEY hKeyParent, LPCWSTR lpszKeyName, REGSAM samDesired = KEY_READ | KEY_WRITE) noexcept
    {
        HKEY hKey = NULL;
        LONG lRes = ::RegOpenKeyExW(hKeyParent, lpszKeyName, 0, samDesired, &hKey);
        if (lRes == ERROR_SUCCESS) {
            lRes = Close();
            m_hKey = hKey;
        }
        return lRes;
    }
    LONG SetStringValue(LPCWSTR pszValueName, LPCWSTR pszValue, DWORD dwType = REG_SZ) noexcept
    {
        return ::RegSetValueExW(m_hKey, pszValueName, 0, dwType, reinterpret_cast<const BYTE*>(pszValue),
            static_cast<DWORD>((std::wcslen(pszValue) + 1) * sizeof(wchar_t)));
    }
    LONG Close() noexcept
    {
        LONG lRes = ERROR_SUCCESS;
        if (m_hKey != NULL) {
            lRes = ::RegCloseKey(m_hKey);
            m_hKey = NULL;
        }
        return lRes;
    }

    HKEY m_hKey = NULL;
};

} // namespace ATL

using namespace ATL;
