// A plug-in whose DllMain reports each call through the trace, and refuses to attach when the
// environment variable TEST_PLUGIN_REFUSE is set.
#include <cstdlib>
#include <string>

#include <windows.h>

#include "winenv/Trace.h"
#include <comkit/ClassFactory.h>

extern "C" __declspec(dllexport) BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    winenv::Trace("dllmain", {{"reason", std::to_string(reason)},
                                    {"instance", std::to_string(reinterpret_cast<UINT_PTR>(instance))}});
    if (reason == DLL_PROCESS_ATTACH && std::getenv("TEST_PLUGIN_REFUSE"))
        return FALSE;
    return TRUE;
}

extern "C" __declspec(dllexport) int WINAPI PluginAnswer() { return 42; }

// An in-process server for one class: its objects only know IUnknown.
namespace {

const CLSID CLSID_PluginThing = {0x0D1B4C6E, 0x3333, 0x4A5B, {0x9C, 0x8D, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01}};

struct PluginThing final : comkit::ComObject<IUnknown> {};

} // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* ppv)
{
    *ppv = nullptr;
    if (clsid != CLSID_PluginThing)
        return CLASS_E_CLASSNOTAVAILABLE;
    return comkit::CreateComObject<comkit::ClassFactory>(riid, ppv,
        [](REFIID riidThing, void** ppvThing) { return comkit::CreateComObject<PluginThing>(riidThing, ppvThing); });
}
