// Loads VuverIverIzizerOzi.dll by name as the client does and makes the manager and viewer dialogs
// from the DLL's own templates (the viewer's with its control hosted by atl.dll, so the control
// must be registered).
// Then holds the framework's message boxes and the profile API to the tables the Linux tests use,
// and file names to the same table of names in code page 936.
// Arguments: a folder for the dialogs' pictures (27000.png, 27001.png) and the INI job, and the
// layout file whose control rectangles the headless window system must give too.
// Prints one line per failed check; the exit code is the number of failures.
#include <afxdisp.h>
#include <afxwin.h>
#include <atlhost.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <winenv/Desktop.h>

#include "../fidelity/AnsiNames.h"
#include "../fidelity/DialogLayout.h"
#include "../fidelity/MessageBoxIcons.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb_image_write.h>
#pragma GCC diagnostic pop

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

// A bare name is searched for, and file names ignore case.
void CheckNames(HMODULE hModule)
{
    static const wchar_t* const kNames[] = {L"vuveriverizizerozi.dll", L"VUVERIVERIZIZEROZI.DLL", L"VuverIverIzizerOzi"};
    for (const wchar_t* pszName : kNames) {
        HMODULE hSame = LoadLibraryW(pszName);
        Check(hSame == hModule, "LoadLibraryW finds the module as", pszName);
        FreeLibrary(hSame);
    }
}

// What the screen shows in a rectangle, as 0x00RRGGBB per pixel (empty when it cannot be read).
std::vector<DWORD> ScreenPixels(const RECT& rc)
{
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    std::vector<DWORD> pixels;
    if (cx <= 0 || cy <= 0)
        return pixels;
    BITMAPINFO bmi = {};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* pBits = NULL;
    HDC hScreen = GetDC(NULL);
    HDC hMem = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = CreateDIBSection(hScreen, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HGDIOBJ hOld = SelectObject(hMem, hBitmap);
    if (BitBlt(hMem, 0, 0, cx, cy, hScreen, rc.left, rc.top, SRCCOPY) && pBits != NULL) {
        const DWORD* p = static_cast<const DWORD*>(pBits);
        pixels.assign(p, p + static_cast<size_t>(cx) * cy);
    }
    SelectObject(hMem, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hMem);
    ReleaseDC(NULL, hScreen);
    return pixels;
}

void PumpFor(DWORD dwMilliseconds)
{
    MSG msg;
    for (DWORD start = GetTickCount(); GetTickCount() - start < dwMilliseconds;) {
        while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(20);
    }
}

// The window as the screen shows it, as a PNG file.
bool SavePicture(HWND hWnd, const std::wstring& path)
{
    ShowWindow(hWnd, SW_SHOW);
    UpdateWindow(hWnd);
    PumpFor(500);
    RECT rc;
    GetWindowRect(hWnd, &rc);
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    const std::vector<DWORD> pixels = ScreenPixels(rc);
    if (pixels.empty())
        return false;
    std::vector<unsigned char> rgb;
    rgb.reserve(pixels.size() * 3);
    for (DWORD pixel : pixels)
        rgb.insert(rgb.end(), {static_cast<unsigned char>(pixel >> 16), static_cast<unsigned char>(pixel >> 8),
                                  static_cast<unsigned char>(pixel)});
    // The encoder hands the file out in pieces; the path is a wide one.
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (file == NULL)
        return false;
    auto write = [](void* context, void* data, int size) { std::fwrite(data, 1, size, static_cast<FILE*>(context)); };
    const int written = stbi_write_png_to_func(write, file, cx, cy, 3, rgb.data(), cx * 3);
    const bool bClosed = std::fclose(file) == 0;
    return written != 0 && bClosed;
}

void CheckManagerControls(HWND hDlg)
{
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
}

// Answers each message box with its first button, keeping the type the desktop read from the
// real box (its icon included); a modal dialog is given to inspect before the desktop closes it.
class BoxReader : public winenv::DesktopUser {
public:
    UINT nShown = ~0u;
    std::function<void(HWND)> inspect;
    int OnMessageBox(HWND, const std::wstring&, const std::wstring&, UINT type) override
    {
        nShown = type;
        return winenv::MessageBoxButtons(type).front();
    }
    std::optional<std::wstring> OnBrowseForFolder(HWND, const std::wstring&) override { return std::nullopt; }
    void OnModalDialog(HWND hDlg) override
    {
        if (inspect)
            inspect(hDlg);
    }
};

// The viewer control in 27001 as the module's dialog hosts it: the framework takes it out of the
// template and makes an "AtlAxWin" window of atl.dll, which creates the registered control and
// embeds it in place, so its own window is the host's child.
void CheckHostedViewer(HWND hDlg)
{
    HWND hHost = GetDlgItem(hDlg, 27008);
    wchar_t szClass[64] = L"";
    if (hHost != NULL)
        GetClassNameW(hHost, szClass, 64);
    Check(lstrcmpW(szClass, L"AtlAxWin") == 0, "viewer host window class", szClass);
    IUnknown* pControl = NULL;
    IDispatch* pDispatch = NULL;
    if (hHost != NULL && SUCCEEDED(AtlAxGetControl(hHost, &pControl)) && pControl != NULL) {
        pControl->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pDispatch));
        pControl->Release();
    }
    Check(pDispatch != NULL, "viewer control made by the host", L"IDispatch");
    // OpenFile (dispatch id 1), as the module calls it: the control's window shows the file.
    const wchar_t szFile[] = L"C:\\light\\A100.dwg";
    if (pDispatch != NULL) {
        VARIANT arg;
        arg.vt = VT_BSTR;
        arg.bstrVal = SysAllocString(szFile);
        DISPPARAMS params = {&arg, NULL, 1, 0};
        Check(SUCCEEDED(pDispatch->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, NULL, NULL,
                  NULL)),
            "viewer control called", L"OpenFile");
        VariantClear(&arg);
        pDispatch->Release();
    }
    HWND hControl = hHost != NULL ? GetWindow(hHost, GW_CHILD) : NULL;
    wchar_t szShown[MAX_PATH] = L"";
    if (hControl != NULL)
        GetWindowTextW(hControl, szShown, MAX_PATH);
    Check(hControl != NULL && IsWindowVisible(hControl), "viewer control embedded in place", L"its window");
    Check(lstrcmpW(szShown, szFile) == 0, "viewer control window shows", szShown);
}

// The viewer dialog maximised and restored, laid out as the module's dialog does on WM_SIZE (its
// control's host fills the client area): the control's text must be on the screen, inside the
// dialog's rectangle, on the control's own background.
void CheckViewerOnScreen(HWND hDlg)
{
    HWND hHost = GetDlgItem(hDlg, 27008);
    HWND hControl = hHost != NULL ? GetWindow(hHost, GW_CHILD) : NULL;
    if (hControl == NULL)
        return; // reported by CheckHostedViewer
    const COLORREF background = GetSysColor(COLOR_WINDOW), text = GetSysColor(COLOR_WINDOWTEXT);
    struct Step {
        int nShow;
        const wchar_t* pszName;
    };
    static const Step kSteps[] = {{SW_SHOWMAXIMIZED, L"maximised"}, {SW_RESTORE, L"restored"}};
    for (const Step& step : kSteps) {
        ShowWindow(hDlg, step.nShow);
        RECT rcClient;
        GetClientRect(hDlg, &rcClient);
        MoveWindow(hHost, 0, 0, rcClient.right, rcClient.bottom, TRUE);
        UpdateWindow(hDlg);
        PumpFor(500);
        RECT rcDialog, rcControl, rcBand;
        GetWindowRect(hDlg, &rcDialog);
        GetWindowRect(hControl, &rcControl);
        // The text is centred: the band of rows around the control's middle, inside its frame.
        const int yMiddle = (rcControl.top + rcControl.bottom) / 2;
        SetRect(&rcBand, rcControl.left + 2, yMiddle - 8, rcControl.right - 2, yMiddle + 8);
        IntersectRect(&rcBand, &rcBand, &rcDialog);
        const std::vector<DWORD> pixels = ScreenPixels(rcBand);
        // A COLORREF is 0x00BBGGRR, the screen's pixels 0x00RRGGBB.
        auto toDib = [](COLORREF c) { return static_cast<DWORD>(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c)); };
        size_t nBackground = 0, nText = 0;
        for (DWORD pixel : pixels) {
            nBackground += (pixel & 0xFFFFFF) == toDib(background);
            nText += (pixel & 0xFFFFFF) == toDib(text);
        }
        wchar_t szDetail[200];
        std::swprintf(szDetail, 200, L"%ls: dialog (%ld,%ld)-(%ld,%ld), control (%ld,%ld)-(%ld,%ld), %zu of %zu pixels "
            L"background, %zu text", step.pszName, rcDialog.left, rcDialog.top, rcDialog.right, rcDialog.bottom,
            rcControl.left, rcControl.top, rcControl.right, rcControl.bottom, nBackground, pixels.size(), nText);
        Check(IsZoomed(hDlg) == (step.nShow == SW_SHOWMAXIMIZED), "viewer dialog state", szDetail);
        Check(!pixels.empty() && nBackground * 2 > pixels.size() && nText >= 20, "viewer control text on screen",
            szDetail);
    }
}

// Makes both dialogs, saves their pictures and holds their layout to the file's: 27000 in the
// dialog manager, 27001 through the framework, as the module makes it.
void CheckDialogs(HMODULE hModule, const wchar_t* pszPictureFolder, const wchar_t* pszLayoutFile)
{
    std::ifstream file(pszLayoutFile);
    std::stringstream layout;
    layout << file.rdbuf();
    Check(file.good(), "layout file read", pszLayoutFile);
    auto inspect = [&](HWND hDlg, int nDialog) {
        wchar_t szDialog[16];
        std::swprintf(szDialog, 16, L"%d", nDialog);
        Check(hDlg != NULL, "dialog made from template", szDialog);
        if (hDlg == NULL)
            return;
        if (nDialog == 27000)
            CheckManagerControls(hDlg);
        else
            CheckHostedViewer(hDlg);
        const std::string mismatches = DialogLayoutMismatches(hDlg, nDialog, layout.str());
        Check(mismatches.empty(), "layout as in DialogLayout.txt of dialog", szDialog);
        std::printf("%s", mismatches.c_str());
        const std::wstring path = std::wstring(pszPictureFolder) + L"\\" + szDialog + L".png";
        Check(SavePicture(hDlg, path), "picture saved", path.c_str());
    };
    HWND hManager = CreateDialogParamW(hModule, MAKEINTRESOURCEW(27000), NULL, QuietDialogProc, 0);
    inspect(hManager, 27000);
    DestroyWindow(hManager);

    HRSRC hTemplate = FindResourceW(hModule, MAKEINTRESOURCEW(27001), RT_DIALOG);
    HRSRC hInit = FindResourceW(hModule, MAKEINTRESOURCEW(27001), MAKEINTRESOURCEW(240));
    Check(hTemplate != NULL && hInit != NULL, "template and DLGINIT of", L"27001");
    if (hTemplate == NULL || hInit == NULL)
        return;
    AfxEnableControlContainer();
    BoxReader reader;
    bool bShown = false;
    reader.inspect = [&](HWND hDlg) {
        bShown = true;
        inspect(hDlg, 27001);
        CheckViewerOnScreen(hDlg);
    };
    winenv::ScopedDesktopUser scoped(reader);
    CDialog viewer;
    viewer.InitModalIndirect(static_cast<LPCDLGTEMPLATE>(LockResource(LoadResource(hModule, hTemplate))), NULL,
        LockResource(LoadResource(hModule, hInit)));
    Check(viewer.DoModal() == IDCANCEL && bShown, "dialog shown through the framework", L"27001");
}

void CheckMessageBoxIcons()
{
    BoxReader reader;
    winenv::ScopedDesktopUser scoped(reader);
    for (const MessageBoxIconCase& c : kMessageBoxIconCases) {
        reader.nShown = ~0u;
        AfxMessageBox(L"text", c.type);
        wchar_t szType[16];
        std::swprintf(szType, 16, L"0x%x", c.type);
        Check(reader.nShown != ~0u && (reader.nShown & MB_ICONMASK) == (c.shown & MB_ICONMASK),
            "AfxMessageBox icon for type", szType);
    }
}

void CheckAnsiNames(const wchar_t* pszFolder)
{
    Check(GetACP() == 936, "ANSI code page", L"936");
    const std::wstring ini = std::wstring(pszFolder) + L"\\job.pdf.ini";
    for (const AnsiNameCase& c : kAnsiNameCases) {
        DeleteFileW(ini.c_str());
        wchar_t szRead[64] = L"";
        WritePrivateProfileStringW(L"SIGN1", L"CONTENT", c.written, ini.c_str());
        GetPrivateProfileStringW(L"SIGN1", L"CONTENT", L"", szRead, 64, ini.c_str());
        Check(lstrcmpW(szRead, c.read) == 0, "signer name through the INI job", c.written);
    }
}

// Light files under the same names in a folder named in Chinese: the wide API keeps every name, a
// program on the ANSI API sees it in code page 936, where a character 936 lacks is '?'.
void CheckFileNames(const wchar_t* pszFolder)
{
    const std::wstring folder = std::wstring(pszFolder) + L"\\轻量化文件";
    CreateDirectoryW(folder.c_str(), NULL);
    const DWORD dwAttributes = GetFileAttributesW(folder.c_str());
    Check(dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0, "folder named",
        folder.c_str());
    char szAnsiPattern[MAX_PATH] = "";
    WideCharToMultiByte(CP_ACP, 0, (folder + L"\\*.dwg").c_str(), -1, szAnsiPattern, MAX_PATH, NULL, NULL);
    for (const AnsiNameCase& c : kAnsiNameCases) {
        const std::wstring name = std::wstring(c.written) + L".dwg", path = folder + L"\\" + name;
        const char kContent[] = "AC1015";
        char szRead[16] = "";
        DWORD cb = 0;
        HANDLE hFile = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        Check(hFile != INVALID_HANDLE_VALUE && WriteFile(hFile, kContent, sizeof(kContent), &cb, NULL),
            "light file written under", name.c_str());
        CloseHandle(hFile);
        hFile = CreateFileW(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
        Check(hFile != INVALID_HANDLE_VALUE && ReadFile(hFile, szRead, sizeof(szRead), &cb, NULL) &&
                cb == sizeof(kContent) && std::strcmp(szRead, kContent) == 0,
            "light file read back under", name.c_str());
        CloseHandle(hFile);
        WIN32_FIND_DATAW wide = {};
        HANDLE hFind = FindFirstFileW((folder + L"\\*.dwg").c_str(), &wide);
        Check(hFind != INVALID_HANDLE_VALUE && name == wide.cFileName, "wide name listed", name.c_str());
        FindClose(hFind);
        WIN32_FIND_DATAA ansi = {};
        wchar_t szAnsiName[MAX_PATH] = L"";
        hFind = FindFirstFileA(szAnsiPattern, &ansi);
        MultiByteToWideChar(CP_ACP, 0, ansi.cFileName, -1, szAnsiName, MAX_PATH);
        Check(hFind != INVALID_HANDLE_VALUE && std::wstring(c.read) + L".dwg" == szAnsiName,
            "ANSI name listed for", name.c_str());
        FindClose(hFind);
        DeleteFileW(path.c_str());
    }
    RemoveDirectoryW(folder.c_str());
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) {
        std::printf("usage: ModuleOnWine PICTURE_FOLDER LAYOUT_FILE\n");
        return 1;
    }
    CheckMessageBoxIcons();
    CheckAnsiNames(argv[1]);
    CheckFileNames(argv[1]);
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    Check(InitCommonControlsEx(&icc), "InitCommonControlsEx", L"ICC_TREEVIEW_CLASSES");
    HMODULE hModule = LoadLibraryW(L"VuverIverIzizerOzi.dll");
    Check(hModule != NULL, "LoadLibraryW", L"VuverIverIzizerOzi.dll");
    if (hModule == NULL)
        return g_nFailures;
    CheckNames(hModule);
    CheckDialogs(hModule, argv[1], argv[2]);
    FreeLibrary(hModule);
    std::printf("%s\n", g_nFailures == 0 ? "ok" : "failed");
    return g_nFailures;
}
