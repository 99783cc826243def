// The ActiveX host window class "AtlAxWin": its window text names the control ("{CLSID}"),
// which the window creates on WM_CREATE with CoCreateInstance and releases when it is
// destroyed. The creation data, when there is any (a WORD byte count, then the bytes), is the
// control's saved state: IPersistStreamInit::Load reads it from a stream; without it the
// control starts with InitNew. AtlAxGetControl hands the control out with a reference.
#include <cstring>

#include "WindowSystem.h"
#include "windows.h"
#include "atlhost.h"
#include "ocidl.h"
#include "shlwapi.h"

namespace win32ui {

namespace {

IUnknown* ControlOf(HWND hwnd) { return reinterpret_cast<IUnknown*>(GetWindowLongPtrW(hwnd, 0)); }

// A control that keeps no state is done; one that does loads the creation data or starts new.
HRESULT InitialiseControl(IUnknown* control, const void* lpCreateParams)
{
    IPersistStreamInit* persist = nullptr;
    if (FAILED(control->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist))) || !persist)
        return S_OK;
    HRESULT hr;
    if (lpCreateParams) {
        const BYTE* data = static_cast<const BYTE*>(lpCreateParams);
        WORD cb;
        memcpy(&cb, data, sizeof(cb));
        IStream* stream = SHCreateMemStream(data + sizeof(cb), cb);
        hr = stream ? persist->Load(stream) : E_OUTOFMEMORY;
        if (stream)
            stream->Release();
    } else {
        hr = persist->InitNew();
    }
    persist->Release();
    return hr;
}

} // namespace

LRESULT CALLBACK AxHostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: {
        auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        CLSID clsid;
        if (!cs || !cs->lpszName || IS_INTRESOURCE(cs->lpszName) || FAILED(CLSIDFromString(cs->lpszName, &clsid)))
            return -1;
        IUnknown* control = nullptr;
        HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&control));
        if (FAILED(hr) || !control)
            return -1;
        if (FAILED(InitialiseControl(control, cs->lpCreateParams))) {
            control->Release();
            return -1;
        }
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(control));
        return 0;
    }
    case WM_DESTROY:
        if (IUnknown* control = ControlOf(hwnd)) {
            SetWindowLongPtrW(hwnd, 0, 0);
            control->Release();
        }
        return 0;
    case WM_GETDLGCODE:
        // Tab, Enter and Escape stay with the dialog.
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace win32ui

using namespace win32ui;

extern "C" {

BOOL WINAPI AtlAxWinInit()
{
    RegisterSystemClasses();
    return TRUE;
}

HRESULT WINAPI AtlAxGetControl(HWND h, IUnknown** pp)
{
    if (!pp)
        return E_POINTER;
    *pp = nullptr;
    if (!IsClass(h, kAxHostClass))
        return E_FAIL;
    IUnknown* control = ControlOf(h);
    if (!control)
        return E_FAIL;
    control->AddRef();
    *pp = control;
    return S_OK;
}

} // extern "C"
