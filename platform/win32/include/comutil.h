// Compiler COM support: the string and variant wrappers. Both raise _com_error (through
// _com_issue_error) where a failure has no other way out: a failed BSTR allocation raises
// E_OUTOFMEMORY, a failed conversion the status of VariantChangeType.
#pragma once

#include "oleauto.h"

[[noreturn]] void __stdcall _com_issue_error(HRESULT hr);

class _variant_t;

namespace _com_util {
// Text in the ANSI code page (UTF-8 here) to a new BSTR; raises E_OUTOFMEMORY.
BSTR __stdcall ConvertStringToBSTR(const char* pSrc);
// A BSTR to new[]-allocated ANSI text, or NULL for NULL; the caller delete[]s it.
char* __stdcall ConvertBSTRToString(BSTR pSrc);
} // namespace _com_util

// A BSTR shared by reference count: copies of a _bstr_t share one string.
class _bstr_t {
public:
    _bstr_t() noexcept;
    _bstr_t(const _bstr_t& s) noexcept;
    _bstr_t(_bstr_t&& s) noexcept;
    _bstr_t(const char* s);
    _bstr_t(const wchar_t* s);
    _bstr_t(const _variant_t& var);
    // fCopy false takes ownership of bstr.
    _bstr_t(BSTR bstr, bool fCopy);
    ~_bstr_t() noexcept;

    _bstr_t& operator=(const _bstr_t& s) noexcept;
    _bstr_t& operator=(_bstr_t&& s) noexcept;
    _bstr_t& operator=(const char* s);
    _bstr_t& operator=(const wchar_t* s);
    _bstr_t& operator=(const _variant_t& var);

    _bstr_t& operator+=(const _bstr_t& s);
    _bstr_t operator+(const _bstr_t& s) const;
    friend _bstr_t operator+(const char* s1, const _bstr_t& s2);
    friend _bstr_t operator+(const wchar_t* s1, const _bstr_t& s2);

    operator const wchar_t*() const noexcept;
    operator wchar_t*() const noexcept;
    operator const char*() const;
    operator char*() const;

    bool operator!() const noexcept;
    bool operator==(const _bstr_t& str) const noexcept { return Compare(str) == 0; }
    bool operator!=(const _bstr_t& str) const noexcept { return Compare(str) != 0; }
    bool operator<(const _bstr_t& str) const noexcept { return Compare(str) < 0; }
    bool operator>(const _bstr_t& str) const noexcept { return Compare(str) > 0; }
    bool operator<=(const _bstr_t& str) const noexcept { return Compare(str) <= 0; }
    bool operator>=(const _bstr_t& str) const noexcept { return Compare(str) >= 0; }
    friend bool operator==(const _bstr_t& a, const wchar_t* b) { return a == _bstr_t(b); }
    friend bool operator!=(const _bstr_t& a, const wchar_t* b) { return a != _bstr_t(b); }
    friend bool operator==(const _bstr_t& a, const char* b) { return a == _bstr_t(b); }
    friend bool operator!=(const _bstr_t& a, const char* b) { return a != _bstr_t(b); }

    // A new BSTR with the same text (fCopy true), or the shared one itself.
    BSTR copy(bool fCopy = true) const;
    unsigned int length() const noexcept;

    // Replaces the text by a copy of s.
    void Assign(BSTR s);
    // The BSTR itself, for a call that reads or replaces it in place.
    BSTR& GetBSTR();
    // Frees the text and gives the address to receive a new BSTR.
    BSTR* GetAddress();
    // Takes ownership of s.
    void Attach(BSTR s);
    // Gives up ownership of the BSTR; copies it when other _bstr_t still share it.
    BSTR Detach();

private:
    class Data_t;
    int Compare(const _bstr_t& str) const noexcept;
    void Release() noexcept;
    Data_t* m_Data;
};

// A VARIANT that clears itself.
class _variant_t : public ::tagVARIANT {
public:
    _variant_t() noexcept;
    _variant_t(const VARIANT& varSrc);
    _variant_t(const VARIANT* pSrc);
    _variant_t(const _variant_t& varSrc);
    _variant_t(_variant_t&& varSrc) noexcept;
    // fCopy false takes over varSrc's content and leaves it VT_EMPTY.
    _variant_t(VARIANT& varSrc, bool fCopy);
    _variant_t(short sSrc, VARTYPE vtSrc = VT_I2);
    // VT_I4: Windows' LONG is 32 bits and here it is `int`, so int means VT_I4 as LONG does there.
    _variant_t(int iSrc, VARTYPE vtSrc = VT_I4);
    _variant_t(long lSrc, VARTYPE vtSrc = VT_I4);
    _variant_t(float fltSrc) noexcept;
    _variant_t(double dblSrc, VARTYPE vtSrc = VT_R8);
    _variant_t(const _bstr_t& bstrSrc);
    _variant_t(const wchar_t* pSrc);
    _variant_t(const char* pSrc);
    _variant_t(IDispatch* pSrc, bool fAddRef = true) noexcept;
    _variant_t(bool boolSrc) noexcept;
    _variant_t(IUnknown* pSrc, bool fAddRef = true) noexcept;
    _variant_t(BYTE bSrc) noexcept;
    _variant_t(char cSrc) noexcept;
    _variant_t(unsigned short usSrc) noexcept;
    _variant_t(unsigned int uiSrc, VARTYPE vtSrc = VT_UI4);
    _variant_t(unsigned long ulSrc) noexcept;
    _variant_t(long long i8Src) noexcept;
    _variant_t(unsigned long long ui8Src) noexcept;
    ~_variant_t() noexcept;

    // Extractors: convert a copy with VariantChangeType; a failed conversion raises its status.
    operator short() const;
    operator int() const;
    operator long() const;
    operator float() const;
    operator double() const;
    operator _bstr_t() const;
    operator IDispatch*() const;
    operator bool() const;
    operator IUnknown*() const;
    operator BYTE() const;
    operator char() const;
    operator unsigned short() const;
    operator unsigned int() const;
    operator unsigned long() const;
    operator long long() const;
    operator unsigned long long() const;

    _variant_t& operator=(const VARIANT& varSrc);
    _variant_t& operator=(const VARIANT* pSrc);
    _variant_t& operator=(const _variant_t& varSrc);
    _variant_t& operator=(_variant_t&& varSrc) noexcept;
    _variant_t& operator=(short sSrc);
    _variant_t& operator=(int iSrc);
    _variant_t& operator=(long lSrc);
    _variant_t& operator=(float fltSrc);
    _variant_t& operator=(double dblSrc);
    _variant_t& operator=(const _bstr_t& bstrSrc);
    _variant_t& operator=(const wchar_t* pSrc);
    _variant_t& operator=(const char* pSrc);
    _variant_t& operator=(IDispatch* pSrc);
    _variant_t& operator=(bool boolSrc);
    _variant_t& operator=(IUnknown* pSrc);
    _variant_t& operator=(BYTE bSrc);
    _variant_t& operator=(unsigned int uiSrc);
    _variant_t& operator=(unsigned long ulSrc);
    _variant_t& operator=(long long i8Src);
    _variant_t& operator=(unsigned long long ui8Src);

    // Same type and value (strings compared by content, interfaces by pointer).
    bool operator==(const VARIANT& varSrc) const noexcept;
    bool operator==(const VARIANT* pSrc) const noexcept;
    bool operator!=(const VARIANT& varSrc) const noexcept { return !(*this == varSrc); }
    bool operator!=(const VARIANT* pSrc) const noexcept { return !(*this == pSrc); }

    void Clear();
    void Attach(VARIANT& varSrc);
    VARIANT Detach();
    VARIANT& GetVARIANT() noexcept { return *this; }
    // Clears the variant and gives its address to receive a new value.
    VARIANT* GetAddress();
    // Converts in place (or from pSrc); raises the conversion's status on failure.
    void ChangeType(VARTYPE vartype, const _variant_t* pSrc = nullptr);
    void SetString(const char* pSrc);
};
