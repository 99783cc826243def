// Loads VuverIverIzizerOzi.dll by name as the client does, resolves its seven exports and makes
// the manager dialog from the DLL's own template in the system's dialog manager and tree control.
// Prints one line per failed check; the exit code is the number of failures.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>

namespace {

int g_nFailures = 0;

void Check(bool bOk, const char* pszWhat, const wchar_t* pszDetail)
{
    if (!bOk) {
        ++g_nFailures;
        std::printf("FAILED: %s %ls\n", pszWhat, pszDetail);
    }
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT uMsg, WPARAM, LPARAM)
{
    return uMsg == WM_INITDIALOG;
}

void CheckExports(HMODULE hModule)
{
    static const char* const kNames[] = {"OnDocListDownLoadLightFile", "OnDocListViewDwgFile",
        "OnDocListViewLightFile", "OutputLightFile", "PrdTreeOutputLightFile", "SignPdf", "WfOutputLightFile"};
    for (const char* pszName : kNames) {
        wchar_t szName[64];
        std::swprintf(szName, 64, L"%hs", pszName);
        Check(GetProcAddress(hModule, pszName) != NULL, "export by name", szName);
    }
    for (WORD nOrdinal = 1; nOrdinal <= 7; ++nOrdinal) {
        wchar_t szOrdinal[16];
        std::swprintf(szOrdinal, 16, L"@%u", nOrdinal);
        Check(GetProcAddress(hModule, MAKEINTRESOURCEA(nOrdinal)) != NULL, "export by ordinal", szOrdinal);
    }
    Check(GetProcAddress(hModule, "PrdTreeOutputLightFile") == GetProcAddress(hModule, "OutputLightFile"),
        "one entry for", L"PrdTreeOutputLightFile and OutputLightFile");
    Check(GetProcAddress(hModule, "DllMain") == NULL, "not exported", L"DllMain");
}

void CheckManagerDialog(HMODULE hModule)
{
    HWND hDlg = CreateDialogParamW(hModule, MAKEINTRESOURCEW(27000), NULL, QuietDialogProc, 0);
    Check(hDlg != NULL, "dialog made from template", L"27000");
    if (hDlg == NULL)
        return;
    struct Control {
        int nID;
        const wchar_t* pszClass;
        const wchar_t* pszText;
    };
    static const Control kControls[] = {
        {27005, L"Button", L"DWG"}, {27006, L"Button", L"PDF"}, {27008, L"Button", L"STEP"},
        {27000, L"SysTreeView32", L""}, {27003, L"Button", L"打印"}, {27004, L"Button", L"下载"},
        {IDCANCEL, L"Button", L"取消"}};
    for (const Control& control : kControls) {
        HWND hCtl = GetDlgItem(hDlg, control.nID);
        wchar_t szClass[64] = L"", szText[64] = L"";
        if (hCtl != NULL) {
            GetClassNameW(hCtl, szClass, 64);
            GetWindowTextW(hCtl, szText, 64);
        }
        Check(hCtl != NULL && lstrcmpiW(szClass, control.pszClass) == 0, "control class", control.pszClass);
        Check(lstrcmpW(szText, control.pszText) == 0, "control text", control.pszText);
    }
    const LONG_PTR nTreeStyle = GetWindowLongPtrW(GetDlgItem(hDlg, 27000), GWL_STYLE);
    Check((nTreeStyle & TVS_CHECKBOXES) != 0, "tree style", L"TVS_CHECKBOXES");
    wchar_t szCaption[64] = L"";
    GetWindowTextW(hDlg, szCaption, 64);
    Check(lstrcmpW(szCaption, L"轻量化文件管理") == 0, "dialog caption", szCaption);
    DestroyWindow(hDlg);
}

void CheckStrings(HMODULE hModule)
{
    wchar_t szTitle[64] = L"";
    LoadStringW(hModule, 57344, szTitle, 64);
    Check(lstrcmpW(szTitle, L"轻量化导出/打印") == 0, "string 57344", szTitle);
}

} // namespace

int wmain()
{
    HMODULE hModule = LoadLibraryW(L"VuverIverIzizerOzi.dll");
    Check(hModule != NULL, "LoadLibraryW", L"VuverIverIzizerOzi.dll");
    if (hModule == NULL)
        return g_nFailures;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    CheckExports(hModule);
    CheckStrings(hModule);
    CheckManagerDialog(hModule);
    FreeLibrary(hModule);
    std::printf("%s\n", g_nFailures == 0 ? "ok" : "failed");
    return g_nFailures;
}
