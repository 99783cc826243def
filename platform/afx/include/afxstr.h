// CString: the framework's wide string (CStringW semantics).
//
// Formatting follows the Windows C runtime: in a wide format string %s takes a wide string.
// Pass a CString to a variable argument list as (LPCWSTR)str or str.GetString(), as on Windows
// with any class type.
#pragma once

#include <cstdarg>
#include <string>

#include <windows.h>

#include "afxver_.h"

class CString {
public:
    typedef wchar_t XCHAR;
    typedef wchar_t* PXSTR;
    typedef const wchar_t* PCXSTR;

    // Constructors
    CString() = default;
    CString(const CString& other) = default;
    CString(CString&& other) noexcept = default;
    // A null pointer gives an empty string; MAKEINTRESOURCE(id) loads string id from the
    // module's resources.
    CString(LPCWSTR lpsz);
    CString(LPCWSTR lpch, int nLength);
    // Narrow text would need a code page; a char/wchar_t mix-up fails to build instead.
    CString(const char*) = delete;
    ~CString() = default;

    CString& operator=(const CString& other) = default;
    CString& operator=(CString&& other) noexcept = default;
    CString& operator=(LPCWSTR lpsz);
    CString& operator=(const char*) = delete;

    CString& operator+=(LPCWSTR lpsz);
    CString& operator+=(wchar_t ch);

    // Attributes
    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    wchar_t GetAt(int iChar) const { return m_str.at(static_cast<size_t>(iChar)); }
    wchar_t operator[](int iChar) const { return GetAt(iChar); }
    LPCWSTR GetString() const { return m_str.c_str(); }
    operator LPCWSTR() const { return m_str.c_str(); }

    // Comparison
    int Compare(LPCWSTR psz) const;
    int CompareNoCase(LPCWSTR psz) const;

    // Extraction: counts are clamped to the string.
    CString Left(int nCount) const;
    CString Right(int nCount) const;

    // Searching: indices are zero-based, -1 when not found.
    int Find(wchar_t ch, int iStart = 0) const;
    int ReverseFind(wchar_t ch) const;
    int FindOneOf(LPCWSTR pszCharSet) const;

    // Formatting (printf rules of the Windows C runtime)
    void Format(LPCWSTR pszFormat, ...);
    void FormatV(LPCWSTR pszFormat, va_list args);

    // Loads string nID from the resource handle (default: AfxGetResourceHandle()).
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

private:
    std::wstring m_str;
};

typedef CString CStringW;

CString operator+(const CString& str1, const CString& str2);
CString operator+(const CString& str1, LPCWSTR psz2);
CString operator+(LPCWSTR psz1, const CString& str2);

inline bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
inline bool operator==(const CString& a, LPCWSTR b) { return a.Compare(b) == 0; }
inline bool operator==(LPCWSTR a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
inline bool operator!=(const CString& a, LPCWSTR b) { return a.Compare(b) != 0; }
inline bool operator!=(LPCWSTR a, const CString& b) { return b.Compare(a) != 0; }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
inline bool operator<(const CString& a, LPCWSTR b) { return a.Compare(b) < 0; }
inline bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
inline bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
inline bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
