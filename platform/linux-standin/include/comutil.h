// Compiler COM support: the string and variant wrappers. Both raise _com_error (through
// _com_issue_error) where a failure has no other way out.
#pragma once

#include "oleauto.h"

[[noreturn]] void __stdcall _com_issue_error(HRESULT hr);

// A BSTR shared by reference count: copies of a _bstr_t share one string. A failed allocation
// raises E_OUTOFMEMORY.
class _bstr_t {
public:
    _bstr_t() noexcept;
    _bstr_t(const _bstr_t& s) noexcept;
    _bstr_t(const wchar_t* s);
    // fCopy false takes ownership of bstr.
    _bstr_t(BSTR bstr, bool fCopy);
    ~_bstr_t() noexcept;

    _bstr_t& operator=(const _bstr_t& s) noexcept;

    operator const wchar_t*() const noexcept;
    operator wchar_t*() const noexcept;
    bool operator!() const noexcept;

    unsigned int length() const noexcept;
    // Frees the text and gives the address to receive a new BSTR.
    BSTR* GetAddress();

private:
    class Data_t;
    void Release() noexcept;
    Data_t* m_Data;
};

// A VARIANT that clears itself.
class _variant_t : public ::tagVARIANT {
public:
    _variant_t() noexcept;
    _variant_t(const _variant_t& varSrc);
    _variant_t(_variant_t&& varSrc) noexcept;
    // VT_I4 (or VT_ERROR, VT_BOOL); another type raises E_INVALIDARG.
    _variant_t(long lSrc, VARTYPE vtSrc = VT_I4);
    ~_variant_t() noexcept;

    _variant_t& operator=(const _variant_t& varSrc);
    _variant_t& operator=(_variant_t&& varSrc) noexcept;
};
