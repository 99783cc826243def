// Compiler COM support: _com_error, _com_issue_error, _bstr_t, _variant_t and the interface smart
// pointers, with the smart pointer types of the standard interfaces.
#pragma once

#include "objbase.h"
#include "winbase.h"

// The exception of compiler COM support: a failing HRESULT.
class _com_error {
public:
    _com_error(HRESULT hr) noexcept : m_hresult(hr), m_pszMsg(nullptr) {}
    _com_error(const _com_error& that) noexcept : m_hresult(that.m_hresult), m_pszMsg(nullptr) {}
    virtual ~_com_error() noexcept;
    _com_error& operator=(const _com_error& that) noexcept;

    HRESULT Error() const noexcept { return m_hresult; }
    // The code of an IDispatch error (0x80040200..0x8004FFFF), otherwise 0.
    WORD WCode() const noexcept { return HRESULTToWCode(m_hresult); }
    // The system's message for the status, e.g. "Unspecified error" for E_FAIL, or
    // "IDispatch error #n" / "Unknown error 0xXXXXXXXX". Owned by this object.
    const wchar_t* ErrorMessage() const noexcept;

    static HRESULT WCodeToHRESULT(WORD wCode) noexcept
    {
        return wCode >= 0xFE00 ? (HRESULT)0x8004FFFF : (HRESULT)(0x80040200 + wCode);
    }
    static WORD HRESULTToWCode(HRESULT hr) noexcept
    {
        return (hr >= (HRESULT)0x80040200 && hr <= (HRESULT)0x8004FFFF) ? WORD(hr - (HRESULT)0x80040200) : 0;
    }

private:
    HRESULT m_hresult;
    mutable wchar_t* m_pszMsg;
};

#include "comutil.h"
#include "comip.h"

_COM_SMARTPTR_TYPEDEF(IUnknown, __uuidof(IUnknown));
_COM_SMARTPTR_TYPEDEF(IDispatch, __uuidof(IDispatch));
_COM_SMARTPTR_TYPEDEF(IClassFactory, __uuidof(IClassFactory));
_COM_SMARTPTR_TYPEDEF(IRunnableObject, __uuidof(IRunnableObject));
_COM_SMARTPTR_TYPEDEF(IMalloc, __uuidof(IMalloc));
