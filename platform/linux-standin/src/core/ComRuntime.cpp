// The COM runtime: initialisation, the in-process class registry (CoRegisterClassObject) and
// in-process servers named by RegisterInprocServer (the InprocServer32 key of the registry).
// Only in-process servers exist here: a class is reachable when the caller's context includes
// CLSCTX_INPROC_SERVER and the class was registered with it.
#include <atomic>
#include <map>
#include <mutex>
#include <string>

#include <windows.h>

#include "winenv/Modules.h"

namespace {

struct ClassRegistration {
    CLSID clsid;
    IUnknown* factory;
    DWORD context;
};

struct GuidLess {
    bool operator()(const GUID& a, const GUID& b) const { return std::memcmp(&a, &b, sizeof(GUID)) < 0; }
};

std::mutex g_registryMutex;
std::map<DWORD, ClassRegistration> g_classes; // by cookie
DWORD g_nextCookie = 1;
std::map<GUID, std::wstring, GuidLess> g_inprocServers;
std::atomic<int> g_initializations{0};

typedef HRESULT(STDAPICALLTYPE* DllGetClassObjectProc)(REFCLSID, REFIID, LPVOID*);

// The registered class object, with a reference for the caller.
IUnknown* RegisteredClassObject(REFCLSID clsid, DWORD context)
{
    std::lock_guard<std::mutex> lock(g_registryMutex);
    for (const auto& entry : g_classes) {
        const ClassRegistration& registration = entry.second;
        if (registration.clsid == clsid && (registration.context & context)) {
            registration.factory->AddRef();
            return registration.factory;
        }
    }
    return nullptr;
}

bool InprocServerOf(REFCLSID clsid, std::wstring& dllName)
{
    std::lock_guard<std::mutex> lock(g_registryMutex);
    auto it = g_inprocServers.find(clsid);
    if (it == g_inprocServers.end())
        return false;
    dllName = it->second;
    return true;
}

} // namespace

namespace winenv {

void RegisterInprocServer(REFCLSID clsid, const wchar_t* dllName)
{
    std::lock_guard<std::mutex> lock(g_registryMutex);
    g_inprocServers[clsid] = dllName ? dllName : L"";
}

void UnregisterInprocServer(REFCLSID clsid)
{
    std::lock_guard<std::mutex> lock(g_registryMutex);
    g_inprocServers.erase(clsid);
}

} // namespace winenv

// Initialisation is counted for the process: any outstanding CoInitialize lets every thread
// create objects, as the multi-threaded apartment does.
extern "C" HRESULT WINAPI CoInitializeEx(LPVOID, DWORD)
{
    return g_initializations.fetch_add(1) == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT WINAPI CoInitialize(LPVOID pvReserved) { return CoInitializeEx(pvReserved, COINIT_APARTMENTTHREADED); }

extern "C" void WINAPI CoUninitialize()
{
    int count = g_initializations.load();
    while (count > 0 && !g_initializations.compare_exchange_weak(count, count - 1)) {
    }
}

extern "C" HRESULT WINAPI CoRegisterClassObject(REFCLSID rclsid, LPUNKNOWN pUnk, DWORD dwClsContext, DWORD,
    LPDWORD lpdwRegister)
{
    if (!pUnk || !lpdwRegister)
        return E_INVALIDARG;
    if (g_initializations.load() == 0)
        return CO_E_NOTINITIALIZED;
    pUnk->AddRef();
    std::lock_guard<std::mutex> lock(g_registryMutex);
    *lpdwRegister = g_nextCookie++;
    g_classes[*lpdwRegister] = ClassRegistration{rclsid, pUnk, dwClsContext};
    return S_OK;
}

extern "C" HRESULT WINAPI CoRevokeClassObject(DWORD dwRegister)
{
    IUnknown* factory = nullptr;
    {
        std::lock_guard<std::mutex> lock(g_registryMutex);
        auto it = g_classes.find(dwRegister);
        if (it == g_classes.end())
            return CO_E_OBJNOTREG;
        factory = it->second.factory;
        g_classes.erase(it);
    }
    factory->Release();
    return S_OK;
}

extern "C" HRESULT WINAPI CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, LPVOID, REFIID riid, LPVOID* ppv)
{
    if (!ppv)
        return E_INVALIDARG;
    *ppv = nullptr;
    if (g_initializations.load() == 0)
        return CO_E_NOTINITIALIZED;
    if (IUnknown* factory = RegisteredClassObject(rclsid, dwClsContext)) {
        const HRESULT hr = factory->QueryInterface(riid, ppv);
        factory->Release();
        return hr;
    }
    std::wstring dllName;
    if (!(dwClsContext & CLSCTX_INPROC_SERVER) || !InprocServerOf(rclsid, dllName))
        return REGDB_E_CLASSNOTREG;
    // The server stays loaded: nothing here calls DllCanUnloadNow.
    HMODULE module = LoadLibraryW(dllName.c_str());
    if (!module)
        return HRESULT_FROM_WIN32(GetLastError());
    auto getClassObject = reinterpret_cast<DllGetClassObjectProc>(GetProcAddress(module, "DllGetClassObject"));
    if (!getClassObject)
        return CO_E_ERRORINDLL;
    return getClassObject(rclsid, riid, ppv);
}

extern "C" HRESULT WINAPI CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    IClassFactory* factory = nullptr;
    HRESULT hr = CoGetClassObject(rclsid, dwClsContext, nullptr, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr))
        return hr;
    hr = factory->CreateInstance(pUnkOuter, riid, ppv);
    factory->Release();
    if (FAILED(hr))
        *ppv = nullptr;
    return hr;
}

extern "C" HRESULT WINAPI OleRun(LPUNKNOWN pUnknown)
{
    if (!pUnknown)
        return E_INVALIDARG;
    IRunnableObject* runnable = nullptr;
    if (FAILED(pUnknown->QueryInterface(__uuidof(IRunnableObject), reinterpret_cast<void**>(&runnable))) || !runnable)
        return S_OK;
    const HRESULT hr = runnable->Run(nullptr);
    runnable->Release();
    return hr;
}
