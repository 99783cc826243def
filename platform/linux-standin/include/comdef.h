// Compiler COM support: _com_error, _com_issue_error, _bstr_t, _variant_t and the interface smart
// pointers, with the smart pointer types of the standard interfaces.
#pragma once

#include "objbase.h"
#include "winbase.h"

// The exception of compiler COM support: a failing HRESULT.
class _com_error {
public:
    _com_error(HRESULT hr) noexcept : m_hresult(hr) {}
    virtual ~_com_error() noexcept;

    HRESULT Error() const noexcept { return m_hresult; }

private:
    HRESULT m_hresult;
};

#include "comutil.h"
#include "comip.h"

_COM_SMARTPTR_TYPEDEF(IUnknown, __uuidof(IUnknown));
_COM_SMARTPTR_TYPEDEF(IDispatch, __uuidof(IDispatch));
_COM_SMARTPTR_TYPEDEF(IClassFactory, __uuidof(IClassFactory));
_COM_SMARTPTR_TYPEDEF(IRunnableObject, __uuidof(IRunnableObject));
_COM_SMARTPTR_TYPEDEF(IMalloc, __uuidof(IMalloc));
