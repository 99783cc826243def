// Small COM objects for the tests, with a QueryInterface whose answer for one interface can be
// forced.
#pragma once

#include <comdef.h>
#include <comkit/ComObject.h>

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

// The references an object holds.
inline ULONG References(IUnknown* p)
{
    p->AddRef();
    return p->Release();
}

// Offers ITestAlpha always; ITestBeta answers m_betaResult (S_OK, E_NOINTERFACE, or a failure).
// The test owns it and holds its first reference; More... are further interfaces.
template <class... More>
class FakeObjectOf : public comkit::ComObject<ITestAlpha, ITestBeta, More...> {
public:
    HRESULT m_betaResult = S_OK;

    FakeObjectOf() { this->AddRef(); }
    ~FakeObjectOf() override = default;

    ULONG References() { return ::References(static_cast<ITestAlpha*>(this)); }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == __uuidof(ITestBeta) && m_betaResult != S_OK) {
            *ppv = nullptr;
            return m_betaResult;
        }
        return comkit::ComObject<ITestAlpha, ITestBeta, More...>::QueryInterface(riid, ppv);
    }
    STDMETHODIMP Alpha(LONG* value) override
    {
        *value = 7;
        return S_OK;
    }
    STDMETHODIMP Beta() override { return S_FALSE; }

protected:
    void FinalRelease() override {}
};
using FakeObject = FakeObjectOf<>;
