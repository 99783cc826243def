// COM runtime: class contexts, object creation and the in-process class registry.
//
// A component makes its class available with CoRegisterClassObject (context
// CLSCTX_INPROC_SERVER); CoCreateInstance then finds the class when the caller's context includes
// an in-process server (0x17 = CLSCTX_ALL does). There is no system registry on this platform.
#pragma once

#include "oleauto.h"

enum tagCLSCTX {
    CLSCTX_INPROC_SERVER = 0x1,
    CLSCTX_INPROC_HANDLER = 0x2,
    CLSCTX_LOCAL_SERVER = 0x4,
    CLSCTX_INPROC_SERVER16 = 0x8,
    CLSCTX_REMOTE_SERVER = 0x10,
};
typedef DWORD CLSCTX;
#define CLSCTX_INPROC (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER)
#define CLSCTX_ALL (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)
#define CLSCTX_SERVER (CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)

enum tagREGCLS { REGCLS_SINGLEUSE = 0, REGCLS_MULTIPLEUSE = 1, REGCLS_MULTI_SEPARATE = 2 };
enum tagCOINIT { COINIT_MULTITHREADED = 0x0, COINIT_APARTMENTTHREADED = 0x2 };

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
struct IMalloc : IUnknown {
    STDMETHOD_(void*, Alloc)(SIZE_T cb) = 0;
    STDMETHOD_(void*, Realloc)(void* pv, SIZE_T cb) = 0;
    STDMETHOD_(void, Free)(void* pv) = 0;
    STDMETHOD_(SIZE_T, GetSize)(void* pv) = 0;
    STDMETHOD_(int, DidAlloc)(void* pv) = 0;
    STDMETHOD_(void, HeapMinimize)() = 0;
};
__CRT_UUID_DECL(IMalloc, 0x00000002, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);
typedef IMalloc* LPMALLOC;

// Kept only as the argument type of OleRun.
struct IRunnableObject : IUnknown {
    STDMETHOD(GetRunningClass)(LPCLSID lpClsid) = 0;
    STDMETHOD(Run)(void* pbc) = 0;
    STDMETHOD_(BOOL, IsRunning)() = 0;
    STDMETHOD(LockRunning)(BOOL fLock, BOOL fLastUnlockCloses) = 0;
    STDMETHOD(SetContainedObject)(BOOL fContained) = 0;
};
__CRT_UUID_DECL(IRunnableObject, 0x00000126, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

extern "C" {
HRESULT WINAPI CoInitialize(LPVOID pvReserved);
HRESULT WINAPI CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit);
void WINAPI CoUninitialize();
HRESULT WINAPI CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv);
HRESULT WINAPI CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, LPVOID pvReserved, REFIID riid, LPVOID* ppv);
HRESULT WINAPI CoRegisterClassObject(REFCLSID rclsid, LPUNKNOWN pUnk, DWORD dwClsContext, DWORD flags, LPDWORD lpdwRegister);
HRESULT WINAPI CoRevokeClassObject(DWORD dwRegister);
LPVOID WINAPI CoTaskMemAlloc(SIZE_T cb);
HRESULT WINAPI CoGetMalloc(DWORD dwMemContext, LPMALLOC* ppMalloc);
HRESULT WINAPI CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid);
int WINAPI StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax);
// OleRun puts an object into the running state: it calls IRunnableObject::Run when the object
// has that interface and succeeds otherwise.
HRESULT WINAPI OleRun(LPUNKNOWN pUnknown);
}
