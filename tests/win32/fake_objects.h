// Small COM objects for the tests: reference counted, with a QueryInterface whose answer for one
// interface can be forced.
#pragma once

#include <comdef.h>

struct ITestAlpha : IUnknown {
    STDMETHOD(Alpha)(LONG* value) = 0;
};
__CRT_UUID_DECL(ITestAlpha, 0x0D1B4C6E, 0x1111, 0x4A5B, 0x9C, 0x8D, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01);
_COM_SMARTPTR_TYPEDEF(ITestAlpha, __uuidof(ITestAlpha));

struct ITestBeta : IUnknown {
    STDMETHOD(Beta)() = 0;
};
__CRT_UUID_DECL(ITestBeta, 0x0D1B4C6E, 0x1111, 0x4A5B, 0x9C, 0x8D, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02);
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
