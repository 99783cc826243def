// In-process server exports: the class factory of the viewer control.
#include <windows.h>

#include <atomic>

#include "ViewerControl.h"

namespace {

std::atomic<LONG> g_cLocks{0};

class CViewerControlFactory : public IClassFactory {
public:
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *ppv = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // The factory is a static object: its lifetime is the library's.
    STDMETHOD_(ULONG, AddRef)() override { return 2; }
    STDMETHOD_(ULONG, Release)() override { return 1; }

    STDMETHOD(CreateInstance)(IUnknown* pUnkOuter, REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (pUnkOuter)
            return CLASS_E_NOAGGREGATION;
        auto* control = new (std::nothrow) viewer::CViewerControl();
        if (!control)
            return E_OUTOFMEMORY;
        const HRESULT hr = control->QueryInterface(riid, ppv);
        control->Release();
        return hr;
    }
    STDMETHOD(LockServer)(BOOL fLock) override
    {
        fLock ? ++g_cLocks : --g_cLocks;
        return S_OK;
    }
};

CViewerControlFactory g_factory;

} // namespace

extern "C" __declspec(dllexport) HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (rclsid != viewer::CLSID_ViewerControl)
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, ppv);
}

extern "C" __declspec(dllexport) HRESULT DllCanUnloadNow()
{
    return g_cLocks == 0 ? S_OK : S_FALSE;
}
