// The in-process server's registry keys, written and removed by regsvr32: HKCR\CLSID\{...} with
// InprocServer32 naming this DLL by its full path. Apartment: the control lives on its
// container's user-interface thread. The control has no ProgID; containers name it by CLSID.
#include <windows.h>
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

LONG SetString(HKEY hKey, LPCWSTR lpszName, const std::wstring& strValue)
{
    return RegSetValueExW(hKey, lpszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(strValue.c_str()),
        static_cast<DWORD>((strValue.size() + 1) * sizeof(wchar_t)));
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
    HKEY hClass = NULL, hServer = NULL;
    LONG rc = RegCreateKeyExW(HKEY_CLASSES_ROOT, ClassKey().c_str(), 0, NULL, 0, KEY_WRITE, NULL, &hClass, NULL);
    if (rc == ERROR_SUCCESS)
        rc = SetString(hClass, NULL, kDescription);
    if (rc == ERROR_SUCCESS)
        rc = RegCreateKeyExW(hClass, L"InprocServer32", 0, NULL, 0, KEY_WRITE, NULL, &hServer, NULL);
    if (rc == ERROR_SUCCESS)
        rc = SetString(hServer, NULL, strPath);
    if (rc == ERROR_SUCCESS)
        rc = SetString(hServer, L"ThreadingModel", L"Apartment");
    if (hServer != NULL)
        RegCloseKey(hServer);
    if (hClass != NULL)
        RegCloseKey(hClass);
    // Half a registration would name a server that cannot be loaded.
    if (rc != ERROR_SUCCESS) {
        DllUnregisterServer();
        return SELFREG_E_CLASS;
    }
    return S_OK;
}
