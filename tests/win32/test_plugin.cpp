// A plug-in whose DllMain reports each call through the trace, and refuses to attach when the
// environment variable TEST_PLUGIN_REFUSE is set.
#include <cstdlib>
#include <string>

#include <windows.h>

#include "win32host/Trace.h"

extern "C" __declspec(dllexport) BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    win32host::Trace("dllmain", {{"reason", std::to_string(reason)},
                                    {"instance", std::to_string(reinterpret_cast<UINT_PTR>(instance))}});
    if (reason == DLL_PROCESS_ATTACH && std::getenv("TEST_PLUGIN_REFUSE"))
        return FALSE;
    return TRUE;
}

extern "C" __declspec(dllexport) int WINAPI PluginAnswer() { return 42; }

// An in-process server for one class: its objects only know IUnknown.
namespace {

const CLSID CLSID_PluginThing = {0x0D1B4C6E, 0x3333, 0x4A5B, {0x9C, 0x8D, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01}};

struct PluginThing final : IUnknown {
    LONG m_references = 1;
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = riid == IID_IUnknown ? this : nullptr;
        if (!*ppv)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++m_references); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG left = --m_references;
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }
};

struct PluginFactory : IClassFactory {
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = (riid == IID_IUnknown || riid == IID_IClassFactory) ? this : nullptr;
        return *ppv ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 1; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown*, REFIID riid, void** ppv) override
    {
        auto* thing = new PluginThing;
        const HRESULT hr = thing->QueryInterface(riid, ppv);
        thing->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

PluginFactory g_factory;

} // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* ppv)
{
    *ppv = nullptr;
    if (clsid != CLSID_PluginThing)
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, ppv);
}
