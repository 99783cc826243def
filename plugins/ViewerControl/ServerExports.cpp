// In-process server exports: the class factory of the viewer control.
#include <windows.h>

#include <comkit/ClassFactory.h>

#include "ViewerControl.h"

namespace {

LONG g_cLocks = 0;

} // namespace

extern "C" __declspec(dllexport) HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (rclsid != viewer::CLSID_ViewerControl)
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
