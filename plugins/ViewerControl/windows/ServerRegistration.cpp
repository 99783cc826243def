// The in-process server's registry keys, written and removed by regsvr32: HKCR\CLSID\{...} with
// InprocServer32 naming this DLL by its full path. Apartment: the control lives on its
// container's user-interface thread. The control has no ProgID; containers name it by CLSID.
#include <windows.h>
#include <atlbase.h>
#include <olectl.h>

#include <string>

#include "../ViewerControl.h"

namespace {

const wchar_t kDescription[] = L"PLM Viewer Control";

std::wstring ClassKey()
{
    wchar_t szClsid[40] = L"";
    StringFromGUID2(viewer::CLSID_ViewerControl, szClsid, _countof(szClsid));
    return std::wstring(L"CLSID\\") + szClsid;
}

std::wstring ThisModulePath()
{
    HMODULE hModule = NULL;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCWSTR>(&ThisModulePath), &hModule))
        return std::wstring();
    wchar_t szPath[MAX_PATH];
    DWORD cch = GetModuleFileNameW(hModule, szPath, MAX_PATH);
    return cch > 0 && cch < MAX_PATH ? std::wstring(szPath, cch) : std::wstring();
}

} // namespace

extern "C" __declspec(dllexport) HRESULT DllUnregisterServer()
{
    LONG rc = RegDeleteTreeW(HKEY_CLASSES_ROOT, ClassKey().c_str());
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND ? S_OK : SELFREG_E_CLASS;
}

extern "C" __declspec(dllexport) HRESULT DllRegisterServer()
{
    const std::wstring strPath = ThisModulePath();
    if (strPath.empty())
        return SELFREG_E_CLASS;
    CRegKey keyClass, keyServer;
    LONG rc = keyClass.Create(HKEY_CLASSES_ROOT, ClassKey().c_str(), NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE);
    if (rc == ERROR_SUCCESS)
        rc = keyClass.SetStringValue(NULL, kDescription);
    if (rc == ERROR_SUCCESS)
        rc = keyServer.Create(keyClass, L"InprocServer32", NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE);
    if (rc == ERROR_SUCCESS)
        rc = keyServer.SetStringValue(NULL, strPath.c_str());
    if (rc == ERROR_SUCCESS)
        rc = keyServer.SetStringValue(L"ThreadingModel", L"Apartment");
    keyServer.Close();
    keyClass.Close();
    // Half a registration would name a server that cannot be loaded.
    if (rc != ERROR_SUCCESS) {
        DllUnregisterServer();
        return SELFREG_E_CLASS;
    }
    return S_OK;
}
