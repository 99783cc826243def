// Small COM objects for the tests: reference counted, with a QueryInterface whose answer for one
// interface can be forced.
#pragma once

#include <comdef.h>

struct ITestAlpha : IUnknown {
    STDMETHOD(Alpha)(LONG* value) = 0;
};
DECLSPEC_UUID_OF(ITestAlpha, "0D1B4C6E-1111-4A5B-9C8D-000000000001");
_COM_SMARTPTR_TYPEDEF(ITestAlpha, __uuidof(ITestAlpha));

struct ITestBeta : IUnknown {
    STDMETHOD(Beta)() = 0;
};
DECLSPEC_UUID_OF(ITestBeta, "0D1B4C6E-1111-4A5B-9C8D-000000000002");
_COM_SMARTPTR_TYPEDEF(ITestBeta, __uuidof(ITestBeta));

// Offers ITestAlpha always; ITestBeta answers m_betaResult (S_OK, E_NOINTERFACE, or a failure).
class FakeObject : public ITestAlpha, public ITestBeta {
public:
    HRESULT m_betaResult = S_OK;
    LONG m_references = 1;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == __uuidof(ITestAlpha))
            *ppv = static_cast<ITestAlpha*>(this);
        else if (riid == __uuidof(ITestBeta) && m_betaResult == S_OK)
            *ppv = static_cast<ITestBeta*>(this);
        else
            return riid == __uuidof(ITestBeta) ? m_betaResult : E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++m_references); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--m_references); } // owned by the test
    STDMETHODIMP Alpha(LONG* value) override
    {
        *value = 7;
        return S_OK;
    }
    STDMETHODIMP Beta() override { return S_FALSE; }
};
