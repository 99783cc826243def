// Loads VuverIverIzizerOzi.dll by name as the client does, resolves its seven exports and makes
// the manager dialog from the DLL's own template in the system's dialog manager and tree control.
// With a folder argument it also saves a picture of the dialog there (27000.png).
// Prints one line per failed check; the exit code is the number of failures.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "PngFile.h"

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

// The window as the screen shows it, as a PNG file.
bool SavePicture(HWND hWnd, const std::wstring& path)
{
    ShowWindow(hWnd, SW_SHOW);
    UpdateWindow(hWnd);
    MSG msg;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 500;) {
        while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(20);
    }
    RECT rc;
    GetWindowRect(hWnd, &rc);
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    BITMAPINFO bmi = {};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* pBits = NULL;
    HDC hScreen = GetDC(NULL);
    HDC hMem = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = CreateDIBSection(hScreen, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HGDIOBJ hOld = SelectObject(hMem, hBitmap);
    const BOOL bCopied = BitBlt(hMem, 0, 0, cx, cy, hScreen, rc.left, rc.top, SRCCOPY);
    std::vector<unsigned char> rgb;
    if (bCopied && pBits != NULL) {
        const unsigned char* p = static_cast<const unsigned char*>(pBits);
        rgb.reserve(static_cast<size_t>(cx) * cy * 3);
        for (int i = 0; i < cx * cy; ++i, p += 4)
            rgb.insert(rgb.end(), {p[2], p[1], p[0]});
    }
    SelectObject(hMem, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hMem);
    ReleaseDC(NULL, hScreen);
    return bCopied && WritePng(path, cx, cy, rgb);
}

void CheckManagerDialog(HMODULE hModule, const wchar_t* pszPictureFolder)
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
    if (pszPictureFolder != NULL) {
        const std::wstring path = std::wstring(pszPictureFolder) + L"\\27000.png";
        Check(SavePicture(hDlg, path), "picture saved", path.c_str());
    }
    DestroyWindow(hDlg);
}

void CheckStrings(HMODULE hModule)
{
    wchar_t szTitle[64] = L"";
    LoadStringW(hModule, 57344, szTitle, 64);
    Check(lstrcmpW(szTitle, L"轻量化导出/打印") == 0, "string 57344", szTitle);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    HMODULE hModule = LoadLibraryW(L"VuverIverIzizerOzi.dll");
    Check(hModule != NULL, "LoadLibraryW", L"VuverIverIzizerOzi.dll");
    if (hModule == NULL)
        return g_nFailures;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    CheckExports(hModule);
    CheckStrings(hModule);
    CheckManagerDialog(hModule, argc > 1 ? argv[1] : NULL);
    FreeLibrary(hModule);
    std::printf("%s\n", g_nFailures == 0 ? "ok" : "failed");
    return g_nFailures;
}
