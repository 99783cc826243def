// In-process server exports: the class factory of the viewer control.
#include <windows.h>

#include <comkit/ClassFactory.h>

#include "ViewerControl.h"

namespace {

const CLSID CLSID_ViewerControl = {0xCB9BBBDA, 0x7B6D, 0x4523, {0xA6, 0xB3, 0xCC, 0x95, 0xE0, 0xAF, 0x2F, 0x9F}};

LONG g_cLocks = 0;

} // namespace

extern "C" __declspec(dllexport) HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (rclsid != CLSID_ViewerControl)
        return CLASS_E_CLASSNOTAVAILABLE;
    return comkit::CreateComObject<comkit::ClassFactory>(
        riid, ppv, [](REFIID riidObject, void** ppvObject) {
            return comkit::CreateComObject<viewer::CViewerControl>(riidObject, ppvObject);
        },
        &g_cLocks);
}

extern "C" __declspec(dllexport) HRESULT DllCanUnloadNow()
{
    return g_cLocks == 0 ? S_OK : S_FALSE;
}
